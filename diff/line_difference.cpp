#include "diff/line_difference.h"

#include <unordered_map>

#include "text/line_reader.h"

namespace tarnwick {
namespace {

void SplitLines(std::u16string_view text, std::vector<std::u16string_view>& lines) {
  lines.assign(1, {});
  std::int64_t position = 1;
  while (position != -1) lines.push_back(ReadLine(text, position));
}

}  // namespace

// Original lines that no record names (the options ignored them) are written
// as common records: paired while both sides have one, then one-sided.
void LineDiffer::AppendSkipped(std::int32_t upTo1, std::int32_t upTo2) {
  while (next1_ < upTo1 || next2_ < upTo2) {
    LineRecord record;
    if (next1_ < upTo1) {
      record.idx1 = next1_;
      record.line1 = lines1_[static_cast<std::size_t>(next1_++)];
    }
    if (next2_ < upTo2) {
      record.idx2 = next2_;
      record.line2 = lines2_[static_cast<std::size_t>(next2_++)];
    }
    records_.push_back(record);
  }
}

const std::vector<LineRecord>& LineDiffer::Compare(std::u16string_view text1,
                                                   std::u16string_view text2,
                                                   const CompareOptions& options) {
  records_.clear();
  SplitLines(text1, lines1_);
  SplitLines(text2, lines2_);
  const bool normalise = options.Any();
  if (normalise) {
    MakeComparisonLines(text1, options, keys1_);
    MakeComparisonLines(text2, options, keys2_);
    diff_.SetText1(keys1_.text);
    diff_.SetText2(keys2_.text);
  } else {
    diff_.SetText1(text1);
    diff_.SetText2(text2);
  }
  diff_.BuildDiff();
  diff_.Rewind();
  next1_ = 1;
  next2_ = 1;
  // Key line i stands for original line origin[i - 1]; a value without key
  // lines still gives StrDiff2 one empty line, which stands for nothing.
  const auto original = [normalise](const ComparisonLines& keys, std::int32_t idx) {
    if (!normalise || idx == 0) return idx;
    return static_cast<std::size_t>(idx) <= keys.origin.size()
               ? keys.origin[static_cast<std::size_t>(idx - 1)]
               : 0;
  };
  for (LineRecord record; diff_.NextDiffLine(record);) {
    const std::int32_t idx1 = original(keys1_, record.idx1);
    const std::int32_t idx2 = original(keys2_, record.idx2);
    LineRecord out;
    switch (record.kind) {
      case LineKind::kCommon:
        if (idx1 == 0 || idx2 == 0) continue;
        AppendSkipped(idx1, idx2);
        out.kind = LineKind::kCommon;
        break;
      case LineKind::kOnly1:
        if (idx1 == 0) continue;
        AppendSkipped(idx1, next2_);
        out.kind = LineKind::kOnly1;
        break;
      case LineKind::kOnly2:
        if (idx2 == 0) continue;
        AppendSkipped(next1_, idx2);
        out.kind = LineKind::kOnly2;
        break;
    }
    if (idx1 != 0) {
      out.idx1 = idx1;
      out.line1 = lines1_[static_cast<std::size_t>(idx1)];
      next1_ = idx1 + 1;
    }
    if (idx2 != 0) {
      out.idx2 = idx2;
      out.line2 = lines2_[static_cast<std::size_t>(idx2)];
      next2_ = idx2 + 1;
    }
    records_.push_back(out);
  }
  AppendSkipped(static_cast<std::int32_t>(lines1_.size()),
                static_cast<std::int32_t>(lines2_.size()));
  return records_;
}

const std::vector<LineRecord>& LineDiffer::OneSide(std::u16string_view text, int side) {
  records_.clear();
  std::int64_t position = 1;
  for (std::int32_t k = 1; position != -1; ++k) {
    const std::u16string_view line = ReadLine(text, position);
    LineRecord record;
    if (side == 1) {
      record = {LineKind::kOnly1, k, 0, line, {}};
    } else {
      record = {LineKind::kOnly2, 0, k, {}, line};
    }
    records_.push_back(record);
  }
  return records_;
}

std::vector<bool> MovedLines(std::span<const LineRecord> lines) {
  std::vector<bool> moved(lines.size(), false);
  // Side 2's one-sided lines by text, in order, each waiting for its pair.
  std::unordered_map<std::u16string_view, std::vector<std::size_t>> added;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::kOnly2) added[lines[i].line2].push_back(i);
  }
  if (added.empty()) return moved;
  std::unordered_map<std::u16string_view, std::size_t> paired;  // how many of each text
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kOnly1) continue;
    const auto found = added.find(lines[i].line1);
    if (found == added.end()) continue;
    std::size_t& next = paired[lines[i].line1];
    if (next == found->second.size()) continue;
    moved[i] = true;
    moved[found->second[next++]] = true;
  }
  return moved;
}

}  // namespace tarnwick
