// `tarnwick-cli tree REPORT`: the parsed object tree as one line of JSON.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/commands.h"
#include "report/report_parser.h"
#include "report/tree_json.h"
#include "text/cp932.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/utf8.h"

namespace tarnwick::cli {

int RunTree(Arguments args) {
  if (args.size() != 1 || args[0].starts_with("--")) return UsageError("tree takes one REPORT");
  const std::u16string path = FromUtf8(args[0]);
  std::u16string stage = u"ファイル文章[" + path + u"]の読み込み中に、";
  try {
    std::u16string text = DecodeCp932(ReadFileBytes(path));
    stage = u"フォーム文章[" + path + u"]の解析中に、";
    CollectionPtr tree;
    GetBlockStruct(text, tree);
    text = std::u16string();  // the tree owns what it needs
    stage.clear();
    std::string json = TreeToJson(tree);
    json += '\n';
    if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() ||
        std::fflush(stdout) != 0) {
      throw Error(kFileErrorNumber, u"標準出力に書き込めません。");
    }
    return kExitFinished;
  } catch (const Error& error) {
    PrintMessage(stage + u"エラーが発生しました。\r\n" + error.Description());
  } catch (const std::exception& error) {
    PrintMessage(stage + u"エラーが発生しました。\r\n" + FromUtf8(error.what()));
  }
  return kExitRunError;
}

}  // namespace tarnwick::cli
