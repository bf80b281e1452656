// UTF-8 on the outside, GBK on the inside: vantrelle-text validates UTF-8 and
// carries it to the GBK text services and back. Characters that GBK does not
// encode (emoji, for instance) never reach a service; they pass through as
// they came.
//
// GBK here is GBK proper (Python's 'gbk' codec, see
// tools/gen_gbk_codec.py): bytes 0x00-0x7F are ASCII, every other character
// is two bytes, and 0x80 is not the euro sign as in code page 936.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrelle::cli {

// The offset of the first byte of the first ill-formed sequence (overlong
// form, surrogate, code point above U+10FFFF, stray or missing continuation
// byte), or nothing when the whole text is well-formed UTF-8.
std::optional<std::size_t> FindInvalidUtf8(std::string_view text);

// The two-byte GBK code (lead << 8 | trail) of a code point of U+0080 or
// above, or 0 when GBK has no such character.
std::uint16_t EncodeGbkChar(char32_t codePoint);

// The code point of the two-byte GBK character (lead, trail), or 0 when GBK
// assigns none.
char32_t DecodeGbkChar(unsigned char lead, unsigned char trail);

// GBK text to UTF-8, walked as the services walk it; a character that GBK
// does not assign becomes U+FFFD. Meant for the constant texts of the tables.
std::string GbkToUtf8(std::string_view gbk);

// A text service: GBK text in, GBK text of the same character boundaries out.
using GbkService = std::string (*)(std::string_view);

// Applies `service` to well-formed UTF-8 text (check it with FindInvalidUtf8
// first): each run of GBK-encodable characters is encoded, served and decoded
// back; every other character is copied unchanged. Should the service give a
// byte pair that GBK does not assign, the input character is kept, so no text
// is ever lost.
std::string ServeUtf8(std::string_view utf8, GbkService service);

}  // namespace vantrelle::cli
