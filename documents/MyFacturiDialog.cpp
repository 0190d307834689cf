#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/qapp/QApplication.h"
#include "masterdata/ComboAutoComplete.h"
#include "resources/resource.h"
#include <uxtheme.h>
#include <cstring>
#include <initializer_list>

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::utils::QString;
using namespace facturi_editor;

bool MyFacturiDialog::comboSelectionGuard = false;

namespace {

struct RuntimeButton {
    const wchar_t* text;
    int id;
    int x, y, cx, cy;
    int icon;
    int iconSize;
};

const RuntimeButton kRuntimeButtons[] = {
    {L"  Online", IDC_FE_ONLINE, 200, 20, 105, 22, IDI_FE_ONLINE, 20},
    {L"  Tiparire", IDC_FE_PRINT, 330, 560, 120, 42, IDI_FE_PRINT, 30},
    {L"  Chitanta", IDC_FE_RECEIPT, 460, 560, 120, 42, IDI_FE_RECEIPT, 30},
    {L"  Salvare", IDC_FE_SAVE, 590, 560, 120, 42, IDI_FE_SAVE, 30},
};

struct ListColumn {
    const wchar_t* title;
    int width;
    int format;
};

const ListColumn kColumns[] = {
    {L"NR", 30, LVCFMT_CENTER},          {L"ID", 30, LVCFMT_LEFT},
    {L"Denumire", 260, LVCFMT_LEFT},     {L"Pret Unitar", 80, LVCFMT_CENTER},
    {L"Cantitate", 65, LVCFMT_CENTER},   {L"UM", 60, LVCFMT_CENTER},
    {L"Moneda", 70, LVCFMT_CENTER},      {L"Valoare FT", 90, LVCFMT_CENTER},
    {L"Valoare TVA", 90, LVCFMT_CENTER}, {L"Valoare TTI", 90, LVCFMT_CENTER},
    {L"Cota TVA", 70, LVCFMT_CENTER},
};

const wchar_t kCompanyTip[] = L"Introduceti datele societatii dumneavoastra. Dupa prima salvare sau printare a "
                              L"documentului, acesta va fi salvat in baza de date !";

HWND ComboEdit(HWND combo)
{
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    return edit ? edit : combo;
}

long long MaxId(const wchar_t* table)
{
    return GetRepository().ExecScalar(QString::Formatted(L"Select MAX(id) from %s", table).c_str());
}

} // namespace

MyFacturiDialog::MyFacturiDialog(HWND parent) : QDialog(IDD_FACTURI_EDITOR, parent)
{
    factorTVAInitial = GetCompanyVatSetting(2);
    AskBeforeDiscarding();
}

MyFacturiDialog::~MyFacturiDialog()
{
    for (HICON& icon : icons) {
        if (icon)
            DestroyIcon(icon);
        icon = nullptr;
    }
}

QString MyFacturiDialog::FormatNumberText(unsigned long long number)
{
    QString digits = QString::Formatted(L"%d", static_cast<int>(number));
    QString text = L"-";
    for (int i = digits.GetLength(); i < 7; ++i)
        text += L"0";
    text += digits;
    text.Insert(text.GetLength() > 8 ? text.GetLength() : 8, L"-");
    return text;
}

void MyFacturiDialog::AddControlToolTip(HWND control, const wchar_t* text)
{
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tip)
        return;
    SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = control;
    info.lpszText = const_cast<wchar_t*>(text);
    GetClientRect(control, &info.rect);
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void MyFacturiDialog::CreateRuntimeButtons()
{
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    int index = 0;
    for (const RuntimeButton& b : kRuntimeButtons) {
        HWND button = CreateWindowExW(0, L"Button", b.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.x,
                                      b.y, b.cx, b.cy, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)),
                                      GetModuleHandleW(nullptr), nullptr);
        if (!button)
            continue;
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        icons[index] = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(b.icon), IMAGE_ICON,
                                                     b.iconSize, b.iconSize, 0));
        if (icons[index])
            ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icons[index]));
        ++index;
    }
}

