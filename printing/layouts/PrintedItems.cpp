#include "printing/layouts/PrintedItems.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "framework/qdialog/QMessageBox.h"
#include "masterdata/NumberText.h"
#include "printing/layouts/PrintedPage.h"

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

// The name column's printed box ends here.
const float kNameRight = 190.0f;

double OwnHeaderNetValue(unsigned long long id, int type)
{
    QString sql = QString::Formatted(L"select valoareFT from %s where id = %llu", DocumentHeaderTable(type), id);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    return q.Eof() ? 0.0 : q.GetFloatField(0, 0.0);
}

// A line is taxed at the code it was issued with; one stored without a code
// at its product's current rate, and such a discount row (product 0) at the
// rate of the lines before it.
PrintedItem MakeItem(unsigned long n, unsigned long long product, double quantity, double price, double netValue,
                     long long keptVat, long long& lineVatCode)
{
    PrintedItem item;
    item.discount = product == 0;
    GetProductTextField(item.texts.denumire, product, 1);
    if (item.discount)
        item.texts.denumire += L" " + PercentText(DiscountLinePercent(quantity, price, netValue)) + L"%";
    GetProductTextField(item.texts.um, product, 6);
    if (keptVat >= 0)
        lineVatCode = keptVat;
    else if (product != 0)
        lineVatCode = GetProductIntField(product, 3);
    long long vatCode = lineVatCode;
    LineAmounts amounts = LineAtRate(quantity * price, vatCode);
    item.texts.nrCrt.Format(L"%lu", n);
    item.texts.cantitate = QuantityText(quantity);
    item.texts.pretUnitar = MoneyText(price);
    item.texts.valoare = MoneyText(amounts.net);
    item.texts.valoareTVA = MoneyText(amounts.vat);
    item.texts.cotaTVA = VatLabel(vatCode);
    return item;
}

} // namespace

std::vector<PrintedItem> ReadPrintedItems(unsigned long long id, int type, NetValueFrom net)
{
    std::vector<PrintedItem> items;
    if (id == 0)
        return items;
    QString sql = micro::qsql::SqlFormat(L"select id     ,  produsID     ,  cantitate    ,  valoareFT    ,  "
                                         L"IDFactura    ,  coalesce(TVA, -1) from '%s' where IDFactura = %llu",
                                         DocumentLineTable(type), id);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    bool netRead = false;
    double netValue = 0.0;
    long long lineVatCode = 0;
    for (unsigned long n = 1; !q.Eof(); ++n, q.NextRow()) {
        unsigned long long product = q.GetIdField(1);
        if (product == 0 && !netRead) {
            netValue = net == NetValueFrom::OwnHeader ? OwnHeaderNetValue(id, type) : GetInvoiceNetValue(id);
            netRead = true;
        }
        items.push_back(MakeItem(n, product, q.GetFloatField(2, 0.0), q.GetFloatField(3, 0.0), netValue,
                                 q.GetIntField(5), lineVatCode));
    }
    return items;
}

int CountFittingItems(const std::vector<PrintedItem>& items, const RowRule& rule)
{
    std::vector<QString> names;
    names.reserve(items.size());
    for (const PrintedItem& item : items)
        names.push_back(item.discount ? QString() : item.texts.denumire);
    return rule.CountFitting(names.data(), static_cast<int>(names.size()));
}

bool ConfirmLeftOutLines(HWND owner, int leftOut)
{
    QString text = QString::Formatted(
        L"%d linii ale documentului nu incap in pagina si nu vor fi tiparite, desi totalurile le cuprind.\n"
        L"Continuati tiparirea ?",
        leftOut);
    return micro::qdialog::ShowMessageBox(owner, text, L"Atentie", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

bool PrepareItemsForPrint(HWND owner, const FacturaDate& doc, int type, NetValueFrom net, const RowRule& rule,
                          std::vector<PrintedItem>& items)
{
    try {
        items = ReadPrintedItems(doc.id, type, net);
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(owner, error.GetText(), L"Message", MB_OK);
        return false;
    }
    int fitting = CountFittingItems(items, rule);
    int leftOut = static_cast<int>(items.size()) - fitting;
    if (leftOut > 0 && !ConfirmLeftOutLines(owner, leftOut))
        return false;
    items.resize(fitting);
    return true;
}

void PrintItems(PrintedPage& page, const FacturaDate& doc, const std::vector<PrintedItem>& items,
                const PrintItemTable& table, const std::vector<int>& offsets)
{
    const PrintGrid& g = page.Grid();
    page.UseFont(table.fontHeight);
    int y = g.Height(table.firstY);
    for (const PrintedItem& item : items) {
        bool twoLines = !item.discount && table.rule.TakesTwo(item.texts.denumire);
        for (int offset : offsets) {
            for (size_t c = 0; c < table.columns.count; ++c) {
                const ItemColumn& column = table.columns.rows[c];
                if (column.printX < 0 || !Shows(column.when, doc))
                    continue;
                const QString& text = ItemText(item.texts, column.field);
                int x = g.Width(column.printX), left = -1, right = -1;
                page.EdgesAtPixels(column.edges, left, right);
                if (column.field != ItemField::Denumire) {
                    page.TextAtPixels(text, x, y + offset, Place::Centre, right, left);
                } else if (item.discount) {
                    page.TextAtPixels(text, x, y + offset, Place::Left, right, left);
                } else {
                    RECT box{x, y + offset, g.Width(kNameRight), y + offset + g.Height(twoLines ? 18.0f : 9.0f)};
                    page.WrapAtPixels(text, box);
                }
            }
        }
        y = static_cast<int>(y + 10 * g.sy);
        if (twoLines)
            y = static_cast<int>(y + 10 * g.sy);
    }
}
