// ToTraditional and its table TraditionalMap.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "bytes.h"
#include "gbk_facts.h"
#include "generated/traditional_map.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using test::FromHex;
using test::ToHex;

struct ConversionCase {
  const char* name;
  const char* in;   // hex
  const char* out;  // hex
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name << " [" << c.in << "]"; }

class Traditional : public testing::TestWithParam<ConversionCase> {};

TEST_P(Traditional, ConvertsCharacterByCharacter) {
  EXPECT_EQ(ToHex(ToTraditional(FromHex(GetParam().in))), ToHex(FromHex(GetParam().out)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Traditional,
    testing::Values(
        ConversionCase{"Empty", "", ""},
        // 输入需要转换的内容 -> 輸入需要轉換的內容: 输 转 换 内 change.
        ConversionCase{"InitialEditText", "CA E4 C8 EB D0 E8 D2 AA D7 AA BB BB B5 C4 C4 DA C8 DD",
                       "DD 94 C8 EB D0 E8 D2 AA DE 44 93 51 B5 C4 83 C8 C8 DD"},
        ConversionCase{"AsciiWithLineBreaks", "51 51 0D 0A 20 7E 0A", "51 51 0D 0A 20 7E 0A"},
        // QQ网名123 -> QQ網名123
        ConversionCase{"Mixed", "51 51 CD F8 C3 FB 31 32 33", "51 51 BE 57 C3 FB 31 32 33"},
        // “你好” -> 『你好』
        ConversionCase{"CurlyQuotes", "A1 B0 C4 E3 BA C3 A1 B1", "A1 BA C4 E3 BA C3 A1 BB"},
        ConversionCase{"SingleCurlyQuotes", "A1 AE A1 AF", "A1 B8 A1 B9"},  // ‘’ -> 「」
        // 國們 is Traditional already.
        ConversionCase{"TraditionalUnchanged", "87 F8 82 83", "87 F8 82 83"},
        // A lead byte followed by a space takes the space; 国 after it changes.
        ConversionCase{"LeadTakesSpace", "B9 20 B9 FA", "B9 20 87 F8"},
        ConversionCase{"Byte80TakesItsFollower", "80 41 B9 FA", "80 41 87 F8"},
        // 80 B9 is a unit, then FA 41 is one too: the walk never re-synchronises.
        ConversionCase{"Byte80ShiftsPairing", "80 B9 FA 41", "80 B9 FA 41"},
        ConversionCase{"LeadFFUnchanged", "FF B9 FA", "FF B9 FA"},
        ConversionCase{"LoneFinalLead", "B9 FA B9", "87 F8 B9"},
        ConversionCase{"TrailBelow40", "B9 0D 0A", "B9 0D 0A"},
        ConversionCase{"Trail7FAndFF", "B9 7F B9 FF", "B9 7F B9 FF"},
        // A trail byte 0x40-0x7E belongs to its lead: 8C 41 is one character.
        ConversionCase{"LetterAsTrailByte", "85 A5 85 41", "EC 61 85 41"},  // 叆 -> 靉
        ConversionCase{"NulInside", "B9 FA 00 B9 FA", "87 F8 00 87 F8"},
        // Full-width punctuation other than the curly quotes: ，。、《》！？：；
        ConversionCase{"FullWidthPunctuation", "A3 AC A1 A3 A1 A2 A1 B6 A1 B7 A3 A1 A3 BF A3 BA A3 BB",
                       "A3 AC A1 A3 A1 A2 A1 B6 A1 B7 A3 A1 A3 BF A3 BA A3 BB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Traditional, ConvertingTwiceChangesNothingMore) {
  const std::string once = ToTraditional(FromHex("CA E4 C8 EB D0 E8 D2 AA D7 AA BB BB B5 C4 C4 DA C8 DD A1 B0"));
  EXPECT_EQ(ToHex(ToTraditional(once)), ToHex(once));
}

// --- the table ---------------------------------------------------------------

const unsigned char* Cell(unsigned lead, unsigned trail) {
  const unsigned column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
  return TraditionalMap[lead - 0x81][column];
}

// Calls f(lead, trail) for every byte pair the table covers.
template <typename F>
void ForEachCell(F f) {
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
      if (trail != 0x7F) f(lead, trail);
}

bool Changes(unsigned lead, unsigned trail) {
  const unsigned char* cell = Cell(lead, trail);
  return cell[0] != lead || cell[1] != trail;
}

// Source and replacement bytes, as one hex text of 4-byte pairs.
void ExpectCells(const char* pairsHex) {
  const std::string pairs = FromHex(pairsHex);
  ASSERT_EQ(pairs.size() % 4, 0u);
  for (std::size_t i = 0; i < pairs.size(); i += 4) {
    const auto lead = static_cast<unsigned char>(pairs[i]);
    const auto trail = static_cast<unsigned char>(pairs[i + 1]);
    const unsigned char* cell = Cell(lead, trail);
    const std::string got{static_cast<char>(cell[0]), static_cast<char>(cell[1])};
    EXPECT_EQ(ToHex(got), ToHex(pairs.substr(i + 2, 2))) << "cell " << ToHex(pairs.substr(i, 2));
  }
}

TEST(TraditionalMap, TellingCells) {
  ExpectCells(
      "B9 FA 87 F8  C3 C7 82 83  B7 A2 B0 6C  B8 C9 C7 AC  BA F3 E1 E1"    // 国國 们們 发發 干乾 后後
      "C0 EF D1 65  CC A8 C5 5F  D7 C5 D6 F8  B3 C1 C9 F2  D9 DB D9 E0"    // 里裡 台臺 着著 沉沈 氽汆
      "D3 E0 F0 4E  E2 C5 F0 4E  85 A5 EC 61  81 DD BB B2  B6 70 BE AC"    // 余餘 馀餘 叆靉 佪徊 秔粳
      "A1 B0 A1 BA  A1 B1 A1 BB  A1 AE A1 B8  A1 AF A1 B9"                 // “『 ”』 ‘「 ’」
      "C3 E6 C3 E6  87 F8 87 F8");                                         // 面面 國國
}

TEST(TraditionalMap, FixedFormsAmongSeveral) {
  // 复復 几幾 钟鍾 冲沖 历歷 才纔 舍捨 汇匯 获獲 尽盡 脏髒 么麼 叶葉 划劃 党黨
  ExpectCells(
      "B8 B4 8F CD  BC B8 8E D7  D6 D3 E6 52  B3 E5 9B 5F  C0 FA 9A 76  B2 C5 C0 75"
      "C9 E1 92 CE  BB E3 85 52  BB F1 AB 40  BE A1 B1 4D  D4 E0 F3 76  C3 B4 FC 4E"
      "D2 B6 C8 7E  BB AE 84 9D  B5 B3 FC 68");
}

TEST(TraditionalMap, ReplacementsInsideGb2312AndVariantForms) {
  // 于於 咤吒 噼劈; 嘑呼 櫈凳 稭秸 粃秕 緥褓 貛獾 髠髡; 咨諮 谘諮 鲇鯰 鲶鯰
  ExpectCells(
      "D3 DA EC B6  DF E5 DF B8  E0 E8 C5 FC"
      "87 46 BA F4  99 9E B5 CA  B7 4D BD D5  BB 7A EF F5  BE 8B F1 D9  D8 8E E2 B5  F3 82 F7 D5"
      "D7 C9 D6 4A  DA D1 D6 4A  F6 D3 F6 54  F6 F3 F6 54");
}

TEST(TraditionalMap, CharactersLeftAlone) {
  // 面 系 松 只 范 谷 斗 制 表 征 丑 千 回 准 朴 出 向 郁 困 苹 涂 淀 游 御 岳 姜 羡 蜡 霉
  const std::string chars = FromHex(
      "C3 E6 CF B5 CB C9 D6 BB B7 B6 B9 C8 B6 B7 D6 C6 B1 ED D5 F7 B3 F3 C7 A7 BB D8 D7 BC C6 D3"
      "B3 F6 CF F2 D3 F4 C0 A7 C6 BB CD BF B5 ED D3 CE D3 F9 D4 C0 BD AA CF DB C0 AF C3 B9");
  for (std::size_t i = 0; i < chars.size(); i += 2)
    EXPECT_FALSE(Changes(static_cast<unsigned char>(chars[i]), static_cast<unsigned char>(chars[i + 1])))
        << ToHex(chars.substr(i, 2));
}

TEST(TraditionalMap, EveryReplacementIsAnAssignedCharacterThatDoesNotChangeAgain) {
  ForEachCell([](unsigned lead, unsigned trail) {
    if (!Changes(lead, trail)) return;
    const unsigned char* cell = Cell(lead, trail);
    const std::string source{static_cast<char>(lead), static_cast<char>(trail)};
    const std::string replacement{static_cast<char>(cell[0]), static_cast<char>(cell[1])};
    EXPECT_NE(test::CodePointAt(source, 0), 0u) << "unassigned source " << ToHex(source);
    ASSERT_NE(test::CodePointAt(replacement, 0), 0u) << ToHex(source) << " -> " << ToHex(replacement);
    EXPECT_FALSE(Changes(cell[0], cell[1])) << ToHex(source) << " -> " << ToHex(replacement) << " changes again";
  });
}

TEST(TraditionalMap, UnassignedCodesAndUserAreasHoldTheirOwnCode) {
  ForEachCell([](unsigned lead, unsigned trail) {
    const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    const bool userArea = (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1) ||
                          (lead >= 0xF8 && trail >= 0xA1) || (lead >= 0xA1 && lead <= 0xA7 && trail < 0xA1);
    if (userArea || test::CodePointAt(pair, 0) == 0) {
      EXPECT_FALSE(Changes(lead, trail)) << ToHex(pair);
    }
  });
}

// Only the four curly quotation marks change among the punctuation row, and
// every other changing cell is an ideograph becoming an ideograph.
TEST(TraditionalMap, OnlyIdeographsAndTheCurlyQuotesChange) {
  std::set<std::string> punctuation;
  ForEachCell([&](unsigned lead, unsigned trail) {
    if (!Changes(lead, trail)) return;
    const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    const unsigned char* cell = Cell(lead, trail);
    const std::string replacement{static_cast<char>(cell[0]), static_cast<char>(cell[1])};
    if (lead == 0xA1) {
      punctuation.insert(ToHex(pair));
    } else {
      EXPECT_TRUE(test::IsCjkIdeograph(test::CodePointAt(pair, 0))) << ToHex(pair);
      EXPECT_TRUE(test::IsCjkIdeograph(test::CodePointAt(replacement, 0))) << ToHex(pair);
    }
  });
  EXPECT_EQ(punctuation, (std::set<std::string>{"A1 AE", "A1 AF", "A1 B0", "A1 B1"}));
}

// Replacements inside GB2312 are exactly the few chosen ones, and only 餘, 諮
// and 鯰 are reached from two sources.
TEST(TraditionalMap, Gb2312ReplacementsAndSharedReplacements) {
  std::set<std::string> intoGb2312;
  std::map<std::string, int> sources;
  ForEachCell([&](unsigned lead, unsigned trail) {
    if (!Changes(lead, trail) || lead == 0xA1) return;
    const unsigned char* cell = Cell(lead, trail);
    const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    const std::string replacement{static_cast<char>(cell[0]), static_cast<char>(cell[1])};
    if (test::InGb2312Ideographs(cell[0], cell[1])) intoGb2312.insert(ToHex(pair + replacement));
    ++sources[ToHex(replacement)];
  });
  // 干乾 后後 着著 沉沈 氽汆 于於 咤吒 噼劈 佪徊 秔粳 嘑呼 櫈凳 稭秸 粃秕 緥褓 貛獾 髠髡
  const std::set<std::string> chosen = {
      "B8 C9 C7 AC", "BA F3 E1 E1", "D7 C5 D6 F8", "B3 C1 C9 F2", "D9 DB D9 E0", "D3 DA EC B6",
      "DF E5 DF B8", "E0 E8 C5 FC", "81 DD BB B2", "B6 70 BE AC", "87 46 BA F4", "99 9E B5 CA",
      "B7 4D BD D5", "BB 7A EF F5", "BE 8B F1 D9", "D8 8E E2 B5", "F3 82 F7 D5"};
  EXPECT_EQ(intoGb2312, chosen);
  std::set<std::string> shared;
  for (const auto& [replacement, count] : sources)
    if (count > 1) shared.insert(replacement + " x" + std::to_string(count));
  EXPECT_EQ(shared, (std::set<std::string>{"F0 4E x2", "D6 4A x2", "F6 54 x2"}));  // 餘 諮 鯰
}

}  // namespace
}  // namespace vantrelle
