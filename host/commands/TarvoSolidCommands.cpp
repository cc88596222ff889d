#include "host/commands/TarvoSolidCommands.h"

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "host/commands/TarvoEntityLabel.h"
#include "host/commands/TarvoSelectionSet.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbCurve.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"
#include "sdk/modeler/VexaSpaModelerMgr.h"
#include "sdk/rx/QvRxDynamicLinker.h"
#include "sdk/rx/VexaProductName.h"

namespace {

// The modeler, loading the module that provides it when it is not loaded.
bool haveModeler() {
  if (VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler()) return true;
  wchar_t prefix[1024];
  const std::wstring name =
      GetVexaProductPreName(prefix, 1024) ? std::wstring(prefix) + L"3dCmds.qrx" : L"Xq3dCmds.qrx";
  if (QvRxDynamicLinker* linker = qvrxDynamicLinker();
      linker && !linker->isModuleLoaded(name.c_str()))
    linker->loadModule(name.c_str(), false, false);
  if (VexaSpaModelerMgr::getSpaModelerMgr()->getVexaSpaModeler()) return true;
  TarvoCommandInput::say(L"\nThe 3D modeler is not available.");
  return false;
}

// Adds a body made here to the drawing and names it.
int addBody(QvDbEntity* body, const wchar_t* what) {
  const QvDbObjectId id = TarvoDrawing::addToCurrentSpace(body);
  if (id.isNull()) {
    TarvoCommandInput::say(QvString::format(L"\nThe %s could not be added to the drawing.", what));
    return kQvError;
  }
  QvDbObjectPointer<QvDbEntity> made(id, QvDb::kForRead);
  TarvoCommandInput::say(
      QvString::format(L"\n%s made.", TarvoEntityLabel::of(*made.object()).c_str()));
  return kQvNormal;
}

// The region a closed curve bounds; null (with the reason said) for other entities.
std::unique_ptr<QvDbRegion> regionOf(const QvDbEntity& entity) {
  const auto* curve = QvDbCurve::cast(&entity);
  QvDbRegion* region = nullptr;
  if (curve && curve->isClosed()) {
    QvArray<QvDbCurve*> curves;
    curves.append(const_cast<QvDbCurve*>(curve));
    spaCreateOneRegionFromCurves(curves, region, false, true, 1e-9);
  }
  if (!region)
    TarvoCommandInput::say(QvString::format(L"\n%s is not a closed planar curve, skipped.",
                                            TarvoEntityLabel::of(entity).c_str()));
  return std::unique_ptr<QvDbRegion>(region);
}

// Makes a body of each selected object with `make`, which says why it cannot.
int makeEach(const TarvoSelectionSet& selection,
             const std::function<QvDbEntity*(const QvDbEntity&)>& make, const wchar_t* what) {
  for (const QvDbObjectId& id : selection.ids()) {
    QvDbEntity* body = nullptr;
    {
      QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
      if (!entity) continue;
      body = make(*entity.object());
      if (body) body->setPropertiesFrom(entity.object());
    }
    if (body && addBody(body, what) != kQvNormal) return kQvError;
  }
  return kQvNormal;
}

}  // namespace

int TarvoSolidCommands::box(IVexaBuildInCommandContext&) {
  if (!haveModeler()) return kQvError;
  const TarvoAnswer first =
      TarvoCommandInput::point(L"\nSpecify first corner: ", nullptr, nullptr, true);
  if (first.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const TarvoAnswer other =
      TarvoCommandInput::point(L"\nSpecify other corner: ", &first.point, nullptr, true);
  if (other.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const std::optional<double> height = TarvoCommandInput::positive(L"\nSpecify height: ", 1.0);
  if (!height) return kQvCancel;
  const double dx = std::fabs(other.point.x - first.point.x);
  const double dy = std::fabs(other.point.y - first.point.y);
  auto solid = std::make_unique<QvDb3dSolid>();
  if (solid->createBox(dx, dy, *height) != Vexa::eOk) {
    TarvoCommandInput::say(L"\nThe corners make no box (they share an x or y).");
    return kQvError;
  }
  const QvGeVector3d centre((first.point.x + other.point.x) / 2,
                            (first.point.y + other.point.y) / 2, first.point.z + *height / 2);
  solid->transformBy(QvGeMatrix3d::translation(centre));
  return addBody(solid.release(), L"box");
}

int TarvoSolidCommands::extrude(IVexaBuildInCommandContext&) {
  if (!haveModeler()) return kQvError;
  TarvoSelectionSet selection;
  if (const int code = selection.askForCommand(); code != kQvNormal) return code;
  const std::optional<double> height =
      TarvoCommandInput::positive(L"\nSpecify height of extrusion: ", 1.0);
  if (!height) return kQvCancel;
  return makeEach(
      selection,
      [&](const QvDbEntity& entity) -> QvDbEntity* {
        const std::unique_ptr<QvDbRegion> region = regionOf(entity);
        if (!region) return nullptr;
        auto solid = std::make_unique<QvDb3dSolid>();
        if (solid->extrude(region.get(), *height) != Vexa::eOk) return nullptr;
        return solid.release();
      },
      L"solid");
}

int TarvoSolidCommands::planeSurface(IVexaBuildInCommandContext&) {
  if (!haveModeler()) return kQvError;
  TarvoSelectionSet selection;
  if (const int code = selection.askForCommand(); code != kQvNormal) return code;
  return makeEach(
      selection,
      [](const QvDbEntity& entity) -> QvDbEntity* {
        const std::unique_ptr<QvDbRegion> region = regionOf(entity);
        if (!region) return nullptr;
        auto surface = std::make_unique<QvDbPlaneSurface>();
        if (surface->createFromRegion(region.get()) != Vexa::eOk) return nullptr;
        return surface.release();
      },
      L"surface");
}

int TarvoSolidCommands::sweep(IVexaBuildInCommandContext&) {
  if (!haveModeler()) return kQvError;
  TarvoCommandInput::say(L"\nObjects to sweep.");
  TarvoSelectionSet profiles;
  if (const int code = profiles.askForCommand(); code != kQvNormal) return code;
  TarvoCommandInput::say(L"\nSweep path (the first object selected).");
  TarvoSelectionSet pathSelection;
  if (const int code = pathSelection.askForCommand(); code != kQvNormal) return code;
  QvDbObjectPointer<QvDbEntity> path(pathSelection.ids().front(), QvDb::kForRead);
  if (!path) return kQvError;
  std::unique_ptr<QvDbEntity> pathCopy(QvDbEntity::cast(path->clone()));
  path.close();
  return makeEach(
      profiles,
      [&](const QvDbEntity& entity) -> QvDbEntity* {
        auto surface = std::make_unique<QvDbSweptSurface>();
        if (surface->createSweptSurface(&entity, pathCopy.get()) != Vexa::eOk) {
          TarvoCommandInput::say(QvString::format(L"\n%s cannot be swept along the path, skipped.",
                                                  TarvoEntityLabel::of(entity).c_str()));
          return nullptr;
        }
        return surface.release();
      },
      L"surface");
}
