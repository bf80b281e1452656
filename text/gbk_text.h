// The GBK character walk and the joining of texts, shared by every text service.
//
// A text is a run of bytes in code page 936. The walk is a byte rule, not a
// decoder: a byte of 0x80 or above pairs with whatever byte follows it (0x80
// and 0xFF included, any trail byte accepted), and a lead byte that is the
// last byte of the text stands alone. The walk only moves forward, so a stray
// lead byte shifts the pairing of everything after it.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vantrelle {

// The byte length, 1 or 2, of the character that starts at `position`,
// which must lie below text.size().
constexpr std::size_t NextGbkChar(std::string_view text, std::size_t position) {
  const auto byte = static_cast<unsigned char>(text[position]);
  return (byte >= 0x80 && position + 1 < text.size()) ? 2 : 1;
}

// The byte length of the texts joined one after the other.
std::size_t JoinedLength(std::initializer_list<std::string_view> parts);

// Writes the texts one after the other to `out`, which holds at least
// JoinedLength(parts) bytes; no terminator is written.
void JoinTextsInto(std::initializer_list<std::string_view> parts, char* out);

// The texts joined one after the other, with nothing between them.
std::string JoinTexts(std::initializer_list<std::string_view> parts);

}  // namespace vantrelle
