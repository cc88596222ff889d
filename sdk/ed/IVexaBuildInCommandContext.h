#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbDatabase;

// The host's handle on the running command, which command modules pass first to the module's
// block functions. It answers the questions that depend on where the command runs. The
// defaults are those of a command on the working drawing in the current UCS, run by a user,
// seen from above.
class IVexaBuildInCommandContext {
 public:
  virtual ~IVexaBuildInCommandContext() = default;

  // Whether a name asked for at this point of the command may hold blanks.
  virtual bool isSpaceAllowedInNames() const = 0;

  // The drawing the command works on: the working database (null when there is none).
  virtual QvDbDatabase* database() const;
  // A point of the current UCS in world coordinates; eNotApplicable when no host runs.
  virtual Vexa::ErrorStatus ucsToWorld(const QvGePoint3d& ucsPoint, QvGePoint3d& worldPoint) const;
  // The matrix of the current UCS (UCS to world); eNotApplicable when no host runs.
  virtual Vexa::ErrorStatus getCurrentUcs(QvGeMatrix3d& ucsToWorld) const;
  // Whether the command runs without a user (a script or another program answers).
  virtual bool isNonInteractive() const { return false; }
  // Shows a prompt on the command line.
  virtual void prompt(const wchar_t* text) const;
  // The active view: its direction (the viewport's current normal), the view transformation
  // (world to the view's frame) and the viewport transformation (the view's frame to the
  // viewport's). World Z and identities by default.
  virtual QvGeVector3d viewNormal() const { return QvGeVector3d::kZAxis; }
  virtual QvGeMatrix3d viewTransform() const { return QvGeMatrix3d::kIdentity; }
  virtual QvGeMatrix3d viewportTransform() const { return QvGeMatrix3d::kIdentity; }
};
