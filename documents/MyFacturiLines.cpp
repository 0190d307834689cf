// The document editor's lines: entry, arithmetic, the discount row and totals.
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "framework/gui/QListRowWrite.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <cmath>
#include <vector>

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::utils::QString;
using namespace facturi_editor;

namespace {

struct LineValues {
    double unitNet;
    double net;
    double vat;
    double gross;
};

// Price p with or without VAT, quantity q, multiplier m; VAT is the
// difference of the unrounded values.
LineValues ComputeLine(double p, double q, double m, bool includesVat)
{
    LineValues v;
    if (includesVat) {
        double unitVat = p - p / m;
        v.unitNet = p - unitVat;
        v.net = v.unitNet * q;
        v.gross = p * q;
    } else {
        v.unitNet = p;
        v.net = p * q;
        v.gross = m * (p * q);
    }
    v.vat = v.gross - v.net;
    return v;
}

const wchar_t kMixedVat[] =
    L"Acest document contine produse ce au cote diferite de TVA, nu se poate aplica Discount !";

const wchar_t kReturnQuantityRefused[] =
    L"Pe factura retur cantitatea este marfa primita inapoi: introduceti o cantitate mai mare decat 0 !";

} // namespace

// Finds the product by its exact name (catalogue, then the lines not yet
// saved) and records the line's values for it, to be written with the
// document. Names need not be unique: among namesakes `current` (the product
// of the line being replaced) is the one meant. False when the catalogue
// could not be read (shown why).
bool MyFacturiDialog::StoreLineProduct(const QString& name, const QString& unit, int vatCode, double unitNet,
                                       bool includeVat, unsigned long long& productId, unsigned long long current)
{
    productId = 0;
    PendingProduct product{name, unit, vatCode, unitNet, includeVat, false, 0};
    for (PendingProduct& pending : produseDeSalvat) {
        if (pending.name == name && (current == 0 || pending.id == current)) {
            product.isNew = pending.isNew;
            product.id = pending.id;
            pending = product;
            productId = product.id;
            return true;
        }
    }
    MyRepository& db = GetRepository();
    try {
        QsqlQuery q =
            db.ExecQuery(SqlFormat(L"Select id,denumire from produse where id <> 0 and denumire = '%s' order by id <> %llu, "
                                   L"id limit 1",
                                   name.c_str(), current)
                             .c_str());
        if (!q.Eof() && q.GetStringField(1) == name) {
            product.id = q.GetIdField(0);
        } else {
            q.Finalize();
            // A NULL id is given MAX(id) + 1: the new products, written in
            // this order, get the ids they show.
            unsigned long long next = static_cast<unsigned long long>(db.ExecScalar(L"select max(id) from Produse"));
            for (const PendingProduct& pending : produseDeSalvat)
                if (pending.isNew && pending.id > next)
                    next = pending.id;
            product.isNew = true;
            product.id = next + 1;
        }
    } catch (const QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        return false;
    }
    produseDeSalvat.push_back(product);
    productId = product.id;
    return true;
}

const MyFacturiDialog::PendingProduct* MyFacturiDialog::FindPendingProduct(const QString& name) const
{
    for (const PendingProduct& pending : produseDeSalvat)
        if (pending.name == name)
            return &pending;
    return nullptr;
}

void MyFacturiDialog::WritePendingProducts(std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds)
{
    MyRepository& db = GetRepository();
    bool nir = tip == DocumentGoodsReceived;
    for (const PendingProduct& pending : produseDeSalvat) {
        bool written = false;
        if (pending.isNew) {
            ProductRecord product;
            product.denumire = pending.name;
            product.UM = pending.unit;
            product.TVA = pending.vatCode;
            (nir ? product.pretCumparare : product.pretVanzare) = pending.unitNet;
            product.optiuniTVA = pending.includeVat ? 1 : 0;
            unsigned long long given = 0;
            written = db.InsertProduct(product, &given) && given != 0;
            givenIds.emplace_back(pending.id, given);
        } else {
            written = db.UpdateProductPricing(pending.unit, pending.vatCode,
                                              nir ? MyRepository::PurchasePrice : MyRepository::SalePrice,
                                              pending.unitNet, pending.includeVat ? 1 : 0, pending.id);
        }
        if (!written)
            throw QSqlError(QSqlError::kWrapperError, L"Database write failed");
    }
}

