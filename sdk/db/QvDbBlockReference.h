#pragma once

#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbOwnedEntities.h"
#include "sdk/ge/QvGeScale3d.h"

class QvDbAttribute;
class QvDbObjectIterator;

// A reference to a block definition, placed by its position, scale factors, rotation and
// normal, with the attributes it owns. The database keeps the link to the block (what purging,
// inserting and the dynamic-block services need).
//
// Block transform: the block's origin goes to the position; the block's x, y and z axes are
// scaled by the factors, turned by the rotation about z, and carried into the plane of the
// normal by its arbitrary-axis frame:
//   blockTransform = T(position) * planeToWorld(normal) * Rz(rotation) * S(scale) * T(-origin).
// A mirrored reference has a negative scale factor.
//
// Attributes are owned: in memory while the reference is in no database (a drag preview),
// objects of its database once it is, shown to deep cloning as owned (hard owner) ids so that
// a clone of the reference brings clones of its attributes. clone() gives a reference in no
// database holding copies of the attributes.
class QvDbBlockReference : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbBlockReference);

  QvDbBlockReference() = default;
  explicit QvDbBlockReference(QvDbObjectId blockTableRecord) : block_(blockTableRecord) {}
  QvDbBlockReference(const QvGePoint3d& position, QvDbObjectId blockTableRecord);

  QvDbObjectId blockTableRecord() const;
  // A block table record of the reference's database (eWrongObjectType, eWrongDatabase).
  Vexa::ErrorStatus setBlockTableRecord(QvDbObjectId blockId);

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);
  QvGeScale3d scaleFactors() const;
  Vexa::ErrorStatus setScaleFactors(const QvGeScale3d& scale);  // eInvalidInput for a zero one
  double rotation() const;
  Vexa::ErrorStatus setRotation(double angle);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  QvGeMatrix3d blockTransform() const;
  // Position, normal, rotation and scale from a matrix of the form above; eNotApplicable for
  // one that shears (its axes not perpendicular), eDegenerateGeometry for a singular one.
  Vexa::ErrorStatus setBlockTransform(const QvGeMatrix3d& xform);
  // The block's origin (its base point); the origin of the world when the block is unknown.
  QvGePoint3d blockOrigin() const;

  // Appends a new attribute (in no database); the reference owns it from then on. In a
  // database the attribute is added to it, open for write (the caller closes it) and `id` is
  // set; a reference in no database keeps it in memory (id null).
  Vexa::ErrorStatus appendAttribute(QvDbAttribute* attribute);
  Vexa::ErrorStatus appendAttribute(QvDbObjectId& id, QvDbAttribute* attribute);
  // The attributes in order (the caller deletes the iterator).
  QvDbObjectIterator* attributeIterator() const;
  int numAttributes() const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  // The new block transform is xform * blockTransform; eNotApplicable when that shears. The
  // attributes go along.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The block's entities (attribute definitions and invisible entities included, erased ones
  // not) carried by the block transform, as new entities that keep their own properties. One that
  // the transform cannot carry as it is (an arc, a nested reference under non-uniform scaling) is
  // exploded in turn and its pieces carried; eNotApplicable when even that fails. The reference's
  // attributes are not part of the result.
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& entitySet) const override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The position.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  // The outlines of the exploded entities, nested references included.
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  Vexa::ErrorStatus subErase(bool erasing) override;
  QvDbOwnedEntities* ownedEntities() override { return &attributes_; }
  Vexa::ErrorStatus subAppendedToDatabase() override;
  // The block's visible entities under the block transform, then the attributes.
  bool subWorldDraw(QvGiWorldDraw* wd) override;

  // The transforms of the copies the reference draws and explodes into: one, the block
  // transform (an array reference has one per cell).
  virtual void instanceTransforms(QvArray<QvGeMatrix3d>& transforms) const;

 private:
  QvDbObjectId block_;
  QvGePoint3d position_;
  QvGeScale3d scale_;
  double rotation_ = 0.0;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvDbOwnedEntities attributes_;
};
