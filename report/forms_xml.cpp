#include "report/forms_xml.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <pugixml.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/error.h"
#include "messages/message_error.h"
#include "report/report_parser.h"
#include "report/unique_key.h"
#include "text/cp932.h"
#include "text/decimal.h"
#include "text/upper_case.h"
#include "text/utf8.h"
#include "text/windows_1252.h"

namespace tarnwick {

namespace {

constexpr std::string_view kFormsNamespace = "http://xmlns.oracle.com/Forms";
constexpr std::u16string_view kCrLf = u"\r\n";
constexpr std::string_view kLineBreakReference = "&#10;";
// The root element's start tag and the declaration stand in the first bytes.
constexpr std::size_t kHeadBytes = 64 << 10;

// Line ends and the other blanks of XML stay what the parser makes of them
// (an attribute's line break is a blank, as XML has it); comments,
// processing instructions and CDATA carry nothing the tree keeps.
constexpr unsigned kParseOptions =
    pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_eol | pugi::parse_declaration;

std::string_view LocalName(std::string_view qualified) {
  const std::size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

bool IsNamespaceDeclaration(std::string_view name) {
  return name == "xmlns" || name.starts_with("xmlns:");
}

// Module, in the Forms namespace that it declares itself.
bool IsModuleElement(const pugi::xml_node& element) {
  const std::string_view name = element.name();
  if (LocalName(name) != "Module") return false;
  const std::size_t colon = name.find(':');
  const std::string declaration =
      colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
  return element.attribute(declaration.c_str()).value() == kFormsNamespace;
}

bool EqualsAsciiIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::any_of(names.begin(), names.end(),
                     [name](std::string_view n) { return EqualsAsciiIgnoringCase(name, n); });
}

// --- bytes to UTF-8 ---

enum class ByteOrder { None, Little, Big };

// A byte-order mark, or "<" as the first UTF-16 character.
ByteOrder Utf16Order(std::string_view bytes) {
  if (bytes.size() < 2) return ByteOrder::None;
  const auto b0 = static_cast<unsigned char>(bytes[0]), b1 = static_cast<unsigned char>(bytes[1]);
  if ((b0 == 0xFF && b1 == 0xFE) || (b0 == '<' && b1 == 0)) return ByteOrder::Little;
  if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 == '<')) return ByteOrder::Big;
  return ByteOrder::None;
}

std::string Utf16ToUtf8(std::string_view bytes, ByteOrder order) {
  std::u16string text;
  text.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text += static_cast<char16_t>(order == ByteOrder::Little ? first | second << 8
                                                             : first << 8 | second);
  }
  if (bytes.size() % 2 != 0) text += u'\uFFFD';  // half a character at the end
  if (!text.empty() && text.front() == u'\uFEFF') text.erase(0, 1);
  return ToUtf8(text);
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  std::transform(bytes.begin(), bytes.end(), text.begin(),
                 [](char c) { return Windows1252Char(static_cast<unsigned char>(c)); });
  return ToUtf8(text);
}

// The encoding the XML declaration names, or empty.
std::string DeclaredEncoding(std::string_view head) {
  pugi::xml_document document;
  document.load_buffer(head.data(), std::min(head.size(), kHeadBytes), pugi::parse_declaration,
                       pugi::encoding_utf8);
  const pugi::xml_node first = document.first_child();
  if (first.type() != pugi::node_declaration) return {};
  return first.attribute("encoding").value();
}

// The document as UTF-8 for the parser: UTF-16 and the code pages a
// declaration names converted, anything else taken as UTF-8 as it is (its
// invalid bytes are read later, value by value).
std::string_view AsUtf8(std::string_view bytes, std::string& converted) {
  if (const ByteOrder order = Utf16Order(bytes); order != ByteOrder::None) {
    converted = Utf16ToUtf8(bytes, order);
    return converted;
  }
  const std::string encoding = DeclaredEncoding(bytes);
  if (IsOneOf(encoding, {"windows-1252", "cp1252", "iso-8859-1", "iso_8859-1", "latin1", "l1"})) {
    converted = Windows1252ToUtf8(bytes);
    return converted;
  }
  if (IsOneOf(encoding, {"shift_jis", "shift-jis", "sjis", "x-sjis", "windows-31j", "cp932",
                         "ms932", "ms_kanji", "csshiftjis"})) {
    converted = ToUtf8(DecodeCp932(bytes));
    return converted;
  }
  return bytes;
}

// Appends `bytes` as text: UTF-8, each byte that is no part of a UTF-8
// character as Windows-1252, each "&#10;" as CR LF.
void AppendText(std::string_view bytes, std::u16string& out) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size;) {
    const unsigned char b = s[i];
    if (b < 0x80) {
      if (b == '&' && bytes.substr(i, kLineBreakReference.size()) == kLineBreakReference) {
        out.append(kCrLf);
        i += kLineBreakReference.size();
      } else {
        out += static_cast<char16_t>(b);
        ++i;
      }
      continue;
    }
    const std::size_t length = Utf8SequenceLength(s + i, size - i);
    if (length == 0) {
      out += Windows1252Char(b);
      ++i;
      continue;
    }
    char32_t c = b & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) c = c << 6 | (s[i + k] & 0x3F);
    if (c < 0x10000) {
      out += static_cast<char16_t>(c);
    } else {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
    i += length;
  }
}

