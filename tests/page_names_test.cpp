#include "pages/page_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "classic/summary_table.h"
#include "files/paths.h"
#include "runs_fixture.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;

const std::u16string kSep(1, NativeSeparator());
const std::u16string kOut = kSep + u"out" + kSep;

TEST(PagePaths, NamesFollowTheFirstDotAndTheOutputFolder) {
  EXPECT_EQ(PagePathIn(kOut + u"", u"FORM1.TXT", false), kOut + u"FORM1.html");
  EXPECT_EQ(PagePathIn(kOut + u"", u"X.A.TXT", false), kOut + u"X.html");
  EXPECT_EQ(PagePathIn(kOut + u"", u"Result", true), kOut + u"Result.html");
  EXPECT_EQ(PagePathIn(kOut + u"", u"Result.htm", true), kOut + u"Result.htm");
  EXPECT_EQ(PagePathIn(kOut + u"", u"sub" + kSep + u"Result.html", true), kOut + u"Result.html");
  // The summary page keeps a folder written in the file name.
  EXPECT_EQ(SummaryPagePath(kOut + u"", u"Result"), kOut + u"Result.html");
  EXPECT_EQ(SummaryPagePath(kOut + u"", u"sub" + kSep + u"Result.htm"),
            kOut + u"sub" + kSep + u"Result.htm");
}

TEST(PageNames, ALaterPageNeverTakesANameUsedInTheRun) {
  PageNames names;
  EXPECT_EQ(names.Allocate(kOut + u"Result.html"), kOut + u"Result.html");
  EXPECT_EQ(names.Allocate(kOut + u"X.html"), kOut + u"X.html");
  EXPECT_EQ(names.Allocate(kOut + u"x.HTML"), kOut + u"x_2.HTML");  // ignoring case
  EXPECT_EQ(names.Allocate(kOut + u"X.html"), kOut + u"X_3.html");
  EXPECT_EQ(names.Allocate(kOut + u"RESULT.html"), kOut + u"RESULT_2.html");
  EXPECT_EQ(names.Allocate(kOut + u"X_2.html"), kOut + u"X_2_2.html");  // taken by x_2.HTML
  EXPECT_EQ(names.Allocate(kOut + u"R"), kOut + u"R");
  EXPECT_EQ(names.Allocate(kOut + u"R"), kOut + u"R_2");
  EXPECT_EQ(names.Allocate(kOut + u"a.b.html"), kOut + u"a.b.html");
  EXPECT_EQ(names.Allocate(kOut + u"A.B.html"), kOut + u"A_2.B.html");
}

TEST(PageNames, AnInputReportIsRecognisedHoweverItIsSpelled) {
  ScratchFolder scratch;
  const std::u16string report = scratch.Write(u"src", u"FORM1.html", "report");
  scratch.Folder(u"out");
  const std::u16string other = scratch.Folder(u"out") + u"FORM1.html";
  const std::u16string roundabout =
      scratch.Folder(u"out") + u".." + kSep + u"src" + kSep + u"FORM1.html";

  EXPECT_EQ(PageOverwritingInput({other, roundabout}, {report}), roundabout);
  EXPECT_FALSE(PageOverwritingInput({other}, {report}).has_value());
  EXPECT_FALSE(PageOverwritingInput({report}, {}).has_value());
}

TEST(LinkTargets, EscapeMarkupAndUrlCharacters) {
  EXPECT_EQ(EscapeLinkTarget(kOut + u"plain name.html"), kOut + u"plain name.html");
  EXPECT_EQ(EscapeLinkTarget(u"/o&u\"t<1>/a#b%20.html"),
            u"/o&amp;u&quot;t&lt;1&gt;/a%23b%2520.html");
  // What the page's code page cannot hold goes as UTF-8; what it holds stays.
  EXPECT_EQ(EscapeLinkTarget(u"/出力/A?B/CAFÉ①\U0001F600.html"),
            u"/出力/A%3FB/CAF%C3%89①%F0%9F%98%80.html");
  EXPECT_EQ(EscapeLinkTarget(u"/x/\uFFFD.html"), u"/x/%EF%BF%BD.html");
}

}  // namespace
}  // namespace tarnwick
