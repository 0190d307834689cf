#include "framework/qdialog/QMessageBox.h"
#include "framework/gui/QWindow.h"
#include "framework/qapp/QApplication.h"
#include <cwchar>
#include <exception>
#include <new>

namespace micro {
namespace qdialog {

namespace {
MessageBoxHandler g_handler = nullptr;
const int kMaxTranslators = 8;
ExceptionTranslator g_translators[kMaxTranslators];
int g_translatorCount = 0;
}

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)
{
    // A box asked for over the main window (or over nothing) while a modal
    // dialog is up belongs to that dialog: closing the box must not bring the
    // main window back to life beneath it.
    if (!owner || owner == qapp::GetMainWindow())
        owner = ModalOwner();
    if (g_handler)
        return g_handler(owner, text ? text : L"", caption ? caption : L"", flags);
    return MessageBoxW(owner, text ? text : L"", caption ? caption : L"", flags);
}

namespace {

struct OwnedSearch {
    HWND owner;
    HWND found;
};

// A dialog the owner owns: an enabled one, else a disabled one (which owns
// the next dialog up).
BOOL CALLBACK FindOwnedDialog(HWND hwnd, LPARAM lParam)
{
    OwnedSearch* search = reinterpret_cast<OwnedSearch*>(lParam);
    wchar_t cls[16] = {};
    if (GetWindow(hwnd, GW_OWNER) != search->owner || !GetClassNameW(hwnd, cls, 16) || wcscmp(cls, L"#32770") != 0)
        return TRUE;
    search->found = hwnd;
    return !IsWindowEnabled(hwnd);
}

} // namespace

HWND ModalOwner()
{
    // A modal dialog disables its owner before its initialisation and becomes
    // active only after it: meanwhile the active window is the disabled owner,
    // and the window in front is the enabled dialog it owns. While another
    // program is in front this thread has no active window: the dialogs are
    // found the same way from the main window down.
    HWND window = GetActiveWindow();
    if (!window)
        window = qapp::GetMainWindow();
    for (int depth = 0; window && !IsWindowEnabled(window) && depth < 32; ++depth) {
        OwnedSearch search = {window, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), &FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        // A dialog disabled with nothing over it is still the one in front.
        if (!search.found)
            break;
        window = search.found;
    }
    return window ? window : qapp::GetMainWindow();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler old = g_handler;
    g_handler = handler;
    return old;
}

void ShowErrorMessage(const utils::QError& error)
{
    ShowMessageBox(GetActiveWindow(), error.GetText().c_str(), L"Error", MB_OK | MB_ICONERROR);
}

void AddExceptionTranslator(ExceptionTranslator translator)
{
    for (int i = 0; i < g_translatorCount; ++i)
        if (g_translators[i] == translator)
            return;
    if (g_translatorCount < kMaxTranslators)
        g_translators[g_translatorCount++] = translator;
}

utils::QString CurrentExceptionText()
{
    DWORD lastError = GetLastError();
    try {
        throw;
    } catch (const utils::QError& error) {
        return error.GetText();
    } catch (const std::bad_alloc&) {
        return utils::QError::SystemText(ERROR_NOT_ENOUGH_MEMORY);
    } catch (const std::exception& error) {
        utils::QString text;
        const char* what = error.what();
        int n = MultiByteToWideChar(CP_UTF8, 0, what, -1, nullptr, 0);
        if (n > 1) {
            MultiByteToWideChar(CP_UTF8, 0, what, -1, text.GetBuffer(n), n);
            text.ReleaseBuffer();
        }
        return text;
    } catch (...) {
        for (int i = 0; i < g_translatorCount; ++i) {
            utils::QString text;
            try {
                if (g_translators[i](text))
                    return text;
            } catch (...) {
            }
        }
        return utils::QError::SystemText(lastError);
    }
}

} // namespace qdialog

namespace gui {

void ReportCaughtException()
{
    utils::QString text = qdialog::CurrentExceptionText();
    try {
        qdialog::ShowMessageBox(GetActiveWindow(), text.c_str(), L"Error", MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

} // namespace gui
} // namespace micro
