// Partner and product fill-in of the document editor, and the online look-up.
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "documents/MyCompanyLookup.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/gui/QGraphics.h"
#include "resources/resource.h"
#include <utility>

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::qsql::SqlLikeContains;
using micro::utils::QString;
using namespace facturi_editor;

namespace {

// The text of the combo's selected list item; empty without a selection.
void GetControlText(HWND combo, QString& out)
{
    out = L" ";
    int index = static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
    int length = index >= 0 ? static_cast<int>(::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) : 0;
    if (length > 0) {
        QString text;
        ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
        text.ReleaseBuffer();
        out = text;
    } else {
        out.Empty();
    }
}

void RefillCombo(HWND combo, const wchar_t* sql)
{
    for (int i = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0)) - 1; i >= 0; --i)
        ::SendMessageW(combo, CB_DELETESTRING, i, 0);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    for (; !q.Eof(); q.NextRow())
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(q.GetStringField(0).c_str()));
}

// An edit, or a combo box's edit, holds at most its limit; text set from
// outside is cut to it as typing would be.
QString WithinLimit(HWND control, const QString& text)
{
    HWND edit = control;
    COMBOBOXINFO combo = {sizeof(combo)};
    if (GetComboBoxInfo(control, &combo) && combo.hwndItem)
        edit = combo.hwndItem;
    int limit = static_cast<int>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    if (limit <= 0 || text.GetLength() <= limit)
        return text;
    return QString(text.c_str(), limit);
}

} // namespace

void MyFacturiDialog::AutocompleteClient(const wchar_t* filter)
{
    try {
        RefillCombo(GetItem(IDC_FE_CLIENT_NAME),
                    SqlFormat(L"Select Nume from clienti where Nume like '%s' escape '\\'", SqlLikeContains(filter).c_str()));
    } catch (const QSqlError& e) {
        ShowLookupError(e);
    }
}

void MyFacturiDialog::AutocompleteProduct(const wchar_t* filter)
{
    try {
        // Product 0 is the discount row's name, never a product to sell.
        RefillCombo(GetItem(IDC_FE_PRODUCT),
                    SqlFormat(L"Select denumire from produse where id <> 0 and denumire like '%s' escape '\\'",
                              SqlLikeContains(filter).c_str()));
    } catch (const QSqlError& e) {
        ShowLookupError(e);
    }
}

void MyFacturiDialog::OnClientChosen()
{
    QString name;
    GetControlText(GetItem(IDC_FE_CLIENT_NAME), name);
    // A name typed exactly as stored counts as chosen, but only fills the
    // fields still empty: what the user typed beside it stays.
    bool typed = name.IsEmpty();
    if (typed)
        name = ComboEditText(IDC_FE_CLIENT_NAME);
    if (name.IsEmpty())
        return;
    static const int fields[] = {IDC_FE_CLIENT_CIF,  IDC_FE_CLIENT_NRREG, IDC_FE_CLIENT_ADDRESS, IDC_FE_CLIENT_IBAN,
                                 IDC_FE_CLIENT_BANK, IDC_FE_CLIENT_PHONE, IDC_FE_CLIENT_CITY};
    long long term = 0;
    try {
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"Select id,Cod, NrReg, Adresa,Cont,Banca,Telefon,oras,Scadenta from Clienti where Nume = '%s'",
                      name.c_str())
                .c_str());
        if (typed && q.Eof())
            return;
        for (int i = 0; i < 7; ++i) {
            if (!typed || GetItemText(fields[i]).IsEmpty()) {
                SetItemText(fields[i], q.Eof() ? QString() : q.GetStringField(i + 1));
                RememberShown(&fields[i], 1);
            }
        }
        if (!q.Eof())
            term = q.GetIntField(8);
    } catch (const QSqlError& e) {
        ShowLookupError(e);
    }
    if (dataCreare != 0) {
        SetPicker(IDC_FE_ISSUE_DATE, dataCreare);
        if (dataScadenta != 0)
            SetPicker(IDC_FE_DUE_DATE, dataScadenta);
    } else if (term != 0) {
        dataCreare = GetPicker(IDC_FE_ISSUE_DATE);
        dataScadenta = dataCreare + static_cast<unsigned long long>(term) * 86400ULL;
        SetPicker(IDC_FE_DUE_DATE, dataScadenta);
    }
}

// The partner's payment term in days: the stored partner's, else that of the
// partner named in the field (a new document finds its partner by name).
long long MyFacturiDialog::PartnerTerm()
{
    if (client != 0)
        return GetClientIntField(client, 8);
    QString name = ComboEditText(IDC_FE_CLIENT_NAME);
    if (name.IsEmpty())
        return 0;
    try {
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"Select Scadenta from Clienti where Nume = '%s' order by id limit 1", name.c_str()).c_str());
        return q.Eof() ? 0 : q.GetIntField(0);
    } catch (const QSqlError& e) {
        ShowLookupError(e);
        return 0;
    }
}

