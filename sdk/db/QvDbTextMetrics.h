#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"

// The font metric of the stand-in, the same for every text style: each character (UTF-16
// code unit) advances 0.6 x height x width factor; characters stand on the baseline and rise
// to the height, with no descent; the lines of a multi-line text are 5/3 x height x the line
// spacing factor apart, baseline to baseline. Multi-line contents break at "\P" and, in a
// box of positive width, between words where a line would grow wider than the box.
class QvDbTextMetrics {
 public:
  static constexpr double kAdvance = 0.6;
  static constexpr double kLineSpacing = 5.0 / 3.0;

  static double width(const QvString& text, double height, double widthFactor = 1.0);
  // The lines of multi-line contents.
  static QvArray<QvString> lines(const QvString& contents, double height, double boxWidth);
  // The plain text of multi-line contents: line breaks as "\r\n" and "\\" as "\".
  static QvString plainText(const QvString& contents);
};
