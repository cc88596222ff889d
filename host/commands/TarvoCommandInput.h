#pragma once

#include <optional>

#include "sdk/base/QvString.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

// The questions the drawing commands ask, in world coordinates: points are typed in the
// current UCS and come back as world points. Each answer is one of:
struct TarvoAnswer {
  enum class Kind { kValue, kKeyword, kEnter, kCancel };
  Kind kind = Kind::kCancel;
  QvGePoint3d point;  // kValue of a point question: the world point
  QvString keyword;   // kKeyword: the keyword's global form

  bool is(const wchar_t* name) const { return kind == Kind::kKeyword && keyword == name; }
};

namespace TarvoCommandInput {

// A point, or one of `keywords` (a qvedInitGet list, may be null). With `from` (a world point)
// the question is measured from it. Enter is answered as kEnter unless `required`.
TarvoAnswer point(const wchar_t* prompt, const QvGePoint3d* from = nullptr,
                  const wchar_t* keywords = nullptr, bool required = false);

// A positive distance from `from` (a world point), typed or to a point (kValue, in `value`);
// or a keyword.
TarvoAnswer distance(const wchar_t* prompt, const QvGePoint3d& from, double& value,
                     const wchar_t* keywords = nullptr);

// A text (blanks allowed or not); kValue with the text in `value`, kEnter, or kCancel.
TarvoAnswer text(const wchar_t* prompt, bool spacesAllowed, QvString& value);

// A whole number within [low, high] (asked again otherwise); Enter takes `byDefault`.
// Nothing when cancelled.
std::optional<int> integer(const wchar_t* prompt, int low, int high, int byDefault);

// A number greater than zero (asked again otherwise); Enter takes `byDefault`. Nothing when
// cancelled.
std::optional<double> positive(const wchar_t* prompt, double byDefault);

// An angle (qvedGetAngle, radians); Enter takes `byDefault`. Nothing when cancelled.
std::optional<double> angle(const wchar_t* prompt, double byDefault);

// A point in the current UCS as typed (not carried to world), for requests that take UCS
// points.
QvGePoint3d toUcs(const QvGePoint3d& world);

// Yes or No with a default; nothing when cancelled.
std::optional<bool> yesNo(const wchar_t* prompt, bool byDefault);

// The normal of the current UCS's XY plane, and its X axis (world, unit).
QvGeVector3d ucsNormal();
QvGeVector3d ucsXAxis();

// A message on the command line.
void say(const QvString& text);

}  // namespace TarvoCommandInput
