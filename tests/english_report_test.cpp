// English object list reports: the same grammar as a Japanese report, read
// by the English labels, whose names hold blanks; and the encodings English
// reports come in.
#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "report/report_encoding.h"
#include "report/report_labels.h"
#include "report/report_parser.h"
#include "report/tree_json.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

std::string Tree(std::u16string_view report) {
  return TreeToJson(ParseReport(report));
}

// `prefix` and `label`, padded so that `value` starts at the 1-based
// `column`, with one blank at least, as the report aligns its values.
std::u16string Aligned(std::u16string_view prefix, std::u16string_view label,
                       std::u16string_view value, std::size_t column = 37) {
  std::u16string line = std::u16string(prefix) + std::u16string(label);
  line.append(line.size() + 1 < column ? column - 1 - line.size() : 1, u' ');
  return line + std::u16string(value) + u"\n";
}

TEST(EnglishReport, ReadsTheGrammarByEnglishLabels) {
  EXPECT_EQ(Tree(uR"( * Name                                   ORDERS
 - Comments
 * Title                                  Order Entry
 * Triggers
   * Name                                 WHEN-NEW-FORM-INSTANCE
   - Trigger Style                        PL/SQL
   * Trigger Text
BEGIN
Fire in Enter-Query Mode stays: a line in column 1 is text
  :GLOBAL.ORDER_ID := NULL;
----------
END;
   - Fire in Enter-Query Mode             No
   - Display in 'Keyboard Help'           No
 * Program Units
   * Name                                 CHECK_ORDER
   * Program Unit Text
PROCEDURE check_order IS
BEGIN NULL; END;
   * Program Unit Type                    Procedure
)"),
            R"([["Form",[["ORDERS",[["Comments",""],["Title","Order Entry"],["Triggers",[)"
            R"(["WHEN-NEW-FORM-INSTANCE",[["Trigger Style","PL/SQL"],)"
            R"(["Trigger Text","\r\nBEGIN\r\nFire in Enter-Query Mode stays: a line in column 1 )"
            R"(is text\r\n  :GLOBAL.ORDER_ID := NULL;\r\n----------\r\nEND;"],)"
            R"(["Fire in Enter-Query Mode","No"],["Display in 'Keyboard Help'","No"]]]]],)"
            R"(["Program Units",[["CHECK_ORDER",[["Program Unit Text",)"
            R"("\r\nPROCEDURE check_order IS\r\nBEGIN NULL; END;"],)"
            R"(["Program Unit Type","Procedure"]]]]]]]]]])");
}

TEST(EnglishReport, ALabelEndsAtTwoBlanksOrAtTheValueColumn) {
  // The header shows the value column; a label too long for the padding
  // keeps one blank before it.
  std::u16string report = Aligned(u" * ", u"Name", u"F");
  report += Aligned(u" * ", u"Character Mode Logical Attribute", u"Bold Face");
  report += Aligned(u" * ", u"Title", u"Two  blanks  inside");
  report += u" * Lonely Flag\n";  // no value at all
  report += u" * Trailing Blanks    \n";
  EXPECT_EQ(Tree(report), R"([["Form",[["F",[["Character Mode Logical Attribute","Bold Face"],)"
                          R"(["Title","Two  blanks  inside"],["Lonely Flag",""],)"
                          R"(["Trailing Blanks",""]]]]]])");
  // Before any value column is known, a header still ends at its blank.
  EXPECT_EQ(Tree(u" * Name F\n * Title  T\n"), R"([["Form",[["F",[["Title","T"]]]]]])");
}

