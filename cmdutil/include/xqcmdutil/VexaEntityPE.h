#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqRxMembers.h"

class QvDbEntity;
class QvGsView;

// The entity protocol extension: per-type geometric services that the module attaches to
// the host's entity classes when it loads. Ask an entity for it with
// `entity->x(VexaEntityPE::desc())`. Extension objects hold no data. Here every operation
// but getEcs answers Vexa::eNotImplemented and touches nothing; the extension of each entity
// type answers what it can.
class XQCMDUTIL_EXPORT VexaEntityPE : public QvRxObject {
 public:
  XQRX_DECLARE_MEMBERS(VexaEntityPE);

  VexaEntityPE();
  VexaEntityPE(const VexaEntityPE& other);
  VexaEntityPE& operator=(const VexaEntityPE& other);
  ~VexaEntityPE() override;

  // The entity's coordinate system; here the identity.
  virtual void getEcs(const QvDbEntity* entity, QvGeMatrix3d& ecs) const;
  // A user coordinate system aligned with the entity near `pickPoint` (may be null; a pick
  // point may need the view), written into `ucs` only on success.
  virtual Vexa::ErrorStatus getAlignedUCS(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                                          QvGsView* view, QvGeMatrix3d& ucs);
  // The entity's base point.
  virtual Vexa::ErrorStatus getBasePoint(QvDbEntity* entity, QvGePoint3d& point);
  // Intersections of the entity's box, grown by a margin, with another entity; the points are
  // appended to `points`.
  virtual Vexa::ErrorStatus extendedBoundingBoxIntersectWith(QvDbEntity* entity,
                                                             QvDbEntity* otherEntity,
                                                             QvDb::Intersect intersectMode,
                                                             QvGePoint3dArray& points,
                                                             const QvGePlane& plane, bool usePlane);
};
