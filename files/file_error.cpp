#include "files/file_error.h"

#include <optional>
#include <vector>

#include "base/error.h"
#include "messages/message_catalog.h"
#include "messages/message_error.h"
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

static_assert(static_cast<int>(MessageId::FileChangedWhileRead) -
                      static_cast<int>(MessageId::FileMissing) ==
                  static_cast<int>(FileFailure::ChangedWhileRead),
              "one message a failure, in FileFailure's order");

// The message of a common failure, which holds its words in every language.
std::optional<MessageId> FileFailureMessage(FileFailure failure) {
  if (failure == FileFailure::Other) return std::nullopt;
  // The ids follow FileFailure's order.
  return static_cast<MessageId>(static_cast<int>(MessageId::FileMissing) +
                                static_cast<int>(failure));
}

std::u16string_view FileFailureText(FileFailure failure) {
  const std::optional<MessageId> id = FileFailureMessage(failure);
  return id ? JapaneseCatalog(*id) : std::u16string_view();
}

FileFailure FileFailureOf(const std::error_code& error) {
  return error.category() == std::system_category() ? SystemFileFailure(error.value())
                                                    : GenericFileFailure(error.value());
}

namespace {

// The description's pieces: the failure (its message, or else the system's
// own words), the path, and a temporary file left behind.
std::vector<Message> FailureParts(FileFailure failure, std::u16string_view systemWords,
                                  std::u16string_view path, std::u16string_view leftover) {
  std::vector<Message> parts;
  if (const std::optional<MessageId> id = FileFailureMessage(failure)) {
    parts.emplace_back(*id);
  } else if (!systemWords.empty()) {
    parts.push_back({MessageId::SystemWords, {std::u16string(systemWords)}});
  }
  parts.push_back({MessageId::FileNamed, {std::u16string(path)}});
  if (!leftover.empty()) parts.push_back({MessageId::TempFileLeftover, {std::u16string(leftover)}});
  return parts;
}

std::vector<Message> FailureParts(const std::error_code& error, std::u16string_view path,
                                  std::u16string_view leftover) {
  const FileFailure failure = FileFailureOf(error);
  std::u16string words;
  if (failure == FileFailure::Other) {
    words = error.category() == std::system_category() ? SystemErrorText(error.value())
                                                       : FromUtf8(error.message());
  }
  return FailureParts(failure, words, path, leftover);
}

}  // namespace

std::u16string FileErrorDescription(const std::error_code& error, std::u16string_view path) {
  return MessageError(kFileErrorNumber, FailureParts(error, path, u"")).Description();
}

void ThrowFileError(const std::error_code& error, std::u16string_view path) {
  ThrowFileError(error, path, u"");
}

void ThrowFileError(FileFailure failure, std::u16string_view path) {
  ThrowFileError(failure, path, u"");
}

void ThrowFileError(const std::error_code& error, std::u16string_view path,
                    std::u16string_view leftover) {
  throw MessageError(kFileErrorNumber, FailureParts(error, path, leftover));
}

void ThrowFileError(FileFailure failure, std::u16string_view path, std::u16string_view leftover) {
  throw MessageError(kFileErrorNumber, FailureParts(failure, u"", path, leftover));
}

}  // namespace tarnwick
