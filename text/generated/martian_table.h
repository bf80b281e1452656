// PLACEHOLDER
#pragma once
namespace vantrelle {
inline constexpr char MartianPlain[] = "\xD7\xD6\xCB\xFB";
inline constexpr char MartianGlyph[] = "\xC6\x54\x8F\xB1";
}
