#include "app/run_guard.h"

#include <cstdio>
#include <new>

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {

std::u16string FormatStartStamp(std::u16string_view title, const std::tm& time) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d  %02d:%02d:%02d", time.tm_year + 1900,
                time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
  return std::u16string(title) + FromUtf8(buffer);
}

std::u16string StartStamp(std::u16string_view title) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return FormatStartStamp(title, local);
}

std::u16string RunErrorMessage(std::u16string_view stage, std::u16string_view description,
                               bool lineBreak) {
  std::u16string message(stage);
  message += kErrorWords;
  if (lineBreak) message += u"\r\n";
  message += description;
  return message;
}

std::u16string ErrorDescription(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) return own->Description();
  if (dynamic_cast<const std::bad_alloc*>(&error)) return u"メモリが不足しています。";
  return FromUtf8(error.what());
}

}  // namespace tarnwick
