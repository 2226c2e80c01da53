// The one handler of a run and what goes with it: the outcome the caller
// learns, the message "stage text + エラーが発生しました。 + CR LF +
// description" that every error becomes, and the wait cursor that is
// restored on every way out.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "app/window_ops.h"
#include "base/stop_request.h"
#include "messages/message.h"
#include "messages/message_catalog.h"

namespace tarnwick {

enum class RunOutcome {
  Finished,   // "終了しました。" was shown
  Rejected,   // an input check stopped the run before anything was written
  Failed,     // the run error message was shown
  Cancelled,  // stopped on request between pairs; "中止しました。" was shown
};

// The run error: stage + "エラーが発生しました。" + (CR LF when lineBreak) +
// description, its fixed words from the catalog. Stage and description stay
// text: the runs and the layers below word them.
Message RunErrorMessage(std::u16string_view stage, std::u16string_view description,
                        bool lineBreak = true);
// The description of any exception a run may meet, in `catalog`'s words
// where it has them; running out of memory has words of its own.
std::u16string ErrorDescription(const std::exception& error,
                                MessageCatalog catalog = JapaneseCatalog);
// The same description as messages, for words chosen later.
std::vector<Message> ErrorDescriptionMessages(const std::exception& error);

// The end of a finished run: "終了しました。", and when reports were set
// aside (names differing only in letter case) how many, so that none goes
// unmentioned.
Message FinishedMessage(std::size_t setAside);
// The end of a run that went on past reports it could not read
// (ON_ERROR=CONTINUE): how many pairs or reports became read errors, and the
// reports set aside as FinishedMessage says.
Message FinishedWithFailuresMessage(std::size_t readErrors, std::size_t setAside);

// The end of a cancelled run: "中止しました。" with the information icon,
// then what was not reached. Gives RunOutcome::Cancelled.
RunOutcome EndCancelled(WindowOps& window, const std::vector<std::u16string>& notReached);

// Shows the wait cursor for its lifetime.
class WaitCursor {
 public:
  explicit WaitCursor(WindowOps& window) : window_(window) { window_.SetWaitCursor(true); }
  ~WaitCursor() { window_.SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  WindowOps& window_;
};

// The one handler of a run: calls `work`, which keeps `stage` up to date;
// any error restores the cursor, shows the critical run error message with
// the stage at that moment and gives RunOutcome::Failed. A stop requested
// mid-work says "中止しました。" and gives RunOutcome::Cancelled. Otherwise
// Finished; the caller says "終了しました。" itself.
template <typename Work>
RunOutcome GuardRun(WindowOps& window, std::u16string& stage, Work&& work, bool lineBreak = true) {
  try {
    work();
  } catch (const RunStopped&) {
    window.SetWaitCursor(false);
    window.ShowMessage(MessageId::Cancelled, MessageIcon::Information);
    return RunOutcome::Cancelled;
  } catch (const std::exception& error) {
    window.SetWaitCursor(false);
    window.ShowMessage(RunErrorMessage(stage, ErrorDescription(error, window.Catalog()), lineBreak),
                       MessageIcon::Critical);
    return RunOutcome::Failed;
  }
  return RunOutcome::Finished;
}

}  // namespace tarnwick
