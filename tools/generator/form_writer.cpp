// Lays a FormDef out as report lines. The module header stands at depth 0
// (column 3), objects of its sections at depth 1, and so on: properties share
// their object's column, section contents stand three columns deeper.
#include "tools/generator/form_model.h"

namespace tarnwick::gen {
namespace {

std::u16string_view YesNo(bool value) {
  return value ? u"はい" : u"いいえ";
}

// Plain property with a default value ("-") or a value set by the developer ("o").
void Def(ReportWriter& out, int depth, std::u16string_view name, std::u16string_view value = {}) {
  out.Property(depth, name, value, u'-');
}
void Set(ReportWriter& out, int depth, std::u16string_view name, std::u16string_view value) {
  out.Property(depth, name, value, value.empty() ? u'-' : u'o');
}
void Text(ReportWriter& out, int depth, std::u16string_view name, const Lines& lines) {
  out.TextProperty(depth, name, lines, lines.empty() ? u'-' : u'o');
}

// A section line opens a section only when objects follow it; an empty
// section is written as an empty property.
template <typename T, typename F>
void Section(ReportWriter& out, int depth, std::u16string_view name, const std::vector<T>& objects,
             F writeOne) {
  out.Property(depth, name);
  for (const T& object : objects) writeOne(object);
}

void WriteTrigger(ReportWriter& out, int depth, const TriggerDef& trigger) {
  out.Header(depth, trigger.name);
  Def(out, depth, u"サブクラス情報");
  Text(out, depth, u"コメント", trigger.comment);
  Def(out, depth, u"トリガー・スタイル", u"PL/SQL");
  Text(out, depth, u"トリガー・テキスト", trigger.text);
  Def(out, depth, u"問合せ入力モードで起動", YesNo(trigger.fireInQueryMode));
  Def(out, depth, u"実行階層", trigger.hierarchy);
}

void WriteTriggers(ReportWriter& out, int depth, const std::vector<TriggerDef>& triggers) {
  if (triggers.empty()) return;
  Section(out, depth, u"トリガー", triggers,
          [&](const TriggerDef& t) { WriteTrigger(out, depth + 1, t); });
}

std::u16string_view KindName(ItemKind kind) {
  switch (kind) {
    case ItemKind::kText:
      return u"テキスト項目";
    case ItemKind::kDisplay:
      return u"表示項目";
    case ItemKind::kList:
      return u"リスト項目";
    case ItemKind::kCheckBox:
      return u"チェック・ボックス";
    case ItemKind::kRadioGroup:
      return u"ラジオ・グループ";
    case ItemKind::kButton:
      return u"プッシュ・ボタン";
  }
  return u"テキスト項目";
}

void WriteItem(ReportWriter& out, int d, const ItemDef& item) {
  // Properties taken over from a property class carry "^".
  const bool inherited = !item.propertyClass.empty();
  auto def = [&](std::u16string_view name, std::u16string_view value = {}) {
    out.Property(d, name, value, inherited ? u'^' : u'-');
  };

  out.Header(d, item.name);
  Set(out, d, u"項目タイプ", KindName(item.kind));
  if (inherited) {
    Set(out, d, u"サブクラス情報", {});
    Def(out, d + 1, u"サブクラス情報");
    Set(out, d + 1, u"サブクラス・タイプ", u"プロパティ・クラス");
    Set(out, d + 1, u"プロパティ・クラス名", item.propertyClass);
  } else {
    Def(out, d, u"サブクラス情報");
  }
  Text(out, d, u"コメント", item.comment);
  def(u"ヘルプ・ブック・トピック");
  def(u"有効", u"はい");
  switch (item.kind) {
    case ItemKind::kText:
      def(u"複数行", item.maxLength > 100 ? u"はい" : u"いいえ");
      def(u"自動スキップ", u"いいえ");
      break;
    case ItemKind::kDisplay:
      break;
    case ItemKind::kList:
      if (item.elements.empty()) {
        Def(out, d, u"リスト内の要素");
      } else {
        Set(out, d, u"リスト内の要素", {});
        for (const ListElement& e : item.elements) {
          Set(out, d + 1, u"ラベル", e.label);
          Set(out, d + 1, u"リスト項目値", e.value);
        }
      }
      Set(out, d, u"リスト形式", u"ポップリスト");
      def(u"マップされていない他の値");
      break;
    case ItemKind::kCheckBox:
      Set(out, d, u"ラベル", item.prompt);
      Set(out, d, u"チェック時の値", u"1");
      Set(out, d, u"チェック解除時の値", u"0");
      def(u"マップされていない他のチェック・ボックス値", u"チェック解除");
      break;
    case ItemKind::kRadioGroup:
      break;
    case ItemKind::kButton:
      Set(out, d, u"ラベル", item.prompt);
      def(u"アイコン使用", u"いいえ");
      def(u"デフォルト・ボタン", u"いいえ");
      def(u"マウス・ナビゲート", u"いいえ");
      break;
  }
  if (item.kind != ItemKind::kButton) {
    Set(out, d, u"データ型", item.dataType);
    Set(out, d, u"最大長", Number(item.maxLength));
    Text(out, d, u"初期値", item.initialValue);
    Set(out, d, u"必須", YesNo(item.required));
    Set(out, d, u"書式マスク", item.formatMask);
    Set(out, d, u"計算モード", item.formula.empty() ? u"なし" : u"式");
    Text(out, d, u"式", item.formula);
    def(u"サマリー・ファンクション", u"なし");
  }
  def(u"データベース項目", YesNo(item.database));
  if (item.database) {
    Set(out, d, u"列名", item.column);
    def(u"主キー", YesNo(item.primaryKey));
    def(u"問合せ可能", u"はい");
    def(u"挿入可能", u"はい");
    def(u"更新可能", YesNo(item.updateAllowed));
  }
  Set(out, d, u"LOV", item.lov);
  def(u"LOVの検証", item.lov.empty() ? u"いいえ" : u"はい");
  Set(out, d, u"キャンバス", item.canvas);
  Set(out, d, u"X位置", Number(item.x));
  Set(out, d, u"Y位置", Number(item.y));
  Set(out, d, u"幅", Number(item.width));
  Set(out, d, u"高さ", Number(item.height));
  if (item.libraryObject.empty()) {
    Def(out, d, u"参照情報", u"<Not Referenced>");
  } else {
    Set(out, d, u"参照情報", u"COMMON_OLB");
    Set(out, d + 1, u"参照元モジュール", u"COMMON_OLB");
    Set(out, d + 1, u"参照元モジュールのタイプ", u"オブジェクト・ライブラリ");
    Set(out, d + 1, u"参照元オブジェクト", item.libraryObject);
    Set(out, d + 1, u"参照元オブジェクトのタイプ", u"項目");
  }
  Set(out, d, u"ヒント", item.hint);
  if (item.kind != ItemKind::kButton && item.kind != ItemKind::kCheckBox) {
    Text(out, d, u"プロンプト", item.prompt.empty() ? Lines{} : Lines{item.prompt});
    def(u"プロンプト表示スタイル", u"最初のレコード");
    def(u"プロンプト揃え", u"開始");
    def(u"プロンプトの接続端", u"開始");
  }
  if (item.kind == ItemKind::kRadioGroup) {
    int index = 0;
    Section(out, d, u"ラジオ・ボタン", item.elements, [&](const ListElement& e) {
      ++index;
      out.Header(d + 1, item.name + u"_" + Number(index));
      Def(out, d + 1, u"サブクラス情報");
      Def(out, d + 1, u"コメント");
      Def(out, d + 1, u"ヘルプ・ブック・トピック");
      Def(out, d + 1, u"有効", u"はい");
      Set(out, d + 1, u"ラベル", e.label);
      Set(out, d + 1, u"ラジオ・ボタン値", e.value);
      Set(out, d + 1, u"X位置", Number(item.x + (index - 1) * 60));
      Set(out, d + 1, u"Y位置", Number(item.y));
    });
  }
  WriteTriggers(out, d, item.triggers);
}

void WriteRelation(ReportWriter& out, int d, const RelationDef& relation) {
  out.Header(d, relation.name);
  Def(out, d, u"サブクラス情報");
  Def(out, d, u"コメント");
  Set(out, d, u"ディテール・データ・ブロック", relation.detailBlock);
  Text(out, d, u"結合条件", relation.joinCondition);
  Set(out, d, u"レコード削除時の動作", relation.deleteBehavior);
  Def(out, d, u"問合せの防止", u"いいえ");
  Def(out, d, u"自動問合せ", u"いいえ");
  Def(out, d, u"遅延", u"いいえ");
}

}  // namespace

void WriteBlock(ReportWriter& out, const BlockDef& b, bool first) {
  const int d = 1;
  if (!first) out.Separator(d);
  out.Header(d, b.name);
  Def(out, d, u"サブクラス情報");
  Text(out, d, u"コメント", b.comment);
  Def(out, d, u"ナビゲーション形式", u"同じレコード");
  Def(out, d, u"前のナビゲーション・データ・ブロック");
  Def(out, d, u"次のナビゲーション・データ・ブロック");
  Def(out, d, u"現行レコードのビジュアル属性グループ");
  Set(out, d, u"問合せ配列サイズ", Number(b.recordsDisplayed));
  Set(out, d, u"表示レコード数", Number(b.recordsDisplayed));
  Def(out, d, u"レコード・スクロール方向", u"垂直");
  Def(out, d, u"単一レコード", u"いいえ");
  Def(out, d, u"データベース・データ・ブロック", YesNo(b.database));
  Def(out, d, u"主キーの強制", u"いいえ");
  Def(out, d, u"問合せ可能", YesNo(b.database));
  Set(out, d, u"問合せデータ・ソース・タイプ",
      b.database ? std::u16string_view(b.sourceType) : u"なし");
  Set(out, d, u"問合せデータ・ソース名", b.sourceName);
  Def(out, d, u"問合せデータ・ソースの列");
  for (const QueryColumn& c : b.columns) {
    Set(out, d + 1, u"列名", c.name);
    Set(out, d + 1, u"型", c.type);
    Def(out, d + 1, u"型名");
    Set(out, d + 1, u"長さ", Number(c.length));
    Set(out, d + 1, u"精度", Number(c.precision));
    Set(out, d + 1, u"スケール", Number(c.scale));
  }
  Def(out, d, u"問合せデータ・ソースの引数");
  for (const QueryArgument& a : b.arguments) {
    Set(out, d + 1, u"引数名", a.name);
    Set(out, d + 1, u"型", a.type);
    Set(out, d + 1, u"型名", a.typeName);
    Set(out, d + 1, u"モード", a.mode);
    Set(out, d + 1, u"値", a.value);
  }
  Def(out, d, u"別名");
  Def(out, d, u"REF項目を含める", u"いいえ");
  Text(out, d, u"WHERE句", b.where);
  Text(out, d, u"ORDER BY句", b.orderBy);
  Text(out, d, u"オプティマイザ・ヒント", b.hint);
  Def(out, d, u"挿入可能", YesNo(b.insertAllowed));
  Def(out, d, u"更新可能", YesNo(b.updateAllowed));
  Def(out, d, u"変更済列のみ更新", u"いいえ");
  Def(out, d, u"削除可能", YesNo(b.deleteAllowed));
  Def(out, d, u"ロック・モード", u"自動");
  Def(out, d, u"キー・モード", u"自動");
  Def(out, d, u"DMLデータ・ターゲット・タイプ", b.database ? u"表" : u"なし");
  Set(out, d, u"DMLデータ・ターゲット名", b.database ? b.sourceName : u"");
  Section(out, d, u"項目", b.items, [&](const ItemDef& item) { WriteItem(out, d + 1, item); });
  if (!b.relations.empty()) {
    Section(out, d, u"リレーション", b.relations,
            [&](const RelationDef& r) { WriteRelation(out, d + 1, r); });
  }
  WriteTriggers(out, d, b.triggers);
}

void WriteFormHead(ReportWriter& out, const FormDef& form) {
  out.Header(0, form.name);
  Def(out, 0, u"サブクラス情報");
  Text(out, 0, u"コメント", form.comment);
  Def(out, 0, u"ヘルプ・ブック・タイトル");
  Set(out, 0, u"タイトル", form.title);
  Set(out, 0, u"座標系", {});
  Def(out, 1, u"座標系", u"実単位");
  Set(out, 1, u"実単位", u"ポイント");
  Set(out, 1, u"文字セル幅", u"7");
  Set(out, 1, u"文字セル高", u"14");
  Def(out, 0, u"メニュー・モジュール", u"DEFAULT&SMARTBAR");
  Def(out, 0, u"初期メニュー");
  Def(out, 0, u"メニュー・ロール");
  Set(out, 0, u"コンソール・ウィンドウ", form.windows.empty() ? u"" : form.windows.front().name);
  Def(out, 0, u"遅延必須強制", u"いいえ");
  Def(out, 0, u"実行階層", u"オーバーライド");
  Def(out, 0, u"検証単位", u"デフォルト");
  Def(out, 0, u"対話モード", u"ブロック");
  Def(out, 0, u"最大問合せ時間", u"0");
  Def(out, 0, u"最大取出しレコード数", u"0");
  Def(out, 0, u"分離モード", u"読取りコミット");
  if (!form.libraries.empty()) {
    out.Separator(0);
    Set(out, 0, u"連結ライブラリ", {});
    for (const LibraryDef& lib : form.libraries) {
      out.Header(1, lib.name);
      Set(out, 1, u"PL/SQLライブラリの位置", lib.location);
      Def(out, 1, u"PL/SQLライブラリ・ソース", u"ファイル");
    }
  }
  if (!form.alerts.empty()) {
    out.Separator(0);
    Section(out, 0, u"アラート", form.alerts, [&](const AlertDef& a) {
      out.Header(1, a.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"タイトル", a.title);
      Text(out, 1, u"メッセージ", a.message);
      Set(out, 1, u"警告スタイル", a.style);
      Set(out, 1, u"ボタン1のラベル", a.button1);
      Set(out, 1, u"ボタン2のラベル", a.button2);
      Set(out, 1, u"ボタン3のラベル", a.button3);
      Def(out, 1, u"デフォルトの警告ボタン", u"ボタン1");
    });
  }
  out.Separator(0);
  Def(out, 0, u"ブロック");
}

void WriteFormTail(ReportWriter& out, const FormDef& form) {
  if (!form.canvases.empty()) {
    out.Separator(0);
    Section(out, 0, u"キャンバス", form.canvases, [&](const CanvasDef& c) {
      out.Header(1, c.name);
      Set(out, 1, u"キャンバス・タイプ", c.type);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Def(out, 1, u"文字モードの論理属性");
      Def(out, 1, u"表示", u"はい");
      Set(out, 1, u"ウィンドウ", c.window);
      Def(out, 1, u"入力時に上に表示", u"いいえ");
      Set(out, 1, u"幅", Number(c.width));
      Set(out, 1, u"高さ", Number(c.height));
      Def(out, 1, u"座標情報");
      Def(out, 2, u"ビューポートX位置", u"0");
      Def(out, 2, u"ビューポートY位置", u"0");
      Set(out, 2, u"ビューポート幅", Number(c.width));
      Set(out, 2, u"ビューポート高さ", Number(c.height));
      Def(out, 1, u"ビジュアル属性グループ", u"デフォルト");
      if (!c.tabPages.empty()) {
        Section(out, 1, u"タブ・ページ", c.tabPages, [&](const std::u16string& page) {
          out.Header(2, page);
          Def(out, 2, u"サブクラス情報");
          Def(out, 2, u"コメント");
          Def(out, 2, u"有効", u"はい");
          Set(out, 2, u"ラベル", page);
          Def(out, 2, u"表示", u"はい");
        });
      }
      if (!c.labels.empty()) {
        int index = 0;
        Section(out, 1, u"グラフィックス", c.labels, [&](const std::u16string& label) {
          ++index;
          out.Header(2, u"TEXT" + Number(index));
          Set(out, 2, u"グラフィックス・タイプ", u"テキスト");
          Set(out, 2, u"テキスト", label);
          Set(out, 2, u"X位置", Number(16));
          Set(out, 2, u"Y位置", Number(8 + 24 * index));
          Def(out, 2, u"フォアグラウンド・カラー", u"black");
        });
      }
    });
  }
  if (!form.lovs.empty()) {
    out.Separator(0);
    Section(out, 0, u"LOV", form.lovs, [&](const LovDef& lov) {
      out.Header(1, lov.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"タイトル", lov.title);
      Set(out, 1, u"レコード・グループ", lov.recordGroup);
      Section(out, 1, u"列マッピング・プロパティ", lov.columns, [&](const LovColumn& c) {
        out.Header(2, c.name);
        Set(out, 2, u"列タイトル", c.title);
        Set(out, 2, u"戻り項目", c.returnItem);
        Set(out, 2, u"表示幅", Number(c.width));
      });
      Def(out, 1, u"フィルタ処理前", u"いいえ");
      Def(out, 1, u"自動表示", u"いいえ");
      Def(out, 1, u"自動リフレッシュ", u"はい");
      Def(out, 1, u"自動選択", u"いいえ");
      Def(out, 1, u"自動スキップ", u"いいえ");
      Def(out, 1, u"幅", u"320");
      Def(out, 1, u"高さ", u"240");
    });
  }
  if (!form.parameters.empty()) {
    out.Separator(0);
    Section(out, 0, u"パラメータ", form.parameters, [&](const ParameterDef& p) {
      out.Header(1, p.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"パラメータのデータ型", p.dataType);
      Set(out, 1, u"最大長", Number(p.maxLength));
      Set(out, 1, u"パラメータの初期値", p.initialValue);
    });
  }
  if (!form.menus.empty()) {
    out.Separator(0);
    Section(out, 0, u"ポップアップ・メニュー", form.menus, [&](const MenuDef& m) {
      out.Header(1, m.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Def(out, 1, u"可動メニュー", u"いいえ");
      Set(out, 1, u"タイトル", m.title);
      Section(out, 1, u"メニュー項目", m.items, [&](const MenuItemDef& item) {
        out.Header(2, item.name);
        Def(out, 2, u"サブクラス情報");
        Def(out, 2, u"コメント");
        Def(out, 2, u"使用可能", u"はい");
        Set(out, 2, u"ラベル", item.label);
        Def(out, 2, u"メニュー項目タイプ", u"標準");
        Def(out, 2, u"表示", u"はい");
        Def(out, 2, u"コマンド・タイプ", u"PL/SQL");
        if (item.codeOnOneLine && !item.code.empty() && !item.code.front().empty()) {
          // The report writes a one-line code and the icon property on one line.
          std::u16string line = item.code.front();
          line += u" - メニューのアイコン";
          line.append(8, u' ');
          line += YesNo(item.iconInMenu);
          Set(out, 2, u"メニュー項目コード", line);
        } else {
          Text(out, 2, u"メニュー項目コード", item.code);
          Def(out, 2, u"メニューのアイコン", YesNo(item.iconInMenu));
        }
        Def(out, 2, u"アイコン・ファイル名");
        Def(out, 2, u"キーボード・アクセラレータ");
      });
    });
  }
  if (!form.programUnits.empty()) {
    out.Separator(0);
    Section(out, 0, u"プログラム・ユニット", form.programUnits, [&](const ProgramUnitDef& p) {
      out.Header(1, p.name);
      Def(out, 1, u"サブクラス情報");
      Text(out, 1, u"コメント", p.comment);
      Text(out, 1, u"プログラム・ユニットのテキスト", p.text);
      Set(out, 1, u"プログラム・ユニットタイプ", p.type);
    });
  }
  if (!form.recordGroups.empty()) {
    out.Separator(0);
    Section(out, 0, u"レコード・グループ", form.recordGroups, [&](const RecordGroupDef& g) {
      out.Header(1, g.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"レコード・グループ・タイプ", g.query.empty() ? u"静的" : u"問合せ");
      Text(out, 1, u"レコード・グループ問合せ", g.query);
      Def(out, 1, u"レコード・グループの取出しサイズ", Number(g.fetchSize));
      Section(out, 1, u"列指定", g.columns, [&](const QueryColumn& c) {
        out.Header(2, c.name);
        Set(out, 2, u"データ型", c.type);
        Set(out, 2, u"最大長", Number(c.length));
      });
    });
  }
  if (!form.visualAttributes.empty()) {
    out.Separator(0);
    Section(out, 0, u"ビジュアル属性", form.visualAttributes, [&](const VisualAttributeDef& v) {
      out.Header(1, v.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"フォアグラウンド・カラー", v.foreground);
      Set(out, 1, u"バックグラウンド・カラー", v.background);
      Def(out, 1, u"塗りつぶしパターン", u"なし");
      Set(out, 1, u"フォント名", v.fontName);
      Set(out, 1, u"フォント・サイズ", Number(v.fontSize));
      Def(out, 1, u"フォント・スタイル", u"標準");
      Def(out, 1, u"フォントの太さ", u"標準");
    });
  }
  if (!form.windows.empty()) {
    out.Separator(0);
    Section(out, 0, u"ウィンドウ", form.windows, [&](const WindowDef& w) {
      out.Header(1, w.name);
      Def(out, 1, u"サブクラス情報");
      Def(out, 1, u"コメント");
      Set(out, 1, u"タイトル", w.title);
      Set(out, 1, u"主キャンバス", w.canvas);
      Def(out, 1, u"水平ツールバー・キャンバス");
      Set(out, 1, u"ウィンドウ・スタイル", w.style);
      Set(out, 1, u"モーダル", YesNo(w.modal));
      Def(out, 1, u"閉じる許可", u"はい");
      Def(out, 1, u"移動許可", u"はい");
      Def(out, 1, u"サイズ変更許可", u"はい");
      Def(out, 1, u"最小化許可", u"はい");
      Def(out, 1, u"X位置", u"0");
      Def(out, 1, u"Y位置", u"0");
      Set(out, 1, u"幅", Number(w.width));
      Set(out, 1, u"高さ", Number(w.height));
    });
  }
  if (!form.triggers.empty()) {
    out.Separator(0);
    WriteTriggers(out, 0, form.triggers);
  }
}

std::u16string WriteForm(const FormDef& form) {
  ReportWriter out;
  WriteFormHead(out, form);
  for (std::size_t i = 0; i < form.blocks.size(); ++i) WriteBlock(out, form.blocks[i], i == 0);
  WriteFormTail(out, form);
  return out.Take();
}

}  // namespace tarnwick::gen
