// The preview the insert drags share.
#include <cmath>

#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqInsertDragPreview.h"
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

// Whether the reference preview takes the current annotation scale: the block is annotative
// and the drawing has a current scale.
bool annotativeHere(QvDbDatabase* db, QvDbObjectId blockId, bool isArray) {
  if (isArray) return false;
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk || !IsObjectAnnotative(block.object())) return false;
  return std::unique_ptr<QvDbAnnotationScale>(qvdbGetCurAnnoScale(db)) != nullptr;
}

// Whether the active layout, whose drawing gives the preview its settings, and its space open.
bool activeSpaceOpens(QvDbDatabase* db) {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!services) return false;
  QvDbLayoutManager* layouts = services->layoutManager();
  QvDbObjectPointer<QvDbLayout> layout(
      layouts->findLayoutNamed(layouts->findActiveLayout(true, db).c_str(), db), QvDb::kForRead);
  if (layout.openStatus() != Vexa::eOk) return false;
  QvDbObjectPointer<QvDbBlockTableRecord> space(layout->getBlockTableRecordId(), QvDb::kForRead);
  return space.openStatus() == Vexa::eOk;
}

}  // namespace

InsertDragBase::InsertDragBase(IVexaBuildInCommandContext* context, InsertData* data,
                               const QvString& defaultName)
    : context_(context), data_(data), defaultName_(defaultName) {}

InsertDragBase::~InsertDragBase() = default;

QvDbEntity* InsertDragBase::entity() const {
  return preview();
}

QvDbBlockReference* InsertDragBase::preview() const {
  showPrepared();
  if (preview_ && placing_) {
    const Placing placing = std::move(placing_);
    placing_ = nullptr;
    placing(*preview_->reference, preview_->copy.get());
  }
  placePendingAttributes();
  return preview_ ? preview_->reference.get() : nullptr;
}

void InsertDragBase::finish(int /*result*/) {}

int InsertDragBase::prepare() {
  pendingPreview_.reset();
  placing_ = nullptr;
  if (!context_ || !data_) return kQvError;
  QvDbDatabase* db = context_->database();
  if (!db) return kQvError;
  blockName_ = *data_->blockName;
  normal_ = data_->normal;
  scale_ = data_->presetScale;
  rotation_ = data_->presetRotation;
  insertionPoint_ = data_->insertionPoint;
  isArray_ = data_->columns > 1 || data_->rows > 1;

  blockId_ = findBlock(db);
  if (blockId_.isNull()) return kQvError;
  if (!readSettings(db)) return kQvError;
  pendingPreview_ = PendingPreview{db, placementAsked()};
  positioned_ = false;
  return kQvNormal;
}

InsertDragBase::Placement InsertDragBase::placementAsked() const {
  Placement asked;
  asked.insertionPoint = insertionPoint_;
  asked.normal = normal_;
  asked.scale = scale_;
  asked.rotation = rotation_;
  asked.columns = data_->columns;
  asked.rows = data_->rows;
  asked.columnSpacing = data_->columnSpacing;
  asked.rowSpacing = data_->rowSpacing;
  return asked;
}

void InsertDragBase::showPrepared() const {
  if (!pendingPreview_) return;
  const PendingPreview asked = *pendingPreview_;
  pendingPreview_.reset();
  const bool annotative = annotativeHere(asked.db, blockId_, isArray_);
  std::shared_ptr<InsertDragPreview> built = shared_ ? shared_ : preview_;
  if (!built) built = std::make_shared<InsertDragPreview>();
  if (annotative || !built->fits(asked.db, blockId_, isArray_) ||
      !placeAgain(*built, asked.placement))
    build(*built, asked.db, annotative, asked.placement);
  preview_ = std::move(built);
  if (QvDbBlockReference* copy = preview_->copy.get()) {
    const QvGePoint3d& at = asked.placement.insertionPoint;
    copy->setPosition(QvGePoint3d(at.x, at.y, 0.0));
  }
}

