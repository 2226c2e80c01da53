// Catalogs turn a message value into the words one language shows. A catalog
// is one function from an id to its text, in which {1}, {2}, ... stand for
// the message's parameters; each language is one catalog file.
//
//   MessageText(Message{MessageId::OverwritesInput, {u"/out/A.html"}})
//   // u"出力ファイル[/out/A.html]は入力のレポートファイルです。上書きできません。"
#pragma once

#include <string>
#include <string_view>

#include "messages/message.h"
#include "messages/ui_language.h"

namespace tarnwick {

using MessageCatalog = std::u16string_view (*)(MessageId id);

// The Japanese texts, word for word those of the classic program.
std::u16string_view JapaneseCatalog(MessageId id);
// The English texts, for teams that read English.
std::u16string_view EnglishCatalog(MessageId id);
// The catalog of a language.
MessageCatalog CatalogFor(UiLanguage language);

// The message's text from the catalog, each {n} replaced by the n-th
// parameter (nothing when it is missing). Parameters are not read for
// placeholders themselves: a path holding "{2}" stays as it is.
std::u16string MessageText(const Message& message, MessageCatalog catalog = JapaneseCatalog);

}  // namespace tarnwick
