// vantrelle-text seen from outside: each case spawns the real binary, feeds
// it bytes on standard input and checks standard output, standard error and
// the exit status. Expected conversions come from the text services library
// itself, so these tests hold whatever the generated tables contain.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "gbk_codec.h"
#include "text_services.h"
#include "utf8_cases.h"

extern char** environ;

namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using vantrelle::NicknameStyleTable;

struct Outcome {
  int status = -1;  // exit status, or -1 when the process did not exit normally
  std::string out, err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs vantrelle-text with `args`. Standard input, output and error are
// files, so no pipe can fill up and stall either side.
Outcome RunCli(const std::vector<std::string>& args, std::string_view input = {}) {
  static std::atomic<int> counter{0};
  const std::string base = testing::TempDir() + "vantrelle-text-" + std::to_string(getpid()) + "-" +
                           std::to_string(counter++);
  const std::string inPath = base + ".in", outPath = base + ".out", errPath = base + ".err";
  std::ofstream(inPath, std::ios::binary).write(input.data(), static_cast<std::streamsize>(input.size()));

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv{const_cast<char*>(VANTRELLE_TEXT_BINARY)};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  Outcome outcome;
  pid_t pid;
  if (posix_spawn(&pid, VANTRELLE_TEXT_BINARY, &files, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&files);
  outcome.out = ReadFile(outPath);
  outcome.err = ReadFile(errPath);
  for (const auto& path : {inPath, outPath, errPath}) unlink(path.c_str());
  return outcome;
}

std::string Printable(std::string_view bytes) { return testing::PrintToString(std::string(bytes)); }

bool IsOneMessageLine(const std::string& err) {
  return err.rfind("vantrelle-text: ", 0) == 0 && err.find('\n') == err.size() - 1;
}

// Every two-byte character GBK assigns, in code order: a text that meets
// every cell of both conversion tables.
std::string AllGbkCharacters() {
  std::string gbk;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
      if (vantrelle::cli::DecodeGbkChar(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)))
        gbk += {static_cast<char>(lead), static_cast<char>(trail)};
  return gbk;
}

struct Conversion {
  const char* command;
  std::string (*service)(std::string_view);
};
const Conversion kConversions[] = {
    {"martian", vantrelle::ToMartianScript},
    {"traditional", vantrelle::ToTraditional},
};

TEST(CliUsage, ErrorsExitWithTwoAndOneLineOnStandardError) {
  static const std::vector<std::string> kCases[] = {
      {},
      {"frobnicate"},
      {"Martian"},
      {"decorate"},
      {"decorate", "0"},
      {"decorate", "21"},
      {"decorate", "x"},
      {"decorate", "1x"},
      {"decorate", ""},
      {"decorate", "-1"},
      {"decorate", "99999999999999999999999"},
      {"decorate", "1", "2"},
      {"martian", "extra"},
      {"styles", "1"},
      {"--bogus", "martian"},
      {"--gbk"},
      {"decorate", "bad\nnumber"},
  };
  for (const auto& args : kCases) {
    const Outcome outcome = RunCli(args, "abc\n");
    const std::string label = testing::PrintToString(args);
    EXPECT_EQ(outcome.status, 2) << label;
    EXPECT_EQ(outcome.out, "") << label;
    EXPECT_TRUE(IsOneMessageLine(outcome.err)) << label << ": " << outcome.err;
  }
}

TEST(CliUsage, HelpWinsWhereverItStands) {
  static const std::vector<std::string> kCases[] = {{"--help"}, {"-h"}, {"martian", "--help"}, {"frobnicate", "--help"}};
  for (const auto& args : kCases) {
    const Outcome outcome = RunCli(args);
    EXPECT_EQ(outcome.status, 0) << testing::PrintToString(args);
    EXPECT_NE(outcome.out.find("usage: vantrelle-text"), std::string::npos);
    EXPECT_EQ(outcome.err, "");
  }
}

TEST(CliUsage, StyleNumbersOneToTwentyAreAccepted) {
  for (const char* number : {"1", "20", "07"}) {
    const Outcome outcome = RunCli({"decorate", number}, "a");
    EXPECT_EQ(outcome.status, 0) << number << ": " << outcome.err;
  }
}

TEST(CliUtf8, ConvertsEveryGbkCharacterAndBack) {
  const std::string gbk = AllGbkCharacters();
  const std::string utf8 = vantrelle::cli::GbkToUtf8(gbk);
  ASSERT_EQ(utf8.find("\uFFFD"), std::string::npos);
  for (const auto& conversion : kConversions) {
    const Outcome outcome = RunCli({conversion.command}, utf8);
    EXPECT_EQ(outcome.status, 0) << conversion.command << ": " << outcome.err;
    EXPECT_EQ(outcome.err, "");
    // Byte equality with the service's own GBK result, decoded.
    EXPECT_TRUE(outcome.out == vantrelle::cli::GbkToUtf8(conversion.service(gbk))) << conversion.command;
  }
}

TEST(CliUtf8, CharactersGbkCannotEncodePassThroughInPlace) {
  // Each text is pieces joined by characters GBK has no code for; the result
  // must be the pieces converted one by one, joined by the same characters.
  static constexpr std::string_view kSeparators[] = {"😀"sv, "€"sv, "\uE000"sv, "\uFEFF"sv, "\U0010FFFF"sv};
  const std::string pieces[] = {"QQ寶贝"s, "字他它新叶 abc"s, ""s, "国对干里\r\n"s, "龟"s};
  for (const auto& conversion : kConversions) {
    std::string input, expected;
    for (std::size_t i = 0; i < std::size(pieces); ++i) {
      const Outcome alone = RunCli({conversion.command}, pieces[i]);
      ASSERT_EQ(alone.status, 0);
      input += pieces[i];
      expected += alone.out;
      input += kSeparators[i];
      expected += kSeparators[i];
    }
    const Outcome outcome = RunCli({conversion.command}, input);
    EXPECT_EQ(outcome.status, 0) << conversion.command;
    EXPECT_EQ(outcome.out, expected) << conversion.command;
  }
}

TEST(CliUtf8, InvalidInputIsRefusedWithItsOffset) {
  for (const char* command : {"martian", "traditional", "decorate"}) {
    for (const auto& c : vantrelle::cli::test::kInvalidUtf8Cases) {
      std::vector<std::string> args{command};
      if (args[0] == "decorate") args.push_back("3");
      const Outcome outcome = RunCli(args, c.bytes);
      EXPECT_EQ(outcome.status, 1) << command << ", " << c.what;
      EXPECT_EQ(outcome.out, "") << command << ", " << c.what;
      EXPECT_TRUE(IsOneMessageLine(outcome.err)) << outcome.err;
      EXPECT_NE(outcome.err.find("offset " + std::to_string(c.offset) + " "), std::string::npos)
          << command << ", " << c.what << ": " << outcome.err;
    }
  }
}

// Raw GBK bytes, malformed ones included: the output is the service's result
// byte for byte, of the input's length.
TEST(CliGbk, ConvertsRawBytesByteForByte) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  std::string noise(1 << 20, '\0');
  std::mt19937 random(2026);
  for (auto& byte : noise) byte = static_cast<char>(random());
  const std::string kCases[] = {
      ""s,
      "\x80\x80"s,
      "\xFF\xFF\xFF"s,
      "ab\x81"s,                  // a last lone lead byte stands alone
      "\x81\0\xD7\xD6"s,          // a lead byte pairs with a NUL
      "\xD7\xD6\0\xD7\xD6\0"s,    // the walk goes on after a NUL
      "\x81\x7F\xD7\xD6"s,
      "\xC0\xAF \xED\xA0\x80"s,   // invalid UTF-8 is no concern here
      "a\xD7\xD6\xCB\xFB\r\n"s,
      everyByte,
      everyByte.substr(1),
      AllGbkCharacters(),
      "x"s + AllGbkCharacters(),  // every pair straddled
      noise,
  };
  for (const auto& conversion : kConversions) {
    for (const auto& input : kCases) {
      const Outcome outcome = RunCli({"--gbk", conversion.command}, input);
      const std::string label = conversion.command + ": "s + Printable(input.substr(0, 16));
      EXPECT_EQ(outcome.status, 0) << label;
      EXPECT_EQ(outcome.out.size(), input.size()) << label;
      EXPECT_TRUE(outcome.out == conversion.service(input)) << label;
      EXPECT_EQ(outcome.err, "") << label;
    }
  }
}

