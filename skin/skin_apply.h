// Skinning of the program's windows by SkinH_EL.dll: deployment of the
// library beside the executable, the binding of its one function, and the
// application of a skin from the catalogue.
#pragma once

#include <cstdint>

namespace vantrelle {

// Writes SkinH_EL.dll into the run directory when no entry of that name
// exists, then hands skin `skinNumber` (1-58; any other number means no
// skin) to SkinH_AttachRes. Fatal errors end the process.
void ApplySkin(std::int32_t skinNumber);

// Unloads every library that was loaded for a call into it.
void UnloadExternalLibraries();

}  // namespace vantrelle
