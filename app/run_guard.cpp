#include "app/run_guard.h"

#include <new>

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {

std::u16string RunErrorMessage(std::u16string_view stage, std::u16string_view description,
                               bool lineBreak) {
  std::u16string message(stage);
  message += kErrorWords;
  if (lineBreak) message += u"\r\n";
  message += description;
  return message;
}

RunOutcome EndCancelled(WindowOps& window, const std::vector<std::u16string>& notReached) {
  window.SetWaitCursor(false);
  window.ShowMessage(kCancelledMessage, MessageIcon::Information);
  window.ShowNotReached(notReached);
  return RunOutcome::Cancelled;
}

std::u16string ErrorDescription(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) return own->Description();
  if (dynamic_cast<const std::bad_alloc*>(&error)) return u"メモリが不足しています。";
  return FromUtf8(error.what());
}

}  // namespace tarnwick
