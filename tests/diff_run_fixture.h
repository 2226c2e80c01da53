// A folder comparison set up in a scratch folder: reports go in v1/ and v2/,
// pages come out in out/, the summary is Result.html.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/runs.h"
#include "fake_window.h"
#include "files/paths.h"
#include "report/report_parser.h"
#include "runs_fixture.h"
#include "table_text.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick::testing {

// Settings for a folder comparison of v1/*.txt with v2/*.txt into out/Result.html.
inline Settings FolderComparisonIn(ScratchFolder& scratch) {
  Settings settings = BaseDefaults();
  settings.SRC_PATH1 = scratch.Folder(u"v1");
  settings.SRC_PATH2 = scratch.Folder(u"v2");
  settings.SRC_FILE1 = settings.SRC_FILE2 = u"*.txt";
  settings.OUTPUT_PATH = scratch.Folder(u"out");
  settings.OUTPUT_FILE = u"Result";
  return settings;
}

class DiffRun : public ::testing::Test {
 protected:
  DiffRun() : settings(FolderComparisonIn(scratch)) {}

  std::u16string Out(std::u16string_view name) const {
    return settings.OUTPUT_PATH + std::u16string(name);
  }

  // The summary page as text, its start stamp checked and replaced by
  // "STAMP", and the time of a cancel, when it says one, by "CANCELLED".
  std::u16string Summary(std::u16string_view name = u"Result.html") const {
    std::u16string text = ScratchFolder::ReadText(Out(name));
    EXPECT_TRUE(MaskStamp(text, u"ファイル比較：開始日時：", u"STAMP")) << ToUtf8(text);
    if (text.find(u"中止しました：") != std::u16string::npos) {
      EXPECT_TRUE(MaskStamp(text, u"中止しました：", u"CANCELLED")) << ToUtf8(text);
    }
    return text;
  }

  // Replaces `title` and the date and time after it by `mask`; false when
  // the text holds no such stamp.
  static bool MaskStamp(std::u16string& text, std::u16string_view title, std::u16string_view mask) {
    const std::u16string_view shape = u"0000/00/00&nbsp;&nbsp;00:00:00";  // 0 stands for a digit
    const std::size_t at = text.find(title);
    bool shaped = at != std::u16string::npos && text.size() >= at + title.size() + shape.size();
    for (std::size_t i = 0; shaped && i < shape.size(); ++i) {
      const char16_t c = text[at + title.size() + i];
      shaped = shape[i] == u'0' ? c >= u'0' && c <= u'9' : c == shape[i];
    }
    if (shaped) text.replace(at, title.size() + shape.size(), mask);
    return shaped;
  }

  // The rows of a classic comparison page in the notation of table_text.h,
  // once its frame (code page 932, the table's opening and closing lines) is
  // checked; each path in `paths` reads as {1}, {2}, ... in order.
  std::string PageRows(std::u16string_view name,
                       std::initializer_list<std::u16string_view> paths = {}) const {
    const std::string bytes = ScratchFolder::Read(Out(name));
    std::u16string text = DecodeCp932(bytes);
    EXPECT_EQ(EncodeCp932(text), bytes) << "the page is code page 932";
    const std::u16string_view head = u"<HTML><TABLE>\r\n";
    const std::u16string_view tail = u"\r\n</TABLE></HTML>\r\n";
    if (!text.starts_with(head) || !text.ends_with(tail)) {
      ADD_FAILURE() << "not a classic page: " << ToUtf8(text);
      return {};
    }
    std::string rows = "\n" + TableText(std::u16string_view(text).substr(
                                  head.size(), text.size() - head.size() - tail.size()));
    int n = 0;
    for (const std::u16string_view path : paths) {
      const std::string from = ToUtf8(path);
      const std::string to = "{" + std::to_string(++n) + "}";
      for (std::size_t at = rows.find(from); !from.empty() && at != std::string::npos;
           at = rows.find(from, at + to.size())) {
        rows.replace(at, from.size(), to);
      }
    }
    return rows;
  }

  // The link targets of the summary page, in order.
  std::vector<std::u16string> SummaryLinks() const {
    const std::u16string summary = ScratchFolder::ReadText(Out(u"Result.html"));
    std::vector<std::u16string> targets;
    for (std::size_t at = summary.find(u"href=\""); at != std::u16string::npos;
         at = summary.find(u"href=\"", at + 1)) {
      const std::size_t start = at + 6;
      targets.push_back(summary.substr(start, summary.find(u'"', start) - start));
    }
    return targets;
  }

  ScratchFolder scratch;
  Settings settings;
  FakeWindow window;
};

// The classic summary's rows above its reports; `belowStamp` stands between
// the stamp and the heading (the cancel, the options).
inline std::u16string Head(std::u16string_view folder1, std::u16string_view folder2,
                           std::u16string_view belowStamp = u"") {
  return u"<HTML><TABLE border=\"1\" bordercolor=\"black\">\r\n"
         u"<tr><td colspan=\"3\">フォルダ１:" +
         std::u16string(folder1) +
         u"</td></tr>\r\n"
         u"<tr><td colspan=\"3\">フォルダ２:" +
         std::u16string(folder2) +
         u"</td></tr>\r\n"
         u"<tr><td colspan=\"3\">STAMP</td></tr>\r\n" +
         std::u16string(belowStamp) + u"<tr><td>ファイル名</td><td>結果</td></tr>\r\n";
}

// The classic summary's row of a cancel, its time masked as Summary() does.
inline constexpr std::u16string_view kCancelledRow =
    u"<tr><td colspan=\"3\">CANCELLED</td></tr>\r\n";

inline constexpr std::u16string_view kTail = u"\r\n</TABLE></HTML>\r\n";

// The file a summary link leads to: entities and percent-escapes undone.
inline std::u16string LinkedFile(std::u16string_view href) {
  // What a browser makes of the link first: tabs and line breaks dropped,
  // "\\" read as "/", the code page's single bytes 0xA0 and 0xFD-0xFF
  // undecodable.
  std::u16string unescaped;
  for (const char16_t c : href) {
    if (c == u'\t' || c == u'\n' || c == u'\r') continue;
    unescaped += c == u'\\' && NativeSeparator() != u'\\' ? u'/'
                 : c >= 0xF8F0 && c <= 0xF8F3             ? u'\uFFFD'
                                                          : c;
  }
  for (const auto& [entity, character] :
       {std::pair<std::u16string_view, std::u16string_view>{u"&quot;", u"\""},
        {u"&lt;", u"<"},
        {u"&gt;", u">"},
        {u"&amp;", u"&"}}) {
    for (std::size_t at = unescaped.find(entity); at != std::u16string::npos;
         at = unescaped.find(entity, at + 1)) {
      unescaped.replace(at, entity.size(), character);
    }
  }
  std::string bytes;
  for (std::size_t i = 0; i < unescaped.size(); ++i) {
    if (unescaped[i] == u'%' && i + 2 < unescaped.size()) {
      bytes += static_cast<char>(std::stoi(ToUtf8(unescaped.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      bytes += ToUtf8(unescaped.substr(i, 1));
    }
  }
  return FromUtf8(bytes);
}

}  // namespace tarnwick::testing
