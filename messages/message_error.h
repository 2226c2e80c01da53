// Errors whose description is made of messages, so that what a run shows
// below its error reads in the run's language: thrown with their Japanese
// words as Error::Description(), worded again by DescriptionText.
//
//   throw MessageError(kFileErrorNumber, {MessageId::FileMissing, {MessageId::FileNamed, {path}}});
//   DescriptionText(error, EnglishCatalog)  // u"The file or folder was not found: /r/A.txt"
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/error.h"
#include "messages/message.h"
#include "messages/message_catalog.h"

namespace tarnwick {

// An Error of `number` whose description is the texts of `parts`, one after
// another; `line` as Error's.
Error MessageError(int number, const std::vector<Message>& parts, std::size_t line = 0);

// The description of `error` in `catalog`'s words: from its parts when it
// has them, else its own text.
std::u16string DescriptionText(const Error& error, MessageCatalog catalog);

// The description of `error` as messages, to be worded later: its parts, or
// its own text as system words.
std::vector<Message> DescriptionMessages(const Error& error);

// The texts of `parts`, one after another.
std::u16string MessagesText(const std::vector<Message>& parts, MessageCatalog catalog);

}  // namespace tarnwick
