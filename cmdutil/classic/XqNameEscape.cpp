#include "cmdutil/classic/XqNameEscape.h"

namespace {

bool isDecimal(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

bool isHex(wchar_t c) {
  return isDecimal(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool hexRun(const wchar_t* text, int count) {
  for (int i = 0; i < count; ++i)
    if (!isHex(text[i])) return false;
  return true;
}

}  // namespace

int xqNameEscapeLength(const wchar_t* text, size_t remaining) {
  if (!text || remaining < 7 || text[0] != L'\\' || text[2] != L'+') return 0;
  const wchar_t kind = text[1];
  if ((kind == L'U' || kind == L'u') && hexRun(text + 3, 4)) return 7;
  if ((kind == L'M' || kind == L'm') && remaining >= 8 && isDecimal(text[3]) && hexRun(text + 4, 4))
    return 8;
  return 0;
}
