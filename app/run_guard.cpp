#include "app/run_guard.h"

#include <new>

#include "base/error.h"
#include "messages/message_catalog.h"
#include "messages/message_error.h"
#include "text/decimal.h"
#include "text/utf8.h"

namespace tarnwick {

Message RunErrorMessage(std::u16string_view stage, std::u16string_view description,
                        bool lineBreak) {
  return {lineBreak ? MessageId::RunFailed : MessageId::LoadFailed,
          {std::u16string(stage), std::u16string(description)}};
}

Message FinishedMessage(std::size_t setAside) {
  if (setAside == 0) return MessageId::Finished;
  return {MessageId::FinishedWithSetAside, {DecimalText(static_cast<std::int64_t>(setAside))}};
}

Message FinishedWithFailuresMessage(std::size_t readErrors, std::size_t setAside) {
  const std::u16string failed = DecimalText(static_cast<std::int64_t>(readErrors));
  if (setAside == 0) return {MessageId::FinishedWithFailures, {failed}};
  return {MessageId::FinishedWithFailuresAndSetAside,
          {failed, DecimalText(static_cast<std::int64_t>(setAside))}};
}

RunOutcome EndCancelled(WindowOps& window, const std::vector<std::u16string>& notReached) {
  window.SetWaitCursor(false);
  window.ShowMessage(MessageId::Cancelled, MessageIcon::Information);
  window.ShowNotReached(notReached);
  return RunOutcome::Cancelled;
}

std::u16string ErrorDescription(const std::exception& error, MessageCatalog catalog) {
  return MessagesText(ErrorDescriptionMessages(error), catalog);
}

std::vector<Message> ErrorDescriptionMessages(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Error*>(&error)) return DescriptionMessages(*own);
  if (dynamic_cast<const std::bad_alloc*>(&error)) return {MessageId::OutOfMemory};
  return {{MessageId::SystemWords, {FromUtf8(error.what())}}};
}

}  // namespace tarnwick
