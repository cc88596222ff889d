#pragma once

#include "sdk/db/QvDbText.h"
#include "sdk/db/detail/AttributeData.h"

// An attribute definition of a block: a text that shows its tag, with the prompt asked when
// a reference is inserted and its default value as its text string. Flags: invisible,
// constant (the value is the definition's, no attribute is made), verifiable (asked twice),
// preset (the default is taken without asking). A multi-line definition holds its default in
// a multi-line text.
class QvDbAttributeDefinition : public QvDbText {
  QVDB_DECLARE_MEMBERS(QvDbAttributeDefinition);

  QvDbAttributeDefinition() = default;
  QvDbAttributeDefinition(const QvGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                          const wchar_t* prompt, QvDbObjectId style = QvDbObjectId());

  const QvString& tag() const;
  Vexa::ErrorStatus setTag(const wchar_t* tag);  // eInvalidInput for an empty tag or spaces
  QvString prompt() const;
  Vexa::ErrorStatus setPrompt(const wchar_t* prompt);
  bool isInvisible() const;
  Vexa::ErrorStatus setInvisible(bool on);
  bool isConstant() const;
  Vexa::ErrorStatus setConstant(bool on);
  bool isVerifiable() const;
  Vexa::ErrorStatus setVerifiable(bool on);
  bool isPreset() const;
  Vexa::ErrorStatus setPreset(bool on);
  bool lockPositionInBlock() const;
  Vexa::ErrorStatus setLockPositionInBlock(bool on);
  int fieldLength() const;
  Vexa::ErrorStatus setFieldLength(int length);

  // Multi-line definitions.
  bool isMTextAttributeDefinition() const;
  // A new multi-line text (owned by the caller); null for a single-line definition.
  QvDbMText* getMTextAttributeDefinition() const;
  // Takes a copy of the multi-line text; the definition becomes multi-line.
  Vexa::ErrorStatus setMTextAttributeDefinition(QvDbMText* mtext);
  // Turns a single-line definition into a multi-line one (its text becomes the contents),
  // or back (the contents' first line becomes the text).
  Vexa::ErrorStatus convertIntoMTextAttributeDefinition(bool toMText = true);
  // Lays the multi-line text out again where the definition stands.
  Vexa::ErrorStatus updateMTextAttributeDefinition();

  // A multi-line definition's text string is its contents.
  Vexa::ErrorStatus setTextString(const wchar_t* text) override;
  const qvdb_detail::AttributeData& attributeData() const { return data_; }

 protected:
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  QvString displayString() const override;  // the tag

 private:
  qvdb_detail::AttributeData data_;
  QvString prompt_;
};
