#include "cli/setting_keys.h"

#include <vector>

namespace tarnwick::cli {
namespace {

// The operands of objdiff stand where the window has drops and selections.
std::vector<std::u16string_view> OperandsOf(MessageId id) {
  if (id == MessageId::ReportsNotDropped) return {u"<REPORT1>", u"<REPORT2>"};
  if (id == MessageId::ObjectsNotSelected) return {u"<NODEKEY1>", u"<NODEKEY2>"};
  if (id == MessageId::ObjectNotFound1) return {u"<NODEKEY1>"};
  if (id == MessageId::ObjectNotFound2) return {u"<NODEKEY2>"};
  return {};
}

// " (KEY=value, ...)", an operand by its name alone.
std::u16string Describe(const std::vector<std::u16string_view>& keys, const Settings& settings) {
  std::u16string out = u" (";
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0) out += u", ";
    out += keys[i];
    if (const auto value = SettingValueText(settings, keys[i])) {
      out += u'=';
      out += *value;
    }
  }
  return out + u")";
}

}  // namespace

std::u16string SettingKeysOf(const Message& message, const Settings& settings) {
  if (!message.settingKeys.empty()) return Describe(message.settingKeys, settings);
  const std::vector<std::u16string_view> operands = OperandsOf(message.id);
  return operands.empty() ? std::u16string() : Describe(operands, settings);
}

}  // namespace tarnwick::cli
