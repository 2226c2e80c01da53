// Generated, mutated and sample reports read back through the report parser
// into the shape a real module gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_parser.h"
#include "text/utf8.h"
#include "tools/generator/report_generator.h"
#include "tools/generator/sample_forms.h"

namespace tarnwick {
namespace {

CollectionPtr Parse(std::u16string_view text) {
  CollectionPtr tree = ParseReport(text);
  return tree;
}

const clsItem& Child(const Collection& collection, std::u16string_view key) {
  const clsItem* item = collection.Find(key);
  if (item == nullptr) throw std::runtime_error("no node " + ToUtf8(key));
  return *item;
}

const Collection& Module(const CollectionPtr& tree) {
  if (!tree || tree->Count() != 1 || tree->At(1).Key != u"ﾌｫｰﾑ")
    throw std::runtime_error("no ﾌｫｰﾑ");
  const Collection& modules = tree->At(1).Children();
  if (modules.Count() != 1) throw std::runtime_error("not one module");
  return modules.At(1).Children();
}

struct Counts {
  std::size_t blocks = 0, items = 0, triggers = 0;
};

// Every trigger holds exactly its six properties: its text swallowed no
// property after it, and no property was lost before it.
void CheckTriggers(const Collection& object, Counts& counts) {
  static const std::vector<std::u16string> kTriggerKeys = {
      u"サブクラス情報",         u"コメント", u"トリガー・スタイル", u"トリガー・テキスト",
      u"問合せ入力モードで起動", u"実行階層"};
  const clsItem* triggers = object.Find(u"トリガー");
  if (triggers == nullptr) return;
  ASSERT_TRUE(triggers->IsCollection());
  for (const clsItem& trigger : triggers->Children()) {
    ++counts.triggers;
    std::vector<std::u16string> keys;
    for (const clsItem& property : trigger.Children()) keys.emplace_back(property.Key);
    ASSERT_EQ(keys, kTriggerKeys) << ToUtf8(trigger.Key);
    const std::u16string_view text = Child(trigger.Children(), u"トリガー・テキスト").Text();
    EXPECT_EQ(text.find(u"問合せ入力モードで起動"), std::u16string::npos);
  }
}

Counts CheckModule(const CollectionPtr& tree) {
  Counts counts;
  const Collection& module = Module(tree);
  for (const clsItem& block : Child(module, u"ブロック").Children()) {
    ++counts.blocks;
    const Collection& properties = block.Children();
    EXPECT_TRUE(Child(properties, u"WHERE句").IsText());
    EXPECT_TRUE(Child(properties, u"挿入可能").IsText());
    for (const clsItem& item : Child(properties, u"項目").Children()) {
      ++counts.items;
      EXPECT_TRUE(Child(item.Children(), u"項目タイプ").IsText()) << ToUtf8(item.Key);
      CheckTriggers(item.Children(), counts);
    }
    CheckTriggers(properties, counts);
  }
  CheckTriggers(module, counts);
  return counts;
}

TEST(GeneratedReportParse, ModuleWithBlocksItemsAndWholeTriggerTexts) {
  GeneratorOptions options;
  options.targetBytes = 600'000;
  options.moduleName = u"ORDER_ENTRY";
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    options.seed = seed;
    const CollectionPtr tree = Parse(GenerateReportText(options));
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->At(1).Children().At(1).Key, u"ORDER_ENTRY");
    const Counts counts = CheckModule(tree);
    EXPECT_GE(counts.blocks, 10u);
    EXPECT_GE(counts.items, 100u);
    EXPECT_GE(counts.triggers, 100u);
    const Collection& module = Module(tree);
    for (std::u16string_view section :
         {u"連結ﾗｲﾌﾞﾗﾘ", u"アラート", u"キャンバス", u"LOV", u"プログラム・ユニット",
          u"レコード・グループ", u"ウィンドウ", u"ポップアップ・メニュー"}) {
      EXPECT_TRUE(Child(module, section).IsCollection()) << ToUtf8(section);
    }
  }
}

TEST(GeneratedReportParse, MutatedVersionsStayReadableWithTheSameBlocks) {
  GeneratorOptions options;
  options.targetBytes = 400'000;
  const std::u16string text = GenerateReportText(options);
  const Counts original = CheckModule(Parse(text));
  for (double fraction : {0.01, 0.05, 0.2}) {
    for (std::uint64_t seed : {1u, 2u}) {
      const Counts mutated = CheckModule(Parse(MutateReportText(text, fraction, seed)));
      EXPECT_EQ(mutated.blocks, original.blocks);
      EXPECT_NEAR(static_cast<double>(mutated.items), static_cast<double>(original.items), 10.0);
    }
  }
}