MessageId ReasonFor(pugi::xml_parse_status status) {
  switch (status) {
    case pugi::status_unrecognized_tag:
      return MessageId::XmlUnrecognizedTag;
    case pugi::status_bad_pi:
      return MessageId::XmlBadInstruction;
    case pugi::status_bad_comment:
      return MessageId::XmlBadComment;
    case pugi::status_bad_cdata:
      return MessageId::XmlBadCdata;
    case pugi::status_bad_doctype:
      return MessageId::XmlBadDoctype;
    case pugi::status_bad_pcdata:
      return MessageId::XmlBadText;
    case pugi::status_bad_start_element:
      return MessageId::XmlBadStartTag;
    case pugi::status_bad_attribute:
      return MessageId::XmlBadAttribute;
    case pugi::status_bad_end_element:
      return MessageId::XmlBadEndTag;
    case pugi::status_end_element_mismatch:
      return MessageId::XmlTagsMismatch;
    case pugi::status_no_document_element:
      return MessageId::XmlNoRoot;
    default:
      return MessageId::XmlUnreadable;
  }
}

// "the XML is not well-formed" and why.
std::vector<Message> NotWellFormed(Message reason) {
  return {MessageId::XmlNotWellFormed, std::move(reason)};
}

// The error at byte `offset` of the document, named by its line (a line
// ends at LF, CR LF or CR) and column (in characters, as AppendText reads
// them), then `what`.
[[noreturn]] void Fail(std::string_view utf8, std::ptrdiff_t offset, std::vector<Message> what) {
  const std::size_t end =
      std::min(utf8.size(), static_cast<std::size_t>(std::max<std::ptrdiff_t>(offset, 0)));
  const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < end;) {
    if (s[i] == '\n' || s[i] == '\r') {
      i += s[i] == '\r' && i + 1 < end && s[i + 1] == '\n' ? 2 : 1;
      ++line;
      column = 1;
      continue;
    }
    i += std::max<std::size_t>(1, Utf8SequenceLength(s + i, end - i));
    ++column;
  }
  what.insert(what.begin(), Message{MessageId::XmlPlace,
                                    {DecimalText(static_cast<std::int64_t>(line)),
                                     DecimalText(static_cast<std::int64_t>(column))}});
  throw MessageError(kGrammarErrorNumber, what, line);
}

// Builds the tree of one parsed document. Elements wait on an explicit
// stack, so that the depth of the document costs heap, not machine stack.
class TreeBuilder {
 public:
  explicit TreeBuilder(std::string_view utf8)
      : utf8_(utf8), strings_(std::make_shared<TreeStrings>(utf8.size())) {}

  CollectionPtr Build(const pugi::xml_node& module) {
    CollectionPtr root = NewCollection(strings_);
    AddChildren(module, *root, 0);
    while (!pending_.empty()) {
      const Pending next = pending_.back();
      pending_.pop_back();
      AddChildren(next.element, *next.object, next.depth);
    }
    // The tree leaves this thread: its storage takes nothing back from here.
    strings_->FinishBuilding();
    return root;
  }

 private:
  struct Pending {
    pugi::xml_node element;
    Collection* object;
    int depth;
  };

  struct Section {
    std::u16string_view key;  // the local name of its elements
    Collection* objects;
    UniqueKeys keys;
  };

  struct Attribute {
    std::u16string_view key;
    std::string_view qualified;
    pugi::xml_attribute attribute;
  };

  [[noreturn]] void FailAt(const pugi::xml_node& element, std::vector<Message> what) const {
    Fail(utf8_, element.offset_debug(), std::move(what));
  }

  // A name the tree keeps once however often it stands in the document.
  std::u16string_view Intern(std::string_view name) {
    auto [it, added] = names_.try_emplace(name);
    if (added) {
      std::u16string text;
      AppendText(name, text);
      it->second = strings_->Store(text);
    }
    return it->second;
  }

