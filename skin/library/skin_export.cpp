// The library's one function: six 32-bit arguments, removed by the callee
// (stdcall). Only the first two are read; the text and the three integers
// are accepted for the caller's sake and ignored.
#include "skin_library.h"

extern "C" int __stdcall SkinH_AttachRes(const unsigned char* skin, int length, const char* /*text*/,
                                         int, int, int) {
  return vantrelle::skin::AttachSkin(skin, length);
}
