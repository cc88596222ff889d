#include "sdk/base/vexaFormat.h"

#include <cwchar>
#include <cwctype>
#include <iterator>
#include <string>
#include <type_traits>
#include <vector>

#include "sdk/base/QvString.h"

namespace {

// One conversion of a format, read up to its conversion character. `directive` is its text
// up to the length modifier ("%-*.3"); the `*` width and precision are already taken.
struct Conversion {
  std::wstring directive;
  std::wstring length;
  wchar_t conv = 0;
  bool widthArg = false;
  bool precisionArg = false;
  int width = 0;
  int precision = 0;

  bool lengthIsLongLong() const { return length == L"ll" || length == L"q" || length == L"j"; }
  bool lengthIsLong() const { return length == L"l" || length == L"z" || length == L"t"; }

  // Appends `value` formatted by the C library; `tail` is the length modifier and conversion
  // character the value's type calls for.
  template <typename Value>
  void append(std::wstring& out, const std::wstring& tail, Value value) const {
    const std::wstring text = directive + tail;
    const auto print = [&](wchar_t* buffer, size_t size) {
      if (widthArg && precisionArg)
        return std::swprintf(buffer, size, text.c_str(), width, precision, value);
      if (widthArg) return std::swprintf(buffer, size, text.c_str(), width, value);
      if (precisionArg) return std::swprintf(buffer, size, text.c_str(), precision, value);
      return std::swprintf(buffer, size, text.c_str(), value);
    };
    wchar_t local[128];  // most conversions fit without a heap buffer
    int n = print(local, std::size(local));
    if (n >= 0 && static_cast<size_t>(n) < std::size(local)) {
      out.append(local, static_cast<size_t>(n));
      return;
    }
    std::vector<wchar_t> buffer(std::size(local) * 4);
    for (;;) {
      n = print(buffer.data(), buffer.size());
      if (n >= 0 && static_cast<size_t>(n) < buffer.size()) {
        out.append(buffer.data(), static_cast<size_t>(n));
        return;
      }
      if (buffer.size() > (1u << 20)) return;  // refuse absurd widths and unprintable values
      buffer.resize(buffer.size() * 4);
    }
  }
};

// Reads the conversion that starts after the '%' at `p` and leaves `p` after its length
// modifier, on the conversion character (0 when the format ends first).
Conversion readConversion(const wchar_t*& p, va_list& ap) {
  Conversion c;
  std::wstring flags;
  while (*p && std::wcschr(L"-+ #0", *p)) flags += *p++;
  std::wstring widthText, precisionText;
  if (*p == L'*') {
    c.widthArg = true;
    c.width = va_arg(ap, int);
    ++p;
  } else {
    while (std::iswdigit(*p)) widthText += *p++;
  }
  bool hasPrecision = false;
  if (*p == L'.') {
    hasPrecision = true;
    ++p;
    if (*p == L'*') {
      c.precisionArg = true;
      c.precision = va_arg(ap, int);
      ++p;
    } else {
      while (std::iswdigit(*p)) precisionText += *p++;
    }
  }
  while (*p && std::wcschr(L"hlLzjtqI", *p)) c.length += *p++;
  // Windows-style 64-bit modifier "I64" is accepted as "ll".
  if (c.length == L"I" && p[0] == L'6' && p[1] == L'4') {
    p += 2;
    c.length = L"ll";
  }
  c.conv = *p;
  c.directive = L"%" + flags + (c.widthArg ? L"*" : widthText);
  if (hasPrecision) c.directive += L"." + (c.precisionArg ? std::wstring(L"*") : precisionText);
  return c;
}

// An integer conversion: the argument is read at the width its length modifier names, and a
// short or char argument is cut to that type after its promotion. Int is int or unsigned.
template <typename Int>
void appendInteger(std::wstring& out, const Conversion& c, va_list& ap) {
  constexpr bool kSigned = std::is_signed_v<Int>;
  using Long = std::conditional_t<kSigned, long, unsigned long>;
  using LongLong = std::conditional_t<kSigned, long long, unsigned long long>;
  using Short = std::conditional_t<kSigned, short, unsigned short>;
  using Char = std::conditional_t<kSigned, signed char, unsigned char>;
  const std::wstring conv(1, c.conv);
  if (c.lengthIsLongLong())
    c.append(out, L"ll" + conv, va_arg(ap, LongLong));
  else if (c.lengthIsLong())
    c.append(out, L"l" + conv, va_arg(ap, Long));
  else if (c.length == L"h")
    c.append(out, conv, static_cast<Int>(static_cast<Short>(va_arg(ap, Int))));
  else if (c.length == L"hh")
    c.append(out, conv, static_cast<Int>(static_cast<Char>(va_arg(ap, Int))));
  else
    c.append(out, conv, va_arg(ap, Int));
}

// The conversions without flags, width or precision that need no C library call: "%s",
// "%ls", "%hs", "%S", "%d", "%i" and "%u". Reads one at `p` (after its '%') and leaves `p`
// after it; answers false, with `p` as it was, for any other conversion.
bool appendPlain(std::wstring& out, const wchar_t*& p, va_list& ap) {
  const auto appendDecimal = [&out](unsigned long long magnitude, bool negative) {
    wchar_t digits[24];
    wchar_t* end = std::end(digits);
    wchar_t* first = end;
    do {
      *--first = static_cast<wchar_t>(L'0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude);
    if (negative) *--first = L'-';
    out.append(first, end);
  };
  switch (p[0]) {
    case L'd':
    case L'i': {
      const long long value = va_arg(ap, int);
      appendDecimal(value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                              : static_cast<unsigned long long>(value),
                    value < 0);
      p += 1;
      return true;
    }
    case L'u':
      appendDecimal(va_arg(ap, unsigned), false);
      p += 1;
      return true;
    case L'l':
      if (p[1] != L's') return false;
      ++p;
      [[fallthrough]];
    case L's': {
      const wchar_t* text = va_arg(ap, const wchar_t*);
      out.append(text ? text : L"(null)");
      p += 1;
      return true;
    }
    case L'h':
      if (p[1] != L's') return false;
      ++p;
      [[fallthrough]];
    case L'S': {
      const char* text = va_arg(ap, const char*);
      out.append(text ? qvWidenUtf8(text) : L"(null)");
      p += 1;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

VexaFormatArgument vexaFormatArgument(wchar_t conversion) {
  switch (conversion) {
    case L'd':
    case L'i':
      return VexaFormatArgument::kSignedInteger;
    case L'u':
    case L'x':
    case L'X':
    case L'o':
      return VexaFormatArgument::kUnsignedInteger;
    case L'e':
    case L'E':
    case L'f':
    case L'F':
    case L'g':
    case L'G':
    case L'a':
    case L'A':
      return VexaFormatArgument::kFloating;
    case L'c':
    case L'C':
      return VexaFormatArgument::kCharacter;
    case L's':
    case L'S':
      return VexaFormatArgument::kText;
    case L'p':
      return VexaFormatArgument::kPointer;
    case L'n':
      return VexaFormatArgument::kCount;
    default:
      return VexaFormatArgument::kUnknown;
  }
}

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
      const wchar_t* run = p;
      while (*p && *p != L'%') ++p;
      result.append(run, p);
      continue;
    }
    const wchar_t* start = p++;
    if (*p == L'%') {
      result += L'%';
      ++p;
      continue;
    }
    if (appendPlain(result, p, ap)) continue;
    const Conversion c = readConversion(p, ap);
    if (!c.conv) {
      result.append(start);  // a conversion cut short is copied as text
      break;
    }
    ++p;
    switch (vexaFormatArgument(c.conv)) {
      case VexaFormatArgument::kSignedInteger:
        appendInteger<int>(result, c, ap);
        break;
      case VexaFormatArgument::kUnsignedInteger:
        appendInteger<unsigned>(result, c, ap);
        break;
      case VexaFormatArgument::kFloating:
        if (c.length == L"L")
          c.append(result, L"L" + std::wstring(1, c.conv), va_arg(ap, long double));
        else
          c.append(result, std::wstring(1, c.conv), va_arg(ap, double));
        break;
      case VexaFormatArgument::kCharacter:
        if (c.length == L"h")
          c.append(result, L"lc", static_cast<wint_t>(static_cast<unsigned char>(va_arg(ap, int))));
        else
          c.append(result, L"lc", static_cast<wint_t>(va_arg(ap, wint_t)));
        break;
      case VexaFormatArgument::kText:
        if (c.length == L"h" || (c.conv == L'S' && c.length.empty())) {
          const char* text = va_arg(ap, const char*);
          const std::wstring wide = text ? qvWidenUtf8(text) : L"(null)";
          c.append(result, L"ls", wide.c_str());
        } else {
          const wchar_t* text = va_arg(ap, const wchar_t*);
          c.append(result, L"ls", text ? text : L"(null)");
        }
        break;
      case VexaFormatArgument::kPointer:
        c.append(result, L"p", va_arg(ap, void*));
        break;
      case VexaFormatArgument::kCount:
        (void)va_arg(ap, void*);  // never written: a classic attack vector
        break;
      case VexaFormatArgument::kUnknown:
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
