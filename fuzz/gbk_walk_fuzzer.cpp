// The walk and the joining of texts on arbitrary bytes. Each text is an
// exactly sized heap copy, so AddressSanitizer reports any read past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "gbk_text.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::unique_ptr<char[]> HeapCopy(const std::uint8_t* data, std::size_t size) {
  auto copy = std::make_unique<char[]>(size);
  if (size != 0) std::memcpy(copy.get(), data, size);
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto copy = HeapCopy(data, size);
  const std::string_view text(copy.get(), size);

  // A lead byte takes whatever follows; only the last byte may stand alone.
  std::size_t position = 0;
  while (position < text.size()) {
    const std::size_t length = vantrelle::NextGbkChar(text, position);
    const bool lead = static_cast<unsigned char>(text[position]) >= 0x80;
    Check(length == ((lead && position + 1 < text.size()) ? 2u : 1u));
    position += length;
  }
  Check(position == text.size());

  // Joining three pieces cut from the input gives back the input.
  const std::size_t a = size == 0 ? 0 : data[0] % (size + 1);
  const std::size_t b = a + (size == a ? 0 : data[size - 1] % (size - a + 1));
  const auto first = HeapCopy(data, a), second = HeapCopy(data + a, b - a), third = HeapCopy(data + b, size - b);
  const std::string_view p1(first.get(), a), p2(second.get(), b - a), p3(third.get(), size - b);
  Check(vantrelle::JoinedLength({p1, p2, p3}) == size);
  const std::string joined = vantrelle::JoinTexts({p1, p2, p3});
  Check(joined.size() == size && (size == 0 || std::memcmp(joined.data(), data, size) == 0));
  return 0;
}
