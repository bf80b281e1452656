// Temporary: the skinning is not wired yet; the program runs in the plain look.
#include "skin_apply.h"

namespace vantrelle {

void ApplySkin(std::int32_t) {}
void UnloadExternalLibraries() {}

}  // namespace vantrelle
