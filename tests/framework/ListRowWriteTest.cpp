#include <gtest/gtest.h>
#include "framework/gui/QListRowWrite.h"
#include "tests/harness/Screenshot.h"
#include <commctrl.h>
#include <uxtheme.h>
#include <string>

using namespace micro;

namespace {

// A shown list view of eight columns wider than itself (so both scroll bars
// come), styled as the program's lists are.
class ShownList : public testing::Test {
protected:
    HWND host = nullptr;
    gui::QListCtrl list;

    void SetUp() override
    {
        host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 420, 150, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        HWND hwnd = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                    WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                                    0, 0, 400, 127, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        list.Attach(hwnd);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
        SetWindowTheme(hwnd, L"explorer", nullptr);
        for (int c = 0; c < 8; ++c)
            list.InsertColumn(c, L"Coloana", 60, LVCFMT_CENTER);
        UpdateWindow(host);
    }
    void TearDown() override { DestroyWindow(host); }

    // A row of texts saying its number and `mark`.
    void WriteRow(int row, bool insert, const wchar_t* mark)
    {
        std::wstring text = std::to_wstring(row + 1) + mark;
        if (insert)
            list.InsertItem(row, text.c_str());
        for (int c = 1; c < 8; ++c)
            list.SetItemText(row, c, (text + L"." + std::to_wstring(c)).c_str());
    }
    void WriteAndSelect(int row, bool insert, const wchar_t* mark)
    {
        gui::QListRowWrite write(list, row);
        WriteRow(row, insert, mark);
        write.SelectAndShow(row);
    }

    // Empty when what the list shows is what it draws repainted whole.
    std::string DiffersFromWholeRepaint()
    {
        UpdateWindow(list);
        std::vector<DWORD> shown = testing_support::WindowPixels(list);
        RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::vector<DWORD> whole = testing_support::WindowPixels(list);
        if (shown.empty() || shown.size() != whole.size())
            return "no pixels read";
        size_t differing = 0;
        for (size_t i = 0; i < shown.size(); ++i)
            differing += shown[i] != whole[i];
        return differing ? std::to_string(differing) + " pixels differ" : "";
    }
    int Top() { return static_cast<int>(list.SendMessage(LVM_GETTOPINDEX)); }
};

// Rows appended one by one, within the first page, as the scroll bar comes
// and beyond, each selected and scrolled into view; rows rewritten in place.
TEST_F(ShownList, RowsWrittenShowWhatTheListDrawsRepaintedWhole)
{
    int perPage = static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE));
    ASSERT_GT(perPage, 2);
    for (int row = 0; row < perPage + 4; ++row) {
        WriteAndSelect(row, true, L"");
        EXPECT_EQ("", DiffersFromWholeRepaint()) << "row " << row + 1;
        EXPECT_EQ(row, list.GetSelectedItem());
    }
    EXPECT_TRUE(GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_EQ(4, Top());
    WriteAndSelect(perPage + 1, false, L" changed");
    EXPECT_EQ("", DiffersFromWholeRepaint());
    EXPECT_EQ(L"" + std::to_wstring(perPage + 2) + L" changed.7", std::wstring(list.GetItemText(perPage + 1, 7).c_str()));
}

// A row put first while the list is scrolled to the top moves no view, yet
// the vertical bar's range grows: the bar is redrawn.
TEST_F(ShownList, ARowPutFirstRedrawsTheBarWhoseRangeGrew)
{
    int perPage = static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE));
    for (int row = 0; row < perPage + 2; ++row)
        WriteRow(row, true, L"");
    list.SelectItem(0);
    ASSERT_EQ("", DiffersFromWholeRepaint());
    for (int i = 0; i < 3; ++i) {
        WriteAndSelect(0, true, L" first");
        EXPECT_EQ(0, Top());
        EXPECT_EQ("", DiffersFromWholeRepaint()) << "row put first " << i + 1;
    }
}

// Rows taken off the end: the rows left show and the room they leave is
// blank; taken off a list scrolled to its bottom they move the view while
// the list is hidden, and it is drawn whole.
TEST_F(ShownList, RowsTakenOffTheEndLeaveNothingOfThemShown)
{
    for (int row = 0; row < 3; ++row)
        WriteRow(row, true, L"");
    list.SelectItem(2);
    ASSERT_EQ("", DiffersFromWholeRepaint());
    {
        gui::QListRowWrite write(list, 1);
        list.DeleteItem(2);
        list.DeleteItem(1);
        write.SelectAndShow(0);
    }
    EXPECT_EQ("", DiffersFromWholeRepaint()) << "not scrolled";
    list.DeleteAllItems();

    int perPage = static_cast<int>(list.SendMessage(LVM_GETCOUNTPERPAGE));
    for (int row = 0; row < perPage + 6; ++row)
        WriteRow(row, true, L"");
    list.SelectItem(perPage + 5);
    ASSERT_EQ("", DiffersFromWholeRepaint());
    int top = Top();
    {
        gui::QListRowWrite write(list, perPage + 3);
        for (int row = perPage + 5; row >= perPage + 3; --row)
            list.DeleteItem(row);
        write.SelectAndShow(perPage + 2);
    }
    EXPECT_LT(Top(), top);
    EXPECT_EQ("", DiffersFromWholeRepaint()) << "scrolled to the bottom";
}

// A write left without its selection (an early return) shows the list whole.
TEST_F(ShownList, AWriteLeftUnfinishedShowsTheWholeList)
{
    for (int row = 0; row < 3; ++row) {
        {
            gui::QListRowWrite write(list, row);
            WriteRow(row, true, L"");
        }
        EXPECT_TRUE(IsWindowVisible(list));
        EXPECT_EQ("", DiffersFromWholeRepaint()) << "row " << row + 1;
    }
}

} // namespace
