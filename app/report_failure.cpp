#include "app/report_failure.h"

#include <exception>

#include "app/run_guard.h"
#include "base/error.h"
#include "base/stop_request.h"

namespace tarnwick {
namespace {

int SideNumber(ReportSide side) {
  return side == ReportSide::Source1 ? 1 : side == ReportSide::Source2 ? 2 : 0;
}

}  // namespace

std::optional<ReportFailure> LoadFailure(const LoadedReport& loaded, ReportSide side,
                                         std::u16string_view path, MessageCatalog catalog) {
  if (!loaded.error) return std::nullopt;
  ReportFailure failure{SideNumber(side), std::u16string(path), 0, {}};
  try {
    std::rethrow_exception(loaded.error);
  } catch (const RunStopped&) {
    throw;
  } catch (const std::exception& error) {
    if (const auto* own = dynamic_cast<const Error*>(&error)) failure.line = own->Line();
    failure.message = MessageText(
        RunErrorMessage(loaded.stage, ErrorDescription(error, catalog), false), catalog);
  }
  return failure;
}

ReportFailure EmptyReportFailure(std::u16string_view stage, ReportSide side,
                                 std::u16string_view path, MessageCatalog catalog) {
  return {SideNumber(side), std::u16string(path), 0,
          MessageText(RunErrorMessage(stage, EmptyReportDescription(side, path, catalog), false),
                      catalog)};
}

std::u16string EmptyReportDescription(ReportSide side, std::u16string_view path,
                                      MessageCatalog catalog) {
  return MessageText({MessageId::ReportHoldsNoObject,
                      {MessageText(SideName(side), catalog), std::u16string(path)}},
                     catalog);
}

}  // namespace tarnwick
