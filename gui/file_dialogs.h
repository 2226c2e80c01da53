// The window's modal questions: the file dialogs and the yes-or-no box,
// each replaced by its hook when the hook is set (tests), so nothing blocks.
#pragma once

#include <QString>
#include <QStringList>

#include "gui/qt_window_ops.h"

class QWidget;

namespace tarnwick {

// The chosen files (or the one folder), native separators; empty when cancelled.
QStringList ChooseFiles(const GuiHooks& hooks, QWidget* parent, const FileDialogRequest& request);

// A Yes/No box titled "Tarnwick" with the buttons' own captions; No is the
// default, so that Enter never does what cannot be undone. True for yes.
bool AskYesNo(const GuiHooks& hooks, QWidget* parent, const QString& question, const QString& yes,
              const QString& no);

}  // namespace tarnwick
