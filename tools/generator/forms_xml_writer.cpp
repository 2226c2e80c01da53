// Lays a generated module out as a Forms XML module: one element per
// object, its properties as attributes (only those set, as the converter
// writes them), nested objects as child elements three blanks deeper.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "text/utf8.h"
#include "tools/generator/form_source.h"
#include "tools/generator/forms_xml_generator.h"

namespace tarnwick {
namespace gen {
namespace {

// The converter writes Forms' own English values where the model holds the
// Japanese ones of a report; what has none (titles, comments) stays.
std::u16string_view English(std::u16string_view value) {
  static constexpr std::pair<std::u16string_view, std::u16string_view> kValues[] = {
      {u"文字", u"Char"},
      {u"数値", u"Number"},
      {u"日付", u"Date"},
      {u"表", u"Table"},
      {u"プロシージャ", u"Procedure"},
      {u"ファンクション", u"Function"},
      {u"パッケージ仕様部", u"Package Spec"},
      {u"パッケージ本体", u"Package Body"},
      {u"オーバーライド", u"Override"},
      {u"非分離", u"Non Isolated"},
      {u"カスケーディング", u"Cascading"},
      {u"注意", u"Caution"},
      {u"警告", u"Stop"},
      {u"停止", u"Stop"},
      {u"コンテンツ", u"Content"},
      {u"スタック", u"Stacked"},
      {u"タブ", u"Tab"},
      {u"ドキュメント", u"Document"},
      {u"ダイアログ", u"Dialog"},
  };
  for (const auto& [japanese, english] : kValues) {
    if (value == japanese) return english;
  }
  return value;
}

std::u16string_view KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kText:
      return u"Text Item";
    case ItemKind::kDisplay:
      return u"Display Item";
    case ItemKind::kList:
      return u"List Item";
    case ItemKind::kCheckBox:
      return u"Check Box";
    case ItemKind::kRadioGroup:
      return u"Radio Group";
    case ItemKind::kButton:
      return u"Push Button";
  }
  return u"Text Item";
}

std::string Escaped(std::u16string_view text) {
  std::string out;
  for (char c : ToUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

struct Element {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // escaped values
  std::vector<Element> children;

  explicit Element(std::string elementName, std::u16string_view objectName = {})
      : name(std::move(elementName)) {
    Set("Name", objectName);
  }
  // Set properties only: an empty value is a default the converter leaves out.
  Element& Set(std::string_view attribute, std::u16string_view value) {
    if (!value.empty()) attributes.emplace_back(attribute, Escaped(value));
    return *this;
  }
  Element& Set(std::string_view attribute, long long value) {
    return Set(attribute, Number(value));
  }
  Element& Flag(std::string_view attribute, bool value) {
    attributes.emplace_back(attribute, value ? "true" : "false");
    return *this;
  }
  Element& Text(std::string_view attribute, const Lines& lines) {
    if (lines.empty()) return *this;
    std::string value;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) value += "&amp;#10;";
      value += Escaped(lines[i]);
    }
    attributes.emplace_back(attribute, std::move(value));
    return *this;
  }
  Element& Add(Element child) {
    children.push_back(std::move(child));
    return children.back();
  }
};

// Writes elements with their attributes in an order drawn from `order`.
class XmlWriter {
 public:
  explicit XmlWriter(Rng& order) : order_(order) {}

  void Write(const Element& element, int depth, std::string& out) {
    StartTag(element, depth, out);
    if (element.children.empty()) {
      out += "/>\n";
      return;
    }
    out += ">\n";
    for (const Element& child : element.children) Write(child, depth + 1, out);
    EndTag(element, depth, out);
  }
  void StartTag(const Element& element, int depth, std::string& out) {
    out.append(3 * static_cast<std::size_t>(depth), ' ').append("<").append(element.name);
    std::vector<const std::pair<std::string, std::string>*> shuffled;
    for (const auto& attribute : element.attributes) shuffled.push_back(&attribute);
    for (std::size_t i = shuffled.size(); i > 1; --i)
      std::swap(shuffled[i - 1], shuffled[order_.Below(i)]);
    for (const auto* attribute : shuffled) {
      out.append(" ").append(attribute->first).append("=\"").append(attribute->second).append("\"");
    }
  }
  void EndTag(const Element& element, int depth, std::string& out) {
    out.append(3 * static_cast<std::size_t>(depth), ' ')
        .append("</")
        .append(element.name)
        .append(">\n");
  }

