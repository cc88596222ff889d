// The contents every drawing has, made for a new drawing and completed after reading a file.
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/db/QvDbProxyObject.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbScale.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbUCSTable.h"
#include "sdk/db/QvDbViewTable.h"
#include "sdk/db/QvDbViewportTable.h"

namespace {

constexpr const wchar_t* kStandardDictionaries[] = {
    L"ACAD_COLOR",        L"ACAD_GROUP",      L"ACAD_LAYOUT",       L"ACAD_MATERIAL",
    L"ACAD_MLEADERSTYLE", L"ACAD_MLINESTYLE", L"ACAD_PLOTSETTINGS", L"ACAD_PLOTSTYLENAME",
    L"ACAD_SCALELIST",    L"ACAD_TABLESTYLE", L"ACAD_VISUALSTYLE",
};

struct StandardScale {
  const wchar_t* name;
  double paper;
  double drawing;
};

constexpr StandardScale kStandardScales[] = {
    {L"1:1", 1, 1},   {L"1:2", 1, 2},     {L"1:4", 1, 4},   {L"1:5", 1, 5},   {L"1:8", 1, 8},
    {L"1:10", 1, 10}, {L"1:16", 1, 16},   {L"1:20", 1, 20}, {L"1:30", 1, 30}, {L"1:40", 1, 40},
    {L"1:50", 1, 50}, {L"1:100", 1, 100}, {L"2:1", 2, 1},   {L"4:1", 4, 1},   {L"8:1", 8, 1},
    {L"10:1", 10, 1}, {L"100:1", 100, 1},
};

// Adds a record made by `make` under `name` when the table lacks a live one; answers the id.
template <class Table, class Record, class Make>
QvDbObjectId ensureRecord(QvDbDatabase* db, const wchar_t* name, Make make) {
  Table* table = nullptr;
  if (db->getSymbolTable(table, QvDb::kForWrite) != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId id;
  if (table->getAt(name, id) != Vexa::eOk) {
    auto* record = new Record();
    record->setName(name);
    make(*record);
    if (table->add(id, record) == Vexa::eOk) {
      record->close();
    } else {
      delete record;
    }
  }
  table->close();
  return id;
}

// The entry `key` of a dictionary, made as an empty dictionary when absent.
QvDbObjectId ensureDictionary(QvDbObjectId parentId, const wchar_t* key) {
  QvDbDictionary* parent = nullptr;
  if (qvdbOpenObject(parent, parentId, QvDb::kForWrite) != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId id;
  if (parent->getAt(key, id) != Vexa::eOk) {
    auto* dict = new QvDbDictionary();
    if (parent->setAt(key, dict, id) == Vexa::eOk) {
      dict->close();
    } else {
      delete dict;
    }
  }
  parent->close();
  return id;
}

QvDbObjectId ensureLayout(QvDbObjectId layoutsId, const wchar_t* name, QvDbObjectId blockId,
                          int tabOrder) {
  QvDbDictionary* layouts = nullptr;
  if (qvdbOpenObject(layouts, layoutsId, QvDb::kForWrite) != Vexa::eOk) return QvDbObjectId();
  QvDbObjectId layoutId;
  if (layouts->getAt(name, layoutId) != Vexa::eOk) {
    auto* layout = new QvDbLayout();
    layout->setLayoutName(name);
    layout->setTabOrder(tabOrder);
    layout->setBlockTableRecordId(blockId);
    if (layouts->setAt(name, layout, layoutId) == Vexa::eOk) {
      layout->close();
    } else {
      delete layout;
    }
  }
  layouts->close();
  QvDbBlockTableRecord* block = nullptr;
  if (!layoutId.isNull() && qvdbOpenObject(block, blockId, QvDb::kForWrite) == Vexa::eOk) {
    if (block->getLayoutId().isNull()) block->setLayoutId(layoutId);
    block->close();
  }
  return layoutId;
}

// The plot style "Normal" that every drawing names: a placeholder object (a class the stand-in
// keeps as a proxy), so that other readers find it.
void ensureNormalPlotStyle(QvDbObjectId rootId) {
  QvDbDictionary* root = nullptr;
  if (qvdbOpenObject(root, rootId, QvDb::kForRead) != Vexa::eOk) return;
  QvDbObjectId stylesId;
  root->getAt(L"ACAD_PLOTSTYLENAME", stylesId);
  root->close();
  QvDbDictionary* styles = nullptr;
  if (qvdbOpenObject(styles, stylesId, QvDb::kForWrite) != Vexa::eOk) return;
  if (styles->numEntries() == 0) {
    auto* normal = new QvDbProxyObject(
        QvDbProxyClass{L"ACDBPLACEHOLDER", L"AcDbPlaceHolder", L"ObjectDBX Classes", 0});
    QvDbObjectId id;
    if (styles->setAt(L"Normal", normal, id) == Vexa::eOk) {
      normal->close();
    } else {
      delete normal;
    }
  }
  styles->close();
}

bool layoutNameFree(QvDbObjectId layoutsId, const QvString& name) {
  QvDbDictionary* layouts = nullptr;
  if (qvdbOpenObject(layouts, layoutsId, QvDb::kForRead) != Vexa::eOk) return true;
  const bool free = !layouts->has(name.c_str());
  layouts->close();
  return free;
}

// Whether a paper layout exists for the paper space record.
bool hasLayoutFor(QvDbObjectId blockId) {
  QvDbBlockTableRecord* block = nullptr;
  if (qvdbOpenObject(block, blockId, QvDb::kForRead) != Vexa::eOk) return true;
  const bool has = !block->getLayoutId().isNull();
  block->close();
  return has;
}

void ensureScales(QvDbObjectId scaleListId) {
  QvDbDictionary* scales = nullptr;
  if (qvdbOpenObject(scales, scaleListId, QvDb::kForWrite) != Vexa::eOk) return;
  if (scales->numEntries() == 0) {
    int index = 0;
    for (const StandardScale& s : kStandardScales) {
      auto* scale = new QvDbScale();
      scale->setScaleName(s.name);
      scale->setUnits(s.paper, s.drawing);
      QvDbObjectId id;
      if (scales->setAt(QvString::format(L"A%d", index++).c_str(), scale, id) == Vexa::eOk) {
        scale->close();
      } else {
        delete scale;
      }
    }
  }
  scales->close();
}

}  // namespace

// Made a class so it may reach the database's root-object slots.
class QvDbDefaultContents {
 public:
  static Vexa::ErrorStatus complete(QvDbDatabase* db, bool dictionaries);
};

Vexa::ErrorStatus QvDbDefaultContents::complete(QvDbDatabase* db, bool dictionaries) {
  for (int kind = 0; kind < QvDbDatabase::kTableCount; ++kind) {
    if (!db->tables_[kind].isNull()) continue;
    QvDbSymbolTable* table = nullptr;
    switch (kind) {
      case QvDbDatabase::kBlockTable:
        table = new QvDbBlockTable();
        break;
      case QvDbDatabase::kLayerTable:
        table = new QvDbLayerTable();
        break;
      case QvDbDatabase::kTextStyleTable:
        table = new QvDbTextStyleTable();
        break;
      case QvDbDatabase::kDimStyleTable:
        table = new QvDbDimStyleTable();
        break;
      case QvDbDatabase::kLinetypeTable:
        table = new QvDbLinetypeTable();
        break;
      case QvDbDatabase::kRegAppTable:
        table = new QvDbRegAppTable();
        break;
      case QvDbDatabase::kUcsTable:
        table = new QvDbUCSTable();
        break;
      case QvDbDatabase::kViewportTable:
        table = new QvDbViewportTable();
        break;
      default:
        table = new QvDbViewTable();
        break;
    }
    QvDbObjectId id;
    if (const Vexa::ErrorStatus es = db->addSymbolTable(id, table); es != Vexa::eOk) {
      delete table;
      return es;
    }
    table->close();
  }
  if (dictionaries && db->namedObjectsDictionaryId_.isNull()) {
    auto* nod = new QvDbDictionary();
    QvDbObjectId id;
    if (const Vexa::ErrorStatus es = db->addNamedObjectsDictionary(id, nod); es != Vexa::eOk) {
      delete nod;
      return es;
    }
    nod->close();
  }

  ensureRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(db, L"ByBlock", [](auto&) {});
  const QvDbObjectId byLayer =
      ensureRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(db, L"ByLayer", [](auto&) {});
  const QvDbObjectId continuous = ensureRecord<QvDbLinetypeTable, QvDbLinetypeTableRecord>(
      db, L"Continuous", [](auto& r) { r.setComments(L"Solid line"); });
  const QvDbObjectId layer0 = ensureRecord<QvDbLayerTable, QvDbLayerTableRecord>(
      db, L"0", [&](auto& r) { r.setLinetypeObjectId(continuous); });
  const QvDbObjectId standardText =
      ensureRecord<QvDbTextStyleTable, QvDbTextStyleTableRecord>(db, L"Standard", [](auto&) {});
  const QvDbObjectId standardDim = ensureRecord<QvDbDimStyleTable, QvDbDimStyleTableRecord>(
      db, L"Standard", [&](auto& r) { r.setDimtxsty(standardText); });
  ensureRecord<QvDbRegAppTable, QvDbRegAppTableRecord>(db, L"ACAD", [](auto&) {});
  ensureRecord<QvDbViewportTable, QvDbViewportTableRecord>(db, L"*Active", [](auto&) {});
  const QvDbObjectId modelSpace =
      ensureRecord<QvDbBlockTable, QvDbBlockTableRecord>(db, kQvDbModelSpace, [](auto&) {});
  const QvDbObjectId paperSpace =
      ensureRecord<QvDbBlockTable, QvDbBlockTableRecord>(db, kQvDbPaperSpace, [](auto&) {});
  if (!dictionaries) return Vexa::eOk;

  for (const wchar_t* key : kStandardDictionaries)
    ensureDictionary(db->namedObjectsDictionaryId_, key);
  const QvDbObjectId layouts = db->layoutDictionaryId();
  ensureLayout(layouts, L"Model", modelSpace, 0);
  if (!hasLayoutFor(paperSpace)) {
    QvString name = L"Layout1";
    for (int n = 2; !layoutNameFree(layouts, name); ++n) name = QvString::format(L"Layout%d", n);
    ensureLayout(layouts, name.c_str(), paperSpace, 1);
  }
  ensureScales(db->scaleListDictionaryId());
  ensureNormalPlotStyle(db->namedObjectsDictionaryId_);

  if (db->state_.clayer.isNull()) db->state_.clayer = layer0;
  if (db->state_.textstyle.isNull()) db->state_.textstyle = standardText;
  if (db->state_.dimstyle.isNull()) db->state_.dimstyle = standardDim;
  if (db->state_.celtype.isNull()) db->state_.celtype = byLayer;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::completeDefaultContents() {
  return QvDbDefaultContents::complete(this, true);
}

Vexa::ErrorStatus QvDbDatabase::completeDefaultTables() {
  return QvDbDefaultContents::complete(this, false);
}
