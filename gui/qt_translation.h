// The window's language: its own texts from the translation built into the
// program (gui/translations/, the Japanese texts are the sources), and Qt's
// own texts (the text boxes' context menu, the standard dialogs and buttons)
// from the translation Qt installs beside itself for Japanese, Qt's built-in
// English otherwise.
#pragma once

#include "app/settings.h"

namespace tarnwick {

// Replaces the translations installed by an earlier call; Qt then tells
// every widget that the language changed. False when a translation was
// missing (Qt's Japanese one may not be installed): those texts stay in the
// source language.
bool UseWindowLanguage(UiLanguage language);

}  // namespace tarnwick
