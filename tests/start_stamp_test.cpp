#include "app/start_stamp.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(StartStamp, DateTwoBlanksAndTimeAllZeroPadded) {
  std::tm time{};
  time.tm_year = 2008 - 1900;
  time.tm_mon = 4;
  time.tm_mday = 1;
  time.tm_hour = 4;
  time.tm_min = 3;
  time.tm_sec = 9;
  EXPECT_EQ(FormatStartStamp(kDiffStampTitle, time),
            u"ファイル比較：開始日時：2008/05/01  04:03:09");
  EXPECT_EQ(FormatStartStamp(kSearchStampTitle, time),
            u"文字列検索：開始日時：2008/05/01  04:03:09");
  EXPECT_EQ(StartStamp(kDiffStampTitle).size(), kDiffStampTitle.size() + 20);
}

}  // namespace
}  // namespace tarnwick