TEST(SampleReportParse, EverySampleReadsIntoItsModule) {
  for (int release : {1, 2}) {
    for (const SampleReport& report : SampleReports(release)) {
      const CollectionPtr tree = Parse(report.text);
      const std::u16string name = report.fileName.substr(0, report.fileName.find(u'.'));
      ASSERT_TRUE(tree) << ToUtf8(name);
      EXPECT_EQ(tree->At(1).Children().At(1).Key, name);
      const Counts counts = CheckModule(tree);
      EXPECT_GE(counts.items, 3u) << ToUtf8(name);
      EXPECT_GE(counts.triggers, 2u) << ToUtf8(name);
    }
  }
}

TEST(SampleReportParse, TextsAndSpecialSectionsComeOutAsWritten) {
  const std::vector<SampleReport> v1 = SampleReports(1);
  const CollectionPtr customerTree = Parse(v1[1].text);
  const Collection& customers = Module(customerTree);
  const Collection& block =
      Child(Child(customers, u"ブロック").Children(), u"CUSTOMERS").Children();
  const Collection& zip = Child(Child(block, u"項目").Children(), u"ZIP_CODE").Children();
  const Collection& postChange =
      Child(Child(zip, u"トリガー").Children(), u"POST-CHANGE").Children();
  EXPECT_EQ(Child(postChange, u"トリガー・テキスト").Text(),
            u"\r\n"
            u"-- 郵便番号から住所を補完する\r\n"
            u"IF :CUSTOMERS.ADDRESS1 IS NULL THEN\r\n"
            u"  :CUSTOMERS.ADDRESS1 := ZIP_TO_ADDRESS(:CUSTOMERS.ZIP_CODE);\r\n"
            u"END IF;");
  EXPECT_EQ(Child(block, u"オプティマイザ・ヒント").Text(),
            u"/*+ INDEX(CUSTOMERS CUSTOMERS_PK) */");

  const Collection& terms = Child(Child(block, u"項目").Children(), u"PAYMENT_TERMS").Children();
  const Collection& elements =
      Child(Child(terms, u"リスト内の要素").Children(), u"リスト内の要素").Children();
  EXPECT_EQ(Child(elements, u"02").Text(), u"20日締め翌月10日払い");
  EXPECT_EQ(elements.Count(), 3u);

  // A one-line menu code shares its line with the icon property.
  const CollectionPtr menuTree = Parse(v1[2].text);
  const Collection& menu = Module(menuTree);
  const Collection& items =
      Child(Child(Child(menu, u"ポップアップ・メニュー").Children(), u"PM_MAIN").Children(),
            u"メニュー項目")
          .Children();
  EXPECT_EQ(Child(items.Find(u"ORDER")->Children(), u"メニュー項目コード").Text(),
            u"CALL_FORM('ORDER_ENTRY'); ");
  EXPECT_EQ(Child(items.Find(u"ORDER")->Children(), u"メニューのアイコン").Text(), u"いいえ");
  EXPECT_EQ(Child(items.Find(u"QUIT")->Children(), u"メニュー項目コード").Text(),
            u"\r\nIF SHOW_ALERT('ALERT_CONFIRM') = ALERT_BUTTON1 THEN\r\n  "
            u"EXIT_FORM(NO_VALIDATE);\r\nEND IF;");

  const std::vector<SampleReport> v2 = SampleReports(2);
  const CollectionPtr customerTree2 = Parse(v2[1].text);
  const Collection& customerItems2 =
      Child(Child(Child(Module(customerTree2), u"ブロック").Children(), u"CUSTOMERS").Children(),
            u"項目")
          .Children();
  EXPECT_FALSE(customerItems2.Contains(u"FAX_NO"));
  EXPECT_TRUE(Child(customerItems2.Find(u"DELETE_FLG")->Children(), u"トリガー")
                  .Children()
                  .Contains(u"WHEN-CHECKBOX-CHANGED"));

  const CollectionPtr orderTree = Parse(v2[0].text);
  const Collection& orders = Module(orderTree);
  const Collection& lines = Child(Child(orders, u"ブロック").Children(), u"ORDER_LINES").Children();
  EXPECT_TRUE(Child(lines, u"項目").Children().Contains(u"DISCOUNT_AMOUNT"));
  const Collection& header = Child(Child(orders, u"ブロック").Children(), u"ORDERS").Children();
  EXPECT_EQ(Child(header, u"WHERE句").Text(), u"DELETE_FLG = '0'\r\nAND STATUS <> 'C'");
  EXPECT_EQ(Child(Child(header, u"項目").Children().Find(u"DELIVERY_DATE")->Children(), u"参照情報")
                .Text(),
            u"         o 参照元モジュール                      COMMON_OLB\r\n"
            u"         o 参照元モジュールのタイプ              オブジェクト・ライブラリ\r\n"
            u"         o 参照元オブジェクト                    STD_DATE_ITEM\r\n"
            u"         o 参照元オブジェクトのタイプ            項目");
}

}  // namespace
}  // namespace tarnwick
