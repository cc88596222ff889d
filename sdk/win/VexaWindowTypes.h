#pragma once

#include <cstdint>

// Handles and message values of the window interfaces, with their Windows widths.
struct HWND__;
using HWND = HWND__*;  // a window; compared by value, never read through
struct HICON__;
using HICON = HICON__*;  // an icon (VexaIcon.h)
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Messages.
inline constexpr unsigned int WM_SETICON = 0x0080;  // wParam: ICON_BIG or ICON_SMALL; lParam: HICON
inline constexpr WPARAM ICON_SMALL = 0;
inline constexpr WPARAM ICON_BIG = 1;
