#include "sdk/base/QvString.h"

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <ostream>
#include <vector>

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

wchar_t qvToLower(wchar_t c) {
  return static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), unicodeLocale()));
}
wchar_t qvToUpper(wchar_t c) {
  return static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), unicodeLocale()));
}
bool qvIsSpace(wchar_t c) {
  return iswspace_l(static_cast<wint_t>(c), unicodeLocale()) != 0;
}

std::ostream& operator<<(std::ostream& os, const QvString& s) {
  return os << s.utf8();
}

// ---- UTF-8 ------------------------------------------------------------------------------

std::wstring qvWidenUtf8(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
      cp = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
      extra = 1;
      cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2;
      cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3;
      cp = b0 & 0x07;
    } else {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < utf8.size();  // not cut short by the end
    for (int k = 1; ok && k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((b & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (!ok) {
      out += L'\xFFFD';
      ++i;
      continue;
    }
    out += static_cast<wchar_t>(cp);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

void qvAppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string qvNarrowUtf8(std::wstring_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (wchar_t wc : wide) qvAppendUtf8(out, static_cast<char32_t>(wc));
  return out;
}

// ---- Formatting -------------------------------------------------------------------------

namespace {

// Formats one conversion with the C library into `out`; `*` width and precision come first.
template <typename Value>
void appendOne(std::wstring& out, const std::wstring& directive, int width, int precision,
               bool hasWidthArg, bool hasPrecisionArg, Value value) {
  std::vector<wchar_t> buffer(64);
  for (;;) {
    int n;
    if (hasWidthArg && hasPrecisionArg)
      n = std::swprintf(buffer.data(), buffer.size(), directive.c_str(), width, precision, value);
    else if (hasWidthArg)
      n = std::swprintf(buffer.data(), buffer.size(), directive.c_str(), width, value);
    else if (hasPrecisionArg)
      n = std::swprintf(buffer.data(), buffer.size(), directive.c_str(), precision, value);
    else
      n = std::swprintf(buffer.data(), buffer.size(), directive.c_str(), value);
    if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
      out.append(buffer.data(), static_cast<size_t>(n));
      return;
    }
    if (buffer.size() > (1u << 20)) return;  // refuse absurd widths and unprintable values
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

int vexaFormatVS(QvString& out, const wchar_t* fmt, va_list args) {
  std::wstring result;
  if (!fmt) {
    out = QvString();
    return 0;
  }
  va_list ap;
  va_copy(ap, args);
  for (const wchar_t* p = fmt; *p;) {
    if (*p != L'%') {
      result += *p++;
      continue;
    }
    const wchar_t* start = p++;
    if (*p == L'%') {
      result += L'%';
      ++p;
      continue;
    }
    std::wstring flags;
    while (*p && std::wcschr(L"-+ #0", *p)) flags += *p++;
    bool widthArg = false, precisionArg = false;
    int width = 0, precision = 0;
    std::wstring widthText, precisionText;
    if (*p == L'*') {
      widthArg = true;
      width = va_arg(ap, int);
      ++p;
    } else {
      while (std::iswdigit(*p)) widthText += *p++;
    }
    bool hasPrecision = false;
    if (*p == L'.') {
      hasPrecision = true;
      ++p;
      if (*p == L'*') {
        precisionArg = true;
        precision = va_arg(ap, int);
        ++p;
      } else {
        while (std::iswdigit(*p)) precisionText += *p++;
      }
    }
    std::wstring length;
    while (*p && std::wcschr(L"hlLzjtqI", *p)) length += *p++;
    // Windows-style 64-bit modifier "I64" is accepted as "ll".
    if (length == L"I" && p[0] == L'6' && p[1] == L'4') {
      p += 2;
      length = L"ll";
    }
    const wchar_t conv = *p;
    if (!conv) {
      result.append(start);  // a conversion cut short is copied as text
      break;
    }
    ++p;
    std::wstring directive = L"%" + flags + (widthArg ? L"*" : widthText);
    if (hasPrecision) directive += L"." + (precisionArg ? std::wstring(L"*") : precisionText);
    // Formats the value with the C library's spelling of the conversion.
    auto emitAs = [&](const std::wstring& cSpec, auto value) {
      appendOne(result, directive + cSpec, width, precision, widthArg, precisionArg, value);
    };
    auto emit = [&](const std::wstring& lengthMod, auto value) { emitAs(lengthMod + conv, value); };
    switch (conv) {
      case L'd':
      case L'i':
        if (length == L"ll" || length == L"q" || length == L"j")
          emit(L"ll", va_arg(ap, long long));
        else if (length == L"l" || length == L"z" || length == L"t")
          emit(L"l", va_arg(ap, long));
        else if (length == L"h")
          emit(L"", static_cast<int>(static_cast<short>(va_arg(ap, int))));
        else if (length == L"hh")
          emit(L"", static_cast<int>(static_cast<signed char>(va_arg(ap, int))));
        else
          emit(L"", va_arg(ap, int));
        break;
      case L'u':
      case L'x':
      case L'X':
      case L'o':
        if (length == L"ll" || length == L"q" || length == L"j")
          emit(L"ll", va_arg(ap, unsigned long long));
        else if (length == L"l" || length == L"z" || length == L"t")
          emit(L"l", va_arg(ap, unsigned long));
        else if (length == L"h")
          emit(L"", static_cast<unsigned>(static_cast<unsigned short>(va_arg(ap, unsigned))));
        else if (length == L"hh")
          emit(L"", static_cast<unsigned>(static_cast<unsigned char>(va_arg(ap, unsigned))));
        else
          emit(L"", va_arg(ap, unsigned));
        break;
      case L'e':
      case L'E':
      case L'f':
      case L'F':
      case L'g':
      case L'G':
      case L'a':
      case L'A':
        if (length == L"L")
          emit(L"L", va_arg(ap, long double));
        else
          emit(L"", va_arg(ap, double));
        break;
      case L'c':
      case L'C':
        if (length == L"h")
          emitAs(L"lc", static_cast<wint_t>(static_cast<unsigned char>(va_arg(ap, int))));
        else
          emitAs(L"lc", static_cast<wint_t>(va_arg(ap, wint_t)));
        break;
      case L's':
      case L'S':
        if (length == L"h" || (conv == L'S' && length.empty())) {
          const char* text = va_arg(ap, const char*);
          const std::wstring wide = text ? qvWidenUtf8(text) : L"(null)";
          emitAs(L"ls", wide.c_str());
        } else {
          const wchar_t* text = va_arg(ap, const wchar_t*);
          emitAs(L"ls", text ? text : L"(null)");
        }
        break;
      case L'p':
        emit(L"", va_arg(ap, void*));
        break;
      case L'n':
        (void)va_arg(ap, void*);  // never written: a classic attack vector
        break;
      default:
        result.append(start, p);  // unknown conversion: copied as text
        break;
    }
  }
  va_end(ap);
  out = QvString(std::move(result));
  return out.length();
}

int vexaFormatS(QvString& out, const wchar_t* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  const int n = vexaFormatVS(out, fmt, args);
  va_end(args);
  return n;
}

// ---- QvString ---------------------------------------------------------------------------

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

int QvString::compareNoCase(const QvString& other) const {
  return sign(folded(text_).compare(folded(other.text_)));
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
