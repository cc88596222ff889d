#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"

// The block editor: which block definition is being edited, if any.
class VexaBlockEditorState : public VexaHostService {
 public:
  // Opens the editor on `name`; an empty name closes it.
  void setEditBlockName(const QvString& name) { name_ = name; }
  const QvString& editBlockName() const { return name_; }

  // The host's state, or null when no host runs.
  static VexaBlockEditorState* current();

 private:
  QvString name_;
};

// The name of the block being edited: kQvNormal with it, kQvNone (empty name) when the editor
// is closed, kQvError when no host runs.
int qvedBEditGetEditBlockName(QvString& name);
