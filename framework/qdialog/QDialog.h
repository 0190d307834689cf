#pragma once
#include "framework/gui/QWindow.h"
#include "framework/qdialog/QMessageBox.h"
#include <string>

namespace micro {
namespace qdialog {

// A modal dialog made from a template. Its messages go through the same
// handler table as windows; results travel through DWLP_MSGRESULT.
class IDialog : public gui::QWindow {
public:
    IDialog(UINT templateId, HWND parent);
    ~IDialog() override;

    // Creates the dialog from its template and runs it; answers the end value.
    virtual INT_PTR DoModal();                                  // slot 115
    // Centres the dialog and calls UpdateData(true). Derived initialisations
    // call it last. One that throws has its error shown, and the dialog
    // ends at once with IDCANCEL, never shown.
    virtual bool OnInitDialog();                                // slot 108
    // true: members to controls; false: controls to members (false keeps a
    // closing dialog open).
    virtual bool UpdateData(bool toControls);                   // slot 109
    // A click (command with notification code 0): 1 OK, 2 Cancel, 9 help.
    virtual bool OnButton(UINT id);                             // slot 110
    virtual bool OnHelp();                                      // slot 112
    virtual void OnOK();                                        // slot 113
    virtual void OnCancel();                                    // slot 114

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;

    void CenterWindow();
    void EndDialog(INT_PTR result);
    HWND GetItem(int id) const { return GetDlgItem(m_hwnd, id); }
    utils::QString GetItemText(int id) const;
    void SetItemText(int id, const wchar_t* text) { SetDlgItemTextW(m_hwnd, id, text ? text : L""); }
    void EnableItem(int id, bool enable) { EnableWindow(GetItem(id), enable ? TRUE : FALSE); }
    void ShowItem(int id, bool show) { ShowWindow(GetItem(id), show ? SW_SHOW : SW_HIDE); }
    HWND GetParentHandle() const { return m_parent; }
    UINT GetTemplateId() const { return m_templateId; }
    int MessageBox(const wchar_t* text, const wchar_t* caption, UINT flags) const
    {
        return ShowMessageBox(m_hwnd, text, caption, flags);
    }

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Editors call it before DoModal: then Esc or the close box, with
    // something typed or chosen since the dialog opened (or since
    // MarkSaved), ask before the changes are discarded.
    void AskBeforeDiscarding() { m_askBeforeDiscarding = true; }
    // What the controls show now is stored: closing discards nothing.
    void MarkSaved();
    // Of an editor that asks before discarding: something was typed or
    // chosen since it opened or since MarkSaved.
    bool HasUnsavedChanges() const;

protected:
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_templateId;
    HWND m_parent;
    bool m_ending;

private:
    bool m_askBeforeDiscarding = false;
    std::wstring m_savedState;
};

// The base every dialog of the program derives from.
class QDialog : public IDialog {
public:
    QDialog(UINT templateId, HWND parent) : IDialog(templateId, parent) {}
};

} // namespace qdialog
} // namespace micro
