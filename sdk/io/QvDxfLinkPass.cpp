#include "sdk/io/QvDxfLinkPass.h"

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfReadSession.h"

QvDxfLinkPass::QvDxfLinkPass(QvDxfReadSession& session, QvDxfFileExtras& extras,
                             const QvDxfHeaderSection::CurrentRecords& current)
    : session_(session), db_(session.db()), extras_(extras), current_(current) {}

void QvDxfLinkPass::run() {
  session_.checkReferences();
  linkDictionaryEntries();
  linkExtensionDictionaries();
  linkOwners();
  linkXData();
  linkLayouts();
  if (db_.completeDefaultContents() != Vexa::eOk)
    qvDxfFail(0, QvDxfDiagnostic::kDrawingRefused,
              "the drawing's standard contents cannot be completed");
  setCurrentRecords();
}

void QvDxfLinkPass::linkDictionaryEntries() {
  QvDbDictionary* dict = nullptr;
  QvDbObjectId dictId;
  auto closeDict = [&] {
    if (dict) dict->close();
    dict = nullptr;
  };
  for (const QvDxfReadSession::PendingEntry& e : session_.dictionaryEntries()) {
    if (e.dictionary != dictId) {
      closeDict();
      dictId = e.dictionary;
      if (qvdbOpenObject(dict, dictId, QvDb::kForWrite) != Vexa::eOk) {
        dict = nullptr;
        qvDxfFail(e.line, QvDxfDiagnostic::kBrokenLink,
                  "the dictionary of this entry cannot be opened");
      }
    }
    if (dict->has(e.key.c_str())) {
      closeDict();
      qvDxfFail(e.line, QvDxfDiagnostic::kNameUsedTwice,
                "the key \"" + e.key.utf8() + "\" is used twice in one dictionary");
    }
    QvDbObject* entry = nullptr;
    if (qvdbOpenObject(entry, e.entry, QvDb::kForWrite) != Vexa::eOk) {
      closeDict();
      qvDxfFail(e.line, QvDxfDiagnostic::kBrokenLink,
                "the entry \"" + e.key.utf8() +
                    "\" cannot be opened (a dictionary "
                    "that holds itself?)");
    }
    QvDbObjectId id;
    const Vexa::ErrorStatus es = dict->setAt(e.key.c_str(), entry, id);
    entry->close();
    if (es != Vexa::eOk) {
      closeDict();
      qvDxfFail(e.line, QvDxfDiagnostic::kBrokenLink,
                "the entry \"" + e.key.utf8() + "\" (handle " +
                    QvDxfNumber::handleText(e.entry.handle().value()) +
                    ") cannot be put in its dictionary: it has another owner");
    }
  }
  closeDict();
}

void QvDxfLinkPass::linkExtensionDictionaries() {
  for (const QvDxfReadSession::PendingLink& link : session_.extensionDictionaries()) {
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, link.object, QvDb::kForWrite) != Vexa::eOk)
      qvDxfFail(link.line, QvDxfDiagnostic::kBrokenLink,
                "the object of this extension dictionary cannot be opened");
    const Vexa::ErrorStatus es = object->setExtensionDictionary(link.target);
    object->close();
    if (es != Vexa::eOk)
      qvDxfFail(link.line, QvDxfDiagnostic::kBrokenLink,
                "the extension dictionary " +
                    QvDxfNumber::handleText(link.target.handle().value()) +
                    " is not a dictionary of its own for this object");
  }
}

void QvDxfLinkPass::linkOwners() {
  for (const QvDxfReadSession::PendingLink& p : session_.owners()) {
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, p.object, QvDb::kForWrite) != Vexa::eOk) continue;
    if (object->ownerId().isNull()) object->setOwnerId(p.target);
    object->close();
  }
}

