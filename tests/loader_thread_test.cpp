#include "app/loader_thread.h"

#include <gtest/gtest.h>

#include <thread>

#include "base/error.h"
#include "report/report_parser.h"
#include "report/tree_json.h"
#include "runs_fixture.h"
#include "sample_reports.h"

namespace tarnwick {
namespace {

using testing::ScratchFolder;
using testing::SmallReport;

TEST(LoaderThread, LoadsInOrderAndKeepsAFailureForItsTurn) {
  ScratchFolder scratch;
  const std::u16string a = scratch.WriteText(u"", u"a.txt", SmallReport(u"A", u"1"));
  const std::u16string b = scratch.WriteText(u"", u"b.txt", SmallReport(u"B", u"2"));
  const std::u16string missing = scratch.Folder() + u"missing.txt";
  LoaderThread loader;
  std::future<LoadedReport> first = loader.Load(FilePathOf(a));
  std::future<LoadedReport> failed = loader.Load(FilePathOf(missing));
  std::future<LoadedReport> last = loader.Load(FilePathOf(b));

  // Each report's tree, as parsed from its text.
  auto parsed = [](std::u16string_view text) {
    CollectionPtr tree = ParseReport(text);
    return TreeToJson(tree);
  };
  std::u16string stage;
  EXPECT_EQ(TreeToJson(first.get().Take(stage)), parsed(SmallReport(u"A", u"1")));
  EXPECT_THROW(failed.get().Take(stage), Error);
  EXPECT_EQ(stage, u"ファイル文章[" + missing + u"]の読み込み中に、");
  EXPECT_EQ(TreeToJson(last.get().Take(stage)), parsed(SmallReport(u"B", u"2")));
}

TEST(LoaderThread, FreesAHandedBackTreeOnItsOwnThreadBeforeItStops) {
  std::thread::id freedOn;
  {
    LoaderThread loader;
    CollectionPtr tree(new Collection, [&freedOn](Collection* collection) {
      freedOn = std::this_thread::get_id();
      delete collection;
    });
    loader.Discard(std::move(tree));
  }
  EXPECT_NE(freedOn, std::thread::id());
  EXPECT_NE(freedOn, std::this_thread::get_id());
}

}  // namespace
}  // namespace tarnwick
