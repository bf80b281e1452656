// Feeds arbitrary bytes to the skin parser that SkinH_EL.dll runs on the
// caller's data. Besides the sanitizers' checks, an accepted block must give
// a theme within the bounds the painters rely on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

// The parser is compiled into this target with its checksum test off (see
// skin_format.cpp), so the fuzzer's mutations get past the header.
#define VANTRELLE_SKIN_FUZZING
#include "../skin/skin_format.cpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantrelle::skin;
  Theme theme;
  if (ParseSkin(data, size, theme) != ParseError::kNone) return 0;
  const Metrics& m = theme.metrics;
  const bool named = std::memchr(theme.name, 0, sizeof theme.name) != nullptr && theme.name[0] != 0;
  if (!named || size < kHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0 ||
      m.cornerRadius > 12 || m.borderWidth < 1 || m.borderWidth > 3 || m.radioSize < 9 ||
      m.radioSize > 15 || (m.flags & ~kKnownFlags) != 0) {
    std::abort();
  }
  return 0;
}
