#include "gbk_codec.h"

#include <array>

#include "generated/gbk_codec_table.h"
#include "gbk_text.h"

namespace vantrelle::cli {
namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFE;

// The encoder is the exact inverse of the generated decode table, built at
// compile time: one cell per code point of the Basic Multilingual Plane
// (GBK has nothing above it), 0 where GBK has no character.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

constexpr EncodeTable BuildEncodeTable() {
  EncodeTable table{};
  for (unsigned lead = kFirstLead; lead <= kLastLead; ++lead)
    for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail)
      if (const std::uint16_t code = GbkDecodeTable[lead - kFirstLead][trail - kFirstTrail])
        table[code] = static_cast<std::uint16_t>(lead << 8 | trail);
  return table;
}

constexpr EncodeTable kEncodeTable = BuildEncodeTable();

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The range of the second byte of a sequence allowed after `lead`, which
// rules out overlong forms, surrogates and code points above U+10FFFF in one
// test (the table of well-formed byte sequences of the Unicode standard).
struct SecondByteRange {
  unsigned char low, high;
};
constexpr SecondByteRange SecondByteAfter(unsigned char lead) {
  switch (lead) {
    case 0xE0: return {0xA0, 0xBF};
    case 0xED: return {0x80, 0x9F};
    case 0xF0: return {0x90, 0xBF};
    case 0xF4: return {0x80, 0x8F};
    default: return {0x80, 0xBF};
  }
}

// The byte length of the sequence that `lead` starts, 0 when no well-formed
// sequence starts with it.
constexpr std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes the well-formed sequence at `position` and moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& position) {
  const auto lead = static_cast<unsigned char>(text[position]);
  const std::size_t length = SequenceLength(lead);
  static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t code = lead & kLeadMask[length];
  for (std::size_t i = 1; i < length; ++i) code = code << 6 | (static_cast<unsigned char>(text[position + i]) & 0x3F);
  position += length;
  return code;
}

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point of one GBK character as the walk cuts it (one or two bytes),
// or nothing when GBK assigns none.
std::optional<char32_t> DecodeWalkedChar(std::string_view character) {
  const auto first = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return first < 0x80 ? std::optional<char32_t>(first) : std::nullopt;
  const char32_t code = DecodeGbkChar(first, static_cast<unsigned char>(character[1]));
  return code ? std::optional<char32_t>(code) : std::nullopt;
}

// Serves one run of GBK-encodable characters, already encoded, and appends
// the result as UTF-8. The services keep character boundaries, so the input
// and the output are walked side by side.
void ServeRun(std::string_view gbk, GbkService service, std::string& out) {
  if (gbk.empty()) return;
  const std::string served = service(gbk);
  for (std::size_t position = 0; position < gbk.size();) {
    const std::size_t length = NextGbkChar(gbk, position);
    const auto result = served.size() >= position + length
                            ? DecodeWalkedChar(std::string_view(served).substr(position, length))
                            : std::nullopt;
    AppendUtf8(result ? *result : *DecodeWalkedChar(gbk.substr(position, length)), out);
    position += length;
  }
}

}  // namespace

std::optional<std::size_t> FindInvalidUtf8(std::string_view text) {
  for (std::size_t position = 0; position < text.size();) {
    const auto lead = static_cast<unsigned char>(text[position]);
    const std::size_t length = SequenceLength(lead);
    if (length == 0 || position + length > text.size()) return position;
    if (length > 1) {
      const auto second = static_cast<unsigned char>(text[position + 1]);
      const SecondByteRange range = SecondByteAfter(lead);
      if (second < range.low || second > range.high) return position;
      for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[position + i]))) return position;
    }
    position += length;
  }
  return std::nullopt;
}

std::uint16_t EncodeGbkChar(char32_t codePoint) {
  return codePoint >= 0x80 && codePoint < kEncodeTable.size() ? kEncodeTable[codePoint] : 0;
}

char32_t DecodeGbkChar(unsigned char lead, unsigned char trail) {
  if (lead < kFirstLead || lead > kLastLead || trail < kFirstTrail || trail > kLastTrail) return 0;
  return GbkDecodeTable[lead - kFirstLead][trail - kFirstTrail];
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (std::size_t position = 0; position < gbk.size();) {
    const std::size_t length = NextGbkChar(gbk, position);
    AppendUtf8(DecodeWalkedChar(gbk.substr(position, length)).value_or(U'\uFFFD'), out);
    position += length;
  }
  return out;
}

std::string ServeUtf8(std::string_view utf8, GbkService service) {
  std::string out;
  out.reserve(utf8.size());
  std::string run;  // the pending run of encodable characters, as GBK
  for (std::size_t position = 0; position < utf8.size();) {
    const std::size_t start = position;
    const char32_t code = NextCodePoint(utf8, position);
    if (code < 0x80) {
      run += static_cast<char>(code);
    } else if (const std::uint16_t gbk = EncodeGbkChar(code)) {
      run += static_cast<char>(gbk >> 8);
      run += static_cast<char>(gbk & 0xFF);
    } else {
      ServeRun(run, service, out);
      run.clear();
      out.append(utf8.substr(start, position - start));
    }
  }
  ServeRun(run, service, out);
  return out;
}

}  // namespace vantrelle::cli
