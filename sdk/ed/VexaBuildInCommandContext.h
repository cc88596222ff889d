#pragma once

#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaBuildInCommandContext.h"

// The context of a command the host runs from its command line. Whether it runs without a
// user and the view it sees may be set (tests and scripts of the host do).
class VexaBuildInCommandContext : public IVexaBuildInCommandContext {
 public:
  // Names may hold blanks when the drawing allows extended names ("EXTNAMES" not 0); not when
  // it does not, the variable cannot be read, or no host runs.
  bool isSpaceAllowedInNames() const override;

  bool isNonInteractive() const override { return nonInteractive_; }
  void setNonInteractive(bool on) { nonInteractive_ = on; }

  QvGeVector3d viewNormal() const override { return viewNormal_; }
  QvGeMatrix3d viewTransform() const override { return viewTransform_; }
  QvGeMatrix3d viewportTransform() const override { return viewportTransform_; }
  // The view's normal must not be zero (eInvalidInput; it is kept as a unit vector).
  Vexa::ErrorStatus setViewNormal(const QvGeVector3d& normal);
  void setViewTransform(const QvGeMatrix3d& m) { viewTransform_ = m; }
  void setViewportTransform(const QvGeMatrix3d& m) { viewportTransform_ = m; }

 private:
  bool nonInteractive_ = false;
  QvGeVector3d viewNormal_ = QvGeVector3d::kZAxis;
  QvGeMatrix3d viewTransform_ = QvGeMatrix3d::kIdentity;
  QvGeMatrix3d viewportTransform_ = QvGeMatrix3d::kIdentity;
};

// The contexts of the host: the one of the command that runs (innermost first when commands
// nest) and the document-level one, which exists outside commands (the host answers with it
// when something asks for a context while no command runs).
class VexaCommandContexts : public VexaHostService {
 public:
  // The running command's context, or null.
  IVexaBuildInCommandContext* running() const {
    return running_.empty() ? nullptr : running_.back();
  }
  VexaBuildInCommandContext& documentContext() { return document_; }
  // Whether the commands the host runs have no user (a script answers them): their contexts
  // and the document's say so.
  void setNonInteractive(bool on) {
    nonInteractive_ = on;
    document_.setNonInteractive(on);
  }
  bool nonInteractive() const { return nonInteractive_; }

  // The host's service, or null when no host runs.
  static VexaCommandContexts* current();

  // Marks a context as running for the life of the scope.
  class RunningScope {
   public:
    explicit RunningScope(IVexaBuildInCommandContext& context);
    ~RunningScope();
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

   private:
    VexaCommandContexts* contexts_;
  };

 private:
  std::vector<IVexaBuildInCommandContext*> running_;
  VexaBuildInCommandContext document_;
  bool nonInteractive_ = false;
};
