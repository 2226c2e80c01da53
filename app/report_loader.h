// Reading one report as every run does: the file read and decoded (a code
// page 932 report a piece at a time; the encoding as REPORT_ENCODING says,
// automatic by default: report/report_encoding.h), then parsed into its
// object tree, each step under its stage text so that a failure names what
// was being done.
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "app/window_ops.h"
#include "files/file_io.h"
#include "messages/message.h"
#include "messages/ui_language.h"
#include "report/object_tree.h"
#include "text/raw_buffer.h"

namespace tarnwick {

// What one loading thread reuses from report to report: the encoding it
// reads reports in (the setting REPORT_ENCODING), room for a piece of the
// file's bytes and for its decoded text, neither filled in advance. The text
// stays for the next report until ReleaseLarge.
struct ReportBuffers {
  explicit ReportBuffers(ReportEncoding readAs = ReportEncoding::Automatic) : encoding(readAs) {}

  ReportEncoding encoding;
  RawBuffer<char> bytes;
  RawBuffer<char16_t> text;

  // Gives back a buffer that an unusually large report left behind.
  void ReleaseLarge();
};

// Whose report a run reads. The comparison and the search name the side in
// their reading and parsing stages ("ソース１のファイル文章[path]の読み込み中に、"),
// so that a failure says which folder's report it was; None keeps the plain
// stages of a single report (a drop, the command line's tree).
enum class ReportSide { None, Source1, Source2, Search };

// The side's name in messages (MessageId::Source1 ...); None has no name and
// gives MessageId::NoStatus, the empty text.
MessageId SideName(ReportSide side);

// Reads the whole file and decodes it. Throws tarnwick::Error.
std::u16string ReadReportText(const FilePath& path,
                              ReportEncoding encoding = ReportEncoding::Automatic);

// Reads and parses one report under the stages "ファイル文章[path]の読み込み中に、"
// and "フォーム文章[path]の解析中に、" (path shown as its text; the stages in
// `language`, naming `side`) and clears the stage. Touches no window, so it
// may run on a worker thread. An empty report gives null.
CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage, ReportBuffers& buffers,
                              UiLanguage language = UiLanguage::Japanese,
                              ReportSide side = ReportSide::None);
CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage,
                              UiLanguage language = UiLanguage::Japanese,
                              ReportEncoding encoding = ReportEncoding::Automatic);

// Reads and parses one report under the stages "ファイル文章[path]の読み込み中に、"
// and "フォーム文章[path]の解析中に、", clears the stage, then shows the tree in
// the structure viewer when it is switched on. An empty report gives null.
CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window,
                         ReportBuffers& buffers, UiLanguage language = UiLanguage::Japanese,
                         ReportSide side = ReportSide::None);
CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window,
                         UiLanguage language = UiLanguage::Japanese,
                         ReportEncoding encoding = ReportEncoding::Automatic);

// A report loaded, or where loading it failed: a report loaded ahead, on
// another thread, fails only when its turn comes.
struct LoadedReport {
  CollectionPtr tree;
  std::exception_ptr error;
  std::u16string stage;  // the stage at the failure

  // The tree; for a failed load, sets `runStage` to the failure's stage and
  // throws the failure.
  CollectionPtr Take(std::u16string& runStage);
};

// Loads as LoadReport does (without a window, as ParseReportFile does),
// keeping a failure instead of throwing it.
LoadedReport LoadReportKept(const FilePath& path, WindowOps* window, ReportBuffers& buffers,
                            UiLanguage language = UiLanguage::Japanese,
                            ReportSide side = ReportSide::None);

}  // namespace tarnwick
