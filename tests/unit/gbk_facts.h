// What GBK itself says about a byte pair, from the codec of vantrelle-text
// (built from Python's gbk codec, independently of the conversion tables).
#pragma once

#include <string_view>

#include "gbk_codec.h"

namespace vantrelle::test {

// The code point of the two-byte character at text[at], or 0 if GBK assigns none.
inline char32_t CodePointAt(std::string_view text, std::size_t at) {
  return cli::DecodeGbkChar(static_cast<unsigned char>(text[at]), static_cast<unsigned char>(text[at + 1]));
}

inline bool IsCjkIdeograph(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF);
}

inline bool InGb2312Ideographs(unsigned char lead, unsigned char trail) {
  return lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE;
}

}  // namespace vantrelle::test
