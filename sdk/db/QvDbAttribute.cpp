#include "sdk/db/QvDbAttribute.h"

#include "sdk/base/VexaFaultInjection.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbAttribute)

using qvdb_detail::AttributeData;

namespace {

constexpr const char* kFromBlockFault = "QvDbAttribute::setAttributeFromBlock";

bool validTag(const wchar_t* tag) {
  if (!tag || !*tag) return false;
  for (const wchar_t* c = tag; *c; ++c)
    if (*c == L' ') return false;
  return true;
}

}  // namespace

QvDbAttribute::QvDbAttribute(const QvGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                             QvDbObjectId style)
    : QvDbText(position, text, style) {
  if (validTag(tag)) data_.tag = tag;
}

const QvString& QvDbAttribute::tag() const {
  assertReadEnabled();
  return data_.tag;
}

Vexa::ErrorStatus QvDbAttribute::setTag(const wchar_t* tag) {
  if (!validTag(tag)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.tag = tag;
  return Vexa::eOk;
}

bool QvDbAttribute::isInvisible() const {
  assertReadEnabled();
  return data_.has(AttributeData::kInvisible);
}

Vexa::ErrorStatus QvDbAttribute::setInvisible(bool on) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.set(AttributeData::kInvisible, on);
  return Vexa::eOk;
}

bool QvDbAttribute::isConstant() const {
  assertReadEnabled();
  return data_.has(AttributeData::kConstant);
}

bool QvDbAttribute::isVerifiable() const {
  assertReadEnabled();
  return data_.has(AttributeData::kVerifiable);
}

bool QvDbAttribute::isPreset() const {
  assertReadEnabled();
  return data_.has(AttributeData::kPreset);
}

bool QvDbAttribute::lockPositionInBlock() const {
  assertReadEnabled();
  return data_.lockPosition;
}

int QvDbAttribute::fieldLength() const {
  assertReadEnabled();
  return data_.fieldLength;
}

Vexa::ErrorStatus QvDbAttribute::setAttributeFromBlock(const QvDbAttributeDefinition* definition,
                                                       const QvGeMatrix3d& blockTransform) {
  if (!definition) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = definition->assertReadEnabled(); es != Vexa::eOk) return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  // The text part as the definition has it (placement, properties, default value), then the
  // attribute's own data, then the block transform.
  takeTextData(*definition);
  data_ = definition->attributeData();
  setPropertiesFrom(definition);
  if (const Vexa::ErrorStatus es = transformBy(blockTransform); es != Vexa::eOk) return es;
  vexaFaultPoint(kFromBlockFault);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbAttribute::setAttributeFromBlock(const QvGeMatrix3d& blockTransform) {
  if (const Vexa::ErrorStatus es = transformBy(blockTransform); es != Vexa::eOk) return es;
  vexaFaultPoint(kFromBlockFault);
  return Vexa::eOk;
}

bool QvDbAttribute::isMTextAttribute() const {
  assertReadEnabled();
  return static_cast<bool>(data_.mtext);
}

QvDbMText* QvDbAttribute::getMTextAttribute() const {
  assertReadEnabled();
  return data_.copyOfMText();
}

Vexa::ErrorStatus QvDbAttribute::setMTextAttribute(QvDbMText* mtext) {
  if (!mtext) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return data_.takeMText(*this, mtext);
}

Vexa::ErrorStatus QvDbAttribute::convertIntoMTextAttribute(bool toMText) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  return data_.convertMText(*this, toMText);
}

Vexa::ErrorStatus QvDbAttribute::updateMTextAttribute() {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_.placeMText(*this);
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbAttribute::setTextString(const wchar_t* text) {
  return data_.setText(*this, text);
}

Vexa::ErrorStatus QvDbAttribute::subTransformBy(const QvGeMatrix3d& xform) {
  if (const Vexa::ErrorStatus es = QvDbText::subTransformBy(xform); es != Vexa::eOk) return es;
  return data_.transformMText(xform);
}

bool QvDbAttribute::subWorldDraw(QvGiWorldDraw* wd) {
  if (isInvisible()) return true;
  if (data_.mtext) {
    data_.mtext->worldDraw(wd);
    return true;
  }
  return QvDbText::subWorldDraw(wd);
}
