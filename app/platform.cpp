// Platform services: GBK <-> UTF-16, control text and state, the clipboard,
// the message boxes, the shell request and the fatal-error path.
//
// Every GBK text of the program crosses to the platform here, through code
// page 936 named explicitly and the wide-character API, so the program shows
// and copies the right characters whatever the system's ANSI code page is.
#include "platform.h"

#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "skin_apply.h"
#include "window_builder.h"

namespace vantrelle {
namespace {

constexpr UINT kGbkCodePage = 936;
constexpr LCID kSimplifiedChinese = 0x0804;

constexpr char kInfoTitle[] = "\xD0\xC5\xCF\xA2\xA3\xBA";  // 信息：
constexpr char kErrorTitle[] = "\xB4\xED\xCE\xF3";         // 错误
constexpr char kErrorHeading[] = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n";  // 运行时出错!
constexpr char kErrorCodeFormat[] = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA%d\r\n\r\n";  // 错误代码：%d
constexpr char kErrorMessageLead[] = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";  // 错误信息：
// 分配 %d 字节内存失败!
constexpr char kAllocationFailedFormat[] =
    "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

bool gEventsStopped = false;

// Every text buffer of the program grows through here, so a failure is
// reported with the bytes asked for (terminating NUL included).
template <class String>
void ResizeOrReport(String& text, std::size_t length) {
  try {
    text.resize(length);
  } catch (const std::bad_alloc&) {
    ReportAllocationFailure((length + 1) * sizeof(typename String::value_type));
  }
}

std::wstring ReadWindowTextWide(HWND window) {
  const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text;
  ResizeOrReport(text, length);
  const LRESULT copied = SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied) < length ? static_cast<std::size_t>(copied) : length);
  return text;
}

// A moveable global block holding `bytes` bytes of `data`, or nullptr.
HGLOBAL MakeClipboardBlock(const void* data, std::size_t bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (block == nullptr) return nullptr;
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, data, bytes);
  GlobalUnlock(block);
  return block;
}

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
  std::wstring wide;
  if (gbk.empty()) return wide;
  const int length = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  ResizeOrReport(wide, static_cast<std::size_t>(length));
  MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), length);
  return wide;
}

std::string WideToGbk(std::wstring_view wide) {
  std::string gbk;
  if (wide.empty()) return gbk;
  const int length = WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
  ResizeOrReport(gbk, static_cast<std::size_t>(length));
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), length, nullptr,
                      nullptr);
  return gbk;
}

std::string AllocateText(std::size_t bytes) {
  std::string text;
  ResizeOrReport(text, bytes > 0 ? bytes - 1 : 0);
  return text;
}

bool EventsStopped() { return gEventsStopped; }

void ReportFatalError(std::string_view gbkMessage, std::int32_t code) {
  // A failure while reporting (no memory for the box's text) ends at once.
  static bool reporting = false;
  if (reporting) ExitProcess(static_cast<UINT>(-1));
  reporting = true;
  gEventsStopped = true;

  std::string text = kErrorHeading;
  if (code != 0) {
    char line[64];
    std::snprintf(line, sizeof line, kErrorCodeFormat, static_cast<int>(code));
    text += line;
  }
  if (!gbkMessage.empty()) {
    text += kErrorMessageLead;
    text += gbkMessage;
    text += "\r\n";
  }
  MessageBoxW(nullptr, GbkToWide(text).c_str(), GbkToWide(kErrorTitle).c_str(), MB_ICONERROR | MB_OK);

  // The windows go before the libraries: a skin library may still have its
  // hands on them, and its code must be there while they are torn down.
  DestroyAllWindows();
  UnloadExternalLibraries();
  ExitProcess(static_cast<UINT>(-1));
}

void ReportAllocationFailure(std::size_t bytes) {
  char message[96];
  std::snprintf(message, sizeof message, kAllocationFailedFormat, static_cast<int>(bytes));
  ReportFatalError(message, 0);
}

std::wstring RunDirectory() {
  // No cap on the path's length: the buffer grows until the whole path fits.
  std::wstring path;
  for (std::size_t size = MAX_PATH;; size *= 2) {
    ResizeOrReport(path, size);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(size));
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      break;
    }
  }
  const std::size_t cut = path.rfind(L'\\');
  if (cut == std::wstring::npos) return {};
  path.resize(cut);
  return path;
}

std::string ReadControlText(HWND control) { return WideToGbk(ReadWindowTextWide(control)); }

void SetControlText(HWND control, std::string_view gbk) {
  const std::wstring wide = GbkToWide(gbk);
  SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

bool IsControlChecked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool PutTextOnClipboard(HWND owner, std::string_view gbk) {
  // Everything is prepared before the clipboard is opened, so that a failure
  // leaves the clipboard as it was. The GBK bytes go as CF_TEXT; CF_UNICODETEXT
  // and the Simplified Chinese locale let a Unicode reader on any system see
  // the same characters.
  const std::wstring wide = GbkToWide(gbk);
  const std::string narrow(gbk);  // the bytes and their NUL
  HGLOBAL blocks[3] = {
      MakeClipboardBlock(narrow.c_str(), narrow.size() + 1),
      MakeClipboardBlock(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)),
      MakeClipboardBlock(&kSimplifiedChinese, sizeof kSimplifiedChinese),
  };
  constexpr UINT kFormats[3] = {CF_TEXT, CF_UNICODETEXT, CF_LOCALE};
  const auto freeBlocks = [&blocks] {
    for (HGLOBAL& block : blocks) {
      if (block != nullptr) GlobalFree(block);
      block = nullptr;
    }
  };
  if (blocks[0] == nullptr || blocks[1] == nullptr || blocks[2] == nullptr) {
    freeBlocks();
    return false;
  }
  // Opened with our own window: after OpenClipboard(NULL), EmptyClipboard
  // makes the owner NULL and Windows then refuses SetClipboardData.
  if (!OpenClipboard(owner)) {
    freeBlocks();
    return false;
  }
  bool placed = EmptyClipboard() != FALSE;
  for (int i = 0; i < 3 && placed; ++i) {
    if (SetClipboardData(kFormats[i], blocks[i]) != nullptr) {
      blocks[i] = nullptr;  // the clipboard owns it now
    } else {
      placed = false;
    }
  }
  CloseClipboard();
  freeBlocks();
  return placed;
}

void ShowInfoBox(std::string_view gbkMessage) {
  MessageBoxW(nullptr, GbkToWide(gbkMessage).c_str(), GbkToWide(kInfoTitle).c_str(), MB_OK | MB_TASKMODAL);
}

void OpenWebAddress(std::string_view gbkHost) {
  // Always with its scheme: a bare host name such as "x.com" would make the
  // shell run a local program of that name if one lay in the current directory.
  const std::wstring address = L"http://" + GbkToWide(gbkHost);
  HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  // Shell handlers may use COM; the thread joins an apartment for the call.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace vantrelle
