#include "review/review_page.h"

#include <span>

#include "review/fold_pack.h"
#include "review/html_text.h"
#include "text/utf8.h"

namespace tarnwick {
namespace {

// The style and the script carry the page's words as @@name@@; nothing else
// in them holds "@@".
struct Fill {
  std::u16string_view name;
  std::u16string_view words;
};

void AppendFilled(std::u16string& out, std::u16string_view text, std::span<const Fill> fills) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t open = text.find(u"@@", at);
    const std::size_t close = open == text.npos ? text.npos : text.find(u"@@", open + 2);
    if (close == text.npos) {
      out += text.substr(at);
      return;
    }
    out += text.substr(at, open - at);
    const std::u16string_view name = text.substr(open + 2, close - open - 2);
    for (const Fill& fill : fills) {
      if (fill.name == name) out += fill.words;
    }
    at = close + 2;
  }
}

// Side 1 keeps the classic pages' yellow and side 2 their cyan: a pair that
// colour-blind readers tell apart too, and every mark also carries a symbol.
// Marks inside listings are ASCII, so that monospace columns stay aligned.
constexpr std::u16string_view kStyle =
    uR"CSS(
@counter-style p{system:extends decimal;pad:5 " "}
:root{color-scheme:light dark;--fg:#1d1d1f;--bg:#fff;--mute:#6a6a6a;--rule:#d6d6d6;--box:#f6f6f6;
--s1:#fff4b8;--e1:#f5cf35;--s2:#d6f4fb;--e2:#71d3ee;--hit:#ffe0ea;--eh:#f59ab5;--ign:#ececec;--link:#0b57d0}
@media (prefers-color-scheme:dark){:root{--fg:#e4e4e6;--bg:#17191d;--mute:#a0a4aa;--rule:#3b4048;--box:#20242a;
--s1:#473c0c;--e1:#8c7512;--s2:#0e3a45;--e2:#1a7690;--hit:#4d1d2c;--eh:#93345a;--ign:#2a2e35;--link:#8ab4f8}}
*{box-sizing:border-box}
body{margin:0;padding:0 1rem 3rem;font:15px/1.5 system-ui,"IPAGothic","IPAPGothic",sans-serif;color:var(--fg);background:var(--bg)}
a{color:var(--link)}
#bar{position:sticky;top:0;z-index:2;display:flex;flex-wrap:wrap;gap:.4rem 1rem;align-items:center;padding:.35rem 0;background:var(--bg);border-bottom:1px solid var(--rule);font-size:14px}
#bar button{font:inherit}#at{color:var(--mute);overflow:hidden;text-overflow:ellipsis;white-space:nowrap;max-width:45ch}
kbd{border:1px solid var(--rule);border-radius:3px;padding:0 .3em;font-size:12px}
h1{font-size:1.35rem;margin:.8rem 0 .3rem}
h2{font-size:13px;font-weight:normal;color:var(--mute);margin:1.2rem 0 0;overflow-wrap:anywhere}
h2.o{font-size:1.1rem;font-weight:bold;color:inherit;margin:1.4rem 0 .3rem}
h3,h4{font-size:1rem;margin:1.1rem 0 .2rem;padding-top:.3rem;border-top:1px solid var(--rule);overflow-wrap:anywhere}
h4{margin-left:1.5rem;border-top-style:dotted}
.path{color:var(--mute);font-weight:normal;font-size:13px}
.m{display:inline-block;min-width:1.3em;text-align:center;border-radius:3px;margin-right:.3em;font-family:ui-monospace,monospace}
.add>.m,.m.add{background:var(--e2)}.del>.m,.m.del{background:var(--e1)}.chg>.m,.m.chg{background:var(--ign)}
table.t{border-collapse:collapse;margin:.3rem 0}
.t th,.t td{border:1px solid var(--rule);padding:.15rem .5rem;text-align:left;vertical-align:top;overflow-wrap:anywhere}
.t td.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
.t tr.err>td{background:var(--hit)}.m.err{background:var(--eh)}
.t thead th{background:var(--box)}
.legend,.counts,.opts,.stamp{margin:.3rem 0;font-size:14px}
.legend>*{margin-right:.8rem;white-space:nowrap}
.same{font-size:1.1rem;padding:1rem;border:1px solid var(--rule);background:var(--box)}
code,.v,.h{font-family:ui-monospace,"IPAGothic",monospace;font-size:13px}
.v{white-space:pre-wrap;overflow-wrap:anywhere}
del,ins,mark{text-decoration:none;color:inherit}
.p{margin:.25rem 0 .25rem 1.5rem}.p>b{margin-right:.6em}
.p>del,.p>ins,.p>mark{padding:0 .2em;border-radius:2px}
del,del.v{background:var(--s1)}ins,ins.v{background:var(--s2)}mark{background:var(--hit)}
del em{background:var(--e1)}ins em{background:var(--e2)}mark em{background:var(--eh)}
em{font-style:normal;border-bottom:2px solid currentColor}
.p>del::before,.p>ins::before{display:inline-block;margin:0 .45em 0 -.2em;padding:0 .35em;border-radius:2px 0 0 2px;font:bold 12px/1.45 system-ui,"IPAGothic",sans-serif;vertical-align:1px;user-select:none}
.p>del::before{content:var(--old);background:var(--e1)}.p>ins::before{content:var(--new);background:var(--e2)}.p.o>*::before{content:none}
.h{white-space:pre-wrap;overflow-wrap:anywhere;counter-reset:a b;border:1px solid var(--rule);border-radius:3px;margin:.3rem 0 .5rem 1.5rem;padding:0 0 .1rem}
.h>b{display:block;position:sticky;top:var(--bar,0);z-index:1;padding:.1rem .5rem;margin-bottom:.1rem;background:var(--box);border-bottom:1px solid var(--rule);font-family:system-ui,"IPAGothic",sans-serif;font-size:14px}
.h.add>b::after{content:" + @@side2@@";font-weight:normal;color:var(--mute)}.h.del>b::after{content:" \2212  @@side1@@";font-weight:normal;color:var(--mute)}
.h>span,.h>del,.h>ins,.h>mark,.f>span{display:block;padding-left:14ch;text-indent:-14ch;min-height:1.5em;position:relative}
.h>span,.f>span{counter-increment:a b}.h>del{counter-increment:a}.h>ins{counter-increment:b}
.h>span::before,.f>span::before{content:counter(a,p) " " counter(b,p) "   ";color:var(--mute)}
.h>del::before{content:counter(a,p) "       - "}.h>ins::before{content:"      " counter(b,p) " + "}
.h>del.x,.h>ins.x{background:var(--ign)}.h>del.x::before{content:counter(a,p) "       ~ "}.h>ins.x::before{content:"      " counter(b,p) " ~ "}
.h.g>span,.h.g>mark,.g .f>span{padding-left:9ch;text-indent:-9ch;counter-increment:a}
.h.g>span::before,.g .f>span::before{content:counter(a,p) "    ";color:var(--mute)}.h.g>mark::before{content:counter(a,p) " >  "}
.f>summary{cursor:pointer;color:var(--mute);padding-left:14ch;list-style:none;font-family:system-ui,sans-serif;font-size:12px}
.g .f>summary{padding-left:9ch}
.f>summary::before{content:"\22EF  @@unchanged@@"}.f[open]>summary::before{content:"\25BE  @@unchanged@@"}
.g .f>summary::before{content:"\22EF  @@notMatching@@"}.g .f[open]>summary::before{content:"\25BE  @@notMatching@@"}
.f>summary::after{content:"@@lines@@"}
.f:not([open]){counter-increment:a var(--n) b var(--n)}.g .f:not([open]){counter-increment:a var(--n)}
main{counter-reset:c}[id^=c]{counter-increment:c}
.h>del[id^=c],.h.g>mark[id^=c]{counter-increment:a c}.h>ins[id^=c]{counter-increment:b c}
[id^=c]::after{content:"#" counter(c);position:absolute;right:.4rem;top:0;color:var(--mute);font:11px system-ui,sans-serif;text-indent:0}
.p[id^=c],h3[id^=c],h4[id^=c]{position:relative;padding-right:3rem}
:is(h3,h4):is(.chg,.add,.del)::before{display:inline-block;min-width:1.3em;text-align:center;border-radius:3px;margin-right:.4em;font-family:ui-monospace,monospace}
:is(h3,h4).chg::before{background:var(--ign)}
:is(h3,h4).add::before{content:"+";background:var(--e2)}:is(h3,h4).del::before{content:"\2212";background:var(--e1)}
h2+h3{margin-top:.1rem}
[id]{scroll-margin-top:calc(var(--bar,2.5rem) + .5rem)}
:target{outline:2px solid var(--link);outline-offset:1px}
details.u{margin:.2rem 0 .2rem 1.5rem}details.u>summary{cursor:pointer;color:var(--mute);font-size:13px}
.q{margin:.1rem 0 .1rem 1rem}
.toc ol{margin:.2rem 0;padding-left:2.2rem;columns:24rem auto;column-gap:3rem}.toc li{break-inside:avoid;overflow-wrap:anywhere}
.toc>summary{cursor:pointer;font-weight:bold}
@media print{#bar,.noprint{display:none}body{padding:0;font-size:11pt}a{color:inherit}.h>b{position:static}
h3,h4,.p{break-inside:avoid-page}h3,h4{break-after:avoid-page}:target{outline:none}
.h,.t th,.t td{border-color:#999}}
)CSS";

// The words of the marks, kept together. Labels of single-line values name
// the side outside the value (a "−" or "+" there read as the number's sign);
// they are generated content, so copying a value never takes them along.
constexpr std::u16string_view kMarkWords =
    uR"CSS(:root{--old:"@@old@@";--new:"@@new@@"}
:is(h3,h4).chg::before{content:"\B1";content:"\B1"/"@@changed@@"}
)CSS";

// Only pages that show ignored differences carry their style, so that other
// pages stay as they were.
constexpr std::u16string_view kIgnoredStyle =
    uR"CSS(.i>del,.i>ins{background:var(--ign)}.i em{background:none}
.im{margin-left:.6em;padding:0 .4em;border:1px solid var(--rule);border-radius:3px;color:var(--mute);font:12px system-ui,"IPAGothic",sans-serif}
)CSS";

// Lines of a listing moved to another place of it: neither side's colour.
constexpr std::u16string_view kMovedStyle =
    uR"CSS(.h>del.mv,.h>ins.mv{background:var(--ign)}.h>del.mv::before{content:counter(a,p) "       \2195 "}.h>ins.mv::before{content:"      " counter(b,p) " \2195 "}
)CSS";

// Previous and next change ("n" and "p", or the bar's links) and the folds,
// whose packed lines are unpacked the first time one is opened.
constexpr std::u16string_view kScript =
    uR"JS(
(function(){
var cs=[].slice.call(document.querySelectorAll('main [id^=c]')),k=-1,pos=document.getElementById('pos');
var bar=document.getElementById('bar'),at=document.getElementById('at'),root=document.documentElement;
function show(){if(pos)pos.textContent=(k<0?'-':k+1)+' / '+cs.length}
function barH(){return bar?bar.getBoundingClientRect().height:0}
function fit(){root.style.setProperty('--bar',barH()+'px')}
function top(e){return e.getBoundingClientRect().top+scrollY}
function head(t){var h=t.closest('main>*');while(h&&!/^H[34]$/.test(h.tagName))h=h.previousElementSibling;return h}
function place(t){var below=barH()+6,room=innerHeight-below,h=head(t),from=h,box=t.closest('main>*');
if(h&&h.previousElementSibling&&h.previousElementSibling.tagName=='H2')from=h.previousElementSibling;
var y=top(t),end=y+t.getBoundingClientRect().height,cap=box!=t&&box.classList.contains('h')?box.firstElementChild:null;
if(from&&end-top(from)<=room*.75)y=top(from);
else if(cap)y-=cap.getBoundingClientRect().height+2*t.getBoundingClientRect().height;
scrollTo(scrollX,Math.max(0,y-below));pinned=scrollY;if(at)at.textContent=h?h.textContent:''}
function go(i){if(!cs.length)return;k=Math.max(0,Math.min(cs.length-1,i));
if(location.hash!='#'+cs[k].id)location.hash='#'+cs[k].id;place(cs[k]);show()}
function sync(){for(var i=0;i<cs.length;i++)if('#'+cs[i].id==location.hash){k=i;place(cs[i]);break}show()}
// The bar names the object being read: the change's own after a move, else
// the last heading in the upper part of the window.
var hs=[].slice.call(document.querySelectorAll('main>h3,main>h4')),due=false,pinned=-1;
function where(){due=false;if(!at||scrollY==pinned)return;pinned=-1;
var line=scrollY+barH()+(innerHeight-barH())/4,lo=0,hi=hs.length;
while(lo<hi){var m=(lo+hi)>>1;if(top(hs[m])<=line)lo=m+1;else hi=m}at.textContent=lo?hs[lo-1].textContent:''}
fit();addEventListener('resize',function(){fit();where()});
addEventListener('scroll',function(){if(!due){due=true;requestAnimationFrame(where)}});
var nx=document.getElementById('next'),pv=document.getElementById('prev');
if(nx)nx.onclick=function(e){e.preventDefault();go(k+1)};
if(pv)pv.onclick=function(e){e.preventDefault();go(k-1)};
addEventListener('keydown',function(e){var t=e.target.tagName;
if(e.ctrlKey||e.metaKey||e.altKey||t=='INPUT'||t=='TEXTAREA'||t=='SELECT')return;
if(e.key=='n'){go(k+1);e.preventDefault()}else if(e.key=='p'){go(k-1);e.preventDefault()}});
addEventListener('hashchange',sync);sync();where();
// A page opened at a change: the browser's own scroll to it comes first.
addEventListener('load',function(){setTimeout(function(){if(k>=0)place(cs[k])},0)});
var toc=document.getElementById('toc');
if(toc){var ol=document.createElement('ol'),grp='',h=null,hit=false,n=0,main=document.querySelector('main');
function add(){if(!h||!hit)return;var li=document.createElement('li'),a=document.createElement('a');
a.href='#'+h.id;a.textContent=h.textContent;li.appendChild(a);
if(grp){var s=document.createElement('span');s.className='path';s.textContent=' '+grp;li.appendChild(s)}
ol.appendChild(li);n++}
[].forEach.call(main.children,function(e){
if(e.tagName=='H2'){add();h=null;grp=e.className?'':e.textContent}
else if(e.tagName=='H3'){add();h=e;hit=/^c/.test(e.id)}
else if(h&&!hit&&(/^c/.test(e.id)||e.querySelector('[id^=c]')))hit=true});add();
if(n){toc.querySelector('summary').textContent+='@@open@@'+n+'@@close@@';toc.appendChild(ol);toc.open=n<=25;toc.hidden=false}}
var lines=null;
function unpack(b){var s=atob(b),n=s.length,o=[],i=0,t,l,x,m,p;
while(i<n){t=s.charCodeAt(i++);l=t>>4;if(l==15)do{x=s.charCodeAt(i++);l+=x}while(x==255);
while(l--)o.push(s.charCodeAt(i++));if(i>=n)break;
p=o.length-(s.charCodeAt(i)|s.charCodeAt(i+1)<<8);i+=2;m=t&15;
if(m==15)do{x=s.charCodeAt(i++);m+=x}while(x==255);m+=4;while(m--)o.push(o[p++])}
return new TextDecoder().decode(new Uint8Array(o))}
function fill(d){if(d.getAttribute('data-done'))return;d.setAttribute('data-done','1');
if(!lines){var f=document.getElementById('folds');lines=f?unpack(f.textContent.trim()).split('\n'):[]}
var a=+d.getAttribute('data-a'),n=+d.style.getPropertyValue('--n');
for(var i=a;i<a+n;i++){var s=document.createElement('span');s.textContent=lines[i];d.appendChild(s)}}
[].forEach.call(document.querySelectorAll('details.f'),function(d){
d.addEventListener('toggle',function(){if(d.open)fill(d)})});
function openAll(){[].forEach.call(document.querySelectorAll('details'),function(d){
if(d.classList.contains('f'))fill(d);d.open=true})}
var all=document.getElementById('all');if(all)all.onclick=openAll;
addEventListener('beforeprint',openAll);
})();
)JS";

}  // namespace

