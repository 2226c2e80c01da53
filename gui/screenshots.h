// Pictures of the window for documentation and review: each tab page with
// sample inputs and two sample reports dropped on the object comparison
// trees, the drop hint before that, the window during a folder comparison,
// the structure viewer and the about box, written as PNG files.
#pragma once

#include <QString>

#include "app/settings.h"

namespace tarnwick {

// Writes page1.png, page2.png, page3.png, drop-hint.png, running.png,
// structure.png and about.png into
// `folder` (created when missing), with its sample files in folder/sample.
// The window speaks `language`. Returns false when a picture could not be
// written.
bool TakeScreenshots(const QString& folder, UiLanguage language = UiLanguage::Japanese);

}  // namespace tarnwick
