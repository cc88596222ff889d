#include "sdk/db/QvDbObjectContextInterface.h"

#include "sdk/db/QvDbAnnotationScale.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbHostExtensions.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbXrecord.h"
#include "sdk/db/detail/DetachedContexts.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr int16_t kScaleNameCode = 300;

bool isScale(const QvDbObjectContext& context) {
  return context.collectionName() == QvDbAnnotationScale::kCollectionName;
}

// The scale names kept by an object (its extension dictionary's record).
QvArray<QvString> namesOf(const QvDbObject* obj) {
  QvArray<QvString> names;
  if (!obj) return names;
  if (!obj->isResident()) return qvdb_detail::detachedContexts(obj);
  const QvDbObjectId extDict = obj->extensionDictionary();
  if (extDict.isNull() || extDict.isErased()) return names;
  QvDbObjectPointer<QvDbDictionary> dict(extDict, QvDb::kForRead);
  if (!dict) return names;
  QvDbXrecord* record = nullptr;
  if (dict->getAt(QvDbAnnotationScale::kCollectionName, record, QvDb::kForRead) != Vexa::eOk)
    return names;
  resbuf* data = nullptr;
  record->rbChain(data);
  record->close();
  QvRbListPtr owned(data);
  for (const resbuf* rb = data; rb; rb = rb->next)
    if (rb->type == kScaleNameCode && rb->value.string) names.append(QvString(rb->value.string));
  return names;
}

// Replaces the object's kept names.
Vexa::ErrorStatus storeNames(QvDbObject* obj, const QvArray<QvString>& names) {
  if (!obj->isResident()) {
    qvdb_detail::setDetachedContexts(obj, names);
    return Vexa::eOk;
  }
  if (obj->extensionDictionary().isNull() || obj->extensionDictionary().isErased()) {
    if (const Vexa::ErrorStatus es = obj->createExtensionDictionary(); es != Vexa::eOk) return es;
  }
  QvDbObjectPointer<QvDbDictionary> dict(obj->extensionDictionary(), QvDb::kForWrite);
  if (dict.openStatus() != Vexa::eOk) return dict.openStatus();
  resbuf* head = nullptr;
  resbuf* tail = nullptr;
  for (const QvString& name : names) {
    resbuf* rb = qvutNewRb(kScaleNameCode);
    qvutSetRbString(rb, name.c_str());
    (head ? tail->next : head) = rb;
    tail = rb;
  }
  QvRbListPtr data(head);
  QvDbXrecord* record = nullptr;
  if (dict->getAt(QvDbAnnotationScale::kCollectionName, record, QvDb::kForWrite) == Vexa::eOk) {
    const Vexa::ErrorStatus es = record->setFromRbChain(data.get());
    record->close();
    return es;
  }
  QvDbObjectPointer<QvDbXrecord> made(new QvDbXrecord());
  made->setFromRbChain(data.get());
  QvDbObjectId id;
  return dict->setAt(QvDbAnnotationScale::kCollectionName, made.object(), id);
}

// The drawing whose scale list the object's contexts come from: its own, or the working
// drawing for an object outside a database.
const QvDbDatabase* drawingOf(const QvDbObject* obj) {
  if (obj->isResident()) return obj->database();
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

}  // namespace

QvRxClass* QvDbObjectContextInterface::desc() {
  static QvRxClass* const descriptor = qvrxHostClass(L"QvDbObjectContextInterface");
  qvdbAttachHostExtensions();
  return descriptor;
}

QvRxClass* QvDbObjectContextInterface::isA() const {
  return desc();
}

bool QvDbObjectContextInterface::supportsCollection(const QvDbObject* obj,
                                                    const wchar_t* collectionName) const {
  return obj && QvString(collectionName) == QvDbAnnotationScale::kCollectionName;
}

bool QvDbObjectContextInterface::hasContext(const QvDbObject* obj,
                                            const QvDbObjectContext& context) const {
  if (!isScale(context)) return false;
  const QvString name = context.getName();
  for (const QvString& kept : namesOf(obj))
    if (kept.compareNoCase(name) == 0) return true;
  return false;
}

Vexa::ErrorStatus QvDbObjectContextInterface::addContext(QvDbObject* obj,
                                                         const QvDbObjectContext& context) const {
  if (!obj) return Vexa::eNullPtr;
  if (!isScale(context)) return Vexa::eNotApplicable;
  const QvDbDatabase* drawing = drawingOf(obj);
  if (!drawing) return Vexa::eNotInDatabase;
  if (const Vexa::ErrorStatus es = obj->assertWriteEnabled(false, false); es != Vexa::eOk)
    return es;
  if (drawing->findScale(context.getName()).isNull()) return Vexa::eKeyNotFound;
  if (hasContext(obj, context)) return Vexa::eOk;
  QvArray<QvString> names = namesOf(obj);
  names.append(context.getName());
  return storeNames(obj, names);
}

Vexa::ErrorStatus QvDbObjectContextInterface::removeContext(
    QvDbObject* obj, const QvDbObjectContext& context) const {
  if (!obj) return Vexa::eNullPtr;
  if (!isScale(context)) return Vexa::eNotApplicable;
  if (const Vexa::ErrorStatus es = obj->assertWriteEnabled(false, false); es != Vexa::eOk)
    return es;
  QvArray<QvString> names = namesOf(obj);
  QvArray<QvString> kept;
  for (const QvString& name : names)
    if (name.compareNoCase(context.getName()) != 0) kept.append(name);
  if (kept.length() == names.length()) return Vexa::eKeyNotFound;
  return storeNames(obj, kept);
}

QvArray<QvString> QvDbObjectContextInterface::contextNames(const QvDbObject* obj) const {
  return namesOf(obj);
}
