// The review pages as a reader sees them, in headless Chromium: the charset
// is honoured, folds open in place, "n" and "p" move between changes, summary
// links survive moving the output folder, and nothing from a report can
// inject markup or script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "diff/change_counts.h"
#include "diff/tree_compare.h"
#include "pages/page_file.h"
#include "review/review_compare.h"
#include "review/review_search.h"
#include "tests/browser/headless_browser.h"
#include "tests/runs_fixture.h"
#include "tests/tree_builders.h"

namespace tarnwick {
namespace {

using testing::FileUrl;
using testing::Obj;
using testing::Prop;
using testing::RunInBrowser;
using testing::ScratchFolder;

void WriteUtf8(const std::u16string& path, std::u16string_view text) {
  PageWriter page(path, PageEncoding::kUtf8);
  page.Write(text);
  page.Commit();
}

// A trigger text of `count` lines "  STEP_k := k;", CR LF between them.
std::u16string Steps(int count, int changed = 0) {
  std::u16string text;
  for (int k = 1; k <= count; ++k) {
    if (k > 1) text += u"\r\n";
    const std::u16string n = FromUtf8(std::to_string(k));
    text += u"  STEP_" + n + u" := " + (k == changed ? n + u"0" : n) + u";";
  }
  return text;
}

std::filesystem::path WriteComparison(const ScratchFolder& scratch, const clsItem& node1,
                                      const clsItem& node2) {
  ReviewComparePage page({});
  ChangeCounter counter(page);
  counter.Title(u"/old/FORM1.txt", 1);
  counter.Title(u"/new/FORM1.txt", 2);
  PathStacks stacks;
  const bool diffFound = CompareNodes(node1, node2, stacks, counter, true, {});
  const std::u16string path = scratch.Folder() + u"page.html";
  WriteUtf8(path, page.Page(u"FORM1.TXT", counter.Counts(), diffFound));
  return NativePath(path);
}

TEST(ReviewInBrowser, CharsetIsHonouredAndJapaneseShows) {
  const ScratchFolder scratch;
  const clsItem side1 =
      Obj(u"", {Obj(u"ブロック", {Obj(u"受注", {Prop(u"ヒント", u"納期を入力")})})});
  const clsItem side2 =
      Obj(u"", {Obj(u"ブロック", {Obj(u"受注", {Prop(u"ヒント", u"希望納期を入力")})})});
  const auto page = WriteComparison(scratch, side1, side2);
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), R"(
log('charset',d.characterSet);log('title',d.title);
log('heading',d.querySelector('h3').textContent);
log('old',d.querySelector('.p del').textContent);log('new',d.querySelector('.p ins').textContent);
log('marked',d.querySelector('.p ins em').textContent);
var r=d.createRange();r.selectNodeContents(d.querySelector('h3'));log('wide',r.getBoundingClientRect().width>30);
log('labels',[w.getComputedStyle(d.querySelector('.p del'),'::before').content,
  w.getComputedStyle(d.querySelector('.p ins'),'::before').content]);
var row=d.createRange();row.selectNodeContents(d.querySelector('.p'));w.getSelection().addRange(row);
log('copied',w.getSelection().toString());
finish();)");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("charset"), R"("UTF-8")");
  EXPECT_EQ(seen.at("title"), R"("比較: FORM1.TXT")");
  EXPECT_EQ(seen.at("heading"), R"("受注")");
  EXPECT_EQ(seen.at("old"), R"("納期を入力")");
  EXPECT_EQ(seen.at("new"), R"("希望納期を入力")");
  EXPECT_EQ(seen.at("marked"), R"("希望")") << "the changed characters are pointed at";
  EXPECT_EQ(seen.at("wide"), "true");
  EXPECT_EQ(seen.at("labels"), R"(["\"旧\"","\"新\""])") << "each value names its side";
  EXPECT_EQ(seen.at("copied"), R"("ヒント納期を入力 → 希望納期を入力")")
      << "a copied row takes the values without their labels";
}

