// A recording stand-in for the window in tests: FakeWindow keeps every
// message box (its text from the Japanese catalog, and the value itself),
// every overwrite question (answered as told), status text, cursor change,
// opened result, progress step and finished pair in order, and can ask the
// run to stop after a given number of pairs.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/window_ops.h"
#include "messages/message_catalog.h"
#include "report/object_tree.h"

namespace tarnwick::testing {

struct ShownMessage {
  std::u16string text;
  MessageIcon icon;
  bool operator==(const ShownMessage&) const = default;
};

class FakeWindow : public WindowOps {
 public:
  MessageCatalog catalog = JapaneseCatalog;  // the words messages are kept in
  void ShowMessage(const Message& message, MessageIcon icon) override {
    messages.push_back({MessageText(message, catalog), icon});
    messageValues.push_back(message);
  }
  bool ConfirmOverwrite(const Message& question) override {
    questions.push_back(question);
    return overwriteAnswer;
  }
  void SetStatusText(const Message& status) override {
    statusTexts.push_back(MessageText(status, catalog));
  }
  void Repaint() override { ++repaints; }
  void SetWaitCursor(bool wait) override {
    cursorChanges.push_back(wait);
    waitCursor = wait;
  }
  bool StructureViewerEnabled() const override { return structureViewer; }
  void ShowStructure(const Collection& tree) override {
    structuresShown.push_back(tree.Count());
    if (onShowStructure) onShowStructure();
  }
  void OpenResult(std::u16string_view path) override { opened.emplace_back(path); }
  void SetProgress(std::size_t done, std::size_t total) override {
    progress.emplace_back(done, total);
    if (onProgress) onProgress();
  }
  // Asked before each pair or report; cancels from the given question on.
  bool CancelRequested() const override { return ++cancelQuestions > cancelAfter; }
  void ShowNotReached(const std::vector<std::u16string>& names) override { notReached = names; }
  void PairFinished(const PairResult& result) override { finished.push_back(result); }

  std::u16string LastStatus() const { return statusTexts.empty() ? u"" : statusTexts.back(); }

  bool structureViewer = false;
  std::vector<ShownMessage> messages;
  std::vector<Message> messageValues;  // messages[i] is the text of messageValues[i]
  std::vector<Message> questions;      // each ConfirmOverwrite, answered overwriteAnswer
  bool overwriteAnswer = false;
  std::vector<std::u16string> statusTexts;
  int repaints = 0;
  std::vector<bool> cursorChanges;
  bool waitCursor = false;
  std::vector<std::size_t> structuresShown;  // top-level entry count of each tree shown
  std::function<void()> onShowStructure;     // lets a test act while the viewer is open
  std::function<void()> onProgress;          // lets a test look between pairs
  std::vector<std::u16string> opened;
  std::vector<std::pair<std::size_t, std::size_t>> progress;  // done, total
  int cancelAfter = 1 << 30;  // questions answered "no" before the first "yes"
  mutable int cancelQuestions = 0;
  std::vector<std::u16string> notReached;
  std::vector<PairResult> finished;  // each PairFinished, in run order
};

}  // namespace tarnwick::testing
