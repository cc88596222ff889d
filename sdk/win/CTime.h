#pragma once

#include <ctime>

#include "sdk/win/CString.h"

// A point in time with a resolution of one second, as the class library keeps it: seconds
// since 1970-01-01 00:00 UTC. The calendar parts are read in local time.
class CTime {
 public:
  CTime() = default;
  explicit CTime(std::time_t seconds) : time_(seconds) {}
  // From local calendar values (month 1-12, day 1-31); daylight saving as the system decides.
  CTime(int year, int month, int day, int hour, int minute, int second);

  static CTime GetCurrentTime();

  std::time_t GetTime() const { return time_; }
  int GetYear() const { return local().tm_year + 1900; }
  int GetMonth() const { return local().tm_mon + 1; }
  int GetDay() const { return local().tm_mday; }
  int GetHour() const { return local().tm_hour; }
  int GetMinute() const { return local().tm_min; }
  int GetSecond() const { return local().tm_sec; }
  int GetDayOfWeek() const { return local().tm_wday + 1; }  // 1 = Sunday
  // The local time written with strftime's conversions ("%Y-%m-%d %H:%M").
  CString Format(const wchar_t* format) const;

  friend bool operator==(const CTime& a, const CTime& b) { return a.time_ == b.time_; }
  friend bool operator<(const CTime& a, const CTime& b) { return a.time_ < b.time_; }
  friend std::time_t operator-(const CTime& a, const CTime& b) { return a.time_ - b.time_; }

 private:
  std::tm local() const;

  std::time_t time_ = 0;
};