void MyFacturiDialog::InsertListColumns()
{
    int i = 0;
    for (const ListColumn& c : kColumns)
        listaArticole.InsertColumn(i++, c.title, c.width, c.format);
}

bool MyFacturiDialog::OnInitDialog()
{
    // A guard left set by the previous editor's save would swallow this
    // editor's first choice of a partner or product.
    comboSelectionGuard = false;
    if (HWND main = micro::qapp::GetMainWindow())
        SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    AddControlToolTip(GetItem(IDC_FE_NUMBER), L"Click pentru a schimba numerele documentelor !");
    AddControlToolTip(GetItem(IDC_FE_CLIENT_CIF),
                      L"Introduceti CIF-ul clientului, pentru cautare automata in baza noastra de date, introduceti "
                      L"CIF-ul fara RO, si apasati butonul \"CAUTARE ONLINE\" !");
    AddControlToolTip(ComboEdit(GetItem(IDC_FE_CLIENT_NAME)),
                      L"Introduceti denumirea clientului, dupa prima salvare sau printare a documentului, acesta va "
                      L"fi salvat in baza de date !");
    for (int idc : {IDC_FE_COMPANY_CIF, IDC_FE_COMPANY_NAME, IDC_FE_COMPANY_NRREG, IDC_FE_COMPANY_ADDRESS,
                    IDC_FE_COMPANY_PHONE, IDC_FE_COMPANY_CITY, IDC_FE_COMPANY_BANK})
        AddControlToolTip(GetItem(idc), kCompanyTip);
    AddControlToolTip(ComboEdit(GetItem(IDC_FE_PRODUCT)),
                      L"Introduceti denumirea produsului sau a serviciului. Dupa adaugarea in lista acesta va fi "
                      L"adaugat in baza de date !");

    factorTVASocietate = GetCompanyVatSetting(2);

    SubclassComboAutoComplete(GetItem(IDC_FE_CLIENT_NAME));
    SubclassComboAutoComplete(GetItem(IDC_FE_PRODUCT));
    AutocompleteProduct(L"");
    AutocompleteClient(L"");

    CreateRuntimeButtons();
    CreateActionsButton();
    for (int picker : {IDC_FE_ISSUE_DATE, IDC_FE_DUE_DATE})
        micro::gui::QDateTimeSelector(GetItem(picker)).SetDayMonthYearFormat();

    listaArticole.Attach(m_hwnd, IDC_FE_LINES);
    listaArticole.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    // The line buttons lie over the list: they are above it, and the list
    // does not paint over them.
    SetWindowLongPtrW(listaArticole, GWL_STYLE, GetWindowLongPtrW(listaArticole, GWL_STYLE) | WS_CLIPSIBLINGS);
    for (int button : {IDC_FE_MODIFY_LINE, IDC_FE_DELETE_LINE})
        SetWindowPos(GetItem(button), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowTheme(listaArticole, L"explorer", nullptr);
    InsertListColumns();

    RecognizeReturnInvoice();
    LoadDocumentLines();

    QString name, identityCard, personalCode;
    if (GetUserIdentity(name, identityCard, personalCode)) {
        SetItemText(IDC_FE_USER_NAME, name);
        SetItemText(IDC_FE_USER_ID, identityCard);
        SetItemText(IDC_FE_USER_CNP, personalCode);
    }

    if (id == 0) {
        ReserveNewDocument();
    } else {
        idRezervat = id;
        ReadStoredHeader();
        if (documentNou) {
            IssueLinesAtShownVat();
            TakeNewNumber();
            id = idRezervat;
            status = 0;
        }
    }
    ShowNumberAndSeries();

    if (delegat == 0 && client != 0)
        delegat = static_cast<unsigned long long>(GetClientIntField(client, 7));
    FillPartnerFields();
    FillCompany();
    ApplyDocumentType();
    CenterWindow();
    QDialog::OnInitDialog();
    incarcat = true;
    // A goods-received note starts at the supplier's invoice number.
    return !(tip == DocumentGoodsReceived && status == 0);
}

void MyFacturiDialog::ShowLookupError(const QSqlError& e)
{
    if (!incarcat)
        throw e;
    MessageBox(e.GetText(), L"Message", MB_OK);
}

// Number and reserved id of a new document; the series for invoices.
void MyFacturiDialog::TakeNewNumber()
{
    const wchar_t* table = DocumentHeaderTable(tip);
    idRezervat = static_cast<unsigned long long>(MaxId(table)) + 1;
    switch (tip) {
    case DocumentInvoice:
        numar = GetInvoiceConfigValue(8) + 1;
        GetDocumentSeries(serie, 1);
        break;
    case DocumentProforma: numar = GetInvoiceConfigValue(11) + 1; break;
    case DocumentDeliveryNote: numar = idRezervat; break;
    case DocumentGoodsReceived: numar = GetInvoiceConfigValue(9) + 1; break;
    default: numar = GetInvoiceConfigValue(8) + 1; break;
    }
}

void MyFacturiDialog::ReserveNewDocument()
{
    TakeNewNumber();
    status = 0;
}

void MyFacturiDialog::ReadStoredHeader()
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id     ,  status       ,  numar        ,  client       ,  dataCreare   ,  dataScadenta ,  "
                  L"agent\t\t  ,  delegat\t  ,  valoareFT\t  ,  valoareTVA   ,  valoareTTI   ,  sold         ,  serie "
                  L"         from '%s' where id = %llu",
                  DocumentHeaderTable(tip), id)
            .c_str());
    if (q.Eof())
        return;
    status = q.GetIdField(1);
    numar = q.GetIdField(2);
    client = q.GetIdField(3);
    dataCreare = q.GetIdField(4);
    dataScadenta = q.GetIdField(5);
    agent = q.GetIdField(6);
    delegat = q.GetIdField(7);
    valoareFT = StoredSign() * q.GetFloatField(8, 0.0);
    valoareTVA = StoredSign() * q.GetFloatField(9, 0.0);
    valoareTTI = StoredSign() * q.GetFloatField(10, 0.0);
    sold = q.GetFloatField(11, 0.0);
    serie = q.GetStringField(12);
    // Only rounding apart (a ban a line at most): the issued figures stand.
    totaluriEmise = DocumentTotals(valoareFT, valoareTVA, valoareTTI);
    totaluriRanduriIncarcate = RowSums();
    pastreazaTotaluriEmise = totaluriEmise.Distance(totaluriRanduriIncarcate) <= nrLinii;
}

