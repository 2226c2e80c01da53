// Generated Forms XML modules, as Oracle's converter writes them: the module
// GenerateReportText describes, as elements and attributes in UTF-8, every
// element's attributes in an order of its own (the converter keeps none),
// each line break inside a value written "&amp;#10;". For tests and
// benchmarks of the Forms XML reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tools/generator/report_generator.h"

namespace tarnwick {

// About `options.targetBytes` bytes; the seed gives the module and the
// attribute orders.
std::string GenerateFormsXml(const GeneratorOptions& options);

// A second version: about `editFraction` of the lines of the multi-line
// values changed, inserted or deleted, a few numbers changed, and every
// element's attributes put in another order. Throws tarnwick::Error when
// `xml` is no well-formed XML.
std::string MutateFormsXml(std::string_view xml, double editFraction, std::uint64_t seed);

}  // namespace tarnwick
