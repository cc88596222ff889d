#include "sdk/modeler/detail/OcctCurves.h"

#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <GeomConvert.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_Circle.hxx>
#include <Geom_Ellipse.hxx>
#include <Geom_Line.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TopExp.hxx>
#include <TopoDS_Vertex.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Elips.hxx>
#include <gp_Lin.hxx>

#include <cmath>

#include "sdk/ge/QvGeCircArc3d.h"
#include "sdk/ge/QvGeCompositeCurve3d.h"
#include "sdk/ge/QvGeEllipArc3d.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "sdk/ge/QvGeNurbCurve3d.h"
#include "sdk/ge/QvGePolyline3d.h"

namespace qvmodeler_detail {

namespace {

gp_Pnt pnt(const QvGePoint3d& p) {
  return gp_Pnt(p.x, p.y, p.z);
}

gp_Dir dir(const QvGeVector3d& v) {
  return gp_Dir(v.x, v.y, v.z);
}

QvGePoint3d point(const gp_Pnt& p) {
  return QvGePoint3d(p.X(), p.Y(), p.Z());
}

QvGeVector3d vector(const gp_Dir& d) {
  return QvGeVector3d(d.X(), d.Y(), d.Z());
}

bool addSegment(const QvGePoint3d& a, const QvGePoint3d& b, std::vector<CurvePiece>& pieces) {
  const double length = a.distanceTo(b);
  if (!(length > 0.0)) return true;  // a part of zero length adds nothing
  if (!std::isfinite(length)) return false;
  pieces.push_back(
      {new Geom_Line(gp_Lin(pnt(a), gp_Dir((b - a).x, (b - a).y, (b - a).z))), 0.0, length});
  return true;
}

bool addNurbs(const QvGeNurbCurve3d& nurbs, std::vector<CurvePiece>& pieces) {
  const int n = nurbs.numControlPoints(), degree = nurbs.degree();
  if (!nurbs.isValid() || n < 2 || nurbs.numKnots() != n + degree + 1) return false;
  TColgp_Array1OfPnt poles(1, n);
  TColStd_Array1OfReal weights(1, n);
  for (int i = 0; i < n; ++i) {
    poles.SetValue(i + 1, pnt(nurbs.controlPointAt(i)));
    weights.SetValue(i + 1, nurbs.isRational() ? nurbs.weightAt(i) : 1.0);
  }
  std::vector<double> knots;
  std::vector<int> mults;
  for (int i = 0; i < nurbs.numKnots(); ++i) {
    const double k = nurbs.knotAt(i);
    if (!knots.empty() && k == knots.back()) {
      ++mults.back();
    } else {
      knots.push_back(k);
      mults.push_back(1);
    }
  }
  TColStd_Array1OfReal knotArray(1, static_cast<int>(knots.size()));
  TColStd_Array1OfInteger multArray(1, static_cast<int>(knots.size()));
  for (size_t i = 0; i < knots.size(); ++i) {
    knotArray.SetValue(static_cast<int>(i) + 1, knots[i]);
    multArray.SetValue(static_cast<int>(i) + 1, std::min(mults[i], degree + 1));
  }
  try {
    Handle(Geom_BSplineCurve) curve =
        nurbs.isRational() ? new Geom_BSplineCurve(poles, weights, knotArray, multArray, degree)
                           : new Geom_BSplineCurve(poles, knotArray, multArray, degree);
    pieces.push_back({curve, nurbs.startParam(), nurbs.endParam()});
  } catch (const Standard_Failure&) {
    return false;
  }
  return true;
}

bool addPiece(const QvGeCurve3d& curve, std::vector<CurvePiece>& pieces) {
  if (!curve.isValid()) return false;
  switch (curve.type()) {
    case QvGe::kLineSeg3d: {
      const auto& line = static_cast<const QvGeLineSeg3d&>(curve);
      return addSegment(line.startPoint(), line.endPoint(), pieces);
    }
    case QvGe::kCircArc3d: {
      const auto& arc = static_cast<const QvGeCircArc3d&>(curve);
      if (!(arc.radius() > 0.0) || !(arc.endAng() > arc.startAng())) return false;
      const gp_Ax2 axes(pnt(arc.center()), dir(arc.normal()), dir(arc.refVec()));
      pieces.push_back(
          {new Geom_Circle(gp_Circ(axes, arc.radius())), arc.startAng(), arc.endAng()});
      return true;
    }
    case QvGe::kEllipArc3d: {
      const auto& arc = static_cast<const QvGeEllipArc3d&>(curve);
      if (!(arc.minorRadius() > 0.0) || !(arc.endAng() > arc.startAng())) return false;
      if (arc.majorRadius() < arc.minorRadius()) return addNurbs(QvGeNurbCurve3d(arc), pieces);
      const gp_Ax2 axes(pnt(arc.center()), dir(arc.normal()), dir(arc.majorAxis()));
      pieces.push_back({new Geom_Ellipse(gp_Elips(axes, arc.majorRadius(), arc.minorRadius())),
                        arc.startAng(), arc.endAng()});
      return true;
    }
    case QvGe::kNurbCurve3d:
      return addNurbs(static_cast<const QvGeNurbCurve3d&>(curve), pieces);
    case QvGe::kPolyline3d: {
      const auto& polyline = static_cast<const QvGePolyline3d&>(curve);
      for (int i = 0; i + 1 < polyline.numFitPoints(); ++i)
        if (!addSegment(polyline.fitPointAt(i), polyline.fitPointAt(i + 1), pieces)) return false;
      return true;
    }
    case QvGe::kCompositeCrv3d: {
      const auto& composite = static_cast<const QvGeCompositeCurve3d&>(curve);
      for (int i = 0; i < composite.numCurves(); ++i) {
        const QvGeCurve3d* part = composite.curveAt(i);
        if (!part || !addPiece(*part, pieces)) return false;
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

bool piecesOf(const QvGeCurve3d& curve, std::vector<CurvePiece>& pieces) {
  std::vector<CurvePiece> found;
  try {
    if (!addPiece(curve, found)) return false;
  } catch (const Standard_Failure&) {
    return false;
  }
  pieces.insert(pieces.end(), found.begin(), found.end());
  return true;
}

QvGeCurve3d* curveOfEdge(const TopoDS_Edge& edge) {
  double first = 0.0, last = 0.0;
  if (BRep_Tool::Curve(edge, first, last).IsNull()) return nullptr;
  const BRepAdaptor_Curve adaptor(edge);
  const bool reversed = edge.Orientation() == TopAbs_REVERSED;
  // The vertices in the direction the edge runs.
  TopoDS_Vertex from, to;
  TopExp::Vertices(edge, from, to, true);
  QvGeCurve3d* made = nullptr;
  switch (adaptor.GetType()) {
    case GeomAbs_Line:
      if (from.IsNull() || to.IsNull()) return nullptr;
      return new QvGeLineSeg3d(point(BRep_Tool::Pnt(from)), point(BRep_Tool::Pnt(to)));
    case GeomAbs_Circle: {
      const gp_Circ c = adaptor.Circle();
      made = new QvGeCircArc3d(point(c.Location()), vector(c.Axis().Direction()),
                               vector(c.XAxis().Direction()), c.Radius(), adaptor.FirstParameter(),
                               adaptor.LastParameter());
      break;
    }
    case GeomAbs_Ellipse: {
      const gp_Elips e = adaptor.Ellipse();
      made = new QvGeEllipArc3d(point(e.Location()), vector(e.XAxis().Direction()),
                                vector(e.YAxis().Direction()), e.MajorRadius(), e.MinorRadius(),
                                adaptor.FirstParameter(), adaptor.LastParameter());
      break;
    }
    default: {
      Handle(Geom_BSplineCurve) spline;
      try {
        spline = adaptor.GetType() == GeomAbs_BSplineCurve
                     ? adaptor.BSpline()
                     : GeomConvert::CurveToBSplineCurve(
                           new Geom_TrimmedCurve(BRep_Tool::Curve(edge, first, last), first, last));
        if (spline.IsNull()) return nullptr;
        if (!spline->IsPeriodic())
          spline->Segment(adaptor.FirstParameter(), adaptor.LastParameter());
        else
          spline->SetNotPeriodic();
      } catch (const Standard_Failure&) {
        return nullptr;
      }
      QvGePoint3dArray poles;
      QvGeDoubleArray knots, weights;
      for (int i = 1; i <= spline->NbPoles(); ++i) {
        poles.append(point(spline->Pole(i)));
        weights.append(spline->Weight(i));
      }
      for (int i = 1; i <= spline->NbKnots(); ++i)
        for (int m = 0; m < spline->Multiplicity(i); ++m) knots.append(spline->Knot(i));
      // The ends are the vertices themselves, so that pieces meet exactly.
      // The spline runs as its carrier does: its first end is the vertex of the carrier's
      // first parameter.
      TopoDS_Vertex atFirst, atLast;
      TopExp::Vertices(edge, atFirst, atLast, false);
      if (!atFirst.IsNull() && !atLast.IsNull()) {
        poles[0] = point(BRep_Tool::Pnt(atFirst));
        poles[poles.length() - 1] = point(BRep_Tool::Pnt(atLast));
      }
      made = new QvGeNurbCurve3d(spline->Degree(), knots, poles,
                                 spline->IsRational() ? weights : QvGeDoubleArray());
      if (!made->isValid()) {
        delete made;
        return nullptr;
      }
      break;
    }
  }
  if (made && reversed) made->reverseParam();
  return made;
}

}  // namespace qvmodeler_detail
