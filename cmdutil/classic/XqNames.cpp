#include "xqcmdutil/XqNames.h"

#include <cwchar>
#include <cwctype>

#include "cmdutil/classic/XqNameEscape.h"
#include "cmdutil/classic/XqShortVar.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/win/VexaCharType.h"
#include "sdk/win/VexaUserLocale.h"

namespace {

constexpr int kLongestName = 255;

bool isOneOf(wchar_t c, const wchar_t* set) {
  return std::wcschr(set, c) != nullptr && c != L'\0';
}

// Characters extended names never hold (the vertical bar is decided apart).
constexpr const wchar_t* kNotInExtendedNames = L"<>/\\\":?*,=`;";
// Characters IsValidName refuses.
constexpr const wchar_t* kNotInNames = L"\"*,/:;<=>?\\`|";

}  // namespace

int16_t isValidSymbolName(const wchar_t* name, int flag) {
  if (!name) return 0;
  int extNames = 0;
  if (!xqGetShortVar(L"EXTNAMES", extNames)) extNames = 0;
  const QvDbSymbolUtilities::Services* symbols = qvdbGetSymbolSvc();
  int longest = 0;
  if (!symbols || symbols->getMaxSymbolNameLength(longest) != Vexa::eOk) return 0;
  const size_t length = std::wcslen(name);
  if (length == 0 || length > static_cast<size_t>(longest)) return 0;

  bool valid = name[0] != L' ';
  for (size_t i = 0; i < length;) {
    const wchar_t c = name[i];
    const unsigned type = vexaGetCharType(c);
    if (!(type & kCharDefined)) return 0;
    if (const int escape = xqNameEscapeLength(name + i, length - i)) {
      valid = true;
      i += static_cast<size_t>(escape);
      continue;
    }
    if (c == L'|') {
      const bool barAllowed = extNames == 0 ? flag == 0 : flag != 0;
      if (!barAllowed) return 0;
    } else if (extNames == 0) {
      if (!(type & (kCharAlpha | kCharDigit)) && !isOneOf(c, L"$-_")) return 0;
    } else {
      if (isOneOf(c, kNotInExtendedNames) || (type & kCharControl)) return 0;
    }
    ++i;
  }
  return valid ? 1 : 0;
}

int16_t IsValidName(const wchar_t* name) {
  if (!name || name[0] == L' ') return 0;
  const size_t length = std::wcslen(name);
  if (length == 0 || length > static_cast<size_t>(kLongestName)) return 0;
  VexaUserCTypeScope userClassification;
  for (size_t i = 0; i < length;) {
    const wchar_t c = name[i];
    if (std::iswalnum(static_cast<wint_t>(c))) {
      ++i;
    } else if (const int escape = xqNameEscapeLength(name + i, length - i)) {
      i += static_cast<size_t>(escape);
    } else if (!isOneOf(c, kNotInNames)) {
      ++i;
    } else {
      return 0;
    }
  }
  return 1;
}
