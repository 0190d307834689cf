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

// Romanian capitals complete from their small letters as A does from a, and
// the apostrophe of a name is typed through like any other character.
TEST(ComboTypeAhead, CompletesNamesWithDiacriticsInAnyCase)
{
    ComboHost box;
    for (const wchar_t* name : {L"\u0218tefan Impex Grup", L"\u0218tefan Impex", L"\u021Aes\u0103torii Unite",
                                L"\u00CEnt\u00E2i SA", L"D'Artagnan SRL"})
        SendMessageW(box.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SubclassComboAutoComplete(box.combo);
    struct Case { const wchar_t* typed; const wchar_t* shown; };
    for (const Case& c : {Case{L"\u0219", L"\u0218tefan Impex Grup"}, Case{L"\u0219tefan impex", L"\u0218tefan Impex"},
                          Case{L"\u021Be", L"\u021Aes\u0103torii Unite"},
                          Case{L"\u00EEnt\u00C2", L"\u00CEnt\u00E2i SA"}, Case{L"d'a", L"D'Artagnan SRL"}}) {
        SetWindowTextW(box.edit, L"");
        for (const wchar_t* ch = c.typed; *ch; ++ch)
            box.Type(*ch);
        EXPECT_EQ(c.shown, box.Text()) << "typed " << testing::PrintToString(std::wstring(c.typed));
    }
}

// A stored name typed whole in other letters ends as stored: the last letter
// typed does not stay in its own case beside the completed ones ("Beta Sa"),
// which would name a second partner. A name the list does not hold stays as
// typed; a name typed whole is not completed into a longer one listed first.
TEST(ComboTypeAhead, ANameTypedWholeInOtherCaseEndsAsStored)
{
    ComboHost box;
    for (const wchar_t* name : {L"Delta SRL Grup", L"Delta SRL"})
        SendMessageW(box.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SubclassComboAutoComplete(box.combo);
    struct Case { const wchar_t* typed; const wchar_t* shown; DWORD tail; };
    for (const Case& c : {Case{L"delta srl", L"Delta SRL", 9}, Case{L"delta sr", L"Delta SRL Grup", 8}}) {
        SetWindowTextW(box.edit, L"");
        for (const wchar_t* ch = c.typed; *ch; ++ch)
            box.Type(*ch);
        EXPECT_EQ(c.shown, box.Text());
        EXPECT_EQ(std::make_pair(c.tail, DWORD(wcslen(c.shown))), box.Selection());
    }
    for (const wchar_t* typed : {L"beta sa", L"BETA SA", L"Beta SA", L"beta sax"}) {
        SetWindowTextW(box.edit, L"");
        for (const wchar_t* ch = typed; *ch; ++ch)
            box.Type(*ch);
        bool known = std::wstring(typed).size() == 7;
        EXPECT_EQ(known ? L"Beta SA" : L"Beta SAx", box.Text()) << testing::PrintToString(std::wstring(typed));
        DWORD end = known ? 7 : 8;
        EXPECT_EQ(std::make_pair(end, end), box.Selection());
    }
    EXPECT_EQ(-1, box.CurSel());
}
