#include "cmdutil/geometry/XqPolylineLength.h"

#include <cmath>
#include <memory>

#include "cmdutil/geometry/XqCurveEndPick.h"
#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeCurve3d.h"
#include "sdk/ge/QvGeUtility.h"
#include "xqcmdutil/XqDbUtil.h"

namespace {

// Deletes the objects of an array it holds when it goes.
template <class T>
struct OwnedPointers {
  QvArray<T*> items;
  ~OwnedPointers() {
    for (T* item : items) delete item;
  }
};

Vexa::ErrorStatus shorten(QvDbCurve& polyline, double cutDist, bool keepEnd) {
  double cut = 0.0;
  if (polyline.getParamAtDist(cutDist, cut) != Vexa::eOk) return Vexa::eInvalidInput;
  OwnedPointers<QvDbEntity> pieces;
  QvGeDoubleArray params;
  params.append(cut);
  if (polyline.getSplitCurves(params, pieces.items) != Vexa::eOk || pieces.items.length() != 2)
    return Vexa::eInvalidInput;
  return polyline.copyFrom(pieces.items[keepEnd ? 1 : 0]) ? Vexa::eOk : Vexa::eNotOpenForWrite;
}

Vexa::ErrorStatus lengthen(QvDbCurve& polyline, double increase, bool atStart) {
  std::unique_ptr<QvGeCurve3d> geCurve(XqDbUtil::asQvGeCurve(&polyline, false, false));
  if (!geCurve) return Vexa::eInvalidInput;
  OwnedPointers<QvGeCurve3d> onward;
  if (QvGeUtility::qvgeGetComplementaryCurves(*geCurve, atStart ? QvGe::kStart : QvGe::kEnd,
                                              onward.items) != Vexa::eOk ||
      onward.items.isEmpty())
    return Vexa::eInvalidInput;
  const QvGeCurve3d& next = *onward.items[0];
  if (next.type() != QvGe::kRay3d && next.type() != QvGe::kCircArc3d) return Vexa::eNotApplicable;
  QvGeInterval interval;
  next.getInterval(interval);
  if (next.type() == QvGe::kCircArc3d) {
    // The rest of the end arc's circle must hold the increase with room to spare: going
    // round to the arc's own start would close the polyline or wind it over itself.
    const double rest = next.length();
    if (increase >= rest - 1e-9 * rest) return Vexa::eInvalidInput;
  }
  double param = 0.0;
  if (!next.getParamAtLength(interval.lowerBound(), increase, true, param))
    return Vexa::eInvalidInput;
  return polyline.extend(atStart, next.evalPoint(param));
}

}  // namespace

Vexa::ErrorStatus xqSetPolylineLength(QvDbCurve& polyline, double newLength,
                                      const QvGePoint3d& pickPoint) {
  if (!std::isfinite(newLength) || newLength <= 0.0 || polyline.isClosed())
    return Vexa::eInvalidInput;
  if (!polyline.isWriteEnabled()) return Vexa::eNotOpenForWrite;
  double endParam = 0.0, length = 0.0;
  if (polyline.getEndParam(endParam) != Vexa::eOk ||
      polyline.getDistAtParam(endParam, length) != Vexa::eOk)
    return Vexa::eNotApplicable;
  if (length <= 0.0) return Vexa::eInvalidInput;
  QvGePoint3d picked;
  double pickedParam = 0.0, halfParam = 0.0;
  if (XqCurveEndPick::pickedPoint(polyline, pickPoint, picked) != Vexa::eOk ||
      polyline.getParamAtPoint(picked, pickedParam) != Vexa::eOk ||
      polyline.getParamAtDist(length / 2.0, halfParam) != Vexa::eOk)
    return Vexa::eNotApplicable;
  const bool atStart = pickedParam <= halfParam;

  const double change = newLength - length;
  if (std::fabs(change) <= 1e-12 * length) return Vexa::eOk;
  if (change < 0.0) return shorten(polyline, atStart ? -change : newLength, atStart);
  return lengthen(polyline, change, atStart);
}
