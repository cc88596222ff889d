#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

#include "sdk/base/qvUtf8.h"
#include "sdk/base/vexaFormat.h"

// The host's wide string. Text is held as wide characters; narrow text given to it or asked of
// it is UTF-8. Comparisons come in a case-sensitive form (the operators, compare) and a
// case-insensitive one (compareNoCase, and collateNoCase, which orders by the user's locale).
class QvString {
 public:
  static constexpr int kNotFound = -1;

  QvString() = default;
  QvString(const wchar_t* text) : text_(text ? text : L"") {}  // NOLINT: implicit like the host
  QvString(const wchar_t* text, int count);
  QvString(std::wstring text) : text_(std::move(text)) {}  // NOLINT
  QvString(std::wstring_view text) : text_(text) {}        // NOLINT
  explicit QvString(const char* utf8);
  QvString(wchar_t ch, int count) : text_(count > 0 ? static_cast<size_t>(count) : 0, ch) {}

  // printf-style formatting of wide text (vexaFormat.h lists the conversions).
  static QvString format(const wchar_t* fmt, ...);
  QvString& formatV(const wchar_t* fmt, va_list args);
  // Loads text `id` from the resource module current at the call. On failure the string is
  // left empty and false is returned.
  bool loadString(unsigned int id);

  // Access.
  const wchar_t* c_str() const { return text_.c_str(); }
  const wchar_t* constPtr() const { return text_.c_str(); }
  operator const wchar_t*() const { return text_.c_str(); }  // NOLINT: the host's usage
  const std::wstring& wstr() const { return text_; }
  std::string utf8() const;
  int length() const { return static_cast<int>(text_.size()); }
  bool isEmpty() const { return text_.empty(); }
  wchar_t getAt(int i) const;
  QvString& setAt(int i, wchar_t ch);

  // Comparison: <0, 0, >0.
  int compare(const QvString& other) const;
  int compareNoCase(const QvString& other) const;
  int collateNoCase(const QvString& other) const;
  bool isEqualNoCase(const QvString& other) const { return compareNoCase(other) == 0; }

  // Searching. Positions count characters from 0; kNotFound when absent.
  int find(wchar_t ch, int start = 0) const;
  int find(const QvString& sub, int start = 0) const;
  int findRev(wchar_t ch) const;
  int findOneOf(const QvString& chars, int start = 0) const;
  bool startsWith(const QvString& prefix) const;
  bool endsWith(const QvString& suffix) const;

  // Pieces.
  QvString mid(int start, int count = -1) const;
  QvString left(int count) const;
  QvString right(int count) const;

  // Changes in place.
  QvString& makeUpper();
  QvString& makeLower();
  QvString& trimLeft();
  QvString& trimRight();
  QvString& trim() { return trimRight().trimLeft(); }
  QvString& trimLeft(const QvString& chars);
  QvString& trimRight(const QvString& chars);
  int replace(const QvString& from, const QvString& to);  // answers the count replaced
  int replace(wchar_t from, wchar_t to);
  QvString& insert(int pos, const QvString& text);
  QvString& deleteAt(int pos, int count = 1);
  QvString& empty() {
    text_.clear();
    return *this;
  }

  QvString& operator+=(const QvString& other) {
    text_ += other.text_;
    return *this;
  }
  QvString& operator+=(const wchar_t* other) {
    if (other) text_ += other;
    return *this;
  }
  QvString& operator+=(wchar_t ch) {
    text_ += ch;
    return *this;
  }

  friend QvString operator+(QvString a, const QvString& b) { return a += b; }
  friend QvString operator+(QvString a, const wchar_t* b) { return a += b; }
  friend QvString operator+(const wchar_t* a, const QvString& b) { return QvString(a) += b; }
  friend bool operator==(const QvString& a, const QvString& b) { return a.text_ == b.text_; }
  friend bool operator==(const QvString& a, const wchar_t* b) { return a.text_ == (b ? b : L""); }
  friend bool operator<(const QvString& a, const QvString& b) { return a.text_ < b.text_; }
  friend bool operator>(const QvString& a, const QvString& b) { return b < a; }

 private:
  std::wstring text_;
};

// Unicode case mapping and white space, independent of the process locale. ASCII is mapped
// here; the rest by the wide forms.
wchar_t qvToLowerWide(wchar_t c);
wchar_t qvToUpperWide(wchar_t c);
bool qvIsSpaceWide(wchar_t c);
inline wchar_t qvToLower(wchar_t c) {
  if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
  return qvToLowerWide(c);
}
inline wchar_t qvToUpper(wchar_t c) {
  if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - (L'a' - L'A')) : c;
  return qvToUpperWide(c);
}
inline bool qvIsSpace(wchar_t c) {
  if (c < 0x80) return c == L' ' || (c >= L'\t' && c <= L'\r');
  return qvIsSpaceWide(c);
}

// Case-insensitive order of two texts (<0, 0, >0), without copies of them.
int qvCompareNoCase(std::wstring_view a, std::wstring_view b);

// A quick hash for the short names of tables and variables: FNV-1a over the characters.
inline size_t qvNameHash(std::wstring_view name) {
  uint64_t hash = 14695981039346656037ULL;
  for (const wchar_t c : name) {
    hash ^= static_cast<uint32_t>(c);
    hash *= 1099511628211ULL;
  }
  return static_cast<size_t>(hash);
}

// Writes the text as UTF-8 (for messages and test output).
std::ostream& operator<<(std::ostream& os, const QvString& s);

template <>
struct std::hash<QvString> {
  size_t operator()(const QvString& s) const noexcept {
    return std::hash<std::wstring>()(s.wstr());
  }
};
