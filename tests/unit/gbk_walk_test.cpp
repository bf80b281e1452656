// The GBK walk (NextGbkChar) and the joining of texts.
#include "gbk_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bytes.h"

namespace vantrelle {
namespace {

using test::FromHex;

// The character lengths that a walk from the first byte yields.
std::vector<std::size_t> Walk(std::string_view text) {
  std::vector<std::size_t> lengths;
  for (std::size_t i = 0; i < text.size(); i += lengths.back()) lengths.push_back(NextGbkChar(text, i));
  return lengths;
}

struct WalkCase {
  const char* name;
  const char* hex;
  std::vector<std::size_t> lengths;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name << " [" << c.hex << "]"; }

class GbkWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(GbkWalk, CutsCharactersByTheByteRule) {
  EXPECT_EQ(Walk(FromHex(GetParam().hex)), GetParam().lengths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GbkWalk,
    testing::Values(
        WalkCase{"Empty", "", {}},
        WalkCase{"Ascii", "51 51 31", {1, 1, 1}},
        WalkCase{"Ideographs", "BB F0 D0 C7", {2, 2}},                   // 火星
        WalkCase{"LeadTakesCarriageReturn", "81 0D 0A", {2, 1}},
        WalkCase{"LeadTakesSpace", "B9 20 B9 FA", {2, 2}},
        WalkCase{"LeadTakesNul", "B9 00 41", {2, 1}},
        WalkCase{"NulIsOneByte", "00 B9 FA", {1, 2}},
        WalkCase{"Byte80IsALead", "80 41 B9 FA", {2, 2}},
        WalkCase{"ByteFFIsALead", "FF 41", {2}},
        WalkCase{"LoneFinalLead", "41 C4", {1, 1}},
        WalkCase{"OnlyALead", "C4", {1}},
        // A stray 0x80 shifts the pairing of everything after it; the walk
        // never re-synchronises.
        WalkCase{"StrayLeadShiftsPairing", "80 BB F0 D0 C7", {2, 2, 1}},
        WalkCase{"RunOfLeads", "B0 B0 B0 B0 B0", {2, 2, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GbkWalk, IsUsableAtCompileTime) {
  static_assert(NextGbkChar("\xB9\xFA", 0) == 2);
  static_assert(NextGbkChar("\xB9\xFA", 1) == 1);  // a lead byte at the end stands alone
  static_assert(NextGbkChar("A\xB9", 0) == 1);
}

struct JoinCase {
  const char* name;
  std::vector<std::string> parts;  // hex
  const char* joined;              // hex
};

void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.name; }

class JoinTexts : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinTexts, ConcatenatesBytesWithNothingBetween) {
  std::vector<std::string> parts;
  for (const auto& hex : GetParam().parts) parts.push_back(FromHex(hex));
  const std::string want = FromHex(GetParam().joined);
  ASSERT_EQ(parts.size(), 3u);
  const std::initializer_list<std::string_view> views = {parts[0], parts[1], parts[2]};

  EXPECT_EQ(JoinedLength(views), want.size());
  EXPECT_EQ(vantrelle::JoinTexts(views), want);

  // The *Into form writes exactly the joined bytes and nothing after them.
  std::string buffer(want.size() + 4, '\x5A');
  JoinTextsInto(views, buffer.data());
  EXPECT_EQ(buffer.substr(0, want.size()), want);
  EXPECT_EQ(buffer.substr(want.size()), "\x5A\x5A\x5A\x5A");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinTexts,
    testing::Values(
        JoinCase{"AllEmpty", {"", "", ""}, ""},
        JoinCase{"EmptyMiddle", {"A3 A2", "", "A9 61"}, "A3 A2 A9 61"},  // ＂゛
        JoinCase{"SpacesKept", {"A8 74", "20 61 62 20", "A8 72"}, "A8 74 20 61 62 20 A8 72"},
        // Halves of a character in two parts join into the character: joining
        // is bytes, not characters.
        JoinCase{"SplitCharacterJoins", {"41 A3", "A2", ""}, "41 A3 A2"},
        JoinCase{"NulInsideAPartIsKept", {"41", "00 42", "43"}, "41 00 42 43"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrelle
