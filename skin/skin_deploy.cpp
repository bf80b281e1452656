// EnsureSkinLibrary. The image goes to a temporary file in the same directory
// first and is renamed into place only once it is complete: a write that
// fails part-way must not leave a truncated SkinH_EL.dll, which would be kept
// forever and end every later start in the fatal error.
#include "skin_deploy.h"

#include <windows.h>

#include "platform.h"
#include "skin_library_image.h"

namespace vantrelle {
namespace {

constexpr wchar_t kLibraryFileName[] = L"\\SkinH_EL.dll";
constexpr wchar_t kTemporarySuffix[] = L".partial";

bool EntryExists(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

bool WriteWhole(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const unsigned char* next = kSkinLibraryImage;
  std::size_t left = kSkinLibraryImageSize;
  bool ok = true;
  while (ok && left > 0) {
    DWORD written = 0;
    const DWORD chunk = left > 0x10000 ? 0x10000 : static_cast<DWORD>(left);
    ok = WriteFile(file, next, chunk, &written, nullptr) != FALSE && written == chunk;
    next += written;
    left -= written;
  }
  ok = (CloseHandle(file) != FALSE) && ok;
  return ok;
}

}  // namespace

std::wstring SkinLibraryPath() { return RunDirectory() + kLibraryFileName; }

void EnsureSkinLibrary() {
  if (EntryExists(SkinLibraryPath())) return;

  const std::wstring partial = SkinLibraryPath() + kTemporarySuffix;
  // No MOVEFILE_REPLACE_EXISTING: an entry that appeared meanwhile wins and,
  // like any existing entry, is left as it is.
  if (!WriteWhole(partial) || !MoveFileExW(partial.c_str(), SkinLibraryPath().c_str(), 0)) {
    DeleteFileW(partial.c_str());
    return;
  }
  // Exactly hidden: read-only, system and archive cleared. The result is ignored.
  SetFileAttributesW(SkinLibraryPath().c_str(), FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace vantrelle
