#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Drives modal windows from inside their own message loops: a thread timer
// (dispatched by DialogBoxParamW and MessageBoxW loops too) waits for an
// enabled window of this thread with the step's caption and runs the step's
// action on it. A watchdog ends every modal window and records a failure when
// a step makes no progress.
class ModalDriver {
public:
    explicit ModalDriver(DWORD stepTimeoutMs = 15000);
    ~ModalDriver();

    // Adds a step for the window titled `caption`.
    ModalDriver& When(const std::wstring& caption, std::function<void(HWND)> action);
    // Fails the running test for every failure and every step not reached.
    void Verify();

    // Actions on a dialog.
    static void SetText(HWND dialog, int id, const std::wstring& text);
    static std::wstring GetText(HWND dialog, int id);
    static std::wstring WindowText(HWND window);
    static void Click(HWND dialog, int id);
    // A real mouse click at the centre of the dialog's visible control with
    // that id (a hidden one of the same id does not count), through the
    // system's input queue; the dialog is put on top first. Fails the test
    // when no such control is shown.
    static void ClickOnScreen(HWND dialog, int id);
    static bool IsEnabled(HWND dialog, int id);
    static bool IsVisible(HWND dialog, int id);
    // Selects a list row (the list notifies its parent itself).
    static void SelectListRow(HWND dialog, int listId, int row);
    static void DoubleClickListRow(HWND dialog, int listId, int row);
    static void RightClickListRow(HWND dialog, int listId, int row);
    static int ListRowCount(HWND dialog, int listId);
    static int ListSelectedRow(HWND dialog, int listId);
    static std::wstring ListCell(HWND dialog, int listId, int row, int column);
    // Sets a date-time picker and sends the change notice the system does not send.
    static void SetDate(HWND dialog, int id, const SYSTEMTIME& time);
    // Picks a combo item and sends CBN_SELCHANGE as a user's choice does.
    static void SelectCombo(HWND dialog, int id, int index);
    // Ends every modal window of the thread.
    static void EndAllModal();
    // Pumps this thread's messages for a while (for windows outside modal
    // loops); without timers, no driver step runs meanwhile.
    static void Pump(DWORD milliseconds = 50, bool timers = true);

private:
    struct Step {
        std::wstring caption;
        std::function<void(HWND)> action;
    };
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    HWND FindWindowFor(const std::wstring& caption) const;

    std::vector<Step> m_steps;
    size_t m_next;
    DWORD m_stepStarted;
    DWORD m_timeout;
    UINT_PTR m_timer;
    bool m_inTick;
    std::vector<std::string> m_failures;
    ModalDriver* m_previous;
    static ModalDriver* s_current;
};

// Records the title of every top-level window of this thread shown during
// its lifetime: a window that opened and closed again between two looks is
// still seen.
class ShownWindows {
public:
    ShownWindows();
    ~ShownWindows();
    ShownWindows(const ShownWindows&) = delete;
    ShownWindows& operator=(const ShownWindows&) = delete;
    const std::vector<std::wstring>& Titles() const { return m_titles; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;
    std::vector<std::wstring> m_titles;
    ShownWindows* m_previous;
    static ShownWindows* s_current;
};

} // namespace testing_support