void MyFacturiDialog::ShowNumberAndSeries()
{
    SetItemText(IDC_FE_NUMBER, FormatNumberText(numar));
    SetItemText(IDC_FE_SERIES, serie);
}

// The company group and the VAT list.
void MyFacturiDialog::FillCompany()
{
    micro::gui::QCombo vat(GetItem(IDC_FE_VAT));
    vat.ResetContent();
    for (int code = 0; code < 4; ++code)
        vat.AddString(VatLabel(code));
    cotaTVASocietate = -1;
    QsqlQuery q = GetRepository().ExecQuery(
        L"Select   Denumire ,cui,nrreg,Adresa,Oras,Telefon,Banca,Cont,tvaincasare,cotaTVA from Societate");
    if (!q.Eof()) {
        static const int controls[] = {IDC_FE_COMPANY_NAME, IDC_FE_COMPANY_CIF,  IDC_FE_COMPANY_NRREG,
                                       IDC_FE_COMPANY_ADDRESS, IDC_FE_COMPANY_CITY, IDC_FE_COMPANY_PHONE,
                                       IDC_FE_COMPANY_BANK, IDC_FE_COMPANY_IBAN};
        for (int i = 0; i < 8; ++i)
            SetItemText(controls[i], q.GetStringField(i));
        RememberShown(controls, 8);
        tvaIncasareAfisat = q.GetIntField(8) == 1 ? 1 : 0;
        if (tvaIncasareAfisat)
            CheckDlgButton(m_hwnd, IDC_FE_VAT_ON_RECEIPT, BST_CHECKED);
        long long code = q.GetIntField(9);
        cotaTVASocietate = (code >= 0 && code <= 3) ? static_cast<int>(code) : -1;
    }
    vat.SetCurSel(cotaTVASocietate < 0 ? 0 : cotaTVASocietate);
}

