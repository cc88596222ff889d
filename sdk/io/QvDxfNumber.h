#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers and handles as DXF files write them. Parsing ignores spaces around the value and
// refuses anything else that is not the number (an empty value, trailing text, a real that is
// not finite, an integer out of range); formatting gives the shortest text that reads back as
// the same value.
namespace QvDxfNumber {

bool parseReal(std::string_view text, double& value);
bool parseInteger(std::string_view text, int64_t& value);
// 1 to 16 hexadecimal digits.
bool parseHandle(std::string_view text, uint64_t& value);
// A hexadecimal digit's value (either case), or -1.
int hexDigit(char c);
// Binary data as files write it, two hexadecimal digits a byte (either case); false for text
// that is not so, `bytes` then unspecified.
bool parseHexBytes(std::string_view text, std::string& bytes);
bool isHexDigits(std::string_view text);
// Hexadecimal digits, one at least, with blanks around them allowed: what a handle is written
// as, whether or not it fits in a handle.
bool looksLikeHandle(std::string_view text);

// Shortest round-trip form, laid out as Python's repr does ("0.0", "1.5", "1e-05", "1e+20"), so
// that values read from files written that way are written back alike. `out` needs 32 chars.
int formatReal(double value, char* out);
// Whether `text` is what formatReal writes for `value`.
bool isRealText(std::string_view text, double value);
int formatInteger(int64_t value, char* out);
// Upper-case hexadecimal without leading zeros ("0" for 0).
int formatHandle(uint64_t value, char* out);
std::string handleText(uint64_t value);

std::string realText(double value);
// Binary data as files write it: two upper-case hexadecimal digits per byte.
std::string hexText(const char* data, int length);

// Angles: files write degrees, the database holds radians.
double degreesToRadians(double degrees);
double radiansToDegrees(double radians);

}  // namespace QvDxfNumber
