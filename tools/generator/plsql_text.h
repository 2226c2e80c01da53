// PL/SQL and SQL texts for generated forms: trigger bodies fitted to the
// trigger's name and its block's items, program units, record group queries.
// Bodies mix lines in column 1 with indented ones, blank lines and the
// repeated lines real code is full of ("END IF;", "NULL;", "END;"); no line
// begins with a word that would close its text in a report.
#pragma once

#include <string>
#include <vector>

#include "tools/generator/form_model.h"
#include "tools/generator/report_writer.h"

namespace tarnwick::gen {

// Names a body may refer to besides its own block.
struct CodeContext {
  std::vector<std::u16string> blocks;
  std::vector<std::u16string> procedures;  // take one NUMBER argument
  std::vector<std::u16string> alerts;
};

Lines ItemTriggerText(Rng& rng, const CodeContext& context, const BlockDef& block,
                      const ItemDef& item, std::u16string_view trigger);
Lines BlockTriggerText(Rng& rng, const CodeContext& context, const BlockDef& block,
                       std::u16string_view trigger);
Lines FormTriggerText(Rng& rng, const CodeContext& context, std::u16string_view trigger);
// `type` is one of プロシージャ, ファンクション, パッケージ仕様部, パッケージ本体.
Lines ProgramUnitText(Rng& rng, const CodeContext& context, std::u16string_view name,
                      std::u16string_view type, const BlockDef& block);

}  // namespace tarnwick::gen
