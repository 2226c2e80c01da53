#include "report/report_parser.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "base/stop_request.h"
#include "messages/message_error.h"
#include "report/report_labels.h"
#include "report/report_lines.h"
#include "report/unique_key.h"
#include "text/blanks.h"
#include "text/decimal.h"
#include "text/line_reader.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";

// A value this long (and at least half the report) makes the tree keep the
// report text rather than copy the value.
constexpr std::size_t kTakeOverUnits = std::size_t{1} << 20;
// Longest line text quoted in an error description.
constexpr std::size_t kQuotedLineLimit = 200;

// English value columns are remembered for label columns up to this one.
constexpr std::size_t kValueColumnsKept = 512;

enum class SectionKind { Objects, PropertySection, ListElements, QueryColumns, QueryArguments };

SectionKind KindOf(std::u16string_view name, const ReportLabels& labels) {
  if (IsOneOf(name, labels.propertySections)) return SectionKind::PropertySection;
  if (name == labels.listElements) return SectionKind::ListElements;
  if (name == labels.queryColumns) return SectionKind::QueryColumns;
  if (name == labels.queryArguments) return SectionKind::QueryArguments;
  return SectionKind::Objects;
}

// One pass over one report. Views handed out (lines, names, values) point
// into the text or into pushed lines, both alive until the pass ends.
class ReportReader {
 public:
  // `owner`, when given, holds `text` and may be taken over by the tree.
  ReportReader(std::u16string_view text, const ReportLabels& labels,
               RawBuffer<char16_t>* owner = nullptr)
      : text_(text),
        labels_(labels),
        english_(labels.language == ReportLanguage::kEnglish),
        headerNames_{labels.name, labels.sourceName},
        owner_(owner) {}

  CollectionPtr BuildTree() {
    // Sized from the text, which the tree's texts never outgrow by much; the
    // storage costs memory only as far as it is written.
    strings_ = std::make_shared<TreeStrings>(text_.size());
    CollectionPtr root = NewCollection(strings_);
    textPos_ = 1;
    atEnd_ = false;
    // The current line is still empty, so the top section's own column is 1.
    ReadTree(*root);
    // The tree leaves this thread: its storage takes nothing back from here.
    strings_->FinishBuilding();
    return root;
  }

 private:
  struct Mark {
    std::int64_t textPos;
    bool atEnd;
    bool hasPushed;
  };

  // --- reading lines ---

  // The name and value of `line`, whose name starts at `column`, by the
  // rules of the report's language.
  PropertyLine Split(std::u16string_view line, std::size_t column) const {
    if (!english_) return SplitPropertyLine(line, column);
    const std::size_t known = column < valueColumns_.size() ? valueColumns_[column] : 0;
    return SplitEnglishPropertyLine(line, column, known, headerNames_);
  }

  // A property line of an English report whose name two blanks ended shows
  // where values start below names of its column.
  void LearnValueColumn(std::size_t column, const PropertyLine& split) {
    if (!english_ || split.value.empty() || column >= kValueColumnsKept) return;
    const std::size_t nameEnd = split.name.data() + split.name.size() - curLine_.data();
    if (curLine_.substr(nameEnd, 2) != u"  ") return;
    if (valueColumns_.size() <= column) valueColumns_.resize(column + 1, 0);
    valueColumns_[column] = static_cast<std::size_t>(split.value.data() - curLine_.data()) + 1;
  }

  std::u16string_view ReadTextLine() {
    if (hasPushed_) {
      hasPushed_ = false;
      curBegin_ = pushedBegin_;
      return pushed_.back();
    }
    if (textPos_ == -1) {
      curBegin_ = text_.size();
      return {};
    }
    curBegin_ = static_cast<std::size_t>(textPos_ - 1);
    return ReadLine(text_, textPos_);
  }

  void NextRawLine() {
    ThrowIfStopRequested();
    if (!hasPushed_ && textPos_ != -1 && peeked_.from == textPos_) {
      curBegin_ = static_cast<std::size_t>(textPos_ - 1);
      curLine_ = peeked_.line;
      curColumn_ = peeked_.column;
      textPos_ = peeked_.next;
    } else {
      curLine_ = ReadTextLine();
      curColumn_ = LineColumn(curLine_);
    }
    atEnd_ = curLine_.empty() && textPos_ == -1;
  }

