#include "host/commands/TarvoAlignedUcs.h"

#include "sdk/db/QvDbEntity.h"
#include "xqcmdutil/VexaEntityPE.h"
#include "xqcmdutil/XqUcsTransforms.h"

Vexa::ErrorStatus TarvoAlignedUcs::alignedUcs(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                                              QvGeMatrix3d& ucs) {
  if (!entity) return Vexa::eNullPtr;
  VexaEntityPE* extension = VexaEntityPE::cast(entity->x(VexaEntityPE::desc()));
  if (!extension) return Vexa::eNotImplemented;
  return extension->getAlignedUCS(entity, pickPoint, vexaGetActiveQvGsView(), ucs);
}
