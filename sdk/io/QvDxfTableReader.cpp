#include "sdk/io/QvDxfTableReader.h"

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbUCSTable.h"
#include "sdk/db/QvDbViewTable.h"
#include "sdk/db/QvDbViewportTable.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/records/QvDxfRecordFiler.h"

namespace {

// A symbol table of the TABLES section: its name, its class and the session's table.
struct TableKind {
  std::string_view name;
  QvDxfReadSession::Table table;
  QvDbSymbolTable* (*make)();
};

template <class T>
QvDbSymbolTable* makeTable() {
  return new T();
}

constexpr TableKind kTableKinds[] = {
    {"VPORT", QvDxfReadSession::kViewport, &makeTable<QvDbViewportTable>},
    {"LTYPE", QvDxfReadSession::kLinetype, &makeTable<QvDbLinetypeTable>},
    {"LAYER", QvDxfReadSession::kLayer, &makeTable<QvDbLayerTable>},
    {"STYLE", QvDxfReadSession::kTextStyle, &makeTable<QvDbTextStyleTable>},
    {"VIEW", QvDxfReadSession::kView, &makeTable<QvDbViewTable>},
    {"UCS", QvDxfReadSession::kUcs, &makeTable<QvDbUCSTable>},
    {"APPID", QvDxfReadSession::kRegApp, &makeTable<QvDbRegAppTable>},
    {"DIMSTYLE", QvDxfReadSession::kDimStyle, &makeTable<QvDbDimStyleTable>},
    {"BLOCK_RECORD", QvDxfReadSession::kBlock, &makeTable<QvDbBlockTable>},
};

constexpr std::string_view kTableMarkers[] = {"AcDbSymbolTable", "AcDbDimStyleTable"};

}  // namespace

QvDxfTableReader::QvDxfTableReader(QvDxfReadSession& session, QvDxfFileExtras& extras)
    : session_(session), tokens_(session.tokens()), extras_(extras) {}

void QvDxfTableReader::read(size_t begin, size_t end) {
  sawTables_ = true;
  for (size_t i = begin; i < end;) {
    if (!tokens_.is(i, 0, "TABLE"))
      qvDxfFail(
          tokens_[i].line, QvDxfDiagnostic::kMisplaced,
          "a table (0 TABLE) should start here, not \"" + qvDxfExcerpt(tokens_.value(i)) + "\"");
    size_t j = tokens_.recordEnd(i, end);
    while (j < end && !tokens_.is(j, 0, "ENDTAB")) {
      if (tokens_.is(j, 0, "TABLE"))
        qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kNotClosed,
                  "the table is not closed (0 ENDTAB) before the next one");
      j = tokens_.recordEnd(j, end);
    }
    if (j >= end)
      qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kNotClosed, "the table is not closed (0 ENDTAB)");
    readTable(i, j);
    i = tokens_.recordEnd(j, end);
  }
}

