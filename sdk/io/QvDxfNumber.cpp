#include "sdk/io/QvDxfNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text) {
  // Most values have no blanks at all.
  if (!text.empty() && !isBlank(text.front()) && !isBlank(text.back())) return text;
  size_t b = 0;
  size_t e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t' || text[e - 1] == '\r')) --e;
  return text.substr(b, e - b);
}

// A number's text without its blanks and its plus sign. A plus before another sign stays, so the
// parsers refuse "+-1".
std::string_view withoutPlus(std::string_view text) {
  text = trimmed(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

// A plain decimal ("-12.375": digits, a point and digits) whose digits make an integer of at
// most 2^53 with at most 22 of them after the point: that integer and the power of ten are
// exact doubles, so their one correctly rounded quotient is the value the text denotes.
// Anything else (exponents, more digits, a bare point) is left to the full parser.
bool parsePlainDecimal(std::string_view text, double& value) {
  static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  uint64_t digits = 0;
  int count = 0;
  const char* const whole = p;
  for (; p < end && *p >= '0' && *p <= '9' && count < 19; ++p, ++count)
    digits = digits * 10 + static_cast<uint64_t>(*p - '0');
  if (p == whole) return false;
  int fraction = 0;
  if (p < end && *p == '.') {
    const char* const first = ++p;
    for (; p < end && *p >= '0' && *p <= '9' && count < 19; ++p, ++count)
      digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    fraction = static_cast<int>(p - first);
    if (fraction == 0) return false;
  }
  if (p != end || fraction > 22 || digits > (uint64_t{1} << 53)) return false;
  const double quotient = static_cast<double>(digits) / kPowers[fraction];
  value = negative ? -quotient : quotient;
  return true;
}

}  // namespace

namespace QvDxfNumber {

bool parseReal(std::string_view text, double& value) {
  text = withoutPlus(text);
  if (text.empty()) return false;
  if (parsePlainDecimal(text, value)) return true;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool parseInteger(std::string_view text, int64_t& value) {
  text = withoutPlus(text);
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool isHexDigits(std::string_view text) {
  for (const char c : text)
    if (hexDigit(c) < 0) return false;
  return true;
}

bool looksLikeHandle(std::string_view text) {
  text = trimmed(text);
  return !text.empty() && isHexDigits(text);
}

bool parseHandle(std::string_view text, uint64_t& value) {
  text = trimmed(text);
  if (text.empty() || text.size() > 16) return false;
  uint64_t v = 0;
  for (const char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) return false;
    v = (v << 4) | static_cast<uint64_t>(digit);
  }
  value = v;
  return true;
}

bool parseHexBytes(std::string_view text, std::string& bytes) {
  if (text.size() % 2 != 0) return false;
  bytes.resize(text.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const int high = hexDigit(text[2 * i]);
    const int low = hexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<char>(high * 16 + low);
  }
  return true;
}

int formatReal(double value, char* out) {
  char* p = out;
  if (!std::isfinite(value)) {  // never read from a file; written so that readers refuse it
    std::memcpy(out, "nan", 3);
    return 3;
  }
  // Zero of either sign: a negative zero would read back as one and could be written the other
  // way by what is computed from it.
  if (value == 0.0) {
    std::memcpy(out, "0.0", 3);
    return 3;
  }
  if (std::signbit(value)) {
    *p++ = '-';
    value = -value;
  }
  // A whole number below 2^53 is its own shortest form: its digits and ".0".
  if (value < 0x1p53 && static_cast<double>(static_cast<uint64_t>(value)) == value) {
    p = std::to_chars(p, p + 20, static_cast<uint64_t>(value)).ptr;
    std::memcpy(p, ".0", 2);
    return static_cast<int>(p - out) + 2;
  }
  // Shortest digits, as d[.ddd]e[+-]xx.
  char sci[32];
  const char* const sciEnd =
      std::to_chars(sci, sci + sizeof(sci), value, std::chars_format::scientific).ptr;
  char digits[24];
  int nDigits = 0;
  const char* q = sci;
  digits[nDigits++] = *q++;
  if (*q == '.')
    for (++q; *q != 'e'; ++q) digits[nDigits++] = *q;
  ++q;  // the 'e'
  const bool negativeExponent = *q++ == '-';
  int exponent = 0;
  for (; q < sciEnd; ++q) exponent = exponent * 10 + (*q - '0');
  if (negativeExponent) exponent = -exponent;
  const int decpt = exponent + 1;  // digits before the decimal point
  if (decpt > 16 || decpt < -3) {
    *p++ = digits[0];
    if (nDigits > 1) {
      *p++ = '.';
      std::memcpy(p, digits + 1, static_cast<size_t>(nDigits - 1));
      p += nDigits - 1;
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int mag = exponent < 0 ? -exponent : exponent;
    if (mag < 10) *p++ = '0';
    p = std::to_chars(p, p + 4, mag).ptr;
    return static_cast<int>(p - out);
  }
  if (decpt <= 0) {
    *p++ = '0';
    *p++ = '.';
    for (int i = 0; i < -decpt; ++i) *p++ = '0';
    std::memcpy(p, digits, static_cast<size_t>(nDigits));
    p += nDigits;
    return static_cast<int>(p - out);
  }
  for (int i = 0; i < decpt; ++i) *p++ = i < nDigits ? digits[i] : '0';
  *p++ = '.';
  if (nDigits > decpt) {
    std::memcpy(p, digits + decpt, static_cast<size_t>(nDigits - decpt));
    p += nDigits - decpt;
  } else {
    *p++ = '0';
  }
  return static_cast<int>(p - out);
}

bool isRealText(std::string_view text, double value) {
  char buf[32];
  return text == std::string_view(buf, static_cast<size_t>(formatReal(value, buf)));
}

int formatInteger(int64_t value, char* out) {
  return static_cast<int>(std::to_chars(out, out + 24, value).ptr - out);
}

int formatHandle(uint64_t value, char* out) {
  static const char kHex[] = "0123456789ABCDEF";
  char tmp[16];
  int n = 0;
  do {
    tmp[n++] = kHex[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int i = 0; i < n; ++i) out[i] = tmp[n - 1 - i];
  return n;
}

std::string handleText(uint64_t value) {
  char buf[16];
  return std::string(buf, static_cast<size_t>(formatHandle(value, buf)));
}

std::string hexText(const char* data, int length) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(2 * static_cast<size_t>(length > 0 ? length : 0));
  for (int i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(data[i]);
    hex += kHex[byte >> 4];
    hex += kHex[byte & 0xF];
  }
  return hex;
}

double degreesToRadians(double degrees) {
  return degrees * (3.14159265358979323846 / 180.0);
}

double radiansToDegrees(double radians) {
  // Dividing by the same factor brings most angles read in degrees back exactly.
  return radians / (3.14159265358979323846 / 180.0);
}

std::string realText(double value) {
  char buf[32];
  return std::string(buf, static_cast<size_t>(formatReal(value, buf)));
}

}  // namespace QvDxfNumber
