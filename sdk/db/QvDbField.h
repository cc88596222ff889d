#pragma once

#include "sdk/db/QvDbObject.h"

// A field: text computed from a field code, kept with the object whose property it fills
// (QvDbObject::setField). The stand-in keeps the code, the last evaluated text and the objects
// the code refers to. A field of an attribute definition may refer to "the block reference"
// before there is one: that reference is unresolved until the attribute is made for a
// reference (TransUnresolvedBlockRefId).
class QvDbField : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbField);

  QvDbField() = default;
  explicit QvDbField(const wchar_t* fieldCode) : code_(fieldCode) {}

  QvString getFieldCode() const;
  Vexa::ErrorStatus setFieldCode(const wchar_t* code);
  // The text last evaluated; the code itself while it was never evaluated.
  QvString getValue() const;
  Vexa::ErrorStatus setValue(const wchar_t* text);
  // Whether a value was set since the code last changed.
  bool isEvaluated() const;

  // The objects the code names, in order.
  QvDbObjectIdArray objectIds() const;
  Vexa::ErrorStatus setObjectIds(const QvDbObjectIdArray& ids);
  // The block reference the field refers to; null while unresolved.
  bool refersToBlockReference() const;
  QvDbObjectId blockReferenceId() const;
  // Marks the field as referring to a block reference that is not known yet.
  Vexa::ErrorStatus setUnresolvedBlockReference();
  Vexa::ErrorStatus resolveBlockReference(QvDbObjectId blockReferenceId);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  QvString code_;
  QvString value_;
  bool evaluated_ = false;
  QvDbObjectIdArray objects_;
  bool refersToReference_ = false;
  QvDbObjectId reference_;
};
