#include "stock/MyIntrariGeneraleDialogEdit.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/utils/TimeFormat.h"
#include "resources/resource.h"
#include "stock/StockMovePrint.h"
#include "stock/StockRowValues.h"
#include <utility>

using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

// The program does not track who is signed in: movements carry user 0.
const unsigned long long kCurrentUserId = 0;

const int kEditingButtons[] = {IDC_IGE_STERGE, IDC_IGE_ADAUGA, IDC_IGE_MODIFICA, IDOK, IDC_IGE_VALIDEAZA,
                               IDC_IGE_ANULEAZA};

} // namespace

MyIntrariGeneraleDialogEdit::MyIntrariGeneraleDialogEdit(HWND parent) : QDialog(IDD_INTRARI_GENERALE_EDIT, parent)
{
    AskBeforeDiscarding();
}

MyIntrariGeneraleDialogEdit::~MyIntrariGeneraleDialogEdit() {}

bool MyIntrariGeneraleDialogEdit::OnInitDialog()
{
    const StockMoveKind& k = StockMoveKindOf(kind);
    SetText(k.editorTitle);
    itemList.Attach(m_hwnd, IDC_IGE_LISTA);
    cellEditor.Attach(m_hwnd, IDC_IGE_CELULA);
    datePicker.Attach(m_hwnd, IDC_IGE_DATA);
    datePicker.SetDayMonthYearFormat();
    stock_reports::StyleList(itemList);
    InsertItemColumns();

    if (id == 0) {
        number = NextStockMoveNumber(kind);
    } else {
        number = id;
        StockMoveHeader header;
        double totals[3] = {0.0, 0.0, 0.0};
        if (LoadStockMoveHeader(kind, id, header, totals)) {
            date = header.date;
            status = header.status;
            totalFT = totals[0];
            totalTVA = totals[1];
            totalTTI = totals[2];
        }
    }
    EnableControls();
    // A new movement starts empty, whatever rows an abandoned one left.
    if (id != 0)
        LoadItems();
    company.Load();
    QDialog::OnInitDialog();
    return true;
}

bool MyIntrariGeneraleDialogEdit::IsReadOnly() const
{
    return status == StockMoveValidated || status == StockMoveCancelled;
}

void MyIntrariGeneraleDialogEdit::EnableControls()
{
    bool editable = !IsReadOnly();
    for (int control : kEditingButtons)
        EnableItem(control, editable);
}

void MyIntrariGeneraleDialogEdit::ShowTotals()
{
    SetItemText(IDC_IGE_TOTAL_FT, QString::Formatted(L"%.2f", totalFT));
    SetItemText(IDC_IGE_TOTAL_TVA, QString::Formatted(L"%.2f", totalTVA));
    SetItemText(IDC_IGE_TOTAL_TTI, QString::Formatted(L"%.2f", totalTTI));
}

bool MyIntrariGeneraleDialogEdit::UpdateData(bool toControls)
{
    if (!toControls)
        return true;
    ShowTotals();
    SetItemText(IDC_IGE_NUMAR, QString::Formatted(L"%llu", number));
    if (date != 0)
        datePicker.SetUnixTime(date);
    return true;
}

bool MyIntrariGeneraleDialogEdit::OnCommand(UINT control, UINT code, HWND window, LRESULT& result)
{
    if (control == IDC_IGE_CELULA && code == EN_KILLFOCUS) {
        clickInterrupted = !CommitCellEdit();
        return true;
    }
    return QDialog::OnCommand(control, code, window, result);
}

bool MyIntrariGeneraleDialogEdit::OnButton(UINT control)
{
    // Commands of the editing buttons obey the lock even when sent directly.
    bool interrupted = std::exchange(clickInterrupted, false);
    bool editable = !IsReadOnly() && !interrupted;
    switch (control) {
    case IDC_IGE_ADAUGA: if (editable) AddItem(); return true;
    case IDC_IGE_STERGE: if (editable) DeleteItem(); return true;
    case IDC_IGE_MODIFICA: if (editable) ModifyItem(); return true;
    case IDC_IGE_VALIDEAZA: if (!interrupted) Validate(); return true;
    case IDC_IGE_ANULEAZA: if (editable) Cancel(); return true;
    case IDC_IGE_TIPARIRE: Print(); return true;
    case IDOK:
        return interrupted || QDialog::OnButton(control);
    case IDCANCEL:
    case 9: return QDialog::OnButton(control);
    default: return true;
    }
}

