#include "tools/generator/plsql_text.h"

#include <string_view>

namespace tarnwick::gen {
namespace {

struct Lookup {
  std::u16string_view key, table, nameColumn, noun;
};

const Lookup kLookups[] = {
    {u"CUSTOMER_ID", u"CUSTOMERS", u"CUSTOMER_NAME", u"顧客"},
    {u"PRODUCT_CODE", u"PRODUCTS", u"PRODUCT_NAME", u"商品"},
    {u"EMP_NO", u"EMPLOYEES", u"EMP_NAME", u"社員"},
    {u"DEPT_CODE", u"DEPARTMENTS", u"DEPT_NAME", u"部門"},
    {u"WAREHOUSE_CODE", u"WAREHOUSES", u"WAREHOUSE_NAME", u"倉庫"},
    {u"SUPPLIER_CODE", u"SUPPLIERS", u"SUPPLIER_NAME", u"仕入先"},
    {u"SALES_REP", u"EMPLOYEES", u"EMP_NAME", u"営業担当者"},
};

const std::vector<std::u16string> kComments = {
    u"入力チェック",
    u"初期値の設定",
    u"合計金額の再計算",
    u"2014/04/01 消費税率変更対応",
    u"2019/10/01 軽減税率対応",
    u"マスタ存在チェック",
    u"画面制御",
    u"排他制御のため再取得する",
    u"TODO: 共通パッケージへ移す",
    u"更新者・更新日時の設定",
    u"明細ブロックへ移動",
    u"削除済みデータは表示しない",
    u"障害対応 No.1024",
};

const std::vector<std::u16string> kMessages = {
    u"保存しました。",
    u"該当するデータがありません。",
    u"入力内容に誤りがあります。",
    u"処理を中断しました。",
    u"他のユーザーが更新中です。しばらくしてから再度実行してください。",
    u"締め処理済みのため変更できません。",
};

// Collects body lines; the first element is the (empty) value on the
// property's own line, so the text starts with a line break as in reports.
class Code {
 public:
  Code(Rng& rng, const CodeContext& context, const BlockDef& block)
      : rng_(rng), context_(context), block_(block) {
    lines_.emplace_back();
  }

  void Line(int indent, std::u16string_view text) {
    std::u16string line(static_cast<std::size_t>(indent), u' ');
    line += text;
    lines_.push_back(std::move(line));
  }
  void Blank() { lines_.emplace_back(); }
  // A body ends with code, not with blank lines.
  Lines Take() {
    while (lines_.size() > 1 && lines_.back().empty()) lines_.pop_back();
    return std::move(lines_);
  }

  std::u16string Ref(const ItemDef& item) const { return u":" + block_.name + u"." + item.name; }
  const ItemDef& AnyItem() {
    // Buttons hold no data: prefer the block's data items.
    for (int attempt = 0; attempt < 4; ++attempt) {
      const ItemDef& item = block_.items[rng_.Below(block_.items.size())];
      if (item.kind != ItemKind::kButton) return item;
    }
    return block_.items.front();
  }
  const ItemDef& KeyItem() const { return block_.items.front(); }
  std::u16string Prompt(const ItemDef& item) const {
    return item.prompt.empty() ? item.name : item.prompt;
  }

  // The local variables the random statements use.
  void Locals(int in) {
    Line(in, u"v_button  NUMBER;");
    Line(in, u"v_count   NUMBER := 0;");
    Line(in, u"v_total   NUMBER := 0;");
    Line(in, u"v_name    VARCHAR2(100);");
    variables_ = true;
  }

  void Declare() {
    Line(0, u"DECLARE");
    Locals(2);
    Line(0, u"BEGIN");
  }

  void Required(int in, const ItemDef& item) {
    Line(in, u"IF " + Ref(item) + u" IS NULL THEN");
    Line(in + 2, u"MESSAGE('" + Prompt(item) + u"を入力してください。');");
    Line(in + 2, u"RAISE FORM_TRIGGER_FAILURE;");
    Line(in, u"END IF;");
  }

