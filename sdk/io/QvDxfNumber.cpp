#include "sdk/io/QvDxfNumber.h"

#include <array>
#include <bit>
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

// The shortest digits that read back as a value, and where the decimal point goes: the value
// is 0.d1d2d3... times 10^decpt.
struct ShortestDigits {
  char text[24];
  int count = 0;
  int decpt = 0;
};

__extension__ typedef unsigned __int128 U128;

constexpr std::array<U128, 21> makePowersOfTen() {
  std::array<U128, 21> powers{};
  U128 power = 1;
  for (U128& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}

constexpr std::array<U128, 21> kPowersOfTen = makePowersOfTen();
constexpr uint64_t kFifteenDigits = 1000000000000000;  // 10^15

uint64_t powerOfTen(int n) {
  return static_cast<uint64_t>(kPowersOfTen[static_cast<size_t>(n)]);
}

int decimalDigitCount(uint64_t n) {
  // From the bit length: log10(2) is about 1233 / 4096; too low by one at most.
  const int bits = 64 - std::countl_zero(n | 1);
  const int count = (bits * 1233) >> 12;
  return n == 0 ? 1 : count + (count < 20 && n >= powerOfTen(count) ? 1 : 0);
}

// Writes `n` (below 100) as two digits.
void writePair(uint32_t n, char* out) {
  static constexpr char kPairs[] =
      "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243"
      "4445464748495051525354555657585960616263646566676869707172737475767778798081828384858687"
      "888990919293949596979899";
  std::memcpy(out, kPairs + static_cast<size_t>(n) * 2, 2);
}

// Writes `n` (below 10^8) as eight digits, with 32-bit arithmetic.
void writeEight(uint32_t n, char* out) {
  const uint32_t high = n / 10000;
  const uint32_t low = n % 10000;
  writePair(high / 100, out);
  writePair(high % 100, out + 2);
  writePair(low / 100, out + 4);
  writePair(low % 100, out + 6);
}

// The decimal digits of `n`; returns their count. Eight at a time from the right, then the
// rest two at a time.
int writeDigits(uint64_t n, char* out) {
  const int count = decimalDigitCount(n);
  char* p = out + count;
  while (n >= 100000000) {
    p -= 8;
    writeEight(static_cast<uint32_t>(n % 100000000), p);
    n /= 100000000;
  }
  auto rest = static_cast<uint32_t>(n);
  while (rest >= 100) {
    p -= 2;
    writePair(rest % 100, p);
    rest /= 100;
  }
  if (rest >= 10) {
    writePair(rest, p - 2);
  } else {
    *--p = static_cast<char>('0' + rest);
  }
  return count;
}

// `n` without its trailing zeros, at most `places` of them; `places` goes down by as many.
uint64_t withoutTrailingZeros(uint64_t n, int& places) {
  if (n % 10 != 0) return n;  // most values
  while (places >= 8 && n % 100000000 == 0) {
    n /= 100000000;
    places -= 8;
  }
  for (const int step : {4, 2, 1}) {
    if (places >= step && n % powerOfTen(step) == 0) {
      n /= powerOfTen(step);
      places -= step;
    }
  }
  return n;
}

// The shortest digits of a value that is not whole, from 1e-4 up to 1e15, found by exact
// integer arithmetic. Such a value is m * 2^e, and the decimals that read back as it lie
// within half a unit of its last place around it (the ends included when m is even). At
// fifteen significant digits that interval holds at most one decimal, and every shorter
// decimal in it is that one without its trailing zeros; at sixteen or seventeen the nearest
// decimal is taken. False, leaving the general path to decide, for a power of two (whose
// interval is lopsided), for a value halfway between two decimals and outside the range.
bool exactShortestDigits(double value, ShortestDigits& digits) {
  if (!(value >= 1e-4 && value < 1e15)) return false;
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(bits));
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  const int biased = static_cast<int>(bits >> 52);
  if (fraction == 0 || biased == 0) return false;
  const uint64_t mantissa = fraction | (uint64_t{1} << 52);
  // value = (2 * mantissa) / 2^shift; half a unit of the last place is 1 / 2^shift.
  const int shift = 1075 - biased + 1;
  if (shift <= 1 || shift > 70) return false;
  const uint64_t twice = mantissa * 2;
  const U128 low = (U128{1} << shift) - 1;
  const U128 half = U128{1} << (shift - 1);
  // Below 2^121: the mantissa has 54 bits and 10^20 67.
  auto scaled = [&](int places) {
    return places < 20 ? U128{twice} * powerOfTen(places) : U128{twice} * powerOfTen(19) * 10;
  };
  // The most places after the point that keep the scaled value below 10^15.
  int places = 0;
  if (value >= 1.0) {
    places = 15 - decimalDigitCount(static_cast<uint64_t>(value));
  } else {
    places = 15;
    while (places < 18 && (scaled(places + 1) >> shift) < kFifteenDigits) ++places;
  }
  const bool ends = (mantissa & 1) == 0;
  for (int extra = 0; extra < 3; ++extra, ++places) {
    const U128 exact = scaled(places);
    const U128 rest = exact & low;
    if (rest == half) return false;
    uint64_t n = static_cast<uint64_t>(exact >> shift) + (rest > half ? 1 : 0);
    const U128 at = U128{n} << shift;
    const U128 distance = at > exact ? at - exact : exact - at;
    const U128 reach = kPowersOfTen[static_cast<size_t>(places)];
    if (ends ? distance > reach : distance >= reach) continue;
    int kept = places;
    n = withoutTrailingZeros(n, kept);
    const int count = writeDigits(n, digits.text);
    digits.count = count;
    digits.decpt = count - kept;
    return true;
  }
  return false;
}

