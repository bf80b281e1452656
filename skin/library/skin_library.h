// The theming engine behind SkinH_AttachRes.
#pragma once

namespace vantrelle::skin {

// Validates the block and, if it is a skin, themes every window of the
// calling thread, now and later; anything else takes the skin off. Returns 1
// when a skin was applied, 0 otherwise. The bytes are not kept.
int AttachSkin(const unsigned char* data, int length);

}  // namespace vantrelle::skin
