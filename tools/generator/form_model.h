// The form module the generator describes before it writes it: blocks, items,
// triggers, program units and the rest, with their PL/SQL and SQL texts as
// lines. WriteForm lays a module out as an object list report; every text
// property is followed by one of the names that close it, so a reader of the
// report gathers exactly each text's lines.
#pragma once

#include <string>
#include <vector>

#include "tools/generator/report_writer.h"

namespace tarnwick::gen {

struct TriggerDef {
  std::u16string name;
  Lines comment;  // empty: no comment
  Lines text;     // first line on the property line, the rest raw
  bool fireInQueryMode = false;
  std::u16string hierarchy = u"オーバーライド";
};

enum class ItemKind { kText, kDisplay, kList, kCheckBox, kRadioGroup, kButton };

struct ListElement {
  std::u16string label;
  std::u16string value;
};

struct ItemDef {
  std::u16string name;
  ItemKind kind = ItemKind::kText;
  Lines comment;
  std::u16string prompt;  // label of buttons and check boxes
  std::u16string hint;
  std::u16string dataType = u"文字";
  int maxLength = 30;
  Lines initialValue;
  bool required = false;
  std::u16string formatMask;
  Lines formula;  // display items computed from others
  bool database = true;
  std::u16string column;
  bool primaryKey = false;
  bool updateAllowed = true;
  std::u16string lov;
  std::u16string canvas = u"CV_MAIN";
  int x = 0, y = 0, width = 80, height = 16;
  std::vector<ListElement> elements;  // list elements, radio buttons
  std::u16string propertyClass;       // subclassed from a property class
  std::u16string libraryObject;       // referenced from an object library
  std::vector<TriggerDef> triggers;
};

struct QueryColumn {
  std::u16string name;
  std::u16string type;
  int length = 0, precision = 0, scale = 0;
};

struct QueryArgument {
  std::u16string name;
  std::u16string type;
  std::u16string typeName;
  std::u16string mode = u"IN";
  std::u16string value;
};

struct RelationDef {
  std::u16string name;
  std::u16string detailBlock;
  Lines joinCondition;
  std::u16string deleteBehavior = u"非分離";
};

struct BlockDef {
  std::u16string name;
  Lines comment;
  bool database = true;
  std::u16string sourceType = u"表";
  std::u16string sourceName;
  std::vector<QueryColumn> columns;
  std::vector<QueryArgument> arguments;
  Lines where;
  Lines orderBy;
  Lines hint;
  int recordsDisplayed = 1;
  bool insertAllowed = true, updateAllowed = true, deleteAllowed = true;
  std::vector<ItemDef> items;
  std::vector<RelationDef> relations;
  std::vector<TriggerDef> triggers;
};

struct LibraryDef {
  std::u16string name;
  std::u16string location;
};

struct AlertDef {
  std::u16string name;
  std::u16string title;
  Lines message;
  std::u16string style = u"注意";
  std::u16string button1 = u"OK", button2, button3;
};

struct CanvasDef {
  std::u16string name;
  std::u16string type = u"コンテンツ";
  std::u16string window = u"WINDOW1";
  int width = 640, height = 480;
  std::vector<std::u16string> tabPages;  // tab canvases
  std::vector<std::u16string> labels;    // boilerplate text on the canvas
};

struct WindowDef {
  std::u16string name;
  std::u16string title;
  std::u16string style = u"ドキュメント";
  bool modal = false;
  std::u16string canvas;
  int width = 640, height = 480;
};

struct LovColumn {
  std::u16string name;
  std::u16string title;
  std::u16string returnItem;
  int width = 80;
};

struct LovDef {
  std::u16string name;
  std::u16string title;
  std::u16string recordGroup;
  std::vector<LovColumn> columns;
};

struct RecordGroupDef {
  std::u16string name;
  Lines query;  // empty: a static group
  std::vector<QueryColumn> columns;
  int fetchSize = 20;
};

struct ProgramUnitDef {
  std::u16string name;
  std::u16string type;  // プロシージャ, ファンクション, パッケージ仕様部, パッケージ本体
  Lines comment;
  Lines text;
};

struct ParameterDef {
  std::u16string name;
  std::u16string dataType = u"文字";
  int maxLength = 30;
  std::u16string initialValue;
};

struct MenuItemDef {
  std::u16string name;
  std::u16string label;
  Lines code;
  bool codeOnOneLine = false;  // the icon property shares the code's line
  bool iconInMenu = false;
};

struct MenuDef {
  std::u16string name;
  std::u16string title;
  std::vector<MenuItemDef> items;
};

struct VisualAttributeDef {
  std::u16string name;
  std::u16string foreground, background;
  std::u16string fontName = u"ＭＳ ゴシック";
  int fontSize = 9;
};

struct FormDef {
  std::u16string name;
  std::u16string title;
  Lines comment;
  std::vector<LibraryDef> libraries;
  std::vector<AlertDef> alerts;
  std::vector<BlockDef> blocks;
  std::vector<CanvasDef> canvases;
  std::vector<LovDef> lovs;
  std::vector<ParameterDef> parameters;
  std::vector<MenuDef> menus;
  std::vector<ProgramUnitDef> programUnits;
  std::vector<RecordGroupDef> recordGroups;
  std::vector<VisualAttributeDef> visualAttributes;
  std::vector<WindowDef> windows;
  std::vector<TriggerDef> triggers;
};

// The report lays the module out in three stretches: the module's own
// properties up to the block section, the blocks, and everything after.
// Writing them apart lets the generator grow the blocks to a target size.
void WriteFormHead(ReportWriter& out, const FormDef& form);
void WriteBlock(ReportWriter& out, const BlockDef& block, bool first);
void WriteFormTail(ReportWriter& out, const FormDef& form);
// The whole report of `form`, blocks included.
std::u16string WriteForm(const FormDef& form);

}  // namespace tarnwick::gen