TEST(ReviewInBrowser, FoldedContextOpensInPlace) {
  const ScratchFolder scratch;
  const clsItem side1 = Obj(u"", {Obj(u"T", {Prop(u"トリガー・テキスト", Steps(20))})});
  const clsItem side2 = Obj(u"", {Obj(u"T", {Prop(u"トリガー・テキスト", Steps(20, 10))})});
  const auto page = WriteComparison(scratch, side1, side2);
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), R"(
var folds=d.querySelectorAll('details.f');log('folds',folds.length);
var first=folds[0];log('hiddenLines',first.querySelectorAll('span').length);
log('caption',first.querySelector('summary').textContent);
var shown=[].map.call(d.querySelectorAll('.h>span'),function(s){return s.textContent});log('context',shown);
first.addEventListener('toggle',function(){
  var lines=[].map.call(first.querySelectorAll('span'),function(s){return s.textContent});
  log('opened',lines);log('visible',first.querySelector('span').offsetHeight>0);finish()});
first.querySelector('summary').click();)");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("folds"), "2");
  EXPECT_EQ(seen.at("hiddenLines"), "0") << "folded lines are not in the page until opened";
  EXPECT_EQ(seen.at("caption"), R"("7")");
  EXPECT_EQ(seen.at("context"),
            R"(["  STEP_8 := 8;","  STEP_9 := 9;","  STEP_11 := 11;","  STEP_12 := 12;"])");
  EXPECT_EQ(seen.at("opened"),
            R"(["  STEP_1 := 1;","  STEP_2 := 2;","  STEP_3 := 3;","  STEP_4 := 4;",)"
            R"("  STEP_5 := 5;","  STEP_6 := 6;","  STEP_7 := 7;"])");
  EXPECT_EQ(seen.at("visible"), "true");
}

