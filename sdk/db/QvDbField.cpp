#include "sdk/db/QvDbField.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbField)

QvString QvDbField::getFieldCode() const {
  assertReadEnabled();
  return code_;
}

Vexa::ErrorStatus QvDbField::setFieldCode(const wchar_t* code) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  code_ = QvString(code);
  evaluated_ = false;
  return Vexa::eOk;
}

QvString QvDbField::getValue() const {
  assertReadEnabled();
  return evaluated_ ? value_ : code_;
}

Vexa::ErrorStatus QvDbField::setValue(const wchar_t* text) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  value_ = QvString(text);
  evaluated_ = true;
  return Vexa::eOk;
}

bool QvDbField::isEvaluated() const {
  assertReadEnabled();
  return evaluated_;
}

QvDbObjectIdArray QvDbField::objectIds() const {
  assertReadEnabled();
  return objects_;
}

Vexa::ErrorStatus QvDbField::setObjectIds(const QvDbObjectIdArray& ids) {
  if (isResident())
    for (const QvDbObjectId& id : ids)
      if (!id.isNull() && id.database() != database()) return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  objects_ = ids;
  return Vexa::eOk;
}

bool QvDbField::refersToBlockReference() const {
  assertReadEnabled();
  return refersToReference_;
}

QvDbObjectId QvDbField::blockReferenceId() const {
  assertReadEnabled();
  return reference_;
}

Vexa::ErrorStatus QvDbField::setUnresolvedBlockReference() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  refersToReference_ = true;
  reference_.setNull();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbField::resolveBlockReference(QvDbObjectId blockReferenceId) {
  if (blockReferenceId.isNull()) return Vexa::eNullObjectId;
  if (!refersToReference_) return Vexa::eNotApplicable;
  if (isResident() && blockReferenceId.database() != database()) return Vexa::eWrongDatabase;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  reference_ = blockReferenceId;
  return Vexa::eOk;
}

void QvDbField::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  for (QvDbObjectId& id : objects_)
    if (!id.isNull()) visitor.visit(id, QvDbIdVisitor::kSoftPointer);
  if (!reference_.isNull()) visitor.visit(reference_, QvDbIdVisitor::kSoftPointer);
}
