#include "masterdata/ComboAutoComplete.h"
#include <commctrl.h>
#include <string>

namespace {

const UINT_PTR kSubclassId = 0x41435401; // one hook per edit, however often installed

std::wstring WindowString(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    int n = GetWindowTextW(window, &text[0], length + 1);
    text.resize(n > 0 ? n : 0);
    return text;
}

std::wstring ItemString(HWND combo, int index)
{
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT n = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return text;
}

bool StartsWithNoCase(const std::wstring& item, const std::wstring& typed)
{
    return item.size() >= typed.size() &&
           CompareStringOrdinal(item.c_str(), static_cast<int>(typed.size()), typed.c_str(),
                                static_cast<int>(typed.size()), TRUE) == CSTR_EQUAL;
}

// The list item the typed text names, in any case: the first one equal to
// it, else the first one starting with it; CB_ERR when none. The list's own
// search folds only A-Z under Wine, so a typed ș would miss the list's Ș:
// text beyond ASCII is compared here, item by item.
LRESULT FindCompletion(HWND combo, const std::wstring& typed)
{
    bool ascii = true;
    for (wchar_t ch : typed)
        ascii = ascii && ch < 0x80;
    LPARAM text = reinterpret_cast<LPARAM>(typed.c_str());
    if (ascii) {
        LRESULT whole = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text);
        return whole != CB_ERR ? whole : SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), text);
    }
    LRESULT first = CB_ERR;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::wstring item = ItemString(combo, static_cast<int>(index));
        if (!StartsWithNoCase(item, typed))
            continue;
        if (item.size() == typed.size())
            return index;
        if (first == CB_ERR)
            first = index;
    }
    return first;
}

// After a typed character: when the caret sits at the end of what was typed,
// the first list item starting with it (any case) fills the edit and its
// untyped tail is selected, so the next character simply replaces the tail.
// An item typed whole is that item, not a longer one listed before it, and
// takes its own letters: its last letter would otherwise stay as typed beside
// the completed ones, naming another partner or product. The list's own
// selection is left alone.
void Complete(HWND edit, HWND combo)
{
    std::wstring typed = WindowString(edit);
    if (typed.empty())
        return;
    DWORD first = 0, last = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    if (first != last || last != typed.size())
        return;
    LRESULT index = FindCompletion(combo, typed);
    if (index == CB_ERR)
        return;
    std::wstring item = ItemString(combo, static_cast<int>(index));
    if (item == typed || !StartsWithNoCase(item, typed))
        return;
    SetWindowTextW(edit, item.c_str());
    SendMessageW(edit, EM_SETSEL, typed.size(), item.size());
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data)
{
    HWND combo = reinterpret_cast<HWND>(data);
    switch (message) {
    case WM_CHAR: {
        LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
        // Backspace and other control keys only edit; completing them would
        // put back what the user just removed.
        if (wParam >= 0x20 && wParam != 0x7F)
            Complete(edit, combo);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(edit, &EditProc, id);
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace

void SubclassComboAutoComplete(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    // A drop-down list has no edit to type into.
    if (!combo || !GetComboBoxInfo(combo, &info) || !info.hwndItem || info.hwndItem == combo)
        return;
    SetWindowSubclass(info.hwndItem, &EditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(combo));
}
