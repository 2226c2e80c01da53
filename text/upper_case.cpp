#include "text/upper_case.h"

#include <array>
#include <cstdint>

namespace tarnwick {

namespace {

struct UpperCaseRun {
  char16_t first;
  char16_t last;
  unsigned step;
  int delta;
};

// kUpperCaseRuns: the simple upper-case mapping, taken once from ICU.
#include "text/upper_case_table.inc"

// A two-level table of deltas built by the compiler: blocks of 256 units that
// hold no lower-case letter (surrogates, kana, ideographs, ...) share block 0.
constexpr std::size_t CountLetterBlocks() {
  std::array<bool, 256> used{};
  for (const UpperCaseRun& run : kUpperCaseRuns) {
    for (unsigned c = run.first; c <= run.last; c += run.step) used[c >> 8] = true;
  }
  std::size_t count = 0;
  for (bool u : used) count += u;
  return count;
}

struct UpperCaseTable {
  std::array<std::uint8_t, 256> block{};
  std::array<std::array<char16_t, 256>, 1 + CountLetterBlocks()> delta{};
};

constexpr UpperCaseTable MakeUpperCaseTable() {
  UpperCaseTable t;
  std::uint8_t next = 1;
  for (const UpperCaseRun& run : kUpperCaseRuns) {
    for (unsigned c = run.first; c <= run.last; c += run.step) {
      std::uint8_t& block = t.block[c >> 8];
      if (block == 0) block = next++;
      t.delta[block][c & 0xFF] = static_cast<char16_t>(run.delta);
    }
  }
  return t;
}

constexpr UpperCaseTable kUpperCase = MakeUpperCaseTable();

}  // namespace

char16_t UpperCase(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
  return static_cast<char16_t>(c + kUpperCase.delta[kUpperCase.block[c >> 8]][c & 0xFF]);
}

std::u16string UpperCase(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) c = UpperCase(c);
  return upper;
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i] && UpperCase(a[i]) != UpperCase(b[i])) return false;
  }
  return true;
}

}  // namespace tarnwick
