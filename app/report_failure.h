// The reports a run going on past bad ones (ON_ERROR=CONTINUE) could not use,
// as the summary, the JSON and the window's result list show them. A
// failure's message is the run error's own words on one line: the stage,
// which names the side and the full path, "エラーが発生しました。" and the
// description, which for a grammar error starts with the line.
//
//   LoadedReport loaded = LoadReportKept(path, nullptr, buffers, language, ReportSide::Source1);
//   if (auto failure = LoadFailure(loaded, ReportSide::Source1, path.text, catalog)) ...
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/report_loader.h"
#include "diff/file_status.h"
#include "messages/message_catalog.h"

namespace tarnwick {

// The failure kept in `loaded`, or nothing when the report loaded (an empty
// report loads, as null). A stop request is no failure of the report: it is
// rethrown, so the run stops as it would have.
std::optional<ReportFailure> LoadFailure(const LoadedReport& loaded, ReportSide side,
                                         std::u16string_view path, MessageCatalog catalog);

// The failure of a report that holds no object, met at `stage`.
ReportFailure EmptyReportFailure(std::u16string_view stage, ReportSide side,
                                 std::u16string_view path, MessageCatalog catalog);

// What an empty report is, naming its side:
// "ソース１のレポート[path]にオブジェクトがありません。"
std::u16string EmptyReportDescription(ReportSide side, std::u16string_view path,
                                      MessageCatalog catalog);

}  // namespace tarnwick
