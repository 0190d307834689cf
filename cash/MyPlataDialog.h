#pragma once
#include <vector>
#include "framework/gui/QControl.h"
#include "framework/gui/QListCtrl.h"
#include "framework/qdialog/QDialog.h"
#include "database/Schema.h"

namespace settlement {
struct SettlementPlan;
struct DocumentRow;
}

// The editor of one payment to a supplier: the goods-received notes it pays,
// the amount, its words, the type and the date, stored as one row of Plati.
// Validation lowers the notes' balances, cancellation and reversal give back
// what the payment took. The supplier is a Clienti row, as the note editor
// stores it in Niruri.client. Every transition saves and ends with 1.
class MyPlataDialog : public micro::qdialog::QDialog {
public:
    explicit MyPlataDialog(HWND parent);

    bool OnCommand(UINT id, UINT code, HWND control, LRESULT& result) override;
    bool OnNotify(UINT id, NMHDR* header, LRESULT& result) override;
    bool OnInitDialog() override;
    bool UpdateData(bool toControls) override;
    bool OnButton(UINT id) override;
    void OnOK() override;

    // Appends the rows of the supplier's notes numbered numarNir; with a
    // document id only that note. Answers the rows added.
    int AppendNirRow(unsigned long long documentId = 0);
    void ShowStatus();
    // Writes the payment (and, for a new one, takes its number and moves the
    // counter) in one transaction. A failure is shown ("Message") and answers
    // false with nothing written and the members as they were.
    bool SavePlata();
    // SavePlata with the status the payment moves to and, when given, the
    // balance writes that stand or fall with the payment's save.
    bool SaveAs(unsigned long long newStatus, const settlement::SettlementPlan* plan = nullptr);

    unsigned long long id = 0;
    micro::utils::QString serie;
    unsigned long long numar = 0;
    long long data = 0; // the picker's moment; the stored value is 7200 s earlier
    unsigned long long IDClient = 0;
    long long tip = 0;
    micro::utils::QString facturi;
    double suma = 0.0;
    unsigned long long status = 0;
    micro::utils::QString sumaStr;
    unsigned long long numarNir = 0;
    unsigned long long agent = 0;
    double totalFacturat = 0.0, totalPlatit = 0.0, sold = 0.0;

    micro::gui::QEdit editSuma, editSumaStr;
    micro::gui::QListCtrl listaNiruri;
    micro::gui::QDateTimeSelector dataPicker;
    unsigned long long nrRanduri = 0;
    micro::gui::QCombo comboTip;

    // The stored date is the picked moment shifted back by this much.
    static const long long kStoredDateShift = kPaymentDateShift;

private:
    // The amount text the members last put in the amount edit.
    micro::utils::QString m_shownAmount;

    void LoadPayment();
    void ShowNumber();
    void ListRows(const std::vector<settlement::DocumentRow>& rows);
    // Amount = sum of the rows' balances, numbers text from the rows, words.
    void Recompute();
    void RefreshAmountWords();
    bool HasDocumentRow(unsigned long long documentId) const;
    // The typed amount; a refused one is said and the edit takes the focus.
    bool AmountFromEdit(double& amount);
    void ChooseSupplier();
    void AddNir();
    void RemoveNir();
    void OpenNir(int row);
    void LoadSupplierTotals();

    // Steps of SavePlata that run inside the caller's transaction and throw.
    void WritePayment();
    unsigned long long TakeNumber();

    // What the settlement side lends (MyPlataSettle.cpp): the unpaid-note
    // picker over this supplier, the amount in capitals, and the three
    // operations that move balances.
    bool PickUnpaidNir(unsigned long long& documentId, unsigned long long& number);
    static void AmountWords(double amount, micro::utils::QString& words);
    void Validate();
    void CancelPayment();
    void Reverse();
    // Plati.suma as stored: what a validated payment took.
    double StoredAmount() const;
};
