#include "pages/page_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

TEST(PagePaths, NamesFollowTheFirstDotAndTheOutputFolder) {
  EXPECT_EQ(PagePathIn(u"/out/", u"FORM1.TXT", false), u"/out/FORM1.html");
  EXPECT_EQ(PagePathIn(u"/out/", u"X.A.TXT", false), u"/out/X.html");
  EXPECT_EQ(PagePathIn(u"/out/", u"Result", true), u"/out/Result.html");
  EXPECT_EQ(PagePathIn(u"/out/", u"Result.htm", true), u"/out/Result.htm");
  EXPECT_EQ(PagePathIn(u"/out/", u"sub/Result.html", true), u"/out/Result.html");
  // The summary page keeps a folder written in the file name.
  EXPECT_EQ(SummaryPagePath(u"/out/", u"Result"), u"/out/Result.html");
  EXPECT_EQ(SummaryPagePath(u"/out/", u"sub/Result.htm"), u"/out/sub/Result.htm");
}

TEST(PageNames, ALaterPageNeverTakesANameUsedInTheRun) {
  PageNames names;
  EXPECT_EQ(names.Allocate(u"/out/Result.html"), u"/out/Result.html");
  EXPECT_EQ(names.Allocate(u"/out/X.html"), u"/out/X.html");
  EXPECT_EQ(names.Allocate(u"/out/x.HTML"), u"/out/x_2.HTML");  // ignoring case
  EXPECT_EQ(names.Allocate(u"/out/X.html"), u"/out/X_3.html");
  EXPECT_EQ(names.Allocate(u"/out/RESULT.html"), u"/out/RESULT_2.html");
  EXPECT_EQ(names.Allocate(u"/out/X_2.html"), u"/out/X_2_2.html");  // taken by x_2.HTML
  EXPECT_EQ(names.Allocate(u"/out/R"), u"/out/R");
  EXPECT_EQ(names.Allocate(u"/out/R"), u"/out/R_2");
  EXPECT_EQ(names.Allocate(u"/out/a.b.html"), u"/out/a.b.html");
  EXPECT_EQ(names.Allocate(u"/out/A.B.html"), u"/out/A_2.B.html");
}

TEST(PageNames, AnInputReportIsRecognisedHoweverItIsSpelled) {
  ScratchFolder scratch;
  const std::u16string report = scratch.Write(u"src", u"FORM1.html", "report");
  scratch.Folder(u"out");
  std::filesystem::create_symlink(NativePath(report),
                                  NativePath(scratch.Folder(u"out") + u"LINK.html"));
  const std::u16string other = scratch.Folder(u"out") + u"FORM1.html";

  EXPECT_EQ(PageOverwritingInput({other, scratch.Folder(u"out") + u"../src/FORM1.html"}, {report}),
            scratch.Folder(u"out") + u"../src/FORM1.html");
  EXPECT_EQ(PageOverwritingInput({scratch.Folder(u"out") + u"LINK.html"}, {report}),
            scratch.Folder(u"out") + u"LINK.html");
  EXPECT_FALSE(PageOverwritingInput({other}, {report}).has_value());
  EXPECT_FALSE(PageOverwritingInput({report}, {}).has_value());
}

TEST(LinkTargets, EscapeMarkupAndUrlCharacters) {
  EXPECT_EQ(EscapeLinkTarget(u"/out/plain name.html"), u"/out/plain name.html");
  EXPECT_EQ(EscapeLinkTarget(u"/o&u\"t<1>/a#b%20.html"),
            u"/o&amp;u&quot;t&lt;1&gt;/a%23b%2520.html");
}

}  // namespace
}  // namespace tarnwick
