// The one place a page style becomes its renderers: each run asks here for
// the single renderer of each page it writes, chosen from the settings. A new
// style is a room of its own implementing the renderer interfaces, and a line
// in each switch of page_styles.cpp; the runs do not change.
#pragma once

#include <memory>

#include "app/comparison_view.h"
#include "app/settings.h"
#include "diff/compare_options.h"
#include "diff/comparison_renderer.h"
#include "messages/page_words.h"
#include "search/run_summary.h"
#include "search/search_renderer.h"

namespace tarnwick {

// The comparison options as the settings hold them, with the ignore rules
// the run read (none when null).
CompareOptions CompareOptionsOf(const Settings& settings, const IgnoreRules* rules = nullptr);

// The words every page of the run writes: those of the settings' language.
const PageWords& PageWordsOf(const Settings& settings);

std::unique_ptr<ComparisonRenderer> ComparisonRendererFor(const Settings& settings);
// The renderer of one comparison: the page's when `pageWanted`, the view's
// when a view is given, both at once when both are.
std::unique_ptr<ComparisonRenderer> PairRendererFor(const Settings& settings, bool pageWanted,
                                                    ComparisonView* view);

std::unique_ptr<SearchRenderer> SearchRendererFor(const Settings& settings);
std::unique_ptr<SummaryRenderer> SummaryRendererFor(const Settings& settings);

}  // namespace tarnwick
