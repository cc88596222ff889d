#include "sdk/modeler/QvDbSurface.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepOffsetAPI_MakePipe.hxx>
#include <Standard_Failure.hxx>
#include <TopoDS_Wire.hxx>

#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/modeler/detail/BodyShape.h"
#include "sdk/modeler/detail/OcctCurves.h"
#include "sdk/modeler/detail/RegionShape.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbSurface)
QVRX_DEFINE_HOST_MEMBERS(QvDbPlaneSurface)
QVRX_DEFINE_HOST_MEMBERS(QvDbSweptSurface)

using qvmodeler_detail::BodyShape;

namespace {

bool hasModeler() {
  return VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler() != nullptr;
}

// A bounded curve entity as a wire of the modeler; false for anything else.
bool wireOf(const QvDbEntity* entity, TopoDS_Wire& wire) {
  const auto* curve = QvDbCurve::cast(entity);
  QvGeCurve3d* ge = nullptr;
  if (!curve || curve->getGeCurve(ge) != Vexa::eOk || !ge) return false;
  const std::unique_ptr<QvGeCurve3d> owned(ge);
  std::vector<qvmodeler_detail::CurvePiece> pieces;
  if (!qvmodeler_detail::piecesOf(*owned, pieces) || pieces.empty()) return false;
  BRepBuilderAPI_MakeWire make;
  for (const auto& piece : pieces) {
    BRepBuilderAPI_MakeEdge edge(piece.curve, piece.first, piece.last);
    if (!edge.IsDone()) return false;
    make.Add(edge.Edge());
    if (!make.IsDone()) return false;
  }
  wire = make.Wire();
  return true;
}

}  // namespace

QvDbSurface::QvDbSurface() = default;
QvDbSurface::~QvDbSurface() = default;
QvDbPlaneSurface::QvDbPlaneSurface() = default;
QvDbPlaneSurface::~QvDbPlaneSurface() = default;
QvDbSweptSurface::QvDbSweptSurface() = default;
QvDbSweptSurface::~QvDbSweptSurface() = default;

Vexa::ErrorStatus QvDbPlaneSurface::createFromRegion(const QvDbRegion* region) {
  if (!hasModeler()) return Vexa::eNotApplicable;
  if (!region || region->isNull()) return Vexa::eInvalidInput;
  return setBody(BodyShape{region->shape().shape});
}

Vexa::ErrorStatus QvDbSweptSurface::createSweptSurface(const QvDbEntity* sweepEntity,
                                                       const QvDbEntity* pathEntity) {
  if (!hasModeler()) return Vexa::eNotApplicable;
  try {
    TopoDS_Wire profile, path;
    if (!wireOf(sweepEntity, profile) || !wireOf(pathEntity, path)) return Vexa::eInvalidInput;
    BRepOffsetAPI_MakePipe pipe(path, profile);
    pipe.Build();
    if (!pipe.IsDone() || pipe.Shape().IsNull()) return Vexa::eInvalidInput;
    return setBody(BodyShape{pipe.Shape()});
  } catch (const Standard_Failure&) {
    return Vexa::eInvalidInput;
  }
}
