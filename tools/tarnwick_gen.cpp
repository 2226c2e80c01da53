// tarnwick-gen: writes generated object list reports for benchmarks and demos.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "files/file_io.h"
#include "report/forms_xml.h"
#include "report/report_labels.h"
#include "text/cp932.h"
#include "text/utf8.h"
#include "tools/generator/deep_report.h"
#include "tools/generator/english_report.h"
#include "tools/generator/forms_xml_generator.h"
#include "tools/generator/report_generator.h"
#include "tools/generator/sample_forms.h"
#include "tools/generator/trigger_report.h"

namespace {

constexpr int kUsage = 64;

constexpr std::string_view kHelp =
    "usage: tarnwick-gen report --size BYTES [--seed N] [--name FORM1] [--format report|xml] OUT\n"
    "       tarnwick-gen mutate [--edits 0.01] [--seed N] IN OUT    (a report or a Forms XML "
    "module)\n"
    "       tarnwick-gen folders --pairs N --size BYTES [--edits 0.01] [--seed N] [--format "
    "report|xml]\n"
    "                           DIR1 DIR2\n"
    "       tarnwick-gen trigger --lines N [--changed-every 2] [--seed N] OUT1 OUT2\n"
    "                           (one trigger of N body lines; every K-th line differs in OUT2)\n"
    "       tarnwick-gen deep --depth N [--name-length 1000] [--branches 1] OUT1 OUT2\n"
    "                           (chains of N nested objects, every one changed in OUT2)\n"
    "       tarnwick-gen samples DIR    (the demo's hand-written forms into DIR/v1 and DIR/v2)\n"
    "Reports are written in code page 932 with CR LF line ends; Forms XML modules\n"
    "(--format xml) in UTF-8, as Oracle's converter writes them (FORM1_fmb.xml).\n"
    "report, folders and trigger take --language en for English reports (Forms\n"
    "Builder's English property names), written as --encoding 1252 (the default),\n"
    "utf8 or utf8-bom.\n";

struct UsageError {
  std::string what;
};

struct Arguments {
  std::vector<std::string> positional;
  std::string size, seed = "1", name = "FORM1", edits = "0.01", pairs, lines, changedEvery = "2";
  std::string depth, nameLength = "1000", branches = "1";
  bool xml = false;  // --format xml
  bool english = false;
  tarnwick::EnglishEncoding encoding = tarnwick::EnglishEncoding::kWindows1252;
};

Arguments Parse(int argc, char** argv) {
  Arguments args;
  for (int i = 2; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) throw UsageError{std::string(arg) + " needs a value"};
      into = argv[++i];
    };
    if (arg == "--size") {
      value(args.size);
    } else if (arg == "--seed") {
      value(args.seed);
    } else if (arg == "--name") {
      value(args.name);
    } else if (arg == "--edits") {
      value(args.edits);
    } else if (arg == "--pairs") {
      value(args.pairs);
    } else if (arg == "--lines") {
      value(args.lines);
    } else if (arg == "--changed-every") {
      value(args.changedEvery);
    } else if (arg == "--depth") {
      value(args.depth);
    } else if (arg == "--name-length") {
      value(args.nameLength);
    } else if (arg == "--branches") {
      value(args.branches);
    } else if (arg == "--format") {
      std::string format;
      value(format);
      if (format != "report" && format != "xml") {
        throw UsageError{"--format wants report or xml, not \"" + format + "\""};
      }
      args.xml = format == "xml";
    } else if (arg == "--language") {
      std::string language;
      value(language);
      if (language != "ja" && language != "en") {
        throw UsageError{"--language wants ja or en, not \"" + language + "\""};
      }
      args.english = language == "en";
    } else if (arg == "--encoding") {
      std::string encoding;
      value(encoding);
      if (encoding == "1252") {
        args.encoding = tarnwick::EnglishEncoding::kWindows1252;
      } else if (encoding == "utf8") {
        args.encoding = tarnwick::EnglishEncoding::kUtf8;
      } else if (encoding == "utf8-bom") {
        args.encoding = tarnwick::EnglishEncoding::kUtf8WithMark;
      } else {
        throw UsageError{"--encoding wants 1252, utf8 or utf8-bom, not \"" + encoding + "\""};
      }
    } else if (arg.starts_with("--")) {
      throw UsageError{"unknown option " + std::string(arg)};
    } else {
      args.positional.emplace_back(arg);
    }
  }
  return args;
}

unsigned long long Count(const std::string& text, std::string_view option) {
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || text.front() == '-') {
    throw UsageError{std::string(option) + " wants a whole number, not \"" + text + "\""};
  }
  return value;
}

double Fraction(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0.0 && value <= 1.0)) {
    throw UsageError{"--edits wants a fraction from 0 to 1, not \"" + text + "\""};
  }
  return value;
}

void Expect(const Arguments& args, std::size_t count) {
  if (args.positional.size() != count) throw UsageError{"wrong number of file arguments"};
}

std::u16string Path(const std::string& utf8) {
  return tarnwick::FromUtf8(utf8);
}

// A generated report, in English when asked for.
void WriteReport(const Arguments& args, const std::u16string& path, std::u16string_view text) {
  if (args.english) {
    tarnwick::WriteFileBytes(
        path, tarnwick::EnglishReportBytes(tarnwick::EnglishReportText(text), args.encoding));
  } else {
    tarnwick::WriteReportFile(path, text);
  }
}

void MakeFolder(const std::u16string& dir) {
  std::error_code error;
  std::filesystem::create_directories(tarnwick::NativePath(dir), error);
  if (error) throw tarnwick::Error(tarnwick::kFileErrorNumber, tarnwick::FromUtf8(error.message()));
}

