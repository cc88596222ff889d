#pragma once

#include <cstdint>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGeScale3d.h"

class QvDbUnderlayDefinition;

// An underlay placed in the drawing: it shows the item of its definition (a definition of the
// reference's format) in its own coordinates, placed by the transform
// translation(position) * planeToWorld(normal) * rotation(rotation, z) * scaling(scale).
// A clip boundary, in the underlay's coordinates, cuts the part that shows: two points are the
// opposite corners of a rectangle, three or more a polygon.
//
// A reference in a database is a persistent reactor of its definition: it becomes one when it
// is appended to a block, or when it is given another definition.
class QvDbUnderlayReference : public QvDbEntity {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbUnderlayReference);

  // Display flags.
  enum Flags : uint8_t { kClipped = 1, kOn = 2, kMonochrome = 4, kAdjustForBackground = 8 };

  // The definition shown: null, or a definition of this reference's format in its database
  // (eWrongObjectType, eWrongDatabase). A resident reference in a block leaves the old
  // definition's reactors and joins the new one's (refusals of opening it for write pass up,
  // and nothing changes).
  QvDbObjectId definitionId() const;
  Vexa::ErrorStatus setDefinitionId(QvDbObjectId definitionId);
  // The definition class references of this kind show.
  virtual const QvRxClass* definitionClass() const = 0;

  QvGePoint3d position() const;
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);
  // Factors not zero (eInvalidInput).
  QvGeScale3d scaleFactors() const;
  Vexa::ErrorStatus setScaleFactors(const QvGeScale3d& scale);
  double rotation() const;
  Vexa::ErrorStatus setRotation(double rotation);
  // A unit normal is kept; a zero one is refused (eInvalidInput).
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);
  // The placement as one matrix, and back: a matrix with orthogonal columns (eNotApplicable
  // for a shear, eDegenerateGeometry for a singular one).
  QvGeMatrix3d transform() const;
  Vexa::ErrorStatus setTransform(const QvGeMatrix3d& xform);

  // The clip boundary; setting one turns clipping on (fewer than two points, or two that do
  // not span a rectangle: eInvalidInput), an empty one turns it off.
  const QvGePoint2dArray& clipBoundary() const;
  Vexa::ErrorStatus setClipBoundary(const QvGePoint2dArray& points);
  bool isClipped() const;

  uint8_t underlayFlags() const;
  Vexa::ErrorStatus setUnderlayFlags(uint8_t flags);  // kClipped follows the boundary
  bool isOn() const { return (underlayFlags() & kOn) != 0; }
  // Contrast 20 to 100, fade 0 to 80 (eOutOfRange otherwise).
  int contrast() const;
  Vexa::ErrorStatus setContrast(int contrast);
  int fade() const;
  Vexa::ErrorStatus setFade(int fade);

  // The outline of what shows, in the world, closed by repeating the first point: the clip
  // boundary when clipped, else the frame of the definition's item when it is loaded.
  // eInvalidExtents when there is neither (or the item's extents are not known).
  Vexa::ErrorStatus getFrame(QvGePoint3dArray& points) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbUnderlayReference() = default;
  QvDbUnderlayReference(const QvDbUnderlayReference&) = default;
  QvDbUnderlayReference& operator=(const QvDbUnderlayReference&) = default;

  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The frame (the underlay's contents are not drawn).
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  Vexa::ErrorStatus subAppendedToDatabase() override;

 private:
  // Adds this reference to the reactors of `definition` (and removes it from `previous`).
  Vexa::ErrorStatus link(QvDbObjectId previous, QvDbObjectId definition);

  QvDbObjectId definitionId_;
  QvGePoint3d position_;
  QvGeScale3d scale_;
  double rotation_ = 0.0;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGePoint2dArray clipBoundary_;
  uint8_t flags_ = kOn;
  int contrast_ = 100;
  int fade_ = 0;
};

// The references of the three formats.
class QvDbDwfReference : public QvDbUnderlayReference {
  QVDB_DECLARE_MEMBERS(QvDbDwfReference);
  QvDbDwfReference() = default;
  const QvRxClass* definitionClass() const override;
};

class QvDbPdfReference : public QvDbUnderlayReference {
  QVDB_DECLARE_MEMBERS(QvDbPdfReference);
  QvDbPdfReference() = default;
  const QvRxClass* definitionClass() const override;
};

// A DGN reference draws the converted contents of its loaded definition's item, placed by its
// transform, within its frame (the clip boundary is not applied to the contents).
class QvDbDgnReference : public QvDbUnderlayReference {
  QVDB_DECLARE_MEMBERS(QvDbDgnReference);
  QvDbDgnReference() = default;
  const QvRxClass* definitionClass() const override;

 protected:
  bool subWorldDraw(QvGiWorldDraw* wd) override;
};
