#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqRxMembers.h"

class QvDbEntity;

// The internal protocol extension: area, length and included angle of an entity, and changes
// of its length or angle at the end nearer a picked point. The module attaches one object of
// a class of this tree to each of 18 host entity classes when it loads. Every operation
// answers Vexa::eNotImplemented here; the classes of the tree answer what they can.
class XQCMDUTIL_EXPORT QvDbEntityInternalBasePE : public QvRxObject {
 public:
  XQRX_DECLARE_MEMBERS(QvDbEntityInternalBasePE);

  QvDbEntityInternalBasePE();
  QvDbEntityInternalBasePE(const QvDbEntityInternalBasePE& other);
  QvDbEntityInternalBasePE& operator=(const QvDbEntityInternalBasePE& other);
  ~QvDbEntityInternalBasePE() override;

  virtual Vexa::ErrorStatus entityArea(const QvDbEntity* entity, double& area);
  virtual Vexa::ErrorStatus entityLength(const QvDbEntity* entity, double& length);
  virtual Vexa::ErrorStatus entityAngle(const QvDbEntity* entity, double& angle);
  // `entity` is open for write (otherwise the classes that change it answer eNotOpenForWrite
  // and leave it alone). The end nearer `pickPoint`, seen along the view direction, moves.
  virtual Vexa::ErrorStatus setEntityLength(QvDbEntity* entity, double newLength,
                                            const QvGePoint3d& pickPoint);
  virtual Vexa::ErrorStatus setEntityAngle(QvDbEntity* entity, double newAngle,
                                           const QvGePoint3d& pickPoint);
};
