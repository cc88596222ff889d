#include "sdk/modeler/QvDb3dSolid.h"

#include <BRepGProp.hxx>
#include <BRepPrimAPI_MakeBox.hxx>
#include <BRepPrimAPI_MakePrism.hxx>
#include <GProp_GProps.hxx>
#include <Standard_Failure.hxx>
#include <gp_Vec.hxx>

#include <cmath>

#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/modeler/detail/BodyShape.h"
#include "sdk/modeler/detail/RegionShape.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDb3dSolid)

using qvmodeler_detail::BodyShape;

namespace {

bool hasModeler() {
  return VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler() != nullptr;
}

bool isLength(double value) {
  return std::isfinite(value) && value > 0.0;
}

}  // namespace

QvDb3dSolid::QvDb3dSolid() = default;
QvDb3dSolid::~QvDb3dSolid() = default;

Vexa::ErrorStatus QvDb3dSolid::createBox(double xLen, double yLen, double zLen) {
  if (!hasModeler()) return Vexa::eNotApplicable;
  if (!isLength(xLen) || !isLength(yLen) || !isLength(zLen)) return Vexa::eInvalidInput;
  try {
    BRepPrimAPI_MakeBox box(gp_Pnt(-xLen / 2, -yLen / 2, -zLen / 2), xLen, yLen, zLen);
    return setBody(BodyShape{box.Solid()});
  } catch (const Standard_Failure&) {
    return Vexa::eInvalidInput;
  }
}

Vexa::ErrorStatus QvDb3dSolid::extrude(const QvDbRegion* region, double height) {
  if (!hasModeler()) return Vexa::eNotApplicable;
  if (!region || region->isNull() || !std::isfinite(height) || height == 0.0)
    return Vexa::eInvalidInput;
  QvGeVector3d normal;
  if (region->getNormal(normal) != Vexa::eOk) return Vexa::eInvalidInput;
  const QvGeVector3d sweep = normal * height;
  try {
    BRepPrimAPI_MakePrism prism(region->shape().shape, gp_Vec(sweep.x, sweep.y, sweep.z), true);
    if (!prism.IsDone()) return Vexa::eInvalidInput;
    return setBody(BodyShape{prism.Shape()});
  } catch (const Standard_Failure&) {
    return Vexa::eInvalidInput;
  }
}

Vexa::ErrorStatus QvDb3dSolid::getVolume(double& volume) const {
  if (const Vexa::ErrorStatus es = assertReadEnabled(); es != Vexa::eOk) return es;
  if (body().shape.IsNull()) return Vexa::eNotApplicable;
  GProp_GProps props;
  BRepGProp::VolumeProperties(body().shape, props);
  volume = std::fabs(props.Mass());
  return Vexa::eOk;
}
