// A test SkinH_EL.dll that records what it is handed: the file named by
// VANTRELLE_SKIN_RECORD gets six little-endian 32-bit words (whether the
// address was null: 0 or 1, the length, the length of the text, and the three
// integers), then the text's bytes, then the skin's bytes. It themes nothing.
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

void Append(HANDLE file, const void* data, DWORD size) {
  DWORD written = 0;
  if (size > 0) WriteFile(file, data, size, &written, nullptr);
}

}  // namespace

extern "C" int __stdcall SkinH_AttachRes(const unsigned char* skin, int length, const char* text, int a,
                                         int b, int c) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"VANTRELLE_SKIN_RECORD", path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return 0;
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  const std::uint32_t textLength = text != nullptr ? static_cast<std::uint32_t>(std::strlen(text)) : 0xFFFFFFFFu;
  const std::uint32_t words[6] = {skin != nullptr ? 1u : 0u, static_cast<std::uint32_t>(length), textLength,
                                  static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(b),
                                  static_cast<std::uint32_t>(c)};
  Append(file, words, sizeof words);
  if (text != nullptr) Append(file, text, textLength);
  if (skin != nullptr && length > 0) Append(file, skin, static_cast<DWORD>(length));
  CloseHandle(file);
  return 1;
}
