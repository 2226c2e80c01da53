// Opens pages in headless Chromium the way a reader would and reports what
// the page shows. A harness page loads the page under test in an iframe,
// runs a check script against its document, and writes "key=value" lines
// (values as JSON) into <pre id="out">; Chromium prints the final DOM
// (--dump-dom), from which the lines are read back. Nothing but Chromium's
// own command line is used; the profile is fresh and the network unused.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "review/html_text.h"
#include "text/utf8.h"

namespace tarnwick::testing {

// The Chromium to run: $TARNWICK_CHROMIUM, else the first of Debian's names
// found on the PATH; empty when there is none.
inline std::string ChromiumPath() {
  if (const char* given = std::getenv("TARNWICK_CHROMIUM"); given != nullptr && *given != '\0') {
    return given;
  }
  const char* path = std::getenv("PATH");
  std::string rest = path != nullptr ? path : "/usr/bin";
  while (!rest.empty()) {
    const std::size_t cut = rest.find(':');
    const std::string folder = rest.substr(0, cut);
    for (const char* name : {"chromium", "chromium-browser"}) {
      const std::filesystem::path candidate = std::filesystem::path(folder) / name;
      if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    if (cut == std::string::npos) break;
    rest.erase(0, cut + 1);
  }
  return {};
}

inline std::string FileUrl(const std::filesystem::path& path) {
  return "file://" + ToUtf8(HrefOf(path.u16string(), u'/'));
}

inline std::string ShellWord(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The lines the check script wrote, by key; "error" holds a failure of the
// harness itself.
inline std::map<std::string, std::string> RunInBrowser(const std::filesystem::path& folder,
                                                       const std::string& pageUrl,
                                                       const std::string& check,
                                                       bool dark = false) {
  std::map<std::string, std::string> results;
  const std::string chromium = ChromiumPath();
  if (chromium.empty()) {
    results["error"] = "no chromium on the PATH (tools/install-deps.sh installs it)";
    return results;
  }
  const std::filesystem::path harness = folder / "harness.html";
  std::ofstream(harness)
      << R"(<!DOCTYPE html><meta charset="utf-8"><body><pre id="out">pending</pre><script>
var out=[];function log(k,v){out.push(k+'='+JSON.stringify(v))}
function finish(){document.getElementById('out').textContent=out.join('\n')+'\ndone=true'}
function key(d,k){d.dispatchEvent(new KeyboardEvent('keydown',{key:k,bubbles:true}))}
function seen(w,e){var r=e.getBoundingClientRect();return r.height>0&&r.top>=0&&r.top<w.innerHeight}
var f=document.createElement('iframe');f.style.width='1200px';f.style.height='800px';var step=0;
f.onload=function(){var d=f.contentDocument,w=f.contentWindow;step++;
try{)" << check
      << R"(}catch(e){log('error',String(e));finish()}};
f.src=)"
      << "'" << pageUrl << "'"
      << R"(;document.body.appendChild(f);
</script>)";

  const std::filesystem::path profile = folder / "profile";
  std::string command = ShellWord(chromium) +
                        " --headless --no-sandbox --disable-gpu --no-first-run"
                        " --disable-background-networking --disable-component-update"
                        " --disable-sync --allow-file-access-from-files"
                        " --virtual-time-budget=10000 --user-data-dir=" +
                        ShellWord(profile.string()) + (dark ? " --force-dark-mode" : "") +
                        " --dump-dom " + ShellWord(FileUrl(harness)) + " 2>/dev/null";
  std::string dom;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
      dom.append(buffer.data(), n);
    ::pclose(pipe);
  }
  const std::size_t open = dom.find("<pre id=\"out\">");
  const std::size_t close = dom.find("</pre>", open);
  if (open == std::string::npos || close == std::string::npos) {
    results["error"] = "no result from the browser: " + dom.substr(0, 300);
    return results;
  }
  std::string text = dom.substr(open + 14, close - open - 14);
  for (const auto& [entity, plain] : {std::pair<std::string, std::string>{"&lt;", "<"},
                                      {"&gt;", ">"},
                                      {"&quot;", "\""},
                                      {"&amp;", "&"}}) {
    for (std::size_t at = text.find(entity); at != std::string::npos;
         at = text.find(entity, at + plain.size())) {
      text.replace(at, entity.size(), plain);
    }
  }
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) results[line.substr(0, equals)] = line.substr(equals + 1);
    at = end + 1;
  }
  return results;
}

}  // namespace tarnwick::testing
