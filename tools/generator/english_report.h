// English object list reports for tests and benchmarks: the generator's
// forms in Forms Builder's English property names, written in one of the
// encodings English reports come in.
//
//   std::u16string english = EnglishReportText(GenerateReportText(options));
//   WriteFileBytes(path, EnglishReportBytes(english, EnglishEncoding::kWindows1252));
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

enum class EnglishEncoding { kWindows1252, kUtf8, kUtf8WithMark };

// The English report of a report the generator wrote (or mutated): the same
// objects and lines, in English words.
std::u16string EnglishReportText(std::u16string_view japanese);

// The bytes of an English report file, every line ending in CR LF.
std::string EnglishReportBytes(std::u16string_view text, EnglishEncoding encoding);

}  // namespace tarnwick
