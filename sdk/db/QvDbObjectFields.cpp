// The fields of an object, kept in its extension dictionary under "ACAD_FIELD".
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbObjectPointer.h"

namespace {
constexpr const wchar_t* kFieldDictionary = L"ACAD_FIELD";
}

Vexa::ErrorStatus QvDbObject::getFieldDictionary(QvDbObjectId& dictId) const {
  dictId.setNull();
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (extDictId_.isNull() || extDictId_.isErased()) return Vexa::eKeyNotFound;
  QvDbObjectPointer<QvDbDictionary> extDict(extDictId_, QvDb::kForRead);
  if (extDict.openStatus() != Vexa::eOk) return extDict.openStatus();
  return extDict->getAt(kFieldDictionary, dictId);
}

bool QvDbObject::hasFields() const {
  QvDbObjectId dictId;
  if (getFieldDictionary(dictId) != Vexa::eOk) return false;
  QvDbObjectPointer<QvDbDictionary> fields(dictId, QvDb::kForRead);
  return fields && fields->numEntries() > 0;
}

Vexa::ErrorStatus QvDbObject::getField(const wchar_t* propertyName, QvDbObjectId& fieldId) const {
  fieldId.setNull();
  QvDbObjectId dictId;
  if (const Vexa::ErrorStatus es = getFieldDictionary(dictId); es != Vexa::eOk) return es;
  QvDbObjectPointer<QvDbDictionary> fields(dictId, QvDb::kForRead);
  if (fields.openStatus() != Vexa::eOk) return fields.openStatus();
  return fields->getAt(propertyName, fieldId);
}

Vexa::ErrorStatus QvDbObject::getField(const wchar_t* propertyName, QvDbField*& field,
                                       QvDb::OpenMode mode) const {
  field = nullptr;
  QvDbObjectId fieldId;
  if (const Vexa::ErrorStatus es = getField(propertyName, fieldId); es != Vexa::eOk) return es;
  return qvdbOpenObject(field, fieldId, mode);
}

Vexa::ErrorStatus QvDbObject::setField(const wchar_t* propertyName, QvDbField* field,
                                       QvDbObjectId& fieldId) {
  fieldId.setNull();
  if (!field) return Vexa::eNullPtr;
  if (!propertyName || !*propertyName) return Vexa::eInvalidInput;
  if (!stub_) return Vexa::eNotInDatabase;
  if (field->isResident()) return Vexa::eAlreadyInDb;
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (extDictId_.isNull() || extDictId_.isErased()) {
    if (const Vexa::ErrorStatus es = createExtensionDictionary(); es != Vexa::eOk) return es;
  }
  QvDbObjectPointer<QvDbDictionary> extDict(extDictId_, QvDb::kForWrite);
  if (extDict.openStatus() != Vexa::eOk) return extDict.openStatus();
  QvDbObjectId fieldsId;
  if (extDict->getAt(kFieldDictionary, fieldsId) != Vexa::eOk) {
    QvDbObjectPointer<QvDbDictionary> made(new QvDbDictionary());
    if (const Vexa::ErrorStatus es = extDict->setAt(kFieldDictionary, made.object(), fieldsId);
        es != Vexa::eOk)
      return es;
  }
  extDict.close();
  QvDbObjectPointer<QvDbDictionary> fields(fieldsId, QvDb::kForWrite);
  if (fields.openStatus() != Vexa::eOk) return fields.openStatus();
  return fields->setAt(propertyName, field, fieldId);
}

Vexa::ErrorStatus QvDbObject::removeField(const wchar_t* propertyName) {
  if (!stub_) return Vexa::eNotInDatabase;
  if (!isWriteEnabled()) return assertWriteEnabled();
  QvDbObjectId fieldsId;
  if (const Vexa::ErrorStatus es = getFieldDictionary(fieldsId); es != Vexa::eOk) return es;
  QvDbObjectPointer<QvDbDictionary> fields(fieldsId, QvDb::kForWrite);
  if (fields.openStatus() != Vexa::eOk) return fields.openStatus();
  QvDbObjectId fieldId;
  if (const Vexa::ErrorStatus es = fields->getAt(propertyName, fieldId); es != Vexa::eOk) return es;
  QvDbObjectPointer<QvDbField> field(fieldId, QvDb::kForWrite);
  if (field.openStatus() != Vexa::eOk) return field.openStatus();
  if (const Vexa::ErrorStatus es = fields->remove(propertyName); es != Vexa::eOk) return es;
  return field->erase();
}

Vexa::ErrorStatus QvDbObject::removeField(QvDbObjectId fieldId) {
  QvDbObjectId fieldsId;
  if (const Vexa::ErrorStatus es = getFieldDictionary(fieldsId); es != Vexa::eOk) return es;
  QvString name;
  {
    QvDbObjectPointer<QvDbDictionary> fields(fieldsId, QvDb::kForRead);
    if (fields.openStatus() != Vexa::eOk) return fields.openStatus();
    if (const Vexa::ErrorStatus es = fields->nameAt(fieldId, name); es != Vexa::eOk) return es;
  }
  return removeField(name.c_str());
}
