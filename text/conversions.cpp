// Martian script and Traditional characters share one walk: both replace each
// double-byte character by a cell of a 256 x 256 pair table, built at compile
// time from the constant tables. Cells that the tables do not name hold their
// own code, so the walk never needs to tell valid characters from invalid
// ones. The table is indexed by the two bytes as one little-endian 16-bit
// number, which on x86 is a single load; the cells of lead bytes below 0x80
// are never read (they cost 64 KB of constant data per table, not cache).
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && !defined(VANTRELLE_PORTABLE_WALK)
#include <emmintrin.h>
#endif

#include "generated/martian_table.h"
#include "generated/traditional_map.h"
#include "text_services.h"

namespace vantrelle {
namespace {

using PairCell = std::array<unsigned char, 2>;
using PairTable = std::array<PairCell, 256 * 256>;

constexpr std::size_t PairIndex(unsigned lead, unsigned trail) { return lead | trail << 8; }

constexpr PairTable IdentityPairs() {
  PairTable table{};
  for (unsigned lead = 0; lead <= 0xFF; ++lead)
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

// The walk reads the text in blocks of 16 bytes. Within a block, a byte is a
// lead byte when it is 0x80 or above and not the trail of the byte before it.
// Since a byte below 0x80 is never a lead byte, the pairing starts afresh
// after every one of them: in each run of consecutive high bytes, the lead
// bytes are the first, third, fifth... of the run. That rule is computed on
// the block's high-bit mask with a few integer operations (LeadBytes), so
// the walk branches once per block and per lead byte, never on the bytes
// themselves, and the table look-ups of a block do not wait on each other.
constexpr unsigned kBlock = 16;

// Bit k set when byte k of the block is 0x80 or above.
#if defined(__SSE2__) && !defined(VANTRELLE_PORTABLE_WALK)
std::uint32_t HighBytes(const unsigned char* block) {
  return static_cast<std::uint32_t>(
      _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block))));
}
void CopyBlock(unsigned char* to, const unsigned char* from) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
}
#else
// Portable form (the i686 Windows build, which must run on CPUs without SSE2).
std::uint32_t HighBytes(const unsigned char* block) {
  std::uint32_t mask = 0;
  for (unsigned k = 0; k < kBlock; ++k) mask |= static_cast<std::uint32_t>(block[k] >> 7) << k;
  return mask;
}
void CopyBlock(unsigned char* to, const unsigned char* from) { std::memcpy(to, from, kBlock); }
#endif

// The lead bytes among the high bytes `high`. A run of high bytes starting
// at an even bit has its lead bytes on the even bits, one starting at an odd
// bit on the odd bits. Adding the odd starts to `high` carries each such run
// out of itself and leaves the even-start runs in place, which splits the two.
constexpr std::uint32_t LeadBytes(std::uint32_t high) {
  constexpr std::uint32_t kEvenBits = 0x55555555u;
  const std::uint32_t starts = high & ~(high << 1);
  const std::uint32_t evenRuns = high & (high + (starts & ~kEvenBits));
  const std::uint32_t oddRuns = high & ~evenRuns;
  return (evenRuns & kEvenBits) | (oddRuns & ~kEvenBits);
}

void ConvertPair(const unsigned char* in, unsigned char* to, const PairTable& table) {
  std::memcpy(to, table[PairIndex(in[0], in[1])].data(), 2);
}

// One pass from the first byte to the last; the output has the input's length.
void ConvertPairs(std::string_view text, char* out, const PairTable& table) {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  auto* to = reinterpret_cast<unsigned char*>(out);
  const std::size_t size = text.size();
  std::size_t i = 0;
  // 1 when the last byte of the previous block is a lead byte. Its pair is
  // written with this block, once the block's copy can no longer overwrite
  // the trail, and its trail (this block's first byte) is no lead byte.
  std::uint32_t pending = 0;
  for (; i + kBlock <= size; i += kBlock) {
    CopyBlock(to + i, in + i);
    const std::uint32_t high = HighBytes(in + i) & ~pending;
    if ((high | pending) == 0) continue;  // one-byte characters only: copied
    const std::uint32_t leads = LeadBytes(high);
    // Pairs to write, as bits over the bytes from i - 1: the pending one,
    // then this block's, except a lead byte in its last byte.
    std::uint32_t pairs = pending | ((leads << 1) & ((1u << kBlock) - 1));
    pending = leads >> (kBlock - 1);
    for (; pairs != 0; pairs &= pairs - 1) {
      const std::size_t at = i - 1 + static_cast<std::size_t>(std::countr_zero(pairs));
      ConvertPair(in + at, to + at, table);
    }
  }
  // The last few bytes, one character at a time, from a pending lead byte.
  i -= pending;
  while (i < size) {
    if (in[i] >= 0x80 && i + 1 < size) {
      ConvertPair(in + i, to + i, table);
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
