// The preview the insert drags share.
#include <cmath>

#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqInsertScaling.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbAnnotationScale.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "xqcmdutil/InsertData.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqInsertDrag.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

// Carries an attribute of the preview by its block transform; host errors are dropped.
void placeAttribute(QvDbAttribute& attribute, const QvDbAttributeDefinition* definition,
                    const QvGeMatrix3d& xform) {
  try {
    attribute.setAttributeFromBlock(definition, xform);
  } catch (const Vexa::HostError&) {
    // The preview keeps what the attribute took.
  }
  if (attribute.isMTextAttribute()) attribute.updateMTextAttribute();
}

}  // namespace

InsertDragBase::InsertDragBase(IVexaBuildInCommandContext* context, InsertData* data,
                               const QvString& defaultName)
    : context_(context), data_(data), defaultName_(defaultName) {}

InsertDragBase::~InsertDragBase() = default;

QvDbEntity* InsertDragBase::entity() const {
  return preview_.get();
}

void InsertDragBase::finish(int /*result*/) {}

int InsertDragBase::prepare() {
  if (!context_ || !data_) return kQvError;
  QvDbDatabase* db = context_->database();
  if (!db) return kQvError;
  blockName_ = *data_->blockName;
  normal_ = data_->normal;
  scale_ = data_->presetScale;
  rotation_ = data_->presetRotation;
  insertionPoint_ = data_->insertionPoint;
  isArray_ = data_->columns > 1 || data_->rows > 1;
  ucsOrigin_ = XqBlockVars::getPoint(L"UCSORG").value_or(QvGePoint3d::kOrigin);

  blockId_ = getBlockIdByName(db->blockTableId(), blockName_.c_str());
  if (blockId_.isNull()) return kQvError;
  {  // The active layout, whose drawing gives the preview its settings.
    QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    if (!services) return kQvError;
    QvDbLayoutManager* layouts = services->layoutManager();
    QvDbObjectPointer<QvDbLayout> layout(
        layouts->findLayoutNamed(layouts->findActiveLayout(true, db).c_str(), db), QvDb::kForRead);
    if (layout.openStatus() != Vexa::eOk) return kQvError;
    QvDbObjectPointer<QvDbBlockTableRecord> space(layout->getBlockTableRecordId(), QvDb::kForRead);
    if (space.openStatus() != Vexa::eOk) return kQvError;
  }

  attributes_.clear();
  previewCopy_.reset();
  if (isArray_) {
    auto* array = new QvDbMInsertBlock();
    preview_.reset(array);
    array->setDatabaseDefaults(db);
    array->setBlockTableRecord(blockId_);
    array->setNormal(normal_);
    XqInsertScaling::setRotationWithUCS(array, rotation_);
    XqInsertScaling::setArrayScaleFactors(array, scale_);
    array->setColumns(data_->columns);
    array->setColumnSpacing(data_->columnSpacing);
    array->setRows(data_->rows);
    array->setRowSpacing(data_->rowSpacing);
  } else {
    preview_ = std::make_unique<QvDbBlockReference>();
    preview_->setDatabaseDefaults(db);
    preview_->setBlockTableRecord(blockId_);
    preview_->setNormal(normal_);
    XqInsertScaling::setRotationWithUCS(preview_.get(), rotation_);
    XqInsertScaling::setScaleFactorsWithCheck(preview_.get(), scale_);
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId_, QvDb::kForRead);
    const std::unique_ptr<QvDbAnnotationScale> annoScale(qvdbGetCurAnnoScale(db));
    if (block.openStatus() == Vexa::eOk && IsObjectAnnotative(block.object()) && annoScale) {
      if (auto* contexts = QvDbObjectContextInterface::cast(
              preview_->queryX(QvDbObjectContextInterface::desc())))
        contexts->addContext(preview_.get(), *annoScale);
      XqInsertScaling::setScaleFactorsWithCheck(preview_.get(), scale_);
    }
  }

  // The preview's attributes, with their default texts.
  QvDbObjectIdArray contents;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId_, QvDb::kForRead);
    if (block.openStatus() == Vexa::eOk) contents = block->entityIds();
  }
  const QvGeMatrix3d xform = preview_->blockTransform();
  for (const QvDbObjectId& id : contents) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(id, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk || definition->isConstant()) continue;
    auto* attribute = new QvDbAttribute();
    placeAttribute(*attribute, definition.object(), xform);
    attribute->setTextString(definition->textString().c_str());
    if (preview_->appendAttribute(attribute) != Vexa::eOk) {
      delete attribute;
      continue;
    }
    attributes_.emplace_back(attribute, id);
  }

  previewCopy_.reset(QvDbBlockReference::cast(preview_->clone()));
  positioned_ = false;
  if (previewCopy_)
    previewCopy_->setPosition(QvGePoint3d(insertionPoint_.x, insertionPoint_.y, 0.0));
  return kQvNormal;
}

void InsertDragBase::refreshAttributes() {
  if (!preview_) return;
  const QvGeMatrix3d xform = preview_->blockTransform();
  for (auto& [attribute, definitionId] : attributes_) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(definitionId, QvDb::kForRead);
    if (definition.openStatus() == Vexa::eOk)
      placeAttribute(*attribute, definition.object(), xform);
  }
}

void InsertDragBase::setPreviewScale(const QvGeScale3d& scale) {
  if (isArray_)
    XqInsertScaling::setArrayScaleFactors(preview_.get(), scale);
  else
    XqInsertScaling::setScaleFactorsWithCheck(preview_.get(), scale);
}

bool InsertDragBase::placeScaled(double rotation) {
  if (!preview_ || scale_.sx == 0.0 || scale_.sy == 0.0 || scale_.sz == 0.0) return false;
  setPreviewScale(scale_);
  XqInsertScaling::setRotationWithUCS(preview_.get(), rotation);
  preview_->setPosition(insertionPoint_);
  refreshAttributes();
  return true;
}

bool InsertDragBase::definitionScalesUniformly() const {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId_, QvDb::kForRead);
  return block.openStatus() == Vexa::eOk && block->blockScaling() == QvDb::kUniform;
}

XqOrthoModeOff::XqOrthoModeOff() : saved_(XqBlockVars::getShort(L"ORTHOMODE")) {
  if (saved_) XqBlockVars::setShort(L"ORTHOMODE", 0);
}

void XqOrthoModeOff::restore() {
  if (saved_) XqBlockVars::setShort(L"ORTHOMODE", *saved_);
  saved_.reset();
}
