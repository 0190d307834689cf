#pragma once
#include <vector>
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "cash/Settlement.h"

// The editor of one receipt from a client (a row of Incasari): the client,
// the invoices it pays, the amount and its words, the payment type and the
// date. It keeps the receipt as temporary (OK), validates it (the invoices'
// balances fall), cancels it (they rise again) or prints it. Result 1 after
// anything was stored, 2 otherwise.
class MyIncasareDialog : public micro::qdialog::QDialog {
public:
    explicit MyIncasareDialog(HWND parent);
    ~MyIncasareDialog() override;

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;
    void OnOK() override;

    void AppendInvoiceRow();
    void RecomputeTotals();
    void LoadClientTotals();
    // Gives the invoices' balances back, empties the list and stores the
    // receipt as temporary, in one transaction. False (shown) when it failed.
    bool RevertInvoiceBalances();

    unsigned long long id = 0;
    micro::utils::QString serie;
    unsigned long long numar = 0;
    unsigned long long data = 0;
    unsigned long long IDClient = 0;
    long long tip = 0;
    micro::utils::QString facturi;
    double suma = 0;
    unsigned long long status = 0;
    micro::utils::QString sumaStr;
    unsigned long long numarAles = 0;   // the invoice number AppendInvoiceRow looks up
    unsigned long long idAles = 0;      // its id, when the picker chose one
    unsigned long long agent = 0;
    double totalFacturat = 0, totalIncasat = 0, totalSold = 0;

private:
    // Stores the receipt with the status given: a new one takes its number
    // here, the next free one if another took it. Runs inside the caller's
    // transaction; throws micro::qsql::QSqlError. Answers the receipt's id.
    unsigned long long WriteReceipt(unsigned long long newStatus);
    // The receipt's own save, with the settlement when one is given, in one
    // transaction. A failure is shown once ("Message") and answers false;
    // then nothing changed and the editor stays open.
    bool SaveIncasare(unsigned long long newStatus, const settlement::SettlementPlan* plan = nullptr);
    // What the stored receipt took from its invoices.
    settlement::SettlementPlan PlanGiveBack() const;

    void Validate();
    void Cancel();
    void Print();
    // The listed invoices as the printed receipt names them.
    void InvoicesAsPrinted(micro::utils::QString& series, micro::utils::QString& invoices) const;
    void AddInvoice();
    void ChooseClient();
    void RemoveInvoice();
    void OpenInvoice(int row);
    // ADD, REMOVE and Adauga Client on a validated receipt: asked, then reverted.
    bool ConfirmEditOfValidated();
    bool IsListed(unsigned long long documentId) const;
    void ListRows(const std::vector<settlement::DocumentRow>& rows);
    // Read-only as the status asks: validated fields, a closed receipt whole.
    void ShowStatus();
    void ClearRows();
    void ShowPicture();
    void CreateRunTimeButtons();
    void ShowNumber();
    // The typed amount; a refused one is said and the edit takes the focus.
    bool AmountFromEdit(double& amount);
    long long DateFromPicker() const;

    micro::gui::QEdit editSuma;
    micro::gui::QEdit editSumaLitere;
    micro::gui::QListCtrl lista;
    micro::gui::QDateTimeSelector dataSelector;
    micro::gui::QCombo comboTip;
    unsigned long long rowCount = 0;
    HBITMAP picture = nullptr;
    HICON icons[3] = {};
};
