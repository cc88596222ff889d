#include "sdk/io/QvDxfText.h"

#include "sdk/io/QvDxfNumber.h"

namespace {

// Windows code page 1252 in 0x80-0x9F; the rest of the page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

wchar_t fromCodePage(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return static_cast<wchar_t>(kCp1252High[c - 0x80]);
  return static_cast<wchar_t>(c);
}

// "\U+XXXX" at `pos`: the character, or -1.
long unicodeEscape(std::string_view raw, size_t pos) {
  if (pos + 7 > raw.size() || raw[pos] != '\\' || (raw[pos + 1] != 'U' && raw[pos + 1] != 'u') ||
      raw[pos + 2] != '+')
    return -1;
  long value = 0;
  for (size_t i = pos + 3; i < pos + 7; ++i) {
    const int d = QvDxfNumber::hexDigit(raw[i]);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

bool isAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

namespace QvDxfText {

bool isValidUtf8(std::string_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra;
    unsigned long cp;
    if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<size_t>(extra) >= n) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
        cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += static_cast<size_t>(extra) + 1;
  }
  return true;
}

QvString decode(std::string_view raw, Encoding encoding) {
  if (isAscii(raw) && (encoding == kUtf8 || raw.find('\\') == std::string_view::npos)) {
    std::wstring wide(raw.size(), L'\0');
    for (size_t i = 0; i < raw.size(); ++i) wide[i] = static_cast<wchar_t>(raw[i]);
    return QvString(std::move(wide));
  }
  if (encoding == kUtf8 && isValidUtf8(raw)) return QvString(qvWidenUtf8(raw));
  std::wstring wide;
  wide.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (encoding == kCodePage) {
      const long escaped = unicodeEscape(raw, i);
      if (escaped >= 0) {
        wide += static_cast<wchar_t>(escaped);
        i += 6;
        continue;
      }
    }
    wide += fromCodePage(static_cast<unsigned char>(raw[i]));
  }
  return QvString(std::move(wide));
}

std::string toUtf8(std::string_view raw, Encoding encoding) {
  if (isAscii(raw) && (encoding == kUtf8 || raw.find('\\') == std::string_view::npos))
    return std::string(raw);
  if (encoding == kUtf8 && isValidUtf8(raw)) return std::string(raw);
  return qvNarrowUtf8(decode(raw, encoding).wstr());
}

void appendEncoded(std::string& out, std::string_view utf8) {
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20) {
      out += '^';
      out += static_cast<char>(u + 64);
    } else {
      out += c;
    }
  }
}

void appendEncoded(std::string& out, const QvString& text) {
  const std::wstring& w = text.wstr();
  bool plain = true;
  for (const wchar_t c : w) {
    if (c < 0x20 || c >= 0x80) {
      plain = false;
      break;
    }
  }
  if (plain) {
    for (const wchar_t c : w) out += static_cast<char>(c);
    return;
  }
  for (const wchar_t c : w) {
    if (c < 0x20) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else {
      qvAppendUtf8(out, static_cast<char32_t>(c));
    }
  }
}

}  // namespace QvDxfText
