#include "app/start_stamp.h"

#include <gtest/gtest.h>

#include "messages/page_words.h"

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
  const PageWords& ja = JapanesePageWords();
  EXPECT_EQ(FormatStartStamp(ja.diffStampTitle, time),
            u"ファイル比較：開始日時：2008/05/01  04:03:09");
  EXPECT_EQ(FormatStartStamp(ja.searchStampTitle, time),
            u"文字列検索：開始日時：2008/05/01  04:03:09");
  EXPECT_EQ(FormatStartStamp(EnglishPageWords().diffStampTitle, time),
            u"File comparison started: 2008/05/01  04:03:09");
  EXPECT_EQ(StartStamp(ja.diffStampTitle).size(), ja.diffStampTitle.size() + 20);
}

}  // namespace
}  // namespace tarnwick
