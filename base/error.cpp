#include "base/error.h"

#include "text/utf8.h"

namespace tarnwick {

Error::Error(int number, std::u16string description, std::size_t line)
    : std::runtime_error(ToUtf8(description)),
      number_(number),
      description_(std::move(description)),
      line_(line) {}

}  // namespace tarnwick