std::size_t FoldStore::Add(std::u16string_view line) {
  if (count_ > 0) text_ += u'\n';
  text_ += line;
  return count_++;
}

std::u16string FoldStore::Packed() const {
  if (count_ == 0) return {};
  return Base64(PackBlock(ToUtf8(text_)));
}

std::u16string GroupedNumber(long long n) {
  std::u16string digits;
  const bool negative = n < 0;
  unsigned long long v =
      negative ? 0ull - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  int group = 0;
  do {
    if (group++ == 3) {
      digits.insert(digits.begin(), u',');
      group = 1;
    }
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + v % 10));
    v /= 10;
  } while (v != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

std::u16string ReviewPageText(const ReviewDocument& document) {
  std::u16string page;
  page.reserve(document.main.size() + document.header.size() + document.folds.size() + 8192);
  page += ReviewPageHead(document);
  page += document.main;
  page += ReviewPageTail(document);
  return page;
}

std::u16string ReviewPageHead(const ReviewDocument& document) {
  const PageWords& words = *document.words;
  std::u16string page;
  page.reserve(document.header.size() + kStyle.size() + 1024);
  page += u"<!DOCTYPE html>\n<html lang=\"";
  page += words.htmlLanguage;
  page +=
      u"\">\n<head>\n<meta charset=\"utf-8\">\n"
      u"<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      u"<meta name=\"generator\" content=\"Tarnwick\">\n<title>";
  AppendHtml(page, document.title);
  page += u"</title>\n<style>";
  const Fill styleFills[] = {{u"side1", words.cssSide1Only},
                             {u"side2", words.cssSide2Only},
                             {u"unchanged", words.cssUnchanged},
                             {u"notMatching", words.cssNotMatching},
                             {u"lines", words.cssLines}};
  AppendFilled(page, kStyle, styleFills);
  const Fill markFills[] = {
      {u"old", words.markOld}, {u"new", words.markNew}, {u"changed", words.markChanged}};
  AppendFilled(page, kMarkWords, markFills);
  if (document.ignoredMarks) page += kIgnoredStyle;
  if (document.movedMarks) page += kMovedStyle;
  page += u"</style>\n</head>\n<body>\n";
  if (document.navigation) {
    page.append(u"<nav id=\"bar\" aria-label=\"")
        .append(words.navLabel)
        .append(u"\"><a id=\"prev\" href=\"#\">")
        .append(words.previous)
        .append(u"</a><span id=\"pos\"></span><a id=\"next\" href=\"#\">")
        .append(words.next)
        .append(u"</a><span id=\"at\"></span><span><kbd>p</kbd> <kbd>n</kbd> ")
        .append(words.keysMoveToo)
        .append(u"</span><button type=\"button\" id=\"all\">")
        .append(words.openAll)
        .append(u"</button></nav>\n");
  }
  page += u"<header>\n";
  page += document.header;
  page += u"</header>\n<main>\n";
  return page;
}

std::u16string ReviewPageTail(const ReviewDocument& document) {
  std::u16string page = u"</main>\n";
  if (!document.folds.empty()) {
    page += u"<script type=\"text/plain\" id=\"folds\">";
    page += document.folds;
    page += u"</script>\n";
  }
  page += u"<script>";
  const PageWords& words = *document.words;
  const Fill scriptFills[] = {{u"open", words.scriptCountOpen}, {u"close", words.scriptCountClose}};
  AppendFilled(page, kScript, scriptFills);
  page += u"</script>\n</body>\n</html>\n";
  return page;
}

}  // namespace tarnwick
