#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeArrays.h"

class QvDbCurve;
class QvDbRegion;

// The region modeler. The host answers for it only while the module that provides it (the 3D
// commands module) is loaded: that module switches it on when it starts and off when it ends,
// so "no modeler" is a state callers meet and must handle.
class VexaSpaModeler {
 public:
  VexaSpaModeler(const VexaSpaModeler&) = delete;
  VexaSpaModeler& operator=(const VexaSpaModeler&) = delete;

 private:
  friend class VexaSpaModelerMgr;
  VexaSpaModeler() = default;
};

class VexaSpaModelerMgr {
 public:
  static VexaSpaModelerMgr* getSpaModelerMgr();
  // The modeler, or null while no module provides it.
  VexaSpaModeler* getVexaSpaModeler();
  // For the providing module: on at its start, off at its end.
  void setModelerAvailable(bool available);

 private:
  bool available_ = false;
};

// One region bounded by the closed chain the curves form, in any order and direction, ends
// meeting within `tolerance` (they are joined where they meet). Lines, arcs, circles, ellipses,
// splines and polylines are taken; a polyline contributes its segments. The two flags are
// those of the host's call and change nothing here. eNotApplicable without a modeler;
// eInvalidInput for a null or unusable curve, curves that leave a gap, branch or make more than
// one chain, a chain that is not planar or crosses itself. On success `region` is new and
// belongs to the caller.
Vexa::ErrorStatus spaCreateOneRegionFromCurves(const QvArray<QvDbCurve*>& curves,
                                               QvDbRegion*& region, bool, bool, double tolerance);
