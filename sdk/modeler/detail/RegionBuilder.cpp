#include "sdk/modeler/detail/RegionBuilder.h"

#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepLib_FindSurface.hxx>
#include <BRep_Builder.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <Geom_Plane.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Edge.hxx>
#include <TopoDS_Vertex.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Pln.hxx>

#include <cmath>
#include <limits>

#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/detail/OcctCurves.h"
#include "sdk/modeler/detail/RegionShape.h"

namespace qvmodeler_detail {

namespace {

struct Link {
  size_t piece = 0;
  bool reversed = false;
};

gp_Pnt startOf(const CurvePiece& p, bool reversed) {
  return p.curve->Value(reversed ? p.last : p.first);
}

gp_Pnt endOf(const CurvePiece& p, bool reversed) {
  return startOf(p, !reversed);
}

// The pieces in chain order, each turned to run on from the one before; empty when they do
// not make one closed chain.
std::vector<Link> chainOf(const std::vector<CurvePiece>& pieces, double join) {
  std::vector<Link> chain{{0, false}};
  std::vector<bool> used(pieces.size(), false);
  used[0] = true;
  for (size_t k = 1; k < pieces.size(); ++k) {
    const gp_Pnt tail = endOf(pieces[chain.back().piece], chain.back().reversed);
    Link best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < pieces.size(); ++i) {
      if (used[i]) continue;
      for (const bool reversed : {false, true}) {
        const double d = tail.Distance(startOf(pieces[i], reversed));
        if (d < bestDistance) {
          bestDistance = d;
          best = {i, reversed};
        }
      }
    }
    if (!(bestDistance <= join)) return {};
    used[best.piece] = true;
    chain.push_back(best);
  }
  const gp_Pnt head = startOf(pieces[chain.front().piece], chain.front().reversed);
  const gp_Pnt tail = endOf(pieces[chain.back().piece], chain.back().reversed);
  if (!(head.Distance(tail) <= join)) return {};
  return chain;
}

// The wire of a chain: one vertex where two pieces meet, at the middle of their ends, with a
// tolerance that covers both ends.
TopoDS_Wire wireOf(const std::vector<CurvePiece>& pieces, const std::vector<Link>& chain) {
  BRep_Builder builder;
  const size_t n = chain.size();
  std::vector<TopoDS_Vertex> nodes(n);
  for (size_t k = 0; k < n; ++k) {
    const Link& before = chain[(k + n - 1) % n];
    const Link& after = chain[k];
    const gp_Pnt a = endOf(pieces[before.piece], before.reversed);
    const gp_Pnt b = startOf(pieces[after.piece], after.reversed);
    const gp_Pnt middle((a.XYZ() + b.XYZ()) * 0.5);
    builder.MakeVertex(nodes[k], middle,
                       std::max(Precision::Confusion(), 0.5 * a.Distance(b) * 1.001));
  }
  TopoDS_Wire wire;
  builder.MakeWire(wire);
  for (size_t k = 0; k < n; ++k) {
    const CurvePiece& piece = pieces[chain[k].piece];
    const bool reversed = chain[k].reversed;
    const TopoDS_Vertex& from = nodes[k];
    const TopoDS_Vertex& to = nodes[(k + 1) % n];
    TopoDS_Edge edge;
    builder.MakeEdge(edge, piece.curve, Precision::Confusion());
    builder.Add(edge, TopoDS::Vertex((reversed ? to : from).Oriented(TopAbs_FORWARD)));
    builder.Add(edge, TopoDS::Vertex((reversed ? from : to).Oriented(TopAbs_REVERSED)));
    builder.Range(edge, piece.first, piece.last);
    if (reversed) edge.Reverse();
    builder.Add(wire, edge);
  }
  wire.Closed(true);
  return wire;
}

double signedArea(const TopoDS_Face& face) {
  GProp_GProps props;
  BRepGProp::SurfaceProperties(face, props);
  return props.Mass();
}

}  // namespace

std::vector<TopoDS_Face> facesOf(const TopoDS_Shape& shape) {
  std::vector<TopoDS_Face> faces;
  if (shape.IsNull()) return faces;
  for (TopExp_Explorer e(shape, TopAbs_FACE); e.More(); e.Next())
    faces.push_back(TopoDS::Face(e.Current()));
  return faces;
}

bool faceNormal(const TopoDS_Face& face, double normal[3], double origin[3]) {
  Handle(Geom_Plane) plane = Handle(Geom_Plane)::DownCast(BRep_Tool::Surface(face));
  if (plane.IsNull()) return false;
  gp_Dir n = plane->Pln().Axis().Direction();
  if (face.Orientation() == TopAbs_REVERSED) n.Reverse();
  const gp_Pnt o = plane->Pln().Location();
  normal[0] = n.X(), normal[1] = n.Y(), normal[2] = n.Z();
  origin[0] = o.X(), origin[1] = o.Y(), origin[2] = o.Z();
  return true;
}

TopoDS_Shape regionShapeOf(const TopoDS_Shape& result) {
  std::vector<TopoDS_Face> faces = facesOf(result);
  for (TopoDS_Face& face : faces) {
    double n[3], o[3];
    if (!faceNormal(face, n, o)) continue;
    constexpr double kFlat = 1e-12;
    const bool backwards = std::fabs(n[2]) > kFlat   ? n[2] < 0.0
                           : std::fabs(n[1]) > kFlat ? n[1] < 0.0
                                                     : n[0] < 0.0;
    if (backwards) face.Reverse();
  }
  if (faces.empty()) return TopoDS_Shape();
  if (faces.size() == 1) return faces.front();
  BRep_Builder builder;
  TopoDS_Compound compound;
  builder.MakeCompound(compound);
  for (const TopoDS_Face& face : faces) builder.Add(compound, face);
  return compound;
}

bool regionFromChain(const std::vector<std::unique_ptr<QvGeCurve3d>>& curves, double tolerance,
                     QvDbRegion& region) {
  try {
    std::vector<CurvePiece> pieces;
    for (const auto& curve : curves)
      if (!curve || !piecesOf(*curve, pieces)) return false;
    if (pieces.empty()) return false;
    const double join = std::max(tolerance, Precision::Confusion());
    const std::vector<Link> chain = chainOf(pieces, join);
    if (chain.empty()) return false;
    TopoDS_Wire wire = wireOf(pieces, chain);
    BRepLib_FindSurface find(wire, join, true, true);
    if (!find.Found()) return false;
    Handle(Geom_Plane) plane = Handle(Geom_Plane)::DownCast(find.Surface());
    if (plane.IsNull()) return false;
    BRepBuilderAPI_MakeFace make(plane->Pln(), wire, true);
    if (!make.IsDone()) return false;
    TopoDS_Face face = make.Face();
    if (signedArea(face) < 0.0) {
      BRepBuilderAPI_MakeFace inward(plane->Pln(), TopoDS::Wire(wire.Reversed()), true);
      if (!inward.IsDone()) return false;
      face = inward.Face();
    }
    // A chain that crosses itself makes an invalid face; so does a degenerate one.
    if (!BRepCheck_Analyzer(face).IsValid() || !(signedArea(face) > 0.0)) return false;
    RegionShape shape;
    shape.shape = regionShapeOf(face);
    region.setShape(shape);
    return true;
  } catch (const Standard_Failure&) {
    return false;
  }
}

}  // namespace qvmodeler_detail
