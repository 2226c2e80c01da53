#include "diff/fan_out_renderer.h"

namespace tarnwick {

void EventFanOut::Title(std::u16string_view text, int side) {
  first_.Title(text, side);
  second_.Title(text, side);
}

void EventFanOut::OutlineEqual(std::u16string_view outline) {
  first_.OutlineEqual(outline);
  second_.OutlineEqual(outline);
}

void EventFanOut::OutlineChanged(std::span<const LineRecord> lines) {
  first_.OutlineChanged(lines);
  second_.OutlineChanged(lines);
}

void EventFanOut::Headings(PathStacks& stacks) {
  pending_ = stacks.headPending;
  first_.Headings(stacks);
  // The second sees the flags as they were; what the first served is kept.
  pending_.swap(stacks.headPending);
  second_.Headings(stacks);
  for (std::size_t a = 0; a < stacks.headPending.size() && a < pending_.size(); ++a) {
    stacks.headPending[a] = stacks.headPending[a] && pending_[a];
  }
}

void EventFanOut::EqualProperty(const PathStacks& stacks, std::u16string_view name,
                                std::u16string_view value) {
  first_.EqualProperty(stacks, name, value);
  second_.EqualProperty(stacks, name, value);
}

void EventFanOut::ChangedProperty(const PathStacks& stacks, const PropertyChange& change) {
  first_.ChangedProperty(stacks, change);
  second_.ChangedProperty(stacks, change);
}

CompareEvents& FanOutRenderer::Start(TextSink& page) {
  CompareEvents& first = first_->Start(page);
  events_ = std::make_unique<EventFanOut>(first, second_->Start(secondSink_));
  return *events_;
}

void FanOutRenderer::Finish(const ComparisonVerdict& verdict) {
  first_->Finish(verdict);
  second_->Finish(verdict);
}

}  // namespace tarnwick
