#include "diff/file_status.h"

#include <iterator>

namespace tarnwick {

static_assert(std::size(PageWords{}.status) == kFileStatusCount,
              "every status has its summary text");

std::u16string_view StatusText(FileStatus status, const PageWords& words) {
  const auto index = static_cast<std::size_t>(status);
  return index < std::size(words.status) ? words.status[index] : std::u16string_view();
}

std::u16string_view StatusText(FileStatus status) {
  return StatusText(status, JapanesePageWords());
}

bool StatusLinksPage(FileStatus status) {
  return status == FileStatus::Different || status == FileStatus::Match;
}

bool IsSetAside(FileStatus status) {
  return IsCaseCollision(status) || status == FileStatus::OutsidePattern1 ||
         status == FileStatus::OutsidePattern2;
}

bool IsCaseCollision(FileStatus status) {
  return status == FileStatus::SetAside1 || status == FileStatus::SetAside2 ||
         status == FileStatus::SetAside;
}

}  // namespace tarnwick
