// The texts of a window's widgets, kept by their source texts so that a
// change of language retranslates them at once. Each setter sets its text
// now and again on every Retranslate().
//
//   captions_.Text(new QCheckBox(parent), QT_TR_NOOP("違う箇所のみ出力する(&Y)"));
//   captions_.Add([this] { tabs->setTabText(0, tr("文字列検索")); });
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace tarnwick {

class Captions {
 public:
  // `context` is the translation context of the sources: the window's class name.
  explicit Captions(const char* context) : context_(context) {}
  Captions(const Captions&) = delete;
  Captions& operator=(const Captions&) = delete;

  QString Tr(const char* source) const { return QCoreApplication::translate(context_, source); }

  template <typename Target>
  Target* Text(Target* target, const char* source) {
    Add([this, target = QPointer<Target>(target), source] {
      if (target) target->setText(Tr(source));
    });
    return target;
  }
  template <typename Target>
  Target* Title(Target* target, const char* source) {
    Add([this, target = QPointer<Target>(target), source] {
      if (target) target->setTitle(Tr(source));
    });
    return target;
  }
  template <typename Target>
  Target* ToolTip(Target* target, const char* source) {
    Add([this, target = QPointer<Target>(target), source] {
      if (target) target->setToolTip(Tr(source));
    });
    return target;
  }
  // Anything else that shows translated texts (tab texts, list items).
  void Add(std::function<void()> apply) {
    apply();
    applies_.push_back(std::move(apply));
  }
  void Retranslate() const {
    for (const auto& apply : applies_) apply();
  }

 private:
  const char* context_;
  std::vector<std::function<void()>> applies_;
};

}  // namespace tarnwick
