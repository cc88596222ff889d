#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sdk/base/QvString.h"

// Pieces shared by the length and angle conversions of VexaUnitsFormatter.
namespace vexa_units {

// Fixed and scientific notation, independent of the locale. A text that rounds to zero loses
// its minus sign.
std::string fixedText(double value, int decimals);
std::string scientificText(double value, int decimals);
// An integer count of 10^-decimals written with that many decimals (1234, 2 -> "12.34").
std::string scaledText(int64_t units, int decimals);

QvString widen(const std::string& ascii);
bool validPrecision(int precision);
// A value in [0, period).
double normalised(double value, double period);

// Reads unit texts from left to right. Every reader either succeeds and moves past what it
// read, or fails and leaves the position where it was.
class Scanner {
 public:
  explicit Scanner(std::wstring_view text) : text_(text) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  wchar_t peek() const { return atEnd() ? L'\0' : text_[pos_]; }
  // Skips blanks and tabs; answers whether there were any.
  bool blanks();
  bool accept(wchar_t ch);
  // One of `chars`, in any case (ASCII letters); its upper-case form, or '\0'.
  wchar_t acceptLetter(std::wstring_view chars);
  // -1 for a '-', +1 for a '+' or nothing.
  int sign();
  // An unsigned decimal or scientific number ("12", "1.5", ".5", "5.", "1.5E+3"); `whole`
  // tells whether it was digits only. Fails on overflow.
  bool number(double& value, bool* whole = nullptr);
  // "n/d" with digits only and d not zero.
  bool fraction(double& value);
  // A number, a fraction, or a whole number followed by a fraction after blanks or a hyphen
  // ("3 1/2", "3-1/2").
  bool mixedNumber(double& value);

  size_t position() const { return pos_; }
  void reset(size_t pos) { pos_ = pos; }

 private:
  bool digits(std::string& out);

  std::wstring_view text_;
  size_t pos_ = 0;
};

}  // namespace vexa_units
