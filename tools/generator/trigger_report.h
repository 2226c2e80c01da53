// Two versions of a report that holds one form trigger with a long body, the
// second with every k-th body line changed: the input that shows how the
// line difference copes with dense changes. The body mixes distinct
// statements with the repeated lines real code is full of ("END IF;",
// "NULL;", blank lines). Deterministic for a given seed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

struct TriggerReportPair {
  std::u16string report1;
  std::u16string report2;
};

// Body lines are numbered from 1; line k differs between the versions
// exactly when `changedEvery` is not 0 and divides k.
TriggerReportPair GenerateTriggerReports(std::size_t bodyLines, std::size_t changedEvery,
                                         std::uint64_t seed);

}  // namespace tarnwick