void MyFacturiDialog::RecognizeReturnInvoice()
{
    if (id == 0 || tip != DocumentInvoice)
        return;
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select status, valoareTTI from Facturi where id = %llu", id).c_str());
    // A reversing invoice and a reversed return invoice (status 4) stay invoices.
    if (!q.Eof() && q.GetIntField(0) != StatusReversed && q.GetFloatField(1, 0.0) < 0.0)
        tip = DocumentReturnInvoice;
}

void MyFacturiDialog::LoadDocumentLines()
{
    QsqlQuery q = GetRepository().ExecQuery(
        SqlFormat(L"select id     ,  produsID     ,  cantitate    ,  valoareFT    ,  IDFactura    ,  coalesce(TVA, -1) "
                  L"from '%s' where IDFactura = %llu",
                  DocumentLineTable(tip), id)
            .c_str());
    // The rows go in as one batch: no repaint and no move of the row buttons
    // per row, one of each at the end.
    listaArticole.SendMessage(WM_SETREDRAW, FALSE);
    butoaneAmanate = true;
    for (; !q.Eof(); q.NextRow()) {
        ++nrLiniiIncarcate;
        unsigned long long product = q.GetIdField(1);
        double quantity = StoredSign() * q.GetFloatField(2, 0.0);
        double price = q.GetFloatField(3, 0.0);
        long long keptVat = q.GetIntField(5);
        int row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%lu", static_cast<unsigned long>(nrLinii + 1)));
        listaArticole.SetItemText(row, ColId, QString::Formatted(L"%llu", product));
        listaArticole.SetItemText(row, ColUnitPrice, Amount(price));
        SetRowPrice(row, price);
        SetRowQuantity(row, quantity);
        QString name;
        GetProductTextField(name, product, 1);
        if (product == 0) {
            areDiscount = true;
            double headerNet = GetRepository()
                                   .ExecQuery(SqlFormat(L"select valoareFT from '%s' where id = %llu",
                                                        DocumentHeaderTable(tip), id)
                                                  .c_str())
                                   .GetFloatField(0, 0.0);
            // The percentage the amounts were made with, as the printed record reads it.
            procentDiscount = PercentText(DiscountLinePercent(quantity, price, StoredSign() * headerNet));
            name += L" " + procentDiscount + L"%";
        }
        listaArticole.SetItemText(row, ColName, name);
        listaArticole.SetItemText(row, ColQuantity, QuantityText(quantity));
        QString unit;
        GetProductTextField(unit, product, 6);
        listaArticole.SetItemText(row, ColUnit, unit);
        listaArticole.SetItemText(row, ColCurrency, GetCurrencyName(GetProductIntField(product, 1)));
        double net = quantity * price;
        // The line's own code: what it was issued with, whatever the catalogue says now.
        long long code = keptVat >= 0 ? keptVat : GetProductIntField(product, 3);
        SetRowVat(row, static_cast<int>(code), keptVat >= 0);
        if (nrLiniiIncarcate == 1)
            primaCotaTVA = static_cast<int>(code);
        else if (code != primaCotaTVA)
            coteTVADiferite = true;
        textCotaTVA = VatLabel(code);
        SetRowAmounts(row, LineAtRate(net, code));
        listaArticole.SetItemText(row, ColVatText, textCotaTVA);
        ++nrLinii;
    }
    RepriceLoadedDiscount();
    butoaneAmanate = false;
    if (nrLinii > 0)
        PlaceLineButtons(nrLinii - 1);
    listaArticole.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(listaArticole, nullptr, TRUE);
    SumRows();
}

