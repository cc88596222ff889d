#include "xqcmdutil/XqDistance.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "xqcmdutil/XqStrings.h"

namespace {

constexpr double kLargest = 1.2345678e304;
constexpr double kSmallest = 1.2345678e-304;
constexpr double kZero = 1e-10;

bool isDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// The value of a decimal text of ASCII digits, '.', 'e' and signs, correctly rounded and the
// same in every locale. Beyond the range of a double it is infinite, below it zero, and
// `outOfRange` is set.
double decimalValue(const std::string& text, bool& outOfRange) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    outOfRange = true;
    const size_t e = text.find('e');
    const bool tiny = e != std::string::npos && e + 1 < text.size() && text[e + 1] == '-';
    return tiny ? 0.0 : std::numeric_limits<double>::infinity();
  }
  return value;
}

int inRange(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude <= kLargest)) return kQvRejected;  // also infinity
  if (magnitude < kSmallest && magnitude != 0.0) return kQvRejected;
  return kQvNormal;
}

// A cursor over the text being read.
class Reader {
 public:
  explicit Reader(std::wstring_view text) : text_(text) {}
  bool atEnd() const { return pos_ >= text_.size(); }
  wchar_t peek() const { return atEnd() ? L'\0' : text_[pos_]; }
  void skip() { ++pos_; }
  bool take(wchar_t c) {
    if (peek() != c || atEnd()) return false;
    ++pos_;
    return true;
  }
  // A run of digits, as ASCII (empty when none).
  std::string digits() {
    std::string out;
    while (!atEnd() && isDigit(text_[pos_])) out += static_cast<char>(text_[pos_++]);
    return out;
  }
  // The end, or a quotation mark that ends the text.
  bool takeEnd() { return atEnd() || (peek() == L'"' && pos_ + 1 == text_.size()); }
  // The value of whole and fraction digits (either may be empty).
  double number(const std::string& whole, const std::string& fraction = {}) {
    if (whole.empty() && fraction.empty()) return 0.0;
    return decimalValue((whole.empty() ? "0" : whole) + (fraction.empty() ? "" : "." + fraction),
                        outOfRange);
  }
  // Whether a number read was beyond the range of a double.
  bool outOfRange = false;

 private:
  std::wstring_view text_;
  size_t pos_ = 0;
};

// [digits] ['.' digits] [('E'|'e') ['+'|'-'] digits]
int readScientific(std::wstring_view text, double& value) {
  Reader in(text);
  if (!isDigit(in.peek()) && in.peek() != L'.') return kQvError;
  if (text == L".") return kQvError;
  const std::string whole = in.digits();
  std::string fraction;
  if (in.take(L'.')) fraction = in.digits();
  std::string exponent;
  if (!in.atEnd() && (in.peek() == L'e' || in.peek() == L'E')) {
    in.skip();
    if (in.peek() == L'+' || in.peek() == L'-') {
      if (in.peek() == L'-') exponent = "-";
      in.skip();
    }
    exponent += in.digits();
    if (!in.atEnd()) return kQvRejected;
  } else if (!in.atEnd()) {
    return kQvError;
  }
  std::string decimal = (whole.empty() ? "0" : whole) + "." + (fraction.empty() ? "0" : fraction);
  if (!exponent.empty() && exponent != "-") decimal += "e" + exponent;
  bool outOfRange = false;
  value = decimalValue(decimal, outOfRange);
  return outOfRange ? kQvRejected : inRange(value);
}

// numerator digits '/' denominator digits, then the end: n / d into `value`.
int readFraction(Reader& in, const std::string& numerator, double& value) {
  const std::string denominator = in.digits();
  if (denominator.empty()) return kQvError;
  const double d = in.number(denominator);
  if (std::fabs(d) < kZero) return kQvError;
  if (!in.takeEnd()) return kQvError;
  value = in.number(numerator) / d;
  return kQvNormal;
}

// After whole inches and a '-' or blank: "n/d" and the end.
int readWholeAndFraction(Reader& in, double& value) {
  const std::string numerator = in.digits();
  if (numerator.empty() || !in.take(L'/')) return kQvError;
  return readFraction(in, numerator, value);
}

// Inches after the feet mark.
int readInches(Reader& in, double& inches) {
  if (in.peek() == L'-' || in.peek() == L' ') in.skip();
  if (!isDigit(in.peek())) return kQvError;
  const std::string whole = in.digits();
  if (in.takeEnd()) {
    inches = in.number(whole);
    return kQvNormal;
  }
  if (in.take(L'.')) {
    const std::string fraction = in.digits();
    if (!in.takeEnd()) return kQvError;
    inches = in.number(whole, fraction);
    return kQvNormal;
  }
  if (in.peek() == L'-' || in.peek() == L' ') {
    in.skip();
    double part = 0.0;
    const int status = readWholeAndFraction(in, part);
    inches = in.number(whole) + part;
    return status;
  }
  if (in.take(L'/')) return readFraction(in, whole, inches);
  return kQvError;
}

int readFeetAndInches(std::wstring_view text, double& value) {
  Reader in(text);
  if (!isDigit(in.peek()) && in.peek() != L'.') return kQvError;
  const std::string first = in.digits();
  double result = 0.0;
  int status = kQvError;
  if (in.take(L'\'')) {
    const double feet = in.number(first) * 12.0;
    double inches = 0.0;
    status = in.atEnd() ? kQvNormal : readInches(in, inches);
    result = feet + inches;
  } else if (in.peek() == L'-' || in.peek() == L' ') {
    in.skip();
    double part = 0.0;
    status = readWholeAndFraction(in, part);
    result = in.number(first) + part;
  } else if (in.take(L'/')) {
    status = readFraction(in, first, result);
  } else if (in.take(L'.')) {
    const std::string fraction = in.digits();
    result = in.number(first, fraction);
    if (in.takeEnd()) {
      status = kQvNormal;
    } else if (in.take(L'\'') && in.atEnd()) {
      result *= 12.0;
      status = kQvNormal;
    }
  } else if (in.takeEnd()) {
    result = in.number(first);
    status = kQvNormal;
  }
  if (status != kQvNormal) return status;
  value = result;
  return in.outOfRange ? kQvRejected : inRange(result);
}

}  // namespace

int vexaConvertStringToDistance(const wchar_t* text, double* value, int unitMode,
                                bool allowScaleSuffix) {
  if (!text || !value) return kQvError;
  std::vector<wchar_t> buffer(text, text + std::wcslen(text) + 1);
  trimWhiteSpace(buffer.data(), L"b");
  trimWhiteSpace(buffer.data(), L"e");
  if (unitMode < 0) {
    QvDbHostApplicationServices* services = qvdbHostApplicationServices();
    if (!services || !services->workingDatabase()) return kQvError;
  }
  std::wstring_view s(buffer.data());
  bool negative = false;
  if (!s.empty() && (s[0] == L'-' || s[0] == L'+')) {
    negative = s[0] == L'-';
    s.remove_prefix(1);
  }
  if (allowScaleSuffix) s = s.substr(0, s.find_first_of(L"Xx"));

  double parsed = std::numeric_limits<double>::quiet_NaN();  // stays NaN when nothing was read
  int status = kQvError;
  if (s.find_first_of(L"Ee") != std::wstring_view::npos)
    status = readScientific(s, parsed);
  else if (s.find_first_of(L"'- /\"") != std::wstring_view::npos)
    status = readFeetAndInches(s, parsed);
  else
    status = readScientific(s, parsed);
  if (std::isnan(parsed)) return status;
  *value = (negative && parsed != 0.0) ? -parsed : parsed;
  return status;
}
