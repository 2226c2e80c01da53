#include "diff/file_status.h"

namespace tarnwick {

std::u16string_view StatusText(FileStatus status) {
  switch (status) {
    case FileStatus::Unprocessed:
      return u"未処理";
    case FileStatus::OnlyIn1:
      return u"フォルダ１のみ存在";
    case FileStatus::OnlyIn2:
      return u"フォルダ２のみ存在";
    case FileStatus::Different:
      return u"差異あり";
    case FileStatus::Same:
      return u"一致";
    case FileStatus::NoMatch:
      return u"該当しない";
    case FileStatus::Match:
      return u"該当";
    case FileStatus::SetAside1:
      return u"対象外（フォルダ１に大文字小文字だけ違う同名あり）";
    case FileStatus::SetAside2:
      return u"対象外（フォルダ２に大文字小文字だけ違う同名あり）";
    case FileStatus::SetAside:
      return u"対象外（大文字小文字だけ違う同名あり）";
  }
  return u"";
}

bool StatusLinksPage(FileStatus status) {
  return status == FileStatus::Different || status == FileStatus::Match;
}

bool IsSetAside(FileStatus status) {
  return status == FileStatus::SetAside1 || status == FileStatus::SetAside2 ||
         status == FileStatus::SetAside;
}

}  // namespace tarnwick
