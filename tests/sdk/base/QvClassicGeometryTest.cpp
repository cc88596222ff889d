#include <gtest/gtest.h>

#include "sdk/base/QvClassicGeometry.h"
#include "sdk/base/QvInvalidParameter.h"

namespace {

int gReports = 0;
void countReport(const char*, const char*) {
  ++gReports;
}

TEST(QvClassicGeometry, DistanceAndInvalidParameterReports) {
  const double p[3] = {1, 2, 3}, q[3] = {4, 6, 15};
  EXPECT_DOUBLE_EQ(qvutDistance(p, q), 13.0);
  EXPECT_DOUBLE_EQ(qvutDistance(q, q), 0.0);
  gReports = 0;
  const QvInvalidParameterHandler previous = qvSetInvalidParameterHandler(countReport);
  EXPECT_EQ(qvutDistance(nullptr, q), 0.0);
  qvReportInvalidParameter("f", "x");
  EXPECT_EQ(gReports, 2);
  // Null restores the default handler, which returns after printing.
  EXPECT_EQ(qvSetInvalidParameterHandler(nullptr), countReport);
  qvReportInvalidParameter("f", "x");
  EXPECT_EQ(gReports, 2);
  qvSetInvalidParameterHandler(previous);
}

}  // namespace
