// Generates realistic object list reports of any size for benchmarks, demos
// and tests: a form module with blocks and items, triggers with multi-line
// PL/SQL bodies, program units, record groups, list elements, query data
// source columns, attached libraries, Japanese comments and prompts. The
// output is deterministic for a given seed. Texts use CR LF line ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

struct GeneratorOptions {
  std::uint64_t seed = 1;
  std::size_t targetBytes = 1 << 20;  // approximate size of the code page 932 bytes
  std::u16string moduleName = u"FORM1";
};

std::u16string GenerateReportText(const GeneratorOptions& options);

// A second version with realistic edits (changed, inserted and deleted lines
// in trigger bodies, changed property values, added and removed items) to
// about `editFraction` of the lines.
std::u16string MutateReportText(std::u16string_view text, double editFraction,
                                std::uint64_t seed);

}  // namespace tarnwick
