// tarnwick-cli git-diff, textconv and difftool: reports in git. git-diff is
// an external diff driver (diff.<driver>.command) printing the text view,
// textconv turns one report into stable lines (diff.<driver>.textconv), and
// difftool writes a review page of two reports and opens it.
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "app/ignore_file.h"
#include "app/page_styles.h"
#include "app/report_loader.h"
#include "app/run_guard.h"
#include "base/error.h"
#include "cli/commands.h"
#include "cli/console_io.h"
#include "cli/console_view.h"
#include "cli/run_options.h"
#include "cli/setting_keys.h"
#include "cli/shell_open.h"
#include "diff/form_diff.h"
#include "files/file_io.h"
#include "files/paths.h"
#include "messages/message_catalog.h"
#include "messages/page_words.h"
#include "pages/page_file.h"
#include "text/utf8.h"
#include "textview/report_text.h"
#include "textview/text_view.h"

namespace tarnwick::cli {

namespace {

// How git names the side a change lacks.
bool IsAbsentSide(std::string_view path) {
  return path == "/dev/null" || path == "nul" || path == "NUL";
}

// The tree of one side; a side git says is absent, or an empty report, is
// a blank tree.
CollectionPtr SideTree(std::string_view path, std::u16string& stage, const Settings& settings) {
  if (IsAbsentSide(path)) return BlankTree();
  CollectionPtr tree = ParseReportFile(ResolvedPath(FilePathOfBytes(path)), stage,
                                       settings.UI_LANGUAGE, settings.REPORT_ENCODING);
  return tree ? tree : BlankTree();
}

// The ignore rules the settings name, or the input check's message printed
// (false), as a comparison run gives it.
bool LoadRules(const Settings& settings, IgnoreRules& rules) {
  const std::optional<Message> warning = LoadIgnoreRules(settings, rules);
  if (!warning) return true;
  WriteErrorOutput(ToUtf8(MessageText(*warning, CatalogFor(settings.UI_LANGUAGE)) +
                          SettingKeysOf(*warning, settings)) +
                   '\n');
  return false;
}

// Compares two reports into `renderer`, which writes into `out`.
void CompareFiles(std::string_view path1, std::string_view path2, std::u16string_view title1,
                  std::u16string_view title2, std::u16string_view heading, const Settings& settings,
                  const IgnoreRules& rules, ComparisonRenderer& renderer, TextSink& out,
                  std::u16string& stage) {
  const CollectionPtr tree1 = SideTree(path1, stage, settings);
  const CollectionPtr tree2 = SideTree(path2, stage, settings);
  stage = MessageText(MessageId::StageComparing, CatalogFor(settings.UI_LANGUAGE));
  CompareOptions options = CompareOptionsOf(settings);
  options.ignoreRules = &rules;
  const ComparisonResult result = MakeFormDiff(*tree1, *tree2, title1, title2, renderer.Start(out),
                                               settings.DIFF_ONLY, options);
  stage.clear();
  renderer.Finish({heading, result});
}

// Runs `body`; an error is printed as a run's error message, exit status 1.
template <typename Body>
int Guarded(Body body, UiLanguage language = UiLanguage::Japanese) {
  std::u16string stage;
  try {
    return body(stage);
  } catch (const std::exception& error) {
    PrintMessage(RunErrorMessage(stage, ErrorDescription(error, CatalogFor(language))), language);
  }
  return kExitRunError;
}

// A new folder of its own below the temporary folder.
std::filesystem::path NewTemporaryFolder() {
  std::random_device random;
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    std::filesystem::path folder = temp / ("tarnwick-difftool-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) return folder;
    if (error && attempt > 100) throw std::filesystem::filesystem_error("temp", folder, error);
  }
}

}  // namespace

int RunGitDiff(Arguments args) {
  RunOptions options;
  std::string problem;
  if (!ParseRunOptions(args, options, problem)) return UsageError(problem);
  if (options.help) {
    PrintHelpOf("git-diff");
    return kExitFinished;
  }
  const std::vector<std::string>& in = options.operands;
  // An unmerged path comes alone.
  if (in.size() == 1) {
    WriteOutput("* Unmerged path " + in[0] + "\n");
    return kExitFinished;
  }
  if (in.size() != 7 && in.size() != 9) {
    return UsageError("git-diff takes the 7 (or 9) arguments git passes to a diff driver");
  }
  // A rename's new name comes eighth.
  const std::u16string path1 = FromUtf8(in[0]);
  const std::u16string path2 = in.size() == 9 ? FromUtf8(in[7]) : path1;
  const std::u16string title1 = IsAbsentSide(in[1]) ? u"/dev/null" : u"a/" + path1;
  const std::u16string title2 = IsAbsentSide(in[4]) ? u"/dev/null" : u"b/" + path2;
  // Under git's pager standard output is a pipe, yet a terminal shows it.
  const char* pager = std::getenv("GIT_PAGER_IN_USE");
  const bool color = UseColor(options.color, pager != nullptr && *pager != '\0');
  // The view shows differences only; the walk need not report the rest.
  options.settings.DIFF_ONLY = true;
  IgnoreRules rules;
  if (!LoadRules(options.settings, rules)) return kExitRejected;
  return Guarded(
      [&](std::u16string& stage) {
        OutputSink out;
        TextView view({color, &PageWordsFor(options.settings.UI_LANGUAGE)});
        CompareFiles(in[1], in[4], title1, title2, path2, options.settings, rules, view, out,
                     stage);
        out.Flush();
        // git takes any other status as the driver's failure.
        return kExitFinished;
      },
      options.settings.UI_LANGUAGE);
}

int RunTextconv(Arguments args) {
  RunOptions options;
  std::string problem;
  if (!ParseRunOptions(args, options, problem)) return UsageError(problem);
  if (options.help) {
    PrintHelpOf("textconv");
    return kExitFinished;
  }
  if (options.operands.size() != 1) return UsageError("textconv takes one REPORT");
  const Settings& settings = options.settings;
  return Guarded(
      [&](std::u16string& stage) {
        const CollectionPtr tree = ParseReportFile(FilePathOfBytes(options.operands[0]), stage,
                                                   settings.UI_LANGUAGE, settings.REPORT_ENCODING);
        OutputSink out;
        WriteReportText(tree.get(), out, PageWordsFor(settings.UI_LANGUAGE).outlineSection);
        out.Flush();
        return kExitFinished;
      },
      settings.UI_LANGUAGE);
}

int RunDifftool(Arguments args) {
  RunOptions options;
  std::string problem;
  bool open = true;
  std::vector<std::string_view> rest;
  for (const std::string_view arg : args) {
    if (arg == "--no-open") {
      open = false;
    } else {
      rest.push_back(arg);
    }
  }
  if (!ParseRunOptions(rest, options, problem)) return UsageError(problem);
  if (options.help) {
    PrintHelpOf("difftool");
    return kExitFinished;
  }
  if (options.operands.size() != 2) return UsageError("difftool takes LOCAL and REMOTE");
  const std::string& local = options.operands[0];
  const std::string& remote = options.operands[1];
  options.settings.PAGE_STYLE = PageStyle::Review;
  IgnoreRules rules;
  if (!LoadRules(options.settings, rules)) return kExitRejected;
  return Guarded(
      [&](std::u16string& stage) {
        const FilePath remotePath = FilePathOfBytes(remote);
        const FilePath localPath = FilePathOfBytes(local);
        const std::u16string name =
            PathText(remotePath.native.filename().empty() ? localPath.native.filename()
                                                          : remotePath.native.filename());
        const std::u16string title1 = IsAbsentSide(local) ? u"" : ResolvedPath(localPath).text;
        const std::u16string title2 = IsAbsentSide(remote) ? u"" : ResolvedPath(remotePath).text;
        const std::u16string page =
            PathText(NewTemporaryFolder()) + NativeSeparator() + name + u".html";
        const std::unique_ptr<ComparisonRenderer> renderer =
            ComparisonRendererFor(options.settings);
        PageWriter writer(page, renderer->Encoding());
        CompareFiles(local, remote, title1, title2, name, options.settings, rules, *renderer,
                     writer, stage);
        stage = MessageText({MessageId::StageWriting, {page}},
                            CatalogFor(options.settings.UI_LANGUAGE));
        writer.Commit();
        stage.clear();
        WriteOutput(ToUtf8(page) + "\n");
        if (open) OpenWithShell(NativePath(page));
        return kExitFinished;
      },
      options.settings.UI_LANGUAGE);
}

}  // namespace tarnwick::cli
