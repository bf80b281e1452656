// Byte texts for the tests, written as the hex dumps people read: "BB F0 0D 0A".
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vantrelle::test {

// "A3 C1 41" -> the three bytes; blanks between bytes are optional.
inline std::string FromHex(std::string_view hex) {
  std::string bytes;
  int high = -1;
  for (char c : hex) {
    int nibble;
    if (c >= '0' && c <= '9') nibble = c - '0';
    else if (c >= 'A' && c <= 'F') nibble = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') nibble = c - 'a' + 10;
    else continue;
    if (high < 0) {
      high = nibble;
    } else {
      bytes.push_back(static_cast<char>(high << 4 | nibble));
      high = -1;
    }
  }
  return bytes;
}

// The bytes as "BB F0 0D 0A", for failure messages.
inline std::string ToHex(std::string_view bytes) {
  std::string hex;
  char cell[4];
  for (unsigned char b : bytes) {
    std::snprintf(cell, sizeof cell, hex.empty() ? "%02X" : " %02X", b);
    hex += cell;
  }
  return hex;
}

}  // namespace vantrelle::test