TEST(CliGbk, CharactersAfterANulAreStillConverted) {
  for (const auto& conversion : kConversions) {
    // A character this table changes, found at run time.
    const std::string all = AllGbkCharacters();
    const std::string converted = conversion.service(all);
    std::size_t at = 0;
    while (at < all.size() && all.compare(at, 2, converted, at, 2) == 0) at += 2;
    if (at == all.size()) continue;  // this table changes nothing yet
    const std::string input = "a\0"s + all.substr(at, 2) + "\0"s + all.substr(at, 2);
    const Outcome outcome = RunCli({"--gbk", conversion.command}, input);
    EXPECT_EQ(outcome.out, "a\0"s + converted.substr(at, 2) + "\0"s + converted.substr(at, 2)) << conversion.command;
  }
}

// Decoration frames each line; the terminators come back as they were.
struct Line {
  std::string_view text, terminator;
};
struct FramingCase {
  std::string_view input;
  std::vector<Line> lines;
};

const FramingCase kFramingCases[] = {
    {""sv, {}},
    {"abc"sv, {{"abc"sv, ""sv}}},
    {"abc\n"sv, {{"abc"sv, "\n"sv}}},
    {"abc\r\n"sv, {{"abc"sv, "\r\n"sv}}},
    {"a\r\nb\nc\r\n"sv, {{"a"sv, "\r\n"sv}, {"b"sv, "\n"sv}, {"c"sv, "\r\n"sv}}},
    {"a\nb"sv, {{"a"sv, "\n"sv}, {"b"sv, ""sv}}},
    {"\n"sv, {{""sv, "\n"sv}}},
    {"\n\r\n\n"sv, {{""sv, "\n"sv}, {""sv, "\r\n"sv}, {""sv, "\n"sv}}},
    {"a\r"sv, {{"a\r"sv, ""sv}}},              // a lone CR belongs to the line
    {"a\rb\r\r\n"sv, {{"a\rb\r"sv, "\r\n"sv}}},
    {" ab \n"sv, {{" ab "sv, "\n"sv}}},         // nothing is trimmed
    {"a\0b\n\0"sv, {{"a\0b"sv, "\n"sv}, {"\0"sv, ""sv}}},
};

