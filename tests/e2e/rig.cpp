#include "rig.h"

#include <cstdio>
#include <cstring>

namespace e2e {
namespace {

int failures = 0;

struct TopLevelQuery {
  DWORD pid;
  const wchar_t* className;  // nullptr: any class
  const std::wstring* title; // nullptr: any title
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto& query = *reinterpret_cast<TopLevelQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != query.pid) return TRUE;
  if (query.className != nullptr) {
    wchar_t name[64]{};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, query.className) != 0) return TRUE;
  }
  if (query.title != nullptr && WindowTitle(window) != *query.title) return TRUE;
  query.found = window;
  return FALSE;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs = 10000) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result)) {
    Fail(__FILE__, __LINE__, "SendMessageTimeout(" + std::to_string(message) + ") failed or timed out, error " +
                                 std::to_string(GetLastError()));
    throw CaseAborted{};
  }
  return static_cast<LRESULT>(result);
}

bool OpenClipboardPatiently() {
  return WaitFor([] { return OpenClipboard(DriverWindow()) != FALSE; }, 5000, 10);
}

}  // namespace

void Fail(const char* file, int line, const std::string& what) {
  ++failures;
  std::printf("%s:%d: Test failed: %s\n", file, line, what.c_str());
  std::fflush(stdout);
}

bool CheckThat(bool ok, const char* file, int line, const char* expression, const std::string& detail) {
  if (!ok) Fail(file, line, std::string(expression) + (detail.empty() ? "" : " (" + detail + ")"));
  return ok;
}

int FailureCount() { return failures; }

void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

std::wstring Wide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
  return out;
}

std::string Gbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Hex(std::string_view bytes, std::size_t limit) {
  std::string out;
  char piece[4];
  for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
    std::snprintf(piece, sizeof piece, "%02X ", static_cast<unsigned char>(bytes[i]));
    out += piece;
  }
  if (bytes.size() > limit) out += "... (" + std::to_string(bytes.size()) + " bytes)";
  return out;
}

// --- The program under test -----------------------------------------------------

Program::~Program() {
  if (process.hProcess != nullptr) {
    if (Running()) TerminateProcess(process.hProcess, 3);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
}

bool Program::Running() const {
  DWORD code = 0;
  return GetExitCodeProcess(process.hProcess, &code) && code == STILL_ACTIVE;
}

DWORD Program::WaitExit(DWORD timeoutMs) {
  if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process.hProcess, &code);
  return code;
}

HWND Program::Control(HWND window, const vantrelle::WindowDefinition& definition, std::uint32_t id) const {
  const vantrelle::ControlDefinition* control = vantrelle::FindControlDefinition(definition, id);
  REQUIRE_MSG(control != nullptr, "no control " + std::to_string(id) + " in the definition");
  HWND parent = control->parentId == definition.id ? window : Control(window, definition, control->parentId);
  HWND found = GetDlgItem(parent, static_cast<int>(id));
  REQUIRE_MSG(found != nullptr, "GetDlgItem found no control 0x" + Hex(std::string(reinterpret_cast<const char*>(&id), 4)));
  return found;
}

static std::wstring FreshDirectory(const std::wstring& name) {
  wchar_t temp[MAX_PATH]{};
  REQUIRE(GetTempPathW(MAX_PATH, temp) != 0);
  static int serial = 0;
  std::wstring path = std::wstring(temp) + L"vantrelle-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                      std::to_wstring(++serial);
  REQUIRE(CreateDirectoryW(path.c_str(), nullptr));
  if (!name.empty()) {
    path += L"\\" + name;
    REQUIRE_MSG(CreateDirectoryW(path.c_str(), nullptr), "cannot make " + Utf8(path));
  }
  return path;
}

void Launch(Program& program, const std::wstring& exePath, const std::wstring& directoryName, bool needForeground) {
  const std::wstring title = Wide(vantrelle::MainWindow.title);
  for (int attempt = 1; attempt <= 3; ++attempt) {
    program.directory = FreshDirectory(directoryName);
    const std::wstring copy = program.directory + L"\\vantrelle.exe";
    REQUIRE_MSG(CopyFileW(exePath.c_str(), copy.c_str(), TRUE), "CopyFile to " + Utf8(copy));

    std::wstring commandLine = L"\"" + copy + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    REQUIRE_MSG(CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               program.directory.c_str(), &startup, &process),
                "CreateProcess error " + std::to_string(GetLastError()));
    program.process = process;

    HWND main = nullptr;
    const bool shown = WaitFor([&] {
      main = FindTopLevel(program.Pid(), L"VantrelleWindow", title);
      return (main != nullptr && IsWindowVisible(main)) || !program.Running();
    }, 15000);
    REQUIRE_MSG(shown && program.Running(), "MainWindow never showed");
    program.main = main;
    if (!needForeground || MakeForeground(main)) return;

    std::printf("note: launch %d came up with no active window; starting again\n", attempt);
    TerminateProcess(process.hProcess, 3);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    program.process = {};
  }
  REQUIRE_MSG(false, "no launch came up active");
}

std::wstring WindowTitle(HWND window) {
  wchar_t title[512]{};
  GetWindowTextW(window, title, 512);
  return title;
}

