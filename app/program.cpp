// The program's life: start-up, the message loop and the exit steps.
#include <windows.h>

#include <new>

#include "platform.h"
#include "skin_apply.h"
#include "window_builder.h"
#include "window_definitions.h"

namespace vantrelle {
namespace {

// Dispatches until the quit request. The dialog navigation (Tab, Shift+Tab,
// Esc) is asked first, for the top-level window the message belongs to.
int RunMessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(message.wParam);
    if (got == -1) return 0;
    HWND topLevel = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (topLevel != nullptr && IsProgramWindow(topLevel) && IsDialogMessageW(topLevel, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int StartProgram() {
  // Paths stay UTF-16 from the module name on, so a directory named with
  // characters that GBK lacks works too. The trailing backslash makes a drive
  // root ("C:") the root and not the drive's current directory.
  const std::wstring directory = RunDirectory();
  if (!directory.empty()) SetCurrentDirectoryW((directory + L"\\").c_str());

  // Built hidden; the created event (the skin) runs before it is shown.
  OpenWindow(MainWindow);

  MarkLoopStarted();
  int exitCode = 0;
  if (AnyWindowLive()) exitCode = RunMessageLoop();
  return exitCode;
}

}  // namespace vantrelle

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int exitCode = 0;
  try {
    exitCode = vantrelle::StartProgram();
  } catch (const std::bad_alloc&) {
    vantrelle::ReportAllocationFailure(0);
  }
  vantrelle::UnloadExternalLibraries();
  return exitCode;
}
