// A report as stable text, one line per property, for tools that work on
// lines (git's textconv, so that `git diff`, `git blame` and `git grep`
// work on reports):
//
//   ブロック・項目:
//       BLK1
//           ITEM1
//   FORM1/タイトル: 受注
//   FORM1/ブロック/BLK1/問合せ可能: はい
//   FORM1/トリガー/WHEN-NEW-FORM-INSTANCE/トリガー・テキスト:
//       BEGIN
//
// Every line names its object path. A multi-line value follows its name,
// each line indented by four blanks. The properties of an object keep the
// report's order (it is the builder's fixed order); the objects of a
// section are sorted by key (code unit by code unit), since the comparison
// matches them by key and their order means nothing to it. The order of
// blocks and items, which does mean something, is the block and item
// outline at the top. An empty section or object is its path and "/"; a
// property without value its path alone. The same tree always gives the
// same text.
#pragma once

#include <string_view>

#include "diff/compare_events.h"
#include "report/object_tree.h"
#include "text/text_sink.h"

namespace tarnwick {

// Writes the text of `tree` (null: nothing) into `out`. Deep trees cost no
// call stack. The outline is headed by `outlineHeading` (the pages' word for
// it in the run's language).
void WriteReportText(const Collection* tree, TextSink& out,
                     std::u16string_view outlineHeading = kOutlineSectionName);

}  // namespace tarnwick
