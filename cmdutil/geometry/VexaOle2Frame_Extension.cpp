#include "cmdutil/geometry/VexaOle2Frame_Extension.h"

#include "sdk/db/QvDbOle2Frame.h"

Vexa::ErrorStatus VexaOle2Frame_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbOle2Frame* frame = QvDbOle2Frame::cast(entity);
  if (!frame) return Vexa::eNotApplicable;
  return frame->getLocation(point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
