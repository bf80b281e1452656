// Platform services of the Windows program: the one place where GBK text
// crosses to the platform's UTF-16 (code page 936, named explicitly), the
// control, clipboard and message-box services, and the fatal-error path.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrelle {

// GBK bytes <-> UTF-16, always through code page 936 whatever the system's
// ANSI code page is. A buffer that cannot be had ends the process with the
// allocation message and the byte count asked for.
std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);

// A text buffer of `bytes` bytes (NUL included) for a text of bytes - 1
// bytes; ends the process through ReportAllocationFailure if it cannot be had.
std::string AllocateText(std::size_t bytes);

// Ends the process: shows the error box, unloads the libraries loaded for a
// call, tears the windows down without running any event of ours, exit -1.
[[noreturn]] void ReportFatalError(std::string_view gbkMessage, std::int32_t code);

// ReportFatalError with "分配 %d 字节内存失败!" and the byte count, code 0.
[[noreturn]] void ReportAllocationFailure(std::size_t bytes);

// True once ReportFatalError has begun: from then on no event of ours runs.
bool EventsStopped();

// The directory that holds the executable, without a trailing backslash, in
// the platform's UTF-16 form. Any length, any characters.
std::wstring RunDirectory();

// Control access. Texts are GBK; a read gives a new copy the caller owns.
std::string ReadControlText(HWND control);
void SetControlText(HWND control, std::string_view gbk);
bool IsControlChecked(HWND control);

// Puts the GBK text on the clipboard as CF_TEXT, CF_UNICODETEXT and
// CF_LOCALE (Simplified Chinese), with `owner` as the clipboard's owner.
// Returns whether the text was placed; when it was not, the clipboard keeps
// what it held.
bool PutTextOnClipboard(HWND owner, std::string_view gbk);

// The information box: no owner, title "信息：", one OK button, task-modal.
void ShowInfoBox(std::string_view gbkMessage);

// Asks the desktop shell to open http://<host>, owned by a window titled
// "Microsoft Internet Explorer" when there is one. The result is ignored.
void OpenWebAddress(std::string_view gbkHost);

}  // namespace vantrelle
