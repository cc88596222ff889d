#include "sdk/app/detail/VexaUnitText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace vexa_units {

namespace {

// Drops the minus sign of a text whose digits are all zero.
std::string withoutNegativeZero(std::string text) {
  if (text.empty() || text[0] != '-') return text;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == 'e' || c == 'E') break;
    if (c >= '1' && c <= '9') return text;
  }
  return text.substr(1);
}

std::string charsOf(double value, std::chars_format format, int decimals) {
  // The widest fixed text of a double: 309 digits, a sign, a point and the decimals.
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, decimals);
  if (result.ec != std::errc()) return {};
  return withoutNegativeZero(std::string(buffer, result.ptr));
}

}  // namespace

std::string fixedText(double value, int decimals) {
  return charsOf(value, std::chars_format::fixed, decimals);
}

std::string scientificText(double value, int decimals) {
  std::string text = charsOf(value, std::chars_format::scientific, decimals);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

std::string scaledText(int64_t units, int decimals) {
  std::string digits = std::to_string(units < 0 ? -units : units);
  if (decimals > 0) {
    if (digits.size() <= static_cast<size_t>(decimals))
      digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
  }
  return units < 0 ? "-" + digits : digits;
}

QvString widen(const std::string& ascii) {
  return QvString(std::wstring(ascii.begin(), ascii.end()));
}

bool validPrecision(int precision) {
  return precision >= 0 && precision <= 8;
}

double normalised(double value, double period) {
  double r = std::fmod(value, period);
  if (r < 0) r += period;
  // fmod of a tiny negative value plus the period rounds to the period itself.
  if (r >= period) r = 0.0;
  return r == 0.0 ? 0.0 : r;
}

bool Scanner::blanks() {
  const size_t start = pos_;
  while (!atEnd() && (text_[pos_] == L' ' || text_[pos_] == L'\t')) ++pos_;
  return pos_ != start;
}

bool Scanner::accept(wchar_t ch) {
  if (atEnd() || text_[pos_] != ch) return false;
  ++pos_;
  return true;
}

wchar_t Scanner::acceptLetter(std::wstring_view chars) {
  if (atEnd()) return L'\0';
  wchar_t c = text_[pos_];
  if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  if (chars.find(c) == std::wstring_view::npos) return L'\0';
  ++pos_;
  return c;
}

int Scanner::sign() {
  if (accept(L'-')) return -1;
  accept(L'+');
  return 1;
}

bool Scanner::digits(std::string& out) {
  const size_t start = pos_;
  while (!atEnd() && text_[pos_] >= L'0' && text_[pos_] <= L'9')
    out += static_cast<char>(text_[pos_++]);
  return pos_ != start;
}

bool Scanner::number(double& value, bool* whole) {
  const size_t start = pos_;
  std::string ascii;
  const bool intDigits = digits(ascii);
  bool fracDigits = false;
  bool point = false;
  if (accept(L'.')) {
    point = true;
    ascii += '.';
    fracDigits = digits(ascii);
  }
  if (!intDigits && !fracDigits) {
    pos_ = start;
    return false;
  }
  // An exponent only when digits follow it; otherwise the letter belongs to the caller.
  const size_t beforeExponent = pos_;
  if (acceptLetter(L"E")) {
    std::string exponent = "e";
    if (accept(L'-'))
      exponent += '-';
    else
      accept(L'+');
    if (digits(exponent))
      ascii += exponent;
    else
      pos_ = beforeExponent;
  }
  double parsed = 0.0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), parsed);
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() ||
      !std::isfinite(parsed)) {
    pos_ = start;
    return false;
  }
  value = parsed;
  if (whole) *whole = !point && pos_ == beforeExponent;
  return true;
}

bool Scanner::fraction(double& value) {
  const size_t start = pos_;
  std::string top;
  std::string bottom;
  if (!digits(top) || !accept(L'/') || !digits(bottom)) {
    pos_ = start;
    return false;
  }
  double n = 0.0;
  double d = 0.0;
  const bool read =
      std::from_chars(top.data(), top.data() + top.size(), n).ec == std::errc() &&
      std::from_chars(bottom.data(), bottom.data() + bottom.size(), d).ec == std::errc();
  if (!read || d == 0.0 || !std::isfinite(n / d)) {
    pos_ = start;
    return false;
  }
  value = n / d;
  return true;
}

bool Scanner::mixedNumber(double& value) {
  if (fraction(value)) return true;
  double whole = 0.0;
  bool digitsOnly = false;
  if (!number(whole, &digitsOnly)) return false;
  const size_t afterWhole = pos_;
  if (digitsOnly) {
    const bool gap = blanks();
    const bool hyphen = accept(L'-');
    if (hyphen) blanks();
    double part = 0.0;
    if ((gap || hyphen) && fraction(part)) {
      value = whole + part;
      return true;
    }
    pos_ = afterWhole;
  }
  value = whole;
  return true;
}

}  // namespace vexa_units
