#include "pages/page_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "runs_fixture.h"
#include "base/error.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

TEST(PageFile, ThreeLinesInCodePage932WithCrLf) {
  EXPECT_EQ(PageBytes(kComparisonPageHead, u"<tr><td>～①ｱ</td></tr>\r\n"),
            "<HTML><TABLE>\r\n<tr><td>\x81\x60\x87\x40\xb1</td></tr>\r\n\r\n</TABLE></HTML>\r\n");
  // An empty table body still gives its own (empty) line.
  EXPECT_EQ(PageBytes(kComparisonPageHead, u""), "<HTML><TABLE>\r\n\r\n</TABLE></HTML>\r\n");
}

TEST(PageFile, WritingReplacesAnOlderPage) {
  ScratchFolder scratch;
  const std::u16string path = scratch.Write(u"", u"p.html", std::string(1000, 'x'));
  WritePage(path, kComparisonPageHead, u"");
  EXPECT_EQ(ScratchFolder::Read(path), "<HTML><TABLE>\r\n\r\n</TABLE></HTML>\r\n");
  EXPECT_THROW(WritePage(scratch.Folder() + u"no/such/folder.html", kComparisonPageHead, u""),
               Error);
}

}  // namespace
}  // namespace tarnwick
