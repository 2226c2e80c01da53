// The text and Markdown views of tarnwick-cli (--format text|markdown): a
// comparison run's view on standard output, and the choice of colour
// (--color, NO_COLOR, whether standard output is a terminal).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/comparison_view.h"
#include "text/text_sink.h"
#include "textview/markdown_view.h"
#include "textview/text_view.h"

namespace tarnwick::cli {

enum class ViewFormat { kNone, kText, kMarkdown };
enum class ColorWhen { kAuto, kAlways, kNever };

// Colour with `when`: always, never, or (auto) when standard output is a
// terminal and NO_COLOR is unset or empty; `terminal` may widen what counts
// as one (git's pager).
bool UseColor(ColorWhen when, bool terminal);

// Standard output as a sink: the text as UTF-8, gathered and written in
// large pieces. Throws tarnwick::Error when standard output fails.
class OutputSink final : public TextSink {
 public:
  ~OutputSink();
  void Write(std::u16string_view text) override;
  void Flush();

 private:
  std::string bytes_;
};

// The view of a comparison run on standard output: the text view streams pair
// after pair; the Markdown view is written by Finish, once the run is over.
class ConsoleView final : public ComparisonView {
 public:
  // Both views speak `words`.
  ConsoleView(ViewFormat format, bool color, const PageWords& words = JapanesePageWords())
      : format_(format), color_(color), words_(words), markdown_(words) {}

  std::unique_ptr<ComparisonRenderer> PairRenderer() override;
  TextSink& Output() override { return out_; }
  // Writes what is still due (the Markdown text) and flushes.
  void Finish();

 private:
  ViewFormat format_;
  bool color_;
  const PageWords& words_;
  OutputSink out_;
  MarkdownReport markdown_;
};

}  // namespace tarnwick::cli
