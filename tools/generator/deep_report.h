// Two versions of a report nested as deep as a report may be: a form whose
// objects each hold a title property and a section with the next object, in
// `branches` chains side by side, every object named by `nameLength`
// characters. The second version changes every title, so every object of
// every chain has a change of its own: the input that shows what a page
// costs when paths are long.
#pragma once

#include <cstddef>
#include <string>

namespace tarnwick {

struct DeepReportPair {
  std::u16string report1;
  std::u16string report2;
};

// `depth` objects per chain below the form (each with a section, so at most
// half the parser's section depth); names are at least 8 characters.
DeepReportPair GenerateDeepReports(std::size_t depth, std::size_t nameLength, std::size_t branches);

}  // namespace tarnwick
