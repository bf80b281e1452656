// Both conversions on arbitrary bytes, checked against a naive walk that
// looks every character up the slow way: TraditionalMap by row and column,
// MartianPlain by its lowest row. The input is an exactly
// sized heap copy, so AddressSanitizer reports any read past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "generated/martian_table.h"
#include "generated/traditional_map.h"
#include "text_services.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string TraditionalCell(unsigned char lead, unsigned char trail) {
  const bool covered = lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
  if (!covered) return {static_cast<char>(lead), static_cast<char>(trail)};
  const auto& cell = vantrelle::TraditionalMap[lead - 0x81][trail < 0x7F ? trail - 0x40 : trail - 0x41];
  return {static_cast<char>(cell[0]), static_cast<char>(cell[1])};
}

// The lowest row of each plain character, found by stepping through
// MartianPlain one whole character at a time, once.
std::string MartianCell(unsigned char lead, unsigned char trail) {
  static const std::map<std::string, std::string> lowestRow = [] {
    std::map<std::string, std::string> rows;
    for (std::size_t at = 0; at + 1 < sizeof(vantrelle::MartianPlain) - 1; at += 2)
      rows.emplace(std::string(vantrelle::MartianPlain + at, 2), std::string(vantrelle::MartianGlyph + at, 2));
    return rows;
  }();
  const std::string plain{static_cast<char>(lead), static_cast<char>(trail)};
  const auto row = lowestRow.find(plain);
  return row == lowestRow.end() ? plain : row->second;
}

// The walk written out plainly, one character at a time.
template <typename Cell>
std::string Reference(std::string_view text, Cell cell) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (vantrelle::NextGbkChar(text, i) == 2) {
      out += cell(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]));
      i += 2;
    } else {
      out += text[i++];
    }
  }
  return out;
}

// Same length, and the result splits into characters where the input does.
void CheckBoundaries(std::string_view in, std::string_view out) {
  Check(in.size() == out.size());
  for (std::size_t i = 0; i < in.size();) {
    const std::size_t length = vantrelle::NextGbkChar(in, i);
    Check(vantrelle::NextGbkChar(out, i) == length);
    i += length;
  }
}

void CheckConversion(std::string_view text, std::string (*convert)(std::string_view),
                     void (*convertInto)(std::string_view, char*), const std::string& expected) {
  const std::string result = convert(text);
  CheckBoundaries(text, result);
  Check(result == expected);
  // The Into form writes exactly text.size() bytes into an exactly sized buffer.
  auto buffer = std::make_unique<char[]>(text.size());
  convertInto(text, buffer.get());
  Check(std::string_view(buffer.get(), text.size()) == result);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto copy = std::make_unique<char[]>(size);
  if (size != 0) std::memcpy(copy.get(), data, size);
  const std::string_view text(copy.get(), size);

  CheckConversion(text, vantrelle::ToTraditional, vantrelle::ToTraditionalInto, Reference(text, TraditionalCell));
  CheckConversion(text, vantrelle::ToMartianScript, vantrelle::ToMartianScriptInto, Reference(text, MartianCell));
  // Converting to Traditional twice changes nothing more.
  const std::string once = vantrelle::ToTraditional(text);
  Check(vantrelle::ToTraditional(once) == once);
  // The argument is never changed.
  Check(size == 0 || std::memcmp(copy.get(), data, size) == 0);
  return 0;
}
