#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include "documents/MyFacturiDialog.h"
#include "resources/resource.h"
#include "tests/harness/MessageBoxRecorder.h"
#include "tests/harness/ModalDriver.h"
#include "tests/harness/TempDatabase.h"

namespace editor_tests {

using testing_support::ModalDriver;

inline std::wstring EditorTitle(int tip)
{
    static const wchar_t* const titles[] = {L"Factura  ", L"Factura Proforma ", L"Avize Expeditie ",
                                            L"Nota Intrare Receptie", L"Factura retur"};
    return titles[tip];
}

// A temporary company database with a company name, so documents can be saved,
// and a recorder for every box the editor raises.
class EditorTest : public testing_support::DatabaseTest {
protected:
    testing_support::MessageBoxRecorder boxes;

    void SetUp() override
    {
        tempDb.Exec(L"update Societate set denumire = 'Firma Mea SRL', cui = '1234' where id = 1");
    }

    // Runs the editor; `steps` acts on the open window, which is then closed
    // with Cancel unless a step ended it. `shownAs`: the type the window is
    // titled as when it is not the one it is opened with (a row of the
    // invoice tables opened as an invoice shows a return invoice as one).
    INT_PTR Run(MyFacturiDialog& editor, std::function<void(HWND)> steps, int shownAs = -1)
    {
        ModalDriver driver;
        driver.When(EditorTitle(shownAs < 0 ? editor.tip : shownAs), [&](HWND window) {
            steps(window);
            // What the steps typed is discarded without the question.
            if (IsWindow(window) && IsWindowVisible(window)) {
                editor.MarkSaved();
                ModalDriver::Click(window, IDCANCEL);
            }
        });
        INT_PTR result = editor.DoModal();
        driver.Verify();
        return result;
    }

    // Types a line into the entry fields and presses "Adauga".
    static void AddLine(HWND w, const wchar_t* product, const wchar_t* price, const wchar_t* quantity, int vatCode,
                        bool includesVat, const wchar_t* unit = L"Buc")
    {
        ModalDriver::SetText(w, IDC_FE_PRODUCT, product);
        ModalDriver::SetText(w, IDC_FE_PRICE, price);
        ModalDriver::SetText(w, IDC_FE_QUANTITY, quantity);
        ModalDriver::SetText(w, IDC_FE_UNIT, unit);
        SendDlgItemMessageW(w, IDC_FE_VAT, CB_SETCURSEL, vatCode, 0);
        CheckDlgButton(w, IDC_FE_INCLUDES_VAT, includesVat ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(w, IDC_FE_EXCLUDES_VAT, includesVat ? BST_UNCHECKED : BST_CHECKED);
        ModalDriver::Click(w, IDOK);
    }

    static std::wstring Cell(HWND w, int row, int column)
    {
        return ModalDriver::ListCell(w, IDC_FE_LINES, row, column);
    }
    // The named cells of a line row, joined by "|".
    static std::wstring Cells(HWND w, int row, std::initializer_list<int> columns)
    {
        std::wstring text;
        for (int column : columns)
            text += (text.empty() ? L"" : L"|") + Cell(w, row, column);
        return text;
    }
    // The texts of the named controls, joined by "|".
    static std::wstring Fields(HWND w, std::initializer_list<int> ids)
    {
        std::wstring text;
        for (int id : ids)
            text += (text.empty() ? L"" : L"|") + ModalDriver::GetText(w, id);
        return text;
    }
    static std::wstring Totals(HWND w) { return Fields(w, {IDC_FE_TOTAL_NET, IDC_FE_TOTAL_VAT, IDC_FE_TOTAL}); }
    static int Rows(HWND w) { return ModalDriver::ListRowCount(w, IDC_FE_LINES); }
    static std::wstring Text(HWND w, int id) { return ModalDriver::GetText(w, id); }

    // A query's text answer, whole numbers without the ".0" SQLite gives a real.
    std::wstring Stored(const std::wstring& sql)
    {
        std::wstring text = tempDb.Text(sql.c_str());
        for (size_t at = text.find(L".0"); at != std::wstring::npos; at = text.find(L".0", at + 1))
            if (at + 2 == text.size() || !iswdigit(text[at + 2]))
                text.erase(at, 2);
        return text;
    }

    // Runs a stored document (or a new one when `id` is 0) of the type.
    INT_PTR RunDocument(int tip, unsigned long long id, std::function<void(HWND)> steps)
    {
        MyFacturiDialog editor(nullptr);
        editor.tip = tip;
        editor.id = id;
        return Run(editor, steps);
    }

    // A stored invoice with its figures; then its lines (product id, quantity, unit price).
    unsigned long long StoreInvoice(unsigned long long clientId, int number, double net, double vat, double total,
                                    double balance, int status = 1)
    {
        tempDb.Exec(micro::utils::QString::Formatted(L"insert into Facturi values (NULL, %d, %d, %llu, 86400, 86400, 0, "
                                                     L"0, %.17g, %.17g, %.17g, %.17g, 'AB')",
                                                     status, number, clientId, net, vat, total, balance)
                        .c_str());
        return static_cast<unsigned long long>(tempDb.Db().LastInsertRowId());
    }
    // A line without a VAT code (as written before lines kept one) follows its product's rate.
    void StoreLine(const wchar_t* table, unsigned long long documentId, unsigned long long product, double quantity,
                   double price, const wchar_t* vatCode = L"NULL")
    {
        tempDb.Exec(micro::utils::QString::Formatted(L"insert into %s values (NULL, %llu, %f, %f, %llu, %s)", table,
                                                     product, quantity, price, documentId, vatCode)
                        .c_str());
    }
};

} // namespace editor_tests