TEST(ReviewInBrowser, NAndPMoveBetweenChanges) {
  const ScratchFolder scratch;
  // Three changes, the last far below a long added text.
  const clsItem side1 =
      Obj(u"", {Obj(u"A", {Prop(u"P", u"1")}), Obj(u"B", {Prop(u"トリガー・テキスト", Steps(30))}),
                Obj(u"C", {Prop(u"Q", u"x")})});
  const clsItem side2 =
      Obj(u"", {Obj(u"A", {Prop(u"P", u"2")}),
                Obj(u"B", {Prop(u"トリガー・テキスト", Steps(30, 15)), Prop(u"長文", Steps(300))}),
                Obj(u"C", {Prop(u"Q", u"y")})});
  const auto page = WriteComparison(scratch, side1, side2);
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), R"(
key(d,'n');log('first',w.location.hash);log('firstSeen',seen(w,d.querySelector(':target')));
key(d,'n');key(d,'n');key(d,'n');key(d,'n');log('last',w.location.hash);
log('lastSeen',seen(w,d.getElementById('c4')));log('position',d.getElementById('pos').textContent);
key(d,'p');log('back',w.location.hash);
d.getElementById('next').click();log('link',w.location.hash);
var box=d.createElement('input');d.body.appendChild(box);box.focus();
box.dispatchEvent(new KeyboardEvent('keydown',{key:'p',bubbles:true}));log('typing',w.location.hash);
finish();)");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("first"), R"("#c1")");
  EXPECT_EQ(seen.at("firstSeen"), "true");
  EXPECT_EQ(seen.at("last"), R"("#c4")") << "c1 P, c2 the trigger line, c3 the added text, c4 Q";
  EXPECT_EQ(seen.at("lastSeen"), "true") << "the page scrolled to the change";
  EXPECT_EQ(seen.at("position"), R"("4 / 4")");
  EXPECT_EQ(seen.at("back"), R"("#c3")");
  EXPECT_EQ(seen.at("link"), R"("#c4")");
  EXPECT_EQ(seen.at("typing"), R"("#c4")") << "keys typed into a box do not move";
}

// Lines "  A_k := k;" for k = 1..count; `renamed` of them from the top as
// "  B_k := k;", and line `zeroed` with 0 for its value.
std::u16string Assignments(int count, int renamed, int zeroed) {
  std::u16string text;
  for (int k = 1; k <= count; ++k) {
    if (k > 1) text += u"\r\n";
    const std::u16string n = FromUtf8(std::to_string(k));
    text += (k <= renamed ? u"  B_" : u"  A_") + n + u" := " + (k == zeroed ? u"0" : n) + u";";
  }
  return text;
}

// Where a change lands after "n" or "p": below the sticky bar, with the name
// of its property in view, and its object's heading too when both fit (else
// the bar names the object). `label` and the frame's width vary the bar.
constexpr const char* kLandingCheck = R"(
var bar=d.getElementById('bar'),total=d.querySelectorAll('main [id^=c]').length,n=0,res=[];
function below(e){return e.getBoundingClientRect().top>=bar.getBoundingClientRect().bottom-0.5}
function inView(e){return below(e)&&e.getBoundingClientRect().bottom<=w.innerHeight+0.5}
function head(t){var h=t.closest('main>*');while(h&&!/^H[34]$/.test(h.tagName))h=h.previousElementSibling;return h}
function look(){var t=d.querySelector(':target'),box=t.closest('main>*'),h=head(t);
var name=box==t?t.querySelector('b'):box.querySelector('b');
res.push(t.id+(below(t)?' below':'')+(inView(name)?' name':'')+
(inView(h)?' heading':d.getElementById('at').textContent==h.textContent?' named':' at='+d.getElementById('at').textContent))}
function bad(){return res.filter(function(r){return !/^c[0-9]+ below name (heading|named)$/.test(r)})}
function round(k,then){n=0;res=[];(function one(){if(n++<total-1||(k=='n'&&n==total)){key(d,k);
setTimeout(function(){look();one()},50)}else then()})()}
log('wideBar',bar.offsetHeight);
round('n',function(){log('wide',res);log('wideBad',bad());f.style.width='380px';
setTimeout(function(){log('narrowBar',bar.offsetHeight);
round('p',function(){log('narrow',res);log('narrowBad',bad());finish()})},200)});
)";

TEST(ReviewInBrowser, NAndPLandBelowTheBarWithTheObjectAndPropertyInView) {
  const ScratchFolder scratch;
  std::vector<std::u16string> names;
  for (int k = 0; k < 30; ++k) names.push_back(u"Q" + FromUtf8(std::to_string(k)));
  const auto tree = [&](int side) {
    CollectionPtr many = NewCollection();
    for (const std::u16string& name : names) many->Add(Prop(name, side == 1 ? u"old" : u"new"));
    return Obj(
        u"", {Obj(u"ブロック",
                  {Obj(u"A", {Prop(u"P", side == 1 ? u"1" : u"2")}),
                   Obj(u"B", {Prop(u"トリガー・テキスト", Steps(30, side == 1 ? 0 : 15))}),
                   Obj(u"D", {Prop(u"トリガー・テキスト", side == 1 ? Assignments(120, 0, 0)
                                                                    : Assignments(120, 100, 115))}),
                   CollectionNode(u"E", many)})});
  };
  const auto page = WriteComparison(scratch, tree(1), tree(2));
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), kLandingCheck);
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  // c1 P of A; c2 B's changed line; c3 the renamed lines of D, c4 D's line
  // 115 some 200 lines further; c5..c34 the properties of E.
  EXPECT_EQ(seen.at("wideBad"), "[]") << seen.at("wide");
  const std::string wide = seen.at("wide");
  for (const char* near : {"c1", "c2", "c3", "c5", "c6"}) {
    EXPECT_NE(wide.find("\"" + std::string(near) + " below name heading\""), std::string::npos)
        << near << " lands with its object's heading in view: " << wide;
  }
  EXPECT_NE(wide.find("\"c4 below name named\""), std::string::npos)
      << "far down a long listing: its caption sticks below the bar, the bar names the object";
  EXPECT_NE(wide.find("\"c34 below name named\""), std::string::npos) << wide;
  EXPECT_GT(std::stoi(seen.at("narrowBar")), std::stoi(seen.at("wideBar")) * 3 / 2)
      << "the narrow frame wraps the bar";
  EXPECT_EQ(seen.at("narrowBad"), "[]") << "p, under the taller bar: " << seen.at("narrow");
}

