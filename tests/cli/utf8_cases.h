// Ill-formed UTF-8 inputs and the offset at which each must be refused: the
// first byte of the first sequence that is not well-formed.
#pragma once

#include <cstddef>
#include <string_view>

namespace vantrelle::cli::test {

struct InvalidUtf8Case {
  const char* what;
  std::string_view bytes;
  std::size_t offset;
};

using namespace std::string_view_literals;

inline constexpr InvalidUtf8Case kInvalidUtf8Cases[] = {
    {"stray continuation byte", "ab\x80"sv, 2},
    {"overlong two-byte slash", "\xC0\xAF"sv, 0},
    {"overlong two-byte C1", "ok\xC1\xBF"sv, 2},
    {"overlong three-byte", "x\xE0\x80\xAF"sv, 1},
    {"overlong four-byte", "\xF0\x80\x80\xAF"sv, 0},
    {"high surrogate", "\xED\xA0\x80"sv, 0},
    {"low surrogate after a character", "\xE5\xAD\x97\xED\xBF\xBF"sv, 3},
    {"above U+10FFFF", "abc\xF4\x90\x80\x80"sv, 3},
    {"lead byte F5", "\xF5\x80\x80\x80"sv, 0},
    {"byte FF", "\xFF"sv, 0},
    {"truncated at the end", "\xE5\xAD\x97\xE5\xAD"sv, 3},
    {"truncated before ASCII", "\xE5\xAD" "x"sv, 0},
    {"truncated four-byte before a character", "\xF0\x9F\x98\xE5\xAD\x97"sv, 0},
    {"lone lead at the end after emoji", "\xF0\x9F\x98\x80\xC2"sv, 4},
    {"GBK bytes", "\xD7\xD6\xCB\xFB"sv, 0},
    {"NUL then a bad byte", "a\0\x80"sv, 2},
};

}  // namespace vantrelle::cli::test
