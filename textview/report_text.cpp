#include "textview/report_text.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "diff/compare_events.h"
#include "diff/form_diff.h"
#include "report/tree_walk.h"
#include "textview/changed_objects.h"

namespace tarnwick {
namespace {

// Writes each line of `value` indented, a line ending at CR LF, CR or LF.
void WriteIndentedLines(std::u16string_view value, TextSink& out) {
  std::size_t from = 0;
  while (from <= value.size()) {
    std::size_t end = value.find_first_of(u"\r\n", from);
    if (end == std::u16string_view::npos) end = value.size();
    const std::u16string_view line = value.substr(from, end - from);
    if (!line.empty()) {
      out.Write(u"    ");
      out.Write(PrintableText(line));
    }
    out.Write(u"\n");
    if (end == value.size()) break;
    from = end + (value.compare(end, 2, u"\r\n") == 0 ? 2 : 1);
  }
}

bool IsMultiLine(std::u16string_view value) {
  return value.find_first_of(u"\r\n") != std::u16string_view::npos;
}

void WriteProperty(std::u16string_view path, std::u16string_view value, TextSink& out) {
  out.Write(path);
  if (IsMultiLine(value)) {
    out.Write(u":\n");
    WriteIndentedLines(value, out);
    return;
  }
  out.Write(value.empty() ? u":" : u": ");
  out.Write(PrintableText(value));
  out.Write(u"\n");
}

// One open collection: its children in the order they are written.
struct Level {
  std::vector<const clsItem*> order;
  std::size_t next = 0;
  std::size_t pathLength = 0;  // of the path to this collection, with its "/"
};

void Arrange(const Collection& children, Level& level) {
  level.order.clear();
  level.next = 0;
  for (const clsItem& child : children) {
    if (!child.IsCollection()) level.order.push_back(&child);
  }
  const std::size_t properties = level.order.size();
  for (const clsItem& child : children) {
    if (child.IsCollection()) level.order.push_back(&child);
  }
  std::sort(level.order.begin() + static_cast<std::ptrdiff_t>(properties), level.order.end(),
            [](const clsItem* a, const clsItem* b) { return a->Key < b->Key; });
}

}  // namespace

void WriteReportText(const Collection* tree, TextSink& out, std::u16string_view outlineHeading) {
  if (tree == nullptr) return;
  std::u16string outline;
  try {
    outline = BlockItemOutline(*tree);
  } catch (const Error&) {
    // A report without a form module has no outline; its objects still show.
  }
  if (!outline.empty()) {
    out.Write(outlineHeading);
    out.Write(u":\n");
    WriteIndentedLines(outline, out);
  }

  std::u16string path;
  TreeWalk<Level> walk;
  // The root's entry is the report's envelope (the one form module's
  // parent): paths start below it, as the comparison's do.
  if (tree->Count() == 1 && tree->At(1).IsCollection()) {
    Level& top = walk.Open();
    Arrange(tree->At(1).Children(), top);
    top.pathLength = 0;
  } else {
    Level& top = walk.Open();
    Arrange(*tree, top);
    top.pathLength = 0;
  }
  walk.Run([&](Level& level) {
    if (level.next == level.order.size()) return false;
    const clsItem& child = *level.order[level.next++];
    path.resize(level.pathLength);
    path += PrintableText(child.Key);
    if (child.IsText()) {
      WriteProperty(path, child.Text(), out);
    } else if (child.IsNothing()) {
      out.Write(path);
      out.Write(u"\n");
    } else if (child.Children().Empty()) {
      out.Write(path);
      out.Write(u"/\n");
    } else {
      path += u'/';
      const std::size_t length = path.size();
      const Collection& children = child.Children();
      Level& below = walk.Open();  // `level` is dead now
      Arrange(children, below);
      below.pathLength = length;
    }
    return true;
  });
}

}  // namespace tarnwick