// The shortest digits as the standard library finds them (d[.ddd]e[+-]xx).
void libraryShortestDigits(double value, ShortestDigits& digits) {
  char sci[32];
  const char* const sciEnd =
      std::to_chars(sci, sci + sizeof(sci), value, std::chars_format::scientific).ptr;
  int count = 0;
  const char* q = sci;
  digits.text[count++] = *q++;
  if (*q == '.')
    for (++q; *q != 'e'; ++q) digits.text[count++] = *q;
  ++q;  // the 'e'
  const bool negativeExponent = *q++ == '-';
  int exponent = 0;
  for (; q < sciEnd; ++q) exponent = exponent * 10 + (*q - '0');
  digits.count = count;
  digits.decpt = (negativeExponent ? -exponent : exponent) + 1;
}

// Writes the digits fixed from 1e-4 to below 1e16, else as d.ddde+xx; returns the end.
char* layOut(const ShortestDigits& d, char* p) {
  const int decpt = d.decpt;
  const int nDigits = d.count;
  if (decpt > 16 || decpt < -3) {
    const int exponent = decpt - 1;
    *p++ = d.text[0];
    if (nDigits > 1) {
      *p++ = '.';
      std::memcpy(p, d.text + 1, static_cast<size_t>(nDigits - 1));
      p += nDigits - 1;
    }
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    const int mag = exponent < 0 ? -exponent : exponent;
    if (mag < 10) *p++ = '0';
    return std::to_chars(p, p + 4, mag).ptr;
  }
  if (decpt <= 0) {
    *p++ = '0';
    *p++ = '.';
    for (int i = 0; i < -decpt; ++i) *p++ = '0';
    std::memcpy(p, d.text, static_cast<size_t>(nDigits));
    return p + nDigits;
  }
  for (int i = 0; i < decpt; ++i) *p++ = i < nDigits ? d.text[i] : '0';
  *p++ = '.';
  if (nDigits > decpt) {
    std::memcpy(p, d.text + decpt, static_cast<size_t>(nDigits - decpt));
    return p + (nDigits - decpt);
  }
  *p++ = '0';
  return p;
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
  ShortestDigits digits;
  if (!exactShortestDigits(value, digits)) libraryShortestDigits(value, digits);
  return static_cast<int>(layOut(digits, p) - out);
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
