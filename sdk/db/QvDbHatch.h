#pragma once

#include <memory>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

class QvGeCurve2d;
namespace qvdb_detail {
struct HatchEvaluation;
}  // namespace qvdb_detail

using QvDbObjectIdArray = QvArray<QvDbObjectId>;
using QvGeIntArray = QvArray<int>;

// One line family of a hatch pattern, in the hatch's plane coordinates (its OCS), already
// rotated and scaled: lines at `angle` through `base`, repeated by `offset`, each drawn with
// the dashes (positive: pen down, negative: pen up, 0: a dot); no dashes draws solid lines.
struct QvDbHatchPatternLine {
  double angle = 0.0;
  QvGePoint2d base;
  QvGeVector2d offset;
  QvGeDoubleArray dashes;
};

// The gradient of a gradient fill: its kind (0 solid, 1 gradient), the reserved value, whether
// it blends one colour, its angle (radians), shift and tint, its name ("LINEAR", ...) and its
// colours, each a value with a colour index and a true colour (-1 where it has none).
struct QvDbHatchGradient {
  struct Color {
    double value = 0.0;
    int colorIndex = -1;
    int64_t rgb = -1;
  };
  int kind = 1;
  int reserved = 0;
  bool oneColor = false;
  double angle = 0.0;
  double shift = 0.0;
  double tint = 0.0;
  QvString name = L"LINEAR";
  std::vector<Color> colors;
};

