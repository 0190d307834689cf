#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace testing_support {

// Saves what the window shows as test-out/<name>.png (relative to the build
// folder, where the tests run) for a person to look at. True when written.
bool SaveWindowPng(HWND window, const std::wstring& name);
// Saves a 32-bit top-down BGRA pixel block as test-out/<name>.png.
bool SavePixelsPng(const void* pixels, UINT width, UINT height, UINT stride, const std::wstring& name);
// What the window holds, frame included, as 32-bit pixels row by row: read
// through its own window DC, so other programs' windows over it do not count.
std::vector<DWORD> WindowPixels(HWND window);
// The folder screenshots and other outputs for people go to.
std::wstring TestOutFolder();

} // namespace testing_support
