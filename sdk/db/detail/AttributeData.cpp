#include "sdk/db/detail/AttributeData.h"

#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTextMetrics.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace qvdb_detail {

QvDbMText* AttributeData::mtextFrom(const QvDbText& text) {
  auto* mtext = new QvDbMText();
  mtext->setContents(text.textString().c_str());
  mtext->setNormal(text.normal());
  mtext->setDirection(text.direction());
  mtext->setTextHeight(text.height());
  mtext->setAttachment(QvDbMText::kBottomLeft);
  mtext->setLocation(text.position());
  return mtext;
}

void AttributeData::placeMText(const QvDbText& text) {
  if (!mtext) return;
  // The last line's baseline stands where the single line would.
  QvDbMText* m = mtext.get();
  m->setNormal(text.normal());
  m->setDirection(text.direction());
  m->setTextHeight(text.height());
  m->setAttachment(QvDbMText::kBottomLeft);
  m->setLocation(text.position());
}

QvDbMText* AttributeData::copyOfMText() const {
  return mtext ? static_cast<QvDbMText*>(mtext->clone()) : nullptr;
}

Vexa::ErrorStatus AttributeData::takeMText(QvDbText& owner, const QvDbMText* source) {
  if (!source) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = setMText(source); es != Vexa::eOk) return es;
  return owner.QvDbText::setTextString(mtext->contents().c_str());
}

Vexa::ErrorStatus AttributeData::convertMText(QvDbText& owner, bool toMText) {
  if (toMText == static_cast<bool>(mtext)) return Vexa::eOk;
  if (toMText) {
    mtext.reset(mtextFrom(owner));
    return Vexa::eOk;
  }
  const QvArray<QvString> lines = QvDbTextMetrics::lines(mtext->contents(), 1.0, 0.0);
  mtext.reset();
  return owner.QvDbText::setTextString(lines.isEmpty() ? L"" : lines[0].c_str());
}

Vexa::ErrorStatus AttributeData::setText(QvDbText& owner, const wchar_t* text) {
  if (!text) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = owner.QvDbText::setTextString(text); es != Vexa::eOk) return es;
  if (mtext) mtext->setContents(text);
  return Vexa::eOk;
}

Vexa::ErrorStatus AttributeData::setMText(const QvDbMText* source) {
  if (!source) {
    mtext.reset();
    return Vexa::eOk;
  }
  if (const Vexa::ErrorStatus es = source->assertReadEnabled(); es != Vexa::eOk) return es;
  auto* copy = static_cast<QvDbMText*>(source->clone());
  if (!copy) return Vexa::eNotApplicable;
  mtext.reset(copy);
  return Vexa::eOk;
}

Vexa::ErrorStatus AttributeData::transformMText(const QvGeMatrix3d& xform) {
  if (!mtext) return Vexa::eOk;
  ClonePtr<QvDbMText> moved = mtext;
  if (const Vexa::ErrorStatus es = moved->transformBy(xform); es != Vexa::eOk) return es;
  mtext = moved;
  return Vexa::eOk;
}

}  // namespace qvdb_detail
