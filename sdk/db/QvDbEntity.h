#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbEntityTypes.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbImpObject.h"
#include "sdk/db/QvDbObject.h"
#include "sdk/ge/QvGeArrays.h"

class QvDbOwnedEntities;
class QvGeCurve3d;
class QvGeMatrix3d;
class QvGePlane;

// An object with a graphical representation, owned by a block table record (its block). The
// base keeps the layer; the entity classes add their geometry and override the protected
// sub* hooks, which the public operations call after checking the open state:
//   subTransformBy         transformBy (open for write)
//   subGetTransformedCopy  getTransformedCopy (default: clone, then subTransformBy)
//   subExplode             explode
//   subGetGeomExtents      getGeomExtents
//   subWorldDraw, subViewportDraw (QvGiDrawable) drawing
// The defaults answer eNotApplicable (eInvalidExtents for extents): an entity class without
// geometry has nothing to transform, explode or measure.
class QvDbEntity : public QvDbObject {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbEntity);

  // The block table record that owns the entity (null when not in a database).
  QvDbObjectId blockId() const { return ownerId(); }

  QvDbObjectId layerId() const;
  QvString layer() const;  // the layer's name; empty when it has none
  // The layer must be a layer record of the entity's database (eWrongObjectType,
  // eWrongDatabase). By name: the layer of that name in the entity's database, or in `db` for
  // an entity not in a database (eKeyNotFound when it has none).
  Vexa::ErrorStatus setLayer(QvDbObjectId layerId);
  Vexa::ErrorStatus setLayer(const wchar_t* layerName, QvDbDatabase* db = nullptr);
  // Takes the current settings of `db` (the entity's database, or the working database when
  // it has none): the current layer, colour ("CECOLOR"), linetype and linetype scale
  // ("CELTSCALE"), and what the class adds (the current text style for texts).
  Vexa::ErrorStatus setDatabaseDefaults(QvDbDatabase* db = nullptr);

  // Transforms the entity in place; on failure it is unchanged. A matrix the entity cannot
  // follow (an arc under non-uniform scaling) answers eNotApplicable, a singular one
  // eDegenerateGeometry.
  Vexa::ErrorStatus transformBy(const QvGeMatrix3d& xform);
  // A new entity (in no database, owned by the caller) equal to this one transformed; works
  // also for transformations the entity cannot take in place (non-uniform scaling).
  Vexa::ErrorStatus getTransformedCopy(const QvGeMatrix3d& xform, QvDbEntity*& copy) const;
  // Appends to `pieces` new entities (in no database, owned by the caller) that together
  // replace this one; the entity itself is unchanged. On failure nothing is appended.
  Vexa::ErrorStatus explode(QvArray<QvDbEntity*>& pieces) const;
  // The entity's box in world coordinates.
  Vexa::ErrorStatus getGeomExtents(QvDbExtents& extents) const;

  void visitIds(QvDbIdVisitor& visitor) override;

  // ---------------------------------------------------------------------------------------
  // Properties, geometry and drawing (the entity classes).
  //
  // Every entity class answers these through the sub* hooks below; the public members check
  // the open state first (queries need a read open, changes a write open) and pass the
  // sub-entities (vertices, attributes) along where the text says so.

  static constexpr uint16_t kColorByBlock = 0;
  static constexpr uint16_t kColorByLayer = 256;

  // Colour index: 0 by block, 1 to 255 the colours, 256 by layer (eOutOfRange otherwise).
  uint16_t colorIndex() const;
  Vexa::ErrorStatus setColorIndex(uint16_t color, bool doSubents = true);
  // Linetype: a linetype record of the entity's database (null: by layer). By name as for
  // setLayer.
  QvDbObjectId linetypeId() const;
  QvString linetype() const;
  Vexa::ErrorStatus setLinetype(QvDbObjectId linetypeId, bool doSubents = true);
  Vexa::ErrorStatus setLinetype(const wchar_t* linetypeName, QvDbDatabase* db = nullptr);
  double linetypeScale() const;
  Vexa::ErrorStatus setLinetypeScale(double scale, bool doSubents = true);  // > 0
  QvDb::Visibility visibility() const;
  Vexa::ErrorStatus setVisibility(QvDb::Visibility visibility, bool doSubents = true);
  // Layer, colour, linetype, linetype scale and visibility of `from` (a resident entity of
  // the same database, or any entity when this one is in no database).
  Vexa::ErrorStatus setPropertiesFrom(const QvDbEntity* from, bool doSubents = true);

  // The grip points in the entity's own order, with the object snap each answers to and its
  // index among the grips (both arrays get one element per point). Appended.
  Vexa::ErrorStatus getGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                  QvDbIntArray& geomIds) const;
  // The points where this entity meets `other` (appended, without repeats). With a plane,
  // both are seen projected onto it along its normal, and the points returned are those of
  // this entity over the crossings. The markers are accepted and not used. eIncompleteResult,
  // with nothing appended, when the geometry library's work limit cut a search short.
  Vexa::ErrorStatus intersectWith(const QvDbEntity* other, QvDb::Intersect intType,
                                  QvGePoint3dArray& points, int64_t thisGsMarker = 0,
                                  int64_t otherGsMarker = 0) const;
  Vexa::ErrorStatus intersectWith(const QvDbEntity* other, QvDb::Intersect intType,
                                  const QvGePlane& projPlane, QvGePoint3dArray& points,
                                  int64_t thisGsMarker = 0, int64_t otherGsMarker = 0) const;
  // The plane of the entity; eNotApplicable for kinds without one.
  Vexa::ErrorStatus getPlane(QvGePlane& plane, QvDb::Planarity& planarity) const;
  bool isPlanar() const;
  // Display state (see IVexaHighlighter): the entity, or one of its sub-entities by marker.
  Vexa::ErrorStatus highlight(int64_t marker = 0) const;
  Vexa::ErrorStatus unhighlight(int64_t marker = 0) const;
  // The curves the entity's outline is made of, as new geometry curves appended to `curves`
  // (the caller deletes them); with `extended` the unbounded carriers where the kind has them
  // (see QvDb::Intersect). Intersections work on these.
  Vexa::ErrorStatus getOutlineCurves(bool extended, QvArray<QvGeCurve3d*>& curves) const;

  // A class with sub-entities clones them too (copies in memory, owned by the copy).
  QvDbObject* clone() const override;
  // A class with sub-entities takes copies of the other's; the ones it had are erased (in a
  // database the copies join it).
  bool copyFrom(const QvRxObject* other) override;

 protected:
  QvDbEntity() = default;
  QvDbEntity(const QvDbEntity&) = default;
  QvDbEntity& operator=(const QvDbEntity&) = default;

  virtual Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform);
  virtual Vexa::ErrorStatus subGetTransformedCopy(const QvGeMatrix3d& xform,
                                                  QvDbEntity*& copy) const;
  virtual Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const;
  virtual Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const;

  // ---------------------------------------------------------------------------------------
  // Hooks of the entity classes' operations above (run with the entity readable): no grips,
  // no plane (eNotApplicable), no outline curves.
  virtual Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                             QvDbIntArray& geomIds) const;
  virtual Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const;
  virtual Vexa::ErrorStatus subGetOutlineCurves(bool extended, QvArray<QvGeCurve3d*>& curves) const;
  // The entity's database defaults beyond the common properties (text style, ...).
  virtual void subSetDatabaseDefaults(QvDbDatabase* db);
  // The colour, layer and linetype the drawing starts with.
  void subSetAttributes(QvGiDrawableTraits* traits) override;

  // Sub-entities (vertices, attributes) that property changes, clone and copyFrom pass on to,
  // when the class has them.
  virtual QvDbOwnedEntities* ownedEntities() { return nullptr; }
  const QvDbOwnedEntities* ownedEntities() const {
    return const_cast<QvDbEntity*>(this)->ownedEntities();
  }
  // Called by the block table record right after the entity joined a database: sub-entities
  // held in memory join it too, owned by the entity.
  virtual Vexa::ErrorStatus subAppendedToDatabase();
  // The implementation object of the class (see QvDbSystemInternals), made on first use; the
  // base has none.
  virtual QvDbImpObject* createImpObject();
  QvDbImpObject* impObject() const;

 private:
  friend class QvDbBlockTableRecord;
  friend class QvDbSystemInternals;

  // The defaults after the layer: colour, linetype, linetype scale, the class's own.
  Vexa::ErrorStatus setPropertyDefaults(QvDbDatabase* db);
  // Applies a property change to this entity and, when asked, to its sub-entities.
  template <class Change>
  Vexa::ErrorStatus changeProperty(bool doSubents, Change change);

  QvDbObjectId linetypeId_;
  uint16_t colorIndex_ = kColorByLayer;
  double linetypeScale_ = 1.0;
  QvDb::Visibility visibility_ = QvDb::kVisible;
  QvDbImpHolder imp_;
  // ---------------------------------------------------------------------------------------

  QvDbObjectId layerId_;
};
