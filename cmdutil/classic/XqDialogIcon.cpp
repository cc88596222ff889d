#include "xqcmdutil/XqDialogIcon.h"

#include "sdk/app/VexaApplicationIcons.h"
#include "sdk/win/VexaWinUser.h"

void SetDlgIcon(HWND window) {
  if (!window) return;
  const VexaApplicationIcons* icons = VexaApplicationIcons::current();
  if (!icons) return;
  if (HICON large = icons->largeIcon())
    SendMessage(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
  if (HICON small = icons->smallIcon())
    SendMessage(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}
