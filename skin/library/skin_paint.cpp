// Painters of the skin: every control kind is drawn whole into an off-screen
// buffer and copied to the screen in one blit, so state changes never flicker.
#include "skin_paint.h"

#include <cmath>
#include <cstdint>

namespace vantrelle::skin {
namespace {

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

COLORREF Mix(COLORREF a, COLORREF b, int num, int den) {
  auto ch = [&](int shift) {
    const int x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    return static_cast<COLORREF>(x + (y - x) * num / den) << shift;
  };
  return ch(0) | ch(8) | ch(16);
}

void Fill(HDC dc, const RECT& r, COLORREF c) {
  SetDCBrushColor(dc, c);
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Off-screen copy of a window's client area, a top-down 32-bit DIB so the
// label painter can reach the pixels.
class Buffer {
 public:
  Buffer(HWND hwnd, HDC target) : target_(target) {
    GetClientRect(hwnd, &rect_);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = Width() > 0 ? Width() : 1;
    bi.bmiHeader.biHeight = -(Height() > 0 ? Height() : 1);
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(target);
    bitmap_ = CreateDIBSection(target, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (dc_ != nullptr && bitmap_ != nullptr) {
      oldBitmap_ = SelectObject(dc_, bitmap_);
      font_ = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
      if (font_ == nullptr) font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
      oldFont_ = SelectObject(dc_, font_);
      SetBkMode(dc_, TRANSPARENT);
    }
  }
  ~Buffer() {
    if (Ok()) {
      BitBlt(target_, 0, 0, Width(), Height(), dc_, 0, 0, SRCCOPY);
      SelectObject(dc_, oldFont_);
      SelectObject(dc_, oldBitmap_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  bool Ok() const { return dc_ != nullptr && bitmap_ != nullptr && bits_ != nullptr; }
  HDC dc() const { return dc_; }
  const RECT& rect() const { return rect_; }
  int Width() const { return rect_.right - rect_.left; }
  int Height() const { return rect_.bottom - rect_.top; }
  std::uint32_t* Pixels() const { return static_cast<std::uint32_t*>(bits_); }

 private:
  HDC target_;
  RECT rect_ = {};
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr, oldFont_ = nullptr;
  HFONT font_ = nullptr;
};

// Children paint themselves; the parent's fill must not wipe them.
void ExcludeChildren(HWND hwnd, HDC dc) {
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

int WindowTextW(HWND hwnd, wchar_t* buffer, int capacity) {
  const int n = static_cast<int>(
      SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer)));
  return n < 0 ? 0 : (n >= capacity ? capacity - 1 : n);
}

// Draws wrapped text vertically centred in `box`; returns the rectangle used.
// A caption whose wrapped lines would not fit stays on one line, so a cut
// shows as much of it as the box can hold instead of hiding its second line.
RECT DrawCentredText(HDC dc, const wchar_t* text, int n, RECT box, UINT align) {
  RECT measure = box;
  DrawTextW(dc, text, n, &measure, align | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  const int h = measure.bottom - measure.top;
  if (h > box.bottom - box.top) {
    RECT one = box;
    DrawTextW(dc, text, n, &one, align | DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    const int w = one.right - one.left;
    DrawTextW(dc, text, n, &box, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (align == DT_LEFT && w < box.right - box.left) box.right = box.left + w;
    return box;
  }
  RECT out = box;
  if (h < box.bottom - box.top) out.top = box.top + (box.bottom - box.top - h) / 2;
  out.bottom = out.top + h;
  DrawTextW(dc, text, n, &out, align | DT_WORDBREAK | DT_NOPREFIX);
  if (align == DT_LEFT) out.right = out.left + (measure.right - measure.left);
  return out;
}

// A face filled from `top` to `bottom`, clipped to a rounded rectangle, with
// a border of `width` pixels.
void RoundFace(HDC dc, const RECT& r, int radius, COLORREF top, COLORREF bottom, COLORREF border,
               int width) {
  HRGN shape = CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, radius * 2, radius * 2);
  SelectClipRgn(dc, shape);
  const int h = r.bottom - r.top;
  for (int y = 0; y < h; ++y) {
    RECT row = {r.left, r.top + y, r.right, r.top + y + 1};
    Fill(dc, row, h > 1 ? Mix(top, bottom, y, h - 1) : top);
  }
  SelectClipRgn(dc, nullptr);
  SetDCBrushColor(dc, border);
  FrameRgn(dc, shape, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)), width, width);
  DeleteObject(shape);
}

bool HasFocus(HWND hwnd) { return GetFocus() == hwnd; }

// Relative luminance (WCAG) and contrast of two colours, for the labels.
double Luminance(COLORREF c) {
  auto lin = [](int v) {
    const double x = v / 255.0;
    return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(GetRValue(c)) + 0.7152 * lin(GetGValue(c)) + 0.0722 * lin(GetBValue(c));
}

double Contrast(COLORREF a, COLORREF b) {
  double la = Luminance(a), lb = Luminance(b);
  if (la < lb) { const double t = la; la = lb; lb = t; }
  return (la + 0.05) / (lb + 0.05);
}

// A label's own colour stays, nudged toward white or black only as far as it
// takes to read on the skin's ground.
COLORREF LegibleOn(COLORREF ink, COLORREF ground) {
  const COLORREF away = Luminance(ground) > 0.35 ? RGB(0, 0, 0) : RGB(255, 255, 255);
  COLORREF c = ink;
  for (int step = 1; step <= 10 && Contrast(c, ground) < 3.0; ++step) c = Mix(ink, away, step, 10);
  return c;
}

COLORREF PixelColour(std::uint32_t px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }
std::uint32_t PixelOf(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

}  // namespace

void MakePalette(const Theme& theme, Palette& out) {
  FreePalette(out);
  for (int i = 0; i < kSlotCount; ++i) out.colour[i] = ToColorRef(theme.colours[i]);
  out.metrics = theme.metrics;
  out.windowBrush = CreateSolidBrush(out[kWindowBack]);
  out.editBrush = CreateSolidBrush(out[kEditBack]);
}

void FreePalette(Palette& palette) {
  if (palette.windowBrush != nullptr) DeleteObject(palette.windowBrush);
  if (palette.editBrush != nullptr) DeleteObject(palette.editBrush);
  palette.windowBrush = palette.editBrush = nullptr;
}

void PaintBackground(HWND hwnd, HDC target, const Palette& p) {
  RECT r;
  GetClientRect(hwnd, &r);
  const int saved = SaveDC(target);
  ExcludeChildren(hwnd, target);
  Fill(target, r, p[kWindowBack]);
  RestoreDC(target, saved);
}

void PaintPushButton(HWND hwnd, HDC target, const WindowState& state, const Palette& p) {
  Buffer b(hwnd, target);
  if (!b.Ok()) return;
  HDC dc = b.dc();
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  const bool pressed = (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool focused = HasFocus(hwnd);
  const bool gradient = (p.metrics.flags & kFlagGradient) != 0;

  COLORREF top = p[kButtonTop], bottom = p[kButtonBottom];
  if (!enabled) top = bottom = p[kButtonDisabled];
  else if (pressed) top = bottom = p[kButtonPressed];
  else if (state.hot) top = p[kButtonHotTop], bottom = p[kButtonHotBottom];
  if (!gradient) top = bottom = Mix(top, bottom, 1, 2);

  RECT r = b.rect();
  Fill(dc, r, p[kWindowBack]);
  const int width = focused ? p.metrics.borderWidth + 1 : p.metrics.borderWidth;
  RoundFace(dc, {r.left, r.top, r.right - 1, r.bottom - 1}, p.metrics.cornerRadius, top, bottom,
            focused ? p[kFocus] : p[kButtonBorder], width);

  wchar_t text[256];
  const int n = WindowTextW(hwnd, text, 256);
  RECT box = r;
  InflateRect(&box, -(width + 3), -(width + 1));
  if (pressed) OffsetRect(&box, 1, 1);
  SetTextColor(dc, enabled ? p[kButtonText] : p[kButtonDisabledText]);
  const RECT used = DrawCentredText(dc, text, n, box, DT_CENTER);
  if (focused) {
    RECT ring = r;
    InflateRect(&ring, -(width + 2), -(width + 2));
    if (ring.bottom - ring.top < used.bottom - used.top) ring = used;
    SetTextColor(dc, p[kButtonText]);
    DrawFocusRect(dc, &ring);
  }
}

void PaintRadio(HWND hwnd, HDC target, const WindowState& state, const Palette& p) {
  Buffer b(hwnd, target);
  if (!b.Ok()) return;
  HDC dc = b.dc();
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  const bool checked = SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
  const RECT r = b.rect();
  Fill(dc, r, p[kWindowBack]);

  const int d = p.metrics.radioSize;
  const int top = r.top + (r.bottom - r.top - d) / 2;
  const RECT circle = {r.left + 1, top, r.left + 1 + d, top + d};
  const COLORREF ring = !enabled ? p[kButtonDisabledText] : state.hot ? p[kFocus] : p[kRadioBorder];
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, ring);
  SetDCBrushColor(dc, enabled ? p[kRadioBack] : p[kButtonDisabled]);
  Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
  if (checked) {
    const int inset = d / 4 + 1;
    const COLORREF dot = enabled ? p[kRadioDot] : p[kButtonDisabledText];
    SetDCPenColor(dc, dot);
    SetDCBrushColor(dc, dot);
    Ellipse(dc, circle.left + inset, circle.top + inset, circle.right - inset, circle.bottom - inset);
  }

  wchar_t text[256];
  const int n = WindowTextW(hwnd, text, 256);
  RECT box = {circle.right + 4, r.top, r.right - 1, r.bottom};
  SetTextColor(dc, enabled ? p[kRadioText] : p[kButtonDisabledText]);
  RECT used = DrawCentredText(dc, text, n, box, DT_LEFT);
  if (HasFocus(hwnd)) {
    InflateRect(&used, 1, 0);
    if (used.top > r.top) --used.top;
    if (used.bottom < r.bottom) ++used.bottom;
    SetTextColor(dc, p[kRadioText]);
    DrawFocusRect(dc, &used);
  }
}

void PaintGroupBox(HWND hwnd, HDC target, const Palette& p) {
  const int saved = SaveDC(target);
  ExcludeChildren(hwnd, target);
  {
    Buffer b(hwnd, target);
    if (b.Ok()) {
      HDC dc = b.dc();
      const RECT r = b.rect();
      Fill(dc, r, p[kWindowBack]);
      wchar_t text[256];
      const int n = WindowTextW(hwnd, text, 256);
      SIZE extent = {0, 0};
      GetTextExtentPoint32W(dc, L"M", 1, &extent);
      const int mid = extent.cy / 2;
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      SelectObject(dc, GetStockObject(DC_PEN));
      SetDCPenColor(dc, p[kGroupLine]);
      const int radius = p.metrics.cornerRadius;
      RoundRect(dc, r.left, r.top + mid, r.right, r.bottom, radius * 2 + 1, radius * 2 + 1);
      if (n > 0) {
        GetTextExtentPoint32W(dc, text, n, &extent);
        RECT label = {r.left + 6, r.top, r.left + 6 + extent.cx + 6, r.top + extent.cy};
        Fill(dc, label, p[kWindowBack]);
        SetTextColor(dc, IsWindowEnabled(hwnd) ? p[kGroupText] : p[kButtonDisabledText]);
        TextOutW(dc, label.left + 3, label.top, text, n);
      }
    }
  }
  RestoreDC(target, saved);
}

// The program draws its own labels (WM_DRAWITEM) on the system's button face.
// The skin lets it draw into a buffer of that colour, then lays every pixel
// back onto the skin's ground by how far it lies from the face toward the
// ink: the label keeps its own ink and antialiased edges, only plain black
// ink (the system's default) takes the skin's text colour.
void PaintLabel(HWND hwnd, HDC target, const Palette& p) {
  Buffer b(hwnd, target);
  if (!b.Ok()) return;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  Fill(b.dc(), b.rect(), face);
  SetBkMode(b.dc(), OPAQUE);
  SetTextColor(b.dc(), GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(b.dc(), face);

  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_STATIC;
  dis.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED;
  dis.hwndItem = hwnd;
  dis.hDC = b.dc();
  dis.rcItem = b.rect();
  SendMessageW(GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  GdiFlush();

  std::uint32_t* px = b.Pixels();
  const int count = b.Width() * b.Height();
  const int fr = GetRValue(face), fg = GetGValue(face), fb = GetBValue(face);
  // The ink is the pixel farthest from the face.
  long best = 0;
  COLORREF ink = p[kWindowText];
  for (int i = 0; i < count; ++i) {
    const COLORREF c = PixelColour(px[i]);
    const long dr = GetRValue(c) - fr, dg = GetGValue(c) - fg, db = GetBValue(c) - fb;
    const long dist = dr * dr + dg * dg + db * db;
    if (dist > best) best = dist, ink = c;
  }
  const COLORREF ground = p[kWindowBack];
  const bool plainInk = GetRValue(ink) < 48 && GetGValue(ink) < 48 && GetBValue(ink) < 48;
  const COLORREF newInk = plainInk ? p[kWindowText] : LegibleOn(ink, ground);
  const long ir = GetRValue(ink) - fr, ig = GetGValue(ink) - fg, ib = GetBValue(ink) - fb;
  const long span = ir * ir + ig * ig + ib * ib;
  for (int i = 0; i < count; ++i) {
    long weight = 0;  // 0..256: share of ink in this pixel
    if (span > 0) {
      const COLORREF c = PixelColour(px[i]);
      const long dot = (GetRValue(c) - fr) * ir + (GetGValue(c) - fg) * ig + (GetBValue(c) - fb) * ib;
      weight = dot <= 0 ? 0 : dot >= span ? 256 : dot * 256 / span;
    }
    px[i] = PixelOf(Mix(ground, newInk, static_cast<int>(weight), 256));
  }
}

void PaintEditFrame(HWND hwnd, const Palette& p) {
  if ((GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0) return;
  HDC dc = GetWindowDC(hwnd);
  if (dc == nullptr) return;
  RECT r;
  GetWindowRect(hwnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  const bool focused = HasFocus(hwnd);
  const COLORREF outer = focused ? p[kEditBorderFocus] : p[kEditBorder];
  const COLORREF inner = focused || p.metrics.borderWidth > 1 ? outer : p[kEditBack];
  SetDCBrushColor(dc, outer);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  InflateRect(&r, -1, -1);
  SetDCBrushColor(dc, inner);
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  ReleaseDC(hwnd, dc);
}

}  // namespace vantrelle::skin
