// `tarnwick-cli tree REPORT`: the parsed object tree as one line of JSON.
#include <exception>
#include <string>

#include "app/report_loader.h"
#include "app/run_guard.h"
#include "cli/commands.h"
#include "cli/console_io.h"
#include "files/file_io.h"
#include "report/tree_json.h"

namespace tarnwick::cli {

int RunTree(Arguments args) {
  if (args.size() != 1 || args[0].starts_with("--")) return UsageError("tree takes one REPORT");
  std::u16string stage;
  try {
    const CollectionPtr tree = ParseReportFile(FilePathOfBytes(args[0]), stage);
    std::string json = TreeToJson(tree);
    json += '\n';
    WriteOutput(json);
    return kExitFinished;
  } catch (const std::exception& error) {
    PrintMessage(RunErrorMessage(stage, ErrorDescription(error)));
  }
  return kExitRunError;
}

}  // namespace tarnwick::cli
