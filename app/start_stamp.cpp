#include "app/start_stamp.h"

#include <cstdio>

#include "text/utf8.h"

namespace tarnwick {

std::u16string FormatStartStamp(std::u16string_view title, const std::tm& time) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d  %02d:%02d:%02d", time.tm_year + 1900,
                time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
  return std::u16string(title) + FromUtf8(buffer);
}

std::u16string StartStamp(std::u16string_view title) {
  return FormatStartStamp(title, LocalTime(std::time(nullptr)));
}

}  // namespace tarnwick