void QvDxfTableReader::readTable(size_t begin, size_t end) {
  const size_t headEnd = tokens_.recordEnd(begin, end);
  std::string_view name;
  for (size_t k = begin + 1; k < headEnd; ++k) {
    if (tokens_.code(k) == 2) {
      name = tokens_.value(k);
      break;
    }
  }
  const TableKind* kind = nullptr;
  for (const TableKind& t : kTableKinds)
    if (t.name == name) kind = &t;
  if (!kind)
    qvDxfFail(tokens_[begin].line,
              name.empty() ? QvDxfDiagnostic::kMissingGroup : QvDxfDiagnostic::kMisplaced,
              name.empty() ? std::string("the table has no name (2)")
                           : qvDxfQuoted(qvDxfExcerpt(name)) + " is not a table of drawing files");

  const bool dimstyles = kind->table == QvDxfReadSession::kDimStyle;
  QvDxfObjectReader in(session_, begin, headEnd,
                       std::span<const std::string_view>(kTableMarkers, dimstyles ? 2 : 1));
  in.select(QvDxfSlot::kHead);
  if (in.find(2) == QvDxfObjectReader::npos) {
    in.select(1);
    in.find(2);
  }
  in.select(1);
  in.integer(70, 0, INT32_MIN, INT32_MAX);  // the count, taken from the records
  if (dimstyles) {
    in.select(2);
    in.integer(71, 0, INT32_MIN, INT32_MAX);
    while (in.find(340) != QvDxfObjectReader::npos) {
    }
  }
  QvDbSymbolTable* table = kind->make();
  session_.addTable(table, in.handle(), in.handle() ? in.handleLine() : in.line());
  in.applyCommon(*table);

  const QvDxfClassFiler* filer = nullptr;
  for (size_t k = headEnd; k < end;) {
    const size_t next = tokens_.recordEnd(k, end);
    const std::string_view recordName = tokens_.value(k);
    if (!filer)
      filer = QvDxfFilerRegistry::instance().forRecord(QvDxfClassFiler::kTableRecord, recordName);
    if (!filer || filer->recordName() != recordName ||
        static_cast<const QvDxfRecordFiler*>(filer)->table() != kind->table)
      qvDxfFail(tokens_[k].line, QvDxfDiagnostic::kMisplaced,
                "a " + qvDxfExcerpt(recordName) + " record stands in the " +
                    std::string(kind->name) + " table");
    // A name the table has already: a second "*Active" viewport (a tiled configuration) is
    // kept as read; in other tables it is refused.
    QvString recordKey;
    for (size_t m = k + 1; m < next; ++m) {
      if (tokens_.code(m) == 2) {
        recordKey = session_.decode(tokens_.value(m));
        break;
      }
    }
    if (!recordKey.isEmpty() && !session_.findRecord(kind->table, recordKey).isNull()) {
      if (kind->table != QvDxfReadSession::kViewport)
        qvDxfFail(tokens_[k].line, QvDxfDiagnostic::kNameUsedTwice,
                  "the name \"" + recordKey.utf8() + "\" is used twice in the " +
                      std::string(kind->name) + " table");
      QvDxfFileExtras::TableRecord kept{std::string(kind->name), {}};
      for (size_t m = k; m < next; ++m) {
        if (tokens_.code(m) == 5 && m < next)
          session_.reservePhantom(
              session_.parseHandle(tokens_.value(m), tokens_[m].line + 1, false), tokens_[m].line);
        kept.groups.push_back(
            {static_cast<int16_t>(tokens_.code(m)), session_.toUtf8(tokens_.value(m))});
      }
      extras_.tableRecords.push_back(std::move(kept));
      k = next;
      continue;
    }
    QvDxfObjectReader rec(session_, k, next, filer->subclassMarkers());
    auto* record = static_cast<QvDbSymbolTableRecord*>(filer->create(rec));
    const QvDbObjectId id =
        session_.add(record, rec.handle(), rec.handle() ? rec.handleLine() : rec.line());
    if (rec.hasOwner()) session_.reference(rec.ownerHandle(), rec.ownerLine());
    filer->read(rec, *record);
    rec.applyCommon(*record);
    const Vexa::ErrorStatus es = table->add(record);
    if (es == Vexa::eDuplicateKey)
      qvDxfFail(rec.line(), QvDxfDiagnostic::kNameUsedTwice,
                "the name \"" + record->name().utf8() + "\" is used twice in the " +
                    std::string(kind->name) + " table");
    if (es != Vexa::eOk)
      qvDxfFail(rec.line(), QvDxfDiagnostic::kRefusedValue,
                qvDxfQuoted(record->name().utf8()) + " is not a valid name in the " +
                    std::string(kind->name) + " table");
    if (!record->name().isEmpty()) session_.noteRecord(kind->table, record->name(), id);
    record->close();
    k = next;
  }
  table->close();
}

void QvDxfTableReader::ensureTables(bool rootFollows) {
  QvDbDatabase& db = session_.db();
  if (sawTables_ || !db.blockTableId().isNull()) return;
  // A file of entities alone: the drawing's tables are made first.
  if ((rootFollows ? db.completeDefaultTables() : db.completeDefaultContents()) != Vexa::eOk)
    qvDxfFail(0, QvDxfDiagnostic::kDrawingRefused, "the drawing's standard tables cannot be made");
  struct Known {
    QvDbObjectId table;
    QvDxfReadSession::Table kind;
  };
  const Known known[] = {{db.layerTableId(), QvDxfReadSession::kLayer},
                         {db.linetypeTableId(), QvDxfReadSession::kLinetype},
                         {db.textStyleTableId(), QvDxfReadSession::kTextStyle},
                         {db.dimStyleTableId(), QvDxfReadSession::kDimStyle},
                         {db.regAppTableId(), QvDxfReadSession::kRegApp},
                         {db.blockTableId(), QvDxfReadSession::kBlock}};
  for (const Known& k : known) {
    QvDbSymbolTable* table = nullptr;
    if (qvdbOpenObject(table, k.table, QvDb::kForRead) != Vexa::eOk) continue;
    QvDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Vexa::eOk) {
      for (; !it->done(); it->step()) {
        QvDbSymbolTableRecord* record = nullptr;
        if (it->getRecord(record, QvDb::kForRead) != Vexa::eOk) continue;
        session_.noteRecord(k.kind, record->name(), record->objectId());
        record->close();
      }
      delete it;
    }
    table->close();
  }
  sawTables_ = true;
}