// The discount row's VAT follows the lines it discounts, as when it was
// applied, not product 0's own VAT code; so do its VAT text and the flag of
// mixed rates it would otherwise raise.
void MyFacturiDialog::RepriceLoadedDiscount()
{
    int discountRow = -1;
    double net = 0.0, vat = 0.0;
    QString rate;
    int rates = 0;
    for (int row = 0; row < nrLinii; ++row) {
        if (listaArticole.GetItemText(row, ColId) == L"0") {
            discountRow = row;
            continue;
        }
        net += ItemNumber(row, ColNet);
        vat += ItemNumber(row, ColVat);
        QString text = listaArticole.GetItemText(row, ColVatText);
        if (rates == 0 || !(text == rate))
            ++rates;
        rate = text;
    }
    if (discountRow < 0)
        return;
    // A reversing invoice's discount row adds back what the original took off.
    double d = -RowQuantity(discountRow) * RowPrice(discountRow);
    int first = discountRow == 0 ? 1 : 0;
    if (rates == 1) {
        listaArticole.SetItemText(discountRow, ColVatText, rate);
        textCotaTVA = rate;
        if (RowStoredVat(discountRow) < 0)
            SetRowVat(discountRow, RowVatCode(first), false);
        SetRowAmounts(discountRow, LineAtRate(-d, RowVatCode(discountRow)));
    } else {
        // Lines of several rates (kept from older files): its VAT in their proportion.
        SetRowAmounts(discountRow, RoundedLine(-d, net != 0.0 ? -d * vat / net : 0.0));
    }
    if (nrLinii > 1) {
        primaCotaTVA = RowVatCode(first);
        coteTVADiferite = rates > 1;
    }
}

void MyFacturiDialog::ApplyDocumentType()
{
    static const wchar_t* const titles[] = {L"Factura  ", L"Factura Proforma ", L"Avize Expeditie ",
                                            L"Nota Intrare Receptie", L"Factura retur"};
    SetWindowTextW(m_hwnd, titles[(tip >= 0 && tip <= 4) ? tip : 0]);
    bool nir = tip == DocumentGoodsReceived;
    bool convertible = tip == DocumentProforma || tip == DocumentDeliveryNote;
    ShowItem(IDC_FE_TO_INVOICE, convertible);
    ShowItem(IDC_FE_VALIDATE, !convertible);
    ShowItem(IDC_FE_SUPPLIER_INVOICE, nir);
    ShowItem(IDC_FE_SERIES, !nir);
    SetItemText(IDC_FE_SERIES_LABEL, nir ? L"Nr.Factura:" : L"Serie:");
    SetItemText(IDC_FE_NUMBER_LABEL, nir ? L"Nr.NIR:" : L"Nr.Document:");
    // On a goods-received note the partner is the one who supplies: the
    // company's own box must not read "Furnizor" there, or the supplier is
    // typed into it and saved over the company's name.
    SetItemText(IDC_FE_PARTNER_GROUP, nir ? L"Furnizor" : L"Client");
    SetItemText(IDC_FE_COMPANY_GROUP, nir ? L"Unitatea" : L"Furnizor");
    if (nir && status == 0)
        SetFocus(GetItem(IDC_FE_SUPPLIER_INVOICE));
    LockStoredSeries();

    static const int lineCommands[] = {IDC_FE_DELETE_LINE, IDC_FE_PICK_PRODUCT, IDOK, IDC_FE_VALIDATE,
                                       IDC_FE_CANCEL_DOCUMENT, IDC_FE_APPLY_DISCOUNT};
    bool closed = status >= StatusValidated && status <= StatusReversed;
    for (int idc : lineCommands)
        EnableItem(idc, !closed);
    EnableItem(IDC_FE_STORNO, !(status == StatusTemporary || status == StatusCancelled || status == StatusReversed));
}

void MyFacturiDialog::LockStoredSeries()
{
    bool stored = id != 0 && !documentNou;
    ::SendMessageW(GetItem(IDC_FE_SERIES), EM_SETREADONLY, stored ? TRUE : FALSE, 0);
}

bool MyFacturiDialog::UpdateData(bool toControls)
{
    if (toControls) {
        SetItemText(IDC_FE_NUMBER, FormatNumberText(numar));
        ShowTotals();
    }
    return true;
}

