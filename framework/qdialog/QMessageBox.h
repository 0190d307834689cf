#pragma once
#include <windows.h>
#include "framework/utils/QError.h"

namespace micro {
namespace qdialog {

// Every message box of the program goes through here. Production shows
// MessageBoxW; tests install a handler that records and answers.
typedef int (*MessageBoxHandler)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);

// The window a modal window about to open (box, file dialog, picker, print
// dialog) must belong to: this thread's active window, which is the topmost
// modal dialog while one is up (or the dialog still being set up over it, or
// the topmost one while another program is in front), or the main window when
// none is. Closing a modal window re-enables its owner, so an owner beneath
// another modal dialog would come back to life under it.
HWND ModalOwner();
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// A box over the active window with the error's text, titled "Error", error icon.
void ShowErrorMessage(const utils::QError& error);

// Turns an exception of a layer the framework does not know into its text.
// Called inside a catch block; answers true when it recognised the exception.
typedef bool (*ExceptionTranslator)(utils::QString& text);
void AddExceptionTranslator(ExceptionTranslator translator);
// The text of the exception being handled (call inside a catch block).
utils::QString CurrentExceptionText();

} // namespace qdialog
} // namespace micro