  // Fetches the name belonging to a code item from its master table; items
  // without a master table get no lookup.
  void LookupName(int in, const ItemDef& item) {
    const Lookup* found = nullptr;
    for (const Lookup& l : kLookups) {
      if (l.key == item.column) found = &l;
    }
    if (found == nullptr) {
      Line(in, u"NULL;");
      return;
    }
    const Lookup& l = *found;
    Line(in, u"BEGIN");
    Line(in + 2, u"SELECT " + std::u16string(l.nameColumn));
    Line(in + 4, u"INTO :" + block_.name + u"." + std::u16string(l.nameColumn));
    Line(in + 4, u"FROM " + std::u16string(l.table));
    Line(in + 3, u"WHERE " + std::u16string(l.key) + u" = " + Ref(item) + u";");
    Line(in, u"EXCEPTION");
    Line(in + 2, u"WHEN NO_DATA_FOUND THEN");
    Line(in + 4, u"MESSAGE('該当する" + std::u16string(l.noun) + u"が存在しません。');");
    Line(in + 4, u"RAISE FORM_TRIGGER_FAILURE;");
    Line(in, u"END;");
  }

  // A code item of the block with a master table, or the key item.
  const ItemDef& CodeItem() {
    for (const ItemDef& item : block_.items) {
      if (!item.lov.empty() && rng_.Percent(60)) return item;
    }
    return KeyItem();
  }

  void Calculate(int in) {
    const ItemDef& target = AnyItem();
    const ItemDef& a = AnyItem();
    const ItemDef& b = AnyItem();
    Line(in, Ref(target) + u" := NVL(" + Ref(a) + u", 0) * NVL(" + Ref(b) + u", 0);");
  }

  void Stamp(int in, bool insert) {
    Line(in, u":" + block_.name + (insert ? u".CREATED_BY := USER;" : u".UPDATED_BY := USER;"));
    Line(in,
         u":" + block_.name + (insert ? u".CREATED_AT := SYSDATE;" : u".UPDATED_AT := SYSDATE;"));
  }

  void CountCheck(int in) {
    const ItemDef& key = KeyItem();
    Line(in, u"SELECT COUNT(*)");
    Line(in + 2, u"INTO v_count");
    Line(in + 2, u"FROM " + (block_.sourceName.empty() ? block_.name : block_.sourceName));
    Line(in + 1,
         u"WHERE " + (key.column.empty() ? key.name : key.column) + u" = " + Ref(key) + u";");
    Line(in, u"IF v_count > 0 THEN");
    Line(in + 2, u"MESSAGE('" + Prompt(key) + u"は既に登録されています。');");
    Line(in + 2, u"RAISE FORM_TRIGGER_FAILURE;");
    Line(in, u"END IF;");
  }

  void Confirm(int in) {
    const std::u16string alert = context_.alerts.empty()
                                     ? u"ALERT_CONFIRM"
                                     : context_.alerts[rng_.Below(context_.alerts.size())];
    Line(in, u"v_button := SHOW_ALERT('" + alert + u"');");
    Line(in, u"IF v_button <> ALERT_BUTTON1 THEN");
    Line(in + 2, u"RAISE FORM_TRIGGER_FAILURE;");
    Line(in, u"END IF;");
  }

  void SumLoop(int in) {
    const ItemDef& key = KeyItem();
    Line(in, u"FOR r IN (SELECT QUANTITY, UNIT_PRICE");
    Line(in + 12, u"FROM ORDER_LINES");
    Line(in + 11, u"WHERE ORDER_ID = " + Ref(key) + u") LOOP");
    Line(in + 2, u"v_total := v_total + NVL(r.QUANTITY, 0) * NVL(r.UNIT_PRICE, 0);");
    Line(in, u"END LOOP;");
    Line(in, u":" + block_.name + u".TOTAL_AMOUNT := v_total;");
  }