TEST(ReviewInBrowser, ValuesCannotInjectMarkupOrScript) {
  const ScratchFolder scratch;
  const std::u16string img = u"<img src=x onerror=\"parent.pwned=1\">";
  const clsItem side1 =
      Obj(u"", {Obj(img, {Prop(img, u"<script>parent.pwned=2</script>"),
                          Prop(u"テキスト", u"a\r\n</div><script>parent.pwned=3</script>\r\nb")})});
  const clsItem side2 =
      Obj(u"", {Obj(img, {Prop(img, u"</del><script>parent.pwned=4</script>'\"&amp;"),
                          Prop(u"テキスト", u"a\r\n<!-- x --><b>\r\nb")})});
  const auto page = WriteComparison(scratch, side1, side2);
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), R"(
log('pwned',String(parent.pwned)+String(w.pwned));
log('images',d.querySelectorAll('img').length);
log('scripts',[].filter.call(d.scripts,function(s){return s.id!='folds'}).length);
log('heading',d.querySelector('h3').textContent);
log('old',d.querySelector('.p del').textContent);log('new',d.querySelector('.p ins').textContent);
log('lines',[].map.call(d.querySelectorAll('.h>del,.h>ins'),function(s){return s.textContent}));
finish();)");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("pwned"), R"("undefinedundefined")");
  EXPECT_EQ(seen.at("images"), "0");
  EXPECT_EQ(seen.at("scripts"), "1");
  EXPECT_EQ(seen.at("heading"), R"("<img src=x onerror=\"parent.pwned=1\">")");
  EXPECT_EQ(seen.at("old"), R"("<script>parent.pwned=2</script>")");
  EXPECT_EQ(seen.at("new"), R"("</del><script>parent.pwned=4</script>'\"&amp;")");
  EXPECT_EQ(seen.at("lines"), R"(["</div><script>parent.pwned=3</script>","<!-- x --><b>"])");
}

TEST(ReviewInBrowser, SearchHitsAreMarkedWithinTheLine) {
  const ScratchFolder scratch;
  const CollectionPtr tree = testing::Items(
      {Obj(u"ﾌｫｰﾑ", {Obj(u"F", {Prop(u"WHERE句", u"STATUS = 'A'\r\nAND where_flg = 1")})})});
  const SearchQuery query = MakeSearchQuery({{{u"WHERE", true}, {}, {}}}, true, true, true);
  ReviewSearchPage page;
  const SearchResult found = MakeSearch(query, tree.get(), u"/r/F.txt", page);
  const std::u16string path = scratch.Folder() + u"search.html";
  WriteUtf8(path, page.Page(u"F.TXT", found.hits));
  const auto seen = RunInBrowser(NativePath(scratch.Folder()), FileUrl(NativePath(path)), R"(
log('hits',[].map.call(d.querySelectorAll('mark[id] em'),function(e){return e.textContent}));
log('condition',d.querySelector('header mark').textContent);
key(d,'n');log('first',w.location.hash);finish();)");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("hits"), R"(["where"])") << "found ignoring case, shown as written";
  EXPECT_EQ(seen.at("condition"), R"("WHERE")");
  EXPECT_EQ(seen.at("first"), R"("#c1")");
}

TEST(ReviewInBrowser, DarkModeTurnsThePageDark) {
  const ScratchFolder scratch;
  const clsItem side1 = Obj(u"", {Obj(u"A", {Prop(u"P", u"1")})});
  const clsItem side2 = Obj(u"", {Obj(u"A", {Prop(u"P", u"2")})});
  const auto page = WriteComparison(scratch, side1, side2);
  const std::string check = R"(
var s=w.getComputedStyle(d.body);log('background',s.backgroundColor);log('text',s.color);finish();)";
  const auto light = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), check);
  const auto dark = RunInBrowser(NativePath(scratch.Folder()), FileUrl(page), check, true);
  ASSERT_EQ(light.count("error") + dark.count("error"), 0u);
  EXPECT_EQ(light.at("background"), R"x("rgb(255, 255, 255)")x");
  EXPECT_EQ(dark.at("background"), R"x("rgb(23, 25, 29)")x");
  EXPECT_EQ(dark.at("text"), R"x("rgb(228, 228, 230)")x");
}

