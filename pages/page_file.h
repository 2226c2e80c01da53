// The page files every run writes, whatever their style. Every page reaches
// the disk through a PageWriter, the sink its renderer writes to: the text is
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

#include "text/raw_buffer.h"
#include "text/text_sink.h"

namespace tarnwick {

class FileReplacement;

class PageWriter final : public TextSink {
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

}  // namespace tarnwick
