// ApplySkin: deploys the library, binds SkinH_AttachRes on first use and
// hands it a private copy of a catalogue skin, checking afterwards that the
// callee removed its six arguments from the stack.
#include "skin_apply.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "generated/skin_catalogue.h"
#include "platform.h"
#include "skin_deploy.h"

namespace vantrelle {
namespace {

using AttachFunction = int(__stdcall*)(const unsigned char* skin, int length, const char* text,
                                       int, int, int);

// The program's one function that lives in a library outside it.
struct ExternalFunction {
  const wchar_t* libraryName;
  const char* functionName;
  FARPROC address = nullptr;
  HMODULE library = nullptr;
};

ExternalFunction gAttachRes = {L"SkinH_EL.dll", "SkinH_AttachRes"};

// "无法找到指定DLL库文件“%s”中的输出命令“%s”"
constexpr char kMissingFunctionFormat[] =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8" "DLL" "\xBF\xE2\xCE\xC4\xBC\xFE"
    "\xA1\xB0%s\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0%s\xA1\xB1";
// "调用DLL命令后发现堆栈错误"
constexpr char kStackError[] =
    "\xB5\xF7\xD3\xC3" "DLL" "\xC3\xFC\xC1\xEE\xBA\xF3\xB7\xA2\xCF\xD6\xB6\xD1\xD5\xBB\xB4\xED\xCE\xF3";
constexpr std::int32_t kStackErrorCode = 6;

bool HasDriveColon(const wchar_t* name) { return std::wcschr(name, L':') != nullptr; }

FARPROC BindExternalFunction(ExternalFunction& f) {
  if (f.address != nullptr) return f.address;
  HMODULE library = nullptr;
  if (!HasDriveColon(f.libraryName)) {
    library = LoadLibraryW((RunDirectory() + L"\\" + f.libraryName).c_str());
  }
  if (library == nullptr) library = LoadLibraryW(f.libraryName);
  if (library != nullptr) {
    if (FARPROC address = GetProcAddress(library, f.functionName)) {
      f.library = library;
      f.address = address;
      return address;
    }
    FreeLibrary(library);
  }
  char message[256];
  std::snprintf(message, sizeof message, kMissingFunctionFormat, WideToGbk(f.libraryName).c_str(),
                f.functionName);
  ReportFatalError(message, 0);
}

struct AttachCall {
  const unsigned char* skin;
  int length;
  const char* text;
  int zero1, zero2, zero3;
  AttachFunction function;
};

// Calls the function and reports whether the stack pointer came back to
// where it was before the six arguments were pushed. The arguments are pushed
// by hand so the check covers exactly this call; the stack pointer is put
// back afterwards either way, so a cdecl callee cannot derail the caller.
bool CallKeepsStack(const AttachCall& call) {
#if defined(__i386__)
  std::uintptr_t before, after;
  int result;
  asm volatile(
      "movl %%esp, %[before]\n\t"
      "pushl 20(%[call])\n\t"
      "pushl 16(%[call])\n\t"
      "pushl 12(%[call])\n\t"
      "pushl 8(%[call])\n\t"
      "pushl 4(%[call])\n\t"
      "pushl 0(%[call])\n\t"
      "call *24(%[call])\n\t"
      "movl %%esp, %[after]\n\t"
      "movl %[before], %%esp\n\t"
      : "=a"(result), [before] "=&S"(before), [after] "=&D"(after)
      : [call] "b"(&call)
      : "ecx", "edx", "memory", "cc");
  (void)result;  // what the library returns is not the program's concern
  return before == after;
#else
  call.function(call.skin, call.length, call.text, call.zero1, call.zero2, call.zero3);
  return true;
#endif
}

}  // namespace

void ApplySkin(std::int32_t skinNumber) {
  EnsureSkinLibrary();

  unsigned char* copy = nullptr;
  int length = 0;
  if (skinNumber >= 1 && skinNumber <= skin::kSkinCount) {
    const skin::CatalogueSkin& chosen = skin::kSkinCatalogue[skinNumber - 1];
    length = static_cast<int>(chosen.size);
    copy = new (std::nothrow) unsigned char[chosen.size];
    if (copy == nullptr) ReportAllocationFailure(chosen.size);
    std::memcpy(copy, chosen.data, chosen.size);
  }

  static const char kEmptyText[] = "";
  const AttachCall call = {copy, length, kEmptyText, 0, 0, 0,
                           reinterpret_cast<AttachFunction>(BindExternalFunction(gAttachRes))};
  if (!CallKeepsStack(call)) {
    delete[] copy;
    ReportFatalError(kStackError, kStackErrorCode);
  }
  delete[] copy;
}

void UnloadExternalLibraries() {
  if (gAttachRes.library != nullptr) FreeLibrary(gAttachRes.library);
  gAttachRes.library = nullptr;
  gAttachRes.address = nullptr;
}

}  // namespace vantrelle
