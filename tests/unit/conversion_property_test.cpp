// Both conversions against plain reference walks, over many random texts:
// well-formed GBK, malformed bytes, NULs, stray leads and lone final leads.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bytes.h"
#include "gbk_text.h"
#include "generated/martian_table.h"
#include "generated/traditional_map.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using test::ToHex;

// Martian script the slow, obvious way: walk, and for each double-byte
// character scan MartianPlain row by row from the start; the first row wins.
std::string ReferenceMartian(std::string_view text) {
  const std::string_view plain{MartianPlain, sizeof MartianPlain - 1};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = NextGbkChar(text, i);
    std::string_view ch = text.substr(i, length);
    if (length == 2) {
      for (std::size_t row = 0; row < plain.size() / 2; ++row) {
        if (plain.substr(2 * row, 2) == ch) {
          ch = std::string_view(MartianGlyph + 2 * row, 2);
          break;
        }
      }
    }
    out += ch;
    i += length;
  }
  return out;
}

// ToTraditional step by step: only lead 0x81-0xFE with trail 0x40-0x7E or
// 0x80-0xFE is looked up, by direct index into TraditionalMap.
std::string ReferenceTraditional(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size();) {
    const auto lead = static_cast<unsigned char>(out[i]);
    if (lead < 0x80) { ++i; continue; }
    if (i + 1 == out.size()) break;
    const auto trail = static_cast<unsigned char>(out[i + 1]);
    const bool covered = lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    if (covered) {
      const unsigned char* cell = TraditionalMap[lead - 0x81][trail < 0x7F ? trail - 0x40 : trail - 0x41];
      out[i] = static_cast<char>(cell[0]);
      out[i + 1] = static_cast<char>(cell[1]);
    }
    i += 2;
  }
  return out;
}

std::vector<std::size_t> Boundaries(std::string_view text) {
  std::vector<std::size_t> at;
  for (std::size_t i = 0; i < text.size(); i += NextGbkChar(text, i)) at.push_back(i);
  return at;
}

// Random texts built from pieces that matter: ASCII runs (long enough for the
// word-at-a-time copy), table characters, any byte pair, 0x80 / 0xFF leads,
// leads before control bytes, NULs; some end on a lone lead byte.
class TextMaker {
 public:
  explicit TextMaker(std::uint32_t seed) : random_(seed) {}

  std::string Next() {
    std::string text;
    const int pieces = Pick(0, 40);
    for (int p = 0; p < pieces; ++p) {
      switch (Pick(0, 7)) {
        case 0: for (int n = Pick(1, 20); n > 0; --n) text += static_cast<char>(Pick(0x20, 0x7E)); break;
        case 1: text.append(MartianPlain + 2 * Pick(0, kRows - 1), 2); break;
        case 2: text.append(MartianGlyph + 2 * Pick(0, kRows - 1), 2); break;
        case 3: text += static_cast<char>(Pick(0x81, 0xFE)); text += static_cast<char>(Pick(0x40, 0xFE)); break;
        case 4: text += static_cast<char>(Pick(0, 1) ? 0x80 : 0xFF); break;
        case 5: text += static_cast<char>(Pick(0x80, 0xFF)); text += static_cast<char>(Pick(0x00, 0x3F)); break;
        case 6: text += '\0'; break;
        default: text += static_cast<char>(Pick(0x00, 0xFF)); break;
      }
    }
    if (Pick(0, 4) == 0) text += static_cast<char>(Pick(0x80, 0xFF));
    return text;
  }

 private:
  static constexpr int kRows = static_cast<int>((sizeof MartianPlain - 1) / 2);
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::mt19937 random_;
};

constexpr int kTexts = 20000;

TEST(ConversionProperties, MatchReferenceKeepLengthAndBoundaries) {
  TextMaker maker(20260611);
  for (int n = 0; n < kTexts; ++n) {
    const std::string text = maker.Next();
    const std::string martian = ToMartianScript(text);
    const std::string traditional = ToTraditional(text);
    ASSERT_EQ(ToHex(martian), ToHex(ReferenceMartian(text))) << "input " << ToHex(text);
    ASSERT_EQ(ToHex(traditional), ToHex(ReferenceTraditional(text))) << "input " << ToHex(text);
    ASSERT_EQ(Boundaries(martian), Boundaries(text)) << "input " << ToHex(text);
    ASSERT_EQ(Boundaries(traditional), Boundaries(text)) << "input " << ToHex(text);
    ASSERT_EQ(ToTraditional(traditional), traditional) << "input " << ToHex(text);
  }
}

// The *Into forms read the input where it lies and write exactly its length,
// whatever the alignment of either buffer.
TEST(ConversionProperties, IntoFormsAtEveryAlignment) {
  TextMaker maker(7);
  for (int n = 0; n < 2000; ++n) {
    const std::string text = maker.Next();
    const std::string wantMartian = ReferenceMartian(text);
    const std::string wantTraditional = ReferenceTraditional(text);
    for (std::size_t shift = 0; shift < 8; ++shift) {
      std::string in(shift, '\x41');
      in += text;
      std::string out(shift + text.size() + 8, '\x5A');
      const std::string_view view = std::string_view(in).substr(shift);
      ToMartianScriptInto(view, out.data() + shift);
      ASSERT_EQ(ToHex(out.substr(shift)), ToHex(wantMartian + std::string(8, '\x5A'))) << ToHex(text);
      ToTraditionalInto(view, out.data() + shift);
      ASSERT_EQ(ToHex(out.substr(shift)), ToHex(wantTraditional + std::string(8, '\x5A'))) << ToHex(text);
    }
  }
}

// Every possible byte pair, alone, after ASCII, and before a lone lead.
TEST(ConversionProperties, EveryBytePair) {
  for (unsigned lead = 0; lead <= 0xFF; ++lead) {
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      for (const std::string& text : {pair, "ABCDEFG" + pair, pair + "\xC4"}) {
        ASSERT_EQ(ToMartianScript(text), ReferenceMartian(text)) << ToHex(text);
        ASSERT_EQ(ToTraditional(text), ReferenceTraditional(text)) << ToHex(text);
      }
    }
  }
}

}  // namespace
}  // namespace vantrelle
