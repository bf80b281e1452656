// The skin parser against the catalogue, damaged catalogue blocks and blocks
// built by hand with a correct checksum but a broken structure.
#include "skin_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "generated/skin_catalogue.h"

namespace vantrelle::skin {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes CatalogueBlock(int number) {
  const CatalogueSkin& s = kSkinCatalogue[number - 1];
  return Bytes(s.data, s.data + s.size);
}

ParseError Parse(const Bytes& b) {
  Theme theme;
  return ParseSkin(b.data(), b.size(), theme);
}

void Put16(Bytes& b, std::size_t at, unsigned v) {
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// Fixes the declared length and checksum after an edit, so that only the
// structural fault under test remains.
void Seal(Bytes& b) {
  Put32(b, 6, static_cast<std::uint32_t>(b.size()));
  Put32(b, 12, Crc32(b.data() + kHeaderSize, b.size() - kHeaderSize));
}

// A block assembled from fields; the field count is the number given.
struct Field {
  std::uint16_t tag;
  Bytes body;
};

Bytes Block(const std::vector<Field>& fields) {
  Bytes b(kMagic, kMagic + sizeof kMagic);
  b.resize(kHeaderSize);
  Put16(b, 10, static_cast<unsigned>(fields.size()));
  for (const Field& f : fields) {
    const std::size_t at = b.size();
    b.resize(at + kFieldHeaderSize);
    Put16(b, at, f.tag);
    Put16(b, at + 2, static_cast<unsigned>(f.body.size()));
    b.insert(b.end(), f.body.begin(), f.body.end());
  }
  Seal(b);
  return b;
}

Bytes Name(const std::string& s) { return Bytes(s.begin(), s.end()) + Bytes{0}; }

Bytes GoodPalette() {
  Bytes p;
  for (int slot = 0; slot < kSlotCount; ++slot) p.insert(p.end(), {static_cast<unsigned char>(slot), 10, 20, 30});
  return p;
}

Bytes GoodMetrics() { return {4, 1, 12, kFlagGradient}; }

double Luminance(Rgb c) {
  auto lin = [](int v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double Contrast(Rgb a, Rgb b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

}  // namespace

TEST(SkinFormat, Crc32IsTheStandardOne) {
  const char* check = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const unsigned char*>(check), 9), 0xCBF43926u);
}

TEST(SkinCatalogue, EverySkinParsesAndStartsWithTheMagic) {
  for (int n = 1; n <= kSkinCount; ++n) {
    SCOPED_TRACE(n);
    const Bytes b = CatalogueBlock(n);
    ASSERT_GE(b.size(), 6u);
    EXPECT_EQ(std::memcmp(b.data(), ".SHE\x00\x03", 6), 0);
    Theme theme;
    ASSERT_EQ(ParseSkin(b.data(), b.size(), theme), ParseError::kNone);
    EXPECT_EQ(std::string(theme.name).substr(0, 2), (n < 10 ? "0" : "") + std::to_string(n));
  }
}

// Every skin must stay readable: text on its ground, captions on buttons.
TEST(SkinCatalogue, EverySkinIsReadable) {
  const struct { Slot ink, ground; double least; } pairs[] = {
      {kWindowText, kWindowBack, 4.5}, {kGroupText, kWindowBack, 3.0},
      {kButtonText, kButtonBottom, 3.0}, {kButtonText, kButtonTop, 3.0},
      {kButtonText, kButtonHotBottom, 3.0}, {kButtonText, kButtonPressed, 3.0},
      {kEditText, kEditBack, 4.5}, {kRadioText, kWindowBack, 4.5},
      {kCaptionText, kCaptionBack, 3.0}, {kRadioDot, kRadioBack, 2.0},
      {kFocus, kButtonBottom, 1.5},
  };
  for (int n = 1; n <= kSkinCount; ++n) {
    Theme theme;
    const Bytes b = CatalogueBlock(n);
    ASSERT_EQ(ParseSkin(b.data(), b.size(), theme), ParseError::kNone);
    for (const auto& p : pairs) {
      EXPECT_GE(Contrast(theme.colours[p.ink], theme.colours[p.ground]), p.least)
          << "skin " << n << " slots " << int(p.ink) << " on " << int(p.ground);
    }
  }
}

// Any two skins differ visibly in the colours that cover most of a window.
TEST(SkinCatalogue, SkinsLookDifferent) {
  std::vector<Theme> themes(kSkinCount);
  for (int n = 1; n <= kSkinCount; ++n) {
    const Bytes b = CatalogueBlock(n);
    ASSERT_EQ(ParseSkin(b.data(), b.size(), themes[n - 1]), ParseError::kNone);
  }
  auto distance = [](Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return std::sqrt(double(dr * dr + dg * dg + db * db));
  };
  for (int i = 0; i < kSkinCount; ++i) {
    for (int j = i + 1; j < kSkinCount; ++j) {
      double d = 0;
      for (Slot s : {kWindowBack, kButtonBottom, kGroupText}) d += distance(themes[i].colours[s], themes[j].colours[s]);
      EXPECT_GE(d, 30.0) << "skins " << i + 1 << " and " << j + 1;
    }
  }
}

TEST(SkinFormat, NullOrEmptyMeansNoSkin) {
  Theme theme;
  EXPECT_EQ(ParseSkin(nullptr, 100, theme), ParseError::kNullOrEmpty);
  const Bytes b = CatalogueBlock(4);
  EXPECT_EQ(ParseSkin(b.data(), 0, theme), ParseError::kNullOrEmpty);
}

TEST(SkinFormat, EveryTruncationIsRejected) {
  for (int n : {1, 4, 42, 58}) {
    const Bytes b = CatalogueBlock(n);
    for (std::size_t length = 1; length < b.size(); ++length) {
      Theme theme;
      EXPECT_NE(ParseSkin(b.data(), length, theme), ParseError::kNone) << "skin " << n << " cut at " << length;
    }
  }
}

// A flipped bit anywhere after the magic is caught (mostly by the checksum).
TEST(SkinFormat, EveryCorruptedByteIsRejected) {
  const Bytes good = CatalogueBlock(4);
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (unsigned char mask : {0x01, 0x80}) {
      Bytes b = good;
      b[at] ^= mask;
      EXPECT_NE(Parse(b), ParseError::kNone) << "byte " << at << " mask " << int(mask);
    }
  }
  Bytes b = good;
  b[kHeaderSize + 10] ^= 0x40;
  EXPECT_EQ(Parse(b), ParseError::kBadChecksum);
}

TEST(SkinFormat, DeclaredLengthsThatDoNotFitAreRejected) {
  const Bytes good = CatalogueBlock(4);
  Bytes longer = good;
  Put32(longer, 6, static_cast<std::uint32_t>(good.size() + 1));
  EXPECT_EQ(Parse(longer), ParseError::kLengthMismatch);

  Bytes huge = good;
  Put32(huge, 6, 0xFFFFFFFFu);
  EXPECT_EQ(Parse(huge), ParseError::kTooLarge);
  Put32(huge, 6, kMaxBlockSize + 1);
  EXPECT_EQ(Parse(huge), ParseError::kTooLarge);

  Bytes padded = good + Bytes(32, 0);  // more bytes than declared
  EXPECT_EQ(Parse(padded), ParseError::kLengthMismatch);

  // A field whose declared length runs past the block.
  Bytes overrun = Block({{kTagName, Name("x")}, {kTagPalette, GoodPalette()}, {kTagMetrics, GoodMetrics()}});
  Put16(overrun, kHeaderSize + 2, 0xFFFF);
  Seal(overrun);
  EXPECT_EQ(Parse(overrun), ParseError::kFieldOverrun);
}

TEST(SkinFormat, StructuralFaultsAreRejected) {
  const Field name{kTagName, Name("Test")}, palette{kTagPalette, GoodPalette()},
      metrics{kTagMetrics, GoodMetrics()};
  Bytes duplicateSlot = GoodPalette();
  duplicateSlot[4] = 0;
  Bytes slotOutOfRange = GoodPalette();
  slotOutOfRange[0] = kSlotCount;
  Bytes shortPalette = GoodPalette();
  shortPalette.resize(shortPalette.size() - 4);

  const struct {
    const char* what;
    std::vector<Field> fields;
    ParseError expected;
  } cases[] = {
      {"all three fields", {name, palette, metrics}, ParseError::kNone},
      {"with padding", {name, {kTagPadding, Bytes(300, 0xAB)}, palette, metrics}, ParseError::kNone},
      {"no fields", {}, ParseError::kBadFieldCount},
      {"palette missing", {name, metrics}, ParseError::kMissingField},
      {"name twice", {name, palette, name, metrics}, ParseError::kDuplicateField},
      {"unknown tag", {name, palette, metrics, {0x0042, Bytes{1}}}, ParseError::kUnknownField},
      {"name not terminated", {{kTagName, Bytes{'a', 'b'}}, palette, metrics}, ParseError::kBadName},
      {"NUL inside the name", {{kTagName, Bytes{'a', 0, 'b', 0}}, palette, metrics}, ParseError::kBadName},
      {"empty name", {{kTagName, Bytes{0}}, palette, metrics}, ParseError::kBadName},
      {"name too long", {{kTagName, Name(std::string(kMaxNameBytes, 'n'))}, palette, metrics},
       ParseError::kBadName},
      {"palette short by one slot",
       {name, {kTagPalette, shortPalette}, metrics},
       ParseError::kBadPalette},
      {"slot given twice", {name, {kTagPalette, duplicateSlot}, metrics}, ParseError::kBadPalette},
      {"slot out of range", {name, {kTagPalette, slotOutOfRange}, metrics}, ParseError::kBadPalette},
      {"corner too round", {name, palette, {kTagMetrics, Bytes{13, 1, 12, 0}}}, ParseError::kBadMetrics},
      {"no border", {name, palette, {kTagMetrics, Bytes{0, 0, 12, 0}}}, ParseError::kBadMetrics},
      {"radio too small", {name, palette, {kTagMetrics, Bytes{0, 1, 8, 0}}}, ParseError::kBadMetrics},
      {"unknown flag", {name, palette, {kTagMetrics, Bytes{0, 1, 12, 0x80}}}, ParseError::kBadMetrics},
      {"metrics too long", {name, palette, {kTagMetrics, Bytes{0, 1, 12, 0, 0}}}, ParseError::kBadMetrics},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(Block(c.fields)), c.expected) << c.what;
  }

