// Deployment of SkinH_EL.dll beside the executable.
#pragma once

#include <string>

namespace vantrelle {

// RunDirectory joined with "\SkinH_EL.dll", built afresh on every call.
std::wstring SkinLibraryPath();

// Writes SkinLibraryImage to SkinLibraryPath when no entry of that name
// exists (a directory counts), then sets the file's attributes to exactly
// hidden. An existing entry is never touched. Fails silently.
void EnsureSkinLibrary();

}  // namespace vantrelle
