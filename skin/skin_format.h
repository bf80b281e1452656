// The skin block format read by SkinH_EL.dll (layout in skin/README.md).
// Portable on purpose: no Windows header, so the parser is unit-tested and
// fuzzed natively. A block is checked completely before anything in it is
// used; a rejected block yields no theme at all.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vantrelle::skin {

// Every block starts with these six bytes: ".SHE", 0x00, 0x03.
inline constexpr unsigned char kMagic[6] = {'.', 'S', 'H', 'E', 0x00, 0x03};
inline constexpr std::size_t kHeaderSize = 16;      // magic, length, count, CRC
inline constexpr std::size_t kFieldHeaderSize = 4;  // tag, length
inline constexpr std::uint32_t kMaxBlockSize = 1u << 20;
inline constexpr std::uint16_t kMaxFieldCount = 64;
inline constexpr std::size_t kMaxNameBytes = 64;  // NUL included

enum FieldTag : std::uint16_t {
  kTagName = 0x0001,     // UTF-8 name, NUL-terminated inside the field
  kTagPalette = 0x0002,  // entries of 4 bytes: slot, red, green, blue
  kTagMetrics = 0x0003,  // kMetricCount bytes, see Metrics
  kTagPadding = 0x7F00,  // any bytes; carried, never read
};

// One colour for each element and state the theme draws.
enum Slot : std::uint8_t {
  kWindowBack, kWindowText,
  kGroupLine, kGroupText,
  kButtonTop, kButtonBottom, kButtonBorder, kButtonText,
  kButtonHotTop, kButtonHotBottom, kButtonPressed,
  kButtonDisabled, kButtonDisabledText,
  kFocus,
  kEditBack, kEditText, kEditBorder, kEditBorderFocus,
  kRadioBack, kRadioBorder, kRadioDot, kRadioText,
  kCaptionBack, kCaptionText, kCaptionInactiveBack, kCaptionInactiveText,
  kFrame,
  kSlotCount
};

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr std::size_t kMetricCount = 4;
struct Metrics {
  std::uint8_t cornerRadius = 0;  // 0..12, rounding of buttons and group frames
  std::uint8_t borderWidth = 1;   // 1..3, button and edit borders
  std::uint8_t radioSize = 12;    // 9..15, diameter of the radio circle
  std::uint8_t flags = 0;         // kFlag* bits
};
inline constexpr std::uint8_t kFlagGradient = 0x01;     // button faces shade top to bottom
inline constexpr std::uint8_t kFlagBoldCaption = 0x02;  // caption title in bold
inline constexpr std::uint8_t kKnownFlags = 0x03;

struct Theme {
  char name[kMaxNameBytes] = {};
  Rgb colours[kSlotCount] = {};
  Metrics metrics;
};

enum class ParseError {
  kNone,
  kNullOrEmpty,
  kTooShort,
  kBadMagic,
  kLengthMismatch,   // declared length differs from the bytes given
  kTooLarge,
  kBadChecksum,
  kBadFieldCount,
  kFieldOverrun,     // a field runs past the end of the block
  kTrailingBytes,    // bytes left after the declared fields
  kBadName,
  kBadPalette,
  kBadMetrics,
  kUnknownField,
  kDuplicateField,
  kMissingField,
};

// Standard CRC-32 (IEEE 802.3, reflected, as zlib computes it).
std::uint32_t Crc32(const unsigned char* data, std::size_t size);

// Checks the whole block and fills `theme` only when it is valid.
ParseError ParseSkin(const unsigned char* data, std::size_t size, Theme& theme);

}  // namespace vantrelle::skin
