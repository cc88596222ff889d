#include "sdk/win/VexaCharType.h"

#include <wctype.h>

#include "sdk/win/VexaUserLocale.h"

unsigned vexaGetCharType(wchar_t ch) {
  const locale_t locale = VexaUserLocale::ctype();
  if (!locale) return 0;
  const wint_t c = static_cast<wint_t>(ch);
  unsigned type = 0;
  if (iswupper_l(c, locale)) type |= kCharUpper;
  if (iswlower_l(c, locale)) type |= kCharLower;
  if (iswdigit_l(c, locale)) type |= kCharDigit;
  if (iswspace_l(c, locale)) type |= kCharSpace;
  if (iswpunct_l(c, locale)) type |= kCharPunct;
  if (iswcntrl_l(c, locale)) type |= kCharControl;
  if (iswblank_l(c, locale)) type |= kCharBlank;
  if (iswxdigit_l(c, locale)) type |= kCharHexDigit;
  if (iswalpha_l(c, locale)) type |= kCharAlpha;
  // Every assigned character is printable, a control or a space in some class.
  if (type != 0 || iswprint_l(c, locale)) type |= kCharDefined;
  return type;
}
