#include "pages/page_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "classic/summary_table.h"
#include "files/file_io.h"
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

// The length of the last name of `path` in its native spelling.
std::size_t NativeNameLength(const std::u16string& path) {
  return NativePath(path).filename().native().size();
}

TEST(PageNames, ANameTooLongForAFileIsCutBeforeAHashOfTheWhole) {
  PageNames names;
  const std::u16string a300(300, u'A');
  // 241 letters, "~", the hash, ".html": 255 units.
  const std::u16string cut = kOut + std::u16string(241, u'A') + u"~F41F9E41.html";
  EXPECT_EQ(names.AllocateShortened(kOut + a300 + u".html"), cut);
  // The same long name again, and one differing only past the cut, stay apart.
  EXPECT_EQ(names.AllocateShortened(kOut + a300 + u".html"),
            kOut + std::u16string(239, u'A') + u"~F41F9E41_2.html");
  EXPECT_EQ(names.AllocateShortened(kOut + std::u16string(299, u'A') + u"B.html"),
            kOut + std::u16string(241, u'A') + u"~F11F9988.html");
  // The same name in a new run gets the same page.
  EXPECT_EQ(PageNames().AllocateShortened(kOut + a300 + u".html"), cut);
  // Only a name that does not fit is touched: 250 letters and ".html" fit.
  const std::u16string fits = kOut + std::u16string(250, u'A') + u".html";
  EXPECT_EQ(names.AllocateShortened(fits), fits);
  // ... until its collision suffix pushes it over.
  EXPECT_EQ(NativeNameLength(names.AllocateShortened(fits)), 255u);
  // Characters of several bytes are cut whole, a surrogate pair included.
  for (const std::u16string unit : {u"帳", u"\U0002000B"}) {
    std::u16string name;
    while (name.size() < 300) name += unit;
    const std::u16string page = names.AllocateShortened(kOut + name + u".html");
    EXPECT_LE(NativeNameLength(page), 255u);
    EXPECT_TRUE(page.starts_with(kOut + unit + unit));
    EXPECT_EQ(PathText(NativePath(page)), page);  // no half character left
  }
  // A summary page keeps the name it was given.
  EXPECT_EQ(names.Allocate(kOut + a300 + u".html"), kOut + a300 + u".html");
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
