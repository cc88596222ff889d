#include "sdk/db/QvDbUnderlayDefinition.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbUnderlayDefinition)
QVRX_DEFINE_HOST_MEMBERS(QvDbDwfDefinition)
QVRX_DEFINE_HOST_MEMBERS(QvDbPdfDefinition)
QVRX_DEFINE_HOST_MEMBERS(QvDbDgnDefinition)

const wchar_t* QvDbUnderlayDefinition::dictionaryKey(QvDbUnderlayFormat format) {
  switch (format) {
    case QvDbUnderlayFormat::kDwf:
      return L"ACAD_DWFDEFINITIONS";
    case QvDbUnderlayFormat::kPdf:
      return L"ACAD_PDFDEFINITIONS";
    case QvDbUnderlayFormat::kDgn:
      return L"ACAD_DGNDEFINITIONS";
  }
  return L"";
}

QvDbObjectId QvDbUnderlayDefinition::dictionaryId(const QvDbDatabase* db,
                                                  QvDbUnderlayFormat format) {
  if (!db) return QvDbObjectId();
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForRead);
  if (!root) return QvDbObjectId();
  QvDbObjectId id;
  root->getAt(dictionaryKey(format), id);
  return id;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::makeDictionary(QvDbDatabase* db,
                                                         QvDbUnderlayFormat format,
                                                         QvDbObjectId& dictId) {
  if (!db) return Vexa::eNoDatabase;
  dictId = dictionaryId(db, format);
  if (!dictId.isNull()) return Vexa::eOk;
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForWrite);
  if (!root) return root.openStatus();
  auto* dict = new QvDbDictionary();
  if (const Vexa::ErrorStatus es = root->setAt(dictionaryKey(format), dict, dictId);
      es != Vexa::eOk) {
    delete dict;
    dictId.setNull();
    return es;
  }
  return dict->close();
}

Vexa::ErrorStatus QvDbUnderlayDefinition::addToDatabase(QvDbDatabase* db, const wchar_t* name,
                                                        QvDbUnderlayDefinition* def,
                                                        QvDbObjectId& defId) {
  defId.setNull();
  if (!db || !def || !name || !*name) return Vexa::eInvalidInput;
  if (def->isResident()) return Vexa::eAlreadyInDb;
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = makeDictionary(db, def->format(), dictId); es != Vexa::eOk)
    return es;
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
  if (!dict) return dict.openStatus();
  if (const Vexa::ErrorStatus es = dict->setAt(name, def, defId); es != Vexa::eOk) return es;
  return def->close();
}

QvString QvDbUnderlayDefinition::getSourceFileName() const {
  assertReadEnabled();
  return sourceFileName_;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::setSourceFileName(const wchar_t* path) {
  if (!path || !*path) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  sourceFileName_ = QvString(path);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::getActiveFileName(QvString& path) const {
  path = QvString();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  QvString found;
  if (sourceFileName_.isEmpty() || !qvdbFindUnderlayFile(sourceFileName_, database(), found))
    return Vexa::eFileNotFound;
  path = found;
  return Vexa::eOk;
}

QvString QvDbUnderlayDefinition::getItemName() const {
  assertReadEnabled();
  return itemName_;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::setItemName(const wchar_t* name) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  itemName_ = QvString(name ? name : L"");
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::load(const wchar_t* password) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  QvString path;
  if (const Vexa::ErrorStatus es = getActiveFileName(path); es != Vexa::eOk) return es;
  const QvDbUnderlayFormatService* service = qvdbUnderlayService(format());
  if (!service) return Vexa::eInvalidInput;
  QvDbUnderlayFile* opened = nullptr;
  if (const Vexa::ErrorStatus es =
          service->getFile(path.c_str(), password ? password : L"", opened);
      es != Vexa::eOk) {
    delete opened;
    return es;
  }
  std::shared_ptr<const QvDbUnderlayFile> file(opened);
  const QvDbUnderlayItem* item =
      itemName_.isEmpty() ? file->getItem(0) : file->getItem(itemName_.c_str());
  if (!item) return Vexa::eKeyNotFound;
  if (itemName_.isEmpty()) itemName_ = item->name();
  file_ = std::move(file);
  item_ = item;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbUnderlayDefinition::unload() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  file_.reset();
  item_ = nullptr;
  return Vexa::eOk;
}

bool QvDbUnderlayDefinition::isLoaded() const {
  assertReadEnabled();
  return file_ != nullptr;
}

const QvDbUnderlayFile* QvDbUnderlayDefinition::getUnderlayFile() const {
  assertReadEnabled();
  return file_.get();
}

const QvDbUnderlayItem* QvDbUnderlayDefinition::getUnderlayItem() const {
  assertReadEnabled();
  return item_;
}
