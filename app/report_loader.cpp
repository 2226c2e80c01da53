#include "app/report_loader.h"

#include "files/file_io.h"
#include "report/report_parser.h"
#include "text/cp932.h"

namespace tarnwick {

std::u16string ReadReportText(const FilePath& path) {
  RawBuffer<char> bytes;
  ReadFileBytes(path, bytes);
  return DecodeCp932(bytes.View());
}

CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage) {
  // Appended, not added to a literal: GCC 12 at -O3 warns falsely on that.
  std::u16string quoted = u"[";
  quoted.append(path.text).append(u"]");
  stage = u"ファイル文章" + quoted + u"の読み込み中に、";
  std::u16string text = ReadReportText(path);
  stage = u"フォーム文章" + quoted + u"の解析中に、";
  CollectionPtr tree;
  GetBlockStruct(text, tree);
  text = std::u16string();
  stage.clear();
  return tree;
}

CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window) {
  CollectionPtr tree = ParseReportFile(path, stage);
  if (tree && window.StructureViewerEnabled()) window.ShowStructure(*tree);
  return tree;
}

}  // namespace tarnwick
