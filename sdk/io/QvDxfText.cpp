#include "sdk/io/QvDxfText.h"

#include "sdk/io/QvDxfCodePage.h"
#include "sdk/io/QvDxfNumber.h"

namespace {

// ASCII without a backslash (nor a caret, when carets are decoded): text as it stands in every
// encoding.
bool isPlain(std::string_view text, bool decodeCarets) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80 || c == '\\' || (decodeCarets && c == '^'))
      return false;
  return true;
}

// Caret notation: "^" and a character from '@' to '_' is the control character 64 below it,
// "^ " a caret. Any other caret stands for itself.
bool isCaretCode(wchar_t c) {
  return c == L' ' || (c >= L'@' && c <= L'_');
}

void caretDecode(std::wstring& text) {
  if (text.find(L'^') == std::wstring::npos) return;
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'^' && i + 1 < text.size() && isCaretCode(text[i + 1])) {
      ++i;
      out += text[i] == L' ' ? L'^' : static_cast<wchar_t>(text[i] - 64);
    } else {
      out += text[i];
    }
  }
  text = std::move(out);
}

// A caret that the reader would take with the next character is written as "^ ".
template <typename Text>
bool caretNeedsSpace(const Text& text, size_t i) {
  return i + 1 < text.size() && isCaretCode(static_cast<wchar_t>(text[i + 1]));
}

// Replaces the "\U+XXXX" escapes of wide text by their characters.
void unescape(std::wstring& text) {
  if (text.find(L'\\') == std::wstring::npos) return;
  std::wstring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    long value = -1;
    if (text[i] == L'\\' && i + 7 <= text.size() && (text[i + 1] == L'U' || text[i + 1] == L'u') &&
        text[i + 2] == L'+') {
      value = 0;
      for (size_t k = i + 3; k < i + 7 && value >= 0; ++k) {
        const int d = text[k] < 0x80 ? QvDxfNumber::hexDigit(static_cast<char>(text[k])) : -1;
        value = d < 0 ? -1 : value * 16 + d;
      }
    }
    if (value > 0) {
      out += static_cast<wchar_t>(value);
      i += 6;
    } else {
      out += text[i];
    }
  }
  text = std::move(out);
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

namespace {

std::wstring widen(std::string_view raw, Encoding encoding, const QvDxfCodePage* page,
                   bool decodeCarets) {
  std::wstring wide;
  if (encoding == kUtf8 && isValidUtf8(raw)) {
    wide = qvWidenUtf8(raw);
  } else {
    static const QvDxfCodePage latin;
    wide.reserve(raw.size());
    (encoding == kCodePage && page ? *page : latin).appendDecoded(wide, raw);
  }
  if (decodeCarets) caretDecode(wide);
  unescape(wide);
  return wide;
}

}  // namespace

QvString decode(std::string_view raw, Encoding encoding, const QvDxfCodePage* page) {
  if (isPlain(raw, true)) {
    std::wstring wide(raw.size(), L'\0');
    for (size_t i = 0; i < raw.size(); ++i) wide[i] = static_cast<wchar_t>(raw[i]);
    return QvString(std::move(wide));
  }
  return QvString(widen(raw, encoding, page, true));
}

std::string toUtf8(std::string_view raw, Encoding encoding, const QvDxfCodePage* page) {
  // Kept groups are written back as they stand, so their carets stay encoded.
  if (isPlain(raw, false)) return std::string(raw);
  if (encoding == kUtf8 && isValidUtf8(raw) && raw.find("\\U+") == std::string_view::npos &&
      raw.find("\\u+") == std::string_view::npos)
    return std::string(raw);
  return qvNarrowUtf8(widen(raw, encoding, page, false));
}

void appendEncoded(std::string& out, std::string_view utf8) {
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto u = static_cast<unsigned char>(utf8[i]);
    if (u < 0x20) {
      out += '^';
      out += static_cast<char>(u + 64);
    } else {
      out += utf8[i];
      if (u == '^' && caretNeedsSpace(utf8, i)) out += ' ';
    }
  }
}

void appendEncoded(std::string& out, const QvString& text) {
  const std::wstring& w = text.wstr();
  bool plain = true;
  for (const wchar_t c : w) {
    if (c < 0x20 || c >= 0x80 || c == L'^') {
      plain = false;
      break;
    }
  }
  if (plain) {
    const size_t at = out.size();
    out.resize(at + w.size());
    char* p = out.data() + at;
    for (const wchar_t c : w) *p++ = static_cast<char>(c);
    return;
  }
  for (size_t i = 0; i < w.size(); ++i) {
    const wchar_t c = w[i];
    if (c < 0x20) {
      out += '^';
      out += static_cast<char>(c + 64);
    } else {
      qvAppendUtf8(out, static_cast<char32_t>(c));
      if (c == L'^' && caretNeedsSpace(w, i)) out += ' ';
    }
  }
}

std::string encoded(const QvString& text) {
  std::string out;
  appendEncoded(out, text);
  return out;
}

std::string encoded(std::string_view utf8) {
  std::string out;
  appendEncoded(out, utf8);
  return out;
}

}  // namespace QvDxfText
