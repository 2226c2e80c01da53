// A view of a comparison run besides its pages, or instead of them: the
// command line's text or Markdown view. The run asks it for one renderer per
// pair, which it composes with the page's renderer when pages are written
// (OUTPUT_PATH given); without OUTPUT_PATH the run writes no page and no
// summary, and the view is all it renders.
#pragma once

#include <memory>

#include "diff/comparison_renderer.h"
#include "text/text_sink.h"

namespace tarnwick {

class ComparisonView {
 public:
  virtual ~ComparisonView() = default;
  // The renderer of the next pair's view.
  virtual std::unique_ptr<ComparisonRenderer> PairRenderer() = 0;
  // Where the pairs' views are written.
  virtual TextSink& Output() = 0;
};

}  // namespace tarnwick
