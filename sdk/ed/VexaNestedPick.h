#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePoint3d.h"

// What a nested pick chose: an entity of the current space, or one inside the block references
// it lies in.
struct VexaNestedPick {
  // The block references from the outermost (an entity of the current space) inwards, the
  // picked entity last; each reference's entity is one of the previous reference's block.
  QvDbObjectIdArray path;
  QvGePoint3d point;          // the pick point, world coordinates
  QvGeMatrix3d modelToWorld;  // from the picked entity's coordinates to the world

  QvDbObjectId entity() const { return path.isEmpty() ? QvDbObjectId() : path.last(); }
};

// The question that picks one entity, also inside block references, answered from the input
// script (one line):
//   x,y[,z]            a point (current UCS): the shown entity of the current space passing
//                      nearest it seen from above (within VexaSelectionQuestion::kAperture);
//                      in a block reference, the shown entity of its block passing nearest it,
//                      and so on down; a reference none of whose entities passes near the
//                      point is picked itself
//   H h1 ... hn x,y[,z]
//                      a path of handles and the pick point (current UCS): h1 an entity of
//                      the current space, every handle before the last a block reference and
//                      each next handle an entity of that reference's block (its attributes
//                      are not); the entity hn is picked ("Handle" may be written out)
// A line it cannot use (nothing near the point, a path with no handle, a handle no entity has,
// a path whose elements before the last are not block references or do not hold the next
// one, no pick point) is refused with a message and the prompt comes again.
class VexaNestedPickQuestion {
 public:
  explicit VexaNestedPickQuestion(QvString prompt = L"\nSelect object: ")
      : prompt_(std::move(prompt)) {}

  // Asks until a pick. Results:
  //   kQvNormal  `pick` holds it
  //   kQvNone    an empty answer
  //   kQvCancel  a cancel, or the script ran out
  //   kQvError   no running host or no working database
  int ask(VexaNestedPick& pick);

  // The pick at a point (world) without a question: false, with the reason, when no entity
  // passes near it.
  static bool pickAt(const QvGePoint3d& world, VexaNestedPick& pick, QvString& reason);
  // The pick a path of handle texts names (outermost first) at a world point: false, with the
  // reason, for a path that names no such chain.
  static bool pickPath(const QvArray<QvString>& handles, const QvGePoint3d& world,
                       VexaNestedPick& pick, QvString& reason);

 private:
  // Reads one answer line into `pick`; false with the reason when it cannot be used.
  static bool interpret(const QvString& line, VexaNestedPick& pick, QvString& reason);

  QvString prompt_;
};