 private:
  Rng& order_;
};

Element TriggerElement(const TriggerDef& t) {
  Element e("Trigger", t.name);
  e.Text("Comment", t.comment).Text("TriggerText", t.text);
  e.Flag("FireInQueryMode", t.fireInQueryMode).Set("ExecuteHierarchy", English(t.hierarchy));
  return e;
}

Element ItemElement(const ItemDef& item) {
  Element e("Item", item.name);
  e.Set("ItemType", KindName(item.kind)).Text("Comment", item.comment);
  if (!item.propertyClass.empty()) {
    e.Set("ParentName", item.propertyClass).Set("ParentType", u"Property Class");
  }
  if (!item.libraryObject.empty()) {
    e.Set("ParentModule", u"COMMON_OLB").Set("ParentName", item.libraryObject);
  }
  if (item.kind == ItemKind::kButton || item.kind == ItemKind::kCheckBox) {
    e.Set("Label", item.prompt);
  } else {
    e.Set("Prompt", item.prompt);
  }
  if (item.kind == ItemKind::kCheckBox) e.Set("CheckedValue", u"1").Set("UncheckedValue", u"0");
  if (item.kind != ItemKind::kButton) {
    e.Set("DataType", English(item.dataType)).Set("MaximumLength", item.maxLength);
    e.Text("InitializeValue", item.initialValue).Flag("Required", item.required);
    e.Set("FormatMask", item.formatMask);
    if (!item.formula.empty()) e.Set("CalculationMode", u"Formula").Text("Formula", item.formula);
  }
  e.Flag("DatabaseItem", item.database);
  if (item.database) {
    e.Set("ColumnName", item.column).Flag("PrimaryKey", item.primaryKey);
    e.Flag("UpdateAllowed", item.updateAllowed);
  }
  e.Set("LovName", item.lov).Flag("ValidateFromList", !item.lov.empty());
  e.Set("CanvasName", item.canvas).Set("XPosition", item.x).Set("YPosition", item.y);
  e.Set("Width", item.width).Set("Height", item.height).Set("Hint", item.hint);
  if (item.kind == ItemKind::kList) {
    e.Set("ListStyle", u"Poplist");
    for (const ListElement& l : item.elements)
      e.Add(Element("ListItemElement", l.label)).Set("Value", l.value);
  }
  if (item.kind == ItemKind::kRadioGroup) {
    int index = 0;
    for (const ListElement& l : item.elements) {
      ++index;
      e.Add(Element("RadioButton", item.name + u"_" + Number(index)))
          .Set("Label", l.label)
          .Set("RadioButtonValue", l.value)
          .Set("XPosition", item.x + (index - 1) * 60)
          .Set("YPosition", item.y);
    }
  }
  for (const TriggerDef& t : item.triggers) e.Add(TriggerElement(t));
  return e;
}

Element BlockElement(const BlockDef& b) {
  Element e("Block", b.name);
  e.Text("Comment", b.comment).Set("QueryArraySize", b.recordsDisplayed);
  e.Set("RecordsDisplayCount", b.recordsDisplayed).Flag("DatabaseBlock", b.database);
  e.Set("QueryDataSourceType", b.database ? English(b.sourceType) : u"None");
  e.Set("QueryDataSourceName", b.sourceName).Text("WhereClause", b.where);
  e.Text("OrderByClause", b.orderBy).Text("OptimizerHint", b.hint);
  e.Flag("InsertAllowed", b.insertAllowed).Flag("UpdateAllowed", b.updateAllowed);
  e.Flag("DeleteAllowed", b.deleteAllowed);
  if (b.database) e.Set("DMLDataTargetName", b.sourceName);
  for (const ItemDef& item : b.items) e.Add(ItemElement(item));
  for (const QueryColumn& c : b.columns) {
    Element column("DataSourceColumn");
    column.Set("DSCName", c.name).Set("DSCType", c.type).Set("DSCLength", c.length);
    column.Set("DSCPrecision", c.precision).Set("DSCScale", c.scale);
    e.Add(std::move(column));
  }
  for (const QueryArgument& a : b.arguments) {
    Element argument("DataSourceArgument");
    argument.Set("DSAName", a.name).Set("DSAType", a.type).Set("DSATypeName", a.typeName);
    argument.Set("DSAMode", a.mode).Set("DSAValue", a.value);
    e.Add(std::move(argument));
  }
  for (const RelationDef& r : b.relations) {
    e.Add(Element("Relation", r.name))
        .Set("DetailBlock", r.detailBlock)
        .Text("JoinCondition", r.joinCondition)
        .Set("DeleteRecord", English(r.deleteBehavior));
  }
  for (const TriggerDef& t : b.triggers) e.Add(TriggerElement(t));
  return e;
}

// The module's element with what comes before its blocks, and after them.
Element HeadElement(const FormDef& form) {
  Element e("FormModule", form.name);
  e.Set("Title", form.title).Text("Comment", form.comment).Set("MenuModule", u"DEFAULT&SMARTBAR");
  if (!form.windows.empty()) e.Set("ConsoleWindow", form.windows.front().name);
  e.Add(Element("Coordinate"))
      .Set("CoordinateSystem", u"Real")
      .Set("RealUnit", u"Point")
      .Set("CharacterCellWidth", 7)
      .Set("CharacterCellHeight", 14);
  for (const LibraryDef& lib : form.libraries) {
    e.Add(Element("AttachedLibrary", lib.name)).Set("LibraryLocation", lib.location);
  }
  for (const AlertDef& a : form.alerts) {
    e.Add(Element("Alert", a.name))
        .Set("Title", a.title)
        .Text("AlertMessage", a.message)
        .Set("AlertStyle", English(a.style))
        .Set("Button1Label", a.button1)
        .Set("Button2Label", a.button2)
        .Set("Button3Label", a.button3);
  }
  return e;
}

std::vector<Element> TailElements(const FormDef& form) {
  std::vector<Element> tail;
  for (const CanvasDef& c : form.canvases) {
    Element& e = tail.emplace_back("Canvas", c.name);
    e.Set("CanvasType", English(c.type)).Set("WindowName", c.window);
    e.Set("Width", c.width).Set("Height", c.height).Set("ViewportWidth", c.width);
    e.Set("ViewportHeight", c.height);
    for (const std::u16string& page : c.tabPages)
      e.Add(Element("TabPage", page)).Set("Label", page);
    int index = 0;
    for (const std::u16string& label : c.labels) {
      ++index;
      e.Add(Element("Graphics", u"TEXT" + Number(index)))
          .Set("GraphicsType", u"Text")
          .Set("GraphicsText", label)
          .Set("XPosition", 16)
          .Set("YPosition", 8 + 24 * index);
    }
  }
  for (const LovDef& lov : form.lovs) {
    Element& e = tail.emplace_back("LOV", lov.name);
    e.Set("Title", lov.title).Set("RecordGroupName", lov.recordGroup);
    for (const LovColumn& c : lov.columns) {
      e.Add(Element("LOVColumnMapping", c.name))
          .Set("Title", c.title)
          .Set("ReturnItem", c.returnItem)
          .Set("DisplayWidth", c.width);
    }
  }
  for (const ParameterDef& p : form.parameters) {
    tail.emplace_back("ModuleParameter", p.name)
        .Set("ParameterDataType", English(p.dataType))
        .Set("MaximumLength", p.maxLength)
        .Set("ParameterInitializeValue", p.initialValue);
  }
  for (const MenuDef& m : form.menus) {
    Element& e = tail.emplace_back("Menu", m.name);
    e.Set("Title", m.title);
    for (const MenuItemDef& item : m.items) {
      e.Add(Element("MenuItem", item.name))
          .Set("Label", item.label)
          .Text("MenuItemCode", item.code)
          .Flag("IconInMenu", item.iconInMenu);
    }
  }
  for (const ProgramUnitDef& p : form.programUnits) {
    tail.emplace_back("ProgramUnit", p.name)
        .Text("Comment", p.comment)
        .Text("ProgramUnitText", p.text)
        .Set("ProgramUnitType", English(p.type));
  }
  for (const RecordGroupDef& g : form.recordGroups) {
    Element& e = tail.emplace_back("RecordGroup", g.name);
    e.Set("RecordGroupType", g.query.empty() ? u"Static" : u"Query");
    e.Text("RecordGroupQuery", g.query).Set("RecordGroupFetchSize", g.fetchSize);
    for (const QueryColumn& c : g.columns) {
      e.Add(Element("RecordGroupColumn", c.name))
          .Set("ColumnDataType", English(c.type))
          .Set("MaximumLength", c.length);
    }
  }
  for (const VisualAttributeDef& v : form.visualAttributes) {
    tail.emplace_back("VisualAttribute", v.name)
        .Set("ForegroundColor", v.foreground)
        .Set("BackgroundColor", v.background)
        .Set("FontName", v.fontName)
        .Set("FontSize", v.fontSize);
  }
  for (const WindowDef& w : form.windows) {
    tail.emplace_back("Window", w.name)
        .Set("Title", w.title)
        .Set("PrimaryCanvas", w.canvas)
        .Set("WindowStyle", English(w.style))
        .Flag("Modal", w.modal)
        .Set("Width", w.width)
        .Set("Height", w.height);
  }
  for (const TriggerDef& t : form.triggers) tail.push_back(TriggerElement(t));
  return tail;
}

}  // namespace
}  // namespace gen

