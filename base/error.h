// The one error type of Tarnwick. Everything below a run throws it; the run's
// single handler turns it into the message box: stage text, the fixed words
// and Description(). Number() is -1 for a report that does not fit the grammar.
#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick {

inline constexpr int kGrammarErrorNumber = -1;
inline constexpr int kGeneralErrorNumber = 5;   // invalid call or argument
inline constexpr int kFileErrorNumber = 75;     // path or file access error

class Error : public std::runtime_error {
 public:
  Error(int number, std::u16string description);

  int Number() const { return number_; }
  const std::u16string& Description() const { return description_; }

 private:
  int number_;
  std::u16string description_;
};

}  // namespace tarnwick
