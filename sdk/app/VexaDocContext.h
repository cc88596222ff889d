#pragma once

#include "sdk/base/QvPointerSet.h"
#include "sdk/db/QvDbObjectId.h"

class IVexaBuildInCommandContext;
class QvDbDatabase;
class VexaDocument;

// The host's context of one open document: the objects the OOPS command can bring back (those
// the last command erased and listed here), the document's database and the command contexts.
class VexaDocContext {
 public:
  explicit VexaDocContext(VexaDocument& document) : document_(document) {}
  VexaDocContext(const VexaDocContext&) = delete;
  VexaDocContext& operator=(const VexaDocContext&) = delete;

  void clearOopsEnts() {
    oops_.removeAll();
    listed_.clear();
  }
  // Listed once; a null id is ignored.
  void appendOopsEntity(QvDbObjectId id);
  const QvDbObjectIdArray& oopsEnts() const { return oops_; }

  QvDbDatabase* database() const;
  // The context of the command that runs, or null.
  IVexaBuildInCommandContext* commandContext() const;
  // The document-level context, which exists outside commands.
  IVexaBuildInCommandContext* dummyCommandContext() const;
  // Whether typed input waits that no question has read yet.
  bool hasUnhandledInput() const;

 private:
  VexaDocument& document_;
  QvDbObjectIdArray oops_;
  QvPointerSet listed_;  // the ids of oops_, for the once-only test
};

// The active document's context; null when no host runs or it has no document.
VexaDocContext* GetVexaAppCtxActiveDocContext();
