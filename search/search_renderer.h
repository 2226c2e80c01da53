// A page style's rendering of one report's search page. The run picks exactly
// one renderer from the settings and drives it as it drives a comparison
// renderer (comparison_renderer.h):
//
//   PageWriter page(path, renderer.Encoding());
//   const SearchResult result = MakeSearch(query, tree, path, renderer.Start(page));
//   renderer.Finish(name, result);
//   page.Commit();
#pragma once

#include <string_view>

#include "search/search_table.h"
#include "text/text_sink.h"

namespace tarnwick {

class SearchRenderer {
 public:
  virtual ~SearchRenderer() = default;

  // The encoding the page's text is written in.
  virtual PageEncoding Encoding() const = 0;
  // Begins the page in `page`, which must outlive Finish; returns where the
  // search reports, valid until Finish.
  virtual SearchEvents& Start(TextSink& page) = 0;
  // Ends the page; `heading` names the report. Throws tarnwick::Error.
  virtual void Finish(std::u16string_view heading, const SearchResult& result) = 0;
};

}  // namespace tarnwick
