// MainWindow and PromoWindow, control by control. Bytes are GBK; each row's
// comment shows its name and caption as code page 936 shows them.
#include "window_definitions.h"

namespace vantrelle {

using namespace std::string_view_literals;

const std::string_view KindNames[6] = {
    "\xB4\xB0\xBF\xDA"sv,          // 窗口
    "\xB7\xD6\xD7\xE9\xBF\xF2"sv,  // 分组框
    "\xB1\xE0\xBC\xAD\xBF\xF2"sv,  // 编辑框
    "\xB0\xB4\xC5\xA5"sv,          // 按钮
    "\xB5\xA5\xD1\xA1\xBF\xF2"sv,  // 单选框
    "\xB1\xEA\xC7\xA9"sv,          // 标签
};

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kPromoPurple{88, 48, 224};
constexpr Rgb kBlue{0, 0, 255};

constexpr FontDefinition kDefaultGuiFont{};
constexpr std::string_view kSongTi = "\xCB\xCE\xCC\xE5"sv;  // 宋体
constexpr FontDefinition kSongTiBold19{kSongTi, -19, 700};
constexpr FontDefinition kSongTiBold16{kSongTi, -16, 700};

// One maker per kind, so each row below says only what is its own.
constexpr ControlDefinition GroupBox(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                     Place place, std::string_view caption) {
  return {ControlKind::GroupBox, name, id, parent, place, caption, false, false, false,
          kBlack, kDefaultGuiFont, TextLayout::OneLine, ActionId::None};
}

constexpr ControlDefinition EditBox(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                    Place place, std::string_view text) {
  return {ControlKind::EditBox, name, id, parent, place, text, true, false, false,
          kBlack, kDefaultGuiFont, TextLayout::OneLine, ActionId::None};
}

constexpr ControlDefinition MultilineEditBox(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                             Place place, std::string_view text) {
  ControlDefinition box = EditBox(name, id, parent, place, text);
  box.multiline = true;
  return box;
}

constexpr ControlDefinition Button(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                   Place place, std::string_view caption, ActionId clicked) {
  return {ControlKind::Button, name, id, parent, place, caption, true, false, false,
          kBlack, kDefaultGuiFont, TextLayout::OneLine, clicked};
}

constexpr ControlDefinition RadioButton(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                        Place place, std::string_view caption) {
  return {ControlKind::RadioButton, name, id, parent, place, caption, true, false, false,
          kBlack, kDefaultGuiFont, TextLayout::OneLine, ActionId::None};
}

constexpr ControlDefinition FirstRadioButton(std::string_view name, std::uint32_t id, std::uint32_t parent,
                                             Place place, std::string_view caption) {
  ControlDefinition button = RadioButton(name, id, parent, place, caption);
  button.startsGroup = true;
  return button;
}

constexpr ControlDefinition Label(std::string_view name, std::uint32_t id, std::uint32_t parent, Place place,
                                  std::string_view caption, Rgb colour,
                                  FontDefinition font = kDefaultGuiFont,
                                  TextLayout layout = TextLayout::OneLine) {
  return {ControlKind::Label, name, id, parent, place, caption, false, false, false,
          colour, font, layout, ActionId::None};
}

constexpr ControlDefinition kMainControls[] = {
    GroupBox("\xC3\xC0\xBB\xAF\xCD\xF8\xC3\xFB\xB7\xD6\xD7\xE9"sv, id::BeautifyGroup, id::MainWindow, {8, 0, 504, 464}, "\xC3\xC0\xBB\xAFQQ\xCD\xF8\xC3\xFB"sv),  // 美化网名分组 "美化QQ网名"
    GroupBox("\xB7\xD6\xD7\xE9\xBF\xF2\x31\x35"sv, id::GroupBox15, id::BeautifyGroup, {8, 16, 488, 208}, "\xD7\xAA\xBB\xBB\xD7\xD6\xCC\xE5"sv),  // 分组框15 "转换字体"
    MultilineEditBox("\xB1\xE0\xBC\xAD\xBF\xF2\x32"sv, id::EditBox2, id::GroupBox15, {8, 16, 472, 144}, "\xCA\xE4\xC8\xEB\xD0\xE8\xD2\xAA\xD7\xAA\xBB\xBB\xB5\xC4\xC4\xDA\xC8\xDD"sv),  // 编辑框2 "输入需要转换的内容"
    Button("\xB0\xB4\xC5\xA5\x31\x33"sv, id::Button13, id::GroupBox15, {16, 168, 88, 32}, "\xD7\xAA\xBB\xBB\xCE\xAA\xB7\xB1\xCC\xE5\xD7\xD6"sv, ActionId::ToTraditionalClicked),  // 按钮13 "转换为繁体字"
    Button("\xB0\xB4\xC5\xA5\x31\x32"sv, id::Button12, id::GroupBox15, {136, 168, 88, 32}, "\xD7\xAA\xBB\xBB\xCE\xAA\xBB\xF0\xD0\xC7\xD7\xD6"sv, ActionId::ToMartianClicked),  // 按钮12 "转换为火星字"
    Button("\xB0\xB4\xC5\xA5\x31\x31"sv, id::Button11, id::GroupBox15, {264, 168, 88, 32}, "\xC7\xE5\xBF\xD5\xC4\xDA\xC8\xDD"sv, ActionId::ClearClicked),  // 按钮11 "清空内容"
    Button("\xB0\xB4\xC5\xA5\x31\x30"sv, id::Button10, id::GroupBox15, {384, 168, 88, 32}, "\xB8\xB4\xD6\xC6\xC4\xDA\xC8\xDD"sv, ActionId::CopyContentClicked),  // 按钮10 "复制内容"
    GroupBox("\xB7\xD6\xD7\xE9\xBF\xF2\x31\x34"sv, id::GroupBox14, id::BeautifyGroup, {8, 224, 488, 232}, "\xC3\xC0\xBB\xAF\xCD\xF8\xC3\xFB"sv),  // 分组框14 "美化网名"
    Label("\xB1\xEA\xC7\xA9\x33"sv, id::Label3, id::GroupBox14, {8, 24, 72, 24}, "\xCA\xE4\xC8\xEB\xCD\xF8\xC3\xFB\xA3\xBA"sv, kBlack),  // 标签3 "输入网名："
    EditBox("\xB1\xE0\xBC\xAD\xBF\xF2\x33"sv, id::EditBox3, id::GroupBox14, {72, 24, 128, 24}, ""sv),  // 编辑框3 ""
    Button("\xB0\xB4\xC5\xA5\x31\x34"sv, id::Button14, id::GroupBox14, {216, 24, 80, 24}, "\xC3\xC0\xBB\xAF"sv, ActionId::BeautifyClicked),  // 按钮14 "美化"
    Label("\xB1\xEA\xC7\xA9\x35"sv, id::Label5, id::GroupBox14, {312, 24, 128, 24}, "\xD7\xA2\xD2\xE2\xA3\xBA\xB2\xBB\xD2\xAA\xB3\xAC\xB9\xFD\x31\x32\xB8\xF6\xD7\xD6"sv, kRed),  // 标签5 "注意：不要超过12个字"
    GroupBox("\xB7\xD6\xD7\xE9\xBF\xF2\x31\x36"sv, id::GroupBox16, id::GroupBox14, {8, 56, 472, 128}, "\xD1\xA1\xD4\xF1\xD1\xF9\xCA\xBD"sv),  // 分组框16 "选择样式"
    FirstRadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x34"sv, id::RadioButton4, id::GroupBox16, {8, 24, 80, 16}, "\xA3\xA2QQ\x8C\x9A\xB1\xB4\xA9\x61"sv),  // 单选框4 "＂QQ寶贝゛"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x35"sv, id::RadioButton5, id::GroupBox16, {96, 24, 80, 16}, "\xA4\xB0QQ\x8C\x9A\xB1\xB4\xA9\x61"sv),  // 单选框5 "ぐQQ寶贝゛"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x36"sv, id::RadioButton6, id::GroupBox16, {184, 24, 96, 16}, "\xA9\x65\xA9nQQ\x8C\x9A\xB1\xB4\xD8\xBC"sv),  // 单选框6 "〆﹏QQ寶贝丶"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x37"sv, id::RadioButton7, id::GroupBox16, {280, 24, 96, 16}, "\xA6\xE1\xA8\xE3QQ\x8C\x9A\xB1\xB4\xA8J"sv),  // 单选框7 "︶ㄣQQ寶贝↗"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x38"sv, id::RadioButton8, id::GroupBox16, {384, 24, 80, 16}, "\xA4\xC3QQ\x8C\x9A\xB1\xB4\xA1\xF3"sv),  // 单选框8 "っQQ寶贝◇"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x30"sv, id::RadioButton10, id::GroupBox16, {8, 48, 88, 16}, "\xA4\xE9QQ\x8C\x9A\xB1\xB4 \xA9k"sv),  // 单选框10 "らQQ寶贝 ﹌"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x31"sv, id::RadioButton11, id::GroupBox16, {96, 48, 88, 16}, "\xA8q\xA3\xA2\x8C\x9A\xB1\xB4.\xA8r"sv),  // 单选框11 "╭＂寶贝.╮"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x39"sv, id::RadioButton9, id::GroupBox16, {184, 48, 96, 16}, "\x81WQQ\x8C\x9A\xB1\xB4\xA9\x61\xA5\xDF"sv),  // 单选框9 "乄QQ寶贝゛ミ"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x34"sv, id::RadioButton14, id::GroupBox16, {280, 48, 96, 16}, "\xA1\xB8\xA1\xA2QQ\x8C\x9A\xB1\xB4\xA8r"sv),  // 单选框14 "「、QQ寶贝╮"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x35"sv, id::RadioButton15, id::GroupBox16, {384, 48, 80, 16}, "\xA6\xC6QQ\x8C\x9A\xB1\xB4\xA8r"sv),  // 单选框15 "ζQQ寶贝╮"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x32"sv, id::RadioButton12, id::GroupBox16, {8, 72, 96, 16}, "\xA6\xC5\xA1\xF1\xA7\xD9\x8C\x9A\xB1\xB4\xD8\xBC"sv),  // 单选框12 "ε●з寶贝丶"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x33"sv, id::RadioButton13, id::GroupBox16, {96, 72, 80, 16}, "\xA3\xA2QQ\x8C\x9A\xB1\xB4\xA9\x61"sv),  // 单选框13 "＂QQ寶贝゛"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x36"sv, id::RadioButton16, id::GroupBox16, {184, 72, 96, 16}, "\xA4\xEAQQ\x8C\x9A\xB1\xB4\xA8t\xA6\xE5"sv),  // 单选框16 "りQQ寶贝╰﹀"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x37"sv, id::RadioButton17, id::GroupBox16, {280, 72, 104, 16}, "\xA9\xA4\xA9\xA5\xA1\xEEQQ\x8C\x9A\xB1\xB4\xA3\xA7"sv),  // 单选框17 "─━☆QQ寶贝＇"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x38"sv, id::RadioButton18, id::GroupBox16, {384, 72, 80, 16}, "\xA8tQQ\x8C\x9A\xB1\xB4\xA8r"sv),  // 单选框18 "╰QQ寶贝╮"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x31\x39"sv, id::RadioButton19, id::GroupBox16, {8, 96, 96, 16}, "\xA1\xD8QQ\x8C\x9A\xB1\xB4\xA4\xE9"sv),  // 单选框19 "∝QQ寶贝ら"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x32\x30"sv, id::RadioButton20, id::GroupBox16, {96, 96, 96, 16}, "\xA8t\xA3\xA7QQ\x8C\x9A\xB1\xB4\xA9\x61"sv),  // 单选框20 "╰＇QQ寶贝゛"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x32\x31"sv, id::RadioButton21, id::GroupBox16, {184, 96, 96, 16}, "_Smile\xA9\x64\x8C\x9A\xB1\xB4"sv),  // 单选框21 "_Smileヾ寶贝"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x32\x32"sv, id::RadioButton22, id::GroupBox16, {280, 96, 96, 16}, "\xA3\xA2 QQ\x8C\x9A\xB1\xB4 \xA9\x66"sv),  // 单选框22 "＂ QQ寶贝 ゝ"
    RadioButton("\xB5\xA5\xD1\xA1\xBF\xF2\x32\x33"sv, id::RadioButton23, id::GroupBox16, {384, 96, 80, 16}, "\xA4\xEA\xA1\xA2\x8C\x9A\xB1\xB4?"sv),  // 单选框23 "り、寶贝?"
    Label("\xB1\xEA\xC7\xA9\x36"sv, id::Label6, id::GroupBox14, {8, 200, 56, 24}, "\xC3\xC0\xBB\xAF\xD0\xA7\xB9\xFB\xA3\xBA"sv, kBlack),  // 标签6 "美化效果："
    EditBox("\xB1\xE0\xBC\xAD\xBF\xF2\x34"sv, id::EditBox4, id::GroupBox14, {72, 200, 160, 24}, ""sv),  // 编辑框4 ""
    Button("\xB0\xB4\xC5\xA5\x31\x35"sv, id::Button15, id::GroupBox14, {240, 200, 96, 24}, "\xB8\xB4\xD6\xC6"sv, ActionId::CopyResultClicked),  // 按钮15 "复制"
    Button("\xB0\xB4\xC5\xA5\x31"sv, id::Button1, id::GroupBox14, {344, 200, 136, 24}, "\xB2\xBB\xBF\xB4\xD2\xBB\xB6\xA8\xBB\xE1\xBA\xF3\xBB\xDA"sv, ActionId::PromoClicked),  // 按钮1 "不看一定会后悔"
};

