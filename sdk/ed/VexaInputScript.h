#pragma once

#include <array>
#include <deque>
#include <string>
#include <utility>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaSelectSet.h"

// One line of the input script as a question sees it.
struct VexaScriptLine {
  enum class Kind {
    kAnswer,     // a typed answer: `text`
    kEmpty,      // an empty line: Enter
    kCancel,     // "^C"
    kCursor,     // "~x,y[,z]": the cursor moves to `cursor` (current UCS); `text` is the line
    kBadCursor,  // a line starting with "~" that holds no point
    kObjects,    // entities given by a command sent from code: `objects`; `text` echoes them
    kEnd,        // the script has run out: answered as a cancel
  };
  Kind kind = Kind::kEnd;
  QvString text;
  std::array<double, 3> cursor{0, 0, 0};
  VexaSelectSet objects;
  int lineNumber = 0;  // 1-based line of the loaded text or file; 0 for appended lines
};

// A line held by the input script.
struct VexaInputScriptLine {
  VexaInputScriptLine() = default;
  explicit VexaInputScriptLine(QvString lineText, int lineNumber = 0)
      : text(std::move(lineText)), number(lineNumber) {}

  QvString text;
  int number = 0;
  bool typedAhead = false;  // pushed back by a question: taken as typed
  bool sent = false;        // given by a command sent from code: taken as typed
  bool objects = false;     // entities sent from code: `selection`, echoed as `text`
  VexaSelectSet selection;
};

// The input script that answers every question of the host. One answer per line:
//   - an empty line (or one of blanks) is an empty answer (Enter);
//   - "^C" is a cancel;
//   - a line whose first non-blank character is "#" is a comment and is skipped;
//   - "~x,y" or "~x,y,z" moves the cursor: a running drag samples that point (in the current
//     UCS) without accepting it; other questions ignore it;
//   - any other line is an answer. Trailing blanks (and a carriage return) are dropped; a
//     backslash before "#", "~" or "^" is dropped, so "\#1" answers "#1" (a path such as
//     "\\server\x" stays as it is).
// When the script has run out, every further question is answered with a cancel.
class VexaInputScript : public VexaHostService {
 public:
  // Replaces what is left of the script with the lines of a UTF-8 file (a byte-order mark is
  // skipped). eFileNotFound or eFileAccessError leave the script as it was.
  Vexa::ErrorStatus loadFile(const std::string& path);
  // Replaces what is left of the script with the lines of `text`.
  void loadString(const QvString& text);
  // Adds one line, or the lines of a text, after what is left.
  void appendLine(const QvString& line);
  void appendLines(const QvString& text);
  // Puts a line before what is left: the rest of a typed line that a question did not use.
  // It is typed text, read as an answer (or Enter when blank) whatever it starts with: a "#",
  // "~" or "^C" in it is not a comment, cursor or cancel.
  void pushFront(const QvString& line);
  void clear() { lines_.clear(); }

  // Answers given by a command sent from code (see NestedScope). A text is taken as typed,
  // whatever it starts with; entities answer as a kObjects line echoed as `text`.
  void appendSent(const QvString& text);
  void appendObjects(const VexaSelectSet& objects, const QvString& text);

  // While it lives, the script holds only the answers appended to it: a command sent from code
  // reads these and never the lines around it, and once they run out its questions are
  // cancelled. Ending, it gives the script back as it was; answers left unread are dropped.
  class NestedScope {
   public:
    explicit NestedScope(VexaInputScript& script);
    ~NestedScope();
    NestedScope(const NestedScope&) = delete;
    NestedScope& operator=(const NestedScope&) = delete;

   private:
    VexaInputScript& script_;
    std::deque<VexaInputScriptLine> saved_;
    int savedReads_;
  };
  // How many nested scopes are open: 0 while the script itself answers.
  int nesting() const { return nesting_; }

  // The next line that is not a comment; kEnd when none is left.
  VexaScriptLine next();
  // True when no answer is left (comments do not count).
  bool atEnd() const;
  // How many questions found the script run out (each answered with a cancel).
  int readsPastEnd() const { return readsPastEnd_; }
  // Whether the next line is text typed ahead that no question has read yet.
  bool hasTypedAhead() const { return !lines_.empty() && lines_.front().typedAhead; }
  // The lines left, comments included.
  int linesLeft() const { return static_cast<int>(lines_.size()); }

  // The script of the running host, or null when no host runs.
  static VexaInputScript* current();

 private:
  using Line = VexaInputScriptLine;
  void addLines(const QvString& text, bool numbered);
  static bool isComment(const Line& line);

  std::deque<Line> lines_;
  int readsPastEnd_ = 0;
  int nesting_ = 0;
};
