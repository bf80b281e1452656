// The program's two windows as constant data: each window's own properties
// and its controls (kind, name, id, parent, place, size, caption and the few
// properties that differ from the kind's defaults), and which event runs
// which action. The window builder walks these tables to make the windows;
// the end-to-end driver walks the very same tables to check what was built.
//
// Pure data: no Windows header, no code of the actions. Texts are GBK bytes
// (code page 936) written as hex escapes, with the glyphs in comments.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vantrelle {

// The six kinds of window element. The GBK kind names are in KindNames.
enum class ControlKind : std::uint8_t {
  Window,       // 窗口: a top-level window
  GroupBox,     // 分组框
  EditBox,      // 编辑框
  Button,       // 按钮: a push button
  RadioButton,  // 单选框: an automatic radio button
  Label,        // 标签: a static text that draws itself
};

// GBK names of the kinds, indexed by ControlKind.
extern const std::string_view KindNames[6];

// What an event runs. The table from ActionId to code lives with the actions.
enum class ActionId : std::uint8_t {
  None,
  ToMartianClicked,      // OnToMartianClicked
  ToTraditionalClicked,  // OnToTraditionalClicked
  ClearClicked,          // OnClearClicked
  CopyContentClicked,    // OnCopyContentClicked
  BeautifyClicked,       // OnBeautifyClicked
  CopyResultClicked,     // OnCopyResultClicked
  PromoClicked,          // OnPromoClicked
  MainWindowCreated,     // OnMainWindowCreated
  MainWindowDestroying,  // OnMainWindowDestroying
};
inline constexpr int kActionCount = 10;

// How a label lays out its caption.
enum class TextLayout : std::uint8_t {
  OneLine,             // one line, left-aligned, vertically centred
  ParagraphsTopLeft,   // from the top-left corner, keeping CR LF, wrapped at the width
};

struct Rgb {
  std::uint8_t red, green, blue;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A logical font. An empty face means the system's DEFAULT_GUI_FONT.
// height < 0 asks for that character height in pixels (cell less leading).
struct FontDefinition {
  std::string_view face;  // GBK
  std::int32_t height;
  std::int32_t weight;
  constexpr bool IsDefaultGuiFont() const { return face.empty(); }
};

// Left, top within the parent's client area; width and height in pixels.
// For a window: the outer size, frame and title bar included.
struct Place {
  std::int32_t left, top, width, height;
};

struct ControlDefinition {
  ControlKind kind;
  std::string_view name;     // GBK, unique within the window
  std::uint32_t id;          // the full 32-bit id (GWLP_ID)
  std::uint32_t parentId;    // the window's id or a group box's id
  Place place;
  std::string_view caption;  // GBK caption or initial text
  bool tabStop;              // edit boxes, push buttons and radio buttons
  bool startsGroup;          // the first radio button of a group (WS_GROUP)
  bool multiline;            // edit box: several lines, wrapping, Enter inserts CR LF
  Rgb textColour;
  FontDefinition font;
  TextLayout layout;         // labels only
  ActionId clicked;          // push buttons only; None elsewhere
};

struct WindowDefinition {
  std::uint32_t id;
  std::string_view name;     // GBK
  std::string_view title;    // GBK
  Place place;               // 50, 50 is held but the window opens centred on the screen
  bool minimiseBox;          // close box always; never a maximise box
  ActionId created;          // runs once every control exists, before the window shows
  ActionId destroying;       // runs while the window is being destroyed
  std::span<const ControlDefinition> controls;  // parent before children; also the tab order
};

namespace id {
// MainWindow and its controls, in the order of the table.
inline constexpr std::uint32_t MainWindow = 0x52010001;
inline constexpr std::uint32_t BeautifyGroup = 0x16010002;  // 美化网名分组 (low word == IDCANCEL!)
inline constexpr std::uint32_t GroupBox15 = 0x16010025;     // 分组框15
inline constexpr std::uint32_t EditBox2 = 0x16010024;       // 编辑框2
inline constexpr std::uint32_t Button13 = 0x16010023;       // 按钮13 转换为繁体字
inline constexpr std::uint32_t Button12 = 0x16010022;       // 按钮12 转换为火星字
inline constexpr std::uint32_t Button11 = 0x16010021;       // 按钮11 清空内容
inline constexpr std::uint32_t Button10 = 0x16010020;       // 按钮10 复制内容
inline constexpr std::uint32_t GroupBox14 = 0x1601001F;     // 分组框14
inline constexpr std::uint32_t Label3 = 0x1601001D;         // 标签3
inline constexpr std::uint32_t EditBox3 = 0x1601001E;       // 编辑框3
inline constexpr std::uint32_t Button14 = 0x1601001C;       // 按钮14 美化
inline constexpr std::uint32_t Label5 = 0x1601001B;         // 标签5
inline constexpr std::uint32_t GroupBox16 = 0x1601001A;     // 分组框16
inline constexpr std::uint32_t RadioButton4 = 0x16010019;   // 单选框4 … the ids fall by one …
inline constexpr std::uint32_t RadioButton5 = 0x16010018;
inline constexpr std::uint32_t RadioButton6 = 0x16010017;
inline constexpr std::uint32_t RadioButton7 = 0x16010016;
inline constexpr std::uint32_t RadioButton8 = 0x16010015;
inline constexpr std::uint32_t RadioButton9 = 0x16010014;
inline constexpr std::uint32_t RadioButton10 = 0x16010013;
inline constexpr std::uint32_t RadioButton11 = 0x16010012;
inline constexpr std::uint32_t RadioButton12 = 0x16010011;
inline constexpr std::uint32_t RadioButton13 = 0x16010010;
inline constexpr std::uint32_t RadioButton14 = 0x1601000F;
inline constexpr std::uint32_t RadioButton15 = 0x1601000E;
inline constexpr std::uint32_t RadioButton16 = 0x1601000D;
inline constexpr std::uint32_t RadioButton17 = 0x1601000C;
inline constexpr std::uint32_t RadioButton18 = 0x1601000B;
inline constexpr std::uint32_t RadioButton19 = 0x1601000A;
inline constexpr std::uint32_t RadioButton20 = 0x16010009;
inline constexpr std::uint32_t RadioButton21 = 0x16010008;
inline constexpr std::uint32_t RadioButton22 = 0x16010007;
inline constexpr std::uint32_t RadioButton23 = 0x16010006;  // … to 单选框23
inline constexpr std::uint32_t Label6 = 0x16010004;         // 标签6
inline constexpr std::uint32_t EditBox4 = 0x16010005;       // 编辑框4
inline constexpr std::uint32_t Button15 = 0x16010003;       // 按钮15 复制
inline constexpr std::uint32_t Button1 = 0x16010080;        // 按钮1 不看一定会后悔

// PromoWindow and its labels.
inline constexpr std::uint32_t PromoWindow = 0x52010082;
inline constexpr std::uint32_t PromoLabel3 = 0x16010086;    // 标签3: the contact line
inline constexpr std::uint32_t PromoLabel2 = 0x16010084;    // 标签2: the list of services
inline constexpr std::uint32_t PromoLabel1 = 0x16010083;    // 标签1: the heading
}  // namespace id

extern const WindowDefinition MainWindow;
extern const WindowDefinition PromoWindow;

// The definition of control `controlId` in `window`, or nullptr.
const ControlDefinition* FindControlDefinition(const WindowDefinition& window, std::uint32_t controlId);

}  // namespace vantrelle
