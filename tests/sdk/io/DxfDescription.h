#pragma once

#include <gtest/gtest.h>

#include <string>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbDatabase;

// What a drawing holds, as JSON in the form tests/data/dxf/ezdxf_probe.py describes a DXF
// file: layers (colour, off, frozen, locked, linetype), linetype and application names, and
// for every block record the entities in order (type, handle, layer, extended data, and for
// block references their block and attributes).
std::string describeAsJson(QvDbDatabase& db);

// Two descriptions alike: the same text but for numbers, which may differ by 1e-9 relatively
// (points given in an object coordinate system come back within a few units of the last place).
::testing::AssertionResult sameDescription(const std::string& a, const std::string& b);

// Pieces of those descriptions: numbers as the drawing files write them (so equal texts are
// equal numbers), points and vectors as arrays of three, texts quoted and escaped.
namespace json {
std::string real(double value);
std::string point(const QvGePoint3d& p);
std::string point(const QvGeVector3d& v);
std::string text(const std::string& utf8);
std::string text(const QvString& text);
// A result buffer as [code,value], a name as the handle of its object, binary data in hex.
std::string item(const resbuf& rb);
// A list of them, in order.
std::string list(const resbuf* rb);
// The items of `range`, each as `write` writes it, as an array.
template <class Range, class Write>
std::string array(const Range& range, Write write) {
  std::string out;
  for (const auto& x : range) out += (out.empty() ? "" : ",") + write(x);
  return "[" + out + "]";
}
inline std::string points(const QvGePoint3dArray& list) {
  return array(list, [](const QvGePoint3d& p) { return point(p); });
}
// Points of a plane as arrays of two.
inline std::string points(const QvGePoint2dArray& list) {
  return array(list, [](const QvGePoint2d& p) { return "[" + real(p.x) + "," + real(p.y) + "]"; });
}
}  // namespace json