std::string Framed(const std::vector<Line>& lines, std::string_view prefix, std::string_view suffix) {
  std::string out;
  for (const auto& line : lines) out += std::string(prefix) + std::string(line.text) + std::string(suffix) + std::string(line.terminator);
  return out;
}

TEST(CliDecorate, FramesEachLineInBothEncodings) {
  for (const std::size_t style : {1u, 8u, 18u, 20u}) {
    const auto& row = NicknameStyleTable[style - 1];
    for (const auto& c : kFramingCases) {
      const std::string label = "style " + std::to_string(style) + ", " + Printable(c.input);
      const Outcome gbk = RunCli({"--gbk", "decorate", std::to_string(style)}, c.input);
      EXPECT_EQ(gbk.status, 0) << label;
      EXPECT_EQ(gbk.out, Framed(c.lines, row.prefix, row.suffix)) << label;
      const Outcome utf8 = RunCli({"decorate", std::to_string(style)}, c.input);
      EXPECT_EQ(utf8.status, 0) << label;
      EXPECT_EQ(utf8.out, Framed(c.lines, vantrelle::cli::GbkToUtf8(row.prefix), vantrelle::cli::GbkToUtf8(row.suffix)))
          << label;
    }
  }
}

TEST(CliDecorate, LinesAreCopiedByteForByte) {
  const auto& row = NicknameStyleTable[14];  // ╰ … ╮
  // UTF-8 lines keep characters GBK cannot encode.
  const Outcome utf8 = RunCli({"decorate", "15"}, "QQ寶贝😀\n字\r\n");
  EXPECT_EQ(utf8.out, "╰QQ寶贝😀╮\n╰字╮\r\n");
  // A GBK lead byte at the end of a line does not take its LF.
  const Outcome gbk = RunCli({"--gbk", "decorate", "15"}, "\x81\n\xD7\xD6\xFF\r\n");
  EXPECT_EQ(gbk.out, std::string(row.prefix) + "\x81" + std::string(row.suffix) + "\n" + std::string(row.prefix) +
                         "\xD7\xD6\xFF" + std::string(row.suffix) + "\r\n");
}

TEST(CliDecorate, StyleNumbersFollowTableOrder) {
  for (std::size_t style = 1; style <= NicknameStyleTable.size(); ++style) {
    const Outcome outcome = RunCli({"--gbk", "decorate", std::to_string(style)}, "ab\n");
    EXPECT_EQ(outcome.out, vantrelle::DecorateNickname(NicknameStyleTable[style - 1], "ab") + "\n") << style;
  }
}

// The twenty styles as code page 936 shows their prefix and suffix bytes.
constexpr std::string_view kStyleGlyphs[][2] = {
    {"＂", "゛"}, {"ぐ", "゛"},  {"〆﹏", "丶"}, {"︶ㄣ", "↗"},  {"っ", "◇"},    {"乄", "゛ミ"}, {"ら", "﹌"},
    {"╭＂", ".╮"}, {"ε●з", "丶"}, {"＂", "゛"},   {"「、", "╮"}, {"ζ", "╮"},     {"り", "╰﹀"}, {"─━☆", "＇"},
    {"╰", "╮"},   {"∝", "ら"},    {"╰＇", "゛"},  {"_Smile", "ヾ"}, {"＂", "ゝ"}, {"り、", "?"},
};

TEST(CliStyles, ListsTheTwentyStylesWithASample) {
  std::string utf8, gbk;
  for (std::size_t i = 0; i < 20; ++i) {
    const std::string number = std::to_string(i + 1);
    const std::string prefix(kStyleGlyphs[i][0]), suffix(kStyleGlyphs[i][1]);
    utf8 += number + "\t" + prefix + "\t" + suffix + "\t" + prefix + "QQ寶贝" + suffix + "\n";
    const auto& row = NicknameStyleTable[i];
    gbk += number + "\t" + std::string(row.prefix) + "\t" + std::string(row.suffix) + "\t" + std::string(row.prefix) +
           "QQ\x8C\x9A\xB1\xB4" + std::string(row.suffix) + "\n";
  }
  const Outcome plain = RunCli({"styles"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, utf8);
  const Outcome raw = RunCli({"--gbk", "styles"});
  EXPECT_EQ(raw.status, 0);
  EXPECT_EQ(raw.out, gbk);
}

}  // namespace
