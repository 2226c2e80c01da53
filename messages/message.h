// A message of Tarnwick as a value: what it says (an id), what it says it
// about (its parameters) and the settings it concerns. The runs build them;
// a window, the console or a test turns one into words through a catalog
// (messages/message_catalog.h), so nothing ever reads a message's text back.
//
//   const Message message{MessageId::OutputFolderNotFound, {}, {u"OUTPUT_PATH"}};
//   window.ShowMessage(message, MessageIcon::Warning);
//   MessageText(message)  // u"出力先フォルダが見つかりません"
//   MessageText(message, EnglishCatalog)  // u"The output folder was not found"
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

// Each id names the parameters its text takes, as {1}, {2}, ... in order.
enum class MessageId {
  // The boxes a run needs filled.
  SourceFolder1Required,
  SourceFile1Required,
  SourceFolder2Required,
  SourceFile2Required,
  SearchFolderRequired,
  SearchFileRequired,
  OutputFolderRequired,
  OutputFileRequired,
  SearchStringRequired,
  // What a run checks before it writes anything.
  SourceFolder1NotFound,
  SourceFolder2NotFound,
  SearchFolderNotFound,
  OutputFolderNotFound,
  SourceFile1NotFound,
  SourceFile2NotFound,
  SearchStringAsterisksOnly,
  SearchStringBracketUnclosed,  // a "[" without its "]"
  ReportsNotDropped,
  ObjectsNotSelected,
  OverwritesInput,        // {1} the page
  ReplacesOtherRunsPage,  // {1} the page, which another kind of run wrote: asks
  OtherRunsPageKept,      // {1} the page: the same, not replaced
  PatternMatchesNothing,  // {1} the folder, {2} the file name patterns
  ObjectNotFound1,        // {1} the node key or object path given for side 1
  ObjectNotFound2,        // {1} the same for side 2
  SettingHoldsNul,        // {1} the setting key
  IgnoreFileUnreadable,   // {1} the ignore rules file, {2} the error's description
  IgnoreFileNotUtf8,      // {1} the ignore rules file, {2} the line number
  IgnoreRuleInvalid,      // {1} the ignore rules file, {2} the line number, {3} the line
  // How a run ends.
  Finished,
  FinishedWithSetAside,  // {1} how many reports were set aside
  FinishedWithFailures,  // {1} how many pairs or reports had a report that could not be read
  FinishedWithFailuresAndSetAside,  // {1} as FinishedWithFailures, {2} as FinishedWithSetAside
  Cancelled,
  RunFailed,   // {1} the stage text, {2} the error's description
  LoadFailed,  // {1} the stage text, {2} the error's description, on one line
  // Outside the runs.
  SettingsWriteFailed,      // {1} the error's description
  SettingsMovedToUserCopy,  // {1} the file beside the program, {2} the user's copy
  JsonWriteFailed,          // {1} the JSON file, {2} the error's description
  ReadDocumentation,        // the first start
  ReadDocumentationAt,      // the same, {1} the document to read
  SameFolderOnly,           // a drop of files from more than one folder
  SettingsFileKept,         // {1} the settings file, {2} why it was not read whole
  SettingsNotUtf8,          // why: a settings file with a byte-order mark holds other bytes
  SettingsNotCp932,         // why: a settings file holds bytes that are no code page 932 text
  // The step a run is in, which heads its error message.
  StageReading,        // {1} the report
  StageParsing,        // {1} the report
  StageReadingSide,    // {1} the side (Source1 ...), {2} its report
  StageParsingSide,    // {1} the side, {2} its report
  StageComparing,      // file mode and object comparisons
  StageComparingPair,  // {1} the pair's name
  StageSearching,      // {1} the report's name
  StageWriting,        // {1} the page
  // Words that stand inside other texts.
  OutOfMemory,     // the description of running out of memory
  StandardOutput,  // the name of standard output in a file error
  // The pieces of a report's grammar error.
  GrammarLine,       // {1} the line number a grammar error is on
  GrammarTooDeep,    // {1} the deepest nesting read
  GrammarNameTaken,  // why the line does not fit
  GrammarUnreadable,
  GrammarTooManySameNamed,
  GrammarMenuItemCode,
  GrammarQuotedLine,  // {1} the line, shortened when long
  // The pieces of a Forms XML module's error.
  XmlPlace,          // {1} the line, {2} the column a Forms XML error is at
  XmlNotWellFormed,  // then why
  XmlUnrecognizedTag,
  XmlBadInstruction,
  XmlBadComment,
  XmlBadCdata,
  XmlBadDoctype,
  XmlBadText,
  XmlBadStartTag,
  XmlBadAttribute,
  XmlBadEndTag,
  XmlTagsMismatch,
  XmlNoRoot,
  XmlUnreadable,
  XmlAttributeTwice,  // {1} the attribute
  XmlAfterRoot,
  XmlTooDeep,  // {1} the deepest nesting read
  XmlNotAModule,
  // A tree asked for what it does not hold: a fault of the program, not of a report.
  NodeNotText,         // {1} the node's key
  NodeNotCollection,   // {1} the node's key
  PositionOutOfRange,  // {1} the 1-based position asked for, {2} how many there are
  // Why two trees cannot be compared.
  TreeEmpty,     // a comparison's tree without any entry
  NoFormModule,  // {1} the tree's first entry
  // The pieces of a file error's description (base/error.h).
  FileMissing,  // the failures, in the order of FileFailure
  FileNoPermission,
  FileIsFolder,
  FileDiskFull,
  FileReadOnly,
  FileNotRegular,
  FileTooLarge,
  FileNameTooLong,
  FileInvalidName,
  FileNotFolder,
  FileLinkLoop,
  FileInUse,
  FileTooManyOpen,
  FileExists,
  FileInputOutput,
  FileChangedWhileRead,
  FileNamed,         // {1} the path a file error is about, after the failure
  SystemWords,       // {1} the system's own words for a failure
  TempFileLeftover,  // {1} the temporary file left behind
  Source1,           // the sides a run reads reports for
  Source2,
  SearchSource,
  ReportHoldsNoObject,  // {1} the side, {2} the report: an empty report's description
  // The status line.
  NoStatus,  // the empty status line
  Progress,  // {1} the pair or report, {2} how many there are, {3} its name
};

struct Message {
  // Implicit: a message without parameters is its id.
  Message(MessageId messageId, std::vector<std::u16string> messageParams = {},
          std::vector<std::u16string_view> keys = {})
      : id(messageId), params(std::move(messageParams)), settingKeys(std::move(keys)) {}

  MessageId id;
  std::vector<std::u16string> params;
  // The setting keys the message is about, in the order they are named
  // (string literals: the keys of the settings file).
  std::vector<std::u16string_view> settingKeys;

  bool operator==(const Message&) const = default;
};

}  // namespace tarnwick
