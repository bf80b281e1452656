// vantrelle-text: the text services of Vantrelle for scripts and terminals.
// Reads standard input, writes standard output; see cli/README.md.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "gbk_codec.h"
#include "text_services.h"

namespace {

using namespace std::string_view_literals;
using vantrelle::NicknameStyle;
using vantrelle::NicknameStyleTable;

constexpr int kExitInvalidInput = 1;  // also any read or write failure
constexpr int kExitUsage = 2;

constexpr std::string_view kHelp =
    "usage: vantrelle-text [--gbk] COMMAND\n"
    "\n"
    "commands:\n"
    "  martian        convert standard input to Martian script\n"
    "  traditional    convert standard input to Traditional characters\n"
    "  decorate N     decorate each line of standard input in style N (1-20)\n"
    "  styles         list the styles: number, prefix, suffix, sample (tab-separated)\n"
    "\n"
    "options:\n"
    "  --gbk          read and write raw GBK bytes instead of UTF-8\n"
    "  --help         show this help\n"
    "\n"
    "Text is UTF-8 by default; characters GBK cannot encode pass through unchanged.\n"
    "Exit status: 0 done, 1 invalid UTF-8 input or an I/O error, 2 usage error.\n";

// "QQ寶贝", the nickname the window's style captions show.
constexpr std::string_view kSampleNickname = "QQ\x8C\x9A\xB1\xB4"sv;

enum class Command { Martian, Traditional, Decorate, Styles };

struct Invocation {
  Command command;
  bool gbk = false;
  std::size_t style = 0;  // 0-based row of NicknameStyleTable, for Decorate
};

[[noreturn]] void Exit(int status, std::string_view message) {
  std::fprintf(stderr, "vantrelle-text: %.*s\n", static_cast<int>(message.size()), message.data());
  std::exit(status);
}

[[noreturn]] void UsageError(const std::string& message) {
  Exit(kExitUsage, message + " (try 'vantrelle-text --help')");
}

// An argument as a message quotes it: on one line, whatever it holds.
std::string Quoted(std::string_view arg) {
  std::string out = "'";
  for (const char c : arg) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return out + "'";
}

// Style numbers are plain decimal, 1 to 20; anything else is refused.
std::size_t ParseStyleNumber(std::string_view text) {
  std::size_t number = 0;
  bool valid = !text.empty();
  for (const char c : text) {
    if (c < '0' || c > '9' || number > vantrelle::kNicknameStyleCount) {
      valid = false;
      break;
    }
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  if (!valid || number < 1 || number > vantrelle::kNicknameStyleCount)
    UsageError("style must be a number from 1 to 20, not " + Quoted(text));
  return number - 1;
}

Invocation ParseArguments(int argc, char** argv) {
  std::vector<std::string_view> words;
  bool gbk = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fwrite(kHelp.data(), 1, kHelp.size(), stdout);
      std::exit(std::fflush(stdout) == 0 ? 0 : kExitInvalidInput);
    }
    if (arg == "--gbk") {
      gbk = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      UsageError("unknown option " + Quoted(arg));
    } else {
      words.push_back(arg);
    }
  }
  if (words.empty()) UsageError("missing command");

  static constexpr struct {
    std::string_view name;
    Command command;
    std::size_t operands;
  } kCommands[] = {
      {"martian", Command::Martian, 0},
      {"traditional", Command::Traditional, 0},
      {"decorate", Command::Decorate, 1},
      {"styles", Command::Styles, 0},
  };
  for (const auto& entry : kCommands) {
    if (entry.name != words[0]) continue;
    if (words.size() - 1 < entry.operands) UsageError(std::string(entry.name) + ": missing style number");
    if (words.size() - 1 > entry.operands)
      UsageError(std::string(entry.name) + ": unexpected argument " + Quoted(words[entry.operands + 1]));
    Invocation invocation{entry.command, gbk};
    if (entry.command == Command::Decorate) invocation.style = ParseStyleNumber(words[1]);
    return invocation;
  }
  UsageError("unknown command " + Quoted(words[0]));
}

