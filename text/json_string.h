// Text as a JSON string: UTF-8, quoted, with quotes, backslashes and control
// characters escaped.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

void AppendJsonString(std::string& out, std::u16string_view text);

}  // namespace tarnwick
