#include "sdk/ed/VexaSelectionQuestion.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaAnswerText.h"
#include "sdk/ed/VexaKeywordList.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSelectableEntities.h"
#include "sdk/ed/VexaSelectionSets.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/rx/QvRxClass.h"

namespace {

using Point = std::array<double, 3>;

// The keywords in this order; the index names the form.
enum Form { kAll, kLast, kPrevious, kHandle, kWindow, kCrossing, kAdd, kRemove };
constexpr const wchar_t* kKeywords = L"ALL Last Previous Handle Window Crossing Add Remove";
constexpr int kImpliedWindow = -1;  // a window whose kind the second corner decides

constexpr const wchar_t* kInvalid =
    L"\n*Invalid selection*\nExpects a point or "
    L"Window/Crossing/ALL/Last/Previous/Handle/Add/Remove";

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

VexaAnswer askPoint(const wchar_t* prompt) {
  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kPoint;
  setup.prompt = prompt;
  setup.rejectEmpty = true;
  return VexaQuestion(std::move(setup)).ask();
}

QvString handleText(const QvDbObjectId id) {
  return id.handle().ascii();
}

}  // namespace

int VexaSelectionQuestion::ask(VexaSelectSet& selected) {
  selected.clear();
  pickPoint_.reset();
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  VexaSelectionSets* sets = VexaSelectionSets::current();
  if (!db || !sets) return kQvError;

  const VexaSelectableEntities space(db, setup_.hiddenToo);
  const VexaKeywordList keywords(kKeywords);
  bool removing = false;
  for (;;) {
    VexaQuestionSetup word;
    word.kind = VexaAnswerKind::kString;
    word.prompt = removing ? QvString(L"\nRemove objects: ") : setup_.prompt;
    word.spacesAllowed = false;  // a blank ends the form; what follows answers its questions
    word.acceptObjects = true;
    const VexaAnswer answer = VexaQuestion(std::move(word)).ask();
    if (answer.outcome == VexaAnswer::Outcome::kCancel) {
      selected.clear();
      return kQvCancel;
    }
    const bool objects = answer.outcome == VexaAnswer::Outcome::kObjects;
    if (!objects && (answer.outcome == VexaAnswer::Outcome::kEmpty || answer.text.isEmpty())) break;

    VexaSelectSet found;
    Point corner{};
    Step step = Step::kDone;
    if (objects) {
      // Entities sent from code: those of the current space.
      found = space.within(answer.objects);
    } else if (VexaAnswerText::toPoint(answer.text, corner)) {
      const VexaSysVarService* vars = VexaSysVarService::current();
      const Point world =
          vars ? toVexaPoint(vars->currentUcs().toWorld(toGePoint(corner))) : corner;
      if (setup_.pickAtPoint) {
        found.append(space.atPoint(world, kAperture));
        if (!found.isEmpty()) pickPoint_ = toGePoint(world);
      } else {
        step = window(space, &world, kImpliedWindow, found);
      }
    } else {
      switch (keywords.match(answer.text)) {
        case kAll:
          found = space.all();
          break;
        case kLast:
          found.append(space.last());
          break;
        case kPrevious: {
          const VexaSelectSet& previous = sets->previous();
          if (previous.isEmpty()) say(L"\nNo previous selection set.");
          found = space.within(previous);
          break;
        }
        case kHandle:
          step = handles(space, found);
          break;
        case kWindow:
          step = window(space, nullptr, kWindow, found);
          break;
        case kCrossing:
          step = window(space, nullptr, kCrossing, found);
          break;
        case kAdd:
          removing = false;
          continue;
        case kRemove:
          removing = true;
          continue;
        default:
          say(kInvalid);
          continue;
      }
    }
    if (step == Step::kCancel) {
      selected.clear();
      return kQvCancel;
    }
    if (setup_.rejectLocked) rejectLocked(space, found);
    if (setup_.referencesOnly) keepReferences(found);

    if (removing) {
      const int removed = selected.removeAll(found);
      say(QvString::format(L"\n%d found, %d removed, %d total", found.length(), removed,
                           selected.length()));
      continue;
    }
    const int added = selected.appendAll(found);
    const int duplicates = found.length() - added;
    if (duplicates > 0)
      say(QvString::format(L"\n%d found (%d duplicate), %d total", found.length(), duplicates,
                           selected.length()));
    else if (added != selected.length())
      say(QvString::format(L"\n%d found, %d total", found.length(), selected.length()));
    else
      say(QvString::format(L"\n%d found", found.length()));
    if (setup_.single && !selected.isEmpty()) break;
  }
  if (selected.isEmpty()) return kQvNone;
  sets->setPrevious(selected);
  return kQvNormal;
}