std::string ReadStandardInput() {
  std::string text;
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) text.append(buffer, got);
  if (std::ferror(stdin)) Exit(kExitInvalidInput, "cannot read standard input");
  return text;
}

void WriteStandardOutput(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
    Exit(kExitInvalidInput, "cannot write standard output");
}

// In UTF-8 mode the whole input is checked before anything is written, so a
// refused input leaves standard output empty.
void RequireUtf8(std::string_view text) {
  if (const auto offset = vantrelle::cli::FindInvalidUtf8(text)) {
    char message[96];
    std::snprintf(message, sizeof message, "input is not valid UTF-8 at byte offset %zu (byte 0x%02X)", *offset,
                  static_cast<unsigned>(static_cast<unsigned char>(text[*offset])));
    Exit(kExitInvalidInput, message);
  }
}

// The style as the output encoding spells it; decoration is plain byte
// concatenation, so a UTF-8 line is framed by the UTF-8 form of the style.
struct StyleText {
  std::string prefix, suffix;
};
StyleText StyleIn(const NicknameStyle& style, bool gbk) {
  if (gbk) return {std::string(style.prefix), std::string(style.suffix)};
  return {vantrelle::cli::GbkToUtf8(style.prefix), vantrelle::cli::GbkToUtf8(style.suffix)};
}

std::string DecorateLine(const StyleText& style, std::string_view line) {
  return vantrelle::DecorateNickname({{}, 0, style.prefix, style.suffix}, line);
}

// Each line loses its LF or CR LF terminator, is decorated, and gets the same
// terminator back. Lines are cut at LF bytes, not by the GBK walk, so a stray
// lead byte at the end of a line cannot swallow its terminator.
std::string DecorateLines(std::string_view text, const StyleText& style) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  while (!text.empty()) {
    const std::size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    std::string_view terminator;
    if (lf != std::string_view::npos) {
      const bool crlf = lf > 0 && text[lf - 1] == '\r';
      line = text.substr(0, crlf ? lf - 1 : lf);
      terminator = text.substr(line.size(), lf + 1 - line.size());
    }
    out += DecorateLine(style, line);
    out += terminator;
    text.remove_prefix(line.size() + terminator.size());
  }
  return out;
}

std::string ListStyles(bool gbk) {
  const std::string sample = gbk ? std::string(kSampleNickname) : vantrelle::cli::GbkToUtf8(kSampleNickname);
  std::string out;
  for (std::size_t row = 0; row < NicknameStyleTable.size(); ++row) {
    const StyleText style = StyleIn(NicknameStyleTable[row], gbk);
    out += std::to_string(row + 1) + '\t' + style.prefix + '\t' + style.suffix + '\t' + DecorateLine(style, sample) +
           '\n';
  }
  return out;
}

std::string Convert(std::string_view text, bool gbk, vantrelle::cli::GbkService service) {
  if (gbk) return service(text);
  RequireUtf8(text);
  return vantrelle::cli::ServeUtf8(text, service);
}

std::string MartianScript(std::string_view text) { return vantrelle::ToMartianScript(text); }
std::string Traditional(std::string_view text) { return vantrelle::ToTraditional(text); }

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Bytes in and out exactly: no CR LF translation, no stop at Ctrl+Z.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const Invocation invocation = ParseArguments(argc, argv);
  switch (invocation.command) {
    case Command::Styles:
      WriteStandardOutput(ListStyles(invocation.gbk));
      break;
    case Command::Martian:
      WriteStandardOutput(Convert(ReadStandardInput(), invocation.gbk, MartianScript));
      break;
    case Command::Traditional:
      WriteStandardOutput(Convert(ReadStandardInput(), invocation.gbk, Traditional));
      break;
    case Command::Decorate: {
      const std::string text = ReadStandardInput();
      if (!invocation.gbk) RequireUtf8(text);
      WriteStandardOutput(DecorateLines(text, StyleIn(NicknameStyleTable[invocation.style], invocation.gbk)));
      break;
    }
  }
  return 0;
}