  void IfStatus(int in, int depth) {
    Line(in, u"IF :SYSTEM.RECORD_STATUS IN ('NEW', 'INSERT') THEN");
    Statements(in + 2, rng_.Between(1, 2), depth + 1);
    Line(in, u"ELSE");
    if (rng_.Percent(50)) {
      Line(in + 2, u"NULL;");
    } else {
      Statements(in + 2, 1, depth + 1);
    }
    Line(in, u"END IF;");
  }

  void Statement(int in, int depth) {
    switch (rng_.Below(variables_ ? 15 : 11)) {
      case 0:
        Required(in, AnyItem());
        break;
      case 1:
        Calculate(in);
        break;
      case 2:
        Line(in, u"SET_ITEM_PROPERTY('" + block_.name + u"." + AnyItem().name + u"', " +
                     (rng_.Percent(50) ? u"ENABLED, PROPERTY_FALSE);"
                                       : u"UPDATE_ALLOWED, PROPERTY_TRUE);"));
        break;
      case 3:
        Line(in, u"GO_ITEM('" + block_.name + u"." + AnyItem().name + u"');");
        break;
      case 4:
        Line(in, u"MESSAGE('" + rng_.Pick(kMessages) + u"');");
        break;
      case 5:
        if (!context_.procedures.empty()) {
          Line(in, context_.procedures[rng_.Below(context_.procedures.size())] + u"(" +
                       Ref(KeyItem()) + u");");
        } else {
          Line(in, u"NULL;");
        }
        break;
      case 6:
        Line(in, u"NULL;");
        break;
      case 7:
        Line(in, u"-- " + rng_.Pick(kComments));
        break;
      case 8:
        if (depth < 2) {
          IfStatus(in, depth);
        } else {
          Line(in, u"NULL;");
        }
        break;
      case 9:
        Blank();
        break;
      case 10:
        Stamp(in, rng_.Percent(30));
        break;
      case 11:
        CountCheck(in);
        break;
      case 12:
        Confirm(in);
        break;
      case 13:
        SumLoop(in);
        break;
      default:
        LookupName(in, CodeItem());
        break;
    }
  }

  void Statements(int in, int count, int depth) {
    for (int i = 0; i < count; ++i) Statement(in, depth);
  }

  // The default code Forms writes for master-detail relations.
  void RelationCode(std::u16string_view detail, std::u16string_view relation) {
    const std::u16string d(detail);
    Line(0, u"--");
    Line(0, u"-- Begin default relation declare section");
    Line(0, u"--");
    Line(0, u"DECLARE");
    Line(2, u"recstat     VARCHAR2(20) := :System.record_status;");
    Line(2, u"startitm    VARCHAR2(61) := :System.cursor_item;");
    Line(2, u"rel_id      Relation;");
    Line(0, u"--");
    Line(0, u"-- End default relation declare section");
    Line(0, u"--");
    Line(0, u"BEGIN");
    Line(2, u"--");
    Line(2, u"-- Begin default relation program section");
    Line(2, u"--");
    Line(2, u"IF ( recstat = 'NEW' or recstat = 'INSERT' ) THEN");
    Line(4, u"RETURN;");
    Line(2, u"END IF;");
    Line(2, u"--");
    Line(2, u"-- Begin " + d + u" detail program section");
    Line(2, u"--");
    Line(2, u"IF ( (" + Ref(KeyItem()) + u" is not null) ) THEN");
    Line(4, u"rel_id := Find_Relation('" + block_.name + u"." + std::u16string(relation) + u"');");
    Line(4, u"Query_Master_Details(rel_id, '" + d + u"');");
    Line(2, u"END IF;");
    Line(2, u"--");
    Line(2, u"-- End " + d + u" detail program section");
    Line(2, u"--");
    Line(0, u"");
    Line(2, u"IF ( :System.cursor_item <> startitm ) THEN");
    Line(4, u"Go_Item(startitm);");
    Line(4, u"Check_Package_Failure;");
    Line(2, u"END IF;");
    Line(2, u"--");
    Line(2, u"-- End default relation program section");
    Line(2, u"--");
    Line(0, u"END;");
  }

