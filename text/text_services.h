// The three text services: Martian script, Traditional characters and
// nickname decoration. Each takes GBK bytes and gives new GBK bytes; none
// fails, and bytes that form no GBK character pass through unchanged.
//
// Texts are byte ranges, not C strings: a NUL byte inside a text is an
// ordinary one-byte character and the walk goes on after it. The *Into forms
// write to a caller's buffer, so a caller that must account for every
// allocation (the Windows program) can own the memory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "gbk_text.h"

namespace vantrelle {

// Martian script: each double-byte character listed in MartianPlain becomes
// the glyph of its lowest row in MartianGlyph. `out` holds text.size() bytes;
// the result always has the input's byte length and character boundaries.
void ToMartianScriptInto(std::string_view text, char* out);
std::string ToMartianScript(std::string_view text);

// Traditional characters through TraditionalMap. Same shape as above.
void ToTraditionalInto(std::string_view text, char* out);
std::string ToTraditional(std::string_view text);

// One row of the decoration table: the radio button that selects the style
// (its GBK name and control id), and the GBK prefix and suffix.
struct NicknameStyle {
  std::string_view buttonName;
  std::uint32_t buttonId;
  std::string_view prefix;
  std::string_view suffix;
};

inline constexpr std::size_t kNicknameStyleCount = 20;
extern const std::array<NicknameStyle, kNicknameStyleCount> NicknameStyleTable;

// prefix + nickname + suffix, byte for byte; nothing is trimmed or cut.
std::size_t DecoratedLength(const NicknameStyle& style, std::string_view nickname);
void DecorateNicknameInto(const NicknameStyle& style, std::string_view nickname, char* out);
std::string DecorateNickname(const NicknameStyle& style, std::string_view nickname);

}  // namespace vantrelle
