#include "base/error.h"

#include "text/utf8.h"

namespace tarnwick {

Error::Error(int number, std::u16string description)
    : std::runtime_error(ToUtf8(description)),
      number_(number),
      description_(std::move(description)) {}

Error::Error(int number, std::u16string description, std::vector<DescriptionPart> parts)
    : Error(number, std::move(description)) {
  parts_ = std::move(parts);
}

}  // namespace tarnwick