void MyIntrariGeneraleDialogEdit::OnOK()
{
    itemList.Enable(true);
    if (editing) {
        CommitCellEdit();
        return;
    }
    if (!IsReadOnly())
        SaveTemporary();
}

StockMoveHeader MyIntrariGeneraleDialogEdit::Header() const
{
    StockMoveHeader header;
    header.id = id;
    header.date = date;
    header.status = status;
    header.user = kCurrentUserId;
    return header;
}

void MyIntrariGeneraleDialogEdit::ShowWriteError(const QString& text)
{
    MessageBox(text.c_str(), L"Message", MB_OK | MB_ICONERROR);
}

bool MyIntrariGeneraleDialogEdit::ShowRefusal(const StockMoveRefusal& refusal)
{
    if (!refusal.Refused())
        return false;
    MessageBox(StockMoveRefusalText(refusal), L"Message", MB_OK | MB_ICONEXCLAMATION);
    itemList.SelectItem(refusal.line);
    return true;
}

void MyIntrariGeneraleDialogEdit::SaveTemporary()
{
    StockMoveHeader header = Header();
    header.date = datePicker.GetUnixTime();
    header.status = StockMoveTemporary;
    StockMoveRefusal refusal;
    try {
        refusal = SaveStockMove(kind, header, CollectRows());
    } catch (const QSqlError& error) {
        ShowWriteError(error.GetText());
        return;
    }
    if (ShowRefusal(refusal))
        return;
    date = header.date;
    status = header.status;
    EndDialog(IDOK);
}

void MyIntrariGeneraleDialogEdit::Cancel()
{
    int answer = micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(),
                                L"Anularea implica imposibilitatea modificarii datelor \n si pierderea numarului de pe "
                                L"factura !",
                                L"Anulare", MB_OKCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDOK)
        return;
    if (id == 0)
        date = datePicker.GetUnixTime();
    StockMoveHeader header = Header();
    StockRefusal refusal;
    try {
        refusal = CancelStockMove(kind, header);
    } catch (const QSqlError& error) {
        ShowWriteError(error.GetText());
        return;
    }
    if (refusal.Refused()) {
        MessageBox(StockRefusalText(refusal), L"Message", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    status = header.status;
    EndDialog(IDOK);
}

void MyIntrariGeneraleDialogEdit::Validate()
{
    // A quantity still being typed counts, as when the click takes the focus;
    // one refused stops the validation.
    if (!CommitCellEdit())
        return;
    if (status == StockMoveValidated) {
        MessageBox(L"Intrare deja Validata ! ", L"Message", MB_OK);
        return;
    }
    // A cancelled movement moves no stock.
    if (status == StockMoveCancelled)
        return;
    if (micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), L"Validare document ?", L"Validare",
                       MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    std::vector<StockMoveRow> rows = CollectRows();
    if (rows.empty()) {
        MessageBox(L"Nu ati introdus nici un produs !", L"Message", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    StockMoveHeader header = Header();
    header.date = datePicker.GetUnixTime();
    StockMoveRefusal refusal;
    try {
        refusal = ValidateStockMove(kind, header, rows);
    } catch (const QSqlError& error) {
        ShowWriteError(error.GetText());
        return;
    }
    if (ShowRefusal(refusal))
        return;
    date = header.date;
    status = header.status;
    EndDialog(IDOK);
}

void MyIntrariGeneraleDialogEdit::Print()
{
    if (!CommitCellEdit())
        return;
    micro::utils::FormatTimeText(datePicker.GetUnixTime(), printDate, L"%d-%m-%y");
    PrintStockMove(*this);
}

bool PrintStockMove(MyIntrariGeneraleDialogEdit& editor)
{
    StockMovePrintout doc;
    doc.kind = editor.kind;
    doc.number = editor.number;
    doc.date = editor.printDate;
    doc.company = editor.company;
    typedef MyIntrariGeneraleDialogEdit E;
    const int printed[6] = {E::ColNr, E::ColName, E::ColUnit, E::ColQuantity, E::ColPrice, E::ColFT};
    for (int row = 0; row < editor.rowCount; ++row) {
        std::array<QString, 6> cells;
        for (int i = 0; i < 6; ++i)
            cells[i] = editor.itemList.GetItemText(row, printed[i]);
        doc.rows.push_back(cells);
    }
    return PrintStockMoveDocument(editor.GetHandle(), editor.printPages, doc);
}
