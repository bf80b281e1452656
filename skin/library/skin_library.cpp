// SkinH_EL.dll: themes every window of the thread that calls SkinH_AttachRes,
// those that exist (walked at the call) and those created later (a CBT hook
// on that thread). Each themed window gets a subclass of ours; its state lives
// in the subclass reference data, never in the window's own user data. The
// subclass goes at WM_NCDESTROY, and all of them go when the library is
// unloaded, so no window is ever left pointing into an unloaded library.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "skin_format.h"
#include "skin_paint.h"

namespace vantrelle::skin {
namespace {

constexpr UINT_PTR kSubclassId = 0x5348454C;  // "SHEL"

struct Library {
  bool active = false;
  DWORD thread = 0;
  HHOOK hook = nullptr;
  Palette palette;
  // Every window carrying our subclass, with its state. Kept here rather than
  // asked of comctl32, whose GetWindowSubclass some import libraries lack.
  struct Entry {
    HWND hwnd;
    WindowState* state;
  }* windows = nullptr;
  int count = 0;
  int capacity = 0;
};
Library g;

// The library keeps off the C++ runtime's heap so it links small and never
// throws: all its memory comes from the process heap.
WindowState* NewState(Kind kind) {
  void* block = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(WindowState));
  return block == nullptr ? nullptr : new (block) WindowState{kind};
}

void FreeState(WindowState* state) { HeapFree(GetProcessHeap(), 0, state); }

bool Remember(HWND hwnd, WindowState* state) {
  if (g.count == g.capacity) {
    const int grown = g.capacity == 0 ? 64 : g.capacity * 2;
    const SIZE_T bytes = sizeof(Library::Entry) * grown;
    void* block = g.windows == nullptr ? HeapAlloc(GetProcessHeap(), 0, bytes)
                                       : HeapReAlloc(GetProcessHeap(), 0, g.windows, bytes);
    if (block == nullptr) return false;
    g.windows = static_cast<Library::Entry*>(block);
    g.capacity = grown;
  }
  g.windows[g.count++] = {hwnd, state};
  return true;
}

int Find(HWND hwnd) {
  for (int i = 0; i < g.count; ++i) {
    if (g.windows[i].hwnd == hwnd) return i;
  }
  return -1;
}

void Forget(HWND hwnd) {
  const int i = Find(hwnd);
  if (i >= 0) g.windows[i] = g.windows[--g.count];
}

LRESULT CALLBACK SkinProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

bool Carries(HWND hwnd) { return Find(hwnd) >= 0; }

bool ClassIs(const wchar_t* name, const wchar_t* expected) {
  return CompareStringOrdinal(name, -1, expected, -1, TRUE) == CSTR_EQUAL;
}

// Which kind of control a window is, or false when the skin leaves it alone.
bool Classify(HWND hwnd, LONG style, HWND parent, Kind& kind) {
  wchar_t cls[64] = {};
  if (GetClassNameW(hwnd, cls, 64) == 0) return false;
  if ((style & WS_CHILD) == 0) {
    // Top-level windows with a caption: the program's windows and its
    // message boxes. Menus, tooltips and IME windows have none.
    if ((style & WS_CAPTION) != WS_CAPTION) return false;
    kind = Kind::kTopLevel;
    return true;
  }
  if (parent == nullptr || !Carries(parent)) return false;
  if (ClassIs(cls, L"Button")) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON: kind = Kind::kPushButton; return true;
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: kind = Kind::kRadio; return true;
      case BS_GROUPBOX: kind = Kind::kGroupBox; return true;
      default: return false;
    }
  }
  if (ClassIs(cls, L"Edit")) { kind = Kind::kEdit; return true; }
  if (ClassIs(cls, L"Static") && (style & SS_TYPEMASK) == SS_OWNERDRAW) {
    kind = Kind::kLabel;
    return true;
  }
  return false;
}

void Adopt(HWND hwnd, LONG style, HWND parent) {
  if (Carries(hwnd)) return;
  Kind kind;
  if (!Classify(hwnd, style, parent, kind)) return;
  WindowState* state = NewState(kind);
  if (state == nullptr) return;
  if (!Remember(hwnd, state)) { FreeState(state); return; }
  if (!SetWindowSubclass(hwnd, SkinProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    Forget(hwnd);
    FreeState(state);
  }
}

void Release(const Library::Entry& entry) {
  if (IsWindow(entry.hwnd)) RemoveWindowSubclass(entry.hwnd, SkinProc, kSubclassId);
  FreeState(entry.state);
}

// Parents answer their children's colour questions with the skin's colours.
bool AnswerColour(UINT msg, WPARAM wp, LRESULT& result) {
  HDC dc = reinterpret_cast<HDC>(wp);
  const Palette& p = g.palette;
  switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetTextColor(dc, p[kEditText]);
      SetBkColor(dc, p[kEditBack]);
      result = reinterpret_cast<LRESULT>(p.editBrush);
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      SetTextColor(dc, p[kWindowText]);
      SetBkColor(dc, p[kWindowBack]);
      result = reinterpret_cast<LRESULT>(p.windowBrush);
      return true;
    default:
      return false;
  }
}

void PaintNow(HWND hwnd, WindowState& s) {
  if (!IsWindowVisible(hwnd)) return;
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return;
  if (s.kind == Kind::kPushButton) PaintPushButton(hwnd, dc, s, g.palette);
  else if (s.kind == Kind::kRadio) PaintRadio(hwnd, dc, s, g.palette);
  else if (s.kind == Kind::kGroupBox) PaintGroupBox(hwnd, dc, g.palette);
  ReleaseDC(hwnd, dc);
}

