#pragma once

#include <memory>

#include "sdk/base/QvString.h"
#include "xqcmdutil/InsertData.h"

class IVexaBuildInCommandContext;
struct InsertDragPreview;

// The insert flow's own state for one run of CreateInsertEnt.
struct InsertCommandState {
  InsertCommandState() = default;
  // A run on `data`: the uniform-scale request is taken from it.
  InsertCommandState(IVexaBuildInCommandContext* commandContext, InsertData* request)
      : context(commandContext),
        data(request),
        uniformScale(request != nullptr && request->uniformScale) {}

  IVexaBuildInCommandContext* context = nullptr;
  InsertData* data = nullptr;
  // The named block exists and a file was given for it.
  bool redefinePending = false;
  // Set as well when the block must scale uniformly.
  bool uniformScale = false;
  // The typed name began with "*".
  bool explodeRequested = false;
  // The insert-name dialog ran and reported an existing block, and whether the user chose to
  // redefine it there.
  bool dialogAnswered = false;
  bool dialogRedefine = false;
  // "INSNAME" at the start (read only when the name is not given).
  QvString defaultName;
  // The preview the placement drags share (made by the first of them).
  std::shared_ptr<InsertDragPreview> dragPreview;
};
