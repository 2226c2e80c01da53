// The frame every review page shares: an HTML5 document in UTF-8 with a
// declared charset, a title, inline style (light and dark, print) and a small
// inline script (next/previous change with "n" and "p", folds that open in
// place), nothing fetched, so a page works from a file offline. Also the
// store of folded lines, which travels packed at the end of the page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "messages/page_words.h"

namespace tarnwick {

// Unchanged lines folded away on one page, gathered in order of appearance.
class FoldStore {
 public:
  // Appends one line; returns its index within the store.
  std::size_t Add(std::u16string_view line);
  std::size_t Count() const { return count_; }
  // The lines packed for the page (see fold_pack.h); empty when none.
  std::u16string Packed() const;

 private:
  std::u16string text_;  // the lines joined by LF
  std::size_t count_ = 0;
};

// The parts of a page that differ from page to page; all HTML, escaped
// where they hold text from the input.
struct ReviewDocument {
  std::u16string title;                           // plain text: escaped here
  std::u16string header;                          // what stands above the changes
  std::u16string main;                            // the changes themselves
  std::u16string folds;                           // FoldStore::Packed()
  bool navigation = true;                         // the bar with previous and next change
  bool ignoredMarks = false;                      // the page marks differences ignore rules matched
  bool movedMarks = false;                        // a listing marks lines moved within it
  const PageWords* words = &JapanesePageWords();  // the page's own words
};

// The whole page as text (the caller encodes it as UTF-8).
std::u16string ReviewPageText(const ReviewDocument& document);
// The page in two parts around document.main, for a page whose changes
// were written ahead: everything up to <main>, and everything from </main>.
std::u16string ReviewPageHead(const ReviewDocument& document);
std::u16string ReviewPageTail(const ReviewDocument& document);

// "1,234": counts read at a glance.
std::u16string GroupedNumber(long long n);

}  // namespace tarnwick
