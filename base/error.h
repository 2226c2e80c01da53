// The one error type of Tarnwick. Everything below a run throws it; the run's
// single handler turns it into the message box: stage text, the fixed words
// and Description(). Number() is -1 for a report that does not fit the grammar;
// Line() then says where, so that a run can show it without reading the text.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace tarnwick {

inline constexpr int kGrammarErrorNumber = -1;
inline constexpr int kGeneralErrorNumber = 5;  // invalid call or argument
inline constexpr int kFileErrorNumber = 75;    // path or file access error

class Error : public std::runtime_error {
 public:
  Error(int number, std::u16string description, std::size_t line = 0);

  int Number() const { return number_; }
  const std::u16string& Description() const { return description_; }
  // The 1-based line of the input the error is about; 0 when it has none.
  std::size_t Line() const { return line_; }

 private:
  int number_;
  std::u16string description_;
  std::size_t line_;
};

}  // namespace tarnwick