HWND FindTopLevel(DWORD pid, const wchar_t* className, const std::wstring& title) {
  TopLevelQuery query{pid, className, &title, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitTopLevel(DWORD pid, const wchar_t* className, const std::wstring& title, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindTopLevel(pid, className, title)) != nullptr && IsWindowVisible(found); },
          timeoutMs);
  return found;
}

// --- Controls -------------------------------------------------------------------

std::wstring ReadText(HWND control) {
  const auto length = static_cast<std::size_t>(SendWithTimeout(control, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(length + 1, L'\0');
  const auto got = static_cast<std::size_t>(
      SendWithTimeout(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(got);
  return text;
}

void SetText(HWND control, const std::wstring& text) {
  REQUIRE(SendWithTimeout(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 60000) == TRUE);
}

void Click(HWND button) { SendWithTimeout(button, BM_CLICK, 0, 0, 60000); }

void PostClick(HWND button) { REQUIRE(PostMessageW(button, BM_CLICK, 0, 0)); }

bool IsChecked(HWND button) { return SendWithTimeout(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// --- Keyboard and mouse -----------------------------------------------------------

bool MakeForeground(HWND window) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    SetForegroundWindow(window);
    if (WaitFor([&] { return GetForegroundWindow() == window; }, 400)) return true;
  }
  return false;
}

static void Send(std::initializer_list<INPUT> inputs) {
  std::vector<INPUT> all(inputs);
  REQUIRE(SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT)) == all.size());
  Pump(30);
}

static INPUT Key(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void PressKey(WORD vk, bool shift) {
  if (shift) {
    Send({Key(VK_SHIFT, false), Key(vk, false), Key(vk, true), Key(VK_SHIFT, true)});
  } else {
    Send({Key(vk, false), Key(vk, true)});
  }
}

void ClickAt(HWND control) {
  RECT r{};
  REQUIRE(GetWindowRect(control, &r));
  const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = static_cast<LONG>((x * 65536LL + w / 2) / w);
  move.mi.dy = static_cast<LONG>((y * 65536LL + h / 2) / h);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT down = move, up = move;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  Send({move, down, up});
}

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// --- Message boxes --------------------------------------------------------------

bool AnyBox(DWORD pid) {
  TopLevelQuery query{pid, L"#32770", nullptr, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
  return query.found != nullptr && IsWindowVisible(query.found);
}

Box WaitBox(DWORD pid, DWORD timeoutMs) {
  Box box;
  const bool found = WaitFor([&] {
    TopLevelQuery query{pid, L"#32770", nullptr, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    box.handle = query.found;
    return box.handle != nullptr && IsWindowVisible(box.handle) && GetDlgItem(box.handle, 0xFFFF) != nullptr;
  }, timeoutMs);
  REQUIRE_MSG(found, "no message box appeared");
  box.title = WindowTitle(box.handle);
  box.text = ReadText(GetDlgItem(box.handle, 0xFFFF));
  for (int id = IDOK; id <= IDCONTINUE; ++id) {
    HWND button = GetDlgItem(box.handle, id);
    if (button != nullptr && IsWindowVisible(button)) ++box.visibleButtons;
  }
  HWND icon = GetDlgItem(box.handle, 0x0440);  // the box's icon static
  box.hasIcon = icon != nullptr && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0) != 0;
  return box;
}

void AnswerOk(const Box& box) {
  HWND ok = GetDlgItem(box.handle, IDOK);
  REQUIRE(ok != nullptr);
  REQUIRE(PostMessageW(ok, BM_CLICK, 0, 0));
  REQUIRE_MSG(WaitFor([&] { return !IsWindow(box.handle) || !IsWindowVisible(box.handle); }, 5000),
              "the box did not close");
}

// --- Clipboard ------------------------------------------------------------------

HWND DriverWindow() {
  static HWND window = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VantrelleE2eDriver";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, L"VantrelleE2eDriver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  REQUIRE(window != nullptr);
  return window;
}

ClipboardText ReadClipboard() {
  ClipboardText out;
  REQUIRE_MSG(OpenClipboardPatiently(), "the clipboard stayed busy");
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      out.hasText = true;
      out.text.assign(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      out.hasUnicode = true;
      out.unicode.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return out;
}

void PutOnClipboard(const std::wstring& text) {
  REQUIRE_MSG(OpenClipboardPatiently(), "the clipboard stayed busy");
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  REQUIRE(block != nullptr);
  std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  const bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  REQUIRE(placed);
}

ClipboardHold::ClipboardHold() { REQUIRE_MSG(OpenClipboardPatiently(), "could not hold the clipboard"); }
ClipboardHold::~ClipboardHold() { CloseClipboard(); }

// --- Files and the environment ---------------------------------------------------

std::wstring EnvironmentValue(const wchar_t* name) {
  wchar_t value[2048]{};
  const DWORD n = GetEnvironmentVariableW(name, value, 2048);
  return n > 0 && n < 2048 ? std::wstring(value, n) : std::wstring();
}

std::wstring FromUnixPath(const std::wstring& unixPath) {
  std::wstring path = L"Z:" + unixPath;
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
  CloseHandle(file);
  return content;
}

}  // namespace e2e
