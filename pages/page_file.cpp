#include "pages/page_file.h"

#include <utility>

#include "files/replace_file.h"
#include "text/cp932.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

// Encoded bytes are written once this many have gathered.
constexpr std::size_t kWriteChunk = 256 * 1024;

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

PageWriter::PageWriter(std::u16string path, PageEncoding encoding)
    : path_(std::move(path)), encoding_(encoding) {
  try {
    file_ = std::make_unique<FileReplacement>(path_);
  } catch (...) {
    failure_ = std::current_exception();
  }
}

PageWriter::~PageWriter() = default;

void PageWriter::Write(std::u16string_view text) {
  if (failure_) return;
  // Slices keep the encoded bytes bounded whatever the piece's size.
  while (!text.empty()) {
    const std::u16string_view slice = text.substr(0, kWriteChunk / 2);
    text.remove_prefix(slice.size());
    Encode(slice);
    if (bytes_.size() >= kWriteChunk) WriteBytes();
    if (failure_) return;
  }
}

void PageWriter::Encode(std::u16string_view text) {
  if (encoding_ == PageEncoding::kCp932) {
    AppendCp932(text, bytes_);
    return;
  }
  // A surrogate pair cut between two pieces is encoded whole.
  if (heldHigh_ != 0 && !text.empty()) {
    const char16_t pair[2] = {heldHigh_, text.front()};
    heldHigh_ = 0;
    const bool paired = IsLowSurrogate(text.front());
    AppendUtf8(std::u16string_view(pair, paired ? 2 : 1), bytes_);
    if (paired) text.remove_prefix(1);
  }
  if (!text.empty() && IsHighSurrogate(text.back())) {
    heldHigh_ = text.back();
    text.remove_suffix(1);
  }
  AppendUtf8(text, bytes_);
}

void PageWriter::WriteBytes() {
  try {
    file_->Write(bytes_.View());
  } catch (...) {
    failure_ = std::current_exception();
  }
  bytes_.Clear();
}

void PageWriter::Commit() {
  if (heldHigh_ != 0 && !failure_) {
    AppendUtf8(std::u16string_view(&heldHigh_, 1), bytes_);
    heldHigh_ = 0;
  }
  if (!failure_ && !bytes_.empty()) WriteBytes();
  if (failure_) {
    file_.reset();  // the temporary file goes now, not when the writer does
    std::rethrow_exception(failure_);
  }
  file_->Commit();
}

}  // namespace tarnwick
