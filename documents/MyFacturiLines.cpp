// The document editor's lines: entry, arithmetic, the discount row and totals.
#include "documents/MyFacturiDialog.h"
#include "documents/MyFacturiInternal.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"

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

} // namespace

// Finds the product by its exact name and updates it, or inserts it. False
// when the product could not be stored (the repository showed why).
bool MyFacturiDialog::StoreLineProduct(const QString& name, const QString& unit, int vatCode, double unitNet,
                                       bool includeVat, unsigned long long& productId)
{
    productId = 0;
    MyRepository& db = GetRepository();
    bool nir = tip == DocumentGoodsReceived;
    try {
        QsqlQuery q =
            db.ExecQuery(SqlFormat(L"Select id,denumire from produse where id <> 0 and denumire = '%s'", name.c_str()).c_str());
        if (!q.Eof() && q.GetStringField(1) == name) {
            productId = q.GetIdField(0);
            return db.UpdateProductPricing(unit, vatCode, nir ? MyRepository::PurchasePrice : MyRepository::SalePrice,
                                           unitNet, includeVat ? 1 : 0, productId);
        }
        q.Finalize();
        ProductRecord product;
        product.denumire = name;
        product.UM = unit;
        product.TVA = vatCode;
        (nir ? product.pretCumparare : product.pretVanzare) = unitNet;
        product.optiuniTVA = includeVat ? 1 : 0;
        return db.InsertProduct(product, &productId) && productId != 0;
    } catch (const QSqlError& e) {
        MessageBox(e.GetText(), L"Message", MB_OK);
        return false;
    }
}

bool MyFacturiDialog::AddOrModifyLine()
{
    struct Check {
        int control;
        const wchar_t* message;
    };
    static const Check checks[] = {{IDC_FE_PRODUCT, L"Nu ati introdus Produsul !"},
                                   {IDC_FE_PRICE, L"Nu ati introdus Pretul !"},
                                   {IDC_FE_QUANTITY, L"Nu ati introdus Cantitatea !"},
                                   {IDC_FE_UNIT, L"Nu ati introdus Unitatea de masura !"}};
    for (const Check& c : checks) {
        if (GetItemText(c.control).IsEmpty()) {
            MessageBox(c.message, L"Atentie!", MB_ICONEXCLAMATION);
            return false;
        }
    }
    QString name = GetItemText(IDC_FE_PRODUCT);
    QString priceText = GetItemText(IDC_FE_PRICE);
    QString quantityText = GetItemText(IDC_FE_QUANTITY);
    QString unit = GetItemText(IDC_FE_UNIT);
    int vatCode = SelectedVatCode();
    bool includesVat = IsDlgButtonChecked(m_hwnd, IDC_FE_INCLUDES_VAT) == BST_CHECKED;

    double quantity = 0.0, typedPrice = 0.0;
    if (!ParseQuantity(quantityText, quantity)) {
        MessageBox(L"Cantitatea introdusa nu este un numar !", L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    if (!ParseQuantity(priceText, typedPrice)) {
        MessageBox(L"Pretul introdus nu este un numar !", L"Atentie", MB_ICONEXCLAMATION);
        return false;
    }
    // A catalogue price left as shown keeps its full precision.
    double p = priceText == Amount(pretProdus) ? pretProdus : typedPrice;
    LineValues v = ComputeLine(p, quantity, VatMultiplier(vatCode), includesVat);

    unsigned long long productId = 0;
    if (!StoreLineProduct(name, unit, vatCode, v.unitNet, includesVat, productId))
        return false;

    // The discount row stays last: it is taken away and applied again below.
    QString discount = areDiscount ? procentDiscount : QString();
    if (areDiscount)
        RemoveDiscountLine();

    int row = modificareLinie ? listaArticole.GetSelectedItem() : -1;
    modificareLinie = false;
    SetItemText(IDOK, L"Adauga");
    if (row < 0 || row >= nrLinii) {
        row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%d", nrLinii + 1));
        ++nrLinii;
    }
    textCotaTVA = VatLabel(vatCode);
    listaArticole.SetItemText(row, ColId, QString::Formatted(L"%d", static_cast<int>(productId)));
    listaArticole.SetItemText(row, ColName, name);
    listaArticole.SetItemText(row, ColUnitPrice, Amount(v.unitNet));
    SetRowPrice(row, v.unitNet);
    listaArticole.SetItemText(row, ColQuantity, quantityText);
    SetRowQuantity(row, quantity);
    listaArticole.SetItemText(row, ColUnit, unit);
    listaArticole.SetItemText(row, ColCurrency, L"RON");
    listaArticole.SetItemText(row, ColNet, Amount(v.net));
    listaArticole.SetItemText(row, ColVat, Amount(v.vat));
    listaArticole.SetItemText(row, ColGross, Amount(v.gross));
    listaArticole.SetItemText(row, ColVatText, textCotaTVA);
    listaArticole.SelectItem(row);
    RecomputeTotals();
    if (!discount.IsEmpty()) {
        if (VatRatesDiffer(true))
            procentDiscount.Empty();
        else
            AppendDiscountRow(discount);
        ShowTotals();
    }
    SetFocus(GetItem(IDC_FE_PRODUCT));
    comboSelectionGuard = true;
    AutocompleteProduct(L"");
    return true;
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
    SetItemText(IDC_FE_PRODUCT, name);
    modificareLinie = true;
    OnProductChosen(0);
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
    valoareFT = valoareTVA = valoareTTI = 0.0;
    for (int row = 0; row < nrLinii; ++row) {
        valoareFT += ItemNumber(row, ColNet);
        valoareTVA += ItemNumber(row, ColVat);
        valoareTTI += ItemNumber(row, ColGross);
    }
    SetItemText(IDC_FE_TOTAL_NET, QString::Formatted(L"%0.2f", valoareFT));
    SetItemText(IDC_FE_TOTAL_VAT, QString::Formatted(L"%0.2f", valoareTVA));
    SetItemText(IDC_FE_TOTAL, QString::Formatted(L"%0.2f", valoareTTI));
}

void MyFacturiDialog::RenumberRows()
{
    for (int row = 0; row < nrLinii; ++row)
        listaArticole.SetItemText(row, ColNr, QString::Formatted(L"%d", row + 1));
}

void MyFacturiDialog::PlaceLineButtons(int row)
{
    RECT r = {};
    r.left = LVIR_BOUNDS;
    if (!listaArticole.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r)))
        return;
    int d = static_cast<int>(GetDialogBaseUnits() / 9118);
    UINT flags = SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(GetItem(IDC_FE_MODIFY_LINE), HWND_TOP, r.left + 210, r.bottom + 180 + d, 0, 0, flags);
    SetWindowPos(GetItem(IDC_FE_DELETE_LINE), HWND_TOP, r.left + 285, r.bottom + 180 + d, 0, 0, flags);
}

