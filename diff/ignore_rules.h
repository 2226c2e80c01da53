// Ignore rules: differences of properties that are not differences, kept in a
// text file of one rule a line ("#" opens a comment line; blank lines are
// skipped). A rule names a property, optionally limited by what stands
// before a ":" (or a full-width "："):
//
//   X位置                       the property in every object
//   項目: X位置                 ... of the objects listed in the section 項目
//   Block/*/Item/*: YPosition   ... of the objects whose path ends so
//   /ﾌｫｰﾑ/ORDERS/**: DirtyInfo  ... of every object under the module ORDERS
//
// An object's path is the keys from the tree's top entry ("ﾌｫｰﾑ", or
// "FormModule" of a Forms XML module) down to the object, sections and
// objects by turns ("ﾌｫｰﾑ/ORDERS/ブロック/EMP/項目/ENAME"). A limit without
// "/" is the object's section: `項目` stands for `項目/*`. A path pattern
// matches the last levels of the path, or the whole path when it begins with
// "/"; "**" as a level stands for any number of levels, none included.
// Within a name, "*" matches any run of characters and "?" one; letter case
// is ignored throughout, as Forms ignores it in names.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class IgnoreRules {
 public:
  struct Rule {
    // Upper-cased levels from the top entry, "**" first unless the rule's
    // pattern was anchored; empty: any object.
    std::vector<std::u16string> path;
    std::u16string property;  // upper-cased
  };

  IgnoreRules() = default;
  explicit IgnoreRules(std::vector<Rule> rules) : rules_(std::move(rules)) {}

  bool Empty() const { return rules_.empty(); }
  std::size_t Count() const { return rules_.size(); }

  // Whether some rule matches the property `name` of the object at `path`
  // (its levels from the top entry down).
  bool Matches(std::span<const std::u16string_view> path, std::u16string_view name) const;

 private:
  std::vector<Rule> rules_;
};

// What reading a rule file's text gave: the rules, or the first line that is
// no rule (badLine 0 when every line is one).
struct ParsedIgnoreRules {
  IgnoreRules rules;
  std::size_t badLine = 0;  // 1-based
  std::u16string badText;   // that line as written
};

// Lines end at LF, CR LF or a lone CR; blanks (also full-width ones) and
// tabs around a rule and its parts do not count.
ParsedIgnoreRules ParseIgnoreRules(std::u16string_view text);

// Whether `text` matches `pattern` ("*" any run, "?" one character), both
// compared as given.
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view text);

}  // namespace tarnwick