void QvDxfLinkPass::linkXData() {
  for (QvDxfReadSession::PendingXData& p : session_.pendingXData()) {
    for (const resbuf* rb = p.data; rb; rb = rb->next) {
      if (rb->type != kGcXDataAppName || !rb->value.string) continue;
      const QvString app(rb->value.string);
      QvDbRegAppTable* table = nullptr;
      if (db_.getSymbolTable(table, QvDb::kForWrite) != Vexa::eOk)
        qvDxfFail(p.line, QvDxfDiagnostic::kDrawingRefused,
                  "the drawing has no table of registered applications");
      if (!table->has(app.c_str())) {
        auto* record = new QvDbRegAppTableRecord();
        QvDbObjectId id;
        if (record->setName(app.c_str()) != Vexa::eOk || table->add(id, record) != Vexa::eOk) {
          delete record;
          table->close();
          qvDxfFail(p.line, QvDxfDiagnostic::kRefusedValue,
                    qvDxfQuoted(app.utf8()) + " is not a valid application name");
        }
        record->close();
        session_.repair(p.line, QvDxfDiagnostic::kApplicationRegistered,
                        "the application \"" + app.utf8() +
                            "\" of extended data was not registered and has been added");
      }
      table->close();
    }
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, p.object, QvDb::kForWrite) != Vexa::eOk)
      qvDxfFail(p.line, QvDxfDiagnostic::kBrokenLink,
                "the object of this extended data cannot be opened");
    const Vexa::ErrorStatus es = object->setXData(p.data);
    object->close();
    if (es != Vexa::eOk)
      qvDxfFail(p.line, QvDxfDiagnostic::kRefusedValue,
                "the extended data is not valid (a text longer than 255 characters, "
                "or unbalanced braces)");
  }
}

void QvDxfLinkPass::linkLayouts() {
  for (const QvDbObjectId& layoutId : session_.layouts()) {
    QvDbLayout* layout = nullptr;
    if (qvdbOpenObject(layout, layoutId, QvDb::kForRead) != Vexa::eOk) continue;
    const QvDbObjectId blockId = layout->getBlockTableRecordId();
    layout->close();
    QvDbBlockTableRecord* block = nullptr;
    if (qvdbOpenObject(block, blockId, QvDb::kForWrite) != Vexa::eOk) continue;
    if (block->getLayoutId().isNull()) block->setLayoutId(layoutId);
    block->close();
  }
}

void QvDxfLinkPass::setCurrentRecords() {
  struct Current {
    const QvString& name;
    uint32_t line;
    QvDbObjectId table;
    Vexa::ErrorStatus (QvDbDatabase::*set)(QvDbObjectId);
    const char* what;
    const char* variable;
  };
  const Current currents[] = {
      {current_.layer, current_.layerLine, db_.layerTableId(), &QvDbDatabase::setClayer, "layer",
       "CLAYER"},
      {current_.linetype, current_.linetypeLine, db_.linetypeTableId(), &QvDbDatabase::setCeltype,
       "linetype", "CELTYPE"},
      {current_.textStyle, current_.textStyleLine, db_.textStyleTableId(),
       &QvDbDatabase::setTextstyle, "text style", "TEXTSTYLE"},
      {current_.dimStyle, current_.dimStyleLine, db_.dimStyleTableId(), &QvDbDatabase::setDimstyle,
       "dimension style", "DIMSTYLE"},
  };
  for (const Current& c : currents) {
    if (c.name.isEmpty()) continue;
    QvDbSymbolTable* table = nullptr;
    QvDbObjectId id;
    if (qvdbOpenObject(table, c.table, QvDb::kForRead) == Vexa::eOk) {
      table->getAt(c.name.c_str(), id);
      table->close();
    }
    if (!id.isNull() && (db_.*c.set)(id) == Vexa::eOk) continue;
    // The name stays in the file as it was; the drawing's standard record is current.
    for (QvDxfFileExtras::HeaderVariable& v : extras_.header)
      if (v.name == c.variable) v.known = false;
    session_.repair(c.line, QvDxfDiagnostic::kCurrentRecordReplaced,
                    std::string("the current ") + c.what + " \"" + c.name.utf8() +
                        "\" is not defined; the standard one is current");
  }
}