unsigned long long MyFacturiDialog::GivenProductId(
    int row, unsigned long long shown, const std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds) const
{
    const PendingProduct* pending = FindPendingProduct(listaArticole.GetItemText(row, ColName));
    if (!pending || !pending->isNew || pending->id != shown)
        return shown;
    for (const auto& ids : givenIds)
        if (ids.first == shown)
            return ids.second;
    return shown;
}

void MyFacturiDialog::PendingProductsWritten(const std::vector<std::pair<unsigned long long, unsigned long long>>& givenIds)
{
    bool moved = false;
    for (const auto& ids : givenIds)
        moved = moved || ids.first != ids.second;
    for (int row = 0; moved && row < nrLinii; ++row) {
        unsigned long long shown = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(row, ColId)));
        unsigned long long given = GivenProductId(row, shown, givenIds);
        if (given != shown)
            listaArticole.SetItemText(row, ColId, QString::Formatted(L"%d", static_cast<int>(given)));
    }
    produseDeSalvat.clear();
}

void MyFacturiDialog::OuterSaveEnded(bool committed)
{
    if (committed)
        PendingProductsWritten(idsInOuterSave);
    if (committed && tvaIncasareInOuterSave >= 0)
        tvaIncasareAfisat = tvaIncasareInOuterSave;
    idsInOuterSave.clear();
    tvaIncasareInOuterSave = -1;
}

namespace {

// The catalogue's name order (its index on a UTF-16le file): code units
// compared as their little-endian bytes.
int CatalogueOrder(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        unsigned ka = ((*a & 0xFFu) << 8) | ((*a >> 8) & 0xFFu);
        unsigned kb = ((*b & 0xFFu) << 8) | ((*b >> 8) & 0xFFu);
        if (*a == 0 || *b == 0 || ka != kb)
            return *a == 0 ? (*b == 0 ? 0 : -1) : *b == 0 ? 1 : (ka < kb ? -1 : 1);
    }
}

} // namespace