// A folder run from the command line with a relative output folder; the
// folder is then moved, as a reviewer would zip or copy it.
TEST(ReviewInBrowser, SummaryLinksLeadToThePagesAfterTheFolderMoves) {
  const ScratchFolder scratch;
  const std::filesystem::path root = NativePath(scratch.Folder());
  const std::filesystem::path samples = std::filesystem::path(TARNWICK_SOURCE_DIR) / "samples";
  std::filesystem::create_directories(root / "v1");
  std::filesystem::create_directories(root / "v2");
  std::filesystem::create_directories(root / "out");
  std::filesystem::copy(samples / "v1" / "ORDER_ENTRY.txt", root / "v1" / "ORDER_ENTRY.txt");
  std::filesystem::copy(samples / "v2" / "ORDER_ENTRY.txt", root / "v2" / "ORDER_ENTRY.txt");
  // A hostile name on both sides, and a report of side 2 only.
  const std::string hostile = "a\"<b>&'#%20.txt";
  std::filesystem::copy(samples / "v1" / "MAIN_MENU.txt", root / "v1" / hostile);
  std::filesystem::copy(samples / "v2" / "MAIN_MENU.txt", root / "v2" / hostile);
  std::filesystem::copy(samples / "v2" / "SHIPMENT_INQUIRY.txt", root / "v2" / "SHIPMENT.txt");
  const std::string command =
      "cd " + testing::ShellWord(root.string()) + " && " + testing::ShellWord(TARNWICK_CLI_PATH) +
      " diff --quiet --set SRC_PATH1=v1 --set 'SRC_FILE1=*.txt' --set SRC_PATH2=./v2/ --set "
      "'SRC_FILE2=*.txt' --set OUTPUT_PATH=out --set OUTPUT_FILE=index --set DIFF_ONLY=True "
      "--set PAGE_STYLE=REVIEW 2>/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::filesystem::rename(root / "out", root / "moved");

  const auto seen = RunInBrowser(root, FileUrl(root / "moved" / "index.html"), R"(
if(step==1){window.links=[].map.call(d.querySelectorAll('tbody a'),function(a){return a.href});
  window.titles=[];window.names=[].map.call(d.querySelectorAll('tbody tr td:first-child'),
  function(c){return c.textContent});log('names',names);window.next=0}
else titles.push(d.title);
if(next<links.length)f.src=links[next++];else{log('titles',titles);finish()})");
  ASSERT_EQ(seen.count("error"), 0u) << seen.at("error");
  EXPECT_EQ(seen.at("names"), R"(["A\"<B>&'#%20.TXT","ORDER_ENTRY.TXT","SHIPMENT.TXT"])");
  EXPECT_EQ(seen.at("titles"),
            R"(["比較: A\"<B>&'#%20.TXT","比較: ORDER_ENTRY.TXT","比較: SHIPMENT.TXT"])")
      << "every link, the one-sided report's too, opens its page";
}

}  // namespace
}  // namespace tarnwick
