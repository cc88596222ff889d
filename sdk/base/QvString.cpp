#include "sdk/base/QvString.h"

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <ostream>

// Case mapping and classification follow Unicode whatever the process locale; collation
// follows the user's locale when the environment names one.
namespace {

locale_t unicodeLocale() {
  static const locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return loc;
}

locale_t userCollationLocale() {
  static const locale_t loc = [] {
    locale_t l = newlocale(LC_COLLATE_MASK, "", static_cast<locale_t>(nullptr));
    if (!l) l = newlocale(LC_COLLATE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l ? l : newlocale(LC_COLLATE_MASK, "C", static_cast<locale_t>(nullptr));
  }();
  return loc;
}

}  // namespace

// ASCII is mapped here: it is most of the text, and the locale call is slow.
wchar_t qvToLowerWide(wchar_t c) {
  return static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), unicodeLocale()));
}
wchar_t qvToUpperWide(wchar_t c) {
  return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), unicodeLocale()));
}
bool qvIsSpaceWide(wchar_t c) {
  return iswspace_l(static_cast<wint_t>(c), unicodeLocale()) != 0;
}

std::ostream& operator<<(std::ostream& os, const QvString& s) {
  return os << s.utf8();
}

QvString::QvString(const wchar_t* text, int count) {
  if (text && count > 0) text_.assign(text, wcsnlen(text, static_cast<size_t>(count)));
}

QvString::QvString(const char* utf8) : text_(utf8 ? qvWidenUtf8(utf8) : std::wstring()) {}

QvString QvString::format(const wchar_t* fmt, ...) {
  QvString out;
  va_list args;
  va_start(args, fmt);
  vexaFormatVS(out, fmt, args);
  va_end(args);
  return out;
}

QvString& QvString::formatV(const wchar_t* fmt, va_list args) {
  vexaFormatVS(*this, fmt, args);
  return *this;
}

std::string QvString::utf8() const {
  return qvNarrowUtf8(text_);
}

wchar_t QvString::getAt(int i) const {
  return i >= 0 && i < length() ? text_[static_cast<size_t>(i)] : L'\0';
}

QvString& QvString::setAt(int i, wchar_t ch) {
  if (i >= 0 && i < length()) text_[static_cast<size_t>(i)] = ch;
  return *this;
}

static int sign(int v) {
  return (v > 0) - (v < 0);
}

int QvString::compare(const QvString& other) const {
  return sign(text_.compare(other.text_));
}

static std::wstring folded(const std::wstring& s) {
  std::wstring out(s);
  for (auto& c : out) c = qvToLower(c);
  return out;
}

int qvCompareNoCase(std::wstring_view a, std::wstring_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = qvToLower(a[i]);
    const wchar_t y = qvToLower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int QvString::compareNoCase(const QvString& other) const {
  return qvCompareNoCase(text_, other.text_);
}

int QvString::collateNoCase(const QvString& other) const {
  return sign(wcscoll_l(folded(text_).c_str(), folded(other.text_).c_str(), userCollationLocale()));
}

static int position(size_t pos) {
  return pos == std::wstring::npos ? QvString::kNotFound : static_cast<int>(pos);
}

int QvString::find(wchar_t ch, int start) const {
  if (start < 0 || start > length()) return kNotFound;
  return position(text_.find(ch, static_cast<size_t>(start)));
}

int QvString::find(const QvString& sub, int start) const {
  if (start < 0 || start > length()) return kNotFound;
  return position(text_.find(sub.text_, static_cast<size_t>(start)));
}

int QvString::findRev(wchar_t ch) const {
  return position(text_.rfind(ch));
}

int QvString::findOneOf(const QvString& chars, int start) const {
  if (start < 0 || start > length()) return kNotFound;
  return position(text_.find_first_of(chars.text_, static_cast<size_t>(start)));
}

bool QvString::startsWith(const QvString& prefix) const {
  return text_.compare(0, prefix.text_.size(), prefix.text_) == 0;
}

bool QvString::endsWith(const QvString& suffix) const {
  return text_.size() >= suffix.text_.size() &&
         text_.compare(text_.size() - suffix.text_.size(), suffix.text_.size(), suffix.text_) == 0;
}

QvString QvString::mid(int start, int count) const {
  if (start < 0) start = 0;
  if (start >= length()) return QvString();
  const size_t n = count < 0 ? std::wstring::npos : static_cast<size_t>(count);
  return QvString(text_.substr(static_cast<size_t>(start), n));
}

QvString QvString::left(int count) const {
  return count <= 0 ? QvString() : mid(0, count);
}

QvString QvString::right(int count) const {
  if (count <= 0) return QvString();
  if (count >= length()) return *this;
  return mid(length() - count);
}

QvString& QvString::makeUpper() {
  for (auto& c : text_) c = qvToUpper(c);
  return *this;
}

QvString& QvString::makeLower() {
  for (auto& c : text_) c = qvToLower(c);
  return *this;
}

QvString& QvString::trimLeft() {
  size_t i = 0;
  while (i < text_.size() && qvIsSpace(text_[i])) ++i;
  text_.erase(0, i);
  return *this;
}

QvString& QvString::trimRight() {
  size_t n = text_.size();
  while (n > 0 && qvIsSpace(text_[n - 1])) --n;
  text_.resize(n);
  return *this;
}

QvString& QvString::trimLeft(const QvString& chars) {
  text_.erase(0, std::min(text_.find_first_not_of(chars.text_), text_.size()));
  return *this;
}

QvString& QvString::trimRight(const QvString& chars) {
  const size_t last = text_.find_last_not_of(chars.text_);
  text_.resize(last == std::wstring::npos ? 0 : last + 1);
  return *this;
}

int QvString::replace(const QvString& from, const QvString& to) {
  if (from.isEmpty()) return 0;
  int count = 0;
  size_t pos = 0;
  while ((pos = text_.find(from.text_, pos)) != std::wstring::npos) {
    text_.replace(pos, from.text_.size(), to.text_);
    pos += to.text_.size();
    ++count;
  }
  return count;
}

int QvString::replace(wchar_t from, wchar_t to) {
  int count = 0;
  for (auto& c : text_) {
    if (c == from) {
      c = to;
      ++count;
    }
  }
  return count;
}

QvString& QvString::insert(int pos, const QvString& text) {
  pos = std::clamp(pos, 0, length());
  text_.insert(static_cast<size_t>(pos), text.text_);
  return *this;
}

QvString& QvString::deleteAt(int pos, int count) {
  if (pos >= 0 && pos < length() && count > 0)
    text_.erase(static_cast<size_t>(pos), static_cast<size_t>(count));
  return *this;
}
