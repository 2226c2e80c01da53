#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/file_io.h"
#include "test_platform.h"

namespace tarnwick::testing {

namespace {

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ProcessResult RunBuiltProgram(std::string_view program, const std::vector<std::string>& args,
                              const ProcessOptions& options) {
  const std::filesystem::path binary =
      std::filesystem::path(TARNWICK_CLI_PATH).parent_path() / std::string(program);
  std::string capture = (std::filesystem::temp_directory_path() / "tarnwick-proc-XXXXXX").string();
  const std::filesystem::path folder = ::mkdtemp(capture.data());
  const std::string out =
      options.outputFile.empty() ? (folder / "out").string() : options.outputFile;
  const std::string err = (folder / "err").string();

  std::vector<char*> argv;
  std::string name = binary.string();
  argv.push_back(name.data());
  std::vector<std::string> copies(args);
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const std::string workingFolder = NativePath(options.workingFolder).native();
  const pid_t child = ::fork();
  if (child == 0) {
    // Only calls that are safe between fork and exec.
    const int in = ::open("/dev/null", O_RDONLY);
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || o < 0 || e < 0) ::_exit(127);
    if (!workingFolder.empty() && ::chdir(workingFolder.c_str()) != 0) ::_exit(127);
    ::dup2(in, 0);
    ::dup2(o, 1);
    ::dup2(e, 2);
    if (options.memoryLimit != 0) {
      const rlimit limit{options.memoryLimit, options.memoryLimit};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ProcessResult result;
  int raw = 0;
  if (child > 0 && ::waitpid(child, &raw, 0) == child) {
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
  }
  if (options.outputFile.empty()) result.out = Slurp(out);
  result.err = Slurp(err);
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  return result;
}

void HideFile(std::u16string_view) {}

}  // namespace tarnwick::testing