void MyFacturiDialog::ShowTotals()
{
    SetItemText(IDC_FE_TOTAL_NET, Amount(valoareFT));
    SetItemText(IDC_FE_TOTAL_VAT, Amount(valoareTVA));
    SetItemText(IDC_FE_TOTAL, Amount(valoareTTI));
}

double MyFacturiDialog::ItemNumber(int row, int column) const
{
    return CellAmount(listaArticole.GetItemText(row, column));
}

QString MyFacturiDialog::ComboEditText(int comboId) const
{
    return GetItemText(comboId);
}

int MyFacturiDialog::SelectedVatCode() const
{
    int index = static_cast<int>(::SendMessageW(GetItem(IDC_FE_VAT), CB_GETCURSEL, 0, 0));
    return index < 0 ? 3 : index;
}

void MyFacturiDialog::SetPicker(int pickerId, unsigned long long seconds)
{
    micro::gui::QDateTimeSelector(GetItem(pickerId)).SetUnixTime(static_cast<long long>(seconds));
}

unsigned long long MyFacturiDialog::GetPicker(int pickerId) const
{
    long long t = micro::gui::QDateTimeSelector(GetItem(pickerId)).GetUnixTime();
    return t > 0 ? static_cast<unsigned long long>(t) : 0;
}

// A row's list data is the index (plus one) of its slot in rowValues, so a
// row keeps its exact price and quantity whatever its cells show.
MyFacturiDialog::RowValues* MyFacturiDialog::RowSlot(int row, bool create)
{
    size_t index = static_cast<size_t>(listaArticole.GetItemData(row));
    if (index == 0 || index > rowValues.size()) {
        if (!create)
            return nullptr;
        rowValues.push_back(RowValues());
        index = rowValues.size();
        listaArticole.SetItemData(row, static_cast<ULONG_PTR>(index));
    }
    return &rowValues[index - 1];
}

const MyFacturiDialog::RowValues* MyFacturiDialog::RowSlot(int row) const
{
    size_t index = static_cast<size_t>(listaArticole.GetItemData(row));
    return (index == 0 || index > rowValues.size()) ? nullptr : &rowValues[index - 1];
}

void MyFacturiDialog::SetRowPrice(int row, double price)
{
    RowValues* slot = RowSlot(row, true);
    slot->price = price;
    slot->hasPrice = true;
}

double MyFacturiDialog::RowPrice(int row) const
{
    const RowValues* slot = RowSlot(row);
    return slot && slot->hasPrice ? slot->price : ItemNumber(row, ColUnitPrice);
}

void MyFacturiDialog::SetRowQuantity(int row, double quantity)
{
    RowValues* slot = RowSlot(row, true);
    slot->quantity = quantity;
    slot->hasQuantity = true;
}

double MyFacturiDialog::RowQuantity(int row) const
{
    const RowValues* slot = RowSlot(row);
    return slot && slot->hasQuantity ? slot->quantity : ItemNumber(row, ColQuantity);
}

void MyFacturiDialog::SetRowVat(int row, int code, bool kept)
{
    RowValues* slot = RowSlot(row, true);
    slot->vatCode = code;
    slot->vatKept = kept;
}

int MyFacturiDialog::RowVatCode(int row) const
{
    const RowValues* slot = RowSlot(row);
    if (slot && slot->vatCode >= 0)
        return slot->vatCode;
    return static_cast<int>(GetProductIntField(_wtoi64(listaArticole.GetItemText(row, ColId)), 3));
}

void MyFacturiDialog::IssueLinesAtShownVat()
{
    for (int row = 0; row < nrLinii; ++row)
        if (RowStoredVat(row) < 0)
            SetRowVat(row, RowVatCode(row), true);
}

long long MyFacturiDialog::RowStoredVat(int row) const
{
    const RowValues* slot = RowSlot(row);
    return slot && slot->vatKept ? slot->vatCode : -1;
}

double MyFacturiDialog::StoredSign() const
{
    return tip == DocumentReturnInvoice ? -1.0 : 1.0;
}
