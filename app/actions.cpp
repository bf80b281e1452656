// Every action of the program, each a few lines over the platform services
// and the text services, and the table that finds them by ActionId.
#include "actions.h"

#include "platform.h"
#include "skin_apply.h"
#include "text_services.h"
#include "window_builder.h"

namespace vantrelle {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kCopied = "\xB8\xB4\xD6\xC6\xB3\xC9\xB9\xA6"sv;      // 复制成功
constexpr std::string_view kCopyFailed = "\xB8\xB4\xD6\xC6\xCA\xA7\xB0\xDC"sv;  // 复制失败

// The promotional site: a bare host name under a reserved domain, so that no
// real site is named. OpenWebAddress gives it its scheme.
constexpr std::string_view PromoAddress = "www.vantrelle.example"sv;

// The skin that MainWindow wears.
constexpr std::int32_t kMainWindowSkin = 4;

HWND MainControl(std::uint32_t controlId) { return FindControl(MainWindow, controlId); }

void OnToMartianClicked() {
  HWND box = MainControl(id::EditBox2);
  const std::string text = ReadControlText(box);
  std::string converted = AllocateText(text.size() + 1);
  ToMartianScriptInto(text, converted.data());
  SetControlText(box, converted);
  // What reaches the clipboard is what the box shows after the change.
  PutTextOnClipboard(FindOpenWindow(MainWindow), ReadControlText(box));
}

void OnToTraditionalClicked() {
  HWND box = MainControl(id::EditBox2);
  const std::string text = ReadControlText(box);
  std::string converted = AllocateText(text.size() + 1);
  ToTraditionalInto(text, converted.data());
  SetControlText(box, converted);
}

void OnClearClicked() { SetControlText(MainControl(id::EditBox2), {}); }

// Both copy actions copy first and report afterwards, and say "复制成功"
// only when the text is really on the clipboard.
void CopyBoxAndReport(std::uint32_t boxId) {
  const bool placed = PutTextOnClipboard(FindOpenWindow(MainWindow), ReadControlText(MainControl(boxId)));
  ShowInfoBox(placed ? kCopied : kCopyFailed);
}

void OnCopyContentClicked() { CopyBoxAndReport(id::EditBox2); }

void OnBeautifyClicked() {
  // Every checked style is written in table order; the twenty buttons form
  // one group, so in use at most one is.
  for (const NicknameStyle& style : NicknameStyleTable) {
    if (!IsControlChecked(MainControl(style.buttonId))) continue;
    const std::string nickname = ReadControlText(MainControl(id::EditBox3));
    std::string decorated = AllocateText(DecoratedLength(style, nickname) + 1);
    DecorateNicknameInto(style, nickname, decorated.data());
    SetControlText(MainControl(id::EditBox4), decorated);
  }
}

void OnCopyResultClicked() { CopyBoxAndReport(id::EditBox4); }

void OnPromoClicked() {
  if (HWND promo = FindOpenWindow(PromoWindow)) {
    if (IsIconic(promo)) {
      ShowWindow(promo, SW_RESTORE);
    } else {
      // SetActiveWindow alone does not raise a window above another
      // program's; SetForegroundWindow brings it to the front.
      SetActiveWindow(promo);
      SetForegroundWindow(promo);
    }
    return;
  }
  OpenWindow(PromoWindow);  // a failure shows nothing; the next press tries again
}

void OnMainWindowCreated() { ApplySkin(kMainWindowSkin); }

void OnMainWindowDestroying() { OpenWebAddress(PromoAddress); }

struct ActionEntry {
  ActionId id;
  void (*run)();
};

constexpr ActionEntry kActions[] = {
    {ActionId::ToMartianClicked, OnToMartianClicked},
    {ActionId::ToTraditionalClicked, OnToTraditionalClicked},
    {ActionId::ClearClicked, OnClearClicked},
    {ActionId::CopyContentClicked, OnCopyContentClicked},
    {ActionId::BeautifyClicked, OnBeautifyClicked},
    {ActionId::CopyResultClicked, OnCopyResultClicked},
    {ActionId::PromoClicked, OnPromoClicked},
    {ActionId::MainWindowCreated, OnMainWindowCreated},
    {ActionId::MainWindowDestroying, OnMainWindowDestroying},
};
static_assert(std::size(kActions) == kActionCount - 1, "every action but None has its entry");

}  // namespace

void RunAction(ActionId action) {
  for (const ActionEntry& entry : kActions) {
    if (entry.id == action) {
      entry.run();
      return;
    }
  }
}

}  // namespace vantrelle
