// skin-shot.exe <skin> [promo]: waits for vantrelle.exe's MainWindow, checks
// on screen that skin <skin> of the catalogue is what it wears (the window's
// ground beside the outer group box, the face of the button "清空内容"), and
// with "promo" also opens PromoWindow and checks its ground. Prints the
// windows' rectangles for the screenshot script; exit 0 when all matched.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "generated/skin_catalogue.h"
#include "skin_format.h"

namespace {

using namespace vantrelle::skin;

HWND WaitForWindow(const wchar_t* title) {
  for (int i = 0; i < 500; ++i) {
    if (HWND w = FindWindowW(L"VantrelleWindow", title)) {
      if (IsWindowVisible(w)) return w;
    }
    Sleep(20);
  }
  return nullptr;
}

struct Search {
  UINT_PTR id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (static_cast<UINT_PTR>(GetWindowLongPtrW(w, GWLP_ID)) != s->id) return TRUE;
  s->found = w;
  return FALSE;
}

HWND FindById(HWND top, UINT_PTR id) {
  Search s = {id, nullptr};
  EnumChildWindows(top, MatchId, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

COLORREF ScreenPixel(HWND w, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(w, &p);
  HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, p.x, p.y);
  ReleaseDC(nullptr, dc);
  return c;
}

COLORREF Ref(Rgb c) { return RGB(c.r, c.g, c.b); }

bool Check(const char* what, COLORREF seen, COLORREF low, COLORREF high) {
  // A face shaded top to bottom lies between its two colours.
  auto within = [](int v, int a, int b) { return v >= (a < b ? a : b) - 3 && v <= (a < b ? b : a) + 3; };
  const bool ok = within(GetRValue(seen), GetRValue(low), GetRValue(high)) &&
                  within(GetGValue(seen), GetGValue(low), GetGValue(high)) &&
                  within(GetBValue(seen), GetBValue(low), GetBValue(high));
  std::printf("%s: seen %06lX, expected %06lX..%06lX: %s\n", what, static_cast<unsigned long>(seen),
              static_cast<unsigned long>(low), static_cast<unsigned long>(high), ok ? "ok" : "MISMATCH");
  return ok;
}

void PrintRect(const char* name, HWND w) {
  RECT r;
  GetWindowRect(w, &r);
  std::printf("%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const int number = _wtoi(argv[1]);
  if (number < 1 || number > kSkinCount) return 2;
  Theme theme;
  const CatalogueSkin& skin = kSkinCatalogue[number - 1];
  if (ParseSkin(skin.data, skin.size, theme) != ParseError::kNone) return 2;

  HWND main = WaitForWindow(L"VantrelleV1.0");
  if (main == nullptr) { std::printf("MainWindow did not appear\n"); return 1; }
  Sleep(700);  // let the first paint settle
  bool ok = Check("MainWindow ground", ScreenPixel(main, 3, 300), Ref(theme.colours[kWindowBack]),
                  Ref(theme.colours[kWindowBack]));
  if (HWND clear = FindById(main, 0x16010021)) {
    RECT r;
    GetClientRect(clear, &r);
    ok &= Check("button face", ScreenPixel(clear, 8, r.bottom / 2), Ref(theme.colours[kButtonTop]),
                Ref(theme.colours[kButtonBottom]));
  } else {
    ok = false;
  }
  if (argc > 2 && wcscmp(argv[2], L"promo") == 0) {
    if (HWND promo = FindById(main, 0x16010080)) PostMessageW(promo, BM_CLICK, 0, 0);
    HWND window = WaitForWindow(L"\u7528\u51E0\u5206\u949F\u770B\u5B8C");  // 用几分钟看完
    if (window == nullptr) { std::printf("PromoWindow did not appear\n"); return 1; }
    // Side by side, so one picture shows both whole.
    SetWindowPos(window, nullptr, 16, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(main, nullptr, 16 + 372 + 16, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Sleep(700);
    ok &= Check("PromoWindow ground", ScreenPixel(window, 3, 3), Ref(theme.colours[kWindowBack]),
                Ref(theme.colours[kWindowBack]));
    PrintRect("promo", window);
  }
  PrintRect("main", main);
  std::fflush(stdout);
  return ok ? 0 : 1;
}
