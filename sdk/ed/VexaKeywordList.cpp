#include "sdk/ed/VexaKeywordList.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

bool isCapital(wchar_t c) {
  return qvToLower(c) != c;
}

}  // namespace

const std::shared_ptr<const VexaKeywordList::Lists>& VexaKeywordList::none() {
  static const std::shared_ptr<const Lists> empty = std::make_shared<const Lists>();
  return empty;
}

VexaKeywordList::VexaKeywordList() : lists_(none()) {}

VexaKeywordList::VexaKeywordList(const QvString& text) {
  if (text.isEmpty()) {
    lists_ = none();
    return;
  }
  // The lists read so far, by text; a host asks with a few dozen texts at most.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::wstring_view text) const { return std::hash<std::wstring_view>()(text); }
  };
  constexpr size_t kMostTexts = 256;
  thread_local std::unordered_map<std::wstring, std::shared_ptr<const Lists>, TextHash,
                                  std::equal_to<>>
      readBefore;
  // The last few texts, compared whole before any hashing: a command asks with the same few
  // texts at every run.
  struct Recent {
    std::wstring text;
    std::shared_ptr<const Lists> lists;
  };
  thread_local std::array<Recent, 8> recent;
  thread_local size_t nextRecent = 0;
  const std::wstring_view key(text.c_str(), static_cast<size_t>(text.length()));
  for (const Recent& r : recent) {
    if (r.lists && r.text == key) {
      lists_ = r.lists;
      return;
    }
  }
  if (const auto it = readBefore.find(key); it != readBefore.end()) {
    lists_ = it->second;
  } else {
    if (readBefore.size() >= kMostTexts) readBefore.clear();
    lists_ = read(text);
    readBefore.emplace(std::wstring(key), lists_);
  }
  recent[nextRecent++ % recent.size()] = Recent{std::wstring(key), lists_};
}

std::shared_ptr<const VexaKeywordList::Lists> VexaKeywordList::read(const QvString& text) {
  auto lists = std::make_shared<Lists>();
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
    (inGlobals ? globals : lists->local)
        .emplace_back(std::wstring_view(start, static_cast<size_t>(p - start)));
  }
  lists->global = lists->local;
  for (size_t k = 0; k < globals.size() && k < lists->global.size(); ++k)
    lists->global[k] = std::move(globals[k]);
  return lists;
}

int VexaKeywordList::match(const QvString& answer) const {
  QvString text = answer;
  text.trim();
  if (text.startsWith(L"_")) return matchIn(lists_->global, text.mid(1));
  return matchIn(lists_->local, text);
}

QvString VexaKeywordList::options() const {
  QvString out;
  for (size_t k = 0; k < lists_->local.size(); ++k) {
    if (k) out += L'/';
    out += lists_->local[k];
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
