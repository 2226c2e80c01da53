// The English texts of every message, in the order of catalog_ja.cpp.
#include "messages/message_catalog.h"

namespace tarnwick {

std::u16string_view EnglishCatalog(MessageId id) {
  using enum MessageId;
  switch (id) {
    case SourceFolder1Required:
      return u"Enter the folder of source 1";
    case SourceFile1Required:
      return u"Enter the object list report file name of source 1";
    case SourceFolder2Required:
      return u"Enter the folder of source 2";
    case SourceFile2Required:
      return u"Enter the object list report file name of source 2";
    case SearchFolderRequired:
      return u"Enter the folder of the source";
    case SearchFileRequired:
      return u"Enter the object list report file name of the source";
    case OutputFolderRequired:
      return u"Enter the output folder";
    case OutputFileRequired:
      return u"Enter the name of the result file";
    case SearchStringRequired:
      return u"Enter a search condition";
    case SourceFolder1NotFound:
      return u"The folder of source 1 was not found";
    case SourceFolder2NotFound:
      return u"The folder of source 2 was not found";
    case SearchFolderNotFound:
      return u"The folder of the source was not found";
    case OutputFolderNotFound:
      return u"The output folder was not found";
    case SourceFile1NotFound:
      return u"Source file 1 was not found";
    case SourceFile2NotFound:
      return u"Source file 2 was not found";
    case SearchStringAsterisksOnly:
      return u"A search condition cannot be * alone";
    case SearchStringBracketUnclosed:
      return u"A [ in the search condition has no matching ]";
    case ReportsNotDropped:
      return u"Drop an object list report file on each side.";
    case ObjectsNotSelected:
      return u"Select the objects to compare.";
    case OverwritesInput:
      return u"The output file [{1}] is one of the input reports. It cannot be overwritten.";
    case ReplacesOtherRunsPage:
      return u"The output file [{1}] is a page another kind of run wrote. Replace it?";
    case OtherRunsPageKept:
      return u"The output file [{1}] is a page another kind of run wrote. It was not replaced.";
    case PatternMatchesNothing:
      return u"No report in the folder [{1}] matches the file name [{2}].";
    case ObjectNotFound1:
      return u"The report of source 1 has no object [{1}].";
    case ObjectNotFound2:
      return u"The report of source 2 has no object [{1}].";
    case SettingHoldsNul:
      return u"The setting [{1}] holds a NUL character.";
    case IgnoreFileUnreadable:
      return u"The ignore rules file [{1}] cannot be read.\r\n{2}";
    case IgnoreFileNotUtf8:
      return u"Line {2} of the ignore rules file [{1}] is not UTF-8.";
    case IgnoreRuleInvalid:
      return u"Line {2} of the ignore rules file [{1}] is no rule: {3}";
    case Finished:
      return u"Finished.";
    case FinishedWithSetAside:
      return u"Finished.\r\n{1} reports whose names differ only in letter case "
             u"were set aside (see the list).";
    case FinishedWithFailures:
      return u"Finished.\r\nRead errors, where a report could not be read: {1} (see the list).";
    case FinishedWithFailuresAndSetAside:
      return u"Finished.\r\nRead errors, where a report could not be read: {1} (see the list)."
             u"\r\n{2} reports whose names differ only in letter case were set aside "
             u"(see the list).";
    case Cancelled:
      return u"Cancelled.";
    case RunFailed:
      return u"{1}An error occurred.\r\n{2}";
    case LoadFailed:
      return u"{1}An error occurred. {2}";
    case SettingsWriteFailed:
      return u"An error occurred while writing the settings file.\r\n{1}";
    case SettingsMovedToUserCopy:
      return u"The settings file [{1}] cannot be written, so the settings were saved "
             u"to [{2}]. That file is read from now on.";
    case JsonWriteFailed:
      return u"Writing the JSON [{1}]: An error occurred.\r\n{2}";
    case ReadDocumentation:
      return u"Please read the documentation that comes with this software before using it.";
    case ReadDocumentationAt:
      return u"Please read the documentation that comes with this software before using it."
             u"\r\n{1}";
    case SameFolderOnly:
      return u"Only files of one folder can be dropped.";
    case SettingsFileKept:
      return u"The settings file [{1}] cannot be read correctly, "
             u"so no settings will be saved to it.\r\n{2}";
    case SettingsNotUtf8:
      return u"It holds bytes that are not UTF-8 text.";
    case SettingsNotCp932:
      return u"It holds bytes that are not code page 932 text.";
    case StageReading:
      return u"Reading the report [{1}]: ";
    case StageParsing:
      return u"Parsing the report [{1}]: ";
    case StageReadingSide:
      return u"Reading the report [{2}] of {1}: ";
    case StageParsingSide:
      return u"Parsing the report [{2}] of {1}: ";
    case StageComparing:
      return u"Comparing the reports: ";
    case StageComparingPair:
      return u"Comparing the reports [{1}]: ";
    case StageSearching:
      return u"Searching the report [{1}]: ";
    case StageWriting:
      return u"Writing the file [{1}]: ";
    case OutOfMemory:
      return u"Out of memory.";
    case StandardOutput:
      return u"standard output";
    case GrammarLine:
      return u"Line {1}";
    case GrammarTooDeep:
      return u": sections nest deeper than {1} levels. ";
    case GrammarNameTaken:
      return u": the object cannot be added: a property has its name. ";
    case GrammarUnreadable:
      return u": the line does not fit the report's grammar. ";
    case GrammarTooManySameNamed:
      return u": too many objects have the same name. ";
    case GrammarMenuItemCode:
      return u": the menu item code cannot be split. ";
    case GrammarQuotedLine:
      return u"[{1}]";
    case XmlPlace:
      return u"Line {1}, column {2}";
    case XmlNotWellFormed:
      return u": the XML is not well-formed: ";
    case XmlUnrecognizedTag:
      return u"a tag cannot be recognised.";
    case XmlBadInstruction:
      return u"a processing instruction is malformed.";
    case XmlBadComment:
      return u"a comment is malformed.";
    case XmlBadCdata:
      return u"a CDATA section is malformed.";
    case XmlBadDoctype:
      return u"the document type declaration is malformed.";
    case XmlBadText:
      return u"character data is malformed.";
    case XmlBadStartTag:
      return u"a start tag is malformed.";
    case XmlBadAttribute:
      return u"an attribute is malformed.";
    case XmlBadEndTag:
      return u"an end tag is malformed.";
    case XmlTagsMismatch:
      return u"a start tag and its end tag do not match.";
    case XmlNoRoot:
      return u"there is no root element.";
    case XmlUnreadable:
      return u"it cannot be parsed.";
    case XmlAttributeTwice:
      return u"the attribute {1} stands twice.";
    case XmlAfterRoot:
      return u"an element follows the root element.";
    case XmlTooDeep:
      return u": elements nest deeper than {1} levels.";
    case XmlNotAModule:
      return u": the root element is not a Forms Module.";
    case NodeNotText:
      return u"The node [{1}] is not a text.";
    case NodeNotCollection:
      return u"The node [{1}] is not a collection.";
    case PositionOutOfRange:
      return u"The position is out of range. ({1}/{2})";
    case TreeEmpty:
      return u"The object tree is empty.";
    case NoFormModule:
      return u"\u201C{1}\u201D holds no form module.";
    case FileMissing:
      return u"The file or folder was not found";
    case FileNoPermission:
      return u"Access is not permitted";
    case FileIsFolder:
      return u"This is a folder, not a file";
    case FileDiskFull:
      return u"The disk is full";
    case FileReadOnly:
      return u"The file system is read-only";
    case FileNotRegular:
      return u"This is not a regular file";
    case FileTooLarge:
      return u"The file is too large";
    case FileNameTooLong:
      return u"The file name is too long";
    case FileInvalidName:
      return u"The file name holds a character that names cannot hold";
    case FileNotFolder:
      return u"A part of the path is a file, not a folder";
    case FileLinkLoop:
      return u"Too many symbolic links";
    case FileInUse:
      return u"The file is in use by another program";
    case FileTooManyOpen:
      return u"Too many files are open";
    case FileExists:
      return u"The file already exists";
    case FileInputOutput:
      return u"An input/output error occurred";
    case FileChangedWhileRead:
      return u"The file changed while it was read";
    case FileNamed:
      return u": {1}";
    case SystemWords:
      return u"{1}";
    case TempFileLeftover:
      return u"\r\nThe temporary file could not be removed: {1}";
    case Source1:
      return u"source 1";
    case Source2:
      return u"source 2";
    case SearchSource:
      return u"the source folder";
    case ReportHoldsNoObject:
      return u"The report [{2}] of {1} holds no object.";
    case NoStatus:
      return u"";
    case Progress:
      return u"{1}/{2}:{3}";
  }
  return u"";
}

}  // namespace tarnwick
