// Hatch trimming: the entry point. Loops are visited once each; a loop is replaced only when
// every one of its new loops is ready and accepted, so a failed step leaves it as it was.
#include <memory>
#include <string>
#include <vector>

#include "cmdutil/hatchtrim/TrimHatchIndex.h"
#include "cmdutil/hatchtrim/TrimHatchLoop.h"
#include "cmdutil/hatchtrim/TrimHatchSupport.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxDictionary.h"
#include "sdk/rx/QvRxDynamicLinkerImp.h"
#include "sdk/rx/VexaProductName.h"
#include "xqcmdutil/CTrimHatch.h"

using namespace xq_hatchtrim;

namespace {

// Loads the module that provides the modeler when it is not loaded; failures are ignored.
void loadModeler() {
  wchar_t prefix[1024];
  const std::wstring name =
      GetVexaProductPreName(prefix, 1024) ? std::wstring(prefix) + L"3dCmds.qrx" : L"Xq3dCmds.qrx";
  QvRxObject* entry = qvrxSysRegistry() ? qvrxSysRegistry()->at(L"DynamicLinker") : nullptr;
  auto* linker = QvRxDynamicLinker::cast(entry);
  if (!linker || linker->isA() != QvRxDynamicLinkerImp::desc()) return;
  if (!linker->isModuleLoaded(name.c_str())) linker->loadModule(name.c_str(), false, false);
}

// The cutting pieces a loop's outline box may meet, in their order: every piece through the
// literal search, the pieces whose boxes are not apart from the outline's through the index
// (the others the filter drops anyway).
void nearPieces(const CTrimHatch::PieceList& cutting, const BoxGrid* index,
                const QvDbPolyline* outline, CTrimHatch::PieceList& working) {
  QvDbExtents box;
  if (!index || outline->getGeomExtents(box) != Vexa::eOk) {
    for (int k = 0; k < cutting.length(); ++k) working.append(cutting[k]);
    return;
  }
  std::vector<int> near;
  index->query(box, boxMargin(box), near);
  for (const int k : near) working.append(cutting[k]);
}

std::unique_ptr<BoxGrid> pieceIndex(const CTrimHatch::PieceList& pieces) {
  std::vector<QvDbExtents> boxes(static_cast<size_t>(pieces.length()));
  std::vector<bool> known(boxes.size(), false);
  for (int k = 0; k < pieces.length(); ++k) {
    const QvDbCurve* curve = QvDbCurve::cast(pieces[k].second);
    known[static_cast<size_t>(k)] =
        curve && curve->getGeomExtents(boxes[static_cast<size_t>(k)]) == Vexa::eOk;
  }
  return std::make_unique<BoxGrid>(boxes, known);
}

}  // namespace

bool CTrimHatch::TrimHatch(QvDbDatabase* database, const QvArray<QvDbCurve*>& cuttingCurves,
                           QvDbHatch* hatch, int projectionMode, const QvGePlane& projectionPlane) {
  if (!database || !hatch) return false;
  loadModeler();
  PieceList cutting;
  OwnedPieces ownCutting(cutting);
  _collectPieces(cuttingCurves, hatch, cutting);

  QvGePoint2dArray seeds;
  hatch->getHatchSeedPoints(seeds);
  int originalSeeds = seeds.length();  // seeds of the loops the hatch had, in loop order
  const QvDbObjectId hatchId = hatch->objectId();
  const QvGeVector3d normal = hatch->normal();
  QvGePoint3d origin = QvGePoint3d::kOrigin;
  origin.transformBy(hatch->planeToWorld());  // elevation along the normal
  const QvGePlane plane(origin, normal);
  if (projectionMode == 1 || projectionMode == 2)
    _projectPieces(cutting, plane, projectionPlane.normal());
  std::unique_ptr<BoxGrid> pieces;
  std::unique_ptr<CutterIndex> cutters;
  if (indexedSearch()) {
    pieces = pieceIndex(cutting);
    cutters = std::make_unique<CutterIndex>(cuttingCurves, plane);
  }

  bool changed = false;
  int count = hatch->numLoops();
  for (int i = 0; i < count; ++i) {
    OwnedCurves loopCurves;
    std::unique_ptr<QvDbPolyline> outline;
    {
      QvDbPolyline* made = nullptr;
      _loopToCurves(hatch, i, loopCurves.curves, made);
      outline.reset(made);
    }
    // The loop must bound an area.
    {
      QvArray<QvDbCurve*> curves;
      for (QvDbCurve* c : loopCurves.curves) curves.append(c);
      QvDbRegion* test = nullptr;
      const Vexa::ErrorStatus es =
          spaCreateOneRegionFromCurves(curves, test, false, true, kRegionGapTol);
      delete test;
      if (es != Vexa::eOk) continue;
    }
    PieceList working;
    nearPieces(cutting, pieces.get(), outline.get(), working);
    for (QvDbCurve* c : loopCurves.curves) working.append({hatchId, c});
    if (_filterPiecesOutsideLoop(outline.get(), hatchId, working, false) != Vexa::eOk) continue;
    PieceList split;
    OwnedPieces ownSplit(split);
    if (_splitAtIntersections(working, split) != Vexa::eOk) continue;
    if (_filterPiecesOutsideLoop(outline.get(), hatchId, split, true) != Vexa::eOk) continue;
    RegionList regions;
    OwnedRegions ownRegions(regions);
    if (_buildRegions(split, regions, hatchId, normal) != 0) continue;
    if (_selectRegionsInsideCutters(origin, normal, cuttingCurves, plane, regions, cutters.get()) !=
        0)
      continue;
    _uniteTouchingRegions(regions);

    // Every new loop, ready before the hatch is touched.
    QvDbObjectIdArray oldIds;
    if (hatch->associative()) hatch->getAssocObjIdsAt(i, oldIds);
    std::vector<Loop> loops;
    std::vector<QvArray<QvDbObjectId>> loopIds;
    bool ready = true;
    for (const RegionRecord& record : regions) {
      QvArray<QvDbObjectId> ids = record.ids;
      if (ids.contains(hatchId)) {
        ids.remove(hatchId);
        for (const QvDbObjectId& id : oldIds) addDistinctId(ids, id);
      }
      const size_t before = loops.size();
      if (!_regionToLoops(record.region, hatch, loops)) {
        ready = false;
        break;
      }
      for (size_t k = before; k < loops.size(); ++k) loopIds.push_back(ids);
    }
    const int type = QvDbHatch::kExternal | (hatch->associative() ? QvDbHatch::kDerived : 0);
    if (ready) {
      QvDbHatch scratch;
      for (const Loop& loop : loops)
        ready = ready && scratch.appendLoop(type, loop.edges.items, loop.types) == Vexa::eOk;
    }
    if (!ready) continue;

    hatch->removeLoopAt(i);
    if (i < originalSeeds) {
      seeds.removeAt(i);
      --originalSeeds;
    }
    for (size_t k = 0; k < loops.size(); ++k) {
      hatch->appendLoop(type, loops[k].edges.items, loops[k].types);
      if (hatch->associative()) hatch->setHatchAssocObjIdsAt(hatch->numLoops() - 1, loopIds[k]);
      if (loops[k].hasSeed) seeds.append(loops[k].seed);
    }
    hatch->setHatchSeedPoints(seeds);
    changed = true;
    --i;
    --count;
  }
  if (changed) hatch->evaluateHatch(false);
  closeCutters(cuttingCurves, hatch);
  return changed;
}
