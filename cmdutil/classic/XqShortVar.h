#pragma once

// Reads a 16-bit system variable through the classic interface. False, with `value` untouched,
// when the variable cannot be read or is not a 16-bit value.
bool xqGetShortVar(const wchar_t* name, int& value);
