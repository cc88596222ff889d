// The entity's display properties: colour, linetype, linetype scale, visibility, their
// database defaults and their copy from another entity.
#include <cmath>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/gi/QvGiSubEntityTraits.h"

template <class Change>
Vexa::ErrorStatus QvDbEntity::changeProperty(bool doSubents, Change change) {
  const QvDbOwnedEntities* owned = doSubents ? ownedEntities() : nullptr;
  if (!owned || owned->isEmpty()) {
    if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
    return change(*this);
  }
  if (!isWriteEnabled()) return assertWriteEnabled();
  // All sub-entities open first, so that a refusal changes nothing.
  QvDbOwnedEntitiesOpener subs(*owned, QvDb::kForWrite);
  if (subs.status() != Vexa::eOk) return subs.status();
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  if (const Vexa::ErrorStatus es = change(*this); es != Vexa::eOk) return es;
  for (int i = 0; i < subs.length(); ++i) {
    subs.at(i)->assertWriteEnabled();  // an active transaction keeps the old state
    change(*subs.at(i));
  }
  return Vexa::eOk;
}

uint16_t QvDbEntity::colorIndex() const {
  assertReadEnabled();
  return colorIndex_;
}

Vexa::ErrorStatus QvDbEntity::setColorIndex(uint16_t color, bool doSubents) {
  if (color > kColorByLayer) return Vexa::eOutOfRange;
  return changeProperty(doSubents, [color](QvDbEntity& e) {
    e.colorIndex_ = color;
    return Vexa::eOk;
  });
}

QvDbObjectId QvDbEntity::linetypeId() const {
  assertReadEnabled();
  return linetypeId_;
}

QvString QvDbEntity::linetype() const {
  assertReadEnabled();
  return QvDbSymbolTableRecord::nameOf(linetypeId_);
}

Vexa::ErrorStatus QvDbEntity::setLinetype(QvDbObjectId linetypeId, bool doSubents) {
  if (const Vexa::ErrorStatus es = checkReference(linetypeId, QvDbLinetypeTableRecord::desc());
      es != Vexa::eOk)
    return es;
  return changeProperty(doSubents, [linetypeId](QvDbEntity& e) {
    e.linetypeId_ = linetypeId;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbEntity::setLinetype(const wchar_t* linetypeName, QvDbDatabase* db) {
  if (isResident()) db = database();
  if (!db) return Vexa::eNoDatabase;
  QvDbLinetypeTable* table = nullptr;
  if (const Vexa::ErrorStatus es = db->getSymbolTable(table, QvDb::kForRead); es != Vexa::eOk)
    return es;
  QvDbObjectId id;
  const Vexa::ErrorStatus es = table->getAt(linetypeName, id);
  table->close();
  if (es != Vexa::eOk) return es;
  return setLinetype(id);
}

double QvDbEntity::linetypeScale() const {
  assertReadEnabled();
  return linetypeScale_;
}

Vexa::ErrorStatus QvDbEntity::setLinetypeScale(double scale, bool doSubents) {
  if (!(scale > 0.0) || !std::isfinite(scale)) return Vexa::eInvalidInput;
  return changeProperty(doSubents, [scale](QvDbEntity& e) {
    e.linetypeScale_ = scale;
    return Vexa::eOk;
  });
}

QvDb::Visibility QvDbEntity::visibility() const {
  assertReadEnabled();
  return visibility_;
}

Vexa::ErrorStatus QvDbEntity::setVisibility(QvDb::Visibility visibility, bool doSubents) {
  if (visibility != QvDb::kVisible && visibility != QvDb::kInvisible) return Vexa::eInvalidInput;
  return changeProperty(doSubents, [visibility](QvDbEntity& e) {
    e.visibility_ = visibility;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbEntity::setPropertiesFrom(const QvDbEntity* from, bool doSubents) {
  if (!from) return Vexa::eNullPtr;
  if (const Vexa::ErrorStatus es = from->assertReadEnabled(); es != Vexa::eOk) return es;
  if (isResident() && from->isResident() && from->database() != database())
    return Vexa::eWrongDatabase;
  // Records of another database stay behind (an entity in no database takes any).
  QvDbDatabase* db = database();
  const auto usable = [db](QvDbObjectId id) { return !db || id.isNull() || id.database() == db; };
  const QvDbObjectId layer = from->layerId_;
  const QvDbObjectId linetype = from->linetypeId_;
  const bool takeLayer = usable(layer) && !(db && layer.isNull());
  const bool takeLinetype = usable(linetype);
  const uint16_t color = from->colorIndex_;
  const double scale = from->linetypeScale_;
  const QvDb::Visibility visibility = from->visibility_;
  return changeProperty(doSubents, [&](QvDbEntity& e) {
    if (takeLayer) e.layerId_ = layer;
    if (takeLinetype) e.linetypeId_ = linetype;
    e.colorIndex_ = color;
    e.linetypeScale_ = scale;
    e.visibility_ = visibility;
    return Vexa::eOk;
  });
}

Vexa::ErrorStatus QvDbEntity::setPropertyDefaults(QvDbDatabase* db) {
  // The names are made once: every entity made reads them.
  static const QvString kColor(L"CECOLOR");
  static const QvString kLinetypeScale(L"CELTSCALE");
  const int16_t color = db->headerValue(kColor).asShort();
  if (color >= 0 && color <= kColorByLayer) {
    if (const Vexa::ErrorStatus es = setColorIndex(static_cast<uint16_t>(color), false);
        es != Vexa::eOk)
      return es;
  }
  const QvDbObjectId linetype = db->celtype();
  if (!linetype.isNull() && (!isResident() || linetype.database() == database())) {
    if (const Vexa::ErrorStatus es = setLinetype(linetype, false); es != Vexa::eOk) return es;
  }
  const double scale = db->headerValue(kLinetypeScale).asReal();
  if (scale > 0.0) setLinetypeScale(scale, false);
  subSetDatabaseDefaults(db);
  return Vexa::eOk;
}

void QvDbEntity::subSetDatabaseDefaults(QvDbDatabase*) {}

void QvDbEntity::subSetAttributes(QvGiDrawableTraits* traits) {
  if (!traits) return;
  assertReadEnabled();
  traits->setColor(colorIndex_);
  traits->setLayer(layerId());
  traits->setLineType(linetypeId_);
  traits->setLineTypeScale(linetypeScale_);
}
