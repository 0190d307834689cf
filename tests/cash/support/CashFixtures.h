#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include "framework/qdialog/QDialog.h"
#include "masterdata/EditorEntries.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

namespace cash_tests {

struct Document {
    unsigned long long client;
    unsigned long long number;
    double total;
    double balance;
    int status = 2;
    const wchar_t* table = L"Facturi";
};

// A document header with its amounts (net and VAT split 100:19 of the total);
// answers its id.
unsigned long long AddDocument(testing_support::TempDatabase& db, const Document& document);
double Balance(testing_support::TempDatabase& db, unsigned long long id, const wchar_t* table = L"Facturi");

// A receipt (Incasari) or payment (Plati) row as stored; AddCashRow answers its id.
struct CashRow {
    unsigned long long partner;
    unsigned long long number;
    const wchar_t* facturi;
    double amount;
    int status;
    long long storedDate;
    int type = 0;
    const wchar_t* series = L"PLT";
    const wchar_t* words = L"";
};
unsigned long long AddCashRow(testing_support::TempDatabase& db, const wchar_t* table, const CashRow& row);

// The windows an editor opens, in order, each with what the user does in it.
using NestedSteps = std::vector<std::pair<std::wstring, std::function<void(HWND)>>>;
using Steps = std::function<void(HWND)>;

// Runs the dialog modally while steps act on its window, titled title, and the
// nested windows are driven; what the steps leave open is closed with Cancel,
// without the question. Answers the dialog's result.
INT_PTR RunDialog(micro::qdialog::QDialog& dialog, const std::wstring& title, const Steps& steps,
                  const NestedSteps& nested = {});
// The cells of one column of a list, joined by ','.
std::wstring ColumnText(HWND dialog, int listId, int column);

// What differs between the receipt editor (over invoices) and the payment
// editor (over goods-received notes) for a behaviour both share.
struct Side {
    const char* name;
    // Where the editor stores its row, what it pays, and ConfigFacturi's
    // columns of the last number and of a new row's series.
    const wchar_t *table, *documents, *counter, *series;
    const wchar_t *partnerPicker, *newTitle, *temporaryTitle, *validatedTitle;
    int pickPartner, partnerName, add, amount, validate, giveBack, list, type, number;
    const wchar_t* giveBackQuestion;
    const wchar_t* validatedRow; // status|serie|numar|facturi|suma|sumaStr of 150 over 12 and 13
    // The word the messages use for the row; the refusal of a row deleted meanwhile.
    const wchar_t *document, *gone;
    int documentType; // the document editor's type of what it pays
    // Runs the editor on the stored id (0: a new one); see RunEditor.
    INT_PTR (*run)(unsigned long long id, const std::wstring& title, NestedSteps& nested, const Steps& steps);
    // The list of stored rows (titled as the table), its menu command and the editor it opens.
    unsigned command;
    EditorKind editor;
    int rows, searchField, searchText, addRow;
    int cancel, date;
    const wchar_t* cancelledTitle;
};
extern const Side kReceipts, kPayments;

// One partner "D'Artagnan SRL" with documents 12 (100 owed) and 13 (80 owed)
// on the side's table, and another partner "Beta SRL" whose document 12 owes
// 100 as well; message boxes recorded.
class CashEditorTest : public testing_support::DatabaseTest {
protected:
    explicit CashEditorTest(const Side& side);
    const Side& side;
    testing_support::MessageBoxRecorder boxes;
    NestedSteps nested; // scripted before the run
    unsigned long long partner = 0, beta = 0, doc12 = 0, doc13 = 0, betaDoc12 = 0;

    // The partner picker chooses name, then the unpaid picker the document numbered number.
    void PickPartnerAndDocument(int number, const wchar_t* name = L"D'Artagnan SRL");
    void PickDocument(int number);
    INT_PTR Run(unsigned long long id, const std::wstring& title, const Steps& steps);
    // A new row of amount over the documents listed, validated through the editor.
    INT_PTR ValidateNew(const wchar_t* amount, std::vector<int> documents = {12, 13}, const Steps& before = nullptr);
    double Balance(unsigned long long id) { return cash_tests::Balance(tempDb, id, side.documents); }
    // The balances of 12 and 13 and how many allocation records there are: "100|80|0".
    std::wstring Books();
    long long Counter();
    // A column of the side's single stored row, or of the row id.
    std::wstring Stored(const wchar_t* column, unsigned long long id = 0);
};

} // namespace cash_tests
