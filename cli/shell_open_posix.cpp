#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include "cli/shell_open.h"

extern char** environ;

namespace tarnwick::cli {

void OpenWithShell(const std::filesystem::path& file) {
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(file.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  (void)posix_spawnp(&child, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace tarnwick::cli
