// Platform services of the Windows program: the one place where GBK text
// crosses to the platform's UTF-16 (code page 936, named explicitly), the
// control, clipboard and message-box services, and the fatal-error path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrelle {

// GBK bytes <-> UTF-16, always through code page 936 whatever the system's
// ANSI code page is.
std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);

// Ends the process: shows the error box, unloads the libraries loaded for a
// call, tears the windows down without running any event of ours, exit -1.
[[noreturn]] void ReportFatalError(std::string_view gbkMessage, std::int32_t code);

// The directory that holds the executable, without a trailing backslash, in
// the platform's UTF-16 form.
std::wstring RunDirectory();

}  // namespace vantrelle
