#include "sdk/ed/VexaInputScript.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "sdk/ed/VexaAnswerText.h"

namespace {

std::wstring_view withoutLeadingBlanks(const QvString& line) {
  std::wstring_view t = line.wstr();
  size_t blanks = 0;
  while (blanks < t.size() && qvIsSpace(t[blanks])) ++blanks;
  return t.substr(blanks);
}

bool isCancel(std::wstring_view trimmed) {
  return trimmed.size() == 2 && trimmed[0] == L'^' && qvToLower(trimmed[1]) == L'c';
}

// A backslash before one of the characters that start a line of another kind.
bool isEscape(std::wstring_view trimmed) {
  if (trimmed.size() < 2 || trimmed[0] != L'\\') return false;
  const wchar_t c = trimmed[1];
  return c == L'#' || c == L'~' || c == L'^';
}

}  // namespace

Vexa::ErrorStatus VexaInputScript::loadFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return Vexa::eFileNotFound;
  if (!std::filesystem::is_regular_file(path, ec)) return Vexa::eFileAccessError;
  std::ifstream in(path, std::ios::binary);
  if (!in) return Vexa::eFileAccessError;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Vexa::eFileAccessError;
  if (data.rfind("\xEF\xBB\xBF", 0) == 0) data.erase(0, 3);
  lines_.clear();
  addLines(QvString(data.c_str()), true);
  return Vexa::eOk;
}

void VexaInputScript::loadString(const QvString& text) {
  lines_.clear();
  addLines(text, true);
}

void VexaInputScript::appendLine(const QvString& line) {
  // One line: any line break in it is taken as a blank.
  QvString text = line;
  text.replace(L'\n', L' ');
  text.replace(L'\r', L' ');
  lines_.emplace_back(text);
}

void VexaInputScript::appendLines(const QvString& text) {
  addLines(text, false);
}

void VexaInputScript::pushFront(const QvString& line) {
  Line typed(line);
  typed.typedAhead = true;
  lines_.push_front(std::move(typed));
}

void VexaInputScript::appendSent(const QvString& text) {
  Line line(text);
  line.sent = true;
  lines_.push_back(std::move(line));
}

void VexaInputScript::appendObjects(const VexaSelectSet& objects, const QvString& text) {
  Line line(text);
  line.sent = true;
  line.objects = true;
  line.selection = objects;
  lines_.push_back(std::move(line));
}

VexaInputScript::NestedScope::NestedScope(VexaInputScript& script)
    : script_(script), saved_(std::move(script.lines_)), savedReads_(script.readsPastEnd_) {
  script_.lines_.clear();
  script_.readsPastEnd_ = 0;
  ++script_.nesting_;
}

VexaInputScript::NestedScope::~NestedScope() {
  script_.lines_ = std::move(saved_);
  script_.readsPastEnd_ = savedReads_;
  --script_.nesting_;
}

void VexaInputScript::addLines(const QvString& text, bool numbered) {
  if (text.isEmpty()) return;
  int number = 0;
  int start = 0;
  const int n = text.length();
  while (start <= n) {
    int end = text.find(L'\n', start);
    const bool last = end == QvString::kNotFound;
    if (last) end = n;
    QvString line = text.mid(start, end - start);
    ++number;
    // A final line break does not open another (empty) line.
    if (!(last && start == n)) lines_.emplace_back(line, numbered ? number : 0);
    if (last) break;
    start = end + 1;
  }
}

bool VexaInputScript::isComment(const Line& line) {
  if (line.typedAhead || line.sent) return false;
  for (const wchar_t* p = line.text.c_str(); *p; ++p)
    if (!qvIsSpace(*p)) return *p == L'#';
  return false;
}

VexaScriptLine VexaInputScript::next() {
  while (!lines_.empty() && isComment(lines_.front())) lines_.pop_front();
  VexaScriptLine out;
  if (lines_.empty()) {
    ++readsPastEnd_;
    return out;
  }
  Line line = std::move(lines_.front());
  lines_.pop_front();
  out.lineNumber = line.number;
  if (line.objects) {
    out.kind = VexaScriptLine::Kind::kObjects;
    out.text = std::move(line.text);
    out.objects = std::move(line.selection);
    return out;
  }
  out.text = std::move(line.text);
  out.text.trimRight();
  const std::wstring_view trimmed = withoutLeadingBlanks(out.text);
  if (trimmed.empty()) {
    out.kind = VexaScriptLine::Kind::kEmpty;
    out.text.empty();
  } else if (line.typedAhead || line.sent) {
    out.kind = VexaScriptLine::Kind::kAnswer;
  } else if (isCancel(trimmed)) {
    out.kind = VexaScriptLine::Kind::kCancel;
  } else if (trimmed[0] == L'~') {
    out.text = QvString(trimmed);
    out.kind = VexaAnswerText::toPoint(out.text.mid(1), out.cursor)
                   ? VexaScriptLine::Kind::kCursor
                   : VexaScriptLine::Kind::kBadCursor;
  } else {
    out.kind = VexaScriptLine::Kind::kAnswer;
    if (isEscape(trimmed)) out.text = QvString(trimmed.substr(1));
  }
  return out;
}

bool VexaInputScript::atEnd() const {
  for (const Line& line : lines_)
    if (!isComment(line)) return false;
  return true;
}

VexaInputScript* VexaInputScript::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaInputScript>() : nullptr;
}
