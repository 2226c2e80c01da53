// The page files every run writes, whatever their style. Every page reaches
// the disk through a PageWriter, the sink its renderer writes to: the text is
// encoded and written in bounded chunks into a temporary file beside the
// page, which Commit puts in place of the page in one step. A reader sees the
// old page or the new one, never a torn one; a page that is a symbolic link
// is replaced itself; a failure, or a writer dropped without Commit, leaves
// the old page as it was and no temporary file behind. Its spools keep what
// they take encoded, beyond a small amount in a scratch file beside the page
// (files/scratch_file.h), so that a page whose head is written last still
// never exists whole in memory.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "text/raw_buffer.h"
#include "text/text_sink.h"

namespace tarnwick {

class FileReplacement;

// Whether a request to stop now (base/stop_request.h) ends the writing: a
// page in progress stops, while the summary of a stopped run is written all
// the same, since it tells what the run did.
enum class OnStopRequest { Stop, Finish };

class PageWriter final : public TextSink {
 public:
  explicit PageWriter(std::u16string path, PageEncoding encoding = PageEncoding::kCp932,
                      OnStopRequest onStop = OnStopRequest::Stop);
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Takes the next piece of the page. Never throws for the file: the first
  // failure is kept, what follows is dropped, and Commit reports it, so that
  // a page streamed while a table is built fails under the writing stage.
  void Write(std::u16string_view text) override;
  // A spool that keeps its text encoded, on disk once it grows; its failures
  // too are reported by Commit. Must not outlive the writer.
  std::unique_ptr<TextSpool> Spool() override;
  // Writes the rest and puts the page in place. Throws tarnwick::Error.
  void Commit();

  // Text encoded piece after piece; a surrogate pair cut between two pieces
  // is encoded whole.
  struct Encoder {
    PageEncoding encoding;
    char16_t heldHigh = 0;  // a high surrogate whose partner is in the next piece
    void Encode(std::u16string_view text, RawBuffer<char>& bytes);
    void Append(std::u16string_view text, RawBuffer<char>& bytes) const;
    // Encodes a high surrogate still held.
    void Finish(RawBuffer<char>& bytes);
  };

 private:
  class PageSpool;

  void Append(std::string_view encoded);
  void WriteBytes();
  void Fail(std::exception_ptr failure);

  std::u16string path_;
  Encoder encoder_;
  OnStopRequest onStop_;
  std::unique_ptr<FileReplacement> file_;
  RawBuffer<char> bytes_;  // encoded, not yet written
  std::exception_ptr failure_;
};

}  // namespace tarnwick
