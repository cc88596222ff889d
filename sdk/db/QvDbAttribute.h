#pragma once

#include "sdk/db/QvDbText.h"
#include "sdk/db/detail/AttributeData.h"

class QvDbAttributeDefinition;

// An attribute of a block reference: a text holding the value of its tag, owned by the
// reference (appendAttribute). Flags as for QvDbAttributeDefinition. A multi-line attribute
// holds its value in a multi-line text.
class QvDbAttribute : public QvDbText {
  QVDB_DECLARE_MEMBERS(QvDbAttribute);

  QvDbAttribute() = default;
  QvDbAttribute(const QvGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                QvDbObjectId style = QvDbObjectId());

  const QvString& tag() const;
  Vexa::ErrorStatus setTag(const wchar_t* tag);  // eInvalidInput for an empty tag or spaces
  bool isInvisible() const;
  Vexa::ErrorStatus setInvisible(bool on);
  bool isConstant() const;
  bool isVerifiable() const;
  bool isPreset() const;
  bool lockPositionInBlock() const;
  int fieldLength() const;

  // Takes the definition's placement, text properties, tag, flags, default value and
  // multi-line text, and carries them by the block transform of the reference. The host may
  // raise its error (Vexa::HostError) here; the attribute then has already taken the data.
  // The stand-in raises it when the fault point "QvDbAttribute::setAttributeFromBlock" is
  // armed (VexaFaultInjection).
  Vexa::ErrorStatus setAttributeFromBlock(const QvDbAttributeDefinition* definition,
                                          const QvGeMatrix3d& blockTransform);
  // Carries the attribute by a block transform (as transformBy, under the same fault point).
  Vexa::ErrorStatus setAttributeFromBlock(const QvGeMatrix3d& blockTransform);

  // Multi-line attributes.
  bool isMTextAttribute() const;
  // A new multi-line text (owned by the caller); null for a single-line attribute.
  QvDbMText* getMTextAttribute() const;
  // Takes a copy of the multi-line text; the attribute becomes multi-line and its text string
  // its contents.
  Vexa::ErrorStatus setMTextAttribute(QvDbMText* mtext);
  Vexa::ErrorStatus convertIntoMTextAttribute(bool toMText = true);
  // Lays the multi-line text out again where the attribute stands (after it moved or its
  // text properties changed).
  Vexa::ErrorStatus updateMTextAttribute();

  Vexa::ErrorStatus setTextString(const wchar_t* text) override;
  const qvdb_detail::AttributeData& attributeData() const { return data_; }

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // Invisible attributes draw nothing; multi-line ones draw their lines.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

 private:
  qvdb_detail::AttributeData data_;
};
