#include "app/report_loader.h"

#include <algorithm>
#include <optional>

#include "files/file_io.h"
#include "messages/message_catalog.h"
#include "report/forms_xml.h"
#include "report/report_encoding.h"
#include "report/report_parser.h"
#include "text/cp932.h"

namespace tarnwick {

namespace {

// Buffers up to this size stay for the next report; a larger one is given
// back, so that one huge report neither holds its bytes beside its tree nor
// keeps memory for the rest of the run.
constexpr std::size_t kKeptBufferBytes = 8 << 20;

// The file is read this much at a time, so its bytes are never held whole
// beside their text, and a piece is decoded while it is still in the cache.
constexpr std::size_t kPieceBytes = 256 << 10;

template <typename T>
void ReleaseIfLarge(RawBuffer<T>& buffer) {
  if (buffer.capacity() * sizeof(T) > kKeptBufferBytes) buffer.Release();
}

ReportTextEncoding TextEncodingOf(ReportEncoding encoding) {
  switch (encoding) {
    case ReportEncoding::Cp932:
      return ReportTextEncoding::kCp932;
    case ReportEncoding::Windows1252:
      return ReportTextEncoding::kWindows1252;
    case ReportEncoding::Utf8:
      return ReportTextEncoding::kUtf8;
    case ReportEncoding::Automatic:
      break;
  }
  return ReportTextEncoding::kAutomatic;
}

// Reads the report into `buffers.text`, decoded: a code page 932 report a
// piece at a time; a Forms XML module, known by its first piece, whole into
// `buffers.bytes` (true); any other report whole, then decoded.
bool ReadReportInto(const FilePath& path, ReportBuffers& buffers) {
  FileReader file(path);
  buffers.bytes.Clear();
  buffers.bytes.Resize(std::min(kPieceBytes, file.Size()));
  std::size_t got = file.Read(buffers.bytes.data(), buffers.bytes.size());
  const std::string_view head(buffers.bytes.data(), got);
  const bool formsXml = IsFormsXml(head);
  const std::optional<ReportTextEncoding> encoding =
      formsXml ? std::nullopt : EncodingOfHead(head, TextEncodingOf(buffers.encoding));
  if (encoding == ReportTextEncoding::kCp932) {
    Cp932PieceDecoder decoder(buffers.text, file.Size());
    for (; got != 0; got = file.Read(buffers.bytes.data(), buffers.bytes.size())) {
      decoder.Append(std::string_view(buffers.bytes.data(), got));
    }
    decoder.Finish();
    return false;
  }
  buffers.bytes.Resize(file.Size());
  std::size_t filled = got;
  while ((got = file.Read(buffers.bytes.data() + filled, file.Size() - filled)) != 0) {
    filled += got;
  }
  buffers.bytes.Resize(filled);
  if (formsXml) return true;
  DecodeReportBytes(buffers.bytes.View(), encoding.value_or(ReportTextEncoding::kAutomatic),
                    buffers.text);
  return false;
}

// The stage of one step, naming the side when there is one.
std::u16string StageOf(MessageId plain, MessageId sided, const FilePath& path, ReportSide side,
                       MessageCatalog catalog) {
  if (side == ReportSide::None) return MessageText({plain, {path.text}}, catalog);
  return MessageText({sided, {MessageText(SideName(side), catalog), path.text}}, catalog);
}

}  // namespace

MessageId SideName(ReportSide side) {
  switch (side) {
    case ReportSide::Source1:
      return MessageId::Source1;
    case ReportSide::Source2:
      return MessageId::Source2;
    case ReportSide::Search:
      return MessageId::SearchSource;
    case ReportSide::None:
      break;
  }
  return MessageId::NoStatus;
}

void ReportBuffers::ReleaseLarge() {
  ReleaseIfLarge(bytes);
  ReleaseIfLarge(text);
}

std::u16string ReadReportText(const FilePath& path, ReportEncoding encoding) {
  ReportBuffers buffers(encoding);
  if (ReadReportInto(path, buffers)) DecodeCp932(buffers.bytes.View(), buffers.text);
  return std::u16string(buffers.text.View());
}

CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage, ReportBuffers& buffers,
                              UiLanguage language, ReportSide side) {
  const MessageCatalog catalog = CatalogFor(language);
  stage = StageOf(MessageId::StageReading, MessageId::StageReadingSide, path, side, catalog);
  const bool formsXml = ReadReportInto(path, buffers);
  stage = StageOf(MessageId::StageParsing, MessageId::StageParsingSide, path, side, catalog);
  CollectionPtr tree = formsXml ? ParseFormsXml(buffers.bytes.View()) : ParseReport(buffers.text);
  stage.clear();
  return tree;
}

CollectionPtr ParseReportFile(const FilePath& path, std::u16string& stage, UiLanguage language,
                              ReportEncoding encoding) {
  ReportBuffers buffers(encoding);
  return ParseReportFile(path, stage, buffers, language);
}

CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window,
                         ReportBuffers& buffers, UiLanguage language, ReportSide side) {
  CollectionPtr tree = ParseReportFile(path, stage, buffers, language, side);
  if (tree && window.StructureViewerEnabled()) window.ShowStructure(*tree);
  return tree;
}

CollectionPtr LoadReport(const FilePath& path, std::u16string& stage, WindowOps& window,
                         UiLanguage language, ReportEncoding encoding) {
  ReportBuffers buffers(encoding);
  return LoadReport(path, stage, window, buffers, language);
}

CollectionPtr LoadedReport::Take(std::u16string& runStage) {
  if (error) {
    runStage = stage;
    std::rethrow_exception(error);
  }
  return std::move(tree);
}

LoadedReport LoadReportKept(const FilePath& path, WindowOps* window, ReportBuffers& buffers,
                            UiLanguage language, ReportSide side) {
  LoadedReport loaded;
  try {
    loaded.tree = window ? LoadReport(path, loaded.stage, *window, buffers, language, side)
                         : ParseReportFile(path, loaded.stage, buffers, language, side);
  } catch (...) {
    loaded.error = std::current_exception();
  }
  return loaded;
}

}  // namespace tarnwick
