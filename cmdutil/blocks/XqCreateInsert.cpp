// CreateInsert: a block reference, or an array of them, made from a request.
#include <memory>
#include <optional>

#include "cmdutil/blocks/XqBlockVars.h"
#include "cmdutil/blocks/XqInsertScaling.h"
#include "sdk/app/VexaDocData.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHostError.h"
#include "sdk/db/QvDbAnnotationScale.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockUpdates.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbField.h"
#include "sdk/db/QvDbFieldFunctions.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbObjectContextInterface.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/XqBlockInsert.h"
#include "xqcmdutil/XqBlockLookup.h"
#include "xqcmdutil/XqObjectAnnotation.h"

namespace {

// The space the reference goes to; null when it (or the active layout) does not open.
QvDbObjectId targetSpace(QvDbDatabase* db, const CreateInsertData& data) {
  if (!data.getSpaceID().isNull()) return data.getSpaceID();
  const int cvport = XqBlockVars::getShort(L"CVPORT").value_or(2);
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!services) return QvDbObjectId();
  QvDbLayoutManager* layouts = services->layoutManager();
  QvDbObjectPointer<QvDbLayout> layout(layouts->getActiveLayoutId(true, db), QvDb::kForRead);
  if (layout.openStatus() != Vexa::eOk) return QvDbObjectId();
  return cvport <= 1 ? layout->getBlockTableRecordId() : db->currentSpaceId();
}

// The current annotation scale as a context of `object` (open for write).
void addCurrentScale(QvDbObject* object) {
  const std::unique_ptr<QvDbAnnotationScale> scale(qvdbGetCurAnnoScale(object->database()));
  auto* contexts =
      QvDbObjectContextInterface::cast(object->queryX(QvDbObjectContextInterface::desc()));
  if (scale && contexts) contexts->addContext(object, *scale);
}

// Appends the reference to the space; the reference is deleted when the space refuses it.
QvDbObjectId appendTo(QvDbObjectId spaceId, QvDbBlockReference* reference) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForWrite);
  QvDbObjectId id;
  if (space.openStatus() != Vexa::eOk || space->appendQvDbEntity(id, reference) != Vexa::eOk) {
    delete reference;
    return QvDbObjectId();
  }
  reference->close();
  return id;
}

// The reference's placement; the scale already carries the definition's unit factor and
// uniform rule.
struct Placement {
  QvGePoint3d point;
  QvGeVector3d normal;
  QvGeScale3d scale;
  double rotation = 0.0;
  double ucsRotation = 0.0;  // added to a single reference's rotation
  bool annotative = false;   // the definition is
};

QvDbObjectId insertSingle(QvDbDatabase* db, QvDbObjectId spaceId, QvDbObjectId blockId,
                          const Placement& p) {
  const QvDbObjectId id = appendTo(spaceId, new QvDbBlockReference());
  if (id.isNull()) return id;
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForWrite);
  if (ref.openStatus() != Vexa::eOk) return QvDbObjectId();
  ref->setDatabaseDefaults(db);
  ref->setNormal(p.normal);
  ref->setBlockTableRecord(blockId);
  ref->setRotation(p.ucsRotation + p.rotation);
  ref->setPosition(p.point);
  if (p.annotative) addCurrentScale(ref.object());
  ref->setScaleFactors(p.scale);
  return id;
}

QvDbObjectId insertArray(QvDbDatabase* db, QvDbObjectId spaceId, QvDbObjectId blockId,
                         const Placement& p, const CreateInsertData& data) {
  int columns = 1, rows = 1;
  double columnSpacing = 0.0, rowSpacing = 0.0;
  data.getMInsertData(columns, rows, columnSpacing, rowSpacing);
  if (columns < 1 || rows < 1) return QvDbObjectId();
  auto* array = new QvDbMInsertBlock();
  array->setDatabaseDefaults(db);
  array->setNormal(p.normal);
  array->setBlockTableRecord(blockId);
  array->setScaleFactors(p.scale);
  array->setRotation(p.rotation);
  array->setPosition(p.point);
  array->setColumns(columns);
  array->setColumnSpacing(columnSpacing);
  array->setRows(rows);
  array->setRowSpacing(rowSpacing);
  return appendTo(spaceId, array);
}

// The text an attribute of `definition` starts with.
void chooseText(const QvDbAttributeDefinition& definition, QvDbObjectId definitionId,
                const CreateInsertData& data, QvDbAttribute& attribute) {
  if (definition.isPreset()) {
    attribute.setTextString(definition.textString().c_str());
    return;
  }
  const auto* texts = data.getAttributeIdNameMapAdress();
  if (!texts || texts->empty()) return;
  const auto it = texts->find(definitionId);
  if (it != texts->end()) attribute.setTextString(it->second.c_str());
}

