// ToMartianScript and its table MartianPlain / MartianGlyph.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "bytes.h"
#include "gbk_codec.h"
#include "gbk_facts.h"
#include "generated/martian_table.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using test::FromHex;
using test::ToHex;

constexpr std::string_view kPlain{MartianPlain, sizeof MartianPlain - 1};
constexpr std::string_view kGlyph{MartianGlyph, sizeof MartianGlyph - 1};
constexpr std::size_t kRows = kPlain.size() / 2;
constexpr std::size_t kHeadRows = 270;

std::string PlainAt(std::size_t row) { return std::string(kPlain.substr(2 * row, 2)); }
std::string GlyphAt(std::size_t row) { return std::string(kGlyph.substr(2 * row, 2)); }

struct ConversionCase {
  const char* name;
  const char* in;   // hex
  const char* out;  // hex
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name << " [" << c.in << "]"; }

class MartianScript : public testing::TestWithParam<ConversionCase> {};

TEST_P(MartianScript, ConvertsCharacterByCharacter) {
  const std::string in = FromHex(GetParam().in);
  EXPECT_EQ(ToHex(ToMartianScript(in)), ToHex(FromHex(GetParam().out)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MartianScript,
    testing::Values(
        ConversionCase{"Empty", "", ""},
        // QQ火星文 -> QQ吙煋攵: the letters stay, rows 99, 101, 102.
        ConversionCase{"QqMartian", "51 51 BB F0 D0 C7 CE C4", "51 51 85 BF 9F 93 EB B6"},
        // 转换为火星字 -> 轉換為吙煋芓: tail rows 1985, 837, 286, head rows 99, 101, 0.
        ConversionCase{"ButtonCaption", "D7 AA BB BB CE AA BB F0 D0 C7 D7 D6", "DE 44 93 51 9E E9 85 BF 9F 93 C6 54"},
        // 中 -> ф (row 152), never the Φ (A6 B5) of row 214.
        ConversionCase{"LowestRowWinsForZhong", "D6 D0", "A7 E6"},
        // 他来了 -> 彵唻叻: 他 row 1 not 221 (怹), 来 row 70 not 232 or 902 (來).
        ConversionCase{"LowestRowWinsForTaLai", "CB FB C0 B4 C1 CB", "8F B1 86 8B DF B7"},
        // 玻璃 -> 箥璃: row 59 maps 璃 to itself.
        ConversionCase{"SelfMappedRow", "B2 A3 C1 A7", "B9 8D C1 A7"},
        // 乱对 -> 亂對 from rows 298 and 639; their bytes also stand across
        // rows 3|4 and 4|5, which are not matches.
        ConversionCase{"StraddlingPairsNeverMatch", "C2 D2 B6 D4", "81 79 8C A6"},
        // Ａ (A3 C1) stands across rows 58|59 only: unchanged.
        ConversionCase{"FullWidthLetterUnchanged", "A3 C1", "A3 C1"},
        // 火 CR LF 星 -> 吙 CR LF 煋.
        ConversionCase{"LineBreaksStay", "BB F0 0D 0A D0 C7", "85 BF 0D 0A 9F 93"},
        // 0x80 takes BB; F0 D0 is 鹦 -> 鸚 (FB 57); the final C7 stands alone.
        ConversionCase{"StrayByte80ShiftsPairing", "80 BB F0 D0 C7", "80 BB FB 57 C7"},
        ConversionCase{"LeadFFWithLetter", "FF 41", "FF 41"},
        ConversionCase{"LeadTakesCarriageReturn", "81 0D 0A", "81 0D 0A"},
        ConversionCase{"LoneFinalLead", "41 C4", "41 C4"},
        ConversionCase{"LoneLeadAfterIdeograph", "BB F0 C4", "85 BF C4"},
        // A NUL is an ordinary one-byte character; the walk goes on after it.
        ConversionCase{"NulInside", "BB F0 00 D0 C7", "85 BF 00 9F 93"},
        ConversionCase{"ControlCharacters", "09 1B 7F", "09 1B 7F"},
        // 马 -> 骉 (row 240); 骉 -> 驫 (row 2567); 幺 -> 么 (707); 么 -> 仫 (162).
        ConversionCase{"Ma", "C2 ED", "F3 54"},
        ConversionCase{"MaTwice", "F3 54", "F3 51"},
        ConversionCase{"Yao", "E7 DB", "C3 B4"},
        ConversionCase{"YaoTwice", "C3 B4", "D8 EF"},
        ConversionCase{"QqMartianTwice", "51 51 85 BF 9F 93 EB B6", "51 51 85 BF 9F 93 EB B6"},
        // Long runs of one-byte characters around a character, so the
        // word-at-a-time copy meets a lead byte at every offset.
        ConversionCase{"LeadAfterLongAsciiRun", "41 42 43 44 45 46 47 48 49 4A 4B BB F0 4C",
                       "41 42 43 44 45 46 47 48 49 4A 4B 85 BF 4C"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MartianScript, IntoWritesExactlyTheInputLength) {
  const std::string in = FromHex("51 51 BB F0 D0 C7 CE C4 C4");
  std::string out(in.size() + 8, '\x5A');
  ToMartianScriptInto(in, out.data());
  EXPECT_EQ(ToHex(out), ToHex(FromHex("51 51 85 BF 9F 93 EB B6 C4 5A 5A 5A 5A 5A 5A 5A 5A")));
}

// --- the table ---------------------------------------------------------------

TEST(MartianTable, HasTwoEqualTextsOfDoubleByteRows) {
  EXPECT_EQ(kPlain.size(), kGlyph.size());
  EXPECT_EQ(kPlain.size() % 2, 0u);
  EXPECT_EQ(kRows, 2826u);
  EXPECT_EQ(kPlain.find('\0'), std::string_view::npos);
  EXPECT_EQ(kGlyph.find('\0'), std::string_view::npos);
}

TEST(MartianTable, EveryCharacterIsAnAssignedGbkCharacter) {
  for (std::size_t row = 0; row < kRows; ++row) {
    for (std::string_view text : {kPlain, kGlyph}) {
      const auto lead = static_cast<unsigned char>(text[2 * row]);
      const auto trail = static_cast<unsigned char>(text[2 * row + 1]);
      EXPECT_TRUE(lead >= 0x81 && lead <= 0xFD && trail >= 0x40 && trail <= 0xFE) << "row " << row;
      EXPECT_NE(test::CodePointAt(text, 2 * row), 0u) << "row " << row;
    }
    EXPECT_TRUE(test::IsCjkIdeograph(test::CodePointAt(kPlain, 2 * row))) << "plain of row " << row;
  }
}

// The head is the data file it is generated from, in the same order, with
// each glyph in GBK.
TEST(MartianTable, HeadIsTheHeadDataEncoded) {
  std::ifstream data(VANTRELLE_MARTIAN_HEAD);
  ASSERT_TRUE(data) << VANTRELLE_MARTIAN_HEAD;
  std::string expectPlain, expectGlyph, line;
  auto encode = [](const std::string& utf8) {
    std::string gbk;
    for (std::size_t i = 0; i < utf8.size();) {
      // The head holds characters of two- and three-byte UTF-8 (ф, Φ; the rest).
      const auto b = [&](std::size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
      char32_t cp;
      if ((b(0) & 0xE0) == 0xC0) {
        cp = (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
        i += 2;
      } else {
        EXPECT_EQ(b(0) & 0xF0, 0xE0) << "offset " << i;
        cp = (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
        i += 3;
      }
      const std::uint16_t code = cli::EncodeGbkChar(cp);
      EXPECT_NE(code, 0) << "U+" << std::hex << static_cast<unsigned>(cp);
      gbk += static_cast<char>(code >> 8);
      gbk += static_cast<char>(code & 0xFF);
    }
    return gbk;
  };
  while (std::getline(data, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto first = line.find(' '), second = line.find(' ', first + 1);
    expectPlain += encode(line.substr(first + 1, second - first - 1));
    expectGlyph += encode(line.substr(second + 1));
  }
  ASSERT_EQ(expectPlain.size(), 2 * kHeadRows);
  EXPECT_EQ(ToHex(kPlain.substr(0, 2 * kHeadRows)), ToHex(expectPlain));
  EXPECT_EQ(ToHex(kGlyph.substr(0, 2 * kHeadRows)), ToHex(expectGlyph));
}

// Rows whose bytes are fixed: the first rows of the head, the fourteen glyphs
// that are not ideographs (ロ is katakana A5 ED, not 口), and the telling rows
// of the tail.
struct RowCase {
  std::size_t row;
  const char* plain;  // hex
  const char* glyph;  // hex
};

TEST(MartianTable, FixedRows) {
  const RowCase cases[] = {
      {0, "D7 D6", "C6 54"},      // 字 芓
      {1, "CB FB", "8F B1"},      // 他 彵
      {59, "C1 A7", "C1 A7"},     // 璃 璃
      {27, "B6 FE", "A2 DA"},     // 二 ②
      {84, "CA AE", "A9 E3"},     // 十 ┿
      {98, "B4 A8", "A9 42"},     // 川 〣
      {103, "D6 AE", "A4 CE"},    // 之 の
      {104, "B0 EC", "A4 AB"},    // 办 か
      {105, "D4 AA", "A4 A8"},    // 元 え
      {130, "D5 FD", "A9 49"},    // 正 ㊣
      {133, "BC B1", "A4 F1"},    // 急 ゑ
      {140, "D2 BB", "A9 A9"},    // 一 ┅
      {152, "D6 D0", "A7 E6"},    // 中 ф
      {207, "B6 F9", "A8 E6"},    // 儿 ㄦ
      {211, "BF DA", "A5 ED"},    // 口 ロ
      {213, "C8 D5", "A8 D6"},    // 日 ㄖ
      {214, "D6 D0", "A6 B5"},    // 中 Φ
      {270, "CD F2", "C8 66"},    // 万 萬
      {286, "CE AA", "9E E9"},    // 为 為
      {298, "C2 D2", "81 79"},    // 乱 亂
      {372, "C4 DA", "83 C8"},    // 内 內
      {459, "C8 FE", "C8 FD"},    // 叁 三
      {544, "B9 FA", "87 F8"},    // 国 國
      {639, "B6 D4", "8C A6"},    // 对 對
      {705, "B8 C9", "8E D6"},    // 干 幹
      {707, "E7 DB", "C3 B4"},    // 幺 么
      {837, "BB BB", "93 51"},    // 换 換
      {902, "C0 B4", "81 ED"},    // 来 來
      {1140, "E1 EB", "C8 AE"},   // 犭 犬
      {1271, "ED DB", "EF E0"},   // 碹 镟
      {1878, "B9 C8", "B7 59"},   // 谷 穀
      {1985, "D7 AA", "DE 44"},   // 转 轉
      {2024, "CA E4", "DD 94"},   // 输 輸
      {2083, "C0 EF", "D1 59"},   // 里 裏
      {2084, "E2 A0", "EE D2"},   // 鉅 钜
      {2567, "F3 54", "F3 51"},   // 骉 驫
      {2777, "F0 D0", "FB 57"},   // 鹦 鸚
      {2822, "C1 FA", "FD 88"},   // 龙 龍
      {2825, "B9 EA", "FD 94"},   // 龟 龜
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToHex(PlainAt(c.row)), ToHex(FromHex(c.plain))) << "plain of row " << c.row;
    EXPECT_EQ(ToHex(GlyphAt(c.row)), ToHex(FromHex(c.glyph))) << "glyph of row " << c.row;
  }
}

TEST(MartianTable, OnlyTheFourteenHeadGlyphsAreNotIdeographs) {
  const std::set<std::size_t> notIdeographs = {27, 84, 98, 103, 104, 105, 130, 133, 140, 152, 207, 211, 213, 214};
  for (std::size_t row = 0; row < kRows; ++row) {
    EXPECT_EQ(test::IsCjkIdeograph(test::CodePointAt(kGlyph, 2 * row)), !notIdeographs.contains(row))
        << "glyph of row " << row;
  }
}

TEST(MartianTable, TailAscendsStrictlyFromWanToGui) {
  char32_t previous = 0;
  for (std::size_t row = kHeadRows; row < kRows; ++row) {
    const char32_t plain = test::CodePointAt(kPlain, 2 * row);
    EXPECT_GT(plain, previous) << "row " << row;
    previous = plain;
  }
  EXPECT_EQ(test::CodePointAt(kPlain, 2 * kHeadRows), U'\u4E07');   // 万
  EXPECT_EQ(test::CodePointAt(kPlain, 2 * (kRows - 1)), U'\u9F9F');  // 龟
}

TEST(MartianTable, OnlyRow59MapsToItself) {
  for (std::size_t row = 0; row < kRows; ++row)
    EXPECT_EQ(PlainAt(row) == GlyphAt(row), row == 59) << "row " << row;
}

// Plain characters that stand in several rows: 月, 来 and 马 in three.
TEST(MartianTable, RepeatedPlainCharacters) {
  std::map<std::string, std::vector<std::size_t>> rows;
  for (std::size_t row = 0; row < kRows; ++row) rows[PlainAt(row)].push_back(row);
  EXPECT_EQ(rows[FromHex("D4 C2")], (std::vector<std::size_t>{33, 229, 255}));  // 月
  EXPECT_EQ(rows[FromHex("C0 B4")], (std::vector<std::size_t>{70, 232, 902}));  // 来
  const auto& ma = rows[FromHex("C2 ED")];                                     // 马
  ASSERT_EQ(ma.size(), 3u);
  EXPECT_EQ(ma[0], 240u);
  EXPECT_EQ(ma[1], 250u);
  EXPECT_GE(ma[2], kHeadRows);
}

}  // namespace
}  // namespace vantrelle