  void NextLine() {
    do {
      NextRawLine();
    } while (IsSeparatorLine(curLine_, curColumn_));
  }

  std::size_t CurrentColumn() const { return curColumn_; }

  // Column of the next non-separator line; reads nothing for good, but
  // remembers the first line cut so that the next read need not cut it again.
  std::size_t PeekIndent() {
    if (hasPushed_) return LineColumn(pushed_.back());
    std::int64_t pos = textPos_;
    for (bool first = true; pos != -1; first = false) {
      const std::int64_t from = pos;
      const std::u16string_view line = ReadLine(text_, pos);
      const std::size_t column = LineColumn(line);
      if (first) peeked_ = {from, line, column, pos};
      if (!IsSeparatorLine(line, column)) return column;
    }
    return 1;  // the end reads as an empty line
  }

  Mark Remember() const { return {textPos_, atEnd_, hasPushed_}; }
  void Restore(const Mark& mark) {
    textPos_ = mark.textPos;
    atEnd_ = mark.atEnd;
    hasPushed_ = mark.hasPushed;
  }
  bool SamePlace(const Mark& mark) const {
    return mark.textPos == textPos_ && mark.atEnd == atEnd_ && mark.hasPushed == hasPushed_;
  }

  [[noreturn]] void Fail(const Message& why) const {
    const std::size_t lineNumber =
        1 + static_cast<std::size_t>(std::count(text_.begin(), text_.begin() + curBegin_, u'\n'));
    std::u16string line(curLine_.substr(0, kQuotedLineLimit));
    if (curLine_.size() > kQuotedLineLimit) line += u"…";
    throw MessageError(
        kGrammarErrorNumber,
        {{MessageId::GrammarLine, {DecimalText(static_cast<std::int64_t>(lineNumber))}},
         why,
         {MessageId::GrammarQuotedLine, {std::move(line)}}},
        lineNumber);
  }

  // --- the grammar ---
  //
  // Sections hold objects and objects hold sections, to any depth the report
  // has. The two readers keep their state in frames on an explicit stack, so
  // that the depth costs heap, not machine stack.

  struct Frame {
    bool isSection = false;
    int depth = 0;
    Collection* collection = nullptr;  // the object's properties; for a section, null
                                       // while its node holds a plain property's text
    std::size_t column = 0;            // the column of the object's header or section line
    // Sections only.
    clsItem* node = nullptr;  // the section's node in its parent object
    std::u16string_view name;
    SectionKind kind = SectionKind::Objects;
    const Collection* lastObject = nullptr;  // objects of a section tend to be alike
    Collection* childObject = nullptr;       // the object being read below this frame
    bool childRunning = false;
    Mark beforeChild{};
    UniqueKeys keys;  // of the section's objects
    // Objects only: the object read before this one in its section, if any.
    const Collection* model = nullptr;
  };

  // The name for the next property of `f`: the stored key of the property at
  // the same place in the object before, when it has this name, so that the
  // tree keeps one copy of the names objects share.
  static std::u16string_view SharedName(const Frame& f, std::u16string_view name) {
    if (f.model == nullptr) return name;
    const std::size_t next = f.collection->Count();
    if (next >= f.model->Count()) return name;
    const std::u16string_view known = (f.model->begin() + static_cast<std::ptrdiff_t>(next))->Key;
    return known == name ? known : name;
  }

  void ReadTree(Collection& root) {
    OpenSection(root, labels_.formKey, 1);
    while (!frames_.empty()) {
      if (frames_.back().isSection) {
        StepSection();
      } else {
        StepObject();
      }
    }
  }

  void OpenSection(Collection& parent, std::u16string_view name, int depth) {
    if (depth > kMaxSectionDepth) {
      Fail({MessageId::GrammarTooDeep, {DecimalText(kMaxSectionDepth)}});
    }
    parent.Add(CollectionNode(name, NewCollection(strings_)));
    clsItem* node = parent.Find(name);  // a node of that name already present is used
    Frame frame;
    frame.isSection = true;
    frame.depth = depth;
    frame.collection = node->IsCollection() ? &node->Children() : nullptr;
    frame.column = CurrentColumn();
    frame.node = node;
    frame.name = name;
    frame.kind = KindOf(name, labels_);
    frames_.push_back(std::move(frame));
    NextLine();
  }

