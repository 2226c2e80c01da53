#include "messages/message_error.h"

#include <utility>

namespace tarnwick {

Error MessageError(int number, const std::vector<Message>& parts, std::size_t line) {
  std::vector<DescriptionPart> pieces;
  pieces.reserve(parts.size());
  for (const Message& part : parts) pieces.push_back({static_cast<int>(part.id), part.params});
  return Error(number, MessagesText(parts, JapaneseCatalog), std::move(pieces), line);
}

std::u16string DescriptionText(const Error& error, MessageCatalog catalog) {
  if (error.DescriptionParts().empty()) return error.Description();
  return MessagesText(DescriptionMessages(error), catalog);
}

std::vector<Message> DescriptionMessages(const Error& error) {
  if (error.DescriptionParts().empty()) return {{MessageId::SystemWords, {error.Description()}}};
  std::vector<Message> parts;
  parts.reserve(error.DescriptionParts().size());
  for (const DescriptionPart& part : error.DescriptionParts()) {
    parts.push_back({static_cast<MessageId>(part.messageId), part.params});
  }
  return parts;
}

std::u16string MessagesText(const std::vector<Message>& parts, MessageCatalog catalog) {
  std::u16string text;
  for (const Message& part : parts) text += MessageText(part, catalog);
  return text;
}

}  // namespace tarnwick
