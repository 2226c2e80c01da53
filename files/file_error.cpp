#include "files/file_error.h"

#include "base/error.h"
#include "text/utf8.h"

namespace tarnwick {

namespace {

FileFailure GenericFileFailure(int code) {
  switch (static_cast<std::errc>(code)) {
    case std::errc::no_such_file_or_directory:
      return FileFailure::Missing;
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
      return FileFailure::NoPermission;
    case std::errc::is_a_directory:
      return FileFailure::IsFolder;
    case std::errc::no_space_on_device:
      return FileFailure::DiskFull;
    case std::errc::read_only_file_system:
      return FileFailure::ReadOnly;
    case std::errc::file_too_large:
      return FileFailure::TooLarge;
    case std::errc::filename_too_long:
      return FileFailure::NameTooLong;
    case std::errc::not_a_directory:
      return FileFailure::NotFolder;
    case std::errc::too_many_symbolic_link_levels:
      return FileFailure::LinkLoop;
    case std::errc::device_or_resource_busy:
    case std::errc::text_file_busy:
      return FileFailure::InUse;
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system:
      return FileFailure::TooManyOpen;
    case std::errc::file_exists:
      return FileFailure::Exists;
    case std::errc::io_error:
      return FileFailure::InputOutput;
    default:
      return FileFailure::Other;
  }
}

}  // namespace

std::u16string_view FileFailureText(FileFailure failure) {
  switch (failure) {
    case FileFailure::Missing:
      return u"ファイルまたはフォルダが見つかりません";
    case FileFailure::NoPermission:
      return u"アクセスする権限がありません";
    case FileFailure::IsFolder:
      return u"ファイルではなくフォルダです";
    case FileFailure::DiskFull:
      return u"ディスクの空き容量が足りません";
    case FileFailure::ReadOnly:
      return u"読み取り専用のファイルシステムです";
    case FileFailure::NotRegular:
      return u"通常のファイルではありません";
    case FileFailure::TooLarge:
      return u"ファイルが大きすぎます";
    case FileFailure::NameTooLong:
      return u"ファイル名が長すぎます";
    case FileFailure::InvalidName:
      return u"ファイル名に使えない文字が含まれています";
    case FileFailure::NotFolder:
      return u"パスの途中にフォルダではないファイルがあります";
    case FileFailure::LinkLoop:
      return u"シンボリックリンクが多すぎます";
    case FileFailure::InUse:
      return u"ファイルが他のプログラムで使用中です";
    case FileFailure::TooManyOpen:
      return u"開いているファイルが多すぎます";
    case FileFailure::Exists:
      return u"ファイルが既に存在します";
    case FileFailure::InputOutput:
      return u"入出力エラーが発生しました";
    case FileFailure::ChangedWhileRead:
      return u"読み込み中にファイルが変更されました";
    case FileFailure::Other:
      break;
  }
  return {};
}

FileFailure FileFailureOf(const std::error_code& error) {
  return error.category() == std::system_category() ? SystemFileFailure(error.value())
                                                    : GenericFileFailure(error.value());
}

std::u16string FileErrorDescription(const std::error_code& error, std::u16string_view path) {
  std::u16string description(FileFailureText(FileFailureOf(error)));
  if (description.empty()) {
    description = error.category() == std::system_category() ? SystemErrorText(error.value())
                                                             : FromUtf8(error.message());
  }
  description += u": ";
  description += path;
  return description;
}

void ThrowFileError(const std::error_code& error, std::u16string_view path) {
  ThrowFileError(error, path, u"");
}

void ThrowFileError(FileFailure failure, std::u16string_view path) {
  ThrowFileError(failure, path, u"");
}

namespace {

std::u16string WithLeftover(std::u16string description, std::u16string_view leftover) {
  if (!leftover.empty()) {
    description += u"\r\n一時ファイルを削除できませんでした: ";
    description += leftover;
  }
  return description;
}

}  // namespace

void ThrowFileError(const std::error_code& error, std::u16string_view path,
                    std::u16string_view leftover) {
  throw Error(kFileErrorNumber, WithLeftover(FileErrorDescription(error, path), leftover));
}

void ThrowFileError(FileFailure failure, std::u16string_view path, std::u16string_view leftover) {
  throw Error(kFileErrorNumber,
              WithLeftover(std::u16string(FileFailureText(failure)) + u": " + std::u16string(path),
                           leftover));
}

}  // namespace tarnwick
