#pragma once

#include <map>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbHeaderValue.h"

// The header variables of a drawing, by upper-case name without the file format's "$". The
// variables the stand-in knows have a kind, a default and, for numbers, a range; values for
// them are checked. Others (read from a drawing file) are kept as they are given.
class QvDbHeader {
 public:
  // The header of a new drawing: every known variable at its default.
  QvDbHeader();

  // The value, or a value of kind kNone when the variable is not set.
  QvDbHeaderValue get(const QvString& name) const;
  // eInvalidInput for a value of the wrong kind, eOutOfRange for a number outside the
  // variable's range; nothing changes then.
  Vexa::ErrorStatus set(const QvString& name, const QvDbHeaderValue& value);
  bool has(const QvString& name) const;
  // Every variable set, in name order.
  const std::map<QvString, QvDbHeaderValue>& values() const { return values_; }

  // Whether the stand-in knows the variable (and checks its values).
  static bool isKnown(const QvString& name);
  // A finite number of a known numeric variable brought within its range (the nearest end);
  // a value of kind kNone for anything else.
  static QvDbHeaderValue clamped(const QvString& name, const QvDbHeaderValue& value);

 private:
  std::map<QvString, QvDbHeaderValue> values_;
};
