// The Forms XML reader on any bytes: a tree or the error that names where
// the document is not well-formed, never a crash or a hang; and the order of
// attributes never shows: the document written again with every element's
// attributes reversed reads as the same tree (or fails alike).
#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "base/error.h"
#include "fuzz/fuzz_support.h"
#include "report/forms_xml.h"
#include "report/tree_json.h"

namespace tarnwick::fuzz {
namespace {

// The tree's JSON, or "error" for the reader's own error.
std::string Read(std::string_view bytes) {
  try {
    const CollectionPtr tree = ParseFormsXml(bytes);
    Require(tree != nullptr, "a module that reads gives a tree");
    return TreeToJson(tree);
  } catch (const Error& error) {
    Require(error.Number() == kGrammarErrorNumber, "the reader fails only with its own error");
    Require(error.Description().find(u"行目") != std::u16string::npos, "the error names its line");
    return "error";
  }
}

class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
  std::string out;
};

std::string Saved(const pugi::xml_document& document) {
  StringWriter writer;
  document.save(writer, " ", pugi::format_raw, pugi::encoding_utf8);
  return std::move(writer.out);
}

void ReverseAttributes(pugi::xml_node root) {
  std::vector<pugi::xml_node> pending = {root};
  std::vector<std::pair<std::string, std::string>> attributes;
  while (!pending.empty()) {
    pugi::xml_node element = pending.back();
    pending.pop_back();
    attributes.clear();
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      attributes.emplace_back(a.name(), a.value());
    }
    while (element.remove_attribute(element.first_attribute())) {
    }
    for (auto it = attributes.rbegin(); it != attributes.rend(); ++it) {
      element.append_attribute(it->first.c_str()).set_value(it->second.c_str());
    }
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
      if (child.type() == pugi::node_element) pending.push_back(child);
    }
  }
}

}  // namespace
}  // namespace tarnwick::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  using namespace tarnwick::fuzz;
  const std::string_view bytes = Bytes(data, size);
  const bool module = IsFormsXml(bytes);
  Read(bytes);
  // Written again by the parser itself, once as read and once with each
  // element's attributes reversed: the two must read alike.
  pugi::xml_document document;
  const unsigned options =
      pugi::parse_escapes | pugi::parse_wconv_attribute | pugi::parse_eol | pugi::parse_declaration;
  if (!module || !document.load_buffer(bytes.data(), bytes.size(), options, pugi::encoding_utf8)) {
    return 0;
  }
  const std::string asRead = Saved(document);
  ReverseAttributes(document.document_element());
  Require(Read(asRead) == Read(Saved(document)), "attribute order never shows in the tree");
  return 0;
}
