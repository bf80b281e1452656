// Drawing of each kind of control in the current skin. Everything here runs
// on the thread that owns the windows, inside their subclass procedures.
#pragma once

#include <windows.h>

#include "skin_format.h"

namespace vantrelle::skin {

struct Palette {
  COLORREF colour[kSlotCount] = {};
  Metrics metrics;
  HBRUSH windowBrush = nullptr;  // answers WM_CTLCOLORSTATIC/BTN/DLG
  HBRUSH editBrush = nullptr;    // answers WM_CTLCOLOREDIT

  COLORREF operator[](Slot s) const { return colour[s]; }
};

// Builds the palette (and its two brushes) from a parsed theme; frees them.
void MakePalette(const Theme& theme, Palette& out);
void FreePalette(Palette& palette);

enum class Kind : unsigned char { kTopLevel, kGroupBox, kPushButton, kRadio, kEdit, kLabel };

struct WindowState {
  Kind kind;
  bool hot = false;       // the mouse is over the control
  bool tracking = false;  // a WM_MOUSELEAVE request is pending
};

// Whole-client painters; they draw into `target` through a buffer.
void PaintPushButton(HWND hwnd, HDC target, const WindowState& state, const Palette& p);
void PaintRadio(HWND hwnd, HDC target, const WindowState& state, const Palette& p);
void PaintGroupBox(HWND hwnd, HDC target, const Palette& p);
void PaintLabel(HWND hwnd, HDC target, const Palette& p);
// Background of a window's client area, leaving its children alone.
void PaintBackground(HWND hwnd, HDC target, const Palette& p);
// The client-edge border of an edit box, drawn over the system's.
void PaintEditFrame(HWND hwnd, const Palette& p);

}  // namespace vantrelle::skin