void MyFacturiDialog::AddProductToCombo(const QString& name)
{
    HWND combo = GetItem(IDC_FE_PRODUCT);
    int low = 0, high = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    std::vector<wchar_t> text;
    // The first item after every name that sorts with or before it.
    while (low < high) {
        int middle = (low + high) / 2;
        LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, middle, 0);
        text.assign(length > 0 ? length + 1 : 1, L'\0');
        if (length > 0)
            ::SendMessageW(combo, CB_GETLBTEXT, middle, reinterpret_cast<LPARAM>(text.data()));
        if (CatalogueOrder(text.data(), name.c_str()) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    ::SendMessageW(combo, CB_INSERTSTRING, low, reinterpret_cast<LPARAM>(name.c_str()));
}

bool MyFacturiDialog::AddOrModifyLine()
{
    // Lines of a validated, cancelled or reversed document stay as stored.
    if (status >= StatusValidated && status <= StatusReversed)
        return false;
    struct Check {
        int control;
        const wchar_t* message;
    };
    static const Check checks[] = {{IDC_FE_PRODUCT, L"Nu ati introdus Produsul !"},
                                   {IDC_FE_PRICE, L"Nu ati introdus Pretul !"},
                                   {IDC_FE_QUANTITY, L"Nu ati introdus Cantitatea !"},
                                   {IDC_FE_UNIT, L"Nu ati introdus Unitatea de masura !"}};
    // Each field read once: a read is a message to its control.
    QString typed[4];
    for (int i = 0; i < 4; ++i) {
        typed[i] = GetItemText(checks[i].control);
        if (typed[i].IsEmpty()) {
            MessageBox(checks[i].message, L"Atentie!", MB_ICONEXCLAMATION);
            return false;
        }
    }
    const QString& name = typed[0];
    const QString& priceText = typed[1];
    const QString& quantityText = typed[2];
    const QString& unit = typed[3];
    int vatCode = SelectedVatCode();
    bool includesVat = IsDlgButtonChecked(m_hwnd, IDC_FE_INCLUDES_VAT) == BST_CHECKED;

    double quantity = 0.0, typedPrice = 0.0;
    int replaced = modificareLinie ? listaArticole.GetSelectedItem() : -1;
    // A quantity left as the row showed it when it was taken into the fields
    // is the program's own text ("1.234"), not typed: the row's quantity stands.
    bool quantityAsTaken = replaced >= 0 && replaced < nrLinii && linieLuata.row == replaced &&
                           quantityText == linieLuata.quantity;
    if (quantityAsTaken) {
        quantity = RowQuantity(replaced);
    } else if (!ParseQuantity(quantityText, quantity)) {
        MessageBox(NumberRefusal(NumberField::Quantity, quantityText), L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    if (!ParsePrice(priceText, typedPrice)) {
        MessageBox(NumberRefusal(NumberField::Price, priceText), L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    // A return invoice's line shows what comes back and is stored negated:
    // one of 0 or below would store goods going out.
    if (tip == DocumentReturnInvoice && quantity <= 0.0) {
        MessageBox(kReturnQuantityRefused, L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    if (quantity == 0.0) {
        MessageBox(L"Cantitatea nu poate fi 0 !", L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    // A row taken into the fields and put back as it was keeps its exact figures.
    bool asTaken = replaced >= 0 && replaced < nrLinii && LineFieldsAsTaken(replaced);
    if (asTaken)
        quantity = RowQuantity(replaced);
    // A catalogue price left as shown keeps its full precision.
    double p = priceText == Amount(pretProdus) ? pretProdus : typedPrice;
    LineValues v = ComputeLine(p, quantity, VatMultiplier(vatCode), includesVat);
    // Neither the line nor the document may pass the largest amount its words can say.
    double others = valoareTTI - (replaced >= 0 && replaced < nrLinii ? ItemNumber(replaced, ColGross) : 0.0);
    if (std::fabs(v.gross) > kLargestAmount || std::fabs(others + v.gross) > kLargestAmount) {
        MessageBox(kValueTooLarge, L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }

    unsigned long long productId = 0;
    bool newToCatalogue = false;
    bool keptVat = !asTaken || RowStoredVat(replaced) >= 0;
    if (asTaken) {
        productId = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(replaced, ColId)));
    } else {
        bool known = FindPendingProduct(name) != nullptr;
        // A replaced line still naming its product keeps that product, not a namesake.
        unsigned long long current = 0;
        if (replaced >= 0 && replaced < nrLinii && listaArticole.GetItemText(replaced, ColName) == name)
            current = static_cast<unsigned long long>(_wtoi64(listaArticole.GetItemText(replaced, ColId)));
        if (!StoreLineProduct(name, unit, vatCode, v.unitNet, includesVat, productId, current))
            return false;
        const PendingProduct* stored = FindPendingProduct(name);
        newToCatalogue = !known && stored && stored->isNew;
    }

    // Every change of the row would move the row buttons: they move once,
    // below. The list draws what the line changes once, when it is written:
    // the discount row taken away, the line, the discount row put back.
    butoaneAmanate = true;
    // The first row written: the line changed, else where the discount row stands, else the new last.
    int firstRow = modificareLinie ? listaArticole.GetSelectedItem() : -1;
    if (firstRow < 0 || firstRow >= nrLinii)
        firstRow = areDiscount ? nrLinii - 1 : nrLinii;
    micro::gui::QListRowWrite write(listaArticole, firstRow);
    // The discount row stays last: it is taken away and applied again below.
    QString discount = areDiscount ? procentDiscount : QString();
    if (areDiscount)
        RemoveDiscountLine();

    int row = modificareLinie ? listaArticole.GetSelectedItem() : -1;
    modificareLinie = false;
    linieLuata.row = -1;
    // A button repaints at once when its text is set, even to the same text.
    if (!(GetItemText(IDOK) == L"Adauga"))
        SetItemText(IDOK, L"Adauga");
    // The totals so far stay good for a line added after the rows they sum.
    bool appended = false;
    if (row < 0 || row >= nrLinii) {
        row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%d", nrLinii + 1));
        appended = randuriInTotal == nrLinii && !editareInLinie;
        ++nrLinii;
    }
    textCotaTVA = VatLabel(vatCode);
    LineAmounts amounts = LineAtRate(v.net, vatCode);
    listaArticole.SetItemText(row, ColId, QString::Formatted(L"%d", static_cast<int>(productId)));
    listaArticole.SetItemText(row, ColName, name);
    listaArticole.SetItemText(row, ColUnitPrice, Amount(v.unitNet));
    SetRowPrice(row, v.unitNet);
    listaArticole.SetItemText(row, ColQuantity, quantityText);
    SetRowQuantity(row, quantity);
    SetRowVat(row, vatCode, keptVat);
    listaArticole.SetItemText(row, ColUnit, unit);
    listaArticole.SetItemText(row, ColCurrency, L"RON");
    SetRowAmounts(row, amounts);
    listaArticole.SetItemText(row, ColVatText, textCotaTVA);
    if (appended) {
        DocumentTotals totals(valoareFT, valoareTVA, valoareTTI);
        totals.Add(amounts);
        valoareFT = totals.Net();
        valoareTVA = totals.Vat();
        valoareTTI = totals.Gross();
        randuriInTotal = nrLinii;
        ShowTotals();
    } else {
        RecomputeTotals();
    }
    // The refusal of a discount over several rates is said once the line shows.
    bool mixedRates = !discount.IsEmpty() && VatRatesDiffer(false);
    if (mixedRates)
        procentDiscount.Empty();
    else if (!discount.IsEmpty())
        AppendDiscountRow(discount);
    write.SelectAndShow(row);
    butoaneAmanate = false;
    PlaceLineButtons(row);
    if (mixedRates)
        MessageBox(kMixedVat, L"Atentie", MB_ICONEXCLAMATION);
    if (!discount.IsEmpty())
        ShowTotals();
    FocusProductField();
    comboSelectionGuard = true;
    // The combo lists the whole catalogue: only a new name is missing from it.
    if (newToCatalogue)
        AddProductToCombo(name);
    return true;
}

// The product field given the focus after a line. The combo answers a
// SetFocus while its edit has the focus with an end-of-selection notice, a
// focus loss and a focus gain, each a round trip to the server under Wine,
// and the notice chooses the product typed again (moving the focus to the
// quantity). Where the focus already stands there, only what those notices
// would change is changed: the guard taken, or the product's figures applied
// (its fields are cleared by the caller right after).
void MyFacturiDialog::FocusProductField()
{
    HWND combo = GetItem(IDC_FE_PRODUCT);
    HWND focus = ::GetFocus();
    bool inside = (focus == combo || ::IsChild(combo, focus)) && !::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0);
    bool left = focusLeftProduct;
    focusLeftProduct = false;
    if (!inside)
        SetFocus(combo);
    else if (left)
        return; // coming back from the quantity field: a focus gain only
    else if (comboSelectionGuard)
        comboSelectionGuard = false;
    else
        focusLeftProduct = OnProductChosen(2, false);
}

bool MyFacturiDialog::BeginModifyLine()
{
    int row = listaArticole.GetSelectedItem();
    if (row < 0)
        return true;
    QString name = listaArticole.GetItemText(row, ColName);
    if (listaArticole.GetItemText(row, ColId) == L"0")
        return true; // the discount row is not edited as a product
    if (areDiscount)
        RemoveDiscountLine();
    listaArticole.SelectItem(row);
    // Leaving the product field chooses the product typed there and fills the
    // catalogue's figures: it is left before the line's own are shown.
    SetFocus(GetItem(IDC_FE_QUANTITY));
    SetItemText(IDC_FE_PRODUCT, name);
    modificareLinie = true;
    TakeLineIntoFields(row);
    return true;
}

void MyFacturiDialog::RemoveDiscountLine()
{
    for (int row = nrLinii - 1; row >= 0; --row) {
        if (listaArticole.GetItemText(row, ColId) == L"0") {
            listaArticole.DeleteItem(row);
            --nrLinii;
            break;
        }
    }
    areDiscount = false;
    procentDiscount.Empty();
    RenumberRows();
    RecomputeTotals();
}

void MyFacturiDialog::RecomputeTotals()
{
    SumRows();
    ShowTotals();
}

void MyFacturiDialog::SumRows()
{
    DocumentTotals totals = RowTotals();
    valoareFT = totals.Net();
    valoareTVA = totals.Vat();
    valoareTTI = totals.Gross();
    randuriInTotal = nrLinii;
}

DocumentTotals MyFacturiDialog::RowSums() const
{
    DocumentTotals totals;
    for (int row = 0; row < nrLinii; ++row)
        totals.Add({ItemNumber(row, ColNet), ItemNumber(row, ColVat), ItemNumber(row, ColGross)});
    return totals;
}

// Until its rows change, a stored document's totals are what it was issued
// with: a re-save writes what was stored, and a paid invoice of an earlier
// version is not refused for falling a ban below what it collected.
DocumentTotals MyFacturiDialog::RowTotals() const
{
    DocumentTotals totals = RowSums();
    return pastreazaTotaluriEmise && totals == totaluriRanduriIncarcate ? totaluriEmise : totals;
}

void MyFacturiDialog::SetRowAmounts(int row, const LineAmounts& amounts)
{
    listaArticole.SetItemText(row, ColNet, Amount(amounts.net));
    listaArticole.SetItemText(row, ColVat, Amount(amounts.vat));
    listaArticole.SetItemText(row, ColGross, Amount(amounts.gross));
}

void MyFacturiDialog::RenumberRows()
{
    for (int row = 0; row < nrLinii; ++row)
        listaArticole.SetItemText(row, ColNr, QString::Formatted(L"%d", row + 1));
}

namespace {

// Once the list scrolls, each new last row stands where the one before stood:
// a button already there is not moved again (a move is a round trip to the
// server and a repaint of both places under Wine). They were raised above the
// list when the editor opened.
void MoveLineButton(HWND dialog, HWND button, int x, int y)
{
    RECT at = {};
    GetWindowRect(button, &at);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&at), 2);
    if (at.left != x || at.top != y)
        SetWindowPos(button, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

void MyFacturiDialog::PlaceLineButtons(int row)
{
    RECT r = {};
    r.left = LVIR_BOUNDS;
    if (!listaArticole.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)))
        return;
    int d = static_cast<int>(GetDialogBaseUnits() / 9118);
    MoveLineButton(m_hwnd, GetItem(IDC_FE_MODIFY_LINE), r.left + 210, r.bottom + 180 + d);
    MoveLineButton(m_hwnd, GetItem(IDC_FE_DELETE_LINE), r.left + 285, r.bottom + 180 + d);
}

// One refusal box however many rows differ from the first row's VAT text.
bool MyFacturiDialog::VatRatesDiffer(bool report)
{
    QString first = listaArticole.GetItemText(0, ColVatText);
    bool differ = false;
    for (int row = 0; row < nrLinii && !differ; ++row) {
        QString text = listaArticole.GetItemText(row, ColVatText);
        differ = !text.IsEmpty() && !first.IsEmpty() && !(text == first);
    }
    if (differ && report)
        MessageBox(kMixedVat, L"Atentie", MB_ICONEXCLAMATION);
    return differ;
}

bool MyFacturiDialog::AppendDiscountRow(const QString& percentText)
{
    double pct = 0.0;
    if (percentText.IsEmpty() || !ParsePercent(percentText, pct))
        return false;
    // Its price keeps the full precision the percentage is read back from;
    // its amounts are rounded as every line's, at the rate of the lines it
    // discounts (one rate: see VatRatesDiffer).
    double d = pct * valoareFT / 100.0;
    QString percent = PercentText(pct);
    QString name;
    GetProductTextField(name, 0, 1);
    int row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%lu", static_cast<unsigned long>(nrLinii + 1)));
    listaArticole.SetItemText(row, ColId, L"0");
    listaArticole.SetItemText(row, ColName, name + L" " + percent + L"%");
    listaArticole.SetItemText(row, ColUnitPrice, Amount(d));
    SetRowPrice(row, d);
    listaArticole.SetItemText(row, ColQuantity, L"-1");
    SetRowQuantity(row, -1.0);
    if (row > 0)
        SetRowVat(row, RowVatCode(0), RowStoredVat(0) >= 0);
    listaArticole.SetItemText(row, ColUnit, L"BUC");
    listaArticole.SetItemText(row, ColCurrency, GetCurrencyName(GetProductIntField(0, 1)));
    SetRowAmounts(row, LineAtRate(-d, row > 0 ? RowVatCode(0) : 0));
    listaArticole.SetItemText(row, ColVatText, textCotaTVA);
    areDiscount = true;
    procentDiscount = percent;
    ++nrLinii;
    SumRows();
    return true;
}

void MyFacturiDialog::ApplyDiscount()
{
    if (VatRatesDiffer(true))
        return;
    QString percent = GetItemText(IDC_FE_DISCOUNT);
    double ignored = 0.0;
    if (areDiscount) {
        RemoveDiscountLine();
    } else if (percent.Trim().IsEmpty()) {
        return; // an empty field is no discount
    } else if (!ParsePercent(percent, ignored)) {
        MessageBox(NumberRefusal(NumberField::Percent, percent), L"Atentie", MB_ICONEXCLAMATION);
        return;
    } else {
        AppendDiscountRow(percent);
    }
    UpdateData(true);
}
