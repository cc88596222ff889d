#pragma once

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
    unique_ = 0;
  }
  // Listed once; a null id is ignored.
  void appendOopsEntity(QvDbObjectId id);
  // Each id once, in the order first appended.
  const QvDbObjectIdArray& oopsEnts() const;

  QvDbDatabase* database() const;
  // The context of the command that runs, or null.
  IVexaBuildInCommandContext* commandContext() const;
  // The document-level context, which exists outside commands.
  IVexaBuildInCommandContext* dummyCommandContext() const;
  // Whether typed input waits that no question has read yet.
  bool hasUnhandledInput() const;

 private:
  VexaDocument& document_;
  // Appended as they come; repeats are dropped when the list is read, so that a command erasing
  // thousands of objects pays no look-up for each.
  mutable QvDbObjectIdArray oops_;
  mutable int unique_ = 0;  // the leading part of oops_ known to hold no repeats
};

// The active document's context; null when no host runs or it has no document.
VexaDocContext* GetVexaAppCtxActiveDocContext();
