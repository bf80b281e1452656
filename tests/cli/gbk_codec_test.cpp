// The GBK codec of vantrelle-text: the generated table against itself and
// known characters, UTF-8 validation, and the run splitting of ServeUtf8.
#include "gbk_codec.h"

#include <gtest/gtest.h>

#include <string>

#include "generated/gbk_codec_table.h"
#include "utf8_cases.h"

namespace vantrelle::cli {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

TEST(GbkCodec, EveryTwoByteCharacterRoundTrips) {
  std::size_t characters = 0;
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const char32_t code = DecodeGbkChar(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      if (code == 0) continue;
      ++characters;
      EXPECT_TRUE(lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F)
          << std::hex << lead << ' ' << trail;
      EXPECT_GE(code, 0x80u);
      EXPECT_EQ(EncodeGbkChar(code), lead << 8 | trail) << std::hex << "U+" << static_cast<std::uint32_t>(code);
    }
  }
  EXPECT_EQ(characters, kGbkCharacterCount);
  EXPECT_EQ(characters, 21791u);  // the two-byte characters of GBK

  // And the other way: whatever encodes decodes back to itself.
  std::size_t encodable = 0;
  for (char32_t code = 0; code <= 0x10FFFF; ++code) {
    const std::uint16_t gbk = EncodeGbkChar(code);
    if (gbk == 0) continue;
    ++encodable;
    EXPECT_EQ(DecodeGbkChar(gbk >> 8, gbk & 0xFF), code) << std::hex << "U+" << static_cast<std::uint32_t>(code);
  }
  EXPECT_EQ(encodable, characters);
}

TEST(GbkCodec, KnownCharacters) {
  static constexpr struct {
    char32_t code;
    std::uint16_t gbk;  // 0: GBK has no such two-byte character
  } kCases[] = {
      {U'字', 0xD7D6}, {U'寶', 0x8C9A}, {U'贝', 0xB1B4}, {U'乄', 0x8157}, {U'＂', 0xA3A2},
      {U'丶', 0xD8BC}, {U'龟', 0xB9EA}, {U'鸚', 0xFB57}, {U'·', 0xA1A4}, {U'\u2014', 0xA1AA},
      {U'啊', 0xB0A1}, {U'齄', 0xF7FE}, {U'\u20AC', 0},  // euro: 0x80 only in code page 936
      {U'\U0001F600', 0}, {U'\uE000', 0},  // emoji; private use
      {U'\uFEFF', 0}, {U'A', 0},  // byte-order mark; ASCII is one byte, not two
  };
  for (const auto& c : kCases) EXPECT_EQ(EncodeGbkChar(c.code), c.gbk) << std::hex << "U+" << static_cast<std::uint32_t>(c.code);
}

TEST(GbkCodec, BytesOutsideTheTableDecodeToNothing) {
  static constexpr unsigned char kPairs[][2] = {
      {0x80, 0x40}, {0xFF, 0x40}, {0x81, 0x3F}, {0x81, 0x7F}, {0x81, 0xFF}, {0xA1, 0x40}, {0xAA, 0xA1}, {0xD7, 0xFA},
  };
  for (const auto& p : kPairs) EXPECT_EQ(DecodeGbkChar(p[0], p[1]), 0u) << std::hex << +p[0] << ' ' << +p[1];
}

TEST(GbkCodec, GbkToUtf8MarksWhatGbkDoesNotAssign) {
  static constexpr struct {
    std::string_view gbk, utf8;
  } kCases[] = {
      {""sv, ""sv},
      {"QQ\x8C\x9A\xB1\xB4"sv, "QQ寶贝"sv},
      {"a\0b"sv, "a\0b"sv},
      {"\x80"sv, "\uFFFD"sv},
      {"\x81\x7F" "x"sv, "\uFFFDx"sv},
      {"\xD7\xD6\xFF"sv, "字\uFFFD"sv},  // a last lone lead byte stands alone
      {"\x81\x0A"sv, "\uFFFD"sv},  // the walk pairs the lead with whatever follows
  };
  for (const auto& c : kCases) EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
}

TEST(Utf8Validation, RefusesIllFormedSequencesAtTheirFirstByte) {
  for (const auto& c : test::kInvalidUtf8Cases) EXPECT_EQ(FindInvalidUtf8(c.bytes), c.offset) << c.what;
}

TEST(Utf8Validation, AcceptsEveryBoundaryOfWellFormedUtf8) {
  static constexpr std::string_view kValid[] = {
      ""sv,
      "\0\x7F"sv,
      "\xC2\x80\xDF\xBF"sv,                  // U+0080, U+07FF
      "\xE0\xA0\x80\xED\x9F\xBF"sv,          // U+0800, U+D7FF
      "\xEE\x80\x80\xEF\xBF\xBF"sv,          // U+E000, U+FFFF
      "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"sv,  // U+10000, U+10FFFF
  };
  for (const auto text : kValid) EXPECT_EQ(FindInvalidUtf8(text), std::nullopt) << testing::PrintToString(text);
}

// Services that show what ServeUtf8 hands them and what it does with the result.
std::string EveryPairToAh(std::string_view gbk) {
  std::string out(gbk);
  for (std::size_t i = 0; i < out.size(); ++i)
    if (static_cast<unsigned char>(out[i]) >= 0x80 && i + 1 < out.size()) out.replace(i++, 2, "\xB0\xA1");
  return out;
}
std::string EveryPairUnassigned(std::string_view gbk) {
  std::string out(gbk);
  for (std::size_t i = 0; i < out.size(); ++i)
    if (static_cast<unsigned char>(out[i]) >= 0x80 && i + 1 < out.size()) out.replace(i++, 2, "\x80\x40");
  return out;
}
std::string Identity(std::string_view gbk) { return std::string(gbk); }

TEST(ServeUtf8, ServesEncodableRunsAndPassesTheRestThrough) {
  static constexpr struct {
    GbkService service;
    std::string_view input, output;
  } kCases[] = {
      {EveryPairToAh, ""sv, ""sv},
      {EveryPairToAh, "字 a\n"sv, "啊 a\n"sv},
      {EveryPairToAh, "字😀他"sv, "啊😀啊"sv},
      {EveryPairToAh, "😀字"sv, "😀啊"sv},
      {EveryPairToAh, "€\uE000\uFEFF字"sv, "€\uE000\uFEFF啊"sv},
      {EveryPairToAh, "a\0字"sv, "a\0啊"sv},
      {Identity, "QQ寶贝 😀 \U0010FFFF ok"sv, "QQ寶贝 😀 \U0010FFFF ok"sv},
      // A service result that GBK cannot decode keeps the input character.
      {EveryPairUnassigned, "字😀寶 x"sv, "字😀寶 x"sv},
  };
  for (const auto& c : kCases) EXPECT_EQ(ServeUtf8(c.input, c.service), c.output) << c.input;
}

}  // namespace
}  // namespace vantrelle::cli
