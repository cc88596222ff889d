#pragma once

#include <cstdarg>
#include <iosfwd>
#include <string>

#include "sdk/base/QvString.h"
#include "sdk/win/WinTypes.h"

// The Windows class library's wide string, as the older interfaces use it: a value type
// with positions counted in characters from 0. It keeps its text in a QvString and lets it do
// the work; what is its own is the message format and the resource lookup. LoadString searches
// the chain of resource modules (the current one first), unlike QvString::loadString, which
// reads only the current.
class CString {
 public:
  CString() = default;
  CString(const wchar_t* text) : text_(text) {}  // NOLINT: implicit as on Windows
  CString(const wchar_t* text, int count);
  explicit CString(wchar_t ch, int count = 1);
  CString(const QvString& text) : text_(text) {}          // NOLINT
  CString(std::wstring text) : text_(std::move(text)) {}  // NOLINT

  // Access.
  int GetLength() const { return text_.length(); }
  bool IsEmpty() const { return text_.isEmpty(); }
  void Empty() { text_.empty(); }
  const wchar_t* GetString() const { return text_.c_str(); }
  operator const wchar_t*() const { return text_.c_str(); }  // NOLINT: the class library's usage
  const std::wstring& wstr() const { return text_.wstr(); }
  QvString toQvString() const { return text_; }
  // Out of range reads give 0 and out of range writes do nothing.
  wchar_t GetAt(int index) const;
  void SetAt(int index, wchar_t ch);

  // Comparison: <0, 0, >0; the no-case form compares case-folded characters.
  int Compare(const wchar_t* other) const;
  int CompareNoCase(const wchar_t* other) const;

  // Searching; -1 when absent.
  int Find(wchar_t ch, int start = 0) const;
  int Find(const wchar_t* sub, int start = 0) const;
  int ReverseFind(wchar_t ch) const;
  int FindOneOf(const wchar_t* chars) const;

  // Pieces; counts are clamped to the text.
  CString Left(int count) const;
  CString Mid(int start) const;
  CString Mid(int start, int count) const;
  CString Right(int count) const;

  // Changes in place.
  CString& MakeUpper();
  CString& MakeLower();
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();
  CString& TrimLeft(wchar_t ch);
  CString& TrimRight(wchar_t ch);
  int Replace(const wchar_t* from, const wchar_t* to);  // the count replaced
  int Replace(wchar_t from, wchar_t to);
  int Remove(wchar_t ch);                      // the count removed
  int Insert(int index, const wchar_t* text);  // the new length
  int Delete(int index, int count = 1);        // the new length

  // printf-style formatting (%s is a wide string, as in the host's vexaFormatVS).
  void Format(const wchar_t* format, ...);
  void FormatV(const wchar_t* format, va_list args);
  void AppendFormat(const wchar_t* format, ...);
  // Message formatting with numbered inserts: %1 to %99, each optionally followed by a printf
  // conversion between exclamation marks ("%1!d!"); without one the insert is a wide string.
  // %% gives %, %n a line break, %t a tab, %. a full stop, %! an exclamation mark.
  // Arguments are taken in insert-number order.
  void FormatMessage(const wchar_t* format, ...);
  void FormatMessageV(const wchar_t* format, va_list args);

  // Loads text `id` from the first resource module of the chain that has it; false, and the
  // string left as it was, when none has.
  bool LoadString(UINT id);

  CString& operator=(const wchar_t* text) {
    text_ = QvString(text);
    return *this;
  }
  CString& operator+=(const CString& other) {
    text_ += other.text_;
    return *this;
  }
  CString& operator+=(const wchar_t* other) {
    text_ += other;
    return *this;
  }
  CString& operator+=(wchar_t ch) {
    text_ += ch;
    return *this;
  }
  friend CString operator+(CString a, const CString& b) { return a += b; }
  friend CString operator+(CString a, const wchar_t* b) { return a += b; }
  friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) += b; }
  friend CString operator+(CString a, wchar_t b) { return a += b; }
  friend bool operator==(const CString& a, const CString& b) { return a.text_ == b.text_; }
  friend bool operator==(const CString& a, const wchar_t* b) { return a.text_ == b; }
  friend bool operator<(const CString& a, const CString& b) { return a.text_ < b.text_; }

 private:
  QvString text_;
};

// Writes the text as UTF-8 (for messages and test output).
std::ostream& operator<<(std::ostream& os, const CString& s);
