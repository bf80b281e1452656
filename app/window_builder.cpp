// The one window class and its one procedure, and the walk that builds a
// window and its controls from a definition.
//
// Controls are children of their group box, so the notifications they send
// (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR*) reach the group box first; a
// subclass sends them on to the top-level procedure, which finds the control
// by its handle and checks its full 32-bit id. The low word alone is not
// enough: 0x16010002 has the low word of IDCANCEL.
#include "window_builder.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "actions.h"
#include "platform.h"

namespace vantrelle {
namespace {

constexpr wchar_t kWindowClass[] = L"VantrelleWindow";
constexpr int kIconResource = 1;
constexpr UINT_PTR kSubclassId = 1;

struct BuiltControl {
  const ControlDefinition* definition;
  HWND handle;
  HFONT font;  // kept here too: an owner-drawn static does not keep WM_SETFONT
};

// What the procedure knows of one of our top-level windows. It lives in the
// window's GWLP_USERDATA (the class is ours) from WM_NCCREATE to WM_NCDESTROY.
struct WindowState {
  const WindowDefinition* definition = nullptr;
  HWND handle = nullptr;
  std::vector<BuiltControl> controls;
  std::vector<HFONT> fonts;  // created for this window, deleted with it
  HWND lastFocus = nullptr;  // given back when the window is activated again
  bool built = false;        // every control exists and the created event ran
};

std::vector<WindowState*> gWindowSet;
bool gLoopStarted = false;

WindowState* StateOf(HWND window) {
  return reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const BuiltControl* FindBuilt(const WindowState& state, HWND handle) {
  for (const BuiltControl& control : state.controls) {
    if (control.handle == handle) return &control;
  }
  return nullptr;
}

HWND FindBuiltById(const WindowState& state, std::uint32_t controlId) {
  for (const BuiltControl& control : state.controls) {
    if (control.definition->id == controlId) return control.handle;
  }
  return nullptr;
}

COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// --- Fonts -----------------------------------------------------------------

// Whether the font has glyphs for Chinese captions. On a system whose default
// fonts have none (code page 1252 under Wine maps them to DejaVu Sans) the
// captions would show as empty boxes.
bool HasChineseGlyphs(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  WORD glyphs[2] = {};
  const DWORD found = GetGlyphIndicesW(dc, L"\u7F8E\u5316", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS);  // 美化
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return found == 2 && glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
}

// The font from `description`; when it lacks Chinese glyphs, the same face
// and size asked for with GB2312_CHARSET, which brings a font that has them.
HFONT CreateChineseFont(LOGFONTW description) {
  HFONT font = CreateFontIndirectW(&description);
  if (font != nullptr && HasChineseGlyphs(font)) return font;
  if (font != nullptr) DeleteObject(font);
  description.lfCharSet = GB2312_CHARSET;
  return CreateFontIndirectW(&description);
}

// DEFAULT_GUI_FONT, or its Chinese-capable twin; made once, kept for the run.
HFONT DefaultGuiFont() {
  static HFONT font = [] {
    auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (HasChineseGlyphs(stock)) return stock;
    LOGFONTW description{};
    GetObjectW(stock, sizeof description, &description);
    description.lfCharSet = GB2312_CHARSET;
    HFONT twin = CreateFontIndirectW(&description);
    return twin != nullptr ? twin : stock;
  }();
  return font;
}

// A label's own font: the logical font of the definition with the character
// set, precisions, quality and pitch every label font takes.
HFONT CreateDefinedFont(const FontDefinition& definition) {
  LOGFONTW description{};
  description.lfHeight = definition.height;
  description.lfWeight = definition.weight;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_DEFAULT_PRECIS;
  description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  description.lfQuality = PROOF_QUALITY;
  description.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring face = GbkToWide(definition.face);
  face.copy(description.lfFaceName, LF_FACESIZE - 1);
  return CreateChineseFont(description);
}

// --- Subclasses --------------------------------------------------------------

// Group boxes hand their children's notifications to the top-level window.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, GroupBoxProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

// A multi-line edit box asks for every key (DLGC_WANTALLKEYS), which would
// keep Tab and Esc from the dialog navigation. Of those keys it keeps Enter.
LRESULT CALLBACK MultilineEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = DefSubclassProc(edit, message, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    const bool enter = key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                       key->wParam == VK_RETURN;
    if (!enter) code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    return code;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(edit, MultilineEditProc, kSubclassId);
  return DefSubclassProc(edit, message, wParam, lParam);
}

// --- Building ---------------------------------------------------------------

struct KindStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

// Indexed by ControlKind; ControlKind::Window is built by BuildWindow.
constexpr KindStyle kKindStyles[] = {
    {nullptr, 0, 0},
    {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT},  // Tab and Shift+Tab descend into it
    {L"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0},
    {L"BUTTON", BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0},
    {L"STATIC", SS_OWNERDRAW, 0},
};
constexpr DWORD kMultilineEditStyle = ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;

// A single-line edit box must be at least as high as "吴" in its font plus
// the two edges.
int EditBoxHeight(int defined, HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE text{};
  GetTextExtentPoint32W(dc, L"\u5434", 1, &text);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return std::max<int>(defined, text.cy + 2 * GetSystemMetrics(SM_CYEDGE));
}

HWND BuildControl(WindowState& state, const ControlDefinition& control, HWND parent) {
  const KindStyle& kind = kKindStyles[static_cast<int>(control.kind)];
  DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
  if (control.kind == ControlKind::EditBox && control.multiline) style = WS_CHILD | WS_VISIBLE | kMultilineEditStyle;
  if (control.tabStop) style |= WS_TABSTOP;
  if (control.startsGroup) style |= WS_GROUP;

  HFONT font = DefaultGuiFont();
  if (!control.font.IsDefaultGuiFont()) {
    font = CreateDefinedFont(control.font);
    if (font == nullptr) return nullptr;
    state.fonts.push_back(font);
  }
  int height = control.place.height;
  if (control.kind == ControlKind::EditBox && !control.multiline) height = EditBoxHeight(height, font);

  const std::wstring caption = GbkToWide(control.caption);
  // The full 32-bit id goes in as the child's HMENU and survives GWLP_ID.
  HWND handle = CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), style, control.place.left,
                                control.place.top, control.place.width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(control.id)),
                                GetModuleHandleW(nullptr), nullptr);
  if (handle == nullptr) return nullptr;
  state.controls.push_back({&control, handle, font});
  SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  switch (control.kind) {
    case ControlKind::GroupBox:
      SetWindowSubclass(handle, GroupBoxProc, kSubclassId, 0);
      break;
    case ControlKind::EditBox:
      SendMessageW(handle, EM_SETLIMITTEXT, 0, 0);  // lifts the small default limit
      if (control.multiline) SetWindowSubclass(handle, MultilineEditProc, kSubclassId, 0);
      break;
    case ControlKind::Window:
    case ControlKind::Button:
    case ControlKind::RadioButton:
    case ControlKind::Label:
      break;
  }
  return handle;
}

void RegisterWindowClass();

HWND BuildWindow(const WindowDefinition& window) {
  RegisterWindowClass();
  const Place& place = window.place;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (window.minimiseBox) style |= WS_MINIMIZEBOX;
  // Centred on the full screen, not the work area.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - place.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - place.height) / 2;
  const std::wstring title = GbkToWide(window.title);
  HWND handle = CreateWindowExW(0, kWindowClass, title.c_str(), style, left, top, place.width, place.height,
                                nullptr, nullptr, GetModuleHandleW(nullptr),
                                const_cast<WindowDefinition*>(&window));
  if (handle == nullptr) return nullptr;
  WindowState& state = *StateOf(handle);

  for (const ControlDefinition& control : window.controls) {
    HWND parent = control.parentId == window.id ? handle : FindBuiltById(state, control.parentId);
    if (parent == nullptr || BuildControl(state, control, parent) == nullptr) {
      DestroyWindow(handle);
      return nullptr;
    }
  }

  RECT outer{};
  GetWindowRect(handle, &outer);
  if (outer.right - outer.left != place.width || outer.bottom - outer.top != place.height) {
    SetWindowPos(handle, nullptr, 0, 0, place.width, place.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  state.lastFocus = GetNextDlgTabItem(handle, nullptr, FALSE);
  state.built = true;
  if (window.created != ActionId::None) RunAction(window.created);
  return IsWindow(handle) ? handle : nullptr;
}

// --- The window procedure ----------------------------------------------------

void OnCommand(WindowState& state, WPARAM wParam, LPARAM lParam) {
  if (EventsStopped()) return;
  const BuiltControl* control = FindBuilt(state, reinterpret_cast<HWND>(lParam));
  if (control != nullptr && control->definition->clicked != ActionId::None) {
    const std::uint32_t fullId = static_cast<std::uint32_t>(GetWindowLongPtrW(control->handle, GWLP_ID));
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == LOWORD(control->definition->id) &&
        fullId == control->definition->id) {
      RunAction(control->definition->clicked);
    }
    return;
  }
  // Esc, turned by the dialog navigation into IDCANCEL from no control (or,
  // on systems whose GetDlgItem matches the low word, from the outer group
  // box, which has no action): close, as the close box does.
  if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) PostMessageW(state.handle, WM_CLOSE, 0, 0);
}

bool DrawLabel(const WindowState& state, const DRAWITEMSTRUCT& item) {
  const BuiltControl* control = FindBuilt(state, item.hwndItem);
  if (control == nullptr || control->definition->kind != ControlKind::Label) return false;
  const ControlDefinition& label = *control->definition;
  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  // The caption as the control holds it, so what is drawn is what a reader gets.
  const int length = GetWindowTextLengthW(item.hwndItem);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, text.data(), length + 1)));
  HGDIOBJ oldFont = SelectObject(item.hDC, control->font);
  const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(item.hDC, ToColorRef(label.textColour));
  const UINT format = label.layout == TextLayout::OneLine
                          ? DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX
                          : DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, format);
  SetTextColor(item.hDC, oldColour);
  SetBkMode(item.hDC, oldMode);
  SelectObject(item.hDC, oldFont);
  return true;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = new WindowState;
    state->definition = static_cast<const WindowDefinition*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    state->handle = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    gWindowSet.push_back(state);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  WindowState* state = StateOf(window);
  if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);

  switch (message) {
    case WM_COMMAND:
      OnCommand(*state, wParam, lParam);
      return 0;
    case WM_DRAWITEM:
      if (DrawLabel(*state, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Group boxes and radio buttons: their text colour on the default background.
      const BuiltControl* control = FindBuilt(*state, reinterpret_cast<HWND>(lParam));
      if (control == nullptr || control->definition->kind == ControlKind::EditBox) break;
      auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ToColorRef(control->definition->textColour));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_ACTIVATE:
      // Keep the focused control across deactivation, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) state->lastFocus = focus;
      } else if (HIWORD(wParam) == 0 && state->lastFocus != nullptr && IsWindow(state->lastFocus)) {
        SetFocus(state->lastFocus);
        return 0;
      }
      break;
    case WM_DESTROY:
      // The will-be-destroyed event, while the platform window still exists.
      if (state->built && !EventsStopped()) RunAction(state->definition->destroying);
      return 0;
    case WM_NCDESTROY: {
      for (HFONT font : state->fonts) DeleteObject(font);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      gWindowSet.erase(std::find(gWindowSet.begin(), gWindowSet.end(), state));
      delete state;
      if (gWindowSet.empty() && gLoopStarted && !EventsStopped()) PostQuitMessage(0);
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// No exception leaves a callback: a failed allocation becomes the fatal error.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (const std::bad_alloc&) {
    ReportAllocationFailure(0);
  } catch (...) {
    ReportFatalError({}, 0);
  }
}

