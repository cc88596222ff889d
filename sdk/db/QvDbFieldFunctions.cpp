#include "sdk/db/QvDbFieldFunctions.h"

#include <memory>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbObjectPointer.h"

Vexa::ErrorStatus CopyFieldFrom(QvDbObject* destination, const QvDbObject* source) {
  if (!destination || !source) return Vexa::eNullPtr;
  QvDbObjectId fieldsId;
  if (source->getFieldDictionary(fieldsId) != Vexa::eOk) return Vexa::eOk;  // no fields
  std::unique_ptr<QvDbDictionaryIterator> it;
  {
    QvDbObjectPointer<QvDbDictionary> fields(fieldsId, QvDb::kForRead);
    if (fields.openStatus() != Vexa::eOk) return fields.openStatus();
    it.reset(fields->newIterator());
  }
  for (; !it->done(); it->next()) {
    QvDbObjectPointer<QvDbField> field(it->objectId(), QvDb::kForRead);
    if (!field) continue;
    QvDbObjectPointer<QvDbField> copy(static_cast<QvDbField*>(field->clone()));
    field.close();
    QvDbObjectId copyId;
    if (const Vexa::ErrorStatus es =
            destination->setField(it->name().c_str(), copy.object(), copyId);
        es != Vexa::eOk)
      return es;
  }
  return Vexa::eOk;
}

Vexa::ErrorStatus TransUnresolvedBlockRefId(QvDbField* field, QvDbObjectId blockReferenceId) {
  if (!field) return Vexa::eNullPtr;
  if (!field->refersToBlockReference() || !field->blockReferenceId().isNull()) return Vexa::eOk;
  return field->resolveBlockReference(blockReferenceId);
}
