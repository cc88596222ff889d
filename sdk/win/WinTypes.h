#pragma once

#include <cstdint>

// Plain value types of the Windows interfaces, with their Windows widths.
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
