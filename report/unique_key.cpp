#include "report/unique_key.h"

#include "text/upper_case.h"

namespace tarnwick {

std::optional<std::u16string_view> UniqueKeys::Make(const Collection& section,
                                                    std::u16string_view name,
                                                    std::u16string& scratch) {
  if (!section.Contains(name)) return name;
  if (!blanksUsed_)
    blanksUsed_ = std::make_unique<std::unordered_map<std::u16string, std::size_t>>();
  // Every shorter run of blanks is taken already, so resume after the last.
  std::size_t& blanks = (*blanksUsed_)[UpperCase(name)];
  scratch.assign(name);
  scratch.append(blanks, u' ');
  do {
    if (++blanks > kMaxSameNamedObjects) return std::nullopt;
    scratch += u' ';
  } while (section.Contains(scratch));
  return std::u16string_view(scratch);
}

}  // namespace tarnwick
