#include "tests/cmdutil/blocks/BlockTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "tests/support/DbSetup.h"

QvDbObjectId addLine(QvDbDatabase* db, const QvGePoint3d& a, const QvGePoint3d& b,
                     QvDbObjectId layer) {
  auto* line = new QvDbLine(a, b);
  if (!layer.isNull()) line->setLayer(layer);
  return appendToModelSpace(db, line);
}

QvDbObjectId addAttDef(QvDbObjectId owner, const wchar_t* tag, const wchar_t* text,
                       const QvGePoint3d& at, bool constant, bool preset) {
  auto* def = new QvDbAttributeDefinition();
  def->setTag(tag);
  def->setTextString(text);
  def->setPosition(at);
  def->setHeight(1.0);
  def->setConstant(constant);
  def->setPreset(preset);
  return appendEntity(owner, def);
}

QvDbObjectId addRef(QvDbObjectId owner, QvDbObjectId block, const QvGePoint3d& at) {
  return appendEntity(owner, new QvDbBlockReference(at, block));
}

std::vector<std::pair<std::wstring, std::wstring>> attributeTexts(QvDbObjectId refId) {
  std::vector<std::pair<std::wstring, std::wstring>> out;
  QvDbObjectPointer<QvDbBlockReference> ref(refId, QvDb::kForRead);
  if (!ref) return out;
  std::unique_ptr<QvDbObjectIterator> it(ref->attributeIterator());
  for (; !it->done(); it->step()) {
    QvDbObjectPointer<QvDbAttribute> a(it->objectId(), QvDb::kForRead);
    QvString text = a->textString();
    if (a->isMTextAttribute())
      text = std::unique_ptr<QvDbMText>(a->getMTextAttribute())->contents();
    out.emplace_back(a->tag().wstr(), text.wstr());
  }
  return out;
}

std::vector<QvGePoint3d> lineEnds(QvDbObjectId lineId) {
  QvDbObjectPointer<QvDbLine> line(lineId, QvDb::kForRead);
  if (!line) return {QvGePoint3d::kOrigin, QvGePoint3d::kOrigin};
  return {line->startPoint(), line->endPoint()};
}
