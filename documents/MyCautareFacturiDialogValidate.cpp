#include "documents/MyCautareFacturiDialog.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include <initializer_list>
#include <vector>

using micro::utils::QString;
using micro::qsql::SqlFormat;

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
    if (micro::qdialog::ShowMessageBox(m_hwnd, L"Validati documentul ?", L"Validare",
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

// The document's stored lines, in order, against the stock at its issue date.
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
            lines.push_back({query.GetIdField(0), query.GetFloatField(1)});
    }
    // Invoice lines are exits the stock look-up already counts: the check replaces them.
    bool ownLinesCounted = tip == DocumentInvoice || tip == DocumentReturnInvoice;
    StockTally tally(issueDate, StockSourceInvoice, ownLinesCounted ? documentId : 0);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (!tally.Take(lines[k].product, lines[k].quantity)) {
            MessageBox(QString::Formatted(L"Cantitate insuficienta in stoc la linia%d", static_cast<int>(k + 1)),
                       L"Atentie", MB_OK);
            return false;
        }
    }
    return true;
}
