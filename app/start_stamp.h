// The start stamp that heads every summary page: a title (the pages' words,
// messages/page_words.h), then the local date and time the run began.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tarnwick {

// title + "yyyy/mm/dd" + two spaces + "hh:nn:ss".
std::u16string FormatStartStamp(std::u16string_view title, const std::tm& time);
// The same for the current local time.
std::u16string StartStamp(std::u16string_view title);

// The local time of `time`; one source file per platform (local_time_*.cpp).
std::tm LocalTime(std::time_t time);

}  // namespace tarnwick
