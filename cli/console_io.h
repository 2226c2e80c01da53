// The console of tarnwick-cli on each platform (console_io_posix.cpp,
// console_io_windows.cpp): the arguments as UTF-8, standard output and
// standard error written as UTF-8 bytes (to a Windows console as UTF-16, so
// that Japanese shows whatever its code page). A path among the arguments
// becomes a FilePath through FilePathOfBytes, which keeps its bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

// The arguments after the program's name, as UTF-8 (on POSIX the bytes as
// given, which may be no valid UTF-8 when they name a file).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Writes all of `text` to standard output; throws tarnwick::Error when it
// cannot (a full disk, a closed handle), so that no output is lost silently.
void WriteOutput(std::string_view text);
// Writes to standard error; a failure there has nowhere to be told.
void WriteErrorOutput(std::string_view text);
bool ErrorOutputIsTerminal();
// Whether standard output is a terminal that shows colour escapes (on
// Windows a console, switched to take them).
bool OutputIsTerminal();

}  // namespace tarnwick::cli
