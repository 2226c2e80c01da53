#include "textview/changed_objects.h"

#include <algorithm>

#include "text/decimal.h"

namespace tarnwick {

void ChangedObjects::Title(std::u16string_view text, int side) {
  (side == 1 ? titles1_ : titles2_).emplace_back(text);
}

void ChangedObjects::BeginOnce() {
  if (begun_) return;
  begun_ = true;
  listener_.Begin(titles1_, titles2_);
}

void ChangedObjects::OutlineChanged(std::span<const LineRecord> lines) {
  BeginOnce();
  listener_.Outline(lines);
}

void ChangedObjects::Headings(PathStacks& stacks) {
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  bool due = false;
  for (std::size_t a = 1; a <= depth && a < stacks.headPending.size(); ++a) {
    due = due || stacks.headPending[a];
    stacks.headPending[a] = false;
  }
  if (!due || depth >= stacks.pathKeys.size()) return;

  const bool removed = stacks.mark1[depth] == kStar;
  const bool added = stacks.mark2[depth] == kStar;
  path_ = ObjectPath(stacks, depth);
  pending_.path = path_;
  pending_.state = added     ? ObjectState::kAdded
                   : removed ? ObjectState::kRemoved
                             : ObjectState::kChanged;
  pending_.inOneSided = (removed && depth > 1 && stacks.mark1[depth - 1] == kStar) ||
                        (added && depth > 1 && stacks.mark2[depth - 1] == kStar);
  pending_.movedFrom = pending_.movedTo = 0;
  pendingTold_ = false;
  // An object one side lacks is a change in itself, even when empty.
  if ((added || removed) && !pending_.inOneSided) TellPending();
}

void ChangedObjects::ObjectMoved(PathStacks& stacks, std::size_t from, std::size_t to) {
  // Its heading may have been served already, when everything is listed.
  Headings(stacks);
  pending_.movedFrom = from;
  pending_.movedTo = to;
  // A move is a change in itself.
  TellPending();
}

void ChangedObjects::TellPending() {
  if (pendingTold_) return;
  BeginOnce();
  pendingTold_ = true;
  listener_.Object(pending_);
}

void ChangedObjects::PendRootProperties(const PathStacks& stacks) {
  if (stacks.depth > 0 || !pendingTold_) return;
  path_.clear();
  pending_ = {path_, ObjectState::kChanged, false};
  pendingTold_ = false;
}

void ChangedObjects::ChangedProperty(const PathStacks& stacks, const PropertyChange& change) {
  PendRootProperties(stacks);
  TellPending();
  listener_.Property(change);
}

void ChangedObjects::IgnoredProperty(PathStacks& stacks, const PropertyChange& change) {
  if (change.unlisted) return;
  Headings(stacks);
  PendRootProperties(stacks);
  TellPending();
  listener_.IgnoredProperty(change);
}

std::u16string MoveText(const ChangedObject& object, const PageWords& words) {
  if (object.movedFrom == 0) return {};
  std::u16string text(words.movedOpen);
  text.append(DecimalText(static_cast<std::int64_t>(object.movedFrom))).append(words.ordinalSuffix);
  text.append(u" → ").append(DecimalText(static_cast<std::int64_t>(object.movedTo)));
  return text.append(words.ordinalSuffix).append(words.movedClose);
}

std::u16string ObjectPath(const PathStacks& stacks, std::size_t depth) {
  std::u16string path;
  for (std::size_t a = 1; a <= depth && a < stacks.pathKeys.size(); ++a) {
    if (a > 1) path += u'/';
    path += stacks.pathKeys[a];
  }
  return path;
}

std::u16string PrintableText(std::u16string_view text) {
  static constexpr char16_t kHex[] = u"0123456789abcdef";
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    const bool control = (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F);
    if (!control) {
      out += c;
      continue;
    }
    out += u"\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
  }
  return out;
}

std::vector<ListingHunk> UnifiedHunks(std::span<const LineRecord> lines, std::size_t context) {
  std::vector<ListingHunk> hunks;
  const std::size_t n = lines.size();
  std::size_t i = 0;
  std::int32_t at1 = 0, at2 = 0;  // lines of each side before record `i`
  const auto advance = [&](std::size_t to) {
    for (; i < to; ++i) {
      if (lines[i].idx1 != 0) ++at1;
      if (lines[i].idx2 != 0) ++at2;
    }
  };
  std::size_t k = 0;
  while (k < n) {
    if (lines[k].kind == LineKind::kCommon) {
      ++k;
      continue;
    }
    // A hunk from the context before this change to the context after its last
    // change within reach.
    const std::size_t begin = k > context ? k - context : 0;
    std::size_t last = k;
    for (std::size_t j = k + 1; j < n && j <= last + 2 * context + 1; ++j) {
      if (lines[j].kind != LineKind::kCommon) last = j;
    }
    const std::size_t end = std::min(n, last + context + 1);
    advance(begin);
    const std::int32_t before1 = at1, before2 = at2;
    advance(end);
    ListingHunk hunk{begin, end, 0, at1 - before1, 0, at2 - before2};
    hunk.start1 = hunk.count1 > 0 ? before1 + 1 : before1;
    hunk.start2 = hunk.count2 > 0 ? before2 + 1 : before2;
    hunks.push_back(hunk);
    k = end;
  }
  return hunks;
}

std::u16string HunkHeader(const ListingHunk& hunk) {
  return u"@@ -" + DecimalText(hunk.start1) + u',' + DecimalText(hunk.count1) + u" +" +
         DecimalText(hunk.start2) + u',' + DecimalText(hunk.count2) + u" @@";
}

ListingLine ListingLineOf(const LineRecord& record) {
  switch (record.kind) {
    case LineKind::kOnly1:
      return {u'-', record.line1};
    case LineKind::kOnly2:
      return {u'+', record.line2};
    case LineKind::kCommon:
      break;
  }
  if (record.idx1 != 0 && record.idx2 != 0 && record.line1 == record.line2) {
    return {u' ', record.line1};
  }
  return {u'~', record.idx2 != 0 ? record.line2 : record.line1};
}

std::vector<ListingLine> ListingLinesOf(std::span<const LineRecord> lines, bool marksMoves) {
  std::vector<ListingLine> shown;
  shown.reserve(lines.size());
  for (const LineRecord& record : lines) shown.push_back(ListingLineOf(record));
  if (!marksMoves) return shown;
  const std::vector<bool> moved = MovedLines(lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (moved[i]) shown[i].mark = lines[i].kind == LineKind::kOnly1 ? u'>' : u'<';
  }
  return shown;
}

}  // namespace tarnwick