// One refusal box per row whose VAT text differs from the first row's.
bool MyFacturiDialog::VatRatesDiffer(bool report)
{
    QString first = listaArticole.GetItemText(0, ColVatText);
    bool differ = false;
    for (int row = 0; row < nrLinii; ++row) {
        QString text = listaArticole.GetItemText(row, ColVatText);
        if (!text.IsEmpty() && !first.IsEmpty() && !(text == first)) {
            differ = true;
            if (report)
                MessageBox(kMixedVat, L"Atentie", MB_ICONEXCLAMATION);
        }
    }
    return differ;
}

bool MyFacturiDialog::AppendDiscountRow(const QString& percentText)
{
    if (percentText.IsEmpty())
        return false;
    double pct = 0.0;
    if (!ParseQuantity(percentText, pct))
        return false;
    double d = pct * valoareFT / 100.0, v = pct * valoareTVA / 100.0, t = pct * valoareTTI / 100.0;
    QString name;
    GetProductTextField(name, 0, 1);
    int row = listaArticole.InsertItem(nrLinii, QString::Formatted(L"%lu", static_cast<unsigned long>(nrLinii + 1)));
    listaArticole.SetItemText(row, ColId, L"0");
    listaArticole.SetItemText(row, ColName, name + L" " + percentText + L"%");
    listaArticole.SetItemText(row, ColUnitPrice, Amount(d));
    SetRowPrice(row, d);
    listaArticole.SetItemText(row, ColQuantity, L"-1");
    SetRowQuantity(row, -1.0);
    listaArticole.SetItemText(row, ColUnit, L"BUC");
    listaArticole.SetItemText(row, ColCurrency, GetCurrencyName(GetProductIntField(0, 1)));
    listaArticole.SetItemText(row, ColNet, Amount(-d));
    listaArticole.SetItemText(row, ColVat, Amount(-v));
    listaArticole.SetItemText(row, ColGross, Amount(-t));
    listaArticole.SetItemText(row, ColVatText, textCotaTVA);
    areDiscount = true;
    procentDiscount = percentText;
    ++nrLinii;
    valoareFT -= d;
    valoareTVA -= v;
    valoareTTI -= t;
    return true;
}

void MyFacturiDialog::ApplyDiscount()
{
    if (VatRatesDiffer(true))
        return;
    QString percent = GetItemText(IDC_FE_DISCOUNT);
    double ignored = 0.0;
    if (!areDiscount && !ParseQuantity(percent, ignored)) {
        MessageBox(L"Discountul introdus nu este un numar !", L"Atentie", MB_ICONEXCLAMATION);
        return;
    }
    if (areDiscount)
        RemoveDiscountLine();
    else
        AppendDiscountRow(percent);
    UpdateData(true);
}