TEST(EnglishReport, ReadsTheListsAndJoinedBlocks) {
  EXPECT_EQ(Tree(uR"( * Name                       F
 * Attached Libraries
   - OFGMES                   C:\LIB\OFGMES.pll
 * Coordinate System
   * Coordinate System        Real
   - Real Unit                Point
 * Query Data Source Columns
   * Column Name              ORDER_ID
   - Data Type                NUMBER
   * Column Name              NAME
 * Query Data Source Arguments
 * Alias                      O
 * Elements in List
   * Label                    Open
   * List Item Value          O
   * List Item Value          OPEN
   * Label                    Closed
   * List Item Value          C
 * List Style                 Poplist
 * Coordinate Information
     X 10 Y 20
     W 30
 * Reference Information      <Referenced Subobject>
)"),
            R"([["Form",[["F",[["Attached Libraries",[)"
            R"(["   - OFGMES                   C:\\LIB\\OFGMES.pll",)"
            R"("   - OFGMES                   C:\\LIB\\OFGMES.pll"]]],)"
            R"(["Coordinate System",[["Coordinate System",[["Real Unit","Point"]]]]],)"
            R"(["Query Data Source Columns",[["ORDER_ID",[["Data Type","NUMBER"]]],["NAME",[]]]],)"
            R"(["Query Data Source Arguments",""],["Alias","O"],)"
            R"(["Elements in List",[["Elements in List",[["O","Open"],["OPEN","Open"],)"
            R"(["C","Closed"]]]]],["List Style","Poplist"],)"
            R"(["Coordinate Information","     X 10 Y 20     W 30"],)"
            R"(["Reference Information","<Referenced Subobject>"]]]]]])");
}

TEST(EnglishReport, TheFirstObjectHeaderTellsTheLanguage) {
  EXPECT_EQ(DetectReportLanguage(u"----------\n\n * Name   F\n"), ReportLanguage::kEnglish);
  EXPECT_EQ(DetectReportLanguage(u"* 名前 F\n"), ReportLanguage::kJapanese);
  EXPECT_EQ(DetectReportLanguage(u" * Name\r\n"), ReportLanguage::kEnglish);
  EXPECT_EQ(DetectReportLanguage(u"* 名前\r\n"), ReportLanguage::kJapanese);
  EXPECT_EQ(DetectReportLanguage(u" * Names  F\n * 名前 F\n"), ReportLanguage::kJapanese);
  EXPECT_EQ(DetectReportLanguage(u"Object List Report\n"), ReportLanguage::kJapanese);
  // A Japanese report keeps its own words, even for an English-looking line.
  EXPECT_EQ(Tree(u"* 名前 F\n* Name Mode  x\n"), R"([["ﾌｫｰﾑ",[["F",[["Name","Mode  x"]]]]]])");
  // Read by the Japanese table, an English report has no object header.
  EXPECT_THROW(ParseReport(u" * Name  F\n * Title  x\n", JapaneseLabels()), Error);
}

TEST(EnglishReport, EveryJapaneseSpecialNameHasAnEnglishOne) {
  const ReportLabels& ja = JapaneseLabels();
  const ReportLabels& en = EnglishLabels();
  // Texts of two Japanese spellings share one English name.
  EXPECT_EQ(ja.texts.size(), en.texts.size() + 1);
  for (const TextName& text : en.texts) {
    EXPECT_FALSE(text.closing.empty()) << ToUtf8(text.name);
    // A name holding two blanks would never be read whole from a line.
    EXPECT_EQ(text.name.find(u"  "), std::u16string_view::npos) << ToUtf8(text.name);
    for (std::u16string_view closing : text.closing) {
      EXPECT_EQ(closing.find(u"  "), std::u16string_view::npos) << ToUtf8(closing);
    }
  }
  EXPECT_EQ(ja.propertySections.size(), en.propertySections.size() + 1);
  EXPECT_EQ(ja.unreferenced.size(), en.unreferenced.size());
}

