// Two folders of generated report pairs, as `tarnwick-gen folders` writes
// them: FORM0001.txt, FORM0002.txt, ... in each, the second side with a few
// edits. For tests that need a run long enough to act on while it lasts.
#pragma once

#include <cstdint>
#include <string>

#include "text/utf8.h"
#include "tools/generator/report_generator.h"

namespace tarnwick::testing {

inline void WriteGeneratedPairs(const std::u16string& folder1, const std::u16string& folder2,
                                int pairs, std::uint64_t bytes) {
  for (int i = 1; i <= pairs; ++i) {
    std::string name = std::to_string(i);
    name = "FORM" + std::string(name.size() < 4 ? 4 - name.size() : 0, '0') + name;
    GeneratorOptions options;
    options.targetBytes = bytes;
    options.seed = static_cast<std::uint64_t>(i);
    options.moduleName = FromUtf8(name);
    const std::u16string text = GenerateReportText(options);
    const std::u16string file = FromUtf8(name + ".txt");
    WriteReportFile(folder1 + file, text);
    WriteReportFile(folder2 + file, MutateReportText(text, 0.01, options.seed));
  }
}

}  // namespace tarnwick::testing
