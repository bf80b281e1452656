#include "gbk_text.h"

#include <cstring>

namespace vantrelle {

std::size_t JoinedLength(std::initializer_list<std::string_view> parts) {
  std::size_t length = 0;
  for (std::string_view part : parts) length += part.size();
  return length;
}

void JoinTextsInto(std::initializer_list<std::string_view> parts, char* out) {
  for (std::string_view part : parts) {
    if (!part.empty()) std::memcpy(out, part.data(), part.size());
    out += part.size();
  }
}

std::string JoinTexts(std::initializer_list<std::string_view> parts) {
  std::string joined(JoinedLength(parts), '\0');
  JoinTextsInto(parts, joined.data());
  return joined;
}

}  // namespace vantrelle
