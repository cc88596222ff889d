#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbHeaderValue.h"

// The header variables of a drawing, by upper-case name without the file format's "$". The
// variables the stand-in knows have a kind, a default and, for numbers, a range; values for
// them are checked. Others (read from a drawing file) are kept as they are given.
class QvDbHeader {
 public:
  // The header of a new drawing: every known variable at its default.
  QvDbHeader();
  // A copy, or a header moved from, keeps no place of the original (see find).
  QvDbHeader(const QvDbHeader& other);
  QvDbHeader(QvDbHeader&& other) noexcept;
  QvDbHeader& operator=(const QvDbHeader& other);
  QvDbHeader& operator=(QvDbHeader&& other) noexcept;
  ~QvDbHeader() = default;

  // The value, or a value of kind kNone when the variable is not set.
  QvDbHeaderValue get(const QvString& name) const;
  // Where the header keeps the value: null when the variable is not set. The place holds the
  // variable's later values too, for as long as placesRevision() stays the same.
  const QvDbHeaderValue* find(const QvString& name) const;
  // Renewed when a variable is added and when the header is assigned, copied or moved; no two
  // headers of the process ever share one.
  std::uint64_t placesRevision() const { return placesRevision_; }
  // eInvalidInput for a value of the wrong kind, eOutOfRange for a number outside the
  // variable's range; nothing changes then.
  Vexa::ErrorStatus set(const QvString& name, const QvDbHeaderValue& value);
  bool has(const QvString& name) const;
  // The names of every variable set, in name order.
  std::vector<QvString> names() const;

  // Whether the stand-in knows the variable (and checks its values).
  static bool isKnown(const QvString& name);
  // A finite number of a known numeric variable brought within its range (the nearest end);
  // a value of kind kNone for anything else.
  static QvDbHeaderValue clamped(const QvString& name, const QvDbHeaderValue& value);

 private:
  struct NameHash {
    size_t operator()(const QvString& name) const { return qvNameHash(name.wstr()); }
  };

  std::unordered_map<QvString, QvDbHeaderValue, NameHash> values_;
  std::uint64_t placesRevision_;
};

// Where a header keeps one variable, looked up again only when the header's places change:
// for variables read at every step of a command.
class QvDbHeaderPlace {
 public:
  explicit QvDbHeaderPlace(const wchar_t* name) : name_(name) {}
  // The variable's value in `header`, or null when it is not set.
  const QvDbHeaderValue* in(const QvDbHeader& header) {
    if (revision_ != header.placesRevision()) {
      place_ = header.find(name_);
      revision_ = header.placesRevision();
    }
    return place_;
  }

 private:
  QvString name_;
  const QvDbHeaderValue* place_ = nullptr;
  std::uint64_t revision_ = 0;  // no header has revision 0
};
