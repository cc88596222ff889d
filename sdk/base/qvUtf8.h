#pragma once

#include <string>
#include <string_view>

// UTF-8 <-> wide conversion; invalid UTF-8 bytes become U+FFFD.
std::wstring qvWidenUtf8(std::string_view utf8);
std::string qvNarrowUtf8(std::wstring_view wide);
// Appends the UTF-8 bytes of one code point (beyond U+10FFFF: U+FFFD).
void qvAppendUtf8(std::string& out, char32_t cp);