// The button class draws some state changes straight onto the screen, not
// through WM_PAINT; after those the skin draws the control again at once.
bool ButtonDrawsDirectly(UINT msg) {
  switch (msg) {
    case BM_SETSTATE: case BM_SETCHECK: case BM_SETSTYLE: case WM_SETFOCUS: case WM_KILLFOCUS:
    case WM_ENABLE: case WM_SETTEXT: case WM_LBUTTONDOWN: case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: case WM_KEYDOWN: case WM_KEYUP: case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
      return true;
    default:
      return false;
  }
}

LRESULT ButtonProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, WindowState& s) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      if (dc != nullptr) {
        if (s.kind == Kind::kPushButton) PaintPushButton(hwnd, dc, s, g.palette);
        else if (s.kind == Kind::kRadio) PaintRadio(hwnd, dc, s, g.palette);
        else PaintGroupBox(hwnd, dc, g.palette);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (!s.hot && s.kind != Kind::kGroupBox) {
        s.hot = true;
        TRACKMOUSEEVENT tme = {sizeof tme, TME_LEAVE, hwnd, 0};
        s.tracking = TrackMouseEvent(&tme) != FALSE;
        PaintNow(hwnd, s);
      }
      break;
    case WM_MOUSELEAVE:
      s.hot = s.tracking = false;
      PaintNow(hwnd, s);
      break;
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
  const bool redraw = s.kind == Kind::kGroupBox
                          ? msg == WM_SETTEXT || msg == WM_ENABLE || msg == WM_UPDATEUISTATE
                          : ButtonDrawsDirectly(msg);
  if (redraw) PaintNow(hwnd, s);
  return result;
}

LRESULT CALLBACK SkinProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* s = reinterpret_cast<WindowState*>(ref);
  if (msg == WM_NCDESTROY) {
    Forget(hwnd);
    RemoveWindowSubclass(hwnd, SkinProc, kSubclassId);
    FreeState(s);
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  if (!g.active) return DefSubclassProc(hwnd, msg, wp, lp);

  if (s->kind == Kind::kTopLevel || s->kind == Kind::kGroupBox) {
    LRESULT colour;
    if (AnswerColour(msg, wp, colour)) return colour;
  }
  switch (s->kind) {
    case Kind::kTopLevel:
      if (msg == WM_ERASEBKGND) {
        PaintBackground(hwnd, reinterpret_cast<HDC>(wp), g.palette);
        return 1;
      }
      break;
    case Kind::kGroupBox:
    case Kind::kPushButton:
    case Kind::kRadio:
      return ButtonProc(hwnd, msg, wp, lp, *s);
    case Kind::kEdit:
      if (msg == WM_NCPAINT) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        PaintEditFrame(hwnd, g.palette);
        return r;
      }
      if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS || msg == WM_ENABLE) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        PaintEditFrame(hwnd, g.palette);
        return r;
      }
      break;
    case Kind::kLabel:
      if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (dc != nullptr) PaintLabel(hwnd, dc, g.palette);
        EndPaint(hwnd, &ps);
        return 0;
      }
      if (msg == WM_ERASEBKGND) return 1;
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && g.active) {
    const auto* cw = reinterpret_cast<const CBT_CREATEWNDW*>(lp);
    if (cw != nullptr && cw->lpcs != nullptr) {
      Adopt(reinterpret_cast<HWND>(wp), cw->lpcs->style, cw->lpcs->hwndParent);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK AdoptChild(HWND hwnd, LPARAM) {
  Adopt(hwnd, GetWindowLongW(hwnd, GWL_STYLE), GetParent(hwnd));
  return TRUE;
}

BOOL CALLBACK AdoptTopLevel(HWND hwnd, LPARAM) {
  Adopt(hwnd, GetWindowLongW(hwnd, GWL_STYLE), nullptr);
  // EnumChildWindows walks parents before their children, which Classify needs.
  if (Carries(hwnd)) EnumChildWindows(hwnd, AdoptChild, 0);
  return TRUE;
}

BOOL CALLBACK Repaint(HWND hwnd, LPARAM) {
  RedrawWindow(hwnd, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

// Takes the skin off: hook and every subclass gone, windows redrawn plain.
void Detach(bool repaint) {
  g.active = false;
  if (g.hook != nullptr) UnhookWindowsHookEx(g.hook);
  g.hook = nullptr;
  while (g.count > 0) Release(g.windows[--g.count]);
  if (repaint && g.thread != 0) EnumThreadWindows(g.thread, Repaint, 0);
  FreePalette(g.palette);
  g.thread = 0;
}

int Attach(const unsigned char* data, int length) {
  Theme theme;
  const bool valid = data != nullptr && length > 0 &&
                     ParseSkin(data, static_cast<std::size_t>(length), theme) == ParseError::kNone;
  if (g.thread != 0 && g.thread != GetCurrentThreadId()) Detach(false);
  if (!valid) {
    if (g.thread != 0) Detach(true);
    return 0;
  }
  MakePalette(theme, g.palette);
  g.thread = GetCurrentThreadId();
  g.active = true;
  if (g.hook == nullptr) {
    g.hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, g.thread);
  }
  EnumThreadWindows(g.thread, AdoptTopLevel, 0);
  EnumThreadWindows(g.thread, Repaint, 0);
  return 1;
}

}  // namespace

int AttachSkin(const unsigned char* data, int length) { return Attach(data, length); }

}  // namespace vantrelle::skin

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // At FreeLibrary (reserved == NULL) the windows outlive us: take the skin
  // off them. At process exit nothing will run their procedures again.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) vantrelle::skin::Detach(true);
  return TRUE;
}
