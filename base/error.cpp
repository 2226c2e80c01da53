#include "base/error.h"

#include "text/utf8.h"

namespace tarnwick {

Error::Error(int number, std::u16string description, std::size_t line)
    : std::runtime_error(ToUtf8(description)),
      number_(number),
      description_(std::move(description)),
      line_(line) {}

Error::Error(int number, std::u16string description, std::vector<DescriptionPart> parts,
             std::size_t line)
    : Error(number, std::move(description), line) {
  parts_ = std::move(parts);
}

}  // namespace tarnwick
