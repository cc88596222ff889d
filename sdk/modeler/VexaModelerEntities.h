#pragma once

#include "sdk/base/VexaHost.h"
#include "sdk/db/IVexaModelerEntities.h"

// The modeler's entities for the drawing reader: regions, 3D solids and the surfaces.
class VexaModelerEntities : public IVexaModelerEntities, public VexaHostService {
 public:
  QvDbModelerEntity* create(const wchar_t* className) const override;
};
