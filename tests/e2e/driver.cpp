// vantrelle-e2e: drives the real vantrelle.exe from another process, one
// case per run:   vantrelle-e2e.exe <case> <path-to-vantrelle.exe>
// Expected results come from the text services linked in, and the window
// checks walk the program's own window definitions.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "rig.h"
#include "text_services.h"
#include "window_definitions.h"

#ifndef VANTRELLE_PROMO_ADDRESS
#error "VANTRELLE_PROMO_ADDRESS comes from the program's source"
#endif

using namespace e2e;
namespace vd = vantrelle::id;
using vantrelle::ControlKind;
using vantrelle::MainWindow;
using vantrelle::PromoWindow;

namespace {

std::wstring g_exe;

// Texts the program shows, as GBK bytes.
const std::string kInfoTitle = "\xD0\xC5\xCF\xA2\xA3\xBA";    // 信息：
const std::string kCopied = "\xB8\xB4\xD6\xC6\xB3\xC9\xB9\xA6";  // 复制成功
const std::string kNotCopied = "\xB8\xB4\xD6\xC6\xCA\xA7\xB0\xDC";  // 复制失败
// A sample with CR LF, ASCII and characters both tables change: 这是马来西亚的月亮
const std::string kSample = "abc\r\n\xD5\xE2\xCA\xC7\xC2\xED\xC0\xB4\xCE\xF7\xD1\xC7\xB5\xC4\xD4\xC2\xC1\xC1 1\r\n";

std::wstring W(const std::string& gbk) { return Wide(gbk); }

void ExpectClipboard(const std::string& gbk, const char* file, int line) {
  const ClipboardText clip = ReadClipboard();
  CheckThat(clip.hasText && clip.text == gbk, file, line, "CF_TEXT holds the GBK bytes",
            "got " + Hex(clip.text) + " want " + Hex(gbk));
  CheckThat(clip.hasUnicode && clip.unicode == W(gbk), file, line, "CF_UNICODETEXT reads the same characters",
            "got " + Utf8(clip.unicode.substr(0, 40)));
}
#define EXPECT_CLIPBOARD(gbk) ExpectClipboard((gbk), __FILE__, __LINE__)

void ExpectBox(DWORD pid, const std::string& text, const char* file, int line) {
  const Box box = WaitBox(pid);
  CheckThat(box.title == W(kInfoTitle), file, line, "the box is titled 信息：", Utf8(box.title));
  CheckThat(box.text == W(text), file, line, "the box's text", Utf8(box.text));
  CheckThat(box.visibleButtons == 1, file, line, "one button", std::to_string(box.visibleButtons));
  CheckThat(!box.hasIcon, file, line, "no icon");
  AnswerOk(box);
}
#define EXPECT_BOX(pid, text) ExpectBox((pid), (text), __FILE__, __LINE__)

// Closes MainWindow as its close box does and checks a clean end.
void CloseAndExpectExit(Program& p, HWND window) {
  REQUIRE(PostMessageW(window, WM_CLOSE, 0, 0));
  const DWORD code = p.WaitExit();
  CHECK_MSG(code == 0, "exit code " + std::to_string(code));
}

std::wstring UrlLogPath() {
  const std::wstring log = EnvironmentValue(L"E2E_URL_LOG");
  REQUIRE_MSG(!log.empty(), "the harness sets E2E_URL_LOG");
  return FromUnixPath(log);
}

// Waits up to `ms` for the logger to have written `lines` lines; returns the log.
std::string UrlLog(int lines, DWORD ms = 4000) {
  std::string log;
  WaitFor([&] {
    log = ReadWholeFile(UrlLogPath());
    int n = 0;
    for (char c : log) n += c == '\n';
    return n >= lines;
  }, ms, 50);
  return log;
}
const std::string kExpectedUrlLine = std::string("http://") + VANTRELLE_PROMO_ADDRESS + "/\n";

// --- Cases ----------------------------------------------------------------------

void OuterSizeAndCentring() {
  Program p;
  Launch(p, g_exe);
  RECT r{};
  REQUIRE(GetWindowRect(p.main, &r));
  CHECK_MSG(r.right - r.left == 519 && r.bottom - r.top == 496,
            std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  CHECK_MSG(r.left == (sw - 519) / 2 && r.top == (sh - 496) / 2,
            std::to_string(r.left) + "," + std::to_string(r.top));
  const LONG style = GetWindowLongW(p.main, GWL_STYLE);
  CHECK((style & WS_MINIMIZEBOX) != 0);
  CHECK((style & WS_MAXIMIZEBOX) == 0);
  CHECK((style & WS_THICKFRAME) == 0);
  CHECK((style & WS_SYSMENU) != 0);
  CloseAndExpectExit(p, p.main);
}

// The platform class and the style type bits each kind is built as.
bool KindMatches(ControlKind kind, HWND control, bool multiline) {
  wchar_t name[32]{};
  GetClassNameW(control, name, 32);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  switch (kind) {
    case ControlKind::GroupBox: return _wcsicmp(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
    case ControlKind::Button: return _wcsicmp(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_PUSHBUTTON;
    case ControlKind::RadioButton:
      return _wcsicmp(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
    case ControlKind::EditBox:
      return _wcsicmp(name, L"Edit") == 0 && ((style & ES_MULTILINE) != 0) == multiline &&
             (!multiline || ((style & ES_WANTRETURN) && !(style & (WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL))));
    case ControlKind::Label: return _wcsicmp(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW;
    case ControlKind::Window: return false;
  }
  return false;
}

// A single-line edit box is at least as high as "吴" in DEFAULT_GUI_FONT plus two edges.
int ExpectedEditHeight(int defined) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE text{};
  GetTextExtentPoint32W(dc, L"\u5434", 1, &text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return std::max<int>(defined, text.cy + 2 * GetSystemMetrics(SM_CYEDGE));
}

void CheckBuiltAsDefined(const Program& p, HWND window, const vantrelle::WindowDefinition& definition) {
  CHECK_MSG(WindowTitle(window) == W(std::string(definition.title)), Utf8(WindowTitle(window)));
  for (const vantrelle::ControlDefinition& c : definition.controls) {
    const std::string name = Utf8(W(std::string(c.name)));
    HWND control = p.Control(window, definition, c.id);
    HWND parent = c.parentId == definition.id ? window : p.Control(window, definition, c.parentId);
    CHECK_MSG(static_cast<std::uint32_t>(GetWindowLongPtrW(control, GWLP_ID)) == c.id, name);
    CHECK_MSG(GetParent(control) == parent, name);
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const int height = c.kind == ControlKind::EditBox && !c.multiline ? ExpectedEditHeight(c.place.height)
                                                                      : c.place.height;
    CHECK_MSG(r.left == c.place.left && r.top == c.place.top && r.right - r.left == c.place.width &&
                  r.bottom - r.top == height,
              name + " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                  std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
    const std::string caption = Gbk(ReadText(control));
    CHECK_MSG(caption == c.caption, name + ": " + Hex(caption) + " want " + Hex(c.caption));
    CHECK_MSG(KindMatches(c.kind, control, c.multiline), name);
    CHECK_MSG(((GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0) == c.tabStop, name);
    CHECK_MSG(IsWindowVisible(control) && IsWindowEnabled(control), name);
    if (c.kind == ControlKind::RadioButton) CHECK_MSG(!IsChecked(control), name + " starts unchecked");
  }
}

void MatchesDefinition() {
  Program p;
  Launch(p, g_exe);
  CheckBuiltAsDefined(p, p.main, MainWindow);
  CloseAndExpectExit(p, p.main);
}

void ToMartian() {
  Program p;
  Launch(p, g_exe);
  PutOnClipboard(L"before");
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, W(kSample));
  Click(p.MainControl(vd::Button12));
  const std::string expected = vantrelle::ToMartianScript(kSample);
  CHECK(expected != kSample);
  CHECK_MSG(Gbk(ReadText(edit)) == expected, Hex(Gbk(ReadText(edit))));
  EXPECT_CLIPBOARD(expected);
  CHECK(!AnyBox(p.Pid()));
  CloseAndExpectExit(p, p.main);
}

void ToTraditional() {
  Program p;
  Launch(p, g_exe);
  PutOnClipboard(L"before");
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, W(kSample));
  Click(p.MainControl(vd::Button13));
  const std::string expected = vantrelle::ToTraditional(kSample);
  CHECK(expected != kSample);
  CHECK_MSG(Gbk(ReadText(edit)) == expected, Hex(Gbk(ReadText(edit))));
  const ClipboardText clip = ReadClipboard();
  CHECK_MSG(clip.unicode == L"before", "the Traditional action leaves the clipboard alone");
  CHECK(!AnyBox(p.Pid()));
  CloseAndExpectExit(p, p.main);
}

void ClearAndCopyContent() {
  Program p;
  Launch(p, g_exe);
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, W(kSample));
  PostClick(p.MainControl(vd::Button10));
  EXPECT_BOX(p.Pid(), kCopied);
  EXPECT_CLIPBOARD(kSample);  // several lines, CR LF kept
  Click(p.MainControl(vd::Button11));
  CHECK(ReadText(edit).empty());
  PostClick(p.MainControl(vd::Button10));
  EXPECT_BOX(p.Pid(), kCopied);
  EXPECT_CLIPBOARD("");
  CloseAndExpectExit(p, p.main);
}

void BeautifyAndCopyResult() {
  Program p;
  Launch(p, g_exe);
  HWND nick = p.MainControl(vd::EditBox3), result = p.MainControl(vd::EditBox4);
  Click(p.MainControl(vd::Button14));
  CHECK_MSG(ReadText(result).empty(), "no style checked: 编辑框4 stays empty");
  // Longer than twelve characters, two-byte and ASCII mixed: 小明的QQ昵称abc一二三四五六
  const std::string nickname = "\xD0\xA1\xC3\xF7\xB5\xC4QQ\xEA\xC7\xB3\xC6 abc \xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9";
  SetText(nick, W(nickname));
  for (const vantrelle::NicknameStyle& style : vantrelle::NicknameStyleTable) {
    HWND radio = p.MainControl(style.buttonId);
    Click(radio);
    Click(p.MainControl(vd::Button14));
    const std::string expected = vantrelle::DecorateNickname(style, nickname);
    CHECK_MSG(Gbk(ReadText(result)) == expected, Utf8(W(std::string(style.buttonName))) + ": " +
                                                       Hex(Gbk(ReadText(result))) + " want " + Hex(expected));
    for (const vantrelle::NicknameStyle& other : vantrelle::NicknameStyleTable) {
      if (other.buttonId != style.buttonId) CHECK(!IsChecked(p.MainControl(other.buttonId)));
    }
    CHECK(IsChecked(radio));
  }
  CHECK(Gbk(ReadText(nick)) == nickname);
  const std::string last = Gbk(ReadText(result));
  PostClick(p.MainControl(vd::Button15));
  EXPECT_BOX(p.Pid(), kCopied);
  WaitFor([&] { return ReadClipboard().text == last; }, 2000);
  EXPECT_CLIPBOARD(last);
  CloseAndExpectExit(p, p.main);
}

void CopyWhileClipboardHeld() {
  Program p;
  Launch(p, g_exe);
  PutOnClipboard(L"kept \u4FDD\u7559");
  const std::string before = ReadClipboard().text;
  SetText(p.MainControl(vd::EditBox2), W(kSample));
  SetText(p.MainControl(vd::EditBox4), L"result");
  {
    ClipboardHold hold;
    PostClick(p.MainControl(vd::Button10));
    EXPECT_BOX(p.Pid(), kNotCopied);
    PostClick(p.MainControl(vd::Button15));
    EXPECT_BOX(p.Pid(), kNotCopied);
    Click(p.MainControl(vd::Button12));  // converts, and its copy fails silently
    CHECK(!AnyBox(p.Pid()));
  }
  const ClipboardText clip = ReadClipboard();
  CHECK_MSG(clip.unicode == L"kept \u4FDD\u7559", "nothing lost: " + Utf8(clip.unicode));
  CHECK(clip.text == before);
  CHECK(Gbk(ReadText(p.MainControl(vd::EditBox2))) == vantrelle::ToMartianScript(kSample));
  CloseAndExpectExit(p, p.main);
}

void LongText() {
  Program p;
  Launch(p, g_exe);
  // 300,000 characters: lines of 58 two-byte characters and CR LF.
  const std::string word = "\xD5\xE2\xCA\xC7\xC2\xED\xC0\xB4\xCE\xF7\xD1\xC7\xB5\xC4\xD4\xC2";  // 8 characters
  std::string line;
  while (line.size() < 116) line += word;
  line.resize(116);
  line += "\r\n";
  std::string text;
  for (int i = 0; i < 5000; ++i) text += line;  // 5,000 lines of 60 characters
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, W(text));
  CHECK(ReadText(edit).size() == 300000);
  Click(p.MainControl(vd::Button13));
  const std::string traditional = Gbk(ReadText(edit));
  CHECK_MSG(traditional == vantrelle::ToTraditional(text), std::to_string(traditional.size()) + " bytes");
  SetText(edit, W(text));
  Click(p.MainControl(vd::Button12));
  const std::string martian = vantrelle::ToMartianScript(text);
  CHECK_MSG(Gbk(ReadText(edit)) == martian, "Martian script of 300,000 characters");
  const ClipboardText clip = ReadClipboard();
  CHECK_MSG(clip.text == martian, std::to_string(clip.text.size()) + " bytes on the clipboard");
  CloseAndExpectExit(p, p.main);
}

void EscFromEditBox2() {
  Program p;
  Launch(p, g_exe);
  HWND edit = p.MainControl(vd::EditBox2);
  ClickAt(edit);
  REQUIRE(WaitFor([&] { return FocusOf(p.process.dwThreadId) == edit; }, 2000));
  PressKey(VK_ESCAPE);
  const DWORD code = p.WaitExit();
  CHECK_MSG(code == 0, "exit code " + std::to_string(code));
}

void TabAndShiftTab() {
  Program p;
  Launch(p, g_exe);
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, L"x");
  ClickAt(edit);
  const DWORD thread = p.process.dwThreadId;
  REQUIRE(WaitFor([&] { return FocusOf(thread) == edit; }, 2000));
  PressKey(VK_TAB);
  HWND next = nullptr;
  CHECK(WaitFor([&] { return (next = FocusOf(thread)) != edit && next != nullptr; }, 2000));
  CHECK_MSG(ReadText(edit) == L"x", "no tab character went into 编辑框2");
  CHECK(next == p.MainControl(vd::Button13));
  PressKey(VK_TAB, true);
  CHECK(WaitFor([&] { return FocusOf(thread) == edit; }, 2000));
  PressKey(VK_TAB, true);
  CHECK(WaitFor([&] { return FocusOf(thread) != edit; }, 2000));
  CloseAndExpectExit(p, p.main);
}

void EnterInEditBox2() {
  Program p;
  Launch(p, g_exe);
  HWND edit = p.MainControl(vd::EditBox2);
  SetText(edit, L"");
  ClickAt(edit);
  REQUIRE(WaitFor([&] { return FocusOf(p.process.dwThreadId) == edit; }, 2000));
  PressKey('A');
  PressKey(VK_RETURN);
  PressKey('B');
  CHECK(WaitFor([&] { return ReadText(edit) == L"a\r\nb"; }, 2000));
  CHECK_MSG(ReadText(edit) == L"a\r\nb", Utf8(ReadText(edit)));
  CHECK(!AnyBox(p.Pid()));
  CHECK(p.Running());
  CloseAndExpectExit(p, p.main);
}

void ShellRequestAtClose() {
  Program p;
  Launch(p, g_exe);
  CHECK(ReadWholeFile(UrlLogPath()).empty());
  CloseAndExpectExit(p, p.main);
  const std::string log = UrlLog(1);
  Pump(500);  // a second request would come within this
  CHECK_MSG(ReadWholeFile(UrlLogPath()) == kExpectedUrlLine, "logged: " + log);
}

// Starts from a directory of that name, converts, closes.
void RunFrom(const std::wstring& directoryName) {
  Program p;
  Launch(p, g_exe, directoryName);
  SetText(p.MainControl(vd::EditBox2), W(kSample));
  Click(p.MainControl(vd::Button12));
  EXPECT_CLIPBOARD(vantrelle::ToMartianScript(kSample));
  CloseAndExpectExit(p, p.main);
  CHECK(ReadWholeFile(UrlLogPath()) == kExpectedUrlLine || UrlLog(1) == kExpectedUrlLine);
}
void FromNonGbkDirectory() { RunFrom(L"\u00D1and\u00FA \uD55C\uAE00"); }  // Ñandú 한글
void FromTrail5cDirectory() { RunFrom(L"\u4E57\u8868"); }  // 乗表: 乗 is 81 5C in GBK

HWND OpenPromo(Program& p) {
  PostClick(p.MainControl(vd::Button1));
  HWND promo = WaitTopLevel(p.Pid(), L"VantrelleWindow", W(std::string(PromoWindow.title)));
  REQUIRE_MSG(promo != nullptr, "PromoWindow did not open");
  return promo;
}

struct TitleCount {
  DWORD pid;
  const std::wstring* title;
  int n;
};

BOOL CALLBACK CountTitle(HWND window, LPARAM param) {
  auto& count = *reinterpret_cast<TitleCount*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == count.pid && WindowTitle(window) == *count.title) ++count.n;
  return TRUE;
}

int CountTopLevel(DWORD pid, const std::wstring& title) {
  TitleCount count{pid, &title, 0};
  EnumWindows(CountTitle, reinterpret_cast<LPARAM>(&count));
  return count.n;
}

void CheckCentred(HWND window, int width, int height) {
  RECT r{};
  GetWindowRect(window, &r);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  CHECK_MSG(r.right - r.left == width && r.bottom - r.top == height && r.left == (sw - width) / 2 &&
                r.top == (sh - height) / 2,
            std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
                std::to_string(r.bottom - r.top));
}

void PromoOpenRestoreReopen() {
  Program p;
  Launch(p, g_exe);
  const std::wstring title = W(std::string(PromoWindow.title));
  HWND promo = OpenPromo(p);
  CheckCentred(promo, 372, 303);
  CheckBuiltAsDefined(p, promo, PromoWindow);
  const LONG style = GetWindowLongW(promo, GWL_STYLE);
  CHECK((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
  CHECK(GetWindow(promo, GW_OWNER) == nullptr);

  PostClick(p.MainControl(vd::Button1));  // the double press
  Pump(300);
  CHECK(CountTopLevel(p.Pid(), title) == 1);
  CHECK(FindTopLevel(p.Pid(), L"VantrelleWindow", title) == promo);

  ShowWindow(promo, SW_MINIMIZE);
  CHECK(WaitFor([&] { return IsIconic(promo) != FALSE; }, 2000));
  PostClick(p.MainControl(vd::Button1));
  CHECK_MSG(WaitFor([&] {
    RECT r{};
    GetWindowRect(promo, &r);
    return !IsIconic(promo) && r.right - r.left == 372;
  }, 3000), "restored from minimised");
  CheckCentred(promo, 372, 303);

  // Esc in PromoWindow closes it and leaves MainWindow.
  REQUIRE(MakeForeground(promo));
  PressKey(VK_ESCAPE);
  CHECK(WaitFor([&] { return !IsWindow(promo); }, 3000));
  CHECK(IsWindow(p.main) && p.Running());

  // Moved before closing, so the reopened one shows it is centred anew.
  HWND again = OpenPromo(p);
  CheckCentred(again, 372, 303);
  SetWindowPos(again, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  PostMessageW(again, WM_CLOSE, 0, 0);
  CHECK(WaitFor([&] { return !IsWindow(again); }, 3000));
  HWND third = OpenPromo(p);
  CheckCentred(third, 372, 303);
  PostMessageW(third, WM_CLOSE, 0, 0);
  CHECK(WaitFor([&] { return !IsWindow(third); }, 3000));
  CloseAndExpectExit(p, p.main);
}

void MainClosedFirst() {
  Program p;
  Launch(p, g_exe);
  HWND promo = OpenPromo(p);
  REQUIRE(PostMessageW(p.main, WM_CLOSE, 0, 0));
  CHECK(WaitFor([&] { return !IsWindow(p.main); }, 3000));
  CHECK_MSG(UrlLog(1) == kExpectedUrlLine, "the address opened at once");
  Pump(300);
  CHECK_MSG(p.Running(), "the program runs on while PromoWindow is open");
  CHECK(IsWindow(promo));
  REQUIRE(PostMessageW(promo, WM_CLOSE, 0, 0));
  const DWORD code = p.WaitExit();
  CHECK_MSG(code == 0, "exit code " + std::to_string(code));
  Pump(500);
  CHECK_MSG(ReadWholeFile(UrlLogPath()) == kExpectedUrlLine, "the address opened once");
}

void PromoClosedFirst() {
  Program p;
  Launch(p, g_exe);
  HWND promo = OpenPromo(p);
  REQUIRE(PostMessageW(promo, WM_CLOSE, 0, 0));
  CHECK(WaitFor([&] { return !IsWindow(promo); }, 3000));
  Pump(300);
  CHECK(p.Running() && IsWindow(p.main));
  CHECK(ReadWholeFile(UrlLogPath()).empty());
  CloseAndExpectExit(p, p.main);
  CHECK(UrlLog(1) == kExpectedUrlLine);
}

// Leaves a window on screen for the harness's screenshot: it signals through
// one file and waits for the harness to create another.
void HoldForScreenshot() {
  const std::wstring signal = FromUnixPath(EnvironmentValue(L"E2E_SHOT_READY"));
  const std::wstring done = FromUnixPath(EnvironmentValue(L"E2E_SHOT_DONE"));
  REQUIRE(signal.size() > 2 && done.size() > 2);
  Pump(500);  // let the last paint land
  HANDLE file = CreateFileW(signal.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  REQUIRE(file != INVALID_HANDLE_VALUE);
  CloseHandle(file);
  CHECK_MSG(WaitFor([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000, 100),
            "the harness took no screenshot");
}

void ScreenshotMain() {
  Program p;
  Launch(p, g_exe);
  SetText(p.MainControl(vd::EditBox2), W(kSample));
  Click(p.MainControl(vd::Button12));
  SetText(p.MainControl(vd::EditBox3), W("\xD0\xA1\xC3\xF7"));  // 小明
  Click(p.MainControl(vantrelle::NicknameStyleTable[16].buttonId));
  Click(p.MainControl(vd::Button14));
  HoldForScreenshot();
  CloseAndExpectExit(p, p.main);
}

void ScreenshotPromo() {
  Program p;
  Launch(p, g_exe);
  HWND promo = OpenPromo(p);
  MakeForeground(promo);
  HoldForScreenshot();
  PostMessageW(promo, WM_CLOSE, 0, 0);
  CloseAndExpectExit(p, p.main);
}

struct Case {
  const char* name;
  void (*run)();
};

// One line per case; the harness names them in tests/e2e/CMakeLists.txt.
const Case kCases[] = {
    {"outer-size", OuterSizeAndCentring},
    {"definition", MatchesDefinition},
    {"martian", ToMartian},
    {"traditional", ToTraditional},
    {"clear-copy", ClearAndCopyContent},
    {"beautify-copy", BeautifyAndCopyResult},
    {"clipboard-held", CopyWhileClipboardHeld},
    {"long-text", LongText},
    {"esc", EscFromEditBox2},
    {"tab", TabAndShiftTab},
    {"enter", EnterInEditBox2},
    {"shell-at-close", ShellRequestAtClose},
    {"dir-non-gbk", FromNonGbkDirectory},
    {"dir-trail-5c", FromTrail5cDirectory},
    {"promo", PromoOpenRestoreReopen},
    {"promo-main-closed-first", MainClosedFirst},
    {"promo-closed-first", PromoClosedFirst},
    {"screenshot-main", ScreenshotMain},
    {"screenshot-promo", ScreenshotPromo},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::printf("usage: vantrelle-e2e <case> <path-to-vantrelle.exe>\ncases:");
    for (const Case& c : kCases) std::printf(" %s", c.name);
    std::printf("\n");
    return 2;
  }
  const std::string name = Utf8(argv[1]);
  g_exe = argv[2];
  for (const Case& c : kCases) {
    if (name != c.name) continue;
    const ULONGLONG start = GetTickCount64();
    try {
      c.run();
    } catch (const CaseAborted&) {
      std::printf("%s: aborted\n", c.name);
    }
    const int failed = FailureCount();
    std::printf("%s: %s, %d failure%s, %llu ms\n", c.name, failed == 0 ? "passed" : "FAILED", failed,
                failed == 1 ? "" : "s", GetTickCount64() - start);
    return failed == 0 ? 0 : 1;
  }
  std::printf("unknown case: %s\n", name.c_str());
  return 2;
}