TEST(ReportEncoding, AutomaticReadingFollowsTheMarkAndTheHeader) {
  using enum ReportTextEncoding;
  EXPECT_EQ(EncodingOfHead("\xEF\xBB\xBF * Name  F\r\n", kAutomatic), kUtf8);
  EXPECT_EQ(EncodingOfHead(EncodeCp932(u"* 名前 受注\r\n"), kAutomatic), kCp932);
  EXPECT_EQ(EncodingOfHead("no header at all", kAutomatic), kCp932);
  EXPECT_EQ(EncodingOfHead(" * Name  F\r\n", kAutomatic), std::nullopt);  // the whole decides
  EXPECT_EQ(EncodingOfBytes(" * Name  Caf\xC3\xA9\r\n", kAutomatic), kUtf8);
  EXPECT_EQ(EncodingOfBytes(" * Name  Caf\xE9\r\n", kAutomatic), kWindows1252);
  EXPECT_EQ(EncodingOfBytes(" * Name  Cafe\r\n", kAutomatic), kWindows1252);
  // A choice overrides the rule.
  EXPECT_EQ(EncodingOfBytes(" * Name  Caf\xC3\xA9\r\n", kWindows1252), kWindows1252);
  EXPECT_EQ(EncodingOfBytes(EncodeCp932(u"* 名前 受注\r\n"), kUtf8), kUtf8);
  EXPECT_EQ(EncodingOfHead("\xEF\xBB\xBF * Name  F\r\n", kCp932), kCp932);
  // A UTF-16 mark names its byte order, whatever the report's language.
  EXPECT_EQ(EncodingOfHead(std::string("\xFF\xFE*\0 \0", 6), kAutomatic), kUtf16Le);
  EXPECT_EQ(EncodingOfHead(std::string("\xFE\xFF\0*\0 ", 6), kAutomatic), kUtf16Be);
  EXPECT_EQ(EncodingOfHead(std::string("\xFF\xFE*\0 \0", 6), kWindows1252), kWindows1252);
}

TEST(ReportEncoding, DecodingLosesNoByte) {
  using enum ReportTextEncoding;
  RawBuffer<char16_t> text;
  DecodeReportBytes("\x80 \x93x\x94 \xE9 \x81", kWindows1252, text);
  EXPECT_EQ(std::u16string(text.View()), u"\u20AC \u201Cx\u201D \u00E9 \u0081");
  DecodeReportBytes("\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", kUtf8, text);
  EXPECT_EQ(std::u16string(text.View()), u"\u00E9\u20AC\U0001F600");
  // A byte that is no part of a UTF-8 character is read as Windows-1252.
  DecodeReportBytes("caf\xE9 \xC3\xA9", kUtf8, text);
  EXPECT_EQ(std::u16string(text.View()), u"caf\u00E9 \u00E9");
  DecodeReportBytes(" * Name  Caf\xE9", kAutomatic, text);
  EXPECT_EQ(std::u16string(text.View()), u" * Name  Caf\u00E9");
  DecodeReportBytes(EncodeCp932(u"* 名前 受注"), kAutomatic, text);
  EXPECT_EQ(std::u16string(text.View()), u"* 名前 受注");
  // UTF-16 keeps every unit, half a surrogate pair too, and an odd last byte.
  DecodeReportBytes(std::string("\xFF\xFE\x0D\x54\xE8\x6C\x3D\xD8\x00\xD8\xE9", 11), kAutomatic,
                    text);
  EXPECT_EQ(std::u16string(text.View()), u"名注\xD83D\xD800\u00E9");
  DecodeReportBytes(std::string("\xFE\xFF\x54\x0D\x00\x41", 6), kAutomatic, text);
  EXPECT_EQ(std::u16string(text.View()), u"名A");
}

TEST(Cp932Html, WhatCodePage932CannotHoldBecomesACharacterReference) {
  RawBuffer<char> bytes;
  AppendCp932Html(u"a\u00E9b\U0001F600 \u20AC受注", bytes);
  EXPECT_EQ(std::string(bytes.View()), "a&#233;b&#128512; &#8364;" + EncodeCp932(u"受注"));
  // As before: U+FFFD and half a surrogate pair are "?", like AppendCp932.
  RawBuffer<char> kept;
  AppendCp932Html(u"\uFFFD\xD800x", kept);
  EXPECT_EQ(std::string(kept.View()), "??x");
  RawBuffer<char> plain;
  AppendCp932(u"ﾌｫｰﾑ 受注 ①", plain);
  RawBuffer<char> html;
  AppendCp932Html(u"ﾌｫｰﾑ 受注 ①", html);
  EXPECT_EQ(std::string(html.View()), std::string(plain.View()));
}

}  // namespace
}  // namespace tarnwick
