// The one error type of Tarnwick. Everything below a run throws it; the run's
// single handler turns it into the message box: stage text, the fixed words
// and the description. Number() is -1 for a report that does not fit the
// grammar.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwick {

inline constexpr int kGrammarErrorNumber = -1;
inline constexpr int kGeneralErrorNumber = 5;  // invalid call or argument
inline constexpr int kFileErrorNumber = 75;    // path or file access error

// A piece of a description as a message (messages/message.h): its id as a
// number, since the catalogs lie above this layer, and its parameters.
struct DescriptionPart {
  int messageId;
  std::vector<std::u16string> params;

  bool operator==(const DescriptionPart&) const = default;
};

class Error : public std::runtime_error {
 public:
  Error(int number, std::u16string description);
  // A description made of messages, so that a run can word it in its own
  // language (messages/message_error.h); `description` is its Japanese words.
  Error(int number, std::u16string description, std::vector<DescriptionPart> parts);

  int Number() const { return number_; }
  // The description in Japanese.
  const std::u16string& Description() const { return description_; }
  // Empty when the description is plain text (a system's own words).
  const std::vector<DescriptionPart>& DescriptionParts() const { return parts_; }

 private:
  int number_;
  std::u16string description_;
  std::vector<DescriptionPart> parts_;
};

}  // namespace tarnwick
