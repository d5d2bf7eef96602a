// Seconds since 1970 of a local date and time, as the client's calendar rules
// read them (daylight saving decided by the system).
#pragma once

#include <cstdint>
#include <ctime>

namespace ddz::test {

inline std::int64_t LocalTime(int year, int month, int day, int hour, int minute = 0, int second = 0) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&local));
}

}  // namespace ddz::test
