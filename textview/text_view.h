// The text view of a comparison, for a terminal, a log or `git diff`: the
// pair's two titles as "--- " and "+++ " lines, then each changed object by
// its path with its changed properties below it: a one-line value as
// "old → new", a property one side lacks as "+ name: value" or
// "- name: value", a multi-line value as unified hunks with three lines of
// context. An object one side lacks is "+ path（追加）" or "- path（削除）"
// with its content. A closing line counts what changed. A pair without
// differences shows nothing. With colour, removals are red, additions
// green, paths bold and hunk headers cyan (ANSI escapes).
//
//   TextView view({.color = false});
//   MakeFormDiff(..., view.Start(out), ...);   // streams into `out`
//   view.Finish({heading, result});
#pragma once

#include <string>

#include "diff/comparison_renderer.h"
#include "textview/changed_objects.h"

namespace tarnwick {

struct TextViewOptions {
  bool color = false;
  const PageWords* words = &JapanesePageWords();  // the view's own words
};

class TextView final : public ComparisonRenderer, private ChangeListener {
 public:
  explicit TextView(const TextViewOptions& options) : options_(options), objects_(*this) {}

  PageEncoding Encoding() const override { return PageEncoding::kUtf8; }
  CompareEvents& Start(TextSink& out) override;
  void Finish(const ComparisonVerdict& verdict) override;

 private:
  void Begin(std::span<const std::u16string> titles1,
             std::span<const std::u16string> titles2) override;
  void Outline(std::span<const LineRecord> lines) override;
  void Object(const ChangedObject& object) override;
  void Property(const PropertyChange& change) override;
  void IgnoredProperty(const PropertyChange& change) override;

  // Writes `text` in the colour of `sgr` (an SGR parameter) when colour is on.
  void Colored(std::u16string_view sgr, std::u16string_view text);
  void Listing(std::span<const LineRecord> lines, std::u16string_view indent,
               bool marksMoves = false);

  TextViewOptions options_;
  ChangedObjects objects_;
  TextSink* out_ = nullptr;
};

}  // namespace tarnwick
