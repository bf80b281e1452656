// DecorateNickname and NicknameStyleTable.
#include <gtest/gtest.h>

#include <string>

#include "bytes.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using test::FromHex;
using test::ToHex;

struct StyleRow {
  const char* button;  // the digits after 单选框
  std::uint32_t id;
  const char* prefix;  // hex
  const char* suffix;  // hex
};

// The twenty rows in the order the decorate action tests them.
constexpr StyleRow kRows[kNicknameStyleCount] = {
    {"4", 0x16010019, "A3 A2", "A9 61"},                    // ＂ ゛
    {"5", 0x16010018, "A4 B0", "A9 61"},                    // ぐ ゛
    {"6", 0x16010017, "A9 65 A9 6E", "D8 BC"},              // 〆﹏ 丶
    {"7", 0x16010016, "A6 E1 A8 E3", "A8 4A"},              // ︶ㄣ ↗
    {"8", 0x16010015, "A4 C3", "A1 F3"},                    // っ ◇
    {"9", 0x16010014, "81 57", "A9 61 A5 DF"},              // 乄 ゛ミ
    {"10", 0x16010013, "A4 E9", "A9 6B"},                   // ら ﹌
    {"11", 0x16010012, "A8 71 A3 A2", "2E A8 72"},          // ╭＂ .╮
    {"12", 0x16010011, "A6 C5 A1 F1 A7 D9", "D8 BC"},       // ε●з 丶
    {"13", 0x16010010, "A3 A2", "A9 61"},                   // ＂ ゛
    {"14", 0x1601000F, "A1 B8 A1 A2", "A8 72"},             // 「、 ╮
    {"15", 0x1601000E, "A6 C6", "A8 72"},                   // ζ ╮
    {"16", 0x1601000D, "A4 EA", "A8 74 A6 E5"},             // り ╰﹀
    {"17", 0x1601000C, "A9 A4 A9 A5 A1 EE", "A3 A7"},       // ─━☆ ＇
    {"18", 0x1601000B, "A8 74", "A8 72"},                   // ╰ ╮
    {"19", 0x1601000A, "A1 D8", "A4 E9"},                   // ∝ ら
    {"20", 0x16010009, "A8 74 A3 A7", "A9 61"},             // ╰＇ ゛
    {"21", 0x16010008, "5F 53 6D 69 6C 65", "A9 64"},       // _Smile ヾ
    {"22", 0x16010007, "A3 A2", "A9 66"},                   // ＂ ゝ
    {"23", 0x16010006, "A4 EA A1 A2", "3F"},                // り、 ?
};

TEST(NicknameStyleTable, RowsHoldTheirButtonsAndBytes) {
  for (std::size_t i = 0; i < kNicknameStyleCount; ++i) {
    const NicknameStyle& style = NicknameStyleTable[i];
    const StyleRow& want = kRows[i];
    SCOPED_TRACE("row " + std::to_string(i + 1));
    EXPECT_EQ(style.buttonName, FromHex("B5 A5 D1 A1 BF F2") + want.button);  // 单选框N
    EXPECT_EQ(style.buttonId, want.id);
    EXPECT_EQ(ToHex(style.prefix), ToHex(FromHex(want.prefix)));
    EXPECT_EQ(ToHex(style.suffix), ToHex(FromHex(want.suffix)));
  }
}

struct DecorateCase {
  const char* name;
  std::size_t row;       // 1-20
  const char* nickname;  // hex
  const char* result;    // hex
};

void PrintTo(const DecorateCase& c, std::ostream* os) { *os << c.name << ", row " << c.row; }

class DecorateNicknameCases : public testing::TestWithParam<DecorateCase> {};

TEST_P(DecorateNicknameCases, JoinsPrefixNicknameSuffix) {
  const auto& c = GetParam();
  const NicknameStyle& style = NicknameStyleTable[c.row - 1];
  const std::string nickname = FromHex(c.nickname);
  const std::string want = FromHex(c.result);
  EXPECT_EQ(ToHex(DecorateNickname(style, nickname)), ToHex(want));
  EXPECT_EQ(DecoratedLength(style, nickname), want.size());

  std::string buffer(want.size() + 2, '\x5A');
  DecorateNicknameInto(style, nickname, buffer.data());
  EXPECT_EQ(ToHex(buffer), ToHex(want + "\x5A\x5A"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecorateNicknameCases,
    testing::Values(
        DecorateCase{"EmptyNickname", 1, "", "A3 A2 A9 61"},
        DecorateCase{"SmileAbc", 18, "61 62 63", "5F 53 6D 69 6C 65 61 62 63 A9 64"},
        DecorateCase{"AsciiQuestionMark", 20, "61 62 63", "A4 EA A1 A2 61 62 63 3F"},
        DecorateCase{"AsciiFullStopInSuffix", 8, "61 62 63", "A8 71 A3 A2 61 62 63 2E A8 72"},
        DecorateCase{"SpacesKept", 15, "20 61 62 20", "A8 74 20 61 62 20 A8 72"},
        // QQ寶贝, the sample of the captions.
        DecorateCase{"Sample", 6, "51 51 8C 9A B1 B4", "81 57 51 51 8C 9A B1 B4 A9 61 A5 DF"},
        // A nickname of twenty characters, well past the advice of twelve.
        DecorateCase{"TwentyCharacters", 2,
                     "B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1"
                     "B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1",
                     "A4 B0 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1"
                     "B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 B0 A1 A9 61"},
        // Bytes that form no GBK character are copied as they are, a final
        // lone lead byte included: the nickname is never walked.
        DecorateCase{"MalformedNicknameCopied", 3, "80 FF 41 C4", "A9 65 A9 6E 80 FF 41 C4 D8 BC"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecorateNickname, RowsOneAndTenAgree) {
  for (const char* hex : {"", "51 51 8C 9A B1 B4", "20"}) {
    const std::string nickname = FromHex(hex);
    EXPECT_EQ(DecorateNickname(NicknameStyleTable[0], nickname), DecorateNickname(NicknameStyleTable[9], nickname));
  }
}

}  // namespace
}  // namespace vantrelle
