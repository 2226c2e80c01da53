#include "messages/message_catalog.h"

namespace tarnwick {

MessageCatalog CatalogFor(UiLanguage language) {
  return language == UiLanguage::English ? EnglishCatalog : JapaneseCatalog;
}

std::u16string MessageText(const Message& message, MessageCatalog catalog) {
  const std::u16string_view pattern = catalog(message.id);
  std::u16string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const std::size_t close = pattern[i] == u'{' ? pattern.find(u'}', i + 1) : pattern.npos;
    const std::u16string_view digits =
        close == pattern.npos ? std::u16string_view() : pattern.substr(i + 1, close - i - 1);
    if (digits.empty() || digits.find_first_not_of(u"0123456789") != digits.npos) {
      text += pattern[i];
      continue;
    }
    std::size_t n = 0;
    for (const char16_t digit : digits) n = n * 10 + static_cast<std::size_t>(digit - u'0');
    if (n >= 1 && n <= message.params.size()) text += message.params[n - 1];
    i = close;
  }
  return text;
}

}  // namespace tarnwick
