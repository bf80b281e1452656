// Builds windows from their definitions (window_definitions.h) and keeps the
// window set: the program's windows whose platform window exists.
#pragma once

#include <windows.h>

#include <cstdint>

#include "window_definitions.h"

namespace vantrelle {

// Builds the window hidden with all its controls, runs its created event,
// then shows it if it still exists. Returns the window, or nullptr when it
// could not be built (nothing is left on screen then).
HWND OpenWindow(const WindowDefinition& window);

// The open window of that definition, or nullptr.
HWND FindOpenWindow(const WindowDefinition& window);

// A control of an open window by its full id, or nullptr.
HWND FindControl(const WindowDefinition& window, std::uint32_t controlId);

// Whether `window` is one of the program's top-level windows.
bool IsProgramWindow(HWND window);

// The loop-started flag: once it is set, the window set's becoming empty
// posts the quit request.
void MarkLoopStarted();
bool AnyWindowLive();

// After a fatal error: destroys every window of the set. The window
// procedure runs no event of ours once EventsStopped() holds.
void DestroyAllWindows();

}  // namespace vantrelle
