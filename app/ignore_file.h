// The ignore rules file of a comparison run (IGNORE_FILE): read and checked
// with the run's inputs, before anything is written.
#pragma once

#include <optional>

#include "app/settings.h"
#include "diff/ignore_rules.h"
#include "messages/message.h"

namespace tarnwick {

// The largest rule file read; rules are a few lines.
inline constexpr std::size_t kMaxIgnoreFileBytes = 1024 * 1024;

// Reads the rules IGNORE_FILE names (none when it is empty) into `rules`.
// The file is UTF-8, with or without a byte order mark. A file that cannot
// be read, a line that is not UTF-8 and a line that is no rule each give
// the warning naming the file (and the line), about IGNORE_FILE.
std::optional<Message> LoadIgnoreRules(const Settings& settings, IgnoreRules& rules);

}  // namespace tarnwick
