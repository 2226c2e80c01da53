// One comparison rendered twice at once: a page and a view of it (the
// command line's text or Markdown view beside the page). The comparison runs
// once and reports to both; each renderer writes into its own sink. The first
// renderer is the page's: its encoding is the one asked for.
#pragma once

#include <memory>
#include <vector>

#include "diff/comparison_renderer.h"

namespace tarnwick {

// Hands each event to both receivers. Each receiver keeps pending headings
// of its own: what one served (a move the other does not show, say) is still
// due for the other. The walk's flags tell the fan-out only which objects
// were entered since the last event, so it clears them after each.
class EventFanOut final : public CompareEvents {
 public:
  EventFanOut(CompareEvents& first, CompareEvents& second) : first_(first), second_(second) {}

  void Title(std::u16string_view text, int side) override;
  void OutlineEqual(std::u16string_view outline) override;
  void OutlineChanged(std::span<const LineRecord> lines) override;
  void Headings(PathStacks& stacks) override;
  void EqualProperty(const PathStacks& stacks, std::u16string_view name,
                     std::u16string_view value) override;
  void ChangedProperty(const PathStacks& stacks, const PropertyChange& change) override;
  void ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) override;
  void IgnoredProperty(PathStacks& stacks, const PropertyChange& change) override;
  // Only when both do: a receiver must never get an ignored difference it
  // would show as a change where only differences are listed.
  // Asks for ignored differences when either receiver lists them; the other
  // gets them unlisted.
  bool ListsIgnored() const override { return first_.ListsIgnored() || second_.ListsIgnored(); }

 private:
  // Calls `event` on each receiver with its own pending flags in `stacks`.
  template <typename Event>
  void WithOwnPending(PathStacks& stacks, Event&& event);

  CompareEvents& first_;
  CompareEvents& second_;
  std::vector<bool> pending1_, pending2_;  // each receiver's pending headings
};

class FanOutRenderer final : public ComparisonRenderer {
 public:
  // `second` writes into `secondSink`, which must outlive Finish.
  FanOutRenderer(std::unique_ptr<ComparisonRenderer> first,
                 std::unique_ptr<ComparisonRenderer> second, TextSink& secondSink)
      : first_(std::move(first)), second_(std::move(second)), secondSink_(secondSink) {}

  PageEncoding Encoding() const override { return first_->Encoding(); }
  CompareEvents& Start(TextSink& page) override;
  void Finish(const ComparisonVerdict& verdict) override;

 private:
  std::unique_ptr<ComparisonRenderer> first_;
  std::unique_ptr<ComparisonRenderer> second_;
  TextSink& secondSink_;
  std::unique_ptr<EventFanOut> events_;
};

}  // namespace tarnwick
