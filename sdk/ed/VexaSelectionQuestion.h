#pragma once

#include <array>
#include <optional>

#include "sdk/base/QvString.h"
#include "sdk/ed/VexaSelectSet.h"
#include "sdk/ge/QvGePoint3d.h"

class VexaSelectableEntities;

// The selection question ("Select objects: "), answered from the input script. Each answer
// adds entities of the current space of the working database (see VexaSelectableEntities) and
// the prompt comes again, until an empty answer ends it:
//   ALL          every entity not on a frozen layer
//   L            the last entity shown
//   P            the previous selection of the document (what is left of it in this space)
//   H h1 h2 ...  entities by handle (the handles may also follow on the next line)
//   W, C         a window: two corners follow on the next lines; W takes the entities wholly
//                inside, C those inside or crossing its edges
//   x,y[,z]      a corner (current UCS): the opposite corner follows; to its right it is a
//                window, to its left a crossing
//   R, A         from now on answers remove entities from the selection, or add them again
//   entities or a selection set sent from code (qvedCommand): those of the current space
// Each answer is reported ("3 found", with duplicates and the total); an answer of another form
// is refused with a message and the prompt comes again. A cancel, or the script running out,
// cancels the whole selection.
class VexaSelectionQuestion {
 public:
  struct Setup {
    QvString prompt = L"\nSelect objects: ";
    bool single = false;        // ends after the first answer that selects something
    bool rejectLocked = false;  // leaves out entities on locked layers, saying how many
    // A point picks the entity under it (VexaSelectableEntities::atPoint, within kAperture)
    // instead of starting a window; pickPoint() then answers the point.
    bool pickAtPoint = false;
    // Keeps only block references (and kinds derived from them), saying how many were not.
    bool referencesOnly = false;
    // ALL, Last, windows and picks also choose invisible entities and those on layers that are
    // off or frozen (VexaSelectableEntities).
    bool hiddenToo = false;
  };
  // How far from a picked point an entity may pass, in drawing units.
  static constexpr double kAperture = 3.0;

  VexaSelectionQuestion() = default;
  explicit VexaSelectionQuestion(Setup setup) : setup_(std::move(setup)) {}

  // Asks until the selection ends. Results:
  //   kQvNormal  `selected` holds what was selected (not empty); it becomes the document's
  //              previous selection
  //   kQvNone    the selection ended with nothing selected
  //   kQvCancel  a cancel, or the script ran out; `selected` is emptied
  //   kQvError   no running host or no working database
  int ask(VexaSelectSet& selected);
  // The world point of the last pick that chose an entity (Setup::pickAtPoint); nothing when
  // the selection was made otherwise.
  const std::optional<QvGePoint3d>& pickPoint() const { return pickPoint_; }

 private:
  enum class Step { kDone, kCancel };
  // Reads the entities one answer names into `found`.
  Step handles(const VexaSelectableEntities& space, VexaSelectSet& found) const;
  Step window(const VexaSelectableEntities& space, const std::array<double, 3>* firstCorner,
              int mode, VexaSelectSet& found) const;
  void rejectLocked(const VexaSelectableEntities& space, VexaSelectSet& found) const;
  void keepReferences(VexaSelectSet& found) const;

  Setup setup_;
  std::optional<QvGePoint3d> pickPoint_;
};
