#include "sdk/db/QvDbDimension.h"

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTableRecord.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/detail/BlockEntities.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbDimension)

namespace {

thread_local int updatesSuspended = 0;

using EntityList = std::vector<std::unique_ptr<QvDbEntity>>;

// Takes charge of entities made in memory.
EntityList takeEntities(QvArray<QvDbEntity*>& made) {
  EntityList entities;
  for (int i = 0; i < made.length(); ++i) entities.emplace_back(made[i]);
  made.setLogicalLength(0);
  return entities;
}

// What the entities of a dimension block share: layer "0", colour and linetype by block, so
// that they follow the dimension's own properties. The text takes the drawing's text style.
void setBlockEntityProperties(QvDbEntity& entity, QvDbDatabase* db) {
  entity.setDatabaseDefaults(db);
  entity.setLayer(L"0", db);
  entity.setColorIndex(QvDbEntity::kColorByBlock);
  entity.setLinetype(L"ByBlock", db);
}

}  // namespace

QvDbDimension::AutomaticUpdateSuspension::AutomaticUpdateSuspension() {
  ++updatesSuspended;
}

QvDbDimension::AutomaticUpdateSuspension::~AutomaticUpdateSuspension() {
  --updatesSuspended;
}

QvGeVector3d QvDbDimension::normal() const {
  assertReadEnabled();
  return normal_;
}

Vexa::ErrorStatus QvDbDimension::setNormal(const QvGeVector3d& normal) {
  if (normal.isZeroLength()) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  normal_ = normal.normal();
  noteGeometryChanged();
  return Vexa::eOk;
}

QvGePoint3d QvDbDimension::textPosition() const {
  assertReadEnabled();
  return textPosition_;
}

Vexa::ErrorStatus QvDbDimension::setTextPosition(const QvGePoint3d& position) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  textPosition_ = position;
  textPlaced_ = true;
  noteGeometryChanged();
  return Vexa::eOk;
}

double QvDbDimension::measurement() const {
  assertReadEnabled();
  return measuredValue();
}

double QvDbDimension::horizontalRotation() const {
  assertReadEnabled();
  return horizontalRotation_;
}

Vexa::ErrorStatus QvDbDimension::setHorizontalRotation(double rotation) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  horizontalRotation_ = rotation;
  noteGeometryChanged();
  return Vexa::eOk;
}

QvString QvDbDimension::dimensionText() const {
  assertReadEnabled();
  return dimensionText_;
}

Vexa::ErrorStatus QvDbDimension::setDimensionText(const QvString& text) {
  return setGeometryValue(dimensionText_, text);
}

double QvDbDimension::textRotation() const {
  assertReadEnabled();
  return textRotation_;
}

Vexa::ErrorStatus QvDbDimension::setTextRotation(double rotation) {
  if (!std::isfinite(rotation)) return Vexa::eInvalidInput;
  return setGeometryValue(textRotation_, rotation);
}

QvDbObjectId QvDbDimension::dimBlockId() const {
  assertReadEnabled();
  return dimBlockId_;
}

Vexa::ErrorStatus QvDbDimension::setDimBlockId(QvDbObjectId blockId) {
  if (const Vexa::ErrorStatus es = checkReference(blockId, QvDbBlockTableRecord::desc());
      es != Vexa::eOk)
    return es;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dimBlockId_ = blockId;
  blockMadeFor_ = objectId();
  blockCurrent_ = !blockId.isNull();
  return Vexa::eOk;
}

void QvDbDimension::visitIds(QvDbIdVisitor& visitor) {
  QvDbEntity::visitIds(visitor);
  if (!dimBlockId_.isNull()) visitor.visit(dimBlockId_, QvDbIdVisitor::kHardPointer);
}

Vexa::ErrorStatus QvDbDimension::subTransformBy(const QvGeMatrix3d& xform) {
  QvGePlane plane(textPosition_, normal_);
  if (!plane.transformBy(xform)) return Vexa::eDegenerateGeometry;
  QvGePoint3dArray points;
  getDefinitionPoints(points);
  for (QvGePoint3d& point : points) point.transformBy(xform);
  setDefinitionPoints(points);
  textPosition_.transformBy(xform);
  // A text turned by the user keeps its direction on the page.
  if (textRotation_ != 0.0) {
    QvGeVector3d direction = qvdb_detail::planeDirection(textRotation_, normal_);
    direction.transformBy(xform);
    const double turned = qvdb_detail::planeAngle(direction, plane.normal());
    textRotation_ = turned != 0.0 ? turned : 2.0 * std::numbers::pi;
  }
  normal_ = plane.normal();
  noteGeometryChanged();
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDimension::subGetGeomExtents(QvDbExtents& extents) const {
  QvGePoint3dArray points;
  getDefinitionPoints(points);
  for (const QvGePoint3d& point : points) extents.addPoint(point);
  extents.addPoint(textPosition_);
  return Vexa::eOk;
}

// The dimension block.

Vexa::ErrorStatus QvDbDimension::subMakeBlockEntities(const BlockSizes&, bool, QvGePoint3d&,
                                                      QvArray<QvDbEntity*>&) const {
  return Vexa::eNotApplicable;
}

Vexa::ErrorStatus QvDbDimension::makeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                   QvGePoint3d& textPosition,
                                                   QvArray<QvDbEntity*>& entities) const {
  const int before = entities.length();
  const Vexa::ErrorStatus es = subMakeBlockEntities(sizes, placeText, textPosition, entities);
  if (es != Vexa::eOk || (dimensionText_.isEmpty() && textRotation_ == 0.0)) return es;
  const bool hidden = dimensionText_ == L" ";
  for (int i = entities.length() - 1; i >= before; --i) {
    auto* label = QvDbMText::cast(entities[i]);
    if (!label) continue;
    if (hidden) {
      delete label;
      entities.removeAt(i);
      continue;
    }
    if (!dimensionText_.isEmpty()) {
      QvString contents = dimensionText_;
      contents.replace(L"<>", label->contents());
      label->setContents(contents);
    }
    if (textRotation_ != 0.0)
      label->setDirection(qvdb_detail::planeDirection(textRotation_, normal_));
  }
  return es;
}

