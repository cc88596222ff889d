#include "sdk/db/QvDbRasterImageDef.h"

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbRasterImageDef)

QvString QvDbRasterImageDef::sourceFileName() const {
  assertReadEnabled();
  return sourceFileName_;
}

Vexa::ErrorStatus QvDbRasterImageDef::setSourceFileName(const wchar_t* path) {
  if (!path || !*path) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  sourceFileName_ = QvString(path);
  return Vexa::eOk;
}

QvGeVector2d QvDbRasterImageDef::size() const {
  assertReadEnabled();
  return size_;
}

Vexa::ErrorStatus QvDbRasterImageDef::setSize(double width, double height) {
  if (!(width > 0.0) || !(height > 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  size_.set(width, height);
  return Vexa::eOk;
}

QvGeVector2d QvDbRasterImageDef::pixelSize() const {
  assertReadEnabled();
  return pixelSize_;
}

Vexa::ErrorStatus QvDbRasterImageDef::setPixelSize(double width, double height) {
  if (!(width > 0.0) || !(height > 0.0)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  pixelSize_.set(width, height);
  return Vexa::eOk;
}

QvDbObjectId QvDbRasterImageDef::imageDictionaryId(const QvDbDatabase* db) {
  if (!db) return QvDbObjectId();
  QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForRead);
  if (!root) return QvDbObjectId();
  QvDbObjectId id;
  root->getAt(kDictionaryKey, id);
  return id;
}

Vexa::ErrorStatus QvDbRasterImageDef::addToDatabase(QvDbDatabase* db, const wchar_t* name,
                                                    QvDbRasterImageDef* def, QvDbObjectId& defId) {
  if (!db || !def) return Vexa::eInvalidInput;
  if (def->isResident()) return Vexa::eAlreadyInDb;
  QvDbObjectId dictId = imageDictionaryId(db);
  if (dictId.isNull()) {
    QvDbObjectPointer<QvDbDictionary> root(db->namedObjectsDictionaryId(), QvDb::kForWrite);
    if (!root) return root.openStatus();
    auto* dict = new QvDbDictionary();
    if (const Vexa::ErrorStatus es = root->setAt(kDictionaryKey, dict, dictId); es != Vexa::eOk) {
      delete dict;
      return es;
    }
    dict->close();
  }
  QvDbObjectPointer<QvDbDictionary> dict(dictId, QvDb::kForWrite);
  if (!dict) return dict.openStatus();
  if (const Vexa::ErrorStatus es = dict->setAt(name, def, defId); es != Vexa::eOk) return es;
  return def->close();
}
