#pragma once

#include "sdk/db/QvDbVertex.h"

// The kinds of 2D polyline vertices. Spline control vertices (1) are the frame a splined
// polyline was made from: they are not on the curve, and everything that walks the polyline's
// geometry skips them.
enum QvDb2dVertexType {
  k2dVertex = 0,           // a plain vertex
  k2dSplineCtlVertex = 1,  // a control vertex of a splined polyline (skipped)
  k2dSplineFitVertex = 2,  // a vertex made by spline fitting
  k2dCurveFitVertex = 3,   // a vertex made by curve fitting
};

// A vertex of a 2D polyline: its position in the polyline's OCS (z is not used: the polyline's
// elevation is), the bulge and widths of the segment that leaves it, a curve-fit tangent, a
// vertex identifier and its kind.
class QvDb2dVertex : public QvDbVertex {
  QVDB_DECLARE_MEMBERS(QvDb2dVertex);

  QvDb2dVertex() = default;
  explicit QvDb2dVertex(const QvGePoint3d& position, double bulge = 0.0, double startWidth = 0.0,
                        double endWidth = 0.0, double tangent = 0.0, int vertexIdentifier = 0);

  QvDb2dVertexType vertexType() const;
  Vexa::ErrorStatus setVertexType(QvDb2dVertexType type);
  QvGePoint3d position() const;  // OCS
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);
  double bulge() const;
  Vexa::ErrorStatus setBulge(double bulge);
  double startWidth() const;
  Vexa::ErrorStatus setStartWidth(double width);  // eInvalidInput for a negative width
  double endWidth() const;
  Vexa::ErrorStatus setEndWidth(double width);
  double tangent() const;
  bool isTangentUsed() const;
  Vexa::ErrorStatus setTangent(double tangent);  // also marks it used
  Vexa::ErrorStatus useTangent();
  Vexa::ErrorStatus ignoreTangent();
  int vertexIdentifier() const;
  Vexa::ErrorStatus setVertexIdentifier(int identifier);

 protected:
  // A vertex follows its polyline: alone it cannot move (eNotApplicable).
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;

 private:
  friend class QvDb2dPolyline;

  QvGePoint3d position_;
  double bulge_ = 0.0;
  double startWidth_ = 0.0;
  double endWidth_ = 0.0;
  double tangent_ = 0.0;
  bool tangentUsed_ = false;
  int identifier_ = 0;
  QvDb2dVertexType type_ = k2dVertex;
};
