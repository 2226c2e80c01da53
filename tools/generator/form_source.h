// The generated module of one set of options before it is written: all but
// its blocks at once, its blocks one at a time, so that each output format
// grows the module to the target size by its own count of bytes. The same
// options always give the same module.
#pragma once

#include <cstddef>

#include "tools/generator/form_model.h"
#include "tools/generator/plsql_text.h"
#include "tools/generator/report_generator.h"

namespace tarnwick::gen {

class FormSource {
 public:
  explicit FormSource(const GeneratorOptions& options);

  // Everything of the module but its blocks.
  const FormDef& Skeleton() const { return form_; }
  // Block `index`, with at most `maxItems` items.
  BlockDef Block(std::size_t index, std::size_t maxItems);

 private:
  GeneratorOptions options_;
  CodeContext context_;
  FormDef form_;
};

}  // namespace tarnwick::gen