// The due date follows the issue date, the partner's term after it, so it
// never stands before it. On a new document whose dates no partner has set
// yet they stay unset, for the term of the partner chosen later to apply.
void MyFacturiDialog::OnIssueDateChanged()
{
    long long term = PartnerTerm();
    unsigned long long issue = GetPicker(IDC_FE_ISSUE_DATE);
    unsigned long long due = issue + static_cast<unsigned long long>(term > 0 ? term : 0) * 86400ULL;
    SetPicker(IDC_FE_DUE_DATE, due);
    if (client != 0 || dataCreare != 0) {
        dataCreare = issue;
        dataScadenta = due;
    }
}

bool MyFacturiDialog::OnProductChosen(int mode, bool fillFields)
{
    QString name;
    if (mode == 1)
        GetControlText(GetItem(IDC_FE_PRODUCT), name);
    else
        name = ComboEditText(IDC_FE_PRODUCT);
    if (name.IsEmpty())
        return false;
    QString unit;
    double price = 0.0;
    long long vatCode = 0;
    // A line typed since the last save changed the product as the save will;
    // the catalogue is read only for a product no such line names (the
    // editor's own focus moves after each added line land here too).
    if (const PendingProduct* pending = FindPendingProduct(name)) {
        unit = pending->unit;
        price = pending->unitNet;
        vatCode = pending->vatCode;
    } else {
        try {
            const wchar_t* sql = tip == DocumentGoodsReceived
                                     ? L"Select id,UM, pretCumparare, TVA,optiuniTVA from produse where id <> 0 and denumire = '%s'"
                                     : L"Select id,UM, pretVanzare, TVA,optiuniTVA from produse where id <> 0 and denumire = '%s'";
            QsqlQuery q = GetRepository().ExecQuery(SqlFormat(sql, name.c_str()).c_str());
            if (!q.Eof()) {
                unit = q.GetStringField(1);
                price = q.GetFloatField(2, 0.0);
                vatCode = q.GetIntField(3);
            }
        } catch (const QSqlError& e) {
            ShowLookupError(e);
            return false;
        }
    }
    produsAles = true;
    pretProdus = price;
    if (fillFields) {
        // The product's own unit; "Buc" only for a product without one.
        ShowLineFields(Amount(price), unit.Trim().IsEmpty() ? QString(L"Buc") : unit, L"1", FocusTakenByClick());
    }
    ShowLineVat(vatCode);
    return true;
}

void MyFacturiDialog::TakeLineIntoFields(int row)
{
    produsAles = true;
    // The row's price, shown rounded, is taken back at full precision when left as shown.
    pretProdus = RowPrice(row);
    QString unit = listaArticole.GetItemText(row, ColUnit);
    ShowLineFields(Amount(pretProdus), unit.Trim().IsEmpty() ? QString(L"Buc") : unit,
                   listaArticole.GetItemText(row, ColQuantity));
    ShowLineVat(RowVatCode(row));
    linieLuata = {row, GetItemText(IDC_FE_PRODUCT), GetItemText(IDC_FE_UNIT), GetItemText(IDC_FE_QUANTITY),
                  GetItemText(IDC_FE_PRICE), SelectedVatCode()};
}

bool MyFacturiDialog::LineFieldsAsTaken(int row) const
{
    const LineInFields& taken = linieLuata;
    return taken.row == row && GetItemText(IDC_FE_PRODUCT) == taken.name && GetItemText(IDC_FE_UNIT) == taken.unit &&
           GetItemText(IDC_FE_QUANTITY) == taken.quantity && GetItemText(IDC_FE_PRICE) == taken.price &&
           SelectedVatCode() == taken.vatCode && IsDlgButtonChecked(m_hwnd, IDC_FE_INCLUDES_VAT) != BST_CHECKED;
}

// A click elsewhere ends the product choice as the focus leaves the product
// field: the window the click gave the focus to (the editor itself when it
// went outside), else null.
HWND MyFacturiDialog::FocusTakenByClick() const
{
    bool pressed = ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
    HWND combo = GetItem(IDC_FE_PRODUCT);
    HWND focus = ::GetFocus();
    if (!pressed || focus == combo || ::IsChild(combo, focus))
        return nullptr;
    return focus && ::IsChild(m_hwnd, focus) ? focus : m_hwnd;
}

void MyFacturiDialog::ShowLineFields(const QString& price, const QString& unit, const QString& quantity, HWND clicked)
{
    // The field a click went into keeps its text and the caret the click put there.
    const std::pair<int, const QString*> fields[] = {
        {IDC_FE_PRICE, &price}, {IDC_FE_UNIT, &unit}, {IDC_FE_QUANTITY, &quantity}};
    for (const auto& field : fields)
        if (GetItem(field.first) != clicked)
            SetItemText(field.first, *field.second);
    if (clicked)
        return;
    HWND field = GetItem(IDC_FE_QUANTITY);
    ::SendMessageW(field, EM_SETSEL, 0, -1);
    ::SendMessageW(field, EM_SCROLLCARET, 0, 0);
    SetFocus(field);
}

