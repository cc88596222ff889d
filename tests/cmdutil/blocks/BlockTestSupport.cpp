#include "tests/cmdutil/blocks/BlockTestSupport.h"

#include <gtest/gtest.h>

#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
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

QvDbObjectIdArray contentsOf(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  return block ? block->entityIds() : QvDbObjectIdArray();
}

std::vector<QvGePoint3d> lineEnds(QvDbObjectId lineId) {
  QvDbObjectPointer<QvDbLine> line(lineId, QvDb::kForRead);
  if (!line) return {QvGePoint3d::kOrigin, QvGePoint3d::kOrigin};
  return {line->startPoint(), line->endPoint()};
}

int blockCount(QvDbDatabase* db) {
  QvDbObjectPointer<QvDbBlockTable> table(db->blockTableId(), QvDb::kForRead);
  int n = 0;
  QvDbSymbolTableIterator* it = nullptr;
  if (!table || table->newIterator(it) != Vexa::eOk) return 0;
  for (; !it->done(); it->step()) ++n;
  delete it;
  return n;
}

QvDbObjectId addLayerLocked(QvDbDatabase* db, const wchar_t* name) {
  return addLayer(db, name, [](QvDbLayerTableRecord& layer) { layer.setIsLocked(true); });
}
