// What an input-check message adds on the command line: the settings it is
// about, each with its value, so that a script's author sees which --set to
// mend, as in "<the message> (OUTPUT_PATH=/tmp/nowhere)". The keys come from
// the message value, the values from the settings' own key table.
#pragma once

#include <string>

#include "app/settings.h"
#include "messages/message.h"

namespace tarnwick::cli {

// " (KEY=value, ...)" for the settings a message is about, objdiff's operands
// (<REPORT1>, <NODEKEY1>, ...) by their names alone; empty for a message
// about none.
std::u16string SettingKeysOf(const Message& message, const Settings& settings);

}  // namespace tarnwick::cli