void RegisterWindowClass() {
  static const bool registered = [] {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}

}  // namespace

HWND OpenWindow(const WindowDefinition& window) {
  HWND handle = BuildWindow(window);
  if (handle != nullptr) {
    ShowWindow(handle, SW_SHOWNORMAL);
    UpdateWindow(handle);
  }
  return handle;
}

HWND FindOpenWindow(const WindowDefinition& window) {
  for (const WindowState* state : gWindowSet) {
    if (state->definition == &window) return state->handle;
  }
  return nullptr;
}

HWND FindControl(const WindowDefinition& window, std::uint32_t controlId) {
  HWND handle = FindOpenWindow(window);
  return handle != nullptr ? FindBuiltById(*StateOf(handle), controlId) : nullptr;
}

bool IsProgramWindow(HWND window) {
  return std::any_of(gWindowSet.begin(), gWindowSet.end(),
                     [window](const WindowState* state) { return state->handle == window; });
}

void MarkLoopStarted() { gLoopStarted = true; }

bool AnyWindowLive() { return !gWindowSet.empty(); }

void DestroyAllWindows() {
  while (!gWindowSet.empty()) {
    HWND handle = gWindowSet.back()->handle;
    if (!DestroyWindow(handle)) break;  // not ours to destroy from here; the exit takes it
  }
}

}  // namespace vantrelle
