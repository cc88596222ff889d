#include "sdk/modeler/VexaSpaModelerMgr.h"

#include <memory>
#include <vector>

#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/detail/RegionBuilder.h"

VexaSpaModelerMgr* VexaSpaModelerMgr::getSpaModelerMgr() {
  static VexaSpaModelerMgr manager;
  return &manager;
}

VexaSpaModeler* VexaSpaModelerMgr::getVexaSpaModeler() {
  static VexaSpaModeler modeler;
  return available_ ? &modeler : nullptr;
}

void VexaSpaModelerMgr::setModelerAvailable(bool available) {
  available_ = available;
}

Vexa::ErrorStatus spaCreateOneRegionFromCurves(const QvArray<QvDbCurve*>& curves,
                                               QvDbRegion*& region, bool, bool, double tolerance) {
  region = nullptr;
  if (!VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler()) return Vexa::eNotApplicable;
  if (curves.isEmpty() || !(tolerance >= 0.0)) return Vexa::eInvalidInput;
  std::vector<std::unique_ptr<QvGeCurve3d>> geometry;
  for (const QvDbCurve* curve : curves) {
    QvGeCurve3d* ge = nullptr;
    if (!curve || curve->getGeCurve(ge) != Vexa::eOk || !ge) return Vexa::eInvalidInput;
    geometry.emplace_back(ge);
  }
  std::unique_ptr<QvDbRegion> made(new QvDbRegion());
  if (!qvmodeler_detail::regionFromChain(geometry, tolerance, *made)) return Vexa::eInvalidInput;
  made->setPropertiesFrom(curves[0]);
  region = made.release();
  return Vexa::eOk;
}
