#pragma once

#include <vector>

#include "sdk/db/QvDbSegmentedCurve.h"
#include "sdk/ge/QvGeCircArc2d.h"
#include "sdk/ge/QvGeLineSeg2d.h"

// The lightweight polyline: 2D vertices in the plane of its normal (its OCS, at its
// elevation), each with the bulge, start width and end width of the segment that leaves it
// and a vertex identifier; open or closed; a thickness and the linetype-generation flag. Its
// parameter is the vertex index plus the fraction of the following segment; a closed polyline
// has a segment from the last vertex back to the first.
//
// Widths of -1 given to addVertexAt mean the polyline's default: its constant width when it
// has one, else 0.
class QvDbPolyline : public QvDbSegmentedCurve {
  QVDB_DECLARE_MEMBERS(QvDbPolyline);

  enum SegType { kLine = 0, kArc = 1, kCoincident = 2, kPoint = 3, kEmpty = 4 };

  QvDbPolyline() = default;
  // Reserves room for numVerts vertices.
  explicit QvDbPolyline(unsigned int numVerts);

  unsigned int numVerts() const;
  // Inserts a vertex before `index` (numVerts() appends). eInvalidIndex beyond the end.
  Vexa::ErrorStatus addVertexAt(unsigned int index, const QvGePoint2d& point, double bulge = 0.0,
                                double startWidth = -1.0, double endWidth = -1.0,
                                int vertexIdentifier = 0);
  Vexa::ErrorStatus removeVertexAt(unsigned int index);
  // With reuse, keeps the first numVerts vertices (all when there are fewer) and removes the
  // others; without, removes every vertex. Either way keeps room for numVerts.
  Vexa::ErrorStatus reset(bool reuse, unsigned int numVerts);

  // Vertex data; eInvalidIndex for an index past the last vertex.
  Vexa::ErrorStatus getPointAt(unsigned int index, QvGePoint2d& point) const;  // OCS
  Vexa::ErrorStatus getPointAt(unsigned int index, QvGePoint3d& point) const;  // world
  Vexa::ErrorStatus setPointAt(unsigned int index, const QvGePoint2d& point);
  Vexa::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
  Vexa::ErrorStatus setBulgeAt(unsigned int index, double bulge);
  Vexa::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
  Vexa::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
  Vexa::ErrorStatus getStartWidthAt(unsigned int index, double& width) const;
  Vexa::ErrorStatus getEndWidthAt(unsigned int index, double& width) const;
  // The width shared by every vertex at both ends: eNotApplicable when they differ (or there
  // is no vertex). Setting it sets every vertex's widths (eInvalidInput for a negative one).
  Vexa::ErrorStatus getConstantWidth(double& width) const;
  Vexa::ErrorStatus setConstantWidth(double width);
  bool isOnlyLines() const;

  // Segments. segType: kLine, kArc, kCoincident (both ends equal), kPoint (a polyline of one
  // vertex), kEmpty (no vertex, or no segment leaves this vertex).
  SegType segType(unsigned int index) const;
  Vexa::ErrorStatus getLineSegAt(unsigned int index, QvGeLineSeg3d& segment) const;
  Vexa::ErrorStatus getLineSegAt(unsigned int index, QvGeLineSeg2d& segment) const;
  Vexa::ErrorStatus getArcSegAt(unsigned int index, QvGeCircArc3d& arc) const;
  Vexa::ErrorStatus getArcSegAt(unsigned int index, QvGeCircArc2d& arc) const;
  // Whether a 2D point lies on segment `index`, and its parameter there.
  bool onSegAt(unsigned int index, const QvGePoint2d& point, double& param) const;

  bool isClosed() const override;
  Vexa::ErrorStatus setClosed(bool closed);
  bool hasPlinegen() const;
  Vexa::ErrorStatus setPlinegen(bool plinegen);
  double elevation() const;
  Vexa::ErrorStatus setElevation(double elevation);
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero

  // Vertex identifiers (also through the implementation object, QvDbPolylineImp).
  int vertexIdentifierAt(unsigned int index) const;
  Vexa::ErrorStatus setVertexIdentifierAt(unsigned int index, int identifier);
  // The selection marker of the segment a point (world) lies on, within tol: segment index
  // + 1; 0 when the point is on no segment.
  int64_t getGsMarkerByPoint(const QvGePoint3d& point, double tol) const;

  Vexa::ErrorStatus reverseCurve() override;

 protected:
  const std::vector<qvdb_detail::ChainVertex>& chainVertices(
      std::vector<qvdb_detail::ChainVertex>& scratch) const override;
  QvGeMatrix3d chainToWorld() const override;
  QvGeVector3d chainNormal() const override;
  QvDbCurve* newPiece(const std::vector<qvdb_detail::ChainVertex>& worldVertices, bool closed,
                      const QvGeVector3d& normal) const override;
  Vexa::ErrorStatus applyEndChange(const qvdb_detail::SegmentChain::EndChange& change) override;
  // Keeps its plane's orientation (a mirror turns the bulges); non-uniform scaling of a
  // polyline with arcs is refused (eNotApplicable).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  QvDbImpObject* createImpObject() override;

 private:
  bool validIndex(unsigned int index) const { return index < vertices_.size(); }
  double defaultWidth() const;

  std::vector<qvdb_detail::ChainVertex> vertices_;  // OCS points, z 0
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  double elevation_ = 0.0;
  double thickness_ = 0.0;
  bool closed_ = false;
  bool plinegen_ = false;
};
