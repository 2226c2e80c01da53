#include "app/report_loader.h"

#include "files/file_io.h"
#include "report/report_parser.h"
#include "text/cp932.h"

namespace tarnwick {

namespace {

// Buffers up to this size stay for the next report; a larger one is given
// back, so that one huge report neither holds its bytes beside its tree nor
// keeps memory for the rest of the run.
constexpr std::size_t kKeptBufferBytes = 8 << 20;

template <typename T>
void ReleaseIfLarge(RawBuffer<T>& buffer) {
  if (buffer.capacity() * sizeof(T) > kKeptBufferBytes) buffer.Release();
}

}  // namespace

void ReportBuffers::ReleaseLarge() {
  ReleaseIfLarge(bytes);
  ReleaseIfLarge(text);
}

std::u16string ReadReportText(const FilePath& path) {
  RawBuffer<char> bytes;
  ReadFileBytes(path, bytes);
  return DecodeCp932(bytes.View());
}

CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage, ReportBuffers& buffers) {
  // Appended, not added to a literal: GCC 12 at -O3 warns falsely on that.
  std::u16string quoted = u"[";
  quoted.append(path.text).append(u"]");
  stage = u"ファイル文章" + quoted + u"の読み込み中に、";
  ReadFileBytes(path, buffers.bytes);
  DecodeCp932(buffers.bytes.View(), buffers.text);
  ReleaseIfLarge(buffers.bytes);
  stage = u"フォーム文章" + quoted + u"の解析中に、";
  CollectionPtr tree;
  GetBlockStruct(buffers.text, tree);
  stage.clear();
  return tree;
}

CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage) {
  ReportBuffers buffers;
  return ParseReportFile(path, stage, buffers);
}

CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window,
                         ReportBuffers& buffers) {
  CollectionPtr tree = ParseReportFile(path, stage, buffers);
  if (tree && window.StructureViewerEnabled()) window.ShowStructure(*tree);
  return tree;
}

CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window) {
  ReportBuffers buffers;
  return LoadReport(path, stage, window, buffers);
}

CollectionPtr LoadedReport::Take(std::u16string& runStage) {
  if (error) {
    runStage = stage;
    std::rethrow_exception(error);
  }
  return std::move(tree);
}

LoadedReport LoadReportKept(const FilePath& path, WindowOps* window, ReportBuffers& buffers) {
  LoadedReport loaded;
  try {
    loaded.tree = window ? LoadReport(path, loaded.stage, *window, buffers)
                         : ParseReportFile(path, loaded.stage, buffers);
  } catch (...) {
    loaded.error = std::current_exception();
  }
  return loaded;
}

std::future<LoadedReport> LoadReportAhead(FilePath path, ReportBuffers& buffers) {
  return std::async(std::launch::async, [path = std::move(path), &buffers] {
    LoadedReport loaded = LoadReportKept(path, nullptr, buffers);
    buffers.ReleaseLarge();
    return loaded;
  });
}

}  // namespace tarnwick