  // One section per element type among the children of `element`, in order
  // of first appearance; each child an object in it.
  void AddChildren(const pugi::xml_node& element, Collection& object, int depth) {
    sections_.clear();
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
      if (child.type() != pugi::node_element) continue;
      if (depth + 1 > kMaxSectionDepth) {
        FailAt(child, {{MessageId::XmlTooDeep, {DecimalText(kMaxSectionDepth)}}});
      }
      Section& section = SectionFor(child, object);
      CollectionPtr childObject = NewCollection(strings_);
      Collection& target = *childObject;
      const pugi::xml_attribute keyAttribute = AddProperties(child, target);
      scratch_.clear();
      if (keyAttribute) {
        AppendText(keyAttribute.value(), scratch_);
      } else {
        scratch_.append(Intern(LocalName(child.name())));
      }
      section.objects->Add(
          CollectionNode(UniqueKey(child, *section.objects, scratch_, section.keys), childObject));
      if (child.first_child()) pending_.push_back({child, &target, depth + 1});
    }
  }

  // The section of `child`'s type in `object`, made at its first child. A
  // type spelled as an earlier one in other letter case joins its section,
  // as a report's repeated section does.
  Section& SectionFor(const pugi::xml_node& child, Collection& object) {
    const std::string_view name = LocalName(child.name());
    const std::u16string_view key = Intern(name);
    for (Section& section : sections_) {
      if (section.key.data() == key.data() || EqualsIgnoringCase(section.key, key)) return section;
    }
    CollectionPtr objects = NewCollection(strings_);
    Collection* target = objects.get();
    if (!object.Add(CollectionNode(key, objects))) {
      // A property holds the name: the section goes beside it, not lost.
      UniqueKeys keys;
      object.Add(CollectionNode(UniqueKey(child, object, key, keys), std::move(objects)));
    }
    sections_.push_back({key, target, {}});
    return sections_.back();
  }

  // Adds the attributes of `element` but the one that keys it, in ordinal
  // order of their local names, and returns the keying one (or none).
  pugi::xml_attribute AddProperties(const pugi::xml_node& element, Collection& object) {
    attributes_.clear();
    pugi::xml_attribute name, dscName, dsaName;
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      const std::string_view qualified = a.name();
      if (IsNamespaceDeclaration(qualified)) continue;
      const std::string_view local = LocalName(qualified);
      if (local == "Name" && !name) name = a;
      if (local == "DSCName" && !dscName) dscName = a;
      if (local == "DSAName" && !dsaName) dsaName = a;
      attributes_.push_back({Intern(local), qualified, a});
    }
    const pugi::xml_attribute key = name ? name : (dscName ? dscName : dsaName);
    std::sort(attributes_.begin(), attributes_.end(), [](const Attribute& a, const Attribute& b) {
      if (a.key.data() != b.key.data()) {
        if (const int order = a.key.compare(b.key); order != 0) return order < 0;
      }
      return a.qualified < b.qualified;
    });
    for (std::size_t i = 0; i < attributes_.size(); ++i) {
      const Attribute& a = attributes_[i];
      if (i + 1 < attributes_.size() && a.qualified == attributes_[i + 1].qualified) {
        FailAt(element, NotWellFormed({MessageId::XmlAttributeTwice, {FromUtf8(a.qualified)}}));
      }
      if (a.attribute == key) continue;
      scratch_.clear();
      AppendText(a.attribute.value(), scratch_);
      object.Add(TextNode(a.key, scratch_));
    }
    return key;
  }

  // The key of `element`'s object in `collection`; valid until the next call.
  std::u16string_view UniqueKey(const pugi::xml_node& element, const Collection& collection,
                                std::u16string_view name, UniqueKeys& keys) {
    const std::optional<std::u16string_view> key = keys.Make(collection, name, uniqueKey_);
    if (!key) FailAt(element, {MessageId::GrammarTooManySameNamed});
    return *key;
  }

  std::string_view utf8_;
  std::shared_ptr<TreeStrings> strings_;
  std::unordered_map<std::string_view, std::u16string_view> names_;
  std::vector<Pending> pending_;
  std::vector<Section> sections_;
  std::vector<Attribute> attributes_;
  std::u16string scratch_;
  std::u16string uniqueKey_;
};

}  // namespace

bool IsFormsXml(std::string_view head) {
  head = head.substr(0, kHeadBytes);
  std::string converted;
  if (const ByteOrder order = Utf16Order(head); order != ByteOrder::None) {
    converted = Utf16ToUtf8(head, order);
    head = converted;
  }
  // Only what may start an XML document is handed to the parser: a report
  // is turned away at its first character.
  std::size_t i = head.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (i < head.size() &&
         (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
    ++i;
  if (i == head.size() || head[i] != '<') return false;
  // The head is most likely cut short: the parser keeps what it read.
  pugi::xml_document document;
  document.load_buffer(head.data(), head.size(), pugi::parse_minimal | pugi::parse_escapes,
                       pugi::encoding_utf8);
  return IsModuleElement(document.document_element());
}

CollectionPtr ParseFormsXml(std::string_view bytes) {
  std::string converted;
  const std::string_view utf8 = AsUtf8(bytes, converted);
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
  if (result.status == pugi::status_out_of_memory) throw std::bad_alloc();
  if (!result) Fail(utf8, result.offset, NotWellFormed(ReasonFor(result.status)));
  const pugi::xml_node module = document.document_element();
  for (pugi::xml_node next = module.next_sibling(); next; next = next.next_sibling()) {
    if (next.type() == pugi::node_element) {
      Fail(utf8, next.offset_debug(), NotWellFormed(MessageId::XmlAfterRoot));
    }
  }
  if (!IsModuleElement(module)) {
    Fail(utf8, module.offset_debug(), {MessageId::XmlNotAModule});
  }
  return TreeBuilder(utf8).Build(module);
}

}  // namespace tarnwick