  // The header line ("名前" or the first line of a property section) is
  // consumed here and not stored.
  void OpenObject(Collection& collection, int depth, const Collection* model = nullptr) {
    Frame frame;
    frame.depth = depth;
    frame.collection = &collection;
    frame.model = model;
    frame.column = CurrentColumn();
    frames_.push_back(std::move(frame));
    NextLine();
  }

  void CloseFrame() {
    Frame& frame = frames_.back();
    if (frame.isSection && frame.collection != nullptr) frame.collection->ShrinkToFit();
    frames_.pop_back();
  }

  Collection& ObjectList(Frame& section) {
    if (section.collection == nullptr) {
      Fail(MessageId::GrammarNameTaken);
    }
    return *section.collection;
  }

  // A reader that stopped where it started would be called again forever.
  void CheckAdvanced(const Mark& before) {
    if (SamePlace(before)) Fail(MessageId::GrammarUnreadable);
  }

  // One turn of the section loop: one line skipped or one reader started.
  void StepSection() {
    Frame& f = frames_.back();
    if (f.childRunning) {
      f.childRunning = false;
      if (f.childObject != nullptr) {
        f.childObject->ShrinkToFit();
        f.lastObject = f.childObject;
        f.childObject = nullptr;
      }
      CheckAdvanced(f.beforeChild);
    }
    const std::size_t c = CurrentColumn();
    if (atEnd_) return CloseFrame();
    if (curLine_.empty()) return NextLine();
    if (c <= f.column) return CloseFrame();
    const PropertyLine split = Split(curLine_, c);
    LearnValueColumn(c, split);
    const auto [n, v] = split;
    const Mark before = Remember();
    if (n == labels_.name || n == labels_.sourceName) {
      Collection& objects = ObjectList(f);
      CollectionPtr object = NewCollection(strings_);
      Collection& target = *object;
      if (f.lastObject != nullptr) target.Reserve(f.lastObject->Count());
      const std::optional<std::u16string_view> key = f.keys.Make(objects, v, uniqueKey_);
      if (!key) Fail(MessageId::GrammarTooManySameNamed);
      objects.Add(CollectionNode(*key, std::move(object)));
      f.childObject = &target;
      f.childRunning = true;
      f.beforeChild = before;
      return OpenObject(target, f.depth, f.lastObject);  // f dangles from here on
    }
    if (f.kind == SectionKind::PropertySection) {
      if (f.collection == nullptr) {
        f.node->Item = NewCollection(strings_);
        f.collection = &f.node->Children();
      }
      f.collection->Add(CollectionNode(f.name, NewCollection(strings_)));
      f.childRunning = true;
      f.beforeChild = before;
      return OpenObject(f.collection->Find(f.name)->Children(), f.depth);
    }
    if (f.kind == SectionKind::ListElements) {
      Collection& lists = ObjectList(f);
      lists.Add(CollectionNode(labels_.listElements, NewCollection(strings_)));
      ReadListElements(lists.Find(labels_.listElements)->Children());
    } else if (f.kind == SectionKind::QueryColumns && n == labels_.columnName) {
      ReadQueryList(ObjectList(f), labels_.columnName, labels_.queryArguments);
    } else if (f.kind == SectionKind::QueryArguments && n == labels_.argumentName) {
      ReadQueryList(ObjectList(f), labels_.argumentName, labels_.alias);
    } else {
      Fail(MessageId::GrammarUnreadable);
    }
    CheckAdvanced(before);
  }

  // A value about to be added. When it is most of the report (one huge
  // line), the tree takes over the report text instead of copying it, which
  // would hold the value twice while the text lives.
  std::u16string_view Kept(std::u16string_view value) {
    if (owner_ != nullptr && value.size() >= kTakeOverUnits && value.size() * 2 >= text_.size() &&
        InText(value)) {
      strings_->Adopt(std::move(*owner_));
      owner_ = nullptr;
    }
    return value;
  }

