#include "sdk/db/QvDbAttributeDefinition.h"

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbAttributeDefinition)

using qvdb_detail::AttributeData;

namespace {

bool validTag(const wchar_t* tag) {
  if (!tag || !*tag) return false;
  for (const wchar_t* c = tag; *c; ++c)
    if (*c == L' ') return false;
  return true;
}

}  // namespace

QvDbAttributeDefinition::QvDbAttributeDefinition(const QvGePoint3d& position, const wchar_t* text,
                                                 const wchar_t* tag, const wchar_t* prompt,
                                                 QvDbObjectId style)
    : QvDbText(position, text, style), prompt_(prompt ? prompt : L"") {
  if (validTag(tag)) data_.tag = tag;
}

const QvString& QvDbAttributeDefinition::tag() const {
  assertReadEnabled();
  return data_.tag;
}

Vexa::ErrorStatus QvDbAttributeDefinition::setTag(const wchar_t* tag) {
  if (!validTag(tag)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.tag = tag;
  return Vexa::eOk;
}

QvString QvDbAttributeDefinition::prompt() const {
  assertReadEnabled();
  return prompt_;
}

Vexa::ErrorStatus QvDbAttributeDefinition::setPrompt(const wchar_t* prompt) {
  if (!prompt) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  prompt_ = prompt;
  return Vexa::eOk;
}

#define QVDB_ATTRIBUTE_FLAG(Getter, Setter, Flag)                                      \
  bool QvDbAttributeDefinition::Getter() const {                                       \
    assertReadEnabled();                                                               \
    return data_.has(AttributeData::Flag);                                             \
  }                                                                                    \
  Vexa::ErrorStatus QvDbAttributeDefinition::Setter(bool on) {                         \
    if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es; \
    data_.set(AttributeData::Flag, on);                                                \
    return Vexa::eOk;                                                                  \
  }

QVDB_ATTRIBUTE_FLAG(isInvisible, setInvisible, kInvisible)
QVDB_ATTRIBUTE_FLAG(isConstant, setConstant, kConstant)
QVDB_ATTRIBUTE_FLAG(isVerifiable, setVerifiable, kVerifiable)
QVDB_ATTRIBUTE_FLAG(isPreset, setPreset, kPreset)

#undef QVDB_ATTRIBUTE_FLAG

bool QvDbAttributeDefinition::lockPositionInBlock() const {
  assertReadEnabled();
  return data_.lockPosition;
}

Vexa::ErrorStatus QvDbAttributeDefinition::setLockPositionInBlock(bool on) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.lockPosition = on;
  return Vexa::eOk;
}

int QvDbAttributeDefinition::fieldLength() const {
  assertReadEnabled();
  return data_.fieldLength;
}

Vexa::ErrorStatus QvDbAttributeDefinition::setFieldLength(int length) {
  if (length < 0) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.fieldLength = length;
  return Vexa::eOk;
}

bool QvDbAttributeDefinition::isMTextAttributeDefinition() const {
  assertReadEnabled();
  return static_cast<bool>(data_.mtext);
}

QvDbMText* QvDbAttributeDefinition::getMTextAttributeDefinition() const {
  assertReadEnabled();
  return data_.copyOfMText();
}

Vexa::ErrorStatus QvDbAttributeDefinition::setMTextAttributeDefinition(QvDbMText* mtext) {
  if (!mtext) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return data_.takeMText(*this, mtext);
}

Vexa::ErrorStatus QvDbAttributeDefinition::convertIntoMTextAttributeDefinition(bool toMText) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return data_.convertMText(*this, toMText);
}

Vexa::ErrorStatus QvDbAttributeDefinition::updateMTextAttributeDefinition() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.placeMText(*this);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbAttributeDefinition::setTextString(const wchar_t* text) {
  return data_.setText(*this, text);
}

Vexa::ErrorStatus QvDbAttributeDefinition::subTransformBy(const QvGeMatrix3d& xform) {
  if (const Vexa::ErrorStatus es = QvDbText::subTransformBy(xform); es != Vexa::eOk) return es;
  return data_.transformMText(xform);
}

QvString QvDbAttributeDefinition::displayString() const {
  return data_.tag;
}
