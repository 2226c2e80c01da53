#include "app/page_styles.h"

#include "classic/classic_renderers.h"
#include "diff/fan_out_renderer.h"
#include "review/review_renderers.h"

namespace tarnwick {

const PageWords& PageWordsOf(const Settings& settings) {
  return PageWordsFor(settings.UI_LANGUAGE);
}

CompareOptions CompareOptionsOf(const Settings& settings, const IgnoreRules* rules) {
  return {settings.IGNORE_BLANKS, settings.IGNORE_CASE, rules};
}

std::unique_ptr<ComparisonRenderer> ComparisonRendererFor(const Settings& settings) {
  switch (settings.PAGE_STYLE) {
    case PageStyle::Review:
      return std::make_unique<ReviewComparisonRenderer>(CompareOptionsOf(settings),
                                                        PageWordsOf(settings));
    case PageStyle::Classic:
      break;
  }
  return std::make_unique<ClassicComparisonRenderer>(PageWordsOf(settings));
}

std::unique_ptr<ComparisonRenderer> PairRendererFor(const Settings& settings, bool pageWanted,
                                                    ComparisonView* view) {
  if (view == nullptr) return ComparisonRendererFor(settings);
  if (!pageWanted) return view->PairRenderer();
  return std::make_unique<FanOutRenderer>(ComparisonRendererFor(settings), view->PairRenderer(),
                                          view->Output());
}

std::unique_ptr<SearchRenderer> SearchRendererFor(const Settings& settings) {
  switch (settings.PAGE_STYLE) {
    case PageStyle::Review:
      return std::make_unique<ReviewSearchRenderer>(PageWordsOf(settings));
    case PageStyle::Classic:
      break;
  }
  return std::make_unique<ClassicSearchRenderer>(PageWordsOf(settings));
}

std::unique_ptr<SummaryRenderer> SummaryRendererFor(const Settings& settings) {
  switch (settings.PAGE_STYLE) {
    case PageStyle::Review:
      return std::make_unique<ReviewSummaryRenderer>(PageWordsOf(settings));
    case PageStyle::Classic:
      break;
  }
  return std::make_unique<ClassicSummaryRenderer>(PageWordsOf(settings));
}

}  // namespace tarnwick
