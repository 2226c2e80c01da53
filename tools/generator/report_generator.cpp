#include "tools/generator/report_generator.h"

#include <algorithm>
#include <string_view>

#include "tools/generator/form_model.h"
#include "tools/generator/form_source.h"
#include "tools/generator/plsql_text.h"
#include "tools/generator/report_writer.h"

namespace tarnwick {
namespace gen {
namespace {

struct ColumnInfo {
  std::u16string_view name, dataType;
  int length;
  std::u16string_view prompt;
};

const ColumnInfo kColumns[] = {
    {u"ORDER_ID", u"数値", 10, u"受注番号"},
    {u"ORDER_DATE", u"日付", 10, u"受注日"},
    {u"CUSTOMER_ID", u"数値", 8, u"顧客コード"},
    {u"CUSTOMER_NAME", u"文字", 60, u"顧客名"},
    {u"CUSTOMER_KANA", u"文字", 60, u"顧客名カナ"},
    {u"SALES_REP", u"文字", 6, u"営業担当"},
    {u"DELIVERY_DATE", u"日付", 10, u"納期"},
    {u"SHIP_TO", u"文字", 60, u"出荷先"},
    {u"PAYMENT_TERMS", u"文字", 2, u"支払条件"},
    {u"STATUS", u"文字", 1, u"状態"},
    {u"TOTAL_AMOUNT", u"数値", 14, u"合計金額"},
    {u"TAX_AMOUNT", u"数値", 14, u"消費税額"},
    {u"REMARKS", u"文字", 200, u"備考"},
    {u"CREATED_BY", u"文字", 30, u"登録者"},
    {u"CREATED_AT", u"日付", 19, u"登録日時"},
    {u"UPDATED_BY", u"文字", 30, u"更新者"},
    {u"UPDATED_AT", u"日付", 19, u"更新日時"},
    {u"LINE_NO", u"数値", 4, u"行番号"},
    {u"PRODUCT_CODE", u"文字", 12, u"商品コード"},
    {u"PRODUCT_NAME", u"文字", 80, u"商品名"},
    {u"QUANTITY", u"数値", 8, u"数量"},
    {u"UNIT_PRICE", u"数値", 12, u"単価"},
    {u"AMOUNT", u"数値", 14, u"金額"},
    {u"DISCOUNT_RATE", u"数値", 5, u"値引率"},
    {u"WAREHOUSE_CODE", u"文字", 4, u"倉庫コード"},
    {u"ZIP_CODE", u"文字", 8, u"郵便番号"},
    {u"ADDRESS1", u"文字", 100, u"住所１"},
    {u"ADDRESS2", u"文字", 100, u"住所２"},
    {u"TEL_NO", u"文字", 20, u"電話番号"},
    {u"FAX_NO", u"文字", 20, u"ＦＡＸ番号"},
    {u"EMAIL", u"文字", 100, u"メールアドレス"},
    {u"CREDIT_LIMIT", u"数値", 12, u"与信限度額"},
    {u"DELETE_FLG", u"文字", 1, u"削除"},
    {u"CATEGORY_CODE", u"文字", 4, u"分類コード"},
    {u"COST_PRICE", u"数値", 12, u"原価"},
    {u"TAX_TYPE", u"文字", 1, u"課税区分"},
    {u"SUPPLIER_CODE", u"文字", 6, u"仕入先コード"},
    {u"STOCK_QTY", u"数値", 10, u"在庫数"},
    {u"EMP_NO", u"数値", 6, u"社員番号"},
    {u"EMP_NAME", u"文字", 40, u"社員名"},
    {u"EMP_KANA", u"文字", 40, u"社員名カナ"},
    {u"DEPT_CODE", u"文字", 6, u"部門コード"},
    {u"DEPT_NAME", u"文字", 40, u"部門名"},
    {u"HIRE_DATE", u"日付", 10, u"入社日"},
    {u"SALARY", u"数値", 10, u"基本給"},
    {u"INVOICE_NO", u"文字", 12, u"請求番号"},
    {u"INVOICE_DATE", u"日付", 10, u"請求日"},
    {u"DUE_DATE", u"日付", 10, u"支払期日"},
    {u"SHIPMENT_NO", u"文字", 12, u"出荷番号"},
    {u"SHIP_DATE", u"日付", 10, u"出荷日"},
    {u"CARRIER_CODE", u"文字", 4, u"運送会社"},
    {u"TRACKING_NO", u"文字", 20, u"送り状番号"},
    {u"ALLOCATED_QTY", u"数値", 10, u"引当数"},
    {u"LAST_RECEIPT_DATE", u"日付", 10, u"最終入庫日"},
    {u"PAYMENT_NO", u"文字", 12, u"入金番号"},
    {u"PAYMENT_DATE", u"日付", 10, u"入金日"},
    {u"PAYMENT_METHOD", u"文字", 1, u"入金方法"},
    {u"BANK_CODE", u"文字", 4, u"銀行コード"},
    {u"SUPPLIER_NAME", u"文字", 60, u"仕入先名"},
    {u"WAREHOUSE_NAME", u"文字", 40, u"倉庫名"},
};

struct TableInfo {
  std::u16string_view name, noun;
  std::vector<std::u16string_view> columns;  // the first is the key
};

const std::vector<TableInfo>& Tables() {
  static const std::vector<TableInfo> tables = {
      {u"ORDERS",
       u"受注",
       {u"ORDER_ID", u"ORDER_DATE", u"CUSTOMER_ID", u"CUSTOMER_NAME", u"SALES_REP",
        u"DELIVERY_DATE", u"SHIP_TO", u"PAYMENT_TERMS", u"STATUS", u"TOTAL_AMOUNT", u"TAX_AMOUNT",
        u"REMARKS", u"CREATED_BY", u"CREATED_AT", u"UPDATED_BY", u"UPDATED_AT"}},
      {u"ORDER_LINES",
       u"受注明細",
       {u"ORDER_ID", u"LINE_NO", u"PRODUCT_CODE", u"PRODUCT_NAME", u"QUANTITY", u"UNIT_PRICE",
        u"AMOUNT", u"DISCOUNT_RATE", u"TAX_TYPE", u"WAREHOUSE_CODE", u"DELIVERY_DATE", u"REMARKS"}},
      {u"CUSTOMERS",
       u"顧客",
       {u"CUSTOMER_ID", u"CUSTOMER_NAME", u"CUSTOMER_KANA", u"ZIP_CODE", u"ADDRESS1", u"ADDRESS2",
        u"TEL_NO", u"FAX_NO", u"EMAIL", u"CREDIT_LIMIT", u"PAYMENT_TERMS", u"SALES_REP",
        u"DELETE_FLG", u"UPDATED_BY", u"UPDATED_AT"}},
      {u"PRODUCTS",
       u"商品",
       {u"PRODUCT_CODE", u"PRODUCT_NAME", u"CATEGORY_CODE", u"UNIT_PRICE", u"COST_PRICE",
        u"TAX_TYPE", u"SUPPLIER_CODE", u"STOCK_QTY", u"DELETE_FLG", u"REMARKS"}},
      {u"EMPLOYEES",
       u"社員",
       {u"EMP_NO", u"EMP_NAME", u"EMP_KANA", u"DEPT_CODE", u"HIRE_DATE", u"SALARY", u"EMAIL",
        u"TEL_NO", u"DELETE_FLG"}},
      {u"INVOICES",
       u"請求",
       {u"INVOICE_NO", u"INVOICE_DATE", u"CUSTOMER_ID", u"CUSTOMER_NAME", u"TOTAL_AMOUNT",
        u"TAX_AMOUNT", u"DUE_DATE", u"STATUS", u"REMARKS"}},
      {u"SHIPMENTS",
       u"出荷",
       {u"SHIPMENT_NO", u"SHIP_DATE", u"ORDER_ID", u"WAREHOUSE_CODE", u"CARRIER_CODE",
        u"TRACKING_NO", u"STATUS", u"REMARKS"}},
      {u"STOCKS",
       u"在庫",
       {u"PRODUCT_CODE", u"WAREHOUSE_CODE", u"STOCK_QTY", u"ALLOCATED_QTY", u"LAST_RECEIPT_DATE"}},
      {u"PAYMENTS",
       u"入金",
       {u"PAYMENT_NO", u"PAYMENT_DATE", u"CUSTOMER_ID", u"AMOUNT", u"PAYMENT_METHOD", u"BANK_CODE",
        u"REMARKS"}},
      {u"SUPPLIERS",
       u"仕入先",
       {u"SUPPLIER_CODE", u"SUPPLIER_NAME", u"ZIP_CODE", u"ADDRESS1", u"TEL_NO", u"PAYMENT_TERMS"}},
      {u"DEPARTMENTS", u"部門", {u"DEPT_CODE", u"DEPT_NAME", u"EMP_NO", u"DELETE_FLG"}},
      {u"WAREHOUSES",
       u"倉庫",
       {u"WAREHOUSE_CODE", u"WAREHOUSE_NAME", u"ZIP_CODE", u"ADDRESS1", u"TEL_NO"}},
  };
  return tables;
}

const ColumnInfo& Column(std::u16string_view name) {
  for (const ColumnInfo& c : kColumns) {
    if (c.name == name) return c;
  }
  return kColumns[0];
}

struct Button {
  std::u16string_view name, label;
};
const Button kButtons[] = {
    {u"BTN_SEARCH", u"検索"}, {u"BTN_SAVE", u"保存"},   {u"BTN_CLEAR", u"クリア"},
    {u"BTN_PRINT", u"印刷"},  {u"BTN_DETAIL", u"明細"}, {u"BTN_EXIT", u"終了"},
};

std::vector<ListElement> ElementsFor(std::u16string_view column) {
  if (column == u"STATUS") {
    return {{u"受付", u"A"}, {u"出荷済", u"S"}, {u"請求済", u"B"}, {u"取消", u"C"}};
  }
  if (column == u"TAX_TYPE") return {{u"課税", u"1"}, {u"非課税", u"2"}, {u"免税", u"3"}};
  if (column == u"PAYMENT_TERMS") {
    return {{u"月末締め翌月末払い", u"01"}, {u"20日締め翌月10日払い", u"02"}, {u"現金", u"99"}};
  }
  if (column == u"PAYMENT_METHOD") return {{u"現金", u"1"}, {u"振込", u"2"}, {u"手形", u"3"}};
  return {};
}

std::u16string_view LookupTable(std::u16string_view column) {
  if (column == u"CUSTOMER_ID") return u"CUSTOMERS";
  if (column == u"PRODUCT_CODE") return u"PRODUCTS";
  if (column == u"EMP_NO" || column == u"SALES_REP") return u"EMPLOYEES";
  if (column == u"DEPT_CODE") return u"DEPARTMENTS";
  if (column == u"WAREHOUSE_CODE") return u"WAREHOUSES";
  if (column == u"SUPPLIER_CODE") return u"SUPPLIERS";
  return {};
}

const std::vector<std::u16string> kItemComments = {
    u"2012/07 項目追加",   u"画面からは更新させない",         u"桁数変更（8→10）",
    u"トリガーで自動設定", u"運用部門の要望により必須とする",
};

std::u16string BlockName(std::size_t index) {
  const auto& tables = Tables();
  std::u16string name(tables[index % tables.size()].name);
  if (index >= tables.size())
    name += u"_" + Number(static_cast<long long>(index / tables.size() + 1));
  return name;
}

ItemDef MakeColumnItem(Rng& rng, const ColumnInfo& c, bool key, int row) {
  ItemDef item;
  item.name = std::u16string(c.name);
  item.column = item.name;
  item.prompt = std::u16string(c.prompt);
  item.dataType = std::u16string(c.dataType);
  item.maxLength = c.length;
  item.primaryKey = key;
  item.required = key || rng.Percent(25);
  item.x = 120;
  item.y = 24 + 22 * row;
  item.width = std::clamp(c.length * 7, 40, 360);
  item.hint = item.prompt + u"を入力してください。";
  const std::vector<ListElement> elements = ElementsFor(c.name);
  if (!elements.empty()) {
    item.kind = c.name == u"PAYMENT_METHOD" ? ItemKind::kRadioGroup : ItemKind::kList;
    item.elements = elements;
    if (c.name == u"STATUS") item.initialValue = {u"A"};
  } else if (c.name == u"DELETE_FLG") {
    item.kind = ItemKind::kCheckBox;
    item.prompt = u"削除";
  } else if (c.name.starts_with(u"CREATED_") || c.name.starts_with(u"UPDATED_") ||
             c.name == u"TOTAL_AMOUNT") {
    item.kind = ItemKind::kDisplay;
    item.updateAllowed = false;
    item.hint.clear();
  }
  if (item.dataType == u"日付") {
    item.formatMask = c.length > 10 ? u"YYYY/MM/DD HH24:MI:SS" : u"YYYY/MM/DD";
    if (rng.Percent(30) && item.kind == ItemKind::kText) item.initialValue = {u"$$DATE$$"};
  } else if (item.dataType == u"数値" && c.length > 8) {
    item.formatMask = u"FM999,999,999,990";
  }
  const std::u16string_view lookup = LookupTable(c.name);
  if (!lookup.empty()) item.lov = u"LOV_" + std::u16string(lookup);
  if (rng.Percent(8)) item.comment = {rng.Pick(kItemComments)};
  if (item.kind == ItemKind::kText && rng.Percent(8)) {
    item.propertyClass = item.dataType == u"日付" ? u"PC_DATE_ITEM" : u"PC_TEXT_ITEM";
  } else if (item.kind == ItemKind::kText && item.dataType == u"日付" && rng.Percent(20)) {
    item.libraryObject = u"STD_DATE_ITEM";
  }
  return item;
}

void AddItemTriggers(Rng& rng, const CodeContext& context, const BlockDef& block, ItemDef& item) {
  auto add = [&](std::u16string_view name) {
    TriggerDef t;
    t.name = std::u16string(name);
    t.text = ItemTriggerText(rng, context, block, item, name);
    if (rng.Percent(5)) t.comment = {rng.Pick(kItemComments)};
    item.triggers.push_back(std::move(t));
  };
  switch (item.kind) {
    case ItemKind::kButton:
      add(u"WHEN-BUTTON-PRESSED");
      return;
    case ItemKind::kList:
      if (rng.Percent(50)) add(u"WHEN-LIST-CHANGED");
      return;
    case ItemKind::kCheckBox:
      if (rng.Percent(40)) add(u"WHEN-CHECKBOX-CHANGED");
      return;
    case ItemKind::kRadioGroup:
      if (rng.Percent(40)) add(u"WHEN-RADIO-CHANGED");
      return;
    case ItemKind::kDisplay:
      return;
    case ItemKind::kText:
      break;
  }
  if (item.required || !item.lov.empty() ? rng.Percent(75) : rng.Percent(25))
    add(u"WHEN-VALIDATE-ITEM");
  if (!item.lov.empty() && rng.Percent(50)) add(u"KEY-LISTVAL");
  if (rng.Percent(10)) add(u"POST-CHANGE");
  if (rng.Percent(8)) add(u"WHEN-NEW-ITEM-INSTANCE");
  if (rng.Percent(6)) add(u"KEY-NEXT-ITEM");
}

// Block `index` of a generated module; the same seed and index always give
// the same block, so the tail of the module can refer to any block.
BlockDef MakeBlock(std::uint64_t seed, std::size_t index, const CodeContext& context,
                   std::size_t maxItems) {
  Rng rng(seed * 1000003ULL + index);
  const TableInfo& table = Tables()[index % Tables().size()];
  BlockDef b;
  b.name = BlockName(index);
  b.sourceName = std::u16string(table.name);
  b.comment = {std::u16string(table.noun) + (rng.Percent(50) ? u"の入力・照会" : u"の保守")};
  if (rng.Percent(25))
    b.comment.push_back(u"2016/03/31 " + std::u16string(table.noun) + u"区分を追加");
  b.recordsDisplayed = table.columns.size() > 12 ? 1 : rng.Between(5, 15);
  if (rng.Percent(60)) b.where = {u"DELETE_FLG = '0'"};
  if (rng.Percent(20)) {
    b.where.resize(1);
    b.where.push_back(u"   AND " + std::u16string(table.columns[1]) + u" IS NOT NULL");
  }
  b.orderBy = {std::u16string(table.columns[0]) + (rng.Percent(30) ? u" DESC" : u"")};
  if (rng.Percent(10)) {
    b.hint = {u"/*+ INDEX(" + b.sourceName + u" " + b.sourceName + u"_PK) */"};
  }
  if (rng.Percent(15)) {
    b.sourceType = u"プロシージャ";
    b.sourceName = u"PKG_" + std::u16string(table.name) + u".QUERY_" + std::u16string(table.name);
    b.arguments.push_back({u"P_" + std::u16string(table.name), u"表",
                           u"PKG_" + std::u16string(table.name) + u".T_TAB", u"IN OUT", u""});
    if (rng.Percent(50)) {
      b.arguments.push_back({u"P_KEY", u"NUMBER", u"", u"IN", u":PARAMETER.P_KEY"});
    }
  }
  int row = 0;
  for (std::size_t i = 0; i < table.columns.size() && b.items.size() < maxItems; ++i) {
    if (i > 0 && rng.Percent(10)) continue;
    const ColumnInfo& c = Column(table.columns[i]);
    b.items.push_back(MakeColumnItem(rng, c, i == 0, row++));
    if (b.sourceType == u"プロシージャ") {
      b.columns.push_back(
          {std::u16string(c.name),
           c.dataType == u"数値" ? u"NUMBER" : (c.dataType == u"日付" ? u"DATE" : u"VARCHAR2"),
           c.dataType == u"文字" ? c.length : 0, c.dataType == u"数値" ? c.length : 0, 0});
    }
  }
  if (rng.Percent(30) && b.items.size() < maxItems) {
    ItemDef total;
    total.name = u"DSP_TOTAL";
    total.kind = ItemKind::kDisplay;
    total.prompt = u"合計";
    total.dataType = u"数値";
    total.maxLength = 14;
    total.database = false;
    total.formatMask = u"FM999,999,999,990";
    total.formula = {u"NVL(:" + b.name + u".QUANTITY, 0) * NVL(:" + b.name + u".UNIT_PRICE, 0)"};
    total.y = 24 + 22 * row++;
    b.items.push_back(std::move(total));
  }
  const std::size_t buttons = rng.Below(4);
  for (std::size_t i = 0; i < buttons && b.items.size() < maxItems; ++i) {
    const Button& button = kButtons[(index + i * 2) % std::size(kButtons)];
    ItemDef item;
    item.name = std::u16string(button.name);
    item.kind = ItemKind::kButton;
    item.prompt = std::u16string(button.label);
    item.database = false;
    item.x = 20 + 90 * static_cast<int>(i);
    item.y = 24 + 22 * row;
    item.width = 80;
    item.height = 24;
    b.items.push_back(std::move(item));
  }
  for (ItemDef& item : b.items) AddItemTriggers(rng, context, b, item);
  if (index % Tables().size() == 0 && rng.Percent(70)) {
    RelationDef r;
    r.detailBlock = BlockName(index + 1);
    r.name = b.name + u"_" + r.detailBlock;
    const std::u16string key(table.columns[0]);
    r.joinCondition = {key + u" = " + r.detailBlock + u"." + key};
    if (rng.Percent(30)) {
      r.joinCondition = {u"COMPANY_CODE = " + r.detailBlock + u".COMPANY_CODE AND",
                         key + u" = " + r.detailBlock + u"." + key};
    }
    r.deleteBehavior = rng.Percent(50) ? u"カスケーディング" : u"非分離";
    b.relations.push_back(std::move(r));
  }
  auto addBlockTrigger = [&](std::u16string_view name, int percent) {
    if (!rng.Percent(percent)) return;
    TriggerDef t;
    t.name = std::u16string(name);
    t.text = BlockTriggerText(rng, context, b, name);
    t.fireInQueryMode = name == u"KEY-COMMIT" ? false : rng.Percent(10);
    b.triggers.push_back(std::move(t));
  };
  if (!b.relations.empty()) {
    addBlockTrigger(u"ON-CHECK-DELETE-MASTER", 100);
    addBlockTrigger(u"ON-POPULATE-DETAILS", 100);
  }
  addBlockTrigger(u"PRE-QUERY", 40);
  addBlockTrigger(u"POST-QUERY", 60);
  addBlockTrigger(u"PRE-INSERT", 50);
  addBlockTrigger(u"PRE-UPDATE", 50);
  addBlockTrigger(u"PRE-DELETE", 20);
  addBlockTrigger(u"WHEN-NEW-RECORD-INSTANCE", 30);
  addBlockTrigger(u"KEY-COMMIT", 20);
  addBlockTrigger(u"ON-ERROR", 10);
  return b;
}

const std::vector<std::u16string> kTitles = {
    u"受注入力", u"顧客マスタ保守", u"商品マスタ保守", u"出荷指示", u"請求書発行", u"在庫照会",
};

std::size_t Scaled(std::size_t targetBytes, std::size_t bytesPerOne, std::size_t low,
                   std::size_t high) {
  return std::clamp(targetBytes / bytesPerOne, low, high);
}

// Everything of the module but its blocks, in proportion to the target size.
FormDef MakeSkeleton(Rng& rng, const GeneratorOptions& options, CodeContext& context) {
  const std::size_t target = options.targetBytes;
  FormDef form;
  form.name = options.moduleName;
  form.title = rng.Pick(kTitles);
  form.comment = {form.title + u"画面", u"2008/04/01 新規作成",
                  u"2019/10/01 軽減税率対応（消費税額の計算を変更）"};
  form.libraries = {{u"COMMON_LIB", u"/u01/app/forms/lib/COMMON_LIB.pll"},
                    {u"D2KWUTIL", u"/u01/app/forms/lib/D2KWUTIL.pll"}};
  form.alerts = {
      {u"ALERT_CONFIRM",
       u"確認",
       {u"保存してもよろしいですか？"},
       u"注意",
       u"はい",
       u"いいえ",
       u""},
      {u"ALERT_DELETE",
       u"削除確認",
       {u"このレコードを削除します。", u"よろしいですか？"},
       u"警告",
       u"はい",
       u"いいえ",
       u""},
      {u"ALERT_ERROR", u"エラー", {}, u"停止", u"OK", u"", u""},
  };
  for (const AlertDef& a : form.alerts) context.alerts.push_back(a.name);

  const std::size_t blockEstimate = Scaled(target, 30000, 1, 100000);
  for (std::size_t i = 0; i < std::min<std::size_t>(blockEstimate, 40); ++i) {
    context.blocks.push_back(BlockName(i));
  }

  const std::size_t units = Scaled(target, 60000, 1, 100000);
  static const std::u16string_view kUnitTypes[] = {u"プロシージャ", u"ファンクション",
                                                   u"パッケージ仕様部", u"パッケージ本体"};
  for (std::size_t i = 0; i < units; ++i) {
    const std::u16string block = BlockName(i % blockEstimate);
    ProgramUnitDef unit;
    const std::size_t kind = i % 8 == 6 ? 2 : (i % 8 == 7 ? 3 : (i % 3 == 2 ? 1 : 0));
    unit.type = std::u16string(kUnitTypes[kind]);
    if (kind == 0) unit.name = (i % 2 == 0 ? u"CHECK_" : u"SET_DEFAULTS_") + block;
    if (kind == 1) unit.name = u"GET_TOTAL_" + block;
    if (kind >= 2) unit.name = u"PKG_" + block;
    if (kind == 0) context.procedures.push_back(unit.name);
    if (rng.Percent(30)) unit.comment = {block + u"用の共通処理"};
    form.programUnits.push_back(std::move(unit));
  }
  // Names repeat once blocks repeat: keep the first of each, as Forms would refuse a twin.
  std::sort(context.procedures.begin(), context.procedures.end());
  context.procedures.erase(std::unique(context.procedures.begin(), context.procedures.end()),
                           context.procedures.end());

  const std::size_t groups = Scaled(target, 150000, 1, 100000);
  static const std::u16string_view kLookupTables[] = {u"CUSTOMERS",   u"PRODUCTS",   u"EMPLOYEES",
                                                      u"DEPARTMENTS", u"WAREHOUSES", u"SUPPLIERS"};
  for (std::size_t i = 0; i < groups; ++i) {
    const std::u16string table(kLookupTables[i % std::size(kLookupTables)]);
    const std::u16string suffix =
        i < std::size(kLookupTables)
            ? u""
            : u"_" + Number(static_cast<long long>(i / std::size(kLookupTables) + 1));
    const TableInfo* info = &Tables()[0];
    for (const TableInfo& t : Tables()) {
      if (t.name == table) info = &t;
    }
    const ColumnInfo& key = Column(info->columns[0]);
    const ColumnInfo& name = Column(info->columns[1]);
    RecordGroupDef g;
    g.name = u"RG_" + table + suffix;
    g.query = {u"", u"SELECT " + std::u16string(key.name) + u", " + std::u16string(name.name),
               u"  FROM " + table, u" WHERE DELETE_FLG = '0'",
               u" ORDER BY " + std::u16string(key.name)};
    g.columns = {{std::u16string(key.name), std::u16string(key.dataType), key.length, 0, 0},
                 {std::u16string(name.name), std::u16string(name.dataType), name.length, 0, 0}};
    form.recordGroups.push_back(g);
    LovDef lov;
    lov.name = u"LOV_" + table + suffix;
    lov.title = std::u16string(info->noun) + u"一覧";
    lov.recordGroup = g.name;
    lov.columns = {{std::u16string(key.name), std::u16string(key.prompt), u"", 80},
                   {std::u16string(name.name), std::u16string(name.prompt), u"", 200}};
    form.lovs.push_back(std::move(lov));
  }
  form.recordGroups.push_back({u"RG_STATUS", {}, {{u"STATUS", u"文字", 1, 0, 0}}, 0});

  const std::size_t canvases = Scaled(target, 400000, 1, 100000);
  for (std::size_t i = 0; i < canvases; ++i) {
    CanvasDef c;
    c.name = i == 0 ? u"CV_MAIN" : u"CV_" + BlockName(i);
    c.type = i == 0 ? u"コンテンツ" : (i % 3 == 2 ? u"タブ" : u"スタック");
    c.window = i % 2 == 0 ? u"WINDOW1" : u"WIN_DETAIL";
    if (c.type == u"タブ") c.tabPages = {u"TP_BASIC", u"TP_DETAIL", u"TP_HISTORY"};
    c.labels = {form.title, u"※は必須項目です。"};
    form.canvases.push_back(std::move(c));
  }
  form.parameters = {{u"P_KEY", u"数値", 10, u""}, {u"P_MODE", u"文字", 10, u"UPDATE"}};
  if (target >= 200000) {
    MenuDef menu{u"PM_EDIT", u"編集", {}};
    menu.items.push_back({u"COPY", u"コピー", {u"COPY_REGION;"}, true, false});
    menu.items.push_back({u"PASTE", u"貼り付け", {u"PASTE_REGION;"}, true, false});
    menu.items.push_back({u"INSERT_ROW", u"行の追加", {u"", u"CREATE_RECORD;"}, false, true});
    menu.items.push_back({u"DELETE_ROW",
                          u"行の削除",
                          {u"", u"IF SHOW_ALERT('ALERT_DELETE') = ALERT_BUTTON1 THEN",
                           u"  DELETE_RECORD;", u"END IF;"},
                          false,
                          true});
    form.menus.push_back(std::move(menu));
  }
  form.visualAttributes = {{u"VA_CURRENT_RECORD", u"black", u"r88g100b75"},
                           {u"VA_REQUIRED", u"black", u"yellow"},
                           {u"VA_DISABLED", u"gray", u"white"}};
  form.windows = {{u"WINDOW1", form.title, u"ドキュメント", false, u"CV_MAIN", 800, 600}};
  if (canvases > 1)
    form.windows.push_back({u"WIN_DETAIL", u"詳細", u"ダイアログ", true, u"", 600, 400});
  for (std::u16string_view name :
       {u"WHEN-NEW-FORM-INSTANCE", u"PRE-FORM", u"KEY-EXIT", u"ON-MESSAGE"}) {
    TriggerDef t;
    t.name = std::u16string(name);
    t.text = FormTriggerText(rng, context, name);
    form.triggers.push_back(std::move(t));
  }
  return form;
}

}  // namespace

FormSource::FormSource(const GeneratorOptions& options) : options_(options) {
  Rng rng(options.seed);
  form_ = MakeSkeleton(rng, options, context_);
  const std::size_t blockEstimate = std::max<std::size_t>(1, options.targetBytes / 30000);
  for (std::size_t i = 0; i < form_.programUnits.size(); ++i) {
    ProgramUnitDef& unit = form_.programUnits[i];
    const BlockDef block = MakeBlock(options.seed, i % blockEstimate, context_, 40);
    unit.text = ProgramUnitText(rng, context_, unit.name, unit.type, block);
  }
}

BlockDef FormSource::Block(std::size_t index, std::size_t maxItems) {
  return MakeBlock(options_.seed, index, context_, maxItems);
}

}  // namespace gen

std::u16string GenerateReportText(const GeneratorOptions& options) {
  using namespace gen;
  FormSource source(options);
  const FormDef& form = source.Skeleton();

  ReportWriter head;
  WriteFormHead(head, form);
  ReportWriter tail;
  WriteFormTail(tail, form);
  ReportWriter blocks;
  for (std::size_t i = 0;; ++i) {
    const std::size_t written = head.Bytes() + tail.Bytes() + blocks.Bytes();
    if (i > 0 && written >= options.targetBytes) break;
    // About 2.5 KB per item with its triggers: small targets get small blocks.
    const std::size_t budget = options.targetBytes > written ? options.targetBytes - written : 0;
    const std::size_t maxItems = std::max<std::size_t>(2, budget / 2500);
    WriteBlock(blocks, source.Block(i, maxItems), i == 0);
  }
  head.Append(blocks);
  head.Append(tail);
  return head.Take();
}

}  // namespace tarnwick
