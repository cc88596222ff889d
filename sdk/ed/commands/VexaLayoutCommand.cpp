#include "sdk/ed/commands/VexaLayoutCommand.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/ed/VexaKeywordList.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaTranscript.h"

namespace {

enum Option { kNew, kDelete, kRename, kSet, kList };
constexpr const wchar_t* kKeywords = L"New Delete Rename Set ?";

void say(const QvString& text) {
  if (VexaTranscript* transcript = VexaTranscript::current()) transcript->addMessage(text);
}

// A name (blanks allowed): kQvNormal with `name`, kQvNone for Enter, or kQvCancel.
int askName(const QvString& prompt, QvString& name) {
  VexaQuestionSetup setup;
  setup.kind = VexaAnswerKind::kString;
  setup.prompt = prompt;
  const VexaAnswer answer = VexaQuestion(std::move(setup)).ask();
  if (answer.outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
  name = answer.text;
  name.trim();
  return answer.outcome == VexaAnswer::Outcome::kEmpty || name.isEmpty() ? kQvNone : kQvNormal;
}

int report(Vexa::ErrorStatus es, const QvString& name) {
  switch (es) {
    case Vexa::eOk:
      return kQvNormal;
    case Vexa::eKeyNotFound:
      say(QvString::format(L"\nNo layout is named \"%s\".", name.c_str()));
      break;
    case Vexa::eDuplicateKey:
      say(QvString::format(L"\nA layout named \"%s\" exists already.", name.c_str()));
      break;
    case Vexa::eInvalidSymbolName:
      say(QvString::format(L"\n\"%s\" is not a valid layout name.", name.c_str()));
      break;
    case Vexa::eCannotBeErased:
      say(QvString::format(L"\nThe layout \"%s\" cannot be deleted.", name.c_str()));
      break;
    default:
      say(QvString::format(L"\nThe layout \"%s\" was refused (%hs).", name.c_str(),
                           Vexa::errorStatusName(es)));
      break;
  }
  return kQvError;
}

QvString newLayoutName(const QvDbLayoutManager& layouts) {
  for (int n = layouts.countLayouts();; ++n) {
    const QvString name = QvString::format(L"Layout%d", n);
    if (!layouts.layoutExists(name.c_str())) return name;
  }
}

int setCurrent(QvDbLayoutManager& layouts, const QvString& name) {
  return report(layouts.setCurrentLayout(name.c_str()), name);
}

}  // namespace

int VexaLayoutCommand::run(IVexaBuildInCommandContext& /*context*/) {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  if (!services || !services->workingDatabase()) return kQvError;
  QvDbLayoutManager& layouts = *services->layoutManager();
  const QvString current = layouts.findActiveLayout(true);

  QvString typed;
  const int rc = askName(L"\nEnter layout option [New/Delete/Rename/Set/?] <Set>: ", typed);
  if (rc == kQvCancel) return kQvCancel;
  const int option = rc == kQvNone ? kSet : VexaKeywordList(kKeywords).match(typed);
  QvString name;
  switch (option) {
    case kSet: {
      const int answered = askName(
          QvString::format(L"\nEnter layout to make current <%s>: ", current.c_str()), name);
      return answered == kQvNormal ? setCurrent(layouts, name) : answered;
    }
    case kNew: {
      const QvString proposed = newLayoutName(layouts);
      const int answered =
          askName(QvString::format(L"\nEnter name of new layout <%s>: ", proposed.c_str()), name);
      if (answered == kQvCancel) return kQvCancel;
      if (answered == kQvNone) name = proposed;
      QvDbObjectId layoutId, blockId;
      return report(layouts.createLayout(name.c_str(), layoutId, blockId), name);
    }
    case kDelete: {
      const int answered = askName(
          QvString::format(L"\nEnter name of layout to delete <%s>: ", current.c_str()), name);
      if (answered == kQvCancel) return kQvCancel;
      if (answered == kQvNone) name = current;
      if (!layouts.layoutExists(name.c_str())) return report(Vexa::eKeyNotFound, name);
      return report(layouts.deleteLayout(name.c_str()), name);
    }
    case kRename: {
      const int answered =
          askName(QvString::format(L"\nEnter layout to rename <%s>: ", current.c_str()), name);
      if (answered == kQvCancel) return kQvCancel;
      if (answered == kQvNone) name = current;
      QvString newName;
      const int named = askName(L"\nEnter new layout name: ", newName);
      if (named != kQvNormal) return named == kQvCancel ? kQvCancel : kQvNone;
      if (!layouts.layoutExists(name.c_str())) return report(Vexa::eKeyNotFound, name);
      return report(layouts.renameLayout(name.c_str(), newName.c_str()), newName);
    }
    case kList:
      for (const QvString& layout : layouts.layoutNames())
        say(QvString::format(L"\n%s%s", layout.isEqualNoCase(current) ? L"* " : L"  ",
                             layout.c_str()));
      return kQvNormal;
    default:
      // Any other answer names the layout to make current.
      return setCurrent(layouts, typed);
  }
}
