#include "textview/text_view.h"

#include "text/decimal.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kBold = u"1";
constexpr std::u16string_view kRed = u"31";
constexpr std::u16string_view kGreen = u"32";
constexpr std::u16string_view kCyan = u"36";

// A value that is there but empty says so.
std::u16string ValueText(std::u16string_view value, const PageWords& words) {
  return value.empty() ? std::u16string(words.emptyValue) : PrintableText(value);
}

std::u16string_view MarkOf(ListingLine line) {
  switch (line.mark) {
    case u'-':
      return kRed;
    case u'+':
      return kGreen;
    default:
      return {};
  }
}

}  // namespace

CompareEvents& TextView::Start(TextSink& out) {
  out_ = &out;
  return objects_;
}

void TextView::Colored(std::u16string_view sgr, std::u16string_view text) {
  if (!options_.color || sgr.empty()) {
    out_->Write(text);
    return;
  }
  out_->Write(u"\x1b[");
  out_->Write(sgr);
  out_->Write(u"m");
  out_->Write(text);
  out_->Write(u"\x1b[m");
}

void TextView::Begin(std::span<const std::u16string> titles1,
                     std::span<const std::u16string> titles2) {
  const auto titles = [&](std::u16string_view lead, std::span<const std::u16string> list) {
    std::u16string line(lead);
    for (std::size_t k = 0; k < list.size(); ++k) {
      if (k > 0) line += u" : ";
      line += PrintableText(list[k]);
    }
    Colored(kBold, line);
    out_->Write(u"\n");
  };
  titles(u"--- ", titles1);
  titles(u"+++ ", titles2);
}

void TextView::Outline(std::span<const LineRecord> lines) {
  Colored(kBold, options_.words->outlineSection);
  out_->Write(u"\n");
  Listing(lines, u"    ", true);
}

void TextView::Object(const ChangedObject& object) {
  const PageWords& words = *options_.words;
  const std::u16string path =
      object.path.empty() ? std::u16string(words.comparedNote) : PrintableText(object.path);
  switch (object.state) {
    case ObjectState::kChanged:
      Colored(kBold, path);
      out_->Write(MoveText(object, words));
      break;
    case ObjectState::kAdded:
      Colored(u"1;32", u"+ " + path + std::u16string(object.inOneSided ? u"" : words.addedSuffix));
      break;
    case ObjectState::kRemoved:
      Colored(u"1;31",
              u"- " + path + std::u16string(object.inOneSided ? u"" : words.removedSuffix));
      break;
  }
  out_->Write(u"\n");
}

void TextView::Property(const PropertyChange& change) {
  const PageWords& words = *options_.words;
  const std::u16string name = PrintableText(change.name);
  const bool both = change.value1 != nullptr && change.value2 != nullptr;
  const std::u16string_view sgr = both ? std::u16string_view() : change.value1 ? kRed : kGreen;
  const std::u16string_view lead = both ? u"    " : change.value1 ? u"  - " : u"  + ";
  if (change.multiLine) {
    Colored(sgr, std::u16string(lead) + name + u":");
    out_->Write(u"\n");
    Listing(change.lines, u"      ");
    return;
  }
  if (!both) {
    Colored(sgr, std::u16string(lead) + name + u": " +
                     ValueText(change.value1 ? *change.value1 : *change.value2, words));
    out_->Write(u"\n");
    return;
  }
  out_->Write(lead);
  out_->Write(name);
  out_->Write(u": ");
  Colored(kRed, ValueText(*change.value1, words));
  out_->Write(u" → ");
  Colored(kGreen, ValueText(*change.value2, words));
  out_->Write(u"\n");
}

void TextView::IgnoredProperty(const PropertyChange& change) {
  // Dim, and one line: it is shown so that nothing is hidden, not reviewed.
  const PageWords& words = *options_.words;
  std::u16string line =
      u"    " + std::u16string(words.ignoredNote) + u" " + PrintableText(change.name) + u": ";
  if (change.multiLine) {
    line += words.multiLineNote;
  } else {
    line +=
        change.value1 != nullptr ? ValueText(*change.value1, words) : std::u16string(words.noValue);
    line += u" → ";
    line +=
        change.value2 != nullptr ? ValueText(*change.value2, words) : std::u16string(words.noValue);
  }
  Colored(u"2", line);
  out_->Write(u"\n");
}

void TextView::Listing(std::span<const LineRecord> lines, std::u16string_view indent,
                       bool marksMoves) {
  const std::vector<ListingLine> shownLines = ListingLinesOf(lines, marksMoves);
  std::u16string line;
  for (const ListingHunk& hunk : UnifiedHunks(lines)) {
    out_->Write(indent);
    Colored(kCyan, HunkHeader(hunk));
    out_->Write(u"\n");
    for (std::size_t k = hunk.begin; k < hunk.end; ++k) {
      const ListingLine shown = shownLines[k];
      line.assign(1, shown.mark);
      line += PrintableText(shown.text);
      out_->Write(indent);
      Colored(MarkOf(shown), line);
      out_->Write(u"\n");
    }
  }
}

void TextView::Finish(const ComparisonVerdict& verdict) {
  if (!objects_.Begun()) return;
  const ChangeCounts& counts = verdict.result.counts;
  const PageWords& words = *options_.words;
  std::u16string line;
  const auto count = [&line](std::u16string_view label, std::int64_t n) {
    line.append(label).append(u" ").append(DecimalText(n));
  };
  count(words.objectsAdded, counts.objectsAdded);
  count(words.objectsRemoved, counts.objectsRemoved);
  count(words.objectsChanged, counts.objectsChanged);
  if (counts.objectsMoved > 0) count(words.objectsMoved, counts.objectsMoved);
  count(words.linesAdded, counts.linesAdded);
  count(words.linesRemoved, counts.linesRemoved);
  out_->Write(line + u"\n\n");
}

}  // namespace tarnwick