  Rng& rng() { return rng_; }
  const BlockDef& block() const { return block_; }
  const CodeContext& context() const { return context_; }

 private:
  Rng& rng_;
  const CodeContext& context_;
  const BlockDef& block_;
  Lines lines_;
  bool variables_ = false;
};

bool Is(std::u16string_view a, std::u16string_view b) {
  return a == b;
}

// A body in one of the shapes developers write: bare statements in column 1,
// BEGIN ... END; or a DECLARE section.
void Wrapped(Code& code, int count, bool declare) {
  if (declare) {
    code.Declare();
    code.Statements(2, count, 0);
    code.Line(0, u"END;");
  } else if (code.rng().Percent(50)) {
    code.Line(0, u"BEGIN");
    code.Statements(2, count, 0);
    code.Line(0, u"END;");
  } else {
    code.Statements(0, count, 0);
  }
}

BlockDef NoBlock() {
  BlockDef block;
  block.name = u"CONTROL";
  ItemDef item;
  item.name = u"DUMMY";
  block.items.push_back(item);
  return block;
}

}  // namespace

Lines ItemTriggerText(Rng& rng, const CodeContext& context, const BlockDef& block,
                      const ItemDef& item, std::u16string_view trigger) {
  Code code(rng, context, block);
  if (Is(trigger, u"KEY-LISTVAL") && rng.Percent(40)) return Lines{u"LIST_VALUES;"};
  if (Is(trigger, u"WHEN-VALIDATE-ITEM")) {
    const bool declare = rng.Percent(30);
    if (declare) code.Declare();
    const int in = declare ? 2 : 0;
    if (rng.Percent(30)) code.Line(in, u"-- " + rng.Pick(kComments));
    code.Required(in, item);
    if (item.dataType == u"数値") {
      code.Line(in, u"IF " + code.Ref(item) + u" < 0 THEN");
      code.Line(in + 2, u"MESSAGE('" + code.Prompt(item) + u"には0以上の値を入力してください。');");
      code.Line(in + 2, u"RAISE FORM_TRIGGER_FAILURE;");
      code.Line(in, u"END IF;");
    }
    if (!item.lov.empty()) {
      code.Blank();
      code.LookupName(in, item);
    }
    code.Statements(in, rng.Between(0, 3), 0);
    if (declare) code.Line(0, u"END;");
  } else if (Is(trigger, u"KEY-LISTVAL")) {
    code.Line(0,
              u"IF SHOW_LOV('" + (item.lov.empty() ? u"LOV_" + item.name : item.lov) + u"') THEN");
    code.Line(2, u"NEXT_ITEM;");
    code.Line(0, u"END IF;");
  } else if (Is(trigger, u"WHEN-BUTTON-PRESSED")) {
    const std::u16string& n = item.name;
    if (n.find(u"SEARCH") != std::u16string::npos) {
      code.Line(0, u"GO_BLOCK('" + block.name + u"');");
      code.Line(0, u"EXECUTE_QUERY;");
    } else if (n.find(u"SAVE") != std::u16string::npos) {
      Wrapped(code, 0, false);
      code.Line(0, u"COMMIT_FORM;");
      code.Line(0, u"IF FORM_SUCCESS THEN");
      code.Line(2, u"MESSAGE('保存しました。');");
      code.Line(0, u"END IF;");
    } else if (n.find(u"CLEAR") != std::u16string::npos) {
      code.Line(0, u"CLEAR_FORM(NO_VALIDATE);");
    } else if (n.find(u"EXIT") != std::u16string::npos) {
      code.Line(0, u"EXIT_FORM(NO_VALIDATE);");
    } else {
      code.Declare();
      code.Confirm(2);
      code.Statements(2, rng.Between(1, 5), 0);
      code.Line(0, u"END;");
    }
  } else {
    Wrapped(code, rng.Between(1, 6), rng.Percent(25));
  }
  return code.Take();
}

Lines BlockTriggerText(Rng& rng, const CodeContext& context, const BlockDef& block,
                       std::u16string_view trigger) {
  Code code(rng, context, block);
  if (Is(trigger, u"ON-POPULATE-DETAILS") || Is(trigger, u"ON-CHECK-DELETE-MASTER")) {
    const std::u16string detail =
        block.relations.empty() ? u"DETAIL" : block.relations[0].detailBlock;
    const std::u16string relation = block.relations.empty() ? u"REL" : block.relations[0].name;
    code.RelationCode(detail, relation);
  } else if (Is(trigger, u"PRE-INSERT")) {
    const ItemDef& key = code.KeyItem();
    code.Line(0, u"SELECT " + block.name + u"_SEQ.NEXTVAL");
    code.Line(2, u"INTO " + code.Ref(key));
    code.Line(2, u"FROM DUAL;");
    code.Stamp(0, true);
    code.Stamp(0, false);
  } else if (Is(trigger, u"PRE-UPDATE")) {
    code.Stamp(0, false);
  } else if (Is(trigger, u"POST-QUERY")) {
    code.Declare();
    for (int i = rng.Between(1, 3); i > 0; --i) code.LookupName(2, code.CodeItem());
    code.Line(0, u"END;");
  } else if (Is(trigger, u"PRE-QUERY")) {
    code.Line(0, u"-- " + rng.Pick(kComments));
    code.Line(0,
              u"SET_BLOCK_PROPERTY('" + block.name + u"', DEFAULT_WHERE, 'DELETE_FLG = ''0''');");
  } else if (Is(trigger, u"ON-ERROR")) {
    code.Line(0, u"DECLARE");
    code.Line(2, u"v_code  NUMBER := ERROR_CODE;");
    code.Line(2, u"v_text  VARCHAR2(200) := ERROR_TEXT;");
    code.Line(0, u"BEGIN");
    code.Line(2, u"IF v_code = 40202 THEN");
    code.Line(4, u"MESSAGE('必須項目が入力されていません。');");
    code.Line(2, u"ELSIF v_code = 40508 THEN");
    code.Line(4, u"MESSAGE('登録できませんでした。');");
    code.Line(2, u"ELSE");
    code.Line(4, u"MESSAGE(ERROR_TYPE || '-' || TO_CHAR(v_code) || ': ' || v_text);");
    code.Line(2, u"END IF;");
    code.Line(2, u"RAISE FORM_TRIGGER_FAILURE;");
    code.Line(0, u"END;");
  } else if (Is(trigger, u"KEY-COMMIT") || Is(trigger, u"KEY-DELREC")) {
    code.Declare();
    code.Confirm(2);
    code.Line(2, Is(trigger, u"KEY-COMMIT") ? u"COMMIT_FORM;" : u"DELETE_RECORD;");
    code.Line(0, u"END;");
  } else {
    Wrapped(code, rng.Between(2, 10), rng.Percent(40));
  }
  return code.Take();
}

Lines FormTriggerText(Rng& rng, const CodeContext& context, std::u16string_view trigger) {
  const BlockDef none = NoBlock();
  Code code(rng, context, none);
  const std::u16string first = context.blocks.empty() ? u"CONTROL" : context.blocks.front();
  if (Is(trigger, u"WHEN-NEW-FORM-INSTANCE")) {
    code.Line(0, u"SET_WINDOW_PROPERTY(FORMS_MDI_WINDOW, WINDOW_STATE, MAXIMIZE);");
    code.Line(0, u"SET_WINDOW_PROPERTY('WINDOW1', WINDOW_STATE, MAXIMIZE);");
    code.Blank();
    code.Line(0, u":GLOBAL.USER_ID := USER;");
    code.Line(0, u"DEFAULT_VALUE(NULL, 'GLOBAL.COMPANY_CODE');");
    code.Line(0, u"GO_BLOCK('" + first + u"');");
    code.Line(0, u"EXECUTE_QUERY;");
  } else if (Is(trigger, u"KEY-EXIT")) {
    code.Declare();
    code.Confirm(2);
    code.Line(2, u"EXIT_FORM(NO_VALIDATE);");
    code.Line(0, u"END;");
  } else if (Is(trigger, u"ON-MESSAGE")) {
    code.Line(0, u"IF MESSAGE_CODE IN (40350, 40352) THEN");
    code.Line(2, u"NULL;");
    code.Line(0, u"ELSE");
    code.Line(2, u"MESSAGE(MESSAGE_TYPE || '-' || TO_CHAR(MESSAGE_CODE) || ': ' || MESSAGE_TEXT);");
    code.Line(0, u"END IF;");
  } else {
    code.Line(0, u"-- " + rng.Pick(kComments));
    code.Line(0, u":SYSTEM.MESSAGE_LEVEL := '5';");
    if (!context.procedures.empty()) code.Line(0, context.procedures.front() + u"(NULL);");
    code.Line(0, u"NULL;");
  }
  return code.Take();
}

Lines ProgramUnitText(Rng& rng, const CodeContext& context, std::u16string_view name,
                      std::u16string_view type, const BlockDef& block) {
  Code out(rng, context, block);
  const std::u16string n(name);
  if (type == u"パッケージ仕様部") {
    out.Line(0, u"PACKAGE " + n + u" IS");
    out.Line(2, u"-- " + rng.Pick(kComments));
    out.Line(2, u"PROCEDURE SET_DEFAULTS;");
    out.Line(2, u"PROCEDURE CHECK_INPUT(p_id IN NUMBER);");
    out.Line(2, u"FUNCTION GET_TOTAL(p_id IN NUMBER) RETURN NUMBER;");
    out.Line(0, u"END;");
    return out.Take();
  }
  if (type == u"パッケージ本体") {
    out.Line(0, u"PACKAGE BODY " + n + u" IS");
    out.Blank();
    out.Line(2, u"PROCEDURE SET_DEFAULTS IS");
    out.Line(2, u"BEGIN");
    out.Stamp(4, true);
    out.Stamp(4, false);
    out.Line(2, u"END;");
    out.Blank();
    out.Line(2, u"PROCEDURE CHECK_INPUT(p_id IN NUMBER) IS");
    out.Locals(4);
    out.Line(2, u"BEGIN");
    out.Statements(4, rng.Between(3, 12), 0);
    out.Line(2, u"END;");
    out.Blank();
    out.Line(2, u"FUNCTION GET_TOTAL(p_id IN NUMBER) RETURN NUMBER IS");
    out.Line(4, u"v_total  NUMBER := 0;");
    out.Line(2, u"BEGIN");
    out.SumLoop(4);
    out.Line(4, u"RETURN v_total;");
    out.Line(2, u"END;");
    out.Blank();
    out.Line(0, u"END;");
    return out.Take();
  }
  const bool function = type == u"ファンクション";
  out.Line(0, (function ? u"FUNCTION " : u"PROCEDURE ") + n + u"(p_id IN NUMBER)" +
                  (function ? u" RETURN NUMBER IS" : u" IS"));
  out.Locals(2);
  out.Line(0, u"BEGIN");
  if (rng.Percent(50)) out.Line(2, u"-- " + rng.Pick(kComments));
  out.Statements(2, rng.Between(4, 18), 0);
  if (function) out.Line(2, u"RETURN v_total;");
  out.Line(0, u"EXCEPTION");
  out.Line(2, u"WHEN OTHERS THEN");
  out.Line(4, u"MESSAGE('" + n + u"でエラーが発生しました：' || SQLERRM);");
  out.Line(4, u"RAISE FORM_TRIGGER_FAILURE;");
  out.Line(0, u"END;");
  return out.Take();
}

}  // namespace tarnwick::gen
