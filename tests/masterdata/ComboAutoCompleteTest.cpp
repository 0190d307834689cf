#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "masterdata/ComboAutoComplete.h"
#include "tests/harness/ModalDriver.h"

using testing_support::ModalDriver;

namespace {

// A drop-down combo on a hidden top-level window, with a few names; the
// window counts the selection-change notices the combo sends it.
class ComboHost {
public:
    ComboHost()
    {
        host = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        SetWindowSubclass(host, &CountSelChange, 1, reinterpret_cast<DWORD_PTR>(&selectionChanges));
        combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL, 5, 5,
                                200, 150, host, reinterpret_cast<HMENU>(10), nullptr, nullptr);
        for (const wchar_t* name : {L"Alfa SRL", L"Beta SA", L"Beton Plus", L"beta mic"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        GetComboBoxInfo(combo, &info);
        edit = info.hwndItem;
    }
    ~ComboHost() { DestroyWindow(host); }
    void Type(wchar_t ch) { SendMessageW(edit, WM_CHAR, ch, 0); }
    std::wstring Text() const { return ModalDriver::WindowText(edit); }
    std::pair<DWORD, DWORD> Selection() const
    {
        DWORD first = 0, last = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        return {first, last};
    }
    int CurSel() const { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

    HWND host, combo, edit;
    int selectionChanges = 0;

private:
    static LRESULT CALLBACK CountSelChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR counter)
    {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE)
            ++*reinterpret_cast<int*>(counter);
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
};

} // namespace

TEST(ComboTypeAhead, CompletesThePrefixAndSelectsTheTailWithoutTouchingTheList)
{
    ComboHost box;
    SubclassComboAutoComplete(box.combo);
    box.Type(L'b');
    EXPECT_EQ(L"Beta SA", box.Text());
    EXPECT_EQ(std::make_pair(DWORD(1), DWORD(7)), box.Selection());
    EXPECT_EQ(-1, box.CurSel());
    // The next letters replace the completed tail and complete again.
    box.Type(L'e');
    box.Type(L't');
    box.Type(L'o');
    EXPECT_EQ(L"Beton Plus", box.Text());
    EXPECT_EQ(std::make_pair(DWORD(4), DWORD(10)), box.Selection());
    EXPECT_EQ(0, box.selectionChanges);
    // Backspace removes the selected tail and puts nothing back; unknown text stays as typed.
    SubclassComboAutoComplete(box.combo); // installing twice hooks once
    SetWindowTextW(box.edit, L"");
    box.Type(L'b');
    box.Type(L'\b');
    EXPECT_EQ(L"B", box.Text());
    box.Type(L'x');
    EXPECT_EQ(L"Bx", box.Text());
    SetWindowTextW(box.edit, L"Alfa SRL");
    SendMessageW(box.edit, EM_SETSEL, 4, 8);
    SendMessageW(box.edit, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(L"Alfa", box.Text());
    EXPECT_EQ(-1, box.CurSel());
}

// Romanian capitals complete from their small letters as A does from a. A
// stored name typed whole in other letters ends as stored, not with its last
// letter as typed ("Beta Sa", a second partner), and is not completed into a
// longer name listed before it. A name the list does not hold stays as typed.
TEST(ComboTypeAhead, ANameTypedInAnyCaseEndsAsStored)
{
    ComboHost box;
    for (const wchar_t* name : {L"\u0218tefan Impex Grup", L"\u0218tefan Impex", L"\u021Aes\u0103torii Unite",
                                L"\u00CEnt\u00E2i SA", L"D'Artagnan SRL", L"Delta SRL Grup", L"Delta SRL"})
        SendMessageW(box.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SubclassComboAutoComplete(box.combo);
    struct Case { const wchar_t* typed; const wchar_t* shown; DWORD tail; };
    for (const Case& c : {Case{L"\u0219", L"\u0218tefan Impex Grup", 1}, Case{L"\u0219tefan impex", L"\u0218tefan Impex", 12},
                          Case{L"\u021Be", L"\u021Aes\u0103torii Unite", 2}, Case{L"\u00EEnt\u00C2", L"\u00CEnt\u00E2i SA", 4},
                          Case{L"d'a", L"D'Artagnan SRL", 3}, Case{L"delta srl", L"Delta SRL", 9},
                          Case{L"delta sr", L"Delta SRL Grup", 8}, Case{L"beta sa", L"Beta SA", 7},
                          Case{L"beta sax", L"Beta SAx", 8}}) {
        SetWindowTextW(box.edit, L"");
        for (const wchar_t* ch = c.typed; *ch; ++ch)
            box.Type(*ch);
        EXPECT_EQ(c.shown, box.Text()) << "typed " << testing::PrintToString(std::wstring(c.typed));
        EXPECT_EQ(std::make_pair(c.tail, DWORD(wcslen(c.shown))), box.Selection());
    }
    EXPECT_EQ(-1, box.CurSel());
}
