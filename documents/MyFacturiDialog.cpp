#include "documents/MyFacturiDialog.h"

bool MyFacturiDialog::comboSelectionGuard = false;

MyFacturiDialog::MyFacturiDialog(HWND parent) : QDialog(164, parent) {}
MyFacturiDialog::~MyFacturiDialog() {}
bool MyFacturiDialog::OnInitDialog() { return QDialog::OnInitDialog(); }
bool MyFacturiDialog::UpdateData(bool) { return true; }
bool MyFacturiDialog::OnButton(UINT id) { return QDialog::OnButton(id); }
void MyFacturiDialog::OnOK() {}
bool MyFacturiDialog::OnCommand(UINT id, UINT code, HWND control, LRESULT& result)
{
    return QDialog::OnCommand(id, code, control, result);
}
bool MyFacturiDialog::OnNotify(UINT, NMHDR*, LRESULT&) { return true; }
