// SkinLibraryImage: the bytes of SkinH_EL.dll as built alongside the program
// (the build turns the library into skin_library_image.cpp).
#pragma once

#include <cstddef>

namespace vantrelle {

extern const unsigned char kSkinLibraryImage[];
extern const std::size_t kSkinLibraryImageSize;

}  // namespace vantrelle
