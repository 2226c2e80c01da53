#include "review/object_headings.h"

#include <algorithm>

#include "review/html_text.h"

namespace tarnwick {
namespace {

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// `key` escaped, its middle cut out when it is long.
void AppendShortKey(std::u16string& out, std::u16string_view key) {
  if (key.size() <= 2 * kKeyEndKept + 1) {
    AppendHtml(out, key);
    return;
  }
  // Never between the halves of a surrogate pair.
  std::size_t head = kKeyEndKept;
  if (IsLowSurrogate(key[head])) ++head;
  std::size_t tail = key.size() - kKeyEndKept;
  if (IsLowSurrogate(key[tail])) ++tail;
  AppendHtml(out, key.substr(0, head));
  out += u'…';
  AppendHtml(out, key.substr(tail));
}

}  // namespace

std::size_t TakeDueHeading(PathStacks& stacks) {
  const auto depth = static_cast<std::size_t>(stacks.depth < 0 ? 0 : stacks.depth);
  bool pending = false;
  for (std::size_t a = 1; a <= depth && a < stacks.headPending.size(); ++a) {
    pending = pending || stacks.headPending[a];
    stacks.headPending[a] = false;
  }
  return pending && depth < stacks.pathKeys.size() ? depth : 0;
}

std::u16string EnclosingLines::Next(const PathStacks& stacks, std::size_t depth) {
  const std::size_t levels = depth > 0 ? depth - 1 : 0;  // levels 1..depth-1 enclose it
  std::size_t shared = 0;
  std::size_t length = levels > 0 ? levels - 1 : 0;
  for (std::size_t a = 1; a <= levels; ++a) {
    if (shared + 1 == a && a <= keys_.size() && keys_[a - 1] == stacks.pathKeys[a]) ++shared;
    length += stacks.pathKeys[a].size();
  }
  if (shared == levels && shared == keys_.size()) return {};
  keys_.resize(shared);
  for (std::size_t a = shared + 1; a <= levels; ++a) keys_.push_back(stacks.pathKeys[a]);

  std::u16string line;
  std::size_t from = 1;  // the first level shown whole
  if (length > kWholePathLength) {
    if (shared >= 1) AppendShortKey(line, keys_[0]);
    if (shared >= 3) line += u"/…";
    if (shared >= 2) {
      line += u'/';
      AppendShortKey(line, keys_[shared - 1]);
    }
    from = shared + 1;
  }
  for (std::size_t a = from; a <= levels; ++a) {
    if (!line.empty() || a > 1) line += u'/';
    AppendHtml(line, keys_[a - 1]);
  }
  return line;
}

}  // namespace tarnwick
