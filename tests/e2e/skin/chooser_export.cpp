// A test build of SkinH_EL.dll that shows another catalogue skin: it ignores
// the block it is handed and applies skin VANTRELLE_TEST_SKIN (1-58) with the
// real engine. Placed beside vantrelle.exe it is found first and kept, so a
// picture of any skin can be taken without the program choosing one.
#include <windows.h>

#include "generated/skin_catalogue.h"
#include "skin_library.h"

extern "C" int __stdcall SkinH_AttachRes(const unsigned char* skin, int length, const char*, int, int,
                                         int) {
  wchar_t value[8] = {};
  const DWORD n = GetEnvironmentVariableW(L"VANTRELLE_TEST_SKIN", value, 8);
  const int number = n > 0 && n < 8 ? _wtoi(value) : 0;
  if (number < 1 || number > vantrelle::skin::kSkinCount) return vantrelle::skin::AttachSkin(skin, length);
  const auto& chosen = vantrelle::skin::kSkinCatalogue[number - 1];
  return vantrelle::skin::AttachSkin(chosen.data, static_cast<int>(chosen.size));
}
