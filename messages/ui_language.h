// The language of every text a user reads: window, messages, pages. It sits
// with the catalogs, so that every layer that words something can take it.
#pragma once

namespace tarnwick {

enum class UiLanguage { Japanese, English };

}  // namespace tarnwick