VexaSelectionQuestion::Step VexaSelectionQuestion::handles(const VexaSelectableEntities& space,
                                                           VexaSelectSet& found) const {
  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kString;
  setup.prompt = L"\nEnter handles: ";
  const VexaAnswer answer = VexaQuestion(std::move(setup)).ask();
  if (answer.outcome == VexaAnswer::Outcome::kCancel) return Step::kCancel;

  QvString text = answer.text;
  text.replace(L',', L' ');
  text.replace(L'\t', L' ');
  QvDbDatabase* db = qvdbHostApplicationServices()->workingDatabase();
  for (int at = 0; at < text.length();) {
    const int blank = text.find(L' ', at);
    const int end = blank < 0 ? text.length() : blank;
    const QvString token = text.mid(at, end - at);
    at = end + 1;
    if (token.isEmpty()) continue;

    QvDbHandle handle;
    QvDbObjectId id;
    if (!QvDbHandle::fromAscii(token.c_str(), handle)) {
      say(QvString::format(L"\n'%s' is not a handle.", token.c_str()));
    } else if (db->getQvDbObjectId(id, false, handle) != Vexa::eOk || !id.isValid() ||
               id.isErased()) {
      say(QvString::format(L"\nNo object has the handle %s.", handle.ascii().c_str()));
    } else if (!id.objectClass() || !id.objectClass()->isDerivedFrom(QvDbEntity::desc())) {
      say(QvString::format(L"\nThe object %s is not an entity.", handleText(id).c_str()));
    } else if (!space.find(id)) {
      say(QvString::format(L"\nThe entity %s is not in the current space.",
                           handleText(id).c_str()));
    } else {
      found.append(id);
    }
  }
  return Step::kDone;
}

VexaSelectionQuestion::Step VexaSelectionQuestion::window(const VexaSelectableEntities& space,
                                                          const Point* firstCorner, int mode,
                                                          VexaSelectSet& found) const {
  Point first{};
  if (firstCorner) {
    first = *firstCorner;
  } else {
    const VexaAnswer corner = askPoint(L"\nSpecify first corner: ");
    if (corner.outcome != VexaAnswer::Outcome::kValue) return Step::kCancel;
    first = corner.point;
  }
  const VexaAnswer opposite = askPoint(L"\nSpecify opposite corner: ");
  if (opposite.outcome != VexaAnswer::Outcome::kValue) return Step::kCancel;
  // Dragged to the right a window, to the left a crossing.
  const bool crossing =
      mode == kCrossing || (mode == kImpliedWindow && opposite.point[0] < first[0]);
  found = space.inWindow(first, opposite.point, crossing);
  return Step::kDone;
}

void VexaSelectionQuestion::rejectLocked(const VexaSelectableEntities& space,
                                         VexaSelectSet& found) const {
  const int before = found.length();
  found.keepIf([&](QvDbObjectId id) {
    const VexaSelectableEntities::Entry* entry = space.find(id);
    return entry && !entry->layer.locked;
  });
  const int locked = before - found.length();
  if (locked == 1) say(L"\n1 was on a locked layer.");
  if (locked > 1) say(QvString::format(L"\n%d were on a locked layer.", locked));
}

void VexaSelectionQuestion::keepReferences(VexaSelectSet& found) const {
  const int before = found.length();
  found.keepIf([](QvDbObjectId id) {
    return id.objectClass() && id.objectClass()->isDerivedFrom(QvDbBlockReference::desc());
  });
  const int others = before - found.length();
  if (others == 1) say(L"\n1 was not a block reference.");
  if (others > 1) say(QvString::format(L"\n%d were not block references.", others));
}
