// HTMLTblCls builds the body of every result table. Rows open lazily: StartRow
// only prepares the row's opening, which the row's first cell writes, so a row
// without cells leaves no trace. Cell text is escaped here (tabs expanded to
// two-column stops, then & space " < >); attributes and links are written as
// given. Appending is amortised constant time, so a table costs linear time.
// A table either keeps its whole text (read it with sStr) or hands it to a
// sink in pieces of about kTableChunk code units as it grows, so that a large
// table never exists whole in memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/raw_buffer.h"
#include "text/text_sink.h"

namespace tarnwick {

inline constexpr std::size_t kTableChunk = 128 * 1024;

class HTMLTblCls {
 public:
  HTMLTblCls() = default;
  // Streams into `sink`, which must outlive the table.
  explicit HTMLTblCls(TextSink& sink) : sink_(&sink) {}
  HTMLTblCls(const HTMLTblCls&) = delete;
  HTMLTblCls& operator=(const HTMLTblCls&) = delete;

  void StartRow();
  void EndRow();
  void AddCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp);
  void AddLinkCell(std::u16string_view pi_cLine, std::u16string_view pi_cProp,
                   std::u16string_view pi_cLink);
  // Closes the open row (EndRow), then returns everything written, or, for
  // a streamed table, what the sink has not been given yet.
  std::u16string sStr();
  // Streamed tables: closes the open row (EndRow) and gives the sink the rest.
  void Finish();

 private:
  void AppendEscaped(std::u16string_view text);
  // Appends to the buffer: the one way text enters it, kept inline because a
  // table is built of many short pieces.
  void Put(std::u16string_view text) {
    const std::size_t size = aBuf_.size();
    aBuf_.Resize(size + text.size());
    std::char_traits<char16_t>::copy(aBuf_.data() + size, text.data(), text.size());
  }
  // Hands the buffer to the sink once it holds a chunk.
  void FlushFull() {
    if (sink_ != nullptr && aBuf_.size() >= kTableChunk) Flush();
  }
  void Flush();
  // Appends a run of text that needs no escaping, flushing as chunks fill.
  void AppendRun(std::u16string_view run);

  TextSink* sink_ = nullptr;
  RawBuffer<char16_t> aBuf_;
  // The open row's opening ("<tr>", after the last row's closing) and its
  // closing; views of constant text, so that a row costs no copying.
  std::u16string_view sRowHead_ = u"<tr>";
  std::u16string_view sRowTail_;
};

}  // namespace tarnwick
