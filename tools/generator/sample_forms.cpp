#include "tools/generator/sample_forms.h"

#include <algorithm>

#include "tools/generator/form_model.h"

namespace tarnwick {
namespace {

using gen::AlertDef;
using gen::BlockDef;
using gen::CanvasDef;
using gen::FormDef;
using gen::ItemDef;
using gen::ItemKind;
using gen::Lines;
using gen::LovDef;
using gen::MenuDef;
using gen::MenuItemDef;
using gen::ProgramUnitDef;
using gen::RecordGroupDef;
using gen::RelationDef;
using gen::TriggerDef;
using gen::WindowDef;

// Lines of a text; a text that starts with a line break has its body on the
// lines after the property, as reports write trigger code.
Lines Body(std::u16string_view raw) {
  Lines lines;
  std::size_t start = 0;
  for (std::size_t lf = raw.find(u'\n'); lf != raw.npos; lf = raw.find(u'\n', start)) {
    lines.emplace_back(raw.substr(start, lf - start));
    start = lf + 1;
  }
  lines.emplace_back(raw.substr(start));
  return lines;
}

TriggerDef Trigger(std::u16string_view name, std::u16string_view body) {
  TriggerDef t;
  t.name = std::u16string(name);
  t.text = Body(body);
  return t;
}

ItemDef Field(std::u16string_view name, std::u16string_view prompt, std::u16string_view type,
              int length, int row) {
  ItemDef item;
  item.name = std::u16string(name);
  item.column = item.name;
  item.prompt = std::u16string(prompt);
  item.dataType = std::u16string(type);
  item.maxLength = length;
  item.x = 110;
  item.y = 20 + 22 * row;
  item.width = std::clamp(length * 7, 40, 300);
  item.hint = item.prompt + u"を入力してください。";
  if (type == u"日付") item.formatMask = u"YYYY/MM/DD";
  if (type == u"数値" && length > 8) item.formatMask = u"FM999,999,999,990";
  return item;
}

ItemDef Display(ItemDef item) {
  item.kind = ItemKind::kDisplay;
  item.hint.clear();
  item.updateAllowed = false;
  return item;
}

ItemDef Button(std::u16string_view name, std::u16string_view label, int column,
               std::u16string_view code) {
  ItemDef item;
  item.name = std::u16string(name);
  item.kind = ItemKind::kButton;
  item.prompt = std::u16string(label);
  item.database = false;
  item.canvas = u"CV_MAIN";
  item.x = 20 + 90 * column;
  item.y = 400;
  item.width = 80;
  item.height = 24;
  item.triggers.push_back(Trigger(u"WHEN-BUTTON-PRESSED", code));
  return item;
}

ItemDef* Find(BlockDef& block, std::u16string_view name) {
  for (ItemDef& item : block.items) {
    if (item.name == name) return &item;
  }
  return nullptr;
}

void Remove(BlockDef& block, std::u16string_view name) {
  std::erase_if(block.items, [&](const ItemDef& item) { return item.name == name; });
}

void Common(FormDef& form, std::u16string_view title) {
  form.title = std::u16string(title);
  form.libraries = {{u"COMMON_LIB", u"C:\\forms\\lib\\COMMON_LIB.pll"}};
  form.alerts = {
      {u"ALERT_CONFIRM", u"確認", {u"変更を保存しますか？"}, u"注意", u"はい", u"いいえ", u"取消"},
      {u"ALERT_DELETE",
       u"削除確認",
       {u"このレコードを削除します。", u"よろしいですか？"},
       u"警告",
       u"はい",
       u"いいえ",
       u""},
  };
  form.canvases = {CanvasDef{u"CV_MAIN", u"コンテンツ", u"WINDOW1", 780, 460, {}, {form.title}}};
  form.windows = {WindowDef{u"WINDOW1", form.title, u"ドキュメント", false, u"CV_MAIN", 800, 500}};
  form.visualAttributes = {{u"VA_CURRENT_RECORD", u"black", u"r88g100b75"},
                           {u"VA_REQUIRED", u"black", u"yellow"}};
  form.triggers.push_back(Trigger(u"KEY-EXIT",
                                  uR"(
DECLARE
  v_button  NUMBER;
BEGIN
  IF :SYSTEM.FORM_STATUS = 'CHANGED' THEN
    v_button := SHOW_ALERT('ALERT_CONFIRM');
    IF v_button = ALERT_BUTTON1 THEN
      COMMIT_FORM;
    ELSIF v_button = ALERT_BUTTON3 THEN
      RAISE FORM_TRIGGER_FAILURE;
    END IF;
  END IF;
  EXIT_FORM(NO_VALIDATE);
END;)"));
  form.triggers.push_back(Trigger(u"ON-ERROR",
                                  uR"(
DECLARE
  v_code  NUMBER := ERROR_CODE;
BEGIN
  IF v_code = 40202 THEN
    MESSAGE('必須項目が入力されていません。');
  ELSIF v_code IN (40508, 40509) THEN
    MESSAGE('データを保存できませんでした。' || DBMS_ERROR_TEXT);
  ELSE
    MESSAGE(ERROR_TYPE || '-' || TO_CHAR(v_code) || ': ' || ERROR_TEXT);
  END IF;
  RAISE FORM_TRIGGER_FAILURE;
END;)"));
}

void AddLov(FormDef& form, std::u16string_view table, std::u16string_view key,
            std::u16string_view keyPrompt, std::u16string_view name, std::u16string_view namePrompt,
            std::u16string_view title, std::u16string_view returnBlock) {
  RecordGroupDef g;
  g.name = u"RG_" + std::u16string(table);
  g.query = {u"", u"SELECT " + std::u16string(key) + u", " + std::u16string(name),
             u"  FROM " + std::u16string(table), u" WHERE DELETE_FLG = '0'",
             u" ORDER BY " + std::u16string(key)};
  g.columns = {{std::u16string(key), u"文字", 10, 0, 0}, {std::u16string(name), u"文字", 60, 0, 0}};
  form.recordGroups.push_back(g);
  LovDef lov;
  lov.name = u"LOV_" + std::u16string(table);
  lov.title = std::u16string(title);
  lov.recordGroup = g.name;
  lov.columns = {{std::u16string(key), std::u16string(keyPrompt),
                  std::u16string(returnBlock) + u"." + std::u16string(key), 80},
                 {std::u16string(name), std::u16string(namePrompt),
                  std::u16string(returnBlock) + u"." + std::u16string(name), 220}};
  form.lovs.push_back(std::move(lov));
}

// 受注入力: order header with lines, the largest sample.
FormDef OrderEntry(int release) {
  FormDef form;
  form.name = u"ORDER_ENTRY";
  form.comment = {u"受注入力画面", u"2011/04/01 新規作成 営業システム課",
                  u"2019/10/01 軽減税率対応（明細ごとに税区分を持つ）"};
  Common(form, u"受注入力");

  BlockDef orders;
  orders.name = u"ORDERS";
  orders.sourceName = u"ORDERS";
  orders.comment = {u"受注ヘッダ"};
  orders.where = {u"DELETE_FLG = '0'"};
  if (release == 2) orders.where.push_back(u"AND STATUS <> 'C'");
  orders.orderBy = {u"ORDER_ID DESC"};
  orders.items = {
      Field(u"ORDER_ID", u"受注番号", u"数値", 10, 0),
      Field(u"ORDER_DATE", u"受注日", u"日付", 10, 1),
      Field(u"CUSTOMER_ID", u"顧客コード", u"数値", 8, 2),
      Display(Field(u"CUSTOMER_NAME", u"顧客名", u"文字", 60, 3)),
      Field(u"SALES_REP", u"営業担当", u"文字", 6, 4),
      Field(u"DELIVERY_DATE", release == 2 ? u"希望納期" : u"納期", u"日付", 10, 5),
      Field(u"SHIP_TO", u"出荷先", u"文字", 60, 6),
      Field(u"STATUS", u"状態", u"文字", 1, 7),
      Display(Field(u"TOTAL_AMOUNT", u"合計金額", u"数値", 14, 8)),
      Display(Field(u"TAX_AMOUNT", u"消費税額", u"数値", 14, 9)),
      Field(u"REMARKS", u"備考", u"文字", release == 2 ? 400 : 200, 10),
      Display(Field(u"UPDATED_BY", u"更新者", u"文字", 30, 11)),
      Display(Field(u"UPDATED_AT", u"更新日時", u"日付", 19, 12)),
  };
  Find(orders, u"ORDER_ID")->primaryKey = true;
  Find(orders, u"ORDER_ID")->required = true;
  Find(orders, u"ORDER_DATE")->required = true;
  Find(orders, u"ORDER_DATE")->initialValue = {u"$$DATE$$"};
  Find(orders, u"CUSTOMER_ID")->required = true;
  Find(orders, u"CUSTOMER_ID")->lov = u"LOV_CUSTOMERS";
  Find(orders, u"CUSTOMER_NAME")->database = false;
  Find(orders, u"UPDATED_AT")->formatMask = u"YYYY/MM/DD HH24:MI:SS";
  Find(orders, u"DELIVERY_DATE")->libraryObject = u"STD_DATE_ITEM";
  ItemDef& status = *Find(orders, u"STATUS");
  status.kind = ItemKind::kList;
  status.elements = {{u"受付", u"A"}, {u"出荷済", u"S"}, {u"請求済", u"B"}, {u"取消", u"C"}};
  status.initialValue = {u"A"};
  status.required = true;
  Find(orders, u"REMARKS")->comment = {u"2015/06 社内連絡用に追加"};

  Find(orders, u"ORDER_ID")
      ->triggers.push_back(Trigger(u"WHEN-VALIDATE-ITEM",
                                   uR"(
IF :ORDERS.ORDER_ID IS NULL THEN
  MESSAGE('受注番号を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;)"));
  Find(orders, u"CUSTOMER_ID")
      ->triggers.push_back(Trigger(u"WHEN-VALIDATE-ITEM",
                                   uR"(
BEGIN
  SELECT CUSTOMER_NAME
    INTO :ORDERS.CUSTOMER_NAME
    FROM CUSTOMERS
   WHERE CUSTOMER_ID = :ORDERS.CUSTOMER_ID
     AND DELETE_FLG = '0';
EXCEPTION
  WHEN NO_DATA_FOUND THEN
    MESSAGE('該当する顧客が存在しません。');
    RAISE FORM_TRIGGER_FAILURE;
END;)"));
  Find(orders, u"CUSTOMER_ID")->triggers.push_back(Trigger(u"KEY-LISTVAL", u"LIST_VALUES;"));
  Find(orders, u"DELIVERY_DATE")
      ->triggers.push_back(Trigger(u"WHEN-VALIDATE-ITEM", release == 1 ? uR"(
IF :ORDERS.DELIVERY_DATE < :ORDERS.ORDER_DATE THEN
  MESSAGE('納期は受注日以降の日付を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;)"
                                                                       : uR"(
IF :ORDERS.DELIVERY_DATE < :ORDERS.ORDER_DATE THEN
  MESSAGE('希望納期は受注日以降の日付を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;
-- 2021/02 休日チェックを追加
IF IS_HOLIDAY(:ORDERS.DELIVERY_DATE) THEN
  MESSAGE('希望納期に休日が指定されています。');
END IF;)"));
  status.triggers.push_back(Trigger(u"WHEN-LIST-CHANGED",
                                    uR"(
IF :ORDERS.STATUS = 'C' THEN
  SET_BLOCK_PROPERTY('ORDER_LINES', UPDATE_ALLOWED, PROPERTY_FALSE);
ELSE
  SET_BLOCK_PROPERTY('ORDER_LINES', UPDATE_ALLOWED, PROPERTY_TRUE);
END IF;)"));

  RelationDef relation;
  relation.name = u"ORDERS_ORDER_LINES";
  relation.detailBlock = u"ORDER_LINES";
  relation.joinCondition = {u"ORDER_ID = ORDER_LINES.ORDER_ID"};
  relation.deleteBehavior = u"カスケーディング";
  orders.relations.push_back(relation);
  orders.triggers = {
      Trigger(u"ON-CHECK-DELETE-MASTER",
              uR"(
DECLARE
  Dummy_Define CHAR(1);
  CURSOR ORDER_LINES_cur IS
    SELECT 1 FROM ORDER_LINES O
     WHERE O.ORDER_ID = :ORDERS.ORDER_ID;
BEGIN
  OPEN ORDER_LINES_cur;
  FETCH ORDER_LINES_cur INTO Dummy_Define;
  IF ( ORDER_LINES_cur%found ) THEN
    Message('Cannot delete master record when matching detail records exist.');
    CLOSE ORDER_LINES_cur;
    RAISE Form_Trigger_Failure;
  END IF;
  CLOSE ORDER_LINES_cur;
END;)"),
      Trigger(u"ON-POPULATE-DETAILS",
              uR"(
--
-- Begin default relation declare section
--
DECLARE
  recstat     VARCHAR2(20) := :System.record_status;
  startitm    VARCHAR2(61) := :System.cursor_item;
  rel_id      Relation;
--
-- End default relation declare section
--
BEGIN
  --
  -- Begin default relation program section
  --
  IF ( recstat = 'NEW' or recstat = 'INSERT' ) THEN
    RETURN;
  END IF;
  --
  -- Begin ORDER_LINES detail program section
  --
  IF ( (:ORDERS.ORDER_ID is not null) ) THEN
    rel_id := Find_Relation('ORDERS.ORDERS_ORDER_LINES');
    Query_Master_Details(rel_id, 'ORDER_LINES');
  END IF;
  --
  -- End ORDER_LINES detail program section
  --

  IF ( :System.cursor_item <> startitm ) THEN
    Go_Item(startitm);
    Check_Package_Failure;
  END IF;
  --
  -- End default relation program section
  --
END;)"),
      Trigger(u"PRE-INSERT", release == 1 ? uR"(
SELECT ORDERS_SEQ.NEXTVAL
  INTO :ORDERS.ORDER_ID
  FROM DUAL;
:ORDERS.UPDATED_BY := USER;
:ORDERS.UPDATED_AT := SYSDATE;)"
                                          : uR"(
SELECT ORDERS_SEQ.NEXTVAL
  INTO :ORDERS.ORDER_ID
  FROM DUAL;
:ORDERS.CREATED_BY := USER;
:ORDERS.UPDATED_BY := USER;
:ORDERS.UPDATED_AT := SYSDATE;)"),
      Trigger(u"PRE-UPDATE",
              uR"(
:ORDERS.UPDATED_BY := USER;
:ORDERS.UPDATED_AT := SYSDATE;)"),
      Trigger(u"POST-QUERY",
              uR"(
BEGIN
  SELECT CUSTOMER_NAME
    INTO :ORDERS.CUSTOMER_NAME
    FROM CUSTOMERS
   WHERE CUSTOMER_ID = :ORDERS.CUSTOMER_ID;
EXCEPTION
  WHEN NO_DATA_FOUND THEN
    NULL;
END;)"),
  };
  if (release == 2) {
    TriggerDef commit = Trigger(u"KEY-COMMIT",
                                uR"(
CALC_TOTAL(:ORDERS.ORDER_ID);
COMMIT_FORM;
IF FORM_SUCCESS THEN
  MESSAGE('受注を保存しました。');
END IF;)");
    commit.comment = {u"2021/02 保存前に合計を再計算する"};
    orders.triggers.push_back(commit);
  }

  BlockDef lines;
  lines.name = u"ORDER_LINES";
  lines.sourceName = u"ORDER_LINES";
  lines.comment = {u"受注明細"};
  lines.recordsDisplayed = 8;
  lines.orderBy = {u"LINE_NO"};
  lines.items = {
      Field(u"ORDER_ID", u"受注番号", u"数値", 10, 14),
      Field(u"LINE_NO", u"行", u"数値", 4, 14),
      Field(u"PRODUCT_CODE", u"商品コード", u"文字", 12, 14),
      Display(Field(u"PRODUCT_NAME", u"商品名", u"文字", 80, 14)),
      Field(u"QUANTITY", u"数量", u"数値", 8, 14),
      Field(u"UNIT_PRICE", u"単価", u"数値", 12, 14),
      Field(u"TAX_TYPE", u"税区分", u"文字", 1, 14),
      Display(Field(u"AMOUNT", u"金額", u"数値", 14, 14)),
  };
  Find(lines, u"ORDER_ID")->primaryKey = true;
  Find(lines, u"ORDER_ID")->canvas = u"CV_MAIN";
  Find(lines, u"LINE_NO")->primaryKey = true;
  Find(lines, u"LINE_NO")->required = true;
  Find(lines, u"PRODUCT_CODE")->required = true;
  Find(lines, u"PRODUCT_CODE")->lov = u"LOV_PRODUCTS";
  Find(lines, u"PRODUCT_NAME")->database = false;
  Find(lines, u"QUANTITY")->required = true;
  Find(lines, u"QUANTITY")->initialValue = {u"1"};
  ItemDef& tax = *Find(lines, u"TAX_TYPE");
  tax.kind = ItemKind::kList;
  tax.elements = {{u"標準税率", u"1"}, {u"軽減税率", u"2"}, {u"非課税", u"3"}};
  tax.initialValue = {u"1"};
  Find(lines, u"AMOUNT")->formula = {
      u"NVL(:ORDER_LINES.QUANTITY, 0) * NVL(:ORDER_LINES.UNIT_PRICE, 0)"};
  Find(lines, u"AMOUNT")->database = false;
  if (release == 2) {
    ItemDef discount = Field(u"DISCOUNT_AMOUNT", u"値引額", u"数値", 12, 14);
    discount.comment = {u"2021/02 値引入力に対応"};
    discount.initialValue = {u"0"};
    lines.items.insert(lines.items.begin() + 6, discount);
    Find(lines, u"AMOUNT")->formula = {
        u"NVL(:ORDER_LINES.QUANTITY, 0) * NVL(:ORDER_LINES.UNIT_PRICE, 0)",
        u"- NVL(:ORDER_LINES.DISCOUNT_AMOUNT, 0)"};
  }
  for (std::size_t i = 0; i < lines.items.size(); ++i) {
    lines.items[i].x = 20 + 70 * static_cast<int>(i);
    lines.items[i].y = 220;
  }
  Find(lines, u"PRODUCT_CODE")->triggers = {
      Trigger(u"WHEN-VALIDATE-ITEM",
              uR"(
BEGIN
  SELECT PRODUCT_NAME, UNIT_PRICE, TAX_TYPE
    INTO :ORDER_LINES.PRODUCT_NAME, :ORDER_LINES.UNIT_PRICE, :ORDER_LINES.TAX_TYPE
    FROM PRODUCTS
   WHERE PRODUCT_CODE = :ORDER_LINES.PRODUCT_CODE;
EXCEPTION
  WHEN NO_DATA_FOUND THEN
    MESSAGE('該当する商品が存在しません。');
    RAISE FORM_TRIGGER_FAILURE;
END;)"),
      Trigger(u"KEY-LISTVAL",
              uR"(
IF SHOW_LOV('LOV_PRODUCTS') THEN
  NEXT_ITEM;
END IF;)"),
  };
  Find(lines, u"QUANTITY")->triggers = {Trigger(u"WHEN-VALIDATE-ITEM", release == 1 ? uR"(
IF :ORDER_LINES.QUANTITY IS NULL OR :ORDER_LINES.QUANTITY <= 0 THEN
  MESSAGE('数量には1以上を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;

CALC_TOTAL(:ORDERS.ORDER_ID);)"
                                                                                    : uR"(
IF :ORDER_LINES.QUANTITY IS NULL OR :ORDER_LINES.QUANTITY <= 0 THEN
  MESSAGE('数量には1以上の整数を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;

IF :ORDER_LINES.QUANTITY > GET_STOCK(:ORDER_LINES.PRODUCT_CODE) THEN
  MESSAGE('在庫数を超えています。');
END IF;

CALC_TOTAL(:ORDERS.ORDER_ID);)")};
  lines.triggers = {
      Trigger(u"PRE-INSERT",
              uR"(
SELECT NVL(MAX(LINE_NO), 0) + 1
  INTO :ORDER_LINES.LINE_NO
  FROM ORDER_LINES
 WHERE ORDER_ID = :ORDERS.ORDER_ID;)"),
      Trigger(u"WHEN-NEW-RECORD-INSTANCE",
              uR"(
IF :SYSTEM.RECORD_STATUS = 'NEW' THEN
  :ORDER_LINES.ORDER_ID := :ORDERS.ORDER_ID;
END IF;)"),
  };

  BlockDef control;
  control.name = u"CONTROL";
  control.database = false;
  control.comment = {u"ボタン"};
  control.items = {
      Button(u"BTN_SEARCH", u"検索", 0,
             uR"(
GO_BLOCK('ORDERS');
EXECUTE_QUERY;)"),
      Button(u"BTN_SAVE", u"保存", 1,
             uR"(
COMMIT_FORM;
IF FORM_SUCCESS THEN
  MESSAGE('保存しました。');
END IF;)"),
      Button(u"BTN_PRINT", u"受注書印刷", 2,
             uR"(
DECLARE
  v_list  PARAMLIST;
BEGIN
  v_list := CREATE_PARAMETER_LIST('P_ORDER');
  ADD_PARAMETER(v_list, 'P_ORDER_ID', TEXT_PARAMETER, TO_CHAR(:ORDERS.ORDER_ID));
  RUN_PRODUCT(REPORTS, 'ORDER_SLIP', SYNCHRONOUS, RUNTIME, FILESYSTEM, v_list, NULL);
  DESTROY_PARAMETER_LIST(v_list);
END;)"),
      Button(u"BTN_EXIT", u"終了", 3,
             uR"(
DO_KEY('EXIT_FORM');)"),
  };
  form.blocks = {orders, lines, control};

  AddLov(form, u"CUSTOMERS", u"CUSTOMER_ID", u"顧客コード", u"CUSTOMER_NAME", u"顧客名",
         u"顧客一覧", u"ORDERS");
  AddLov(form, u"PRODUCTS", u"PRODUCT_CODE", u"商品コード", u"PRODUCT_NAME", u"商品名", u"商品一覧",
         u"ORDER_LINES");
  form.parameters = {{u"P_ORDER_ID", u"数値", 10, u""}};
  form.programUnits = {
      ProgramUnitDef{u"CALC_TOTAL",
                     u"プロシージャ",
                     {u"合計金額と消費税額を再計算する"},
                     Body(release == 1 ? uR"(
PROCEDURE CALC_TOTAL(p_order_id IN NUMBER) IS
  v_total  NUMBER := 0;
  v_tax    NUMBER := 0;
BEGIN
  FOR r IN (SELECT QUANTITY, UNIT_PRICE, TAX_TYPE
              FROM ORDER_LINES
             WHERE ORDER_ID = p_order_id) LOOP
    v_total := v_total + NVL(r.QUANTITY, 0) * NVL(r.UNIT_PRICE, 0);
    IF r.TAX_TYPE = '1' THEN
      v_tax := v_tax + TRUNC(NVL(r.QUANTITY, 0) * NVL(r.UNIT_PRICE, 0) * 0.1);
    ELSIF r.TAX_TYPE = '2' THEN
      v_tax := v_tax + TRUNC(NVL(r.QUANTITY, 0) * NVL(r.UNIT_PRICE, 0) * 0.08);
    END IF;
  END LOOP;

  :ORDERS.TOTAL_AMOUNT := v_total;
  :ORDERS.TAX_AMOUNT := v_tax;
END;)"
                                       : uR"(
PROCEDURE CALC_TOTAL(p_order_id IN NUMBER) IS
  v_total  NUMBER := 0;
  v_tax    NUMBER := 0;
  v_line   NUMBER;
BEGIN
  FOR r IN (SELECT QUANTITY, UNIT_PRICE, DISCOUNT_AMOUNT, TAX_TYPE
              FROM ORDER_LINES
             WHERE ORDER_ID = p_order_id) LOOP
    v_line := NVL(r.QUANTITY, 0) * NVL(r.UNIT_PRICE, 0) - NVL(r.DISCOUNT_AMOUNT, 0);
    v_total := v_total + v_line;
    IF r.TAX_TYPE = '1' THEN
      v_tax := v_tax + TRUNC(v_line * GET_TAX_RATE('1', SYSDATE));
    ELSIF r.TAX_TYPE = '2' THEN
      v_tax := v_tax + TRUNC(v_line * GET_TAX_RATE('2', SYSDATE));
    END IF;
  END LOOP;

  :ORDERS.TOTAL_AMOUNT := v_total;
  :ORDERS.TAX_AMOUNT := v_tax;
END;)")},
      ProgramUnitDef{u"GET_STOCK", u"ファンクション", {}, Body(uR"(
FUNCTION GET_STOCK(p_product_code IN VARCHAR2) RETURN NUMBER IS
  v_qty  NUMBER;
BEGIN
  SELECT SUM(STOCK_QTY - ALLOCATED_QTY)
    INTO v_qty
    FROM STOCKS
   WHERE PRODUCT_CODE = p_product_code;
  RETURN NVL(v_qty, 0);
END;)")},
  };
  if (release == 2) {
    form.programUnits.push_back(ProgramUnitDef{
        u"GET_TAX_RATE", u"ファンクション", {u"税率マスタから税率を取得する"}, Body(uR"(
FUNCTION GET_TAX_RATE(p_tax_type IN VARCHAR2, p_date IN DATE) RETURN NUMBER IS
  v_rate  NUMBER;
BEGIN
  SELECT TAX_RATE
    INTO v_rate
    FROM TAX_RATES
   WHERE TAX_TYPE = p_tax_type
     AND p_date BETWEEN START_DATE AND NVL(END_DATE, p_date);
  RETURN v_rate;
EXCEPTION
  WHEN NO_DATA_FOUND THEN
    RETURN 0;
END;)")});
  }
  form.windows.front().width = 820;
  form.triggers.insert(form.triggers.begin(), Trigger(u"WHEN-NEW-FORM-INSTANCE",
                                                      uR"(
SET_WINDOW_PROPERTY(FORMS_MDI_WINDOW, WINDOW_STATE, MAXIMIZE);
IF :PARAMETER.P_ORDER_ID IS NOT NULL THEN
  SET_BLOCK_PROPERTY('ORDERS', DEFAULT_WHERE, 'ORDER_ID = ' || :PARAMETER.P_ORDER_ID);
  GO_BLOCK('ORDERS');
  EXECUTE_QUERY;
END IF;)"));
  return form;
}

// 顧客マスタ保守
FormDef CustomerMaster(int release) {
  FormDef form;
  form.name = u"CUSTOMER_MASTER";
  form.comment = {u"顧客マスタの登録・変更"};
  Common(form, u"顧客マスタ保守");
  BlockDef b;
  b.name = u"CUSTOMERS";
  b.sourceName = u"CUSTOMERS";
  b.comment = {u"顧客"};
  b.where = {u"DELETE_FLG = '0'"};
  b.orderBy = {u"CUSTOMER_ID"};
  b.hint = {u"/*+ INDEX(CUSTOMERS CUSTOMERS_PK) */"};
  b.items = {
      Field(u"CUSTOMER_ID", u"顧客コード", u"数値", 8, 0),
      Field(u"CUSTOMER_NAME", u"顧客名", u"文字", 60, 1),
      Field(u"CUSTOMER_KANA", u"顧客名カナ", u"文字", 60, 2),
      Field(u"ZIP_CODE", u"郵便番号", u"文字", 8, 3),
      Field(u"ADDRESS1", u"住所１", u"文字", 100, 4),
      Field(u"ADDRESS2", u"住所２", u"文字", 100, 5),
      Field(u"TEL_NO", u"電話番号", u"文字", 20, 6),
      Field(u"FAX_NO", u"ＦＡＸ番号", u"文字", 20, 7),
      Field(u"EMAIL", u"メールアドレス", u"文字", release == 2 ? 100 : 60, 8),
      Field(u"CREDIT_LIMIT", u"与信限度額", u"数値", 12, 9),
      Field(u"PAYMENT_TERMS", u"支払条件", u"文字", 2, 10),
      Field(u"PAYMENT_METHOD", u"支払方法", u"文字", 1, 11),
      Field(u"DELETE_FLG", u"削除", u"文字", 1, 12),
  };
  Find(b, u"CUSTOMER_ID")->primaryKey = true;
  Find(b, u"CUSTOMER_ID")->required = true;
  Find(b, u"CUSTOMER_NAME")->required = true;
  Find(b, u"CUSTOMER_KANA")->propertyClass = u"PC_KANA_ITEM";
  Find(b, u"CREDIT_LIMIT")->initialValue = {u"0"};
  ItemDef& terms = *Find(b, u"PAYMENT_TERMS");
  terms.kind = ItemKind::kList;
  terms.elements = {{u"月末締め翌月末払い", u"01"}, {u"20日締め翌月10日払い", u"02"}};
  if (release == 2) terms.elements.push_back({u"15日締め当月末払い", u"03"});
  terms.elements.push_back({u"現金", u"99"});
  ItemDef& method = *Find(b, u"PAYMENT_METHOD");
  method.kind = ItemKind::kRadioGroup;
  method.elements = {{u"現金", u"1"}, {u"振込", u"2"}, {u"手形", u"3"}};
  method.initialValue = {u"2"};
  ItemDef& deleted = *Find(b, u"DELETE_FLG");
  deleted.kind = ItemKind::kCheckBox;
  deleted.initialValue = {u"0"};

  Find(b, u"CUSTOMER_KANA")
      ->triggers.push_back(Trigger(u"WHEN-VALIDATE-ITEM",
                                   uR"(
IF NOT IS_KANA(:CUSTOMERS.CUSTOMER_KANA) THEN
  MESSAGE('顧客名カナは全角カタカナで入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;)"));
  Find(b, u"ZIP_CODE")
      ->triggers.push_back(Trigger(u"POST-CHANGE",
                                   uR"(
-- 郵便番号から住所を補完する
IF :CUSTOMERS.ADDRESS1 IS NULL THEN
  :CUSTOMERS.ADDRESS1 := ZIP_TO_ADDRESS(:CUSTOMERS.ZIP_CODE);
END IF;)"));
  Find(b, u"CREDIT_LIMIT")
      ->triggers.push_back(Trigger(u"WHEN-VALIDATE-ITEM", release == 1 ? uR"(
IF :CUSTOMERS.CREDIT_LIMIT < 0 THEN
  MESSAGE('与信限度額には0以上の値を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;)"
                                                                       : uR"(
IF :CUSTOMERS.CREDIT_LIMIT < 0 THEN
  MESSAGE('与信限度額には0以上の値を入力してください。');
  RAISE FORM_TRIGGER_FAILURE;
ELSIF :CUSTOMERS.CREDIT_LIMIT > 100000000 THEN
  MESSAGE('与信限度額が1億円を超えています。承認が必要です。');
END IF;)"));
  deleted.triggers.push_back(Trigger(u"WHEN-CHECKBOX-CHANGED",
                                     uR"(
IF :CUSTOMERS.DELETE_FLG = '1' THEN
  IF SHOW_ALERT('ALERT_DELETE') <> ALERT_BUTTON1 THEN
    :CUSTOMERS.DELETE_FLG := '0';
  END IF;
END IF;)"));
  b.triggers = {
      Trigger(u"PRE-INSERT",
              uR"(
SELECT CUSTOMERS_SEQ.NEXTVAL
  INTO :CUSTOMERS.CUSTOMER_ID
  FROM DUAL;)"),
      Trigger(u"PRE-DELETE",
              uR"(
DECLARE
  v_count  NUMBER;
BEGIN
  SELECT COUNT(*)
    INTO v_count
    FROM ORDERS
   WHERE CUSTOMER_ID = :CUSTOMERS.CUSTOMER_ID;
  IF v_count > 0 THEN
    MESSAGE('受注が存在するため削除できません。削除フラグを設定してください。');
    RAISE FORM_TRIGGER_FAILURE;
  END IF;
END;)"),
  };
  // Last, since removing an item moves the ones after it.
  if (release == 2) Remove(b, u"FAX_NO");
  BlockDef control;
  control.name = u"CONTROL";
  control.database = false;
  control.items = {Button(u"BTN_SAVE", u"保存", 0,
                          uR"(
COMMIT_FORM;)"),
                   Button(u"BTN_EXIT", u"終了", 1,
                          uR"(
DO_KEY('EXIT_FORM');)")};
  form.blocks = {b, control};
  form.programUnits = {ProgramUnitDef{u"IS_KANA", u"ファンクション", {}, Body(uR"(
FUNCTION IS_KANA(p_text IN VARCHAR2) RETURN BOOLEAN IS
BEGIN
  RETURN TRANSLATE(p_text, 'ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロワヲンヴー　',
                   ' ') IS NULL;
END;)")}};
  form.triggers.insert(form.triggers.begin(), Trigger(u"WHEN-NEW-FORM-INSTANCE",
                                                      uR"(
GO_BLOCK('CUSTOMERS');
EXECUTE_QUERY;)"));
  return form;
}

// メインメニュー: a launcher form with a popup menu.
FormDef MainMenu(int release) {
  FormDef form;
  form.name = u"MAIN_MENU";
  form.comment = {u"販売管理システム メインメニュー"};
  Common(form, u"販売管理システム");
  form.alerts.pop_back();
  BlockDef menu;
  menu.name = u"MENU";
  menu.database = false;
  menu.comment = {u"業務選択ボタン"};
  menu.items = {
      Button(u"BTN_ORDER", u"受注入力", 0,
             uR"(
CALL_FORM('ORDER_ENTRY', NO_HIDE, DO_REPLACE);)"),
      Button(u"BTN_CUSTOMER", u"顧客マスタ", 1,
             uR"(
CALL_FORM('CUSTOMER_MASTER', NO_HIDE, DO_REPLACE);)"),
  };
  if (release == 1) {
    menu.items.push_back(Button(u"BTN_PASSWORD", u"パスワード変更", 2,
                                uR"(
CALL_FORM('PASSWORD_CHANGE', HIDE, NO_REPLACE);)"));
  } else {
    menu.items.push_back(Button(u"BTN_SHIPMENT", u"出荷照会", 2,
                                uR"(
CALL_FORM('SHIPMENT_INQUIRY', NO_HIDE, DO_REPLACE);)"));
  }
  menu.items.push_back(Button(u"BTN_EXIT", u"終了", 3,
                              uR"(
EXIT_FORM;)"));
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    menu.items[i].x = 200;
    menu.items[i].y = 60 + 50 * static_cast<int>(i);
    menu.items[i].width = 200;
    menu.items[i].height = 36;
  }
  form.blocks = {menu};
  MenuDef popup{u"PM_MAIN", u"メニュー", {}};
  popup.items.push_back({u"ORDER", u"受注入力", {u"CALL_FORM('ORDER_ENTRY');"}, true, false});
  popup.items.push_back(
      {u"CUSTOMER", u"顧客マスタ", {u"CALL_FORM('CUSTOMER_MASTER');"}, true, false});
  if (release == 2) {
    popup.items.push_back(
        {u"SHIPMENT", u"出荷照会", {u"CALL_FORM('SHIPMENT_INQUIRY');"}, true, false});
  }
  popup.items.push_back({u"VERSION", u"バージョン情報",
                         Body(release == 1 ? uR"(
MESSAGE('販売管理システム Ver.3.2');)"
                                           : uR"(
MESSAGE('販売管理システム Ver.4.0');
MESSAGE(' ');)"),
                         false, false});
  popup.items.push_back({u"QUIT", u"終了", Body(uR"(
IF SHOW_ALERT('ALERT_CONFIRM') = ALERT_BUTTON1 THEN
  EXIT_FORM(NO_VALIDATE);
END IF;)"),
                         false, true});
  form.menus = {popup};
  form.triggers.insert(form.triggers.begin(), Trigger(u"WHEN-NEW-FORM-INSTANCE",
                                                      uR"(
SET_WINDOW_PROPERTY(FORMS_MDI_WINDOW, TITLE, '販売管理システム');
:GLOBAL.USER_ID := USER;)"));
  return form;
}

// パスワード変更: the smallest form, dropped in release 2.
FormDef PasswordChange() {
  FormDef form;
  form.name = u"PASSWORD_CHANGE";
  Common(form, u"パスワード変更");
  form.alerts.pop_back();
  form.libraries.clear();
  BlockDef b;
  b.name = u"CONTROL";
  b.database = false;
  b.items = {Field(u"OLD_PASSWORD", u"現在のパスワード", u"文字", 30, 0),
             Field(u"NEW_PASSWORD", u"新しいパスワード", u"文字", 30, 1),
             Field(u"CONFIRM_PASSWORD", u"新しいパスワード（確認）", u"文字", 30, 2)};
  for (ItemDef& item : b.items) {
    item.database = false;
    item.required = true;
  }
  b.items.push_back(Button(u"BTN_CHANGE", u"変更", 1,
                           uR"(
IF :CONTROL.NEW_PASSWORD <> :CONTROL.CONFIRM_PASSWORD THEN
  MESSAGE('確認用のパスワードが一致しません。');
  RAISE FORM_TRIGGER_FAILURE;
END IF;
CHANGE_PASSWORD(USER, :CONTROL.OLD_PASSWORD, :CONTROL.NEW_PASSWORD);
MESSAGE('パスワードを変更しました。');)"));
  form.blocks = {b};
  return form;
}

// 出荷照会: new in release 2, a read-only inquiry.
FormDef ShipmentInquiry() {
  FormDef form;
  form.name = u"SHIPMENT_INQUIRY";
  form.comment = {u"出荷状況の照会（参照のみ）", u"2021/02/15 新規作成"};
  Common(form, u"出荷照会");
  BlockDef b;
  b.name = u"SHIPMENTS";
  b.sourceType = u"プロシージャ";
  b.sourceName = u"PKG_SHIPMENT.QUERY_SHIPMENTS";
  b.columns = {{u"SHIPMENT_NO", u"VARCHAR2", 12, 0, 0},
               {u"SHIP_DATE", u"DATE", 0, 0, 0},
               {u"ORDER_ID", u"NUMBER", 0, 10, 0},
               {u"CUSTOMER_NAME", u"VARCHAR2", 60, 0, 0},
               {u"TRACKING_NO", u"VARCHAR2", 20, 0, 0}};
  b.arguments = {{u"P_SHIPMENTS", u"表", u"PKG_SHIPMENT.T_SHIPMENT_TAB", u"IN OUT", u""},
                 {u"P_FROM_DATE", u"DATE", u"", u"IN", u":PARAMETER.P_FROM_DATE"}};
  b.recordsDisplayed = 15;
  b.insertAllowed = b.updateAllowed = b.deleteAllowed = false;
  b.items = {Display(Field(u"SHIPMENT_NO", u"出荷番号", u"文字", 12, 0)),
             Display(Field(u"SHIP_DATE", u"出荷日", u"日付", 10, 0)),
             Display(Field(u"ORDER_ID", u"受注番号", u"数値", 10, 0)),
             Display(Field(u"CUSTOMER_NAME", u"顧客名", u"文字", 60, 0)),
             Display(Field(u"TRACKING_NO", u"送り状番号", u"文字", 20, 0))};
  for (std::size_t i = 0; i < b.items.size(); ++i) b.items[i].x = 20 + 110 * static_cast<int>(i);
  b.items[4].triggers.push_back(Trigger(u"WHEN-MOUSE-DOUBLECLICK",
                                        uR"(
WEB.SHOW_DOCUMENT('https://tracking.example.jp/?no=' || :SHIPMENTS.TRACKING_NO, '_blank');)"));
  form.blocks = {b};
  form.parameters = {{u"P_FROM_DATE", u"日付", 10, u""}};
  form.triggers.insert(form.triggers.begin(), Trigger(u"WHEN-NEW-FORM-INSTANCE",
                                                      uR"(
IF :PARAMETER.P_FROM_DATE IS NULL THEN
  :PARAMETER.P_FROM_DATE := TRUNC(SYSDATE) - 30;
END IF;
GO_BLOCK('SHIPMENTS');
EXECUTE_QUERY;)"));
  return form;
}

}  // namespace

std::vector<SampleReport> SampleReports(int release) {
  std::vector<SampleReport> reports;
  auto add = [&](const FormDef& form) {
    reports.push_back({form.name + u".txt", gen::WriteForm(form)});
  };
  add(OrderEntry(release));
  add(CustomerMaster(release));
  add(MainMenu(release));
  if (release == 1) {
    add(PasswordChange());
  } else {
    add(ShipmentInquiry());
  }
  return reports;
}

}  // namespace tarnwick
