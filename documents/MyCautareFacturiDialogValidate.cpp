#include "documents/MyCautareFacturiDialog.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include <initializer_list>
#include <map>
#include <vector>

using micro::utils::QString;
using micro::qsql::SqlFormat;

namespace {

struct StockLine {
    unsigned long long product;
    float quantity;
};

} // namespace

bool MyCautareFacturiDialog::ValidateDocument()
{
    if (idSelectat == 0) {
        MessageBox(L"Click pe documentul dorit pentru validare", L"Valideaza", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    QString status = listaDocumente.GetItemText(randSelectat, RowStatus);
    if (!(status == DocumentStatusWord(StatusTemporary))) {
        QString text = L"Factura " + listaDocumente.GetItemText(randSelectat, RowNumar) + L" este " + status + L" !";
        MessageBox(text, L"ERROR", MB_OK | MB_ICONERROR);
        return false;
    }
    if (micro::qdialog::ShowMessageBox(nullptr, L"Validati documentul ?", L"Validare",
                                       MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return false;
    if (tip != DocumentGoodsReceived && !HasStockForLines(idSelectat))
        return false;

    GetRepository().ExecDML(SqlFormat(L"update '%s' set status = %llu where id = %llu ", DocumentHeaderTable(tip),
                                      static_cast<unsigned long long>(StatusValidated), idSelectat));
    const wchar_t* validated = DocumentStatusWord(StatusValidated);
    for (FacturiRecord* record : {listaDocumente.RowRecord(randSelectat), FindRecord(idSelectat)})
        if (record)
            record->statusText = validated;
    listaDocumente.RedrawRow(randSelectat);
    SelectDocumentRow(idSelectat);
    return true;
}

// Quantities of one product on several lines are added up, and an invoice's
// own lines, which the stock at its date already takes out, are given back
// before its quantities are compared, so they are not counted twice.
bool MyCautareFacturiDialog::HasStockForLines(unsigned long long documentId)
{
    micro::qsql::QsqlDatabase& db = GetRepository();
    long long issueDate = db.ExecScalar(
        SqlFormat(L"select dataCreare from '%s' where id = %llu", DocumentHeaderTable(tip), documentId));
    std::vector<StockLine> lines;
    {
        micro::qsql::QsqlQuery query = db.ExecQuery(SqlFormat(
            L"Select produsID,cantitate from '%s' where IDFactura = %llu", DocumentLineTable(tip), documentId));
        for (; !query.Eof(); query.NextRow())
            lines.push_back({query.GetIdField(0), static_cast<float>(query.GetFloatField(1))});
    }
    // Invoice lines are exits the stock look-up already counts.
    bool ownLinesCounted = tip == DocumentInvoice || tip == DocumentReturnInvoice;
    std::map<unsigned long long, float> own;
    if (ownLinesCounted)
        for (const StockLine& line : lines)
            own[line.product] += line.quantity;

    std::map<unsigned long long, float> available;
    std::map<unsigned long long, float> needed;
    for (size_t k = 0; k < lines.size(); ++k) {
        const StockLine& line = lines[k];
        if (!available.count(line.product))
            available[line.product] = GetProductStockAtDate(issueDate, line.product) + own[line.product];
        needed[line.product] += line.quantity;
        if (available[line.product] - needed[line.product] < 0) {
            MessageBox(QString::Formatted(L"Cantitate insuficienta in stoc la linia%d", static_cast<int>(k + 1)),
                       L"Atentie", MB_OK);
            return false;
        }
    }
    return true;
}
