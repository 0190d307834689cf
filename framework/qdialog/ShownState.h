#pragma once
#include <windows.h>
#include <string>

namespace micro {
namespace qdialog {

// What the visible input controls of a window show, as one text: edits,
// combos, check boxes, date pickers and every cell of list views. Two
// states compare equal when nothing a user could have typed or chosen differs.
std::wstring ShownState(HWND window);

} // namespace qdialog
} // namespace micro