void InsertDragBase::placeWhenShown(Placing placing) {
  placing_ = std::move(placing);
}

bool InsertDragBase::canShow() const {
  return pendingPreview_.has_value() || preview_ != nullptr;
}

QvDbObjectId InsertDragBase::findBlock(QvDbDatabase* db) const {
  if (shared_ && shared_->settings) {
    const InsertDragPreview::Settings& read = *shared_->settings;
    if (read.db == db && read.blockName == blockName_ && !read.blockId.isErased())
      return read.blockId;
  }
  return getBlockIdByName(db->blockTableId(), blockName_.c_str());
}

bool InsertDragBase::readSettings(QvDbDatabase* db) {
  using Settings = InsertDragPreview::Settings;
  std::optional<Settings> read;
  std::optional<Settings>& kept = shared_ ? shared_->settings : read;
  if (!kept || !kept->sameRequest(db, blockId_, isArray_)) {
    kept.reset();
    if (!activeSpaceOpens(db)) return false;
    kept = Settings{};
    kept->db = db;
    kept->blockName = blockName_;
    kept->blockId = blockId_;
    kept->isArray = isArray_;
    kept->ucsRotation = XqInsertScaling::ucsRotation();
    kept->scaling = XqInsertScaling::DefinitionScaling::of(blockId_, isArray_);
  }
  ucsRotation_ = kept->ucsRotation;
  definitionOpened_ = kept->scaling.has_value();
  unitFactor_ = kept->scaling ? kept->scaling->factor : 1.0;
  uniformDefinition_ = kept->scaling && kept->scaling->uniform;
  return true;
}

void InsertDragBase::sharePreview(std::shared_ptr<InsertDragPreview>& shared) {
  if (!shared) shared = std::make_shared<InsertDragPreview>();
  shared_ = shared;
}

void InsertDragBase::place(QvDbBlockReference& reference, const Placement& asked) const {
  reference.setNormal(asked.normal);
  rotateWithUcs(reference, asked.rotation);
  scaleAsDefined(reference, asked.scale);
  if (auto* array = isArray_ ? QvDbMInsertBlock::cast(&reference) : nullptr) {
    array->setColumns(asked.columns);
    array->setColumnSpacing(asked.columnSpacing);
    array->setRows(asked.rows);
    array->setRowSpacing(asked.rowSpacing);
  }
}

void InsertDragBase::rotateWithUcs(QvDbBlockReference& reference, double angle) const {
  reference.setRotation(ucsRotation_ + angle);
}

void InsertDragBase::scaleAsDefined(QvDbBlockReference& reference, const QvGeScale3d& scale) const {
  if (!definitionOpened_) return;
  reference.setScaleFactors(
      XqInsertScaling::DefinitionScaling{unitFactor_, uniformDefinition_}.applied(scale));
}

void InsertDragBase::build(InsertDragPreview& built, QvDbDatabase* db, bool annotative,
                           const Placement& asked) const {
  built.attributes.clear();
  built.pending.reset();
  built.copy.reset();
  built.db = db;
  built.blockId = blockId_;
  built.isArray = isArray_;
  built.annotative = annotative;
  if (isArray_)
    built.reference = std::make_unique<QvDbMInsertBlock>();
  else
    built.reference = std::make_unique<QvDbBlockReference>();
  QvDbBlockReference& reference = *built.reference;
  reference.setDatabaseDefaults(db);
  reference.setBlockTableRecord(blockId_);
  place(reference, asked);
  if (annotative) {
    const std::unique_ptr<QvDbAnnotationScale> annoScale(qvdbGetCurAnnoScale(db));
    if (auto* contexts =
            QvDbObjectContextInterface::cast(reference.queryX(QvDbObjectContextInterface::desc())))
      contexts->addContext(&reference, *annoScale);
    scaleAsDefined(reference, asked.scale);
  }

  // The attributes, with their default texts.
  QvDbObjectIdArray contents;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId_, QvDb::kForRead);
    if (block.openStatus() == Vexa::eOk) contents = block->entityIds();
  }
  const QvGeMatrix3d xform = reference.blockTransform();
  for (const QvDbObjectId& id : contents) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(id, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk || definition->isConstant()) continue;
    auto* attribute = new QvDbAttribute();
    placeAttribute(*attribute, definition.object(), xform);
    attribute->setTextString(definition->textString().c_str());
    if (reference.appendAttribute(attribute) != Vexa::eOk) {
      delete attribute;
      continue;
    }
    built.attributes.emplace_back(attribute, id);
  }
  built.copy.reset(QvDbBlockReference::cast(reference.clone()));
}

