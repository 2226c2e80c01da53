#include "pages/page_file.h"

#include <algorithm>
#include <utility>

#include "base/stop_request.h"
#include "files/replace_file.h"
#include "files/scratch_file.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

// Encoded bytes are written once this many have gathered.
constexpr std::size_t kWriteChunk = 256 * 1024;
// A spool keeps this many encoded bytes in memory before it takes a scratch
// file: ordinary pages never need one.
constexpr std::size_t kSpoolInMemory = 4 * 1024 * 1024;

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

// A surrogate pair cut between two pieces of text is held until the next,
// so that it becomes one character in either encoding.
void PageWriter::Encoder::Encode(std::u16string_view text, RawBuffer<char>& bytes) {
  if (heldHigh != 0 && !text.empty()) {
    const char16_t pair[2] = {heldHigh, text.front()};
    heldHigh = 0;
    const bool paired = IsLowSurrogate(text.front());
    Append(std::u16string_view(pair, paired ? 2 : 1), bytes);
    if (paired) text.remove_prefix(1);
  }
  if (!text.empty() && IsHighSurrogate(text.back())) {
    heldHigh = text.back();
    text.remove_suffix(1);
  }
  Append(text, bytes);
}

void PageWriter::Encoder::Append(std::u16string_view text, RawBuffer<char>& bytes) const {
  // Classic pages are HTML: what code page 932 cannot hold is written as a
  // character reference, never lost.
  if (encoding == PageEncoding::kCp932) {
    AppendCp932Html(text, bytes);
  } else {
    AppendUtf8(text, bytes);
  }
}

void PageWriter::Encoder::Finish(RawBuffer<char>& bytes) {
  if (heldHigh == 0) return;
  Append(std::u16string_view(&heldHigh, 1), bytes);
  heldHigh = 0;
}

// Encoded text for a later place in the page: in memory while small, then in
// a scratch file beside the page.
class PageWriter::PageSpool final : public TextSpool {
 public:
  explicit PageSpool(PageWriter& page) : page_(page), encoder_{page.encoder_.encoding} {}

  void Write(std::u16string_view text) override {
    if (page_.failure_) return;
    while (!text.empty()) {
      const std::u16string_view slice = text.substr(0, kWriteChunk / 2);
      text.remove_prefix(slice.size());
      encoder_.Encode(slice, bytes_);
      if (bytes_.size() >= kSpoolInMemory || (scratch_ && bytes_.size() >= kWriteChunk)) Spill();
      if (page_.failure_) return;
    }
  }

  void Place() override {
    encoder_.Finish(bytes_);
    if (page_.failure_) return;
    if (scratch_) {
      Spill();
      if (page_.failure_) return;
      try {
        scratch_->Drain([this](std::string_view piece) { page_.Append(piece); });
      } catch (...) {
        page_.Fail(std::current_exception());
      }
    }
    page_.Append(bytes_.View());
    bytes_.Clear();
  }

 private:
  void Spill() {
    try {
      if (!scratch_) scratch_ = std::make_unique<ScratchFile>(page_.path_);
      scratch_->Write(bytes_.View());
    } catch (...) {
      page_.Fail(std::current_exception());
    }
    bytes_.Clear();
    if (!scratch_) bytes_.Release();
  }

  PageWriter& page_;
  Encoder encoder_;
  RawBuffer<char> bytes_;  // encoded, not yet in the scratch file
  std::unique_ptr<ScratchFile> scratch_;
};

PageWriter::PageWriter(std::u16string path, PageEncoding encoding, OnStopRequest onStop)
    : path_(std::move(path)), encoder_{encoding}, onStop_(onStop) {
  try {
    file_ = std::make_unique<FileReplacement>(path_);
  } catch (...) {
    failure_ = std::current_exception();
  }
}

PageWriter::~PageWriter() = default;

void PageWriter::Write(std::u16string_view text) {
  if (onStop_ == OnStopRequest::Stop) ThrowIfStopRequested();
  if (failure_) return;
  // Slices keep the encoded bytes bounded whatever the piece's size.
  while (!text.empty()) {
    const std::u16string_view slice = text.substr(0, kWriteChunk / 2);
    text.remove_prefix(slice.size());
    encoder_.Encode(slice, bytes_);
    if (bytes_.size() >= kWriteChunk) WriteBytes();
    if (failure_) return;
  }
}

std::unique_ptr<TextSpool> PageWriter::Spool() {
  return std::make_unique<PageSpool>(*this);
}

void PageWriter::Append(std::string_view encoded) {
  if (failure_ || encoded.empty()) return;
  // What the page holds unwritten goes first.
  encoder_.Finish(bytes_);
  if (bytes_.size() + encoded.size() >= kWriteChunk) {
    if (!bytes_.empty()) WriteBytes();
    if (failure_) return;
    try {
      file_->Write(encoded);
    } catch (...) {
      Fail(std::current_exception());
    }
    return;
  }
  const std::size_t at = bytes_.size();
  bytes_.Resize(at + encoded.size());
  std::copy(encoded.begin(), encoded.end(), bytes_.data() + at);
}

void PageWriter::Fail(std::exception_ptr failure) {
  if (!failure_) failure_ = std::move(failure);
}

void PageWriter::WriteBytes() {
  try {
    file_->Write(bytes_.View());
  } catch (...) {
    Fail(std::current_exception());
  }
  bytes_.Clear();
}

void PageWriter::Commit() {
  if (!failure_) encoder_.Finish(bytes_);
  if (!failure_ && !bytes_.empty()) WriteBytes();
  if (failure_) {
    file_.reset();  // the temporary file goes now, not when the writer does
    std::rethrow_exception(failure_);
  }
  file_->Commit();
}

}  // namespace tarnwick