int Report(const Arguments& args) {
  Expect(args, 1);
  if (args.size.empty()) throw UsageError{"report needs --size"};
  tarnwick::GeneratorOptions options;
  options.targetBytes = Count(args.size, "--size");
  options.seed = Count(args.seed, "--seed");
  options.moduleName = tarnwick::FromUtf8(args.name);
  if (args.xml) {
    tarnwick::WriteFileBytes(Path(args.positional[0]), tarnwick::GenerateFormsXml(options));
  } else {
    WriteReport(args, Path(args.positional[0]), tarnwick::GenerateReportText(options));
  }
  return 0;
}

int Mutate(const Arguments& args) {
  Expect(args, 2);
  const std::string bytes = tarnwick::ReadFileBytes(Path(args.positional[0]));
  if (tarnwick::IsFormsXml(bytes)) {
    tarnwick::WriteFileBytes(
        Path(args.positional[1]),
        tarnwick::MutateFormsXml(bytes, Fraction(args.edits), Count(args.seed, "--seed")));
    return 0;
  }
  const std::u16string text = tarnwick::DecodeCp932(bytes);
  if (tarnwick::DetectReportLanguage(text) == tarnwick::ReportLanguage::kEnglish) {
    throw UsageError{
        "mutate edits Japanese reports and Forms XML modules; for English pairs "
        "use folders --language en"};
  }
  tarnwick::WriteReportFile(
      Path(args.positional[1]),
      tarnwick::MutateReportText(text, Fraction(args.edits), Count(args.seed, "--seed")));
  return 0;
}

int Folders(const Arguments& args) {
  Expect(args, 2);
  if (args.size.empty() || args.pairs.empty()) throw UsageError{"folders needs --pairs and --size"};
  const unsigned long long pairs = Count(args.pairs, "--pairs");
  const double edits = Fraction(args.edits);
  const unsigned long long seed = Count(args.seed, "--seed");
  for (const std::string& dir : args.positional) MakeFolder(Path(dir));
  for (unsigned long long i = 1; i <= pairs; ++i) {
    std::string name = std::to_string(i);
    name = "FORM" + std::string(name.size() < 4 ? 4 - name.size() : 0, '0') + name;
    tarnwick::GeneratorOptions options;
    options.targetBytes = Count(args.size, "--size");
    options.seed = seed * 100003 + i;
    options.moduleName = tarnwick::FromUtf8(name);
    if (args.xml) {
      const std::string xml = tarnwick::GenerateFormsXml(options);
      const std::u16string file = tarnwick::FromUtf8(name + "_fmb.xml");
      tarnwick::WriteFileBytes(Path(args.positional[0]) + u"/" + file, xml);
      tarnwick::WriteFileBytes(Path(args.positional[1]) + u"/" + file,
                               tarnwick::MutateFormsXml(xml, edits, options.seed));
      continue;
    }
    const std::u16string text = tarnwick::GenerateReportText(options);
    const std::u16string file = tarnwick::FromUtf8(name + ".txt");
    WriteReport(args, Path(args.positional[0]) + u"/" + file, text);
    WriteReport(args, Path(args.positional[1]) + u"/" + file,
                tarnwick::MutateReportText(text, edits, options.seed));
  }
  return 0;
}

int Trigger(const Arguments& args) {
  Expect(args, 2);
  if (args.lines.empty()) throw UsageError{"trigger needs --lines"};
  const tarnwick::TriggerReportPair pair = tarnwick::GenerateTriggerReports(
      Count(args.lines, "--lines"), Count(args.changedEvery, "--changed-every"),
      Count(args.seed, "--seed"));
  WriteReport(args, Path(args.positional[0]), pair.report1);
  WriteReport(args, Path(args.positional[1]), pair.report2);
  return 0;
}

int Deep(const Arguments& args) {
  Expect(args, 2);
  if (args.depth.empty()) throw UsageError{"deep needs --depth"};
  const tarnwick::DeepReportPair pair = tarnwick::GenerateDeepReports(
      Count(args.depth, "--depth"), Count(args.nameLength, "--name-length"),
      Count(args.branches, "--branches"));
  tarnwick::WriteReportFile(Path(args.positional[0]), pair.report1);
  tarnwick::WriteReportFile(Path(args.positional[1]), pair.report2);
  return 0;
}

int Samples(const Arguments& args) {
  Expect(args, 1);
  for (int release : {1, 2}) {
    const std::u16string dir =
        Path(args.positional[0]) + u"/v" + static_cast<char16_t>(u'0' + release);
    MakeFolder(dir);
    for (const tarnwick::SampleReport& report : tarnwick::SampleReports(release)) {
      tarnwick::WriteReportFile(dir + u"/" + report.fileName, report.text);
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "--help" || command == "-h") {
    std::cout << kHelp;
    return 0;
  }
  try {
    const Arguments args = Parse(argc, argv);
    if (command == "report") return Report(args);
    if (command == "mutate") return Mutate(args);
    if (command == "folders") return Folders(args);
    if (command == "trigger") return Trigger(args);
    if (command == "deep") return Deep(args);
    if (command == "samples") return Samples(args);
    throw UsageError{command.empty() ? "no command" : "unknown command " + std::string(command)};
  } catch (const UsageError& error) {
    std::cerr << "tarnwick-gen: " << error.what << "\n" << kHelp;
    return kUsage;
  } catch (const tarnwick::Error& error) {
    std::cerr << "tarnwick-gen: " << tarnwick::ToUtf8(error.Description()) << "\n";
    return 1;
  }
}
