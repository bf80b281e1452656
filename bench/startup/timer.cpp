// Start-up timer: launches vantrelle.exe and the floor program alternately,
// N times each, and measures process start -> first window shown (polled
// every millisecond). Prints the medians, their ratio and the sizes.
//   startup-timer.exe <runs> <vantrelle.exe> <floor.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "window_definitions.h"

namespace {

struct Subject {
  std::wstring exe;
  std::wstring className;
  std::wstring title;
  std::vector<double> ms;
};

std::wstring Wide936(std::string_view gbk) {
  std::wstring out(gbk.size(), L'\0');
  out.resize(static_cast<std::size_t>(
      MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), static_cast<int>(out.size()))));
  return out;
}

// One launch: the time to a visible window, or a negative value on failure.
double TimeOnce(const Subject& subject) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  std::wstring commandLine = L"\"" + subject.exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(subject.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  double elapsed = -1;
  for (;;) {
    HWND window = FindWindowW(subject.className.c_str(), subject.title.c_str());
    QueryPerformanceCounter(&now);
    const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (window != nullptr && IsWindowVisible(window)) {
      elapsed = ms;
      PostMessageW(window, WM_CLOSE, 0, 0);
      break;
    }
    if (ms > 20000) break;
    Sleep(1);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return elapsed;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::printf("usage: startup-timer <runs> <vantrelle.exe> <floor.exe>\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  Subject subjects[2] = {
      {argv[2], L"VantrelleWindow", Wide936(vantrelle::MainWindow.title), {}},
      {argv[3], L"VantrelleFloor", L"Floor", {}},
  };
  for (Subject& subject : subjects) TimeOnce(subject);  // warm the caches; not counted
  for (int i = 0; i < runs; ++i) {
    for (Subject& subject : subjects) {
      const double ms = TimeOnce(subject);
      if (ms < 0) {
        std::printf("launch failed: %ls\n", subject.exe.c_str());
        return 1;
      }
      subject.ms.push_back(ms);
    }
  }
  const double program = Median(subjects[0].ms), floor = Median(subjects[1].ms);
  std::printf("runs: %d each, alternating\n", runs);
  std::printf("vantrelle.exe  median %.1f ms  (min %.1f)  size %lld bytes\n", program,
              *std::min_element(subjects[0].ms.begin(), subjects[0].ms.end()), FileSize(subjects[0].exe));
  std::printf("floor          median %.1f ms  (min %.1f)  size %lld bytes\n", floor,
              *std::min_element(subjects[1].ms.begin(), subjects[1].ms.end()), FileSize(subjects[1].exe));
  std::printf("ratio          %.2f (target at most 1.20)\n", floor > 0 ? program / floor : 0.0);
  return 0;
}