QvDbDimension::BlockSizes QvDbDimension::blockSizes(QvDbDatabase* db) {
  BlockSizes sizes;
  QvDbObjectPointer<QvDbDimStyleTableRecord> style(db->dimstyle(), QvDb::kForRead);
  if (style.openStatus() != Vexa::eOk) return sizes;
  // An overall scale of 0 asks for the viewport's scale; drawn alone, the block takes 1.
  const double scale = style->dimscale() > 0.0 ? style->dimscale() : 1.0;
  sizes.arrowSize *= scale;
  sizes.textHeight = style->dimtxt() * scale;
  sizes.extensionOffset *= scale;
  sizes.extensionBeyond *= scale;
  sizes.textGap *= scale;
  return sizes;
}

bool QvDbDimension::mayRefillBlock() const {
  if (dimBlockId_.isNull() || blockMadeFor_ != objectId()) return false;
  if (dimBlockId_.database() != database() || dimBlockId_.isErased()) return false;
  const QvString name = QvDbSymbolTableRecord::nameOf(dimBlockId_);
  return qvdbGetSymbolSvc()->isAnonymousBlockName(name) && name.left(2).compareNoCase(L"*D") == 0;
}

Vexa::ErrorStatus QvDbDimension::recomputeDimBlock(bool forceUpdate) {
  QvDbDatabase* db = database();
  if (!db) return Vexa::eNotInDatabase;
  if (isErased()) return Vexa::eWasErased;
  if (!isWriteEnabled()) return assertWriteEnabled();
  if (!forceUpdate && blockCurrent_ && !dimBlockId_.isNull()) return Vexa::eOk;

  QvGePoint3d textPosition = textPosition_;
  QvArray<QvDbEntity*> made;
  const Vexa::ErrorStatus drawn =
      makeBlockEntities(blockSizes(db), !textPlaced_, textPosition, made);
  EntityList entities = takeEntities(made);
  if (drawn != Vexa::eOk) return drawn;
  for (const auto& entity : entities) setBlockEntityProperties(*entity, db);

  // Everything that can refuse is opened before anything changes.
  QvDbObjectPointer<QvDbBlockTableRecord> block;
  std::vector<QvDbObjectPointer<QvDbEntity>> former;
  if (mayRefillBlock()) {
    if (const Vexa::ErrorStatus es = block.open(dimBlockId_, QvDb::kForWrite); es != Vexa::eOk)
      return es;
    const QvDbObjectIdArray ids = block->entityIds();
    for (int i = 0; i < ids.length(); ++i) {
      former.emplace_back(ids[i], QvDb::kForWrite);
      if (former.back().openStatus() != Vexa::eOk) return former.back().openStatus();
    }
  } else {
    QvDbBlockTable* opened = nullptr;
    if (const Vexa::ErrorStatus es = db->getSymbolTable(opened, QvDb::kForWrite); es != Vexa::eOk)
      return es;
    QvDbObjectPointer<QvDbBlockTable> table(opened);
    block.acquire(new QvDbBlockTableRecord());
    block->setName(L"*D");
    if (const Vexa::ErrorStatus es = table->add(block.object()); es != Vexa::eOk) return es;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  for (auto& entity : former) entity->erase();
  for (auto& entity : entities) {
    QvDbEntity* appended = entity.release();
    if (const Vexa::ErrorStatus es = block->appendQvDbEntity(appended); es != Vexa::eOk) {
      delete appended;
      return es;
    }
    appended->close();
  }
  dimBlockId_ = block->objectId();
  blockMadeFor_ = objectId();
  blockCurrent_ = true;
  textPosition_ = textPosition;
  return Vexa::eOk;
}

void QvDbDimension::updateBlockIfNeeded() {
  if (updatesSuspended != 0 || isErased()) return;
  recomputeDimBlock(false);
}

Vexa::ErrorStatus QvDbDimension::subAppendedToDatabase() {
  if (const Vexa::ErrorStatus es = QvDbEntity::subAppendedToDatabase(); es != Vexa::eOk) return es;
  if (!dimBlockId_.isNull() && blockMadeFor_.isNull()) blockMadeFor_ = objectId();
  // The block table may be held by the caller: the block is then made at the close.
  updateBlockIfNeeded();
  return Vexa::eOk;
}

void QvDbDimension::subClose() {
  updateBlockIfNeeded();
}

bool QvDbDimension::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  QvGiGeometry& geometry = wd->geometry();
  if (!dimBlockId_.isNull()) {
    qvdb_detail::forEachBlockEntity(dimBlockId_, [&](QvDbEntity& entity) {
      if (entity.visibility() == QvDb::kVisible) geometry.draw(&entity);
      return Vexa::eOk;
    });
    return true;
  }
  QvGePoint3d textPosition = textPosition_;
  QvArray<QvDbEntity*> made;
  const Vexa::ErrorStatus drawn = makeBlockEntities(BlockSizes(), !textPlaced_, textPosition, made);
  const EntityList entities = takeEntities(made);
  if (drawn != Vexa::eOk) return true;
  for (const auto& entity : entities) geometry.draw(entity.get());
  return true;
}