  Bytes trailing = Block({name, palette, metrics}) + Bytes{1, 2, 3};
  Seal(trailing);
  EXPECT_EQ(Parse(trailing), ParseError::kTrailingBytes);

  Bytes tooManyFields = Block({name, palette, metrics});
  Put16(tooManyFields, 10, kMaxFieldCount + 1);
  Seal(tooManyFields);
  EXPECT_EQ(Parse(tooManyFields), ParseError::kBadFieldCount);

  Bytes badMagic = Block({name, palette, metrics});
  badMagic[5] = 0x04;
  EXPECT_EQ(Parse(badMagic), ParseError::kBadMagic);
}

TEST(SkinFormat, RejectedBlockLeavesTheThemeAlone) {
  Theme theme;
  const Bytes good = CatalogueBlock(4);
  ASSERT_EQ(ParseSkin(good.data(), good.size(), theme), ParseError::kNone);
  const Theme before = theme;
  // Valid up to the metrics, which are out of range: name and palette of the
  // bad block must not leak in.
  const Bytes bad = Block({{kTagName, Name("Other")}, {kTagPalette, GoodPalette()},
                           {kTagMetrics, Bytes{0, 9, 12, 0}}});
  EXPECT_EQ(ParseSkin(bad.data(), bad.size(), theme), ParseError::kBadMetrics);
  EXPECT_STREQ(theme.name, before.name);
  for (int slot = 0; slot < kSlotCount; ++slot) EXPECT_EQ(theme.colours[slot], before.colours[slot]);
}

}  // namespace vantrelle::skin
