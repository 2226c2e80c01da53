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

template <typename Event>
void EventFanOut::WithOwnPending(PathStacks& stacks, Event&& event) {
  const std::size_t levels = stacks.headPending.size();
  pending1_.resize(levels, false);
  pending2_.resize(levels, false);
  // A flag the walk set since the last event is an object entered anew: due
  // for both.
  for (std::size_t a = 0; a < levels; ++a) {
    if (!stacks.headPending[a]) continue;
    pending1_[a] = true;
    pending2_[a] = true;
  }
  pending1_.swap(stacks.headPending);
  event(first_);
  pending1_.swap(stacks.headPending);
  pending2_.swap(stacks.headPending);
  event(second_);
  pending2_.swap(stacks.headPending);
  stacks.headPending.assign(levels, false);
}

void EventFanOut::Headings(PathStacks& stacks) {
  WithOwnPending(stacks, [&](CompareEvents& events) { events.Headings(stacks); });
}

void EventFanOut::ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) {
  WithOwnPending(stacks, [&](CompareEvents& events) { events.ObjectMoved(stacks, from, to); });
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

void EventFanOut::IgnoredProperty(PathStacks& stacks, const PropertyChange& change) {
  WithOwnPending(stacks, [&](CompareEvents& events) {
    if (!change.onRequest || events.ListsIgnored()) {
      events.IgnoredProperty(stacks, change);
      return;
    }
    PropertyChange unlisted = change;
    unlisted.onRequest = false;
    unlisted.unlisted = true;
    events.IgnoredProperty(stacks, unlisted);
  });
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
