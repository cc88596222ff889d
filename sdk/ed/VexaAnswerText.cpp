#include "sdk/ed/VexaAnswerText.h"

#include <cmath>
#include <cwchar>
#include <numbers>

namespace {

bool isDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// True when `s` is, whole, [+-]digits[.digits][(e|E)[+-]digits] with at least one digit in
// the mantissa.
bool isDecimal(const std::wstring& s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == L'.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E')) {
    ++i;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  return i == s.size();
}

}  // namespace

bool VexaAnswerText::toNumber(const QvString& text, double& value) {
  QvString t = text;
  t.trim();
  if (!isDecimal(t.wstr())) return false;
  const double v = std::wcstod(t.c_str(), nullptr);
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

bool VexaAnswerText::toInteger(const QvString& text, int& value) {
  QvString t = text;
  t.trim();
  const std::wstring& s = t.wstr();
  size_t i = (!s.empty() && (s[0] == L'+' || s[0] == L'-')) ? 1 : 0;
  if (i == s.size() || s.size() - i > 6) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (!isDigit(s[k])) return false;
  const long v = std::wcstol(s.c_str(), nullptr, 10);
  if (v < -32768 || v > 32767) return false;
  value = static_cast<int>(v);
  return true;
}

bool VexaAnswerText::toPoint(const QvString& text, std::array<double, 3>& point) {
  std::array<double, 3> p{0, 0, 0};
  int count = 0;
  int start = 0;
  for (;;) {
    const int comma = text.find(L',', start);
    const QvString part = text.mid(start, comma == QvString::kNotFound ? -1 : comma - start);
    if (count == 3 || !toNumber(part, p[count])) return false;
    ++count;
    if (comma == QvString::kNotFound) break;
    start = comma + 1;
  }
  if (count < 2) return false;
  point = p;
  return true;
}

bool VexaAnswerText::toAngle(const QvString& text, double& radians) {
  QvString t = text;
  t.trim();
  double v = 0.0;
  if (t.endsWith(L"r") || t.endsWith(L"R")) {
    if (!toNumber(t.left(t.length() - 1), v)) return false;
    radians = v;
    return true;
  }
  if (!toNumber(t, v)) return false;
  radians = v * std::numbers::pi / 180.0;
  return true;
}
