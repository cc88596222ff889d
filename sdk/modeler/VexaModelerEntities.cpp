#include "sdk/modeler/VexaModelerEntities.h"

#include <string_view>

#include "sdk/modeler/QvDb3dSolid.h"
#include "sdk/modeler/QvDbRegion.h"
#include "sdk/modeler/QvDbSurface.h"

QvDbModelerEntity* VexaModelerEntities::create(const wchar_t* className) const {
  const std::wstring_view name = className ? className : L"";
  if (name == L"QvDb3dSolid") return new QvDb3dSolid();
  if (name == L"QvDbRegion") return new QvDbRegion();
  if (name == L"QvDbSurface") return new QvDbSurface();
  if (name == L"QvDbPlaneSurface") return new QvDbPlaneSurface();
  if (name == L"QvDbSweptSurface") return new QvDbSweptSurface();
  return nullptr;
}
