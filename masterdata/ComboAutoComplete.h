#pragma once
#include <windows.h>

// Type-ahead on a combo box's edit: completes the typed prefix from the first
// matching item and selects the completed tail; never changes the list's
// selection. Unhooks itself when the combo is destroyed.
void SubclassComboAutoComplete(HWND combo);
