// skin-probe.exe main|box: the window side of the skinning cases.
//   main  waits for MainWindow to be shown, then closes it (exit 0), or
//         exit 1 if it never appears.
//   box   waits for the fatal error box, prints its text as UTF-8 hex on one
//         line ("text <hex>") and "main-shown <0|1>" (whether a MainWindow
//         was visible while the box was up), then presses its OK button.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND WaitFor(const wchar_t* cls, const wchar_t* title, bool visible, int tenths) {
  for (int i = 0; i < tenths * 5; ++i) {
    HWND w = FindWindowW(cls, title);
    if (w != nullptr && (!visible || IsWindowVisible(w))) return w;
    Sleep(20);
  }
  return nullptr;
}

void PrintHex(const char* name, const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  std::printf("%s ", name);
  for (unsigned char c : utf8) std::printf("%02x", c);
  std::printf("\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring mode = argv[1];
  if (mode == L"main") {
    HWND main = WaitFor(L"VantrelleWindow", L"VantrelleV1.0", true, 150);
    if (main == nullptr) { std::printf("MainWindow did not appear\n"); return 1; }
    Sleep(300);
    PostMessageW(main, WM_CLOSE, 0, 0);
    return 0;
  }
  if (mode == L"box") {
    HWND box = WaitFor(L"#32770", L"\u9519\u8BEF", false, 150);  // 错误
    if (box == nullptr) { std::printf("no error box\n"); return 1; }
    Sleep(300);
    wchar_t text[1024] = {};
    SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    PrintHex("text", text);
    HWND main = FindWindowW(L"VantrelleWindow", L"VantrelleV1.0");
    std::printf("main-shown %d\n", main != nullptr && IsWindowVisible(main) ? 1 : 0);
    std::fflush(stdout);
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return 0;
  }
  return 2;
}
