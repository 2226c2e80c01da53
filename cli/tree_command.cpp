// `tarnwick-cli tree REPORT`: the parsed object tree as one line of JSON.
#include <cstdio>
#include <exception>
#include <string>

#include "app/report_loader.h"
#include "app/run_guard.h"
#include "base/error.h"
#include "cli/commands.h"
#include "report/tree_json.h"
#include "text/utf8.h"

namespace tarnwick::cli {

int RunTree(Arguments args) {
  if (args.size() != 1 || args[0].starts_with("--")) return UsageError("tree takes one REPORT");
  std::u16string stage;
  try {
    const CollectionPtr tree = ParseReportFile(FilePathOf(FromUtf8(args[0])), stage);
    std::string json = TreeToJson(tree);
    json += '\n';
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
        std::fflush(stdout) != 0) {
      throw Error(kFileErrorNumber, u"標準出力に書き込めません。");
    }
    return kExitFinished;
  } catch (const std::exception& error) {
    PrintMessage(RunErrorMessage(stage, ErrorDescription(error)));
  }
  return kExitRunError;
}

}  // namespace tarnwick::cli
