#pragma once

#include "sdk/base/QvString.h"
#include "sdk/win/CWnd.h"
#include "xqcmdutil/CXqToolTipText.h"

// When a text is at least as wide as a control's rectangle (screen coordinates) in the
// control's font: puts it in the tip, moves the tip to the rectangle's top-left corner less
// one pixel, shows it after 100 milliseconds and arms mouse-leave tracking on the control.
// False (nothing done) when the text fits.
bool XqShowTipOver(CXqToolTipText& tip, CWnd& control, const QvString& text, const RECT& screen);
