// The one error type of Tarnwick. Everything below a run throws it; the run's
// single handler turns it into the message box: stage text, the fixed words
// and the description. Number() is -1 for a report that does not fit the
// grammar; Line() then says where, so that a run can show it without reading
// the text.
#pragma once

#include <cstddef>
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
  Error(int number, std::u16string description, std::size_t line = 0);
  // A description made of messages, so that a run can word it in its own
  // language (messages/message_error.h); `description` is its Japanese words.
  Error(int number, std::u16string description, std::vector<DescriptionPart> parts,
        std::size_t line = 0);

  int Number() const { return number_; }
  // The description in Japanese.
  const std::u16string& Description() const { return description_; }
  // Empty when the description is plain text (a system's own words).
  const std::vector<DescriptionPart>& DescriptionParts() const { return parts_; }
  // The 1-based line of the input the error is about; 0 when it has none.
  std::size_t Line() const { return line_; }

 private:
  int number_;
  std::u16string description_;
  std::vector<DescriptionPart> parts_;
  std::size_t line_;
};

}  // namespace tarnwick