// The maker's texts. The QQ number is all zeros on purpose: QQ numbers never
// begin with 0, so it cannot be anybody's real account.
constexpr ControlDefinition kPromoControls[] = {
    Label("\xB1\xEA\xC7\xA9\x33"sv, id::PromoLabel3, id::PromoWindow, {96, 48, 184, 32},
          "\xBF\xCD\xB7\xFEQQ\xA3\xBA\x30\x30\x30\x30\x30\x30\x30\x30"sv,  // 客服QQ：00000000
          kPromoPurple, kSongTiBold16),  // 标签3
    Label("\xB1\xEA\xC7\xA9\x32"sv, id::PromoLabel2, id::PromoWindow, {8, 88, 360, 184},
          // ★ 网名设计：按您的心意定制个性网名
          "\xA1\xEF \xCD\xF8\xC3\xFB\xC9\xE8\xBC\xC6\xA3\xBA\xB0\xB4\xC4\xFA\xB5\xC4\xD0\xC4\xD2\xE2"
          "\xB6\xA8\xD6\xC6\xB8\xF6\xD0\xD4\xCD\xF8\xC3\xFB\r\n\r\n"
          // ★ 签名美化：为QQ签名配上精美符号
          "\xA1\xEF \xC7\xA9\xC3\xFB\xC3\xC0\xBB\xAF\xA3\xBA\xCE\xAAQQ\xC7\xA9\xC3\xFB\xC5\xE4\xC9\xCF"
          "\xBE\xAB\xC3\xC0\xB7\xFB\xBA\xC5\r\n\r\n"
          // ★ 空间装扮：QQ空间皮肤、模块代做
          "\xA1\xEF \xBF\xD5\xBC\xE4\xD7\xB0\xB0\xE7\xA3\xBAQQ\xBF\xD5\xBC\xE4\xC6\xA4\xB7\xF4\xA1\xA2"
          "\xC4\xA3\xBF\xE9\xB4\xFA\xD7\xF6\r\n\r\n"
          // ★ 批量转换：大段文字一次转成火星文或繁体字，当天交付 (long enough to wrap)
          "\xA1\xEF \xC5\xFA\xC1\xBF\xD7\xAA\xBB\xBB\xA3\xBA\xB4\xF3\xB6\xCE\xCE\xC4\xD7\xD6\xD2\xBB"
          "\xB4\xCE\xD7\xAA\xB3\xC9\xBB\xF0\xD0\xC7\xCE\xC4\xBB\xF2\xB7\xB1\xCC\xE5\xD7\xD6\xA3\xAC"
          "\xB5\xB1\xCC\xEC\xBD\xBB\xB8\xB6"sv,
          kBlue, kSongTiBold16, TextLayout::ParagraphsTopLeft),  // 标签2
    Label("\xB1\xEA\xC7\xA9\x31"sv, id::PromoLabel1, id::PromoWindow, {128, 8, 128, 40},
          "\xE8\xF3\xCC\xD8\xC0\xD9\xB9\xA4\xD7\xF7\xCA\xD2"sv,  // 梵特蕾工作室: Vantrelle's studio
          kRed, kSongTiBold19),  // 标签1
};

}  // namespace

const WindowDefinition MainWindow{
    id::MainWindow,
    "MainWindow"sv,
    "VantrelleV1.0"sv,
    {50, 50, 519, 496},
    true,
    ActionId::MainWindowCreated,
    ActionId::MainWindowDestroying,
    kMainControls,
};

const WindowDefinition PromoWindow{
    id::PromoWindow,
    "PromoWindow"sv,
    "\xD3\xC3\xBC\xB8\xB7\xD6\xD6\xD3\xBF\xB4\xCD\xEA"sv,  // 用几分钟看完
    {50, 50, 372, 303},
    false,
    ActionId::None,
    ActionId::None,
    kPromoControls,
};

const ControlDefinition* FindControlDefinition(const WindowDefinition& window, std::uint32_t controlId) {
  for (const ControlDefinition& control : window.controls) {
    if (control.id == controlId) return &control;
  }
  return nullptr;
}

}  // namespace vantrelle