void addAttributes(QvDbObjectId insertId, QvDbObjectId blockId, const CreateInsertData& data) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk || !block->hasAttributeDefinitions()) return;
  QvDbObjectPointer<QvDbBlockReference> ref(insertId, QvDb::kForWrite);
  if (ref.openStatus() != Vexa::eOk) return;
  const QvGeMatrix3d xform = ref->blockTransform();
  const bool annotative = IsObjectAnnotative(ref.object());
  for (const QvDbObjectId& id : block->entityIds()) {
    QvDbObjectPointer<QvDbAttributeDefinition> definition(id, QvDb::kForRead);
    if (definition.openStatus() != Vexa::eOk || definition->isConstant()) continue;
    auto* attribute = new QvDbAttribute();
    try {
      attribute->setAttributeFromBlock(definition.object(), xform);
    } catch (const Vexa::HostError&) {
      // The attribute has taken the definition's data all the same.
    }
    chooseText(*definition, id, data, *attribute);
    QvDbObjectId attributeId;
    if (ref->appendAttribute(attributeId, attribute) != Vexa::eOk || attributeId.isNull()) {
      delete attribute;
      continue;
    }
    if (definition->hasFields()) CopyFieldFrom(attribute, definition.object());
    QvDbField* field = nullptr;
    if (attribute->getField(L"TEXT", field, QvDb::kForWrite) == Vexa::eOk && field) {
      TransUnresolvedBlockRefId(field, insertId);
      field->close();
    }
    if (annotative) addCurrentScale(attribute);
    attribute->close();
  }
}

// Explodes the new reference into its space. True when the reference went away.
bool explodeInPlace(QvDbEntity& entity) {
  const QvDbObjectId owner = entity.ownerId();
  if (owner.isNull()) return false;
  QvArray<QvDbEntity*> pieces(0, 8);
  if (QvDbBlockInternals::explodeToOwner(&entity, owner, pieces, true) == Vexa::eOk)
    return entity.erase() == Vexa::eOk;
  pieces.setLogicalLength(0);
  if (entity.explode(pieces) != Vexa::eOk) return false;
  QvDbObjectPointer<QvDbBlockTableRecord> space(owner, QvDb::kForWrite);
  if (space.openStatus() != Vexa::eOk) {
    for (QvDbEntity* piece : pieces) delete piece;
    return false;
  }
  for (QvDbEntity* piece : pieces) {
    if (space->appendQvDbEntity(piece) != Vexa::eOk)
      delete piece;
    else
      piece->close();
  }
  return entity.erase() == Vexa::eOk;
}

void setExplodedFlag(bool single, uint8_t value) {
  if (!single) return;
  if (VexaDocData* doc = GetVexaAppCtxActiveDocData()) doc->explodedInsert = value;
}

}  // namespace

int CreateInsert(IVexaBuildInCommandContext* context, QvDbObjectId& insertId,
                 const CreateInsertData& data) {
  insertId.setNull();
  QvDbDatabase* db = context ? context->database() : nullptr;
  if (!db) return kQvError;
  QvString name;
  data.getInsertName(name);
  Placement p;
  {  // The UCS is read once for the normal and the rotation.
    const XqInsertScaling::UcsAxes ucs = XqInsertScaling::UcsAxes::current();
    p.normal = ucs.extrusion();
    p.ucsRotation = ucs.rotation();
  }
  p.point = data.getInsertPoint();
  data.getScale3d(p.scale);
  p.rotation = data.getRotationAngle();
  const QvDbObjectId blockId = getBlockIdByName(db->blockTableId(), name.c_str());
  if (blockId.isNull()) return kQvCancel;  // -5002: no such block

  const QvDbObjectId spaceId = targetSpace(db, data);
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(spaceId, QvDb::kForRead);
    if (space.openStatus() != Vexa::eOk) return kQvError;
  }
  {  // The definition is read once: unit factor, uniform rule, annotation.
    QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
    if (block.openStatus() != Vexa::eOk) return kQvError;
    const double factor = XqInsertScaling::unitFactor(*block);
    p.scale = XqInsertScaling::uniformRule(
        *block, QvGeScale3d(p.scale.sx * factor, p.scale.sy * factor, p.scale.sz * factor));
    p.annotative = IsObjectAnnotative(block.object());
  }
  const bool single = !data.getMInsertFlag();
  insertId =
      single ? insertSingle(db, spaceId, blockId, p) : insertArray(db, spaceId, blockId, p, data);
  // The drawing refused the reference: nothing of it is left.
  if (insertId.isNull()) return kQvError;
  addAttributes(insertId, blockId, data);
  XqBlockVars::setString(L"INSNAME", name);

  if (!data.getExplodeFlag()) {
    setExplodedFlag(single, 0);
    return kQvNormal;
  }
  const int explmode = XqBlockVars::getShort(L"EXPLMODE").value_or(1);
  bool exploded = false;
  {
    QvDbObjectPointer<QvDbEntity> entity(insertId, QvDb::kForWrite);
    if (entity.openStatus() != Vexa::eOk) return kQvNormal;
    const auto* ref = QvDbBlockReference::cast(entity.object());
    if (explmode == 0 && ref && !ref->scaleFactors().isProportional()) return kQvNone;
    exploded = explodeInPlace(*entity);
  }
  if (!exploded) {
    setExplodedFlag(single, 0);
    return kQvNormal;
  }
  if (name.compareNoCase(kTempBlockName) == 0) {
    QvDbObjectPointer<QvDbBlockTableRecord> temp(blockId, QvDb::kForWrite);
    if (temp.openStatus() == Vexa::eOk) temp->erase();
    QvString path;
    data.getFilePathToBlock(path);
    QvString insName = L"*";
    insName += path;
    XqBlockVars::setString(L"INSNAME", insName);
  }
  setExplodedFlag(single, 1);
  return kQvNormal;
}
