#include "cmdutil/geometry/VexaMLine_Extension.h"

#include <memory>

#include "cmdutil/geometry/XqAlignedUcs.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMline.h"
#include "xqcmdutil/XqDbUtil.h"
#include "xqcmdutil/XqUcsTransforms.h"

namespace {

QvDbMlineImp* mlineImp(const QvDbMline& mline) {
  return dynamic_cast<QvDbMlineImp*>(QvDbSystemInternals::getImpObject(&mline));
}

}  // namespace

Vexa::ErrorStatus VexaMLine_Extension::getAlignedUCS(QvDbEntity* entity,
                                                     const QvGePoint3d* pickPoint, QvGsView*,
                                                     QvGeMatrix3d& ucs) {
  const QvDbMline* mline = QvDbMline::cast(entity);
  if (!mline || !pickPoint || mline->numVertices() < 2) return Vexa::eNotApplicable;
  const QvDbMlineImp* imp = mlineImp(*mline);
  if (!imp) return Vexa::eNotApplicable;
  QvGeVector3d viewDir;
  if (XqDbUtil::getViewDirWcs(viewDir) != Vexa::eOk) return Vexa::eNotApplicable;
  QvDbEntity* nearest = nullptr;
  const Vexa::ErrorStatus es = imp->getNearestEntAtPt(*pickPoint, viewDir, nearest);
  std::unique_ptr<QvDbEntity> piece(nearest);
  if (es != Vexa::eOk || !piece || (!QvDbLine::cast(piece.get()) && !QvDbArc::cast(piece.get())))
    return Vexa::eNotApplicable;
  auto* ext = VexaEntityPE::cast(piece->x(VexaEntityPE::desc()));
  if (!ext) return Vexa::eNotApplicable;
  return ext->getAlignedUCS(piece.get(), pickPoint, vexaGetActiveQvGsView(), ucs);
}

Vexa::ErrorStatus VexaMLine_Extension::getBasePoint(QvDbEntity* entity, QvGePoint3d& point) {
  const QvDbMline* mline = QvDbMline::cast(entity);
  if (!mline) return Vexa::eNotApplicable;
  return mline->vertexAt(0, point) == Vexa::eOk ? Vexa::eOk : Vexa::eNotApplicable;
}