  // One turn of an object's property loop: one line read, or a section opened.
  void StepObject() {
    Frame& f = frames_.back();
    Collection& collection = *f.collection;
    if (atEnd_) return CloseFrame();
    if (curLine_.empty()) return NextLine();
    const std::size_t c = CurrentColumn();
    if (c < f.column) return CloseFrame();
    const PropertyLine split = Split(curLine_, c);
    LearnValueColumn(c, split);
    auto [n, v] = split;
    if (n == labels_.name) return CloseFrame();  // the next object of the section starts
    if (const TextName* text = FindTextName(n, labels_)) {
      if (n == labels_.menuItemCode && v.find(labels_.menuIcon) != std::u16string_view::npos) {
        v = PushMenuIcon(c, v);
        collection.Add(TextNode(SharedName(f, n), Kept(v)));
      } else {
        collection.Add(TextNode(SharedName(f, n), Kept(ReadTextBlock(v, text->closing))));
      }
      NextLine();
    } else if (n == labels_.coordinateInfo) {
      collection.Add(TextNode(SharedName(f, n), JoinIndentedLines()));
      NextLine();
    } else if (n == labels_.referenceInfo) {
      if (IsOneOf(TrimBlanks(v), labels_.unreferenced)) {
        collection.Add(TextNode(SharedName(f, n), Kept(v)));
      } else {
        collection.Add(TextNode(SharedName(f, n), ReadReferenceLines()));
      }
      NextLine();
    } else if (PeekIndent() > f.column) {
      if (n == labels_.libraries) {
        ReadLibraryList(collection);
      } else {
        OpenSection(collection, n, f.depth + 1);  // f dangles from here on
      }
    } else {
      collection.Add(TextNode(SharedName(f, n), Kept(v)));
      NextLine();
    }
  }

  // "メニュー項目コード" sharing its line with "メニューのアイコン": the icon
  // part becomes the next line, keeping the two characters before its name.
  std::u16string_view PushMenuIcon(std::size_t column, std::u16string_view value) {
    const std::size_t d = value.find(labels_.menuIcon);
    if (d < 2) Fail(MessageId::GrammarMenuItemCode);
    std::u16string pushed(column >= 2 ? column - 2 : 0, u' ');
    pushed.append(value.substr(d - 2));
    pushed_.push_back(std::move(pushed));
    hasPushed_ = true;
    pushedBegin_ = curBegin_;
    return value.substr(0, d - 2);
  }

  // The first value, then CR LF and each raw line up to a closing name. Where
  // the report itself has exactly that (lines ended by CR LF), the result is
  // a view of the report text; otherwise it is joined in a scratch string.
  // Either way it lives until the next gathering read.
  std::u16string_view ReadTextBlock(std::u16string_view firstValue,
                                    std::span<const std::u16string_view> closing) {
    lines_.clear();
    std::size_t size = firstValue.size();
    bool contiguous = InText(firstValue);
    const char16_t* end = firstValue.data() + firstValue.size();
    for (;;) {
      const Mark mark = Remember();
      NextRawLine();
      if (atEnd_) {
        Restore(mark);
        break;
      }
      const std::size_t c = CurrentColumn();
      if (c != 1 && IsClosingName(closing, Split(curLine_, c).name)) {
        Restore(mark);
        break;
      }
      contiguous = contiguous && InText(curLine_) && curLine_.data() == end + kCrLf.size() &&
                   std::u16string_view(end, kCrLf.size()) == kCrLf;
      end = curLine_.data() + curLine_.size();
      lines_.push_back(curLine_);
      size += kCrLf.size() + curLine_.size();
    }
    if (contiguous) return {firstValue.data(), size};
    joined_.clear();
    joined_.reserve(size);
    joined_.append(firstValue);
    for (std::u16string_view line : lines_) joined_.append(kCrLf).append(line);
    return joined_;
  }

  // Whether a view lies in the report text (not in a pushed line).
  bool InText(std::u16string_view view) const {
    const std::less<const char16_t*> before;
    return !before(view.data(), text_.data()) &&
           !before(text_.data() + text_.size(), view.data() + view.size());
  }

  // "座標情報": the next line and every following line of its column, joined.
  std::u16string JoinIndentedLines() {
    NextLine();
    const std::size_t firstColumn = CurrentColumn();
    lines_.assign(1, curLine_);
    std::size_t size = curLine_.size();
    while (!atEnd_) {
      const Mark mark = Remember();
      NextLine();
      if (atEnd_ || CurrentColumn() != firstColumn) {
        Restore(mark);
        break;
      }
      lines_.push_back(curLine_);
      size += curLine_.size();
    }
    std::u16string joined;
    joined.reserve(size);
    for (std::u16string_view line : lines_) joined.append(line);
    return joined;
  }

