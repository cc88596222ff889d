#include "sdk/win/CTime.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedEnv.h"

namespace {

// Local time follows TZ; each test fixes it and puts it back.
class CTimeInZone : public ::testing::Test {
 protected:
  void use(const char* zone) {
    zone_.reset();
    zone_ = std::make_unique<ScopedEnv>("TZ", zone);
    tzset();
  }
  void TearDown() override {
    zone_.reset();
    tzset();
  }

 private:
  std::unique_ptr<ScopedEnv> zone_;
};

TEST_F(CTimeInZone, CalendarPartsAreLocalTime) {
  use("UTC0");
  const CTime epochPlus(86400 + 3600 + 61);  // 1970-01-02 01:01:01 UTC
  EXPECT_EQ(epochPlus.GetYear(), 1970);
  EXPECT_EQ(epochPlus.GetMonth(), 1);
  EXPECT_EQ(epochPlus.GetDay(), 2);
  EXPECT_EQ(epochPlus.GetHour(), 1);
  EXPECT_EQ(epochPlus.GetMinute(), 1);
  EXPECT_EQ(epochPlus.GetSecond(), 1);
  EXPECT_EQ(epochPlus.GetDayOfWeek(), 6);  // a Friday
  use("EST5");
  EXPECT_EQ(epochPlus.GetDay(), 1);
  EXPECT_EQ(epochPlus.GetHour(), 20);
  EXPECT_EQ(epochPlus.Format(L"%Y-%m-%d %H:%M:%S"), L"1970-01-01 20:01:01");
}

TEST_F(CTimeInZone, LocalCalendarValuesRoundTrip) {
  use("CET-1CEST,M3.5.0,M10.5.0/3");
  const CTime summer(2024, 7, 15, 14, 30, 5);
  EXPECT_EQ(summer.GetYear(), 2024);
  EXPECT_EQ(summer.GetMonth(), 7);
  EXPECT_EQ(summer.GetHour(), 14);
  EXPECT_EQ(summer.GetTime(), 1721046605);  // 12:30:05 UTC
  const CTime later(2024, 7, 15, 15, 30, 5);
  EXPECT_EQ(later - summer, 3600);
  EXPECT_TRUE(summer < later);
  EXPECT_EQ(CTime(summer.GetTime()), summer);
  EXPECT_TRUE(summer.Format(L"").IsEmpty());
  EXPECT_GE(CTime::GetCurrentTime().GetYear(), 2024);
}

}  // namespace
