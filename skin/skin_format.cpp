// Validating reader of skin blocks; see skin_format.h and skin/README.md.
#include "skin_format.h"

#include <cstring>

namespace vantrelle::skin {
namespace {

// The fuzzer builds the parser with the checksum test off, so that mutated
// blocks reach the field walk behind it; every other check stays.
#if defined(VANTRELLE_SKIN_FUZZING)
constexpr bool kTestChecksum = false;
#else
constexpr bool kTestChecksum = true;
#endif

std::uint16_t Read16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Read32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

ParseError ReadName(const unsigned char* p, std::size_t n, Theme& out) {
  if (n < 2 || n > kMaxNameBytes) return ParseError::kBadName;
  // The terminator must be the field's last byte and the only NUL in it.
  if (p[n - 1] != 0 || std::memchr(p, 0, n - 1) != nullptr) return ParseError::kBadName;
  std::memcpy(out.name, p, n);
  return ParseError::kNone;
}

ParseError ReadPalette(const unsigned char* p, std::size_t n, Theme& out) {
  if (n != kSlotCount * 4) return ParseError::kBadPalette;
  bool seen[kSlotCount] = {};
  for (std::size_t i = 0; i < n; i += 4) {
    const unsigned slot = p[i];
    if (slot >= kSlotCount || seen[slot]) return ParseError::kBadPalette;
    seen[slot] = true;
    out.colours[slot] = Rgb{p[i + 1], p[i + 2], p[i + 3]};
  }
  return ParseError::kNone;  // n slots, none repeated: every slot is set
}

ParseError ReadMetrics(const unsigned char* p, std::size_t n, Theme& out) {
  if (n != kMetricCount) return ParseError::kBadMetrics;
  const Metrics m{p[0], p[1], p[2], p[3]};
  if (m.cornerRadius > 12 || m.borderWidth < 1 || m.borderWidth > 3 || m.radioSize < 9 ||
      m.radioSize > 15 || (m.flags & ~kKnownFlags) != 0) {
    return ParseError::kBadMetrics;
  }
  out.metrics = m;
  return ParseError::kNone;
}

}  // namespace

std::uint32_t Crc32(const unsigned char* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

ParseError ParseSkin(const unsigned char* data, std::size_t size, Theme& theme) {
  if (data == nullptr || size == 0) return ParseError::kNullOrEmpty;
  if (size < kHeaderSize) return ParseError::kTooShort;
  if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return ParseError::kBadMagic;
  const std::uint32_t declared = Read32(data + 6);
  if (declared > kMaxBlockSize) return ParseError::kTooLarge;
  if (declared != size) return ParseError::kLengthMismatch;
  const std::uint16_t count = Read16(data + 10);
  if (count == 0 || count > kMaxFieldCount) return ParseError::kBadFieldCount;
  if (kTestChecksum && Read32(data + 12) != Crc32(data + kHeaderSize, size - kHeaderSize)) {
    return ParseError::kBadChecksum;
  }

  // Fields are read into a scratch theme so a failure halfway leaves the
  // caller's theme as it was.
  Theme scratch;
  bool haveName = false, havePalette = false, haveMetrics = false, havePadding = false;
  std::size_t pos = kHeaderSize;
  for (std::uint16_t i = 0; i < count; ++i) {
    if (size - pos < kFieldHeaderSize) return ParseError::kFieldOverrun;
    const std::uint16_t tag = Read16(data + pos);
    const std::size_t length = Read16(data + pos + 2);
    pos += kFieldHeaderSize;
    if (size - pos < length) return ParseError::kFieldOverrun;
    const unsigned char* body = data + pos;
    pos += length;

    bool* seen = nullptr;
    ParseError error = ParseError::kNone;
    switch (tag) {
      case kTagName: seen = &haveName; error = ReadName(body, length, scratch); break;
      case kTagPalette: seen = &havePalette; error = ReadPalette(body, length, scratch); break;
      case kTagMetrics: seen = &haveMetrics; error = ReadMetrics(body, length, scratch); break;
      case kTagPadding: seen = &havePadding; break;
      default: return ParseError::kUnknownField;
    }
    if (*seen) return ParseError::kDuplicateField;
    *seen = true;
    if (error != ParseError::kNone) return error;
  }
  if (pos != size) return ParseError::kTrailingBytes;
  if (!haveName || !havePalette || !haveMetrics) return ParseError::kMissingField;
  theme = scratch;
  return ParseError::kNone;
}

}  // namespace vantrelle::skin