std::string GenerateFormsXml(const GeneratorOptions& options) {
  using namespace gen;
  FormSource source(options);
  Rng order(options.seed * 7919 + 17);
  XmlWriter writer(order);

  const Element module = HeadElement(source.Skeleton());
  std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
      "<Module version=\"101020002\" xmlns=\"http://xmlns.oracle.com/Forms\">\n";
  writer.StartTag(module, 1, head);
  head += ">\n";
  for (const Element& child : module.children) writer.Write(child, 2, head);
  std::string tail;
  for (const Element& child : TailElements(source.Skeleton())) writer.Write(child, 2, tail);
  writer.EndTag(module, 1, tail);
  tail += "</Module>\n";

  std::string blocks;
  for (std::size_t i = 0;; ++i) {
    const std::size_t written = head.size() + tail.size() + blocks.size();
    if (i > 0 && written >= options.targetBytes) break;
    // About 2 KB per item with its triggers: small targets get small blocks.
    const std::size_t budget = options.targetBytes > written ? options.targetBytes - written : 0;
    const std::size_t maxItems = std::max<std::size_t>(2, budget / 2000);
    writer.Write(BlockElement(source.Block(i, maxItems)), 2, blocks);
  }
  return head + blocks + tail;
}

}  // namespace tarnwick
