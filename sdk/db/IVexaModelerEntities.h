#pragma once

class QvDbModelerEntity;

// Where the drawing reader gets new modeler entities (regions, 3D solids and surfaces, which the
// modeler implements) by class name ("QvDb3dSolid"): null for a name it does not know. The
// modeler's service is bound here when the host starts.
class IVexaModelerEntities {
 public:
  virtual QvDbModelerEntity* create(const wchar_t* className) const = 0;

 protected:
  ~IVexaModelerEntities() = default;
};
