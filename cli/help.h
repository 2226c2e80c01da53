// The help of each command (`tarnwick-cli COMMAND --help`): its synopsis,
// options, the setting keys it reads with their meaning, and the exit codes.
#pragma once

#include <ostream>
#include <string_view>

namespace tarnwick::cli {

// False when there is no such command.
bool PrintCommandHelp(std::string_view command, std::ostream& out);

}  // namespace tarnwick::cli
