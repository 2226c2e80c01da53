#include "cli/help.h"

namespace tarnwick::cli {
namespace {

struct KeyHelp {
  std::string_view key;
  std::string_view meaning;
};

constexpr KeyHelp kOutputKeys[] = {
    {"OUTPUT_PATH", "output folder (relative: to the working directory)"},
    {"OUTPUT_FILE",
     "summary page name (file mode and objdiff: the page name); .html added "
     "when it has no extension"},
    {"OUTPUT_AUTOOPEN", "True: open the result at the end (the CLI opens only with --open)"},
    {"PAGE_STYLE",
     "CLASSIC (default): the classic pages; REVIEW: review pages in UTF-8 with "
     "counts, intra-line marks, folded context, n/p navigation"},
    {"UI_LANGUAGE", "JA (default) or EN: the language of messages, pages and the text view"},
};

constexpr KeyHelp kCompareOptionKeys[] = {
    {"IGNORE_BLANKS",
     "True: runs of blanks count as one, trailing blanks and blank-only lines "
     "are ignored"},
    {"IGNORE_CASE", "True: letter case is ignored outside quoted literals"},
    {"IGNORE_FILE",
     "ignore rules (UTF-8, one a line: [TYPE or PATH:] PROPERTY, * ?); what they match "
     "is no difference (relative: to the working directory)"},
};

constexpr KeyHelp kDiffKeys[] = {
    {"MODE", "FOLDER (default): every pair of equally named reports; FILE: two files"},
    {"SRC_PATH1", "folder of side 1 (relative: to the working directory)"},
    {"SRC_FILE1",
     "file mode: the report of side 1; folder mode: ;-separated patterns (* ?), e.g. *.txt;*.xml"},
    {"SRC_PATH2", "folder of side 2"},
    {"SRC_FILE2", "the same for side 2"},
    {"DIFF_ONLY", "True: list only what differs"},
    {"ON_ERROR",
     "STOP (default): a report that cannot be read or parsed stops the run; CONTINUE "
     "(folder mode): its pair becomes a read error and the run goes on"},
};

constexpr KeyHelp kObjDiffKeys[] = {
    {"DIFF_OBJ_ONLY", "True: list only what differs"},
};

constexpr KeyHelp kSearchKeys[] = {
    {"SRC_PATH", "folder of the reports (relative: to the working directory)"},
    {"SRC_FILE", ";-separated file names or patterns (* ?), e.g. *.txt;*.xml"},
    {"SEARCH_STRING1", "search string 1 (like pattern: * ? # [list]); empty: unused"},
    {"SEARCH_STRING2", "search string 2"},
    {"SEARCH_STRING3", "search string 3"},
    {"SEARCH_STRING1_COND", "CONTAIN (default) or NOT_CONTAIN; likewise _2 and _3"},
    {"COND_AND", "True (default): all used strings on one line; False: any one"},
    {"NO_CASE", "True: ignore letter case"},
    {"FOUND_ONLY", "True: list only matching properties"},
    {"ON_ERROR",
     "STOP (default): a report that cannot be read or parsed stops the run; CONTINUE: "
     "it becomes a read error and the run goes on"},
};

template <std::size_t N>
void PrintKeys(std::ostream& out, const KeyHelp (&keys)[N]) {
  for (const KeyHelp& key : keys) {
    out << "  " << key.key;
    for (std::size_t i = key.key.size(); i < 21; ++i) out << ' ';
    out << key.meaning << '\n';
  }
}

void PrintRunOptions(std::ostream& out, bool exitCode, bool compares) {
  out << "\noptions:\n"
         "  --ini FILE           read settings as Tarnwick.ini is read\n"
         "  --set KEY=VALUE      one settings line; applied in order after --ini; a value\n"
         "                       its key does not take is wrong usage\n";
  if (compares) out << "  --ignore FILE        the same as --set IGNORE_FILE=FILE\n";
  out << "  --open               open the result at the end\n"
         "  --quiet              print only warnings and errors\n";
  if (exitCode) {
    out << "  --exit-code          exit 3 when the run finished and found differences or hits,\n"
           "                       2 when a file name pattern matched no report\n";
  }
  out << "  --force              write over a page that another kind of run wrote\n"
         "  --json FILE          write a summary of the run as JSON (see README);\n"
         "                       - for standard output\n"
         "  --help               this help\n"
         "The last line (standard output; standard error when it carries JSON or a view)\n"
         "gives the totals and the summary page, unless --quiet.\n";
}

void PrintViewOptions(std::ostream& out) {
  out << "  --format text        print the changed objects and properties on standard output\n"
         "  --format markdown    print them as Markdown for a pull-request comment (totals,\n"
         "                       a table of pairs, a <details> section per pair; under\n"
         "                       60,000 characters)\n"
         "                       Pages are written besides only when OUTPUT_PATH is set.\n"
         "  --color[=WHEN]       colour the text view: auto (default: when standard output\n"
         "                       is a terminal and NO_COLOR is unset), always, never\n";
}

void PrintExitCodes(std::ostream& out) {
  out << "\nexit codes:\n"
         "  0    finished (with --exit-code: and found nothing)\n"
         "  1    run error (a report that cannot be read or parsed, a page that cannot be "
         "written);\n"
         "       with ON_ERROR=CONTINUE: finished, but some reports could not be read\n"
         "  2    an input check stopped the run; the message names the setting concerned\n"
         "       (also: a page of another kind of run is in the way, without --force)\n"
         "  3    with --exit-code: finished and found differences (search: hits)\n"
         "  64   wrong usage\n"
         "  130  cancelled (SIGINT or SIGTERM)\n";
}

}  // namespace

bool PrintCommandHelp(std::string_view command, std::ostream& out) {
  if (command == "diff") {
    out << "usage: tarnwick-cli diff [--ini FILE] [--set KEY=VALUE]... [--ignore FILE] [--open]\n"
           "                        [--quiet] [--exit-code] [--force] [--json FILE|-]\n"
           "                        [--format text|markdown] [--color[=WHEN]]\n"
           "Compares two reports, or every pair of equally named reports in two folders.\n";
    PrintRunOptions(out, true, true);
    PrintViewOptions(out);
    out << "\nsetting keys:\n";
    PrintKeys(out, kDiffKeys);
    PrintKeys(out, kCompareOptionKeys);
    PrintKeys(out, kOutputKeys);
    PrintExitCodes(out);
    return true;
  }
  if (command == "search") {
    out << "usage: tarnwick-cli search [--ini FILE] [--set KEY=VALUE]... [--open] [--quiet]\n"
           "                          [--exit-code] [--force] [--json FILE|-]\n"
           "Searches the property values of the reports of one folder for up to three "
           "strings.\n";
    PrintRunOptions(out, true, false);
    out << "\nsetting keys:\n";
    PrintKeys(out, kSearchKeys);
    PrintKeys(out, kOutputKeys);
    PrintExitCodes(out);
    return true;
  }
  if (command == "objdiff") {
    out << "usage: tarnwick-cli objdiff [--ini FILE] [--set KEY=VALUE]... [--ignore FILE] "
           "[--open]\n"
           "                           [--quiet] [--exit-code] [--force] [--json FILE|-]\n"
           "                           REPORT1 NODEKEY1|PATH1 REPORT2 NODEKEY2|PATH2\n"
           "Compares two chosen objects; a NODEKEY is a key as `tarnwick-cli nodes` prints it\n"
           "(for example ROOT-1-1-11-2) or an object path of the names below the report,\n"
           "joined by / (for example ﾌｫｰﾑ/ORDERS/ブロック/ORDERS; \\/ is a / in a name, \\\\\n"
           "a \\; letter case is ignored). REPORT paths may be relative.\n";
    PrintRunOptions(out, true, true);
    out << "\nsetting keys:\n";
    PrintKeys(out, kObjDiffKeys);
    PrintKeys(out, kCompareOptionKeys);
    PrintKeys(out, kOutputKeys);
    PrintExitCodes(out);
    return true;
  }
  if (command == "tree") {
    out << "usage: tarnwick-cli tree REPORT\n"
           "Prints the parsed object tree of REPORT as one line of JSON.\n"
           "\nexit codes:\n  0    printed\n  1    the report cannot be read or parsed\n"
           "  64   wrong usage\n";
    return true;
  }
  if (command == "nodes") {
    out << "usage: tarnwick-cli nodes REPORT\n"
           "Prints the tree-view nodes of REPORT: key, TAB, text, TAB, path text.\n"
           "\nexit codes:\n  0    printed\n  1    the report cannot be read or parsed\n"
           "  64   wrong usage\n";
    return true;
  }
  if (command == "textconv") {
    out << "usage: tarnwick-cli textconv [--ini FILE] [--set KEY=VALUE]... REPORT\n"
           "Prints REPORT as stable text for git (diff.<driver>.textconv): one line per\n"
           "property with its object path, multi-line values indented below, the objects\n"
           "of a section sorted by key, the block and item order as an outline on top.\n"
           "--set UI_LANGUAGE=EN heads the outline in English; --set REPORT_ENCODING=...\n"
           "reads the report in that encoding.\n"
           "\nexit codes:\n  0    printed\n  1    the report cannot be read or parsed\n"
           "  64   wrong usage\n";
    return true;
  }
  if (command == "git-diff") {
    out << "usage: tarnwick-cli git-diff [--color[=WHEN]] [--ini FILE] [--set KEY=VALUE]...\n"
           "                            PATH OLD-FILE OLD-HEX OLD-MODE NEW-FILE NEW-HEX "
           "NEW-MODE\n"
           "A git external diff driver (diff.<driver>.command): prints the changed objects\n"
           "and properties of the two reports git passes as the text view. A file\n"
           "/dev/null is an absent side. Colour (auto) also when git's pager is in use.\n"
           "\noptions:\n"
           "  --color[=WHEN]       auto (default), always, never; NO_COLOR is respected\n"
           "  --ini FILE, --set KEY=VALUE   settings, e.g. IGNORE_BLANKS=True\n"
           "\nexit codes:\n  0    printed (whether or not the reports differ)\n"
           "  1    a report cannot be read or parsed\n  64   wrong usage\n";
    return true;
  }
  if (command == "difftool") {
    out << "usage: tarnwick-cli difftool [--no-open] [--ini FILE] [--set KEY=VALUE]... LOCAL "
           "REMOTE\n"
           "For git difftool: writes a review page of LOCAL against REMOTE into a new\n"
           "temporary folder, prints its path and opens it with the desktop's application.\n"
           "A file /dev/null is an absent side.\n"
           "\noptions:\n"
           "  --no-open            write and print the page only\n"
           "  --ini FILE, --set KEY=VALUE   settings, e.g. IGNORE_CASE=True\n"
           "\nexit codes:\n  0    written\n"
           "  1    a report cannot be read or parsed, or the page cannot be written\n"
           "  64   wrong usage\n";
    return true;
  }
  return false;
}

}  // namespace tarnwick::cli