bool InsertDragBase::placeAgain(InsertDragPreview& built, const Placement& asked) const {
  // The definition's attributes must be the ones the preview was built with.
  QvDbObjectIdArray contents;
  {
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId_, QvDb::kForRead);
    if (block.openStatus() == Vexa::eOk) contents = block->entityIds();
  }
  size_t next = 0;
  for (const QvDbObjectId& id : contents) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(id, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk || definition->isConstant()) continue;
    if (next == built.attributes.size() || built.attributes[next].second != id) return false;
    ++next;
  }
  if (next != built.attributes.size()) return false;

  // Back to what a new reference holds, then placed as one is.
  const auto placeFromScratch = [this, &asked](QvDbBlockReference& reference) {
    reference.setPosition(QvGePoint3d::kOrigin);
    reference.setNormal(QvGeVector3d::kZAxis);
    reference.setScaleFactors(QvGeScale3d(1.0, 1.0, 1.0));
    reference.setRotation(0.0);
    if (auto* array = QvDbMInsertBlock::cast(&reference)) {
      array->setColumns(1);
      array->setRows(1);
      array->setColumnSpacing(0.0);
      array->setRowSpacing(0.0);
    }
    place(reference, asked);
  };
  QvDbBlockReference& reference = *built.reference;
  reference.setDatabaseDefaults(built.db);
  placeFromScratch(reference);
  built.pending = InsertDragPreview::PendingPlacement{true};
  if (built.copy) placeFromScratch(*built.copy);
  return true;
}

void InsertDragBase::refreshAttributes() const {
  if (preview_) preview_->pending = InsertDragPreview::PendingPlacement{false};
}

void InsertDragBase::placePendingAttributes() const {
  if (!preview_ || !preview_->pending) return;
  const InsertDragPreview::PendingPlacement placement = *preview_->pending;
  preview_->pending.reset();
  const QvGeMatrix3d xform = preview_->reference->blockTransform();
  for (auto& [attribute, definitionId] : preview_->attributes) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(definitionId, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk) continue;
    placeAttribute(*attribute, definition.object(), xform);
    if (placement.resetTexts) attribute->setTextString(definition->textString().c_str());
  }
}

bool InsertDragBase::placeScaled(double rotation) {
  if (!canShow() || scale_.sx == 0.0 || scale_.sy == 0.0 || scale_.sz == 0.0) return false;
  placeWhenShown([this, scale = scale_, rotation, at = insertionPoint_](
                     QvDbBlockReference& reference, QvDbBlockReference*) {
    scaleAsDefined(reference, scale);
    rotateWithUcs(reference, rotation);
    reference.setPosition(at);
    refreshAttributes();
  });
  return true;
}

bool InsertDragBase::definitionScalesUniformly() const {
  return uniformDefinition_;
}

XqOrthoModeOff::XqOrthoModeOff() : saved_(XqBlockVars::getShort(L"ORTHOMODE")) {
  if (saved_ && *saved_ != 0) XqBlockVars::setShort(L"ORTHOMODE", 0);
}

void XqOrthoModeOff::restore() {
  // Written only when the drag left it otherwise, as writing a variable is not free.
  if (saved_ && XqBlockVars::getShort(L"ORTHOMODE") != saved_)
    XqBlockVars::setShort(L"ORTHOMODE", *saved_);
  saved_.reset();
}
