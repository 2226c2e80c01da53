// Generates realistic object list reports of any size for benchmarks, demos
// and tests: a form module with blocks and items, triggers with multi-line
// PL/SQL bodies, program units, record groups, list elements, query data
// source columns, attached libraries, Japanese comments and prompts. The
// output is deterministic for a given seed. Texts use CR LF line ends, and
// every multi-line text is followed by a name that closes it, so the reports
// parse into the shape a real module gives.
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
std::u16string MutateReportText(std::u16string_view text, double editFraction, std::uint64_t seed);

// The bytes of a report file: code page 932, every line ending in CR LF.
std::string ReportBytes(std::u16string_view text);
// Creates or truncates the file and writes ReportBytes(text); throws
// tarnwick::Error when the file cannot be written.
void WriteReportFile(std::u16string_view path, std::u16string_view text);

}  // namespace tarnwick
