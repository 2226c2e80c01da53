// A second version of a Forms XML module with the edits developers make
// between two releases, and its attributes in another order, as the
// converter would write the module again. The module is read and written
// with pugixml, so the result is as well-formed as its source.
#include <algorithm>
#include <cmath>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "text/utf8.h"
#include "tools/generator/forms_xml_generator.h"
#include "tools/generator/report_writer.h"

namespace tarnwick {
namespace gen {
namespace {

// What the converter's "&amp;#10;" reads as: the line break of a value.
constexpr std::string_view kLineBreak = "&#10;";

std::vector<std::string> SplitLines(std::string_view value) {
  std::vector<std::string> lines;
  for (std::size_t from = 0;;) {
    const std::size_t at = value.find(kLineBreak, from);
    lines.emplace_back(value.substr(from, at - from));
    if (at == std::string_view::npos) return lines;
    from = at + kLineBreak.size();
  }
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string value;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) value += kLineBreak;
    value += lines[i];
  }
  return value;
}

const char* const kInsertedLines[] = {
    "  NULL;",
    "  -- 2024/04 仕様変更により追加",
    "  :SYSTEM.MESSAGE_LEVEL := '25';",
    "  IF :GLOBAL.MODE = 'UPDATE' THEN",
    "  END IF;",
};

// Edits about `fraction` of the lines of a multi-line value.
std::string EditText(Rng& rng, std::string_view value, double fraction) {
  std::vector<std::string> lines = SplitLines(value);
  std::vector<std::string> edited;
  const auto limit = static_cast<std::size_t>(std::llround(fraction * 1e6));
  for (std::string& line : lines) {
    if (rng.Below(1000000) >= limit) {
      edited.push_back(std::move(line));
      continue;
    }
    const std::size_t choice = rng.Below(100);
    if (choice < 50) {
      edited.push_back(line + " -- 変更");
    } else if (choice < 75) {
      edited.push_back(std::move(line));
      edited.emplace_back(kInsertedLines[rng.Below(std::size(kInsertedLines))]);
    } else if (lines.size() == 1) {
      edited.push_back(line + " -- 変更");
    }  // else the line is deleted
  }
  return JoinLines(edited);
}

bool IsKey(std::string_view name) {
  return name == "Name" || name == "DSCName" || name == "DSAName";
}

class StringWriter : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
  std::string out;
};

}  // namespace
}  // namespace gen

std::string MutateFormsXml(std::string_view xml, double editFraction, std::uint64_t seed) {
  using namespace gen;
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(
      xml.data(), xml.size(), pugi::parse_default | pugi::parse_declaration, pugi::encoding_utf8);
  if (!parsed) throw Error(kGrammarErrorNumber, FromUtf8(parsed.description()));
  Rng rng(seed);
  std::vector<pugi::xml_node> pending = {document.document_element()};
  std::vector<std::pair<std::string, std::string>> attributes;
  while (!pending.empty()) {
    pugi::xml_node element = pending.back();
    pending.pop_back();
    attributes.clear();
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
      std::string value = a.value();
      if (value.find(kLineBreak) != std::string::npos) {
        value = EditText(rng, value, editFraction);
      } else if (!IsKey(a.name()) && !value.empty() &&
                 std::all_of(value.begin(), value.end(),
                             [](char c) { return c >= '0' && c <= '9'; }) &&
                 rng.Below(1000000) < static_cast<std::size_t>(std::llround(editFraction * 2e5))) {
        value = std::to_string(std::stoll(value.substr(0, 15)) + rng.Between(1, 20));
      }
      attributes.emplace_back(a.name(), std::move(value));
    }
    for (std::size_t i = attributes.size(); i > 1; --i) {
      std::swap(attributes[i - 1], attributes[rng.Below(i)]);
    }
    while (element.remove_attribute(element.first_attribute())) {
    }
    for (const auto& [name, value] : attributes) {
      element.append_attribute(name.c_str()).set_value(value.c_str());
    }
    for (pugi::xml_node child = element.last_child(); child; child = child.previous_sibling()) {
      if (child.type() == pugi::node_element) pending.push_back(child);
    }
  }
  StringWriter writer;
  document.save(writer, "   ", pugi::format_indent, pugi::encoding_utf8);
  return std::move(writer.out);
}

}  // namespace tarnwick