// Prices in the fields are without VAT, as the catalogue keeps them.
void MyFacturiDialog::ShowLineVat(long long vatCode)
{
    ::SendMessageW(GetItem(IDC_FE_VAT), CB_SETCURSEL, (vatCode >= 0 && vatCode <= 3) ? vatCode : 3, 0);
    // Checking an automatic radio button walks its group, which runs on over
    // the editor's controls to the next group (some 8 ms under Wine, after
    // every other line typed): a radio already right is left alone.
    if (IsDlgButtonChecked(m_hwnd, IDC_FE_INCLUDES_VAT) != BST_UNCHECKED)
        CheckDlgButton(m_hwnd, IDC_FE_INCLUDES_VAT, BST_UNCHECKED);
    if (IsDlgButtonChecked(m_hwnd, IDC_FE_EXCLUDES_VAT) != BST_CHECKED)
        CheckDlgButton(m_hwnd, IDC_FE_EXCLUDES_VAT, BST_CHECKED);
    if (modificareLinie)
        SetItemText(IDOK, L"Modifica");
}

void MyFacturiDialog::FillPartnerFields()
{
    if (client != 0) {
        if (!serie.IsEmpty()) {
            SetItemText(IDC_FE_SERIES, serie);
            if (tip == DocumentGoodsReceived)
                SetItemText(IDC_FE_SUPPLIER_INVOICE, serie);
        }
        static const int fields[] = {IDC_FE_CLIENT_NAME, IDC_FE_CLIENT_CIF,  IDC_FE_CLIENT_NRREG, IDC_FE_CLIENT_ADDRESS,
                                     IDC_FE_CLIENT_CITY, IDC_FE_CLIENT_IBAN, IDC_FE_CLIENT_BANK,  IDC_FE_CLIENT_PHONE};
        QsqlQuery q = GetRepository().ExecQuery(
            SqlFormat(L"Select Nume , Cod , NrReg ,Adresa,Oras,Cont,Banca,Telefon  from '%s' where id = %llu",
                      L"Clienti", client)
                .c_str());
        if (!q.Eof()) {
            for (int i = 0; i < 8; ++i)
                SetItemText(fields[i], q.GetStringField(i));
            RememberShown(fields, 8);
        }
        SetPicker(IDC_FE_ISSUE_DATE, dataCreare);
        SetPicker(IDC_FE_DUE_DATE, dataScadenta);
        FillDelegateFields();
        ShowTotals();
    }
    SetItemText(IDC_FE_WAREHOUSE, L"MAGAZIE CENTRALA");
}

void MyFacturiDialog::FillDelegateFields()
{
    if (delegat == 0)
        return;
    static const int fields[] = {IDC_FE_DELEGATE_NAME, IDC_FE_DELEGATE_ID, IDC_FE_DELEGATE_ISSUED, IDC_FE_DELEGATE_CAR};
    static const int keys[] = {1, 3, 4, 10};
    for (int i = 0; i < 4; ++i) {
        QString text;
        GetAgentField(delegat, keys[i], text);
        SetItemText(fields[i], text);
    }
    RememberShown(fields, 4);
}

void MyFacturiDialog::LookupCompanyOnline(QString fiscalCode)
{
    CompanyLookupAnswer answer;
    CompanyLookupOutcome outcome;
    {
        micro::gui::QWaitCursor wait;
        outcome = LookupCompany(fiscalCode, answer);
    }
    switch (outcome) {
    case CompanyLookupNoInternet:
        micro::qdialog::ShowMessageBox(m_hwnd, L"Nu exista conexiune la internet !", L"ERROR", MB_ICONERROR);
        return;
    case CompanyLookupNoServer:
        micro::qdialog::ShowMessageBox(m_hwnd, L"Serverul nu raspunde !", L"ERROR", MB_ICONERROR);
        return;
    case CompanyLookupNotFound:
        MessageBox(L"Acest C.I.F. nu a fost gasit in baza de date ! \n NU introduceti \"RO\" inaintea C.I.F-ului "
                   L"pentru cautare ON LINE , se va adauga automat daca clientul este platitor T.V.A. ",
                   L"Message", MB_OK);
        return;
    case CompanyLookupFound:
        break;
    }
    static const struct {
        const wchar_t* key;
        int control;
    } targets[] = {{L"cif", IDC_FE_CLIENT_CIF},         {L"adresa", IDC_FE_CLIENT_ADDRESS},
                   {L"oras", IDC_FE_CLIENT_CITY},        {L"denumire", IDC_FE_CLIENT_NAME},
                   {L"telefon", IDC_FE_CLIENT_PHONE},    {L"nrreg", IDC_FE_CLIENT_NRREG}};
    for (const auto& t : targets) {
        if (answer.HasText(t.key))
            SetItemText(t.control, WithinLimit(GetItem(t.control), answer.Text(t.key)));
    }
    if (answer.Text(L"tva") == L"1")
        SetItemText(IDC_FE_CLIENT_CIF, WithinLimit(GetItem(IDC_FE_CLIENT_CIF), L"RO" + GetItemText(IDC_FE_CLIENT_CIF)));
    UpdateData(true);
}