  std::u16string ReadReferenceLines() {
    std::u16string joined;
    for (int i = 0; i < 4; ++i) {
      NextLine();
      if (i > 0) joined.append(kCrLf);
      joined.append(curLine_);
    }
    return joined;
  }

  void ReadLibraryList(Collection& collection) {
    NextLine();
    const std::size_t firstColumn = CurrentColumn();
    CollectionPtr libraries = NewCollection(strings_);
    while (!atEnd_ && CurrentColumn() == firstColumn) {
      libraries->Add(TextNode(curLine_, curLine_));
      NextLine();
    }
    collection.Add(CollectionNode(labels_.librariesKey, std::move(libraries)));
  }

  // List values keyed to the label last seen, up to "リスト形式".
  void ReadListElements(Collection& inner) {
    std::u16string_view label;
    while (!atEnd_) {
      const auto [n, v] = Split(curLine_, CurrentColumn());
      if (n == labels_.listStyle) return;
      if (IsOneOf(n, labels_.listLabel)) label = v;
      if (n == labels_.listValue) inner.Add(TextNode(v, label));
      NextLine();
    }
  }

  // Query data source columns (or arguments): one node per header line,
  // holding the properties after it, up to the closing name.
  void ReadQueryList(Collection& section, std::u16string_view headerName,
                     std::u16string_view closingName) {
    CollectionPtr current;
    std::u16string_view currentName;
    while (!atEnd_) {
      if (curLine_.empty()) {
        NextLine();
        continue;
      }
      const auto [n, v] = Split(curLine_, CurrentColumn());
      if (n != headerName && n != closingName) {
        current->Add(TextNode(n, v));
        NextLine();
        continue;
      }
      if (current) section.Add(CollectionNode(currentName, std::move(current)));
      current.reset();
      if (n == closingName) return;
      current = NewCollection(strings_);
      currentName = v;
      NextLine();
    }
    if (current) section.Add(CollectionNode(currentName, std::move(current)));
  }

  std::u16string_view text_;
  const ReportLabels& labels_;
  const bool english_;
  const std::u16string_view headerNames_[2];  // what ends at its blank in an English report
  std::vector<std::size_t> valueColumns_;     // English: per label column, where values start
  std::u16string_view curLine_;
  std::size_t curColumn_ = 1;  // the column of curLine_, which Restore leaves alone
  std::size_t curBegin_ = 0;   // offset of the current line, for error messages
  std::int64_t textPos_ = 1;   // 1-based start of the next unread line; -1 at the end
  bool atEnd_ = false;
  // Pushed lines stay alive for the whole pass: views into them are held.
  std::vector<std::u16string> pushed_;
  bool hasPushed_ = false;
  std::size_t pushedBegin_ = 0;
  std::vector<std::u16string_view> lines_;  // scratch for the gathering readers
  std::u16string joined_;                   // a gathered text that is no view of the report
  std::u16string uniqueKey_;                // a same-named object's key, blanks added
  std::shared_ptr<TreeStrings> strings_;    // every collection of the tree copies into it
  RawBuffer<char16_t>* owner_;              // holds text_, until the tree takes it over
  std::vector<Frame> frames_;
  struct Peeked {
    std::int64_t from = 0;  // never a line start: positions are 1-based
    std::u16string_view line;
    std::size_t column = 1;
    std::int64_t next = 0;
  } peeked_;
};

}  // namespace

CollectionPtr ParseReport(std::u16string_view text) {
  if (text.empty()) return nullptr;
  return ReportReader(text, LabelsFor(DetectReportLanguage(text))).BuildTree();
}

CollectionPtr ParseReport(std::u16string_view text, const ReportLabels& labels) {
  if (text.empty()) return nullptr;
  return ReportReader(text, labels).BuildTree();
}

CollectionPtr ParseReport(RawBuffer<char16_t>& text) {
  if (text.empty()) return nullptr;
  const std::u16string_view view = text.View();
  return ReportReader(view, LabelsFor(DetectReportLanguage(view)), &text).BuildTree();
}

}  // namespace tarnwick
