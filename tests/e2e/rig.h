// The end-to-end rig's toolbox: starting vantrelle.exe, finding its windows
// and controls, typing, clicking, answering its boxes, the clipboard, and the
// checks that report file:line. Every wait has a deadline.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "window_definitions.h"

namespace e2e {

// --- Checks -------------------------------------------------------------------

// A failed check is reported with its place and the case goes on; a failed
// requirement ends the case (the rest would only repeat the same fault).
struct CaseAborted {};
void Fail(const char* file, int line, const std::string& what);
bool CheckThat(bool ok, const char* file, int line, const char* expression, const std::string& detail = {});
int FailureCount();

#define CHECK(cond) ::e2e::CheckThat((cond), __FILE__, __LINE__, #cond)
#define CHECK_MSG(cond, detail) ::e2e::CheckThat((cond), __FILE__, __LINE__, #cond, (detail))
#define REQUIRE(cond)                                                       \
  do {                                                                      \
    if (!::e2e::CheckThat((cond), __FILE__, __LINE__, #cond)) throw ::e2e::CaseAborted{}; \
  } while (0)
#define REQUIRE_MSG(cond, detail)                                                     \
  do {                                                                                \
    if (!::e2e::CheckThat((cond), __FILE__, __LINE__, #cond, (detail))) throw ::e2e::CaseAborted{}; \
  } while (0)

// --- Text ---------------------------------------------------------------------

std::wstring Wide(std::string_view gbk);    // GBK -> UTF-16, code page 936 named
std::string Gbk(std::wstring_view wide);    // UTF-16 -> GBK
std::string Hex(std::string_view bytes, std::size_t limit = 48);
std::string Utf8(std::wstring_view wide);   // for messages on the console

// Waits `ms` while answering what is sent to the driver's own windows (the
// clipboard owner gets asked things while another process tries the clipboard).
void Pump(DWORD ms);

// Polls `ready` every `stepMs` until it holds or `timeoutMs` has passed.
template <typename Ready>
bool WaitFor(Ready ready, DWORD timeoutMs, DWORD stepMs = 20) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Pump(stepMs);
  }
}

// --- The program under test -----------------------------------------------------

struct Program {
  PROCESS_INFORMATION process{};
  std::wstring directory;  // the fresh directory it runs from
  HWND main = nullptr;

  ~Program();
  DWORD Pid() const { return process.dwProcessId; }
  // The control of `window` with that id, found through its parent chain
  // (GetDlgItem from the parent group box, full 32-bit ids).
  HWND Control(HWND window, const vantrelle::WindowDefinition& definition, std::uint32_t id) const;
  HWND MainControl(std::uint32_t id) const { return Control(main, vantrelle::MainWindow, id); }
  // Waits for the process to end; its exit code, or STILL_ACTIVE on timeout.
  DWORD WaitExit(DWORD timeoutMs = 10000);
  bool Running() const;
};

// Copies the program into a new directory under %TEMP% (named after
// `directoryName` when given) and starts it there; waits until MainWindow is
// shown and, when `needForeground`, active (a launch that comes up with no
// active window is retried with a fresh process).
void Launch(Program& program, const std::wstring& exePath, const std::wstring& directoryName = {},
            bool needForeground = true);

// The top-level window of `pid` with that class and title, shown or not.
HWND FindTopLevel(DWORD pid, const wchar_t* className, const std::wstring& title);
HWND WaitTopLevel(DWORD pid, const wchar_t* className, const std::wstring& title, DWORD timeoutMs = 5000);
std::wstring WindowTitle(HWND window);

// --- Controls -------------------------------------------------------------------

std::wstring ReadText(HWND control);  // WM_GETTEXT: works across processes
void SetText(HWND control, const std::wstring& text);
// A click whose action shows no box: returns when the action has run.
void Click(HWND button);
// A click whose action shows a box: posted, so the driver is not blocked.
void PostClick(HWND button);
bool IsChecked(HWND button);

// --- Keyboard and mouse (SendInput, so GetKeyState sees the keys) ---------------

bool MakeForeground(HWND window);
void ClickAt(HWND control);  // a left click in the middle of the control
void PressKey(WORD vk, bool shift = false);
HWND FocusOf(DWORD threadId);  // the focused window of another thread

// --- Message boxes --------------------------------------------------------------

struct Box {
  HWND handle = nullptr;
  std::wstring title;
  std::wstring text;
  int visibleButtons = 0;
  bool hasIcon = false;
};
// Waits for a message box of `pid` and reads it.
Box WaitBox(DWORD pid, DWORD timeoutMs = 5000);
bool AnyBox(DWORD pid);
void AnswerOk(const Box& box);  // clicks IDOK and waits for the box to go

// --- Clipboard ------------------------------------------------------------------

struct ClipboardText {
  bool hasText = false, hasUnicode = false;
  std::string text;      // CF_TEXT bytes up to the NUL
  std::wstring unicode;  // CF_UNICODETEXT up to the NUL
};
ClipboardText ReadClipboard();
void PutOnClipboard(const std::wstring& text);  // CF_UNICODETEXT, from the driver's own window

// Holds the clipboard open from a window of the driver's own (OpenClipboard
// with no window would not keep another process out under Wine).
class ClipboardHold {
 public:
  ClipboardHold();
  ~ClipboardHold();
};

// A message-only window of the driver, owner of its clipboard work.
HWND DriverWindow();

// --- Files and the environment ---------------------------------------------------

std::wstring EnvironmentValue(const wchar_t* name);
// A Unix path (as the harness passes it) as the Windows path Wine maps it to.
std::wstring FromUnixPath(const std::wstring& unixPath);
std::string ReadWholeFile(const std::wstring& path);  // "" when absent

}  // namespace e2e
