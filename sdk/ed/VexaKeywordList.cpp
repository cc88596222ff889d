#include "sdk/ed/VexaKeywordList.h"

namespace {

bool isCapital(wchar_t c) {
  return qvToLower(c) != c;
}

}  // namespace

VexaKeywordList::VexaKeywordList(const QvString& text) {
  std::vector<QvString> globals;
  bool inGlobals = false;
  const wchar_t* p = text.c_str();
  const wchar_t* const end = p + text.length();
  while (p < end) {
    while (p < end && qvIsSpace(*p)) ++p;
    const wchar_t* start = p;
    while (p < end && !qvIsSpace(*p)) ++p;
    if (start == p) break;
    if (!inGlobals && *start == L'_') {
      inGlobals = true;
      if (++start == p) continue;
    }
    (inGlobals ? globals : local_)
        .emplace_back(std::wstring_view(start, static_cast<size_t>(p - start)));
  }
  global_ = local_;
  for (size_t k = 0; k < globals.size() && k < global_.size(); ++k)
    global_[k] = std::move(globals[k]);
}

int VexaKeywordList::match(const QvString& answer) const {
  QvString text = answer;
  text.trim();
  if (text.startsWith(L"_")) return matchIn(global_, text.mid(1));
  return matchIn(local_, text);
}

QvString VexaKeywordList::options() const {
  QvString out;
  for (size_t k = 0; k < local_.size(); ++k) {
    if (k) out += L'/';
    out += local_[k];
  }
  return out;
}

int VexaKeywordList::matchIn(const std::vector<QvString>& keywords, const QvString& answer) {
  if (answer.isEmpty()) return -1;
  for (size_t k = 0; k < keywords.size(); ++k)
    if (keywords[k].isEqualNoCase(answer)) return static_cast<int>(k);
  for (size_t k = 0; k < keywords.size(); ++k)
    if (abbreviates(answer, keywords[k])) return static_cast<int>(k);
  return -1;
}

bool VexaKeywordList::abbreviates(const QvString& answer, const QvString& keyword) {
  QvString capitals;
  int lastCapital = -1;
  for (int i = 0; i < keyword.length(); ++i) {
    if (isCapital(keyword.getAt(i))) {
      capitals += keyword.getAt(i);
      lastCapital = i;
    }
  }
  if (lastCapital < 0) return false;
  if (answer.isEqualNoCase(capitals)) return true;
  return answer.length() > lastCapital && answer.length() <= keyword.length() &&
         keyword.left(answer.length()).isEqualNoCase(answer);
}
