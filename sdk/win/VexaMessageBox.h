#pragma once

#include "sdk/win/VexaWindowTypes.h"

// Buttons, icons and default buttons of a message box, and the buttons it answers.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_ICONERROR = 0x0010;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr UINT MB_DEFBUTTON1 = 0x0000;
inline constexpr UINT MB_DEFBUTTON2 = 0x0100;
inline constexpr UINT MB_DEFBUTTON3 = 0x0200;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// A message box, headless. An OK box writes caption and text to the command line and answers
// IDOK. A box with a choice asks one line: the first letter (or the whole name) of a button
// chooses it, Enter the default button, "^C" Cancel when the box has one (otherwise the last
// button); another answer is refused and asked again. 0 when no dialog input is bound.
int MessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
