#pragma once

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "cmdutil/blocks/XqInsertScaling.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbAttribute;
class QvDbDatabase;

// The preview of the insert drags: a reference (or array reference) of the block that never
// enters the drawing, its attributes, and a copy of it. The drags of one command share it: the
// first prepare builds it, the next ones only place it again.
struct InsertDragPreview {
  // Whether it was built for this block, in this form, in this drawing. An annotative block's
  // preview is built again each time: the scale it took when built stays with it.
  bool fits(const QvDbDatabase* drawing, QvDbObjectId block, bool array) const {
    return reference && !annotative && db == drawing && blockId == block && isArray == array;
  }

  // What the drags read once for their command (nothing changes it between its questions),
  // once the active layout is found to open: the UCS rotation and how the definition, in the
  // form asked, scales references.
  struct Settings {
    bool sameRequest(const QvDbDatabase* drawing, QvDbObjectId block, bool array) const {
      return db == drawing && blockId == block && isArray == array;
    }

    const QvDbDatabase* db = nullptr;
    QvString blockName;  // as the request named the block
    QvDbObjectId blockId;
    bool isArray = false;
    double ucsRotation = 0.0;
    std::optional<XqInsertScaling::DefinitionScaling> scaling;
  };
  std::optional<Settings> settings;

  QvDbDatabase* db = nullptr;
  QvDbObjectId blockId;
  bool isArray = false;
  bool annotative = false;
  std::unique_ptr<QvDbBlockReference> reference;
  std::unique_ptr<QvDbBlockReference> copy;
  // The non-constant attributes (owned by the reference) with their definitions.
  std::vector<std::pair<QvDbAttribute*, QvDbObjectId>> attributes;
  // Placing the attributes by the reference's block transform waits until the preview is read
  // or drawn; whether their texts are then set again from their definitions.
  struct PendingPlacement {
    bool resetTexts = false;
  };
  std::optional<PendingPlacement> pending;
};
