// A page style's rendering of one comparison page (a pair of reports or two
// chosen objects). The run picks exactly one renderer from the settings,
// opens the page in the encoding the renderer asks for, and then:
//
//   PageWriter page(path, renderer.Encoding());
//   const ComparisonResult result = MakeFormDiff(..., renderer.Start(page), ...);
//   renderer.Finish({heading, result});
//   page.Commit();
//
// A style may stream its page while the comparison runs or write it whole in
// Finish; either way the page holds nothing until Finish has returned.
// Adding a style is one more class implementing this, nothing in the runs.
#pragma once

#include <string_view>

#include "diff/change_counts.h"
#include "diff/compare_events.h"
#include "text/text_sink.h"

namespace tarnwick {

// What the page's closing needs to know of the comparison it shows.
struct ComparisonVerdict {
  std::u16string_view heading;  // the pair's name, or the objects compared
  ComparisonResult result;
};

class ComparisonRenderer {
 public:
  virtual ~ComparisonRenderer() = default;

  // The encoding the page's text is written in.
  virtual PageEncoding Encoding() const = 0;
  // Begins the page in `page`, which must outlive Finish; returns where the
  // comparison reports, valid until Finish.
  virtual CompareEvents& Start(TextSink& page) = 0;
  // Ends the page. Throws tarnwick::Error.
  virtual void Finish(const ComparisonVerdict& verdict) = 0;
};

}  // namespace tarnwick