// A hatch: an area of the plane of its normal at its elevation (an OCS height: the plane
// passes through elevation x normal), bounded by loops and filled solid, with a gradient or
// with a pattern of lines. Loop data, seed points and pattern lines are 2D, in the plane's
// coordinates: the arbitrary-axis frame of the normal (QvGeMatrix3d::planeToWorld), the
// drawing files' OCS.
//
// A loop is given in one of two forms. Polyline form (type bit kPolyline): vertices, each with
// the bulge of the segment that leaves it; the last joins the first. Edge form: 2D curves in
// order (line segments, circular arcs, elliptical arcs, NURBS curves; edge types 1 to 4) whose
// ends meet; bit kNotClosed says the last edge does not come back to the first, and the
// boundary then closes with a straight segment. Loops are simple closed curves that do not
// cross; the area is filled even-odd: a loop inside another makes a hole, one inside that an
// island.
//
// Associativity: an associative hatch keeps, per loop, the ids of the objects the loop was made
// from. The hatch is a persistent reactor of each of them; the links follow the ids when the
// hatch is closed after a change (an object open elsewhere at that moment is linked at a later
// close).
//
// Evaluation: evaluateHatch works out the boundary (every loop as edges, polyline loops as
// line and arc segments) and whether it closes; area, perimeter, extents and drawing use it,
// and it is worked out again after any change.
class QvDbHatch : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbHatch);

  enum HatchLoopType {
    kDefault = 0,
    kExternal = 1,
    kPolyline = 2,
    kDerived = 4,
    kTextbox = 8,
    kOutermost = 0x10,
    kNotClosed = 0x20,
    kSelfIntersecting = 0x40,
    kTextIsland = 0x80,
    kDuplicate = 0x100,
  };
  enum HatchEdgeType { kLine = 1, kCirArc = 2, kEllArc = 3, kSpline = 4 };
  enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
  enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };

  QvDbHatch();
  ~QvDbHatch() override;
  QvDbHatch(const QvDbHatch&);
  QvDbHatch& operator=(const QvDbHatch&);

  // ---- Plane ----
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double elevation() const;
  Vexa::ErrorStatus setElevation(double elevation);
  // Plane coordinates to world (the placement of loops, seeds and pattern lines) and back.
  QvGeMatrix3d planeToWorld() const;
  QvGeMatrix3d worldToPlane() const;

  // ---- Fill ----
  // Solid fill: pattern type predefined and name "SOLID".
  bool isSolidFill() const;
  HatchPatternType patternType() const;
  QvString patternName() const;
  // Sets the pattern's type and name ("SOLID" makes a solid fill, and removes a gradient); the
  // definition lines are those given by setPatternDefinitions. eInvalidInput for an empty name.
  Vexa::ErrorStatus setPattern(HatchPatternType type, const wchar_t* name);
  // Angle (radians) and scale (or spacing, for user-defined patterns) of the pattern. Setting
  // them turns and scales the definition lines along (scale: eInvalidInput unless > 0).
  double patternAngle() const;
  Vexa::ErrorStatus setPatternAngle(double angle);
  double patternScale() const;
  Vexa::ErrorStatus setPatternScale(double scale);
  bool patternDouble() const;
  Vexa::ErrorStatus setPatternDouble(bool isDouble);
  int numPatternDefinitions() const;
  Vexa::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                           double& offsetX, double& offsetY,
                                           QvGeDoubleArray& dashes) const;  // eInvalidIndex
  // eInvalidInput for a line with a zero offset or non-finite data.
  Vexa::ErrorStatus setPatternDefinitions(const QvArray<QvDbHatchPatternLine>& lines);
  HatchStyle hatchStyle() const;
  Vexa::ErrorStatus setHatchStyle(HatchStyle style);
  bool isGradient() const;
  Vexa::ErrorStatus getGradient(QvDbHatchGradient& gradient) const;  // eNotApplicable: none
  Vexa::ErrorStatus setGradient(const QvDbHatchGradient& gradient);
  Vexa::ErrorStatus removeGradient();
  // The pixel size of files (47), kept; 0 when there is none.
  double pixelSize() const;
  Vexa::ErrorStatus setPixelSize(double size);

  // ---- Loops ----
  int numLoops() const;
  int loopTypeAt(int loopIndex) const;  // 0 for a bad index
  // The loop in polyline form: its vertices and one bulge per vertex. An edge loop answers
  // when it is made of lines and arcs only (eNotApplicable otherwise). eInvalidIndex.
  Vexa::ErrorStatus getLoopAt(int loopIndex, int& loopType, QvGePoint2dArray& vertices,
                              QvGeDoubleArray& bulges) const;
  // The loop in edge form: new copies of its edges (the caller deletes them) and their types;
  // a polyline loop gives its segments as lines and arcs. eInvalidIndex.
  Vexa::ErrorStatus getLoopAt(int loopIndex, int& loopType, QvArray<QvGeCurve2d*>& edges,
                              QvGeIntArray& edgeTypes) const;
  // Appends (or inserts before loopIndex, numLoops() appending) a loop in polyline form (the
  // bit kPolyline is set; bulges may be empty, else one per vertex) or in edge form (the
  // hatch takes copies; each type must be that of its edge's geometry, every edge bounded).
  // eInvalidInput for fewer than 2 vertices or no edge, a null edge or a type that does not
  // match; eInvalidIndex for a bad index. Nothing changes on failure.
  Vexa::ErrorStatus appendLoop(int loopType, const QvGePoint2dArray& vertices,
                               const QvGeDoubleArray& bulges);
  Vexa::ErrorStatus appendLoop(int loopType, const QvArray<QvGeCurve2d*>& edges,
                               const QvGeIntArray& edgeTypes);
  Vexa::ErrorStatus insertLoopAt(int loopIndex, int loopType, const QvGePoint2dArray& vertices,
                                 const QvGeDoubleArray& bulges);
  Vexa::ErrorStatus insertLoopAt(int loopIndex, int loopType, const QvArray<QvGeCurve2d*>& edges,
                                 const QvGeIntArray& edgeTypes);
  Vexa::ErrorStatus removeLoopAt(int loopIndex);  // eInvalidIndex
  // Whether the loop is closed in polyline form (a polyline loop without it ends where it
  // began, or is closed by a straight segment).
  bool isLoopPolylineClosed(int loopIndex) const;
  Vexa::ErrorStatus setLoopPolylineClosed(int loopIndex, bool closed);
  // Fit data of a spline edge, kept with it (the edge is its control points): the fit points
  // and end tangents. eInvalidIndex; eNotApplicable for an edge that is not a spline.
  Vexa::ErrorStatus getEdgeFitData(int loopIndex, int edgeIndex, QvGePoint2dArray& fitPoints,
                                   QvGeVector2d& startTangent, QvGeVector2d& endTangent) const;
  Vexa::ErrorStatus setEdgeFitData(int loopIndex, int edgeIndex, const QvGePoint2dArray& fitPoints,
                                   const QvGeVector2d& startTangent,
                                   const QvGeVector2d& endTangent);

  // ---- Associativity ----
  bool associative() const;
  // Turning associativity off forgets every loop's ids.
  Vexa::ErrorStatus setAssociative(bool isAssociative);
  // The ids of the loop's objects (eInvalidIndex); none for a non-associative hatch.
  Vexa::ErrorStatus getAssocObjIdsAt(int loopIndex, QvDbObjectIdArray& ids) const;
  // Every loop's ids, each once, in loop order.
  Vexa::ErrorStatus getAssocObjIds(QvDbObjectIdArray& ids) const;
  // Replaces the loop's ids (null ids and repeats are left out). eNotApplicable for a hatch
  // that is not associative; eInvalidIndex.
  Vexa::ErrorStatus setHatchAssocObjIdsAt(int loopIndex, const QvDbObjectIdArray& ids);

  // ---- Seed points (plane coordinates) ----
  int numSeedPoints() const;
  Vexa::ErrorStatus getHatchSeedPoints(QvGePoint2dArray& points) const;
  Vexa::ErrorStatus setHatchSeedPoints(const QvGePoint2dArray& points);  // eInvalidInput: NaN

  // ---- Evaluation and measures ----
  // Works out the boundary. eInvalidInput when a loop does not close (the boundary is still
  // evaluated, the gap bridged) or the hatch has no loop; eDegenerateGeometry when a loop
  // encloses no area. `underEstimateNumLines` is accepted; the pattern is always complete.
  Vexa::ErrorStatus evaluateHatch(bool underEstimateNumLines = false);
  // The evaluated boundary: one edge list per loop, in loop order (new copies, the caller
  // deletes them).
  int numEvaluatedLoops() const;
  Vexa::ErrorStatus getEvaluatedLoopAt(int loopIndex, QvArray<QvGeCurve2d*>& edges) const;
  // The area filled (even-odd over the loops); eInvalidInput when no loop closes.
  Vexa::ErrorStatus getArea(double& area) const;
  // The length of every loop's edges.
  Vexa::ErrorStatus getPerimeter(double& perimeter) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  // Any transformation that keeps the plane flat and the loops' shape up to a similarity in
  // it (moves, rotations, mirrors, uniform scaling). Other matrices: eNotApplicable.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The pattern lines as lines; a solid or gradient fill does not explode (eNotApplicable).
  Vexa::ErrorStatus subExplode(QvArray<QvDbEntity*>& pieces) const override;
  // One grip, at the centre of the extents.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // The boundary's edges in world coordinates.
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  // Solid and gradient fills draw the area even-odd; patterns draw their lines.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  // Brings the reactor links up to date with the loops' ids.
  void subClose() override;

 private:
  struct Loop;

  Vexa::ErrorStatus insertLoop(int loopIndex, Loop&& loop);
  const Loop* loopAt(int loopIndex) const;
  // The boundary, evaluated on first use after a change.
  const qvdb_detail::HatchEvaluation& evaluation() const;
  void changed() { evaluation_.reset(); }

  std::vector<Loop> loops_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double elevation_ = 0.0;
  HatchPatternType patternType_ = kPreDefined;
  QvString patternName_ = L"SOLID";
  bool solidFill_ = true;
  double patternAngle_ = 0.0;
  double patternScale_ = 1.0;
  bool patternDouble_ = false;
  std::vector<QvDbHatchPatternLine> patternLines_;
  HatchStyle style_ = kNormal;
  std::unique_ptr<QvDbHatchGradient> gradient_;
  double pixelSize_ = 0.0;
  bool associative_ = false;
  std::vector<QvGePoint2d> seeds_;
  // Objects whose ids left a loop: the hatch stops being their reactor at the next close.
  std::vector<QvDbObjectId> unlinkPending_;
  mutable std::shared_ptr<const qvdb_detail::HatchEvaluation> evaluation_;
};
