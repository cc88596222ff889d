#include "sdk/db/detail/AttributeData.h"

#include "sdk/db/QvDbText.h"
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
