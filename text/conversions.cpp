// Martian script and Traditional characters share one walk: both replace each
// double-byte character by a cell of a 128 x 256 pair table (every lead byte
// 0x80-0xFF by every trail byte), built at compile time from the constant
// tables. Cells that the tables do not name hold their own code, so the walk
// never needs to tell valid characters from invalid ones.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "generated/martian_table.h"
#include "generated/traditional_map.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using PairCell = std::array<unsigned char, 2>;
using PairTable = std::array<PairCell, 128 * 256>;

constexpr std::size_t PairIndex(unsigned lead, unsigned trail) { return (lead - 0x80) << 8 | trail; }

constexpr PairTable IdentityPairs() {
  PairTable table{};
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead)
    for (unsigned trail = 0; trail <= 0xFF; ++trail)
      table[PairIndex(lead, trail)] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
  return table;
}

// Rows are entered from the last to the first, so the lowest row of a plain
// character that stands in several rows is the one that remains. Only whole
// rows are entered, so a byte pair straddling two rows never matches.
constexpr PairTable BuildMartianPairs() {
  PairTable table = IdentityPairs();
  constexpr std::size_t rows = (sizeof(MartianPlain) - 1) / 2;
  for (std::size_t row = rows; row-- > 0;) {
    const auto lead = static_cast<unsigned char>(MartianPlain[2 * row]);
    const auto trail = static_cast<unsigned char>(MartianPlain[2 * row + 1]);
    table[PairIndex(lead, trail)] = {static_cast<unsigned char>(MartianGlyph[2 * row]),
                                     static_cast<unsigned char>(MartianGlyph[2 * row + 1])};
  }
  return table;
}

// TraditionalMap covers lead bytes 0x81-0xFE and trail bytes 0x40-0x7E and
// 0x80-0xFE; every other pair is left as it is.
constexpr PairTable BuildTraditionalPairs() {
  PairTable table = IdentityPairs();
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const unsigned column = trail < 0x7F ? trail - 0x40 : trail - 0x41;
      const auto& cell = TraditionalMap[lead - 0x81][column];
      table[PairIndex(lead, trail)] = {cell[0], cell[1]};
    }
  }
  return table;
}

constexpr PairTable kMartianPairs = BuildMartianPairs();
constexpr PairTable kTraditionalPairs = BuildTraditionalPairs();

constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// One pass from the first byte to the last. Runs of one-byte characters are
// copied eight bytes at a time; a run of double-byte characters goes through
// the table one pair at a time.
void ConvertPairs(std::string_view text, char* out, const PairTable& table) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  auto* to = reinterpret_cast<unsigned char*>(out);
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    // One-byte run. A word with a high byte is still copied whole: its bytes
    // before the first lead byte are final, and the rest is rewritten below.
    while (i + 8 <= size) {
      std::uint64_t word;
      std::memcpy(&word, in + i, 8);
      std::memcpy(to + i, &word, 8);
      const std::uint64_t high = word & kHighBits;
      if (high != 0) {
        if constexpr (std::endian::native == std::endian::little)
          i += static_cast<std::size_t>(std::countr_zero(high)) / 8;
        else
          i += static_cast<std::size_t>(std::countl_zero(high)) / 8;
        break;
      }
      i += 8;
    }
    if (i + 8 > size) break;
    // Double-byte run: a lead byte takes whatever byte follows it.
    while (i + 1 < size && in[i] >= 0x80) {
      std::memcpy(to + i, table[PairIndex(in[i], in[i + 1])].data(), 2);
      i += 2;
    }
  }
  // The last few bytes, one character at a time.
  while (i < size) {
    if (in[i] >= 0x80 && i + 1 < size) {
      std::memcpy(to + i, table[PairIndex(in[i], in[i + 1])].data(), 2);
      i += 2;
    } else {
      to[i] = in[i];  // a one-byte character, or a lone final lead byte
      ++i;
    }
  }
}

std::string Converted(std::string_view text, const PairTable& table) {
  std::string result(text.size(), '\0');
  ConvertPairs(text, result.data(), table);
  return result;
}

}  // namespace

void ToMartianScriptInto(std::string_view text, char* out) { ConvertPairs(text, out, kMartianPairs); }
std::string ToMartianScript(std::string_view text) { return Converted(text, kMartianPairs); }

void ToTraditionalInto(std::string_view text, char* out) { ConvertPairs(text, out, kTraditionalPairs); }
std::string ToTraditional(std::string_view text) { return Converted(text, kTraditionalPairs); }

}  // namespace vantrelle
