#include "tests/cmdutil/geometry/GeometryTestSupport.h"

void PrintTo(const QvArray<double>& values, std::ostream* os) {
  *os << "{";
  for (int i = 0; i < values.length(); ++i) *os << (i ? ", " : "") << values[i];
  *os << "}";
}
