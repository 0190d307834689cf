#include "tests/cash/support/CashFixtures.h"
#include "cash/MyIncasareDialog.h"
#include "cash/MyPlataDialog.h"
#include "database/qsql/SqlText.h"
#include "resources/resource.h"

using micro::qsql::SqlFormat;
using testing_support::ModalDriver;

namespace cash_tests {

unsigned long long AddDocument(testing_support::TempDatabase& db, const Document& d)
{
    double net = d.total / 1.19;
    db.Exec(SqlFormat(L"insert into %s (status, numar, client, dataCreare, valoareFT, valoareTVA, valoareTTI, sold, "
                      L"serie) values (%d, %llu, %llu, 1700000000, %.17g, %.17g, %.17g, %.17g, 'FX')",
                      d.table, d.status, d.number, d.client, net, d.total - net, d.total, d.balance)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

double Balance(testing_support::TempDatabase& db, unsigned long long id, const wchar_t* table)
{
    return db.Number(SqlFormat(L"select sold from %s where id = %llu", table, id).c_str());
}

unsigned long long AddCashRow(testing_support::TempDatabase& db, const wchar_t* table, const CashRow& r)
{
    db.Exec(SqlFormat(L"insert into %s (serie, numar, IDClient, facturi, suma, sumaStr, data, status, tip, agent) "
                      L"values ('%s', %llu, %llu, '%s', %.17g, '%s', %lld, %d, %d, 0)",
                      table, r.series, r.number, r.partner, r.facturi, r.amount, r.words, r.storedDate, r.status,
                      r.type)
                .c_str());
    return static_cast<unsigned long long>(db.Db().LastInsertRowId());
}

INT_PTR RunDialog(micro::qdialog::QDialog& dialog, const std::wstring& title, const Steps& steps,
                  const NestedSteps& nested)
{
    ModalDriver driver;
    driver.When(title, [&](HWND hwnd) {
        steps(hwnd);
        if (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
            dialog.MarkSaved();
            ModalDriver::Click(hwnd, IDCANCEL);
        }
    });
    for (auto& step : nested)
        driver.When(step.first, step.second);
    INT_PTR result = dialog.DoModal();
    driver.Verify();
    return result;
}

std::wstring ColumnText(HWND dialog, int listId, int column)
{
    std::wstring text;
    for (int row = 0; row < ModalDriver::ListRowCount(dialog, listId); ++row)
        text += (row ? L"," : L"") + ModalDriver::ListCell(dialog, listId, row, column);
    return text;
}

namespace {

// The editor on the stored id; the nested windows are driven and then forgotten.
template <class Editor>
INT_PTR RunEditor(unsigned long long id, const std::wstring& title, NestedSteps& nested, const Steps& steps)
{
    Editor editor(nullptr);
    editor.id = id;
    NestedSteps windows;
    windows.swap(nested);
    return RunDialog(editor, title, steps, windows);
}

// The picker titled title double-clicks the row of list whose first cell is text.
void ChooseInPicker(NestedSteps& nested, const wchar_t* title, int list, const std::wstring& text)
{
    nested.push_back({title, [list, text](HWND w) {
                          for (int row = 0; row < ModalDriver::ListRowCount(w, list); ++row)
                              if (ModalDriver::ListCell(w, list, row, 0) == text)
                                  ModalDriver::DoubleClickListRow(w, list, row);
                      }});
}

} // namespace

const Side kReceipts = {"receipts", L"Incasari", L"Facturi", L"numarChit", L"serie_chit", L"Cautare Clienti", L"Dialog",
                        L"Dialog", L"Dialog", IDC_INCASARE_ADAUGA_CLIENT, IDC_INCASARE_CLIENT, IDC_INCASARE_ADD,
                        IDC_INCASARE_SUMA, IDC_INCASARE_VALIDARE, IDC_INCASARE_ANULARE, IDC_INCASARE_LISTA,
                        IDC_INCASARE_TIP, IDC_INCASARE_NUMAR,
                        L"Anularea implica pierderea numarului de INCASARE ! \n Anulati INCASAREA ?",
                        L"2|CNT|1| 13, 12|150.0| UNA SUTA CINCIZECI   LEI", L"chitanta",
                        L"Chitanta nu mai exista in baza de date.", 0, &RunEditor<MyIncasareDialog>, ID_CMD_CHITANTE,
                        EditorKind::Receipt, IDC_INCASARI_LISTA, IDC_INCASARI_CAMP, IDC_INCASARI_CAUTARE,
                        IDC_INCASARI_NOUA, IDC_INCASARE_ANULARE, IDC_INCASARE_DATA, L"Dialog"};
const Side kPayments = {"payments", L"Plati", L"Niruri", L"numarPlati", L"seriePlati", L"Cautare Furnizori", L"Plata",
                        L"Plata - document temporar", L"Plata - document validat", IDC_PLATA_FURNIZOR, IDC_PLATA_NUME,
                        IDC_PLATA_ADAUGA_NIR, IDC_PLATA_SUMA, IDC_PLATA_VALIDEAZA, IDC_PLATA_STORNARE,
                        IDC_PLATA_NIRURI, IDC_PLATA_TIP, IDC_PLATA_NUMAR, L"Stornare document ?",
                        L"2|PLT|1|   13,   12|150.0| UNA SUTA CINCIZECI   LEI", L"plata",
                        L"Plata nu mai exista in baza de date.", 3, &RunEditor<MyPlataDialog>, ID_CMD_PLATI,
                        EditorKind::Payment, IDC_PLATI_LISTA, IDC_PLATI_CAMP, IDC_PLATI_TEXT, IDC_PLATI_NOUA,
                        IDC_PLATA_ANULEAZA, IDC_PLATA_DATA, L"Plata - document anulat"};

CashEditorTest::CashEditorTest(const Side& s) : side(s)
{
    // Partners from 501 and documents from 301, receipts and payments from 1:
    // an id read from the wrong table finds nothing.
    partner = tempDb.AddClient(L"D'Artagnan SRL", 0, L"RO123") + 500;
    beta = tempDb.AddClient(L"Beta SRL") + 500;
    tempDb.Exec(L"update Clienti set id = id + 500");
    tempDb.Exec(SqlFormat(L"insert into %s (id, status) values (300, 3)", side.documents).c_str());
    doc12 = AddDocument(tempDb, {partner, 12, 100, 100, 2, side.documents});
    doc13 = AddDocument(tempDb, {partner, 13, 80, 80, 2, side.documents});
    betaDoc12 = AddDocument(tempDb, {beta, 12, 100, 100, 2, side.documents});
    tempDb.Exec(SqlFormat(L"delete from %s where id = 300", side.documents).c_str());
}

void CashEditorTest::PickPartnerAndDocument(int number, const wchar_t* name)
{
    ChooseInPicker(nested, side.partnerPicker, IDC_CAUTARE_CLIENTI_LIST, name);
    PickDocument(number);
}

void CashEditorTest::PickDocument(int number)
{
    ChooseInPicker(nested, L"Facturi Nestinse", IDC_FACTURI_SCADENTE_LIST, std::to_wstring(number));
}

INT_PTR CashEditorTest::Run(unsigned long long id, const std::wstring& title, const Steps& steps)
{
    return side.run(id, title, nested, steps);
}

INT_PTR CashEditorTest::ValidateNew(const wchar_t* amount, std::vector<int> documents, const Steps& before)
{
    PickPartnerAndDocument(documents[0]);
    for (size_t i = 1; i < documents.size(); ++i)
        PickDocument(documents[i]);
    return Run(0, side.newTitle, [&](HWND w) {
        ModalDriver::ClickOnScreen(w, side.pickPartner);
        for (size_t i = 1; i < documents.size(); ++i)
            ModalDriver::ClickOnScreen(w, side.add);
        ModalDriver::SetText(w, side.amount, amount);
        if (before)
            before(w);
        ModalDriver::ClickOnScreen(w, side.validate);
    });
}

std::wstring CashEditorTest::Books()
{
    return tempDb.Text(SqlFormat(L"select (select printf('%%g|', sold) from %s where id = %llu) || (select "
                                 L"printf('%%g|', sold) from %s where id = %llu) || (select count(*) from Alocari)",
                                 side.documents, doc12, side.documents, doc13)
                           .c_str());
}

long long CashEditorTest::Counter()
{
    return tempDb.Scalar(SqlFormat(L"select %s from ConfigFacturi where id = 1", side.counter).c_str());
}

std::wstring CashEditorTest::Stored(const wchar_t* column, unsigned long long id)
{
    std::wstring sql = std::wstring(L"select ") + column + L" from " + side.table;
    return tempDb.Text((id ? sql + L" where id = " + std::to_wstring(id) : sql).c_str());
}

} // namespace cash_tests
