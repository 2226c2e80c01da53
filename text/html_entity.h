// The one rule every page shares for markup characters: "&", "<", ">" and
// the double quote become entities, so that text can stand in element
// content and in double-quoted attribute values. Each page style adds its
// own rule for the rest (blanks, controls, link characters) around this one.
#pragma once

#include <string_view>

namespace tarnwick {

// The entity of `c` ("&amp;", "&lt;", "&gt;", "&quot;"), or empty when `c`
// needs none.
constexpr std::u16string_view HtmlEntity(char16_t c) {
  switch (c) {
    case u'&':
      return u"&amp;";
    case u'<':
      return u"&lt;";
    case u'>':
      return u"&gt;";
    case u'"':
      return u"&quot;";
    default:
      return {};
  }
}

}  // namespace tarnwick
