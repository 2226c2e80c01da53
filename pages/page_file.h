// The page files every run writes. A page is three lines ended by CR LF
// (opening line, table body, closing line), in code page 932 for the classic
// pages. Every page reaches the disk through a PageWriter: the text is
// encoded and written in bounded chunks into a temporary file beside the
// page, which Commit puts in place of the page in one step. A reader sees the
// old page or the new one, never a torn one; a page that is a symbolic link
// is replaced itself; a failure, or a writer dropped without Commit, leaves
// the old page as it was and no temporary file behind.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "diff/html_table.h"
#include "text/raw_buffer.h"

namespace tarnwick {

class FileReplacement;

inline constexpr std::u16string_view kComparisonPageHead = u"<HTML><TABLE>";
inline constexpr std::u16string_view kSummaryPageHead =
    u"<HTML><TABLE border=\"1\" bordercolor=\"black\">";
inline constexpr std::u16string_view kPageTail = u"</TABLE></HTML>";

enum class PageEncoding { kCp932, kUtf8 };

class PageWriter final : public TableSink {
 public:
  explicit PageWriter(std::u16string path, PageEncoding encoding = PageEncoding::kCp932);
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Takes the next piece of the page. Never throws for the file: the first
  // failure is kept, what follows is dropped, and Commit reports it, so that
  // a page streamed while a table is built fails under the writing stage.
  void Write(std::u16string_view text) override;
  // Writes the rest and puts the page in place. Throws tarnwick::Error.
  void Commit();

 private:
  void Encode(std::u16string_view text);
  void WriteBytes();

  std::u16string path_;
  PageEncoding encoding_;
  std::unique_ptr<FileReplacement> file_;
  RawBuffer<char> bytes_;  // encoded, not yet written
  char16_t heldHigh_ = 0;  // UTF-8: a high surrogate whose partner is in the next piece
  std::exception_ptr failure_;
};

// A result page streamed to disk: the opening line goes out first, the table
// body follows as Table() grows, Commit adds the closing line.
class TablePage {
 public:
  TablePage(std::u16string path, std::u16string_view head,
            PageEncoding encoding = PageEncoding::kCp932);
  HTMLTblCls& Table() { return table_; }
  // Closes the table and the page and puts it in place. Throws tarnwick::Error.
  void Commit();

 private:
  PageWriter writer_;
  HTMLTblCls table_;
};

// The bytes of a classic page held whole: head, body and tail, each followed
// by CR LF, in code page 932 (what WritePage writes).
std::string PageBytes(std::u16string_view head, std::u16string_view body);

// Writes a whole page whose body is at hand (the summary page). Throws
// tarnwick::Error.
void WritePage(std::u16string_view path, std::u16string_view head, std::u16string_view body);

}  // namespace tarnwick
