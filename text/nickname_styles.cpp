// The twenty nickname decoration styles, in the order the decorate action
// tests their radio buttons. Bytes are GBK; the comment shows each row's glyphs.
#include "text_services.h"

namespace vantrelle {

using namespace std::string_view_literals;

const std::array<NicknameStyle, kNicknameStyleCount> NicknameStyleTable = {{
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x34"sv, 0x16010019, "\xA3\xA2"sv, "\xA9\x61"sv},  //  1 单选框4: ＂ … ゛
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x35"sv, 0x16010018, "\xA4\xB0"sv, "\xA9\x61"sv},  //  2 单选框5: ぐ … ゛
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x36"sv, 0x16010017, "\xA9\x65\xA9\x6E"sv, "\xD8\xBC"sv},  //  3 单选框6: 〆﹏ … 丶
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x37"sv, 0x16010016, "\xA6\xE1\xA8\xE3"sv, "\xA8\x4A"sv},  //  4 单选框7: ︶ㄣ … ↗
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x38"sv, 0x16010015, "\xA4\xC3"sv, "\xA1\xF3"sv},  //  5 单选框8: っ … ◇
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x39"sv, 0x16010014, "\x81\x57"sv, "\xA9\x61\xA5\xDF"sv},  //  6 单选框9: 乄 … ゛ミ
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x30"sv, 0x16010013, "\xA4\xE9"sv, "\xA9\x6B"sv},  //  7 单选框10: ら … ﹌
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x31"sv, 0x16010012, "\xA8\x71\xA3\xA2"sv, "\x2E\xA8\x72"sv},  //  8 单选框11: ╭＂ … .╮
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x32"sv, 0x16010011, "\xA6\xC5\xA1\xF1\xA7\xD9"sv, "\xD8\xBC"sv},  //  9 单选框12: ε●з … 丶
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x33"sv, 0x16010010, "\xA3\xA2"sv, "\xA9\x61"sv},  // 10 单选框13: ＂ … ゛
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x34"sv, 0x1601000F, "\xA1\xB8\xA1\xA2"sv, "\xA8\x72"sv},  // 11 单选框14: 「、 … ╮
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x35"sv, 0x1601000E, "\xA6\xC6"sv, "\xA8\x72"sv},  // 12 单选框15: ζ … ╮
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x36"sv, 0x1601000D, "\xA4\xEA"sv, "\xA8\x74\xA6\xE5"sv},  // 13 单选框16: り … ╰﹀
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x37"sv, 0x1601000C, "\xA9\xA4\xA9\xA5\xA1\xEE"sv, "\xA3\xA7"sv},  // 14 单选框17: ─━☆ … ＇
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x38"sv, 0x1601000B, "\xA8\x74"sv, "\xA8\x72"sv},  // 15 单选框18: ╰ … ╮
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x31\x39"sv, 0x1601000A, "\xA1\xD8"sv, "\xA4\xE9"sv},  // 16 单选框19: ∝ … ら
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x32\x30"sv, 0x16010009, "\xA8\x74\xA3\xA7"sv, "\xA9\x61"sv},  // 17 单选框20: ╰＇ … ゛
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x32\x31"sv, 0x16010008, "\x5F\x53\x6D\x69\x6C\x65"sv, "\xA9\x64"sv},  // 18 单选框21: _Smile … ヾ
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x32\x32"sv, 0x16010007, "\xA3\xA2"sv, "\xA9\x66"sv},  // 19 单选框22: ＂ … ゝ
    {"\xB5\xA5\xD1\xA1\xBF\xF2\x32\x33"sv, 0x16010006, "\xA4\xEA\xA1\xA2"sv, "\x3F"sv},  // 20 单选框23: り、 … ?
}};

std::size_t DecoratedLength(const NicknameStyle& style, std::string_view nickname) {
  return JoinedLength({style.prefix, nickname, style.suffix});
}

void DecorateNicknameInto(const NicknameStyle& style, std::string_view nickname, char* out) {
  JoinTextsInto({style.prefix, nickname, style.suffix}, out);
}

std::string DecorateNickname(const NicknameStyle& style, std::string_view nickname) {
  return JoinTexts({style.prefix, nickname, style.suffix});
}

}  // namespace vantrelle
