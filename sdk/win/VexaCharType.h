#pragma once

// The operating system's character-type service, type set 1: what a character is in the
// user's default locale (VexaUserLocale). Bit values:
inline constexpr unsigned kCharUpper = 0x001;
inline constexpr unsigned kCharLower = 0x002;
inline constexpr unsigned kCharDigit = 0x004;  // "0" to "9" (other scripts' digits: kCharAlpha)
inline constexpr unsigned kCharSpace = 0x008;
inline constexpr unsigned kCharPunct = 0x010;
inline constexpr unsigned kCharControl = 0x020;
inline constexpr unsigned kCharBlank = 0x040;
inline constexpr unsigned kCharHexDigit = 0x080;
inline constexpr unsigned kCharAlpha = 0x100;    // a letter of any script
inline constexpr unsigned kCharDefined = 0x200;  // an assigned character

// The type-set-1 bits of `ch`. An unassigned code point, a surrogate half, a noncharacter and
// anything beyond U+10FFFF answer 0 (not even kCharDefined).
unsigned vexaGetCharType(wchar_t ch);
