// The start stamp that heads every summary page: a title, then the local date
// and time the run began.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::u16string_view kDiffStampTitle = u"ファイル比較：開始日時：";
inline constexpr std::u16string_view kSearchStampTitle = u"文字列検索：開始日時：";

// title + "yyyy/mm/dd" + two spaces + "hh:nn:ss".
std::u16string FormatStartStamp(std::u16string_view title, const std::tm& time);
// The same for the current local time.
std::u16string StartStamp(std::u16string_view title);

// The local time of `time`; one source file per platform (local_time_*.cpp).
std::tm LocalTime(std::time_t time);

}  // namespace tarnwick
