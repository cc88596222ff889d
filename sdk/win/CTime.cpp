#include "sdk/win/CTime.h"

#include <cwchar>

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;
  time_ = std::mktime(&parts);
}

CTime CTime::GetCurrentTime() {
  return CTime(std::time(nullptr));
}

std::tm CTime::local() const {
  std::tm parts{};
  localtime_r(&time_, &parts);
  return parts;
}

CString CTime::Format(const wchar_t* format) const {
  if (!format || !*format) return CString();
  const std::tm parts = local();
  wchar_t buffer[256];
  const size_t written = std::wcsftime(buffer, sizeof buffer / sizeof buffer[0], format, &parts);
  return CString(buffer, static_cast<int>(written));
}
