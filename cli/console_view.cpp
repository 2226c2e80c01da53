#include "cli/console_view.h"

#include <cstdlib>

#include "cli/console_io.h"
#include "text/utf8.h"

namespace tarnwick::cli {

namespace {

// Standard output gets the text in pieces of about this many bytes.
constexpr std::size_t kFlushAt = 64 * 1024;

}  // namespace

bool UseColor(ColorWhen when, bool terminal) {
  switch (when) {
    case ColorWhen::kAlways:
      return true;
    case ColorWhen::kNever:
      return false;
    case ColorWhen::kAuto:
      break;
  }
  const char* noColor = std::getenv("NO_COLOR");
  if (noColor != nullptr && *noColor != '\0') return false;
  return terminal || OutputIsTerminal();
}

OutputSink::~OutputSink() {
  // Only what was flushed is sure to be out; a failure here has nowhere to go.
  try {
    Flush();
  } catch (...) {
  }
}

void OutputSink::Write(std::u16string_view text) {
  bytes_ += ToUtf8(text);
  if (bytes_.size() >= kFlushAt) Flush();
}

void OutputSink::Flush() {
  if (bytes_.empty()) return;
  std::string bytes;
  bytes.swap(bytes_);
  WriteOutput(bytes);
}

std::unique_ptr<ComparisonRenderer> ConsoleView::PairRenderer() {
  if (format_ == ViewFormat::kMarkdown) return markdown_.Pair();
  return std::make_unique<TextView>(TextViewOptions{color_, &words_});
}

void ConsoleView::Finish() {
  if (format_ == ViewFormat::kMarkdown) markdown_.Write(out_);
  out_.Flush();
}

}  // namespace tarnwick::cli
