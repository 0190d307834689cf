#include "printing/FacturaDate.h"
#include <cmath>
#include <cstdlib>
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/qsql/SqlText.h"
#include "masterdata/NumberText.h"
#include "framework/qapp/QApplication.h"
#include "framework/qdialog/QMessageBox.h"
#include "framework/utils/TimeFormat.h"
#include "printing/AmountToWords.h"
#include "printing/InvoiceReceiptRow.h"
#include "printing/VatAndDiscount.h"

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

const wchar_t* const kDateFormat = L"%d-%m-%Y";

// A stored amount as every page prints money; a field without a value stays empty.
QString StoredMoney(const QsqlQuery& q, int column)
{
    return q.GetStringField(column).IsEmpty() ? QString() : MoneyText(q.GetFloatField(column, 0.0));
}

} // namespace

FacturaDate::FacturaDate(unsigned long long documentId, int type)
    : ultimaCotaTVA(0), id(documentId), tip(type), chitantaId(0), chitantaTemporara(false), clientId(0),
      dataCreareSecunde(0), tvaLaIncasare(0), faraTVA(0), headerNet(0.0)
{
    SetStartValues();
    Load();
}

FacturaDate::~FacturaDate() {}

// The made-up document shown until the database says otherwise.
void FacturaDate::SetStartValues()
{
    numar = L"1001";
    serie = L"SMPL";
    dataCreare = L"01-01-2020";
    dataScadenta = L"31-01-2020";
    clientNume = L"Client Exemplu SRL";
    clientNrReg = L"J00/000/2020";
    clientCod = L"RO00000000";
    clientAdresa = L"Strada Exemplu 1";
    clientAdresaLiv = L"Strada Exemplu 2";
    clientTelefon = L"0000 000 000";
    clientBanca = L"Banca Exemplu";
    clientCont = L"RO00XXXX0000000000000000";
    chitantaNumar = L"1";
    chitantaSerie = L"CHT";
    delegatNume = L".................................";
    delegatSerie = L".................";
    delegatCNP = L"..............................";
    delegatAuto = L".........................";
    serieNir = L"NIR-0000";
}

void FacturaDate::Load()
{
    if (GetCompanyVatSetting(2) == 1.0)
        faraTVA = 1;
    GetUserIdentity(emitentNume, emitentCI, emitentCNP);
    unsigned long long delegateId = 0;
    if (id != 0)
        delegateId = LoadHeader();
    if (clientId != 0)
        LoadClient();
    if (!LoadCompany())
        return;
    if (delegateId != 0)
        LoadDelegate(delegateId);
    totalInLitere = valoareTTI.IsEmpty() ? QString(L" ") : AmountToWords(StoredNumber(valoareTTI));
    LoadReceipt();
    tvaLaIncasare = static_cast<int32_t>(GetCompanyVatSetting(1));
    if (id != 0)
        LoadLines();
}

// Answers the delegate id of the header; without a header row nothing changes.
unsigned long long FacturaDate::LoadHeader()
{
    QString sql;
    sql.Format(L"select id     ,  numar        ,  client       ,  dataCreare   ,  dataScadenta ,  delegat\t  ,  "
               L"valoareFT\t,  valoareTVA   ,  valoareTTI   ,  serie          from '%s' where id = %llu",
               DocumentHeaderTable(static_cast<int>(tip)), id);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    if (q.Eof())
        return 0;
    numar = q.GetStringField(1);
    clientId = q.GetIdField(2);
    dataCreareSecunde = q.GetIdField(3);
    micro::utils::FormatTimeText(q.GetIntField(3), dataCreare, kDateFormat);
    micro::utils::FormatTimeText(q.GetIntField(4), dataScadenta, kDateFormat);
    unsigned long long delegateId = q.GetIdField(5);
    valoareFT = StoredMoney(q, 6);
    valoareTVA = StoredMoney(q, 7);
    valoareTTI = StoredMoney(q, 8);
    headerNet = q.GetFloatField(6, 0.0);
    if (tip == DocumentGoodsReceived)
        serieNir = q.GetStringField(9);
    else
        serie = q.GetStringField(9);
    return delegateId;
}

void FacturaDate::LoadClient()
{
    QString sql;
    sql.Format(L"select id    , Nume         , Cod          , NrReg        , Adresa       , AdresaLiv    , "
               L"Oras         , Telefon      , Fax          , Banca        , Cont          from  Clienti      "
               L"where id = %llu",
               clientId);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    if (q.Eof())
        return;
    clientNume = q.GetStringField(1);
    clientCod = q.GetStringField(2);
    clientNrReg = q.GetStringField(3);
    clientAdresa = q.GetStringField(4);
    clientAdresaLiv = q.GetStringField(5);
    clientOras = q.GetStringField(6);
    clientTelefon = q.GetStringField(7);
    clientBanca = q.GetStringField(9);
    clientCont = q.GetStringField(10);
}

// False when a framework error ended the loading (already shown).
bool FacturaDate::LoadCompany()
{
    try {
        QString sql;
        sql.Format(L"select id   , denumire     , nrreg        , cui          , tvaincasare  , banca        , "
                   L"cont         , adresa       , oras         , telefon      , fax          , logo         , "
                   L"cotaTVA      , background   , stampila     , banca2       , cont2          From Societate "
                   L"where id = %llu",
                   1ULL);
        QsqlQuery q = GetRepository().ExecQuery(sql);
        if (q.Eof())
            return true;
        societateDenumire = q.GetStringField(1);
        societateNrReg = q.GetStringField(2);
        societateCui = q.GetStringField(3);
        societateBanca = q.GetStringField(5);
        societateCont = q.GetStringField(6);
        societateAdresa = q.GetStringField(7);
        societateOras = q.GetStringField(8);
        societateTelefon = q.GetStringField(9);
        societateFax = q.GetStringField(10);
        int size = 0;
        const unsigned char* bytes = q.GetBlobField(11, size);
        logo.Append(bytes, size);
        bytes = q.GetBlobField(14, size);
        stampila.Append(bytes, size);
        societateBanca2 = q.GetStringField(15);
        societateCont2 = q.GetStringField(16);
    } catch (const micro::utils::QError& error) {
        micro::qdialog::ShowErrorMessage(error);
        return false;
    }
    return true;
}

void FacturaDate::LoadDelegate(unsigned long long delegateId)
{
    QString sql;
    sql.Format(L"select id, numeAgent , CNP  , serie  , auto from Agenti where id = %llu", delegateId);
    QsqlQuery q = GetRepository().ExecQuery(sql);
    if (q.Eof())
        return;
    delegatNume = q.GetStringField(1);
    delegatCNP = q.GetStringField(2);
    delegatSerie = q.GetStringField(3);
    delegatAuto = q.GetStringField(4);
}

// The document's receipt is the invoice's receipt (FindInvoiceReceipt).
// Without one the receipt shows no number and no series: a number shown is
// always a stored receipt's, and the next one is proposed only when a receipt
// is about to be made. A receipt made now, or the invoice's temporary one,
// is for what is left to collect, which its validation settles. A cancelled
// or reversed invoice shows none: nothing is collected on it. Only an
// invoice has receipts: any other document sharing an invoice's number and
// client shows none.
void FacturaDate::LoadReceipt()
{
    chitantaNumar.Empty();
    chitantaSerie.Empty();
    chitantaSuma = valoareTTI;
    chitantaSumaInLitere = totalInLitere;
    chitantaData = dataCreare;
    if (tip != 0)
        return;
    try {
        QsqlQuery standing = GetRepository().ExecQuery(
            micro::qsql::SqlFormat(L"select coalesce(status, 0), sold from Facturi where id = %llu", id));
        if (!standing.Eof() && standing.GetIntField(0) >= StatusCancelled) // cancelled or reversed
            return;
        double owed = standing.Eof() ? 0.0 : standing.GetFloatField(1, 0.0);
        StoredInvoiceReceipt receipt;
        if (FindInvoiceReceipt(clientId, id, numar, receipt)) {
            chitantaId = receipt.id;
            chitantaTemporara = receipt.Temporary();
            chitantaSerie = receipt.series;
            chitantaNumar = receipt.number;
            SetReceiptSum(chitantaTemporara && owed > 0 ? owed : receipt.amount);
            if (receipt.dated)
                micro::utils::FormatTimeText(receipt.date, chitantaData, kDateFormat);
        } else if (id != 0 && owed > 0) {
            SetReceiptSum(owed);
        }
    } catch (const QSqlError& error) {
        QString text(L"Eroare la Incasari: ");
        text += error.GetText();
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), text, L"Message", MB_OK);
    }
}

void FacturaDate::SetReceiptSum(double amount)
{
    chitantaSuma = MoneyText(amount);
    chitantaSumaInLitere = AmountToWords(amount);
}

void FacturaDate::LoadLines()
{
    try {
        QString sql;
        sql.Format(L"select id     ,  produsID     ,  cantitate    ,  valoareFT    ,  IDFactura    ,  "
                   L"coalesce(TVA, -1) from '%s' where IDFactura = %llu",
                   DocumentLineTable(static_cast<int>(tip)), id);
        QsqlQuery q = GetRepository().ExecQuery(sql);
        for (unsigned long n = 1; !q.Eof(); ++n) {
            ItemFactura* item = ReadLine(q, n);
            try {
                q.NextRow();
            } catch (...) {
                delete item;
                throw;
            }
            items.Add(item);
        }
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(micro::qdialog::ModalOwner(), error.GetText(), L"Message", MB_OK);
    }
}

ItemFactura* FacturaDate::ReadLine(const QsqlQuery& q, unsigned long n)
{
    ItemFactura* item = new ItemFactura;
    try {
        item->nrCrt.Format(L"%lu", n);
        unsigned long long productId = q.GetIdField(1);
        double price = q.GetFloatField(3, 0.0);
        item->pretUnitar = MoneyText(price);
        if (productId != 0)
            GetProductTextField(item->denumire, productId, 1);
        else {
            GetProductTextField(item->denumire, 0, 1);
            item->denumire += L" " + PercentText(DiscountLinePercent(q.GetFloatField(2, 0.0), price, headerNet)) + L"%";
        }
        double quantity = q.GetFloatField(2, 0.0);
        item->cantitate = QuantityText(quantity);
        GetProductTextField(item->um, productId, 6);
        double value = quantity * price;
        // The code the line was issued with; a line stored without one
        // follows its product (the discount row, the lines before it).
        long long kept = q.GetIntField(5);
        if (kept >= 0)
            ultimaCotaTVA = static_cast<int32_t>(kept);
        else if (productId != 0)
            ultimaCotaTVA = static_cast<int32_t>(GetProductIntField(productId, 3));
        item->cotaTVA = VatLabel(ultimaCotaTVA);
        LineAmounts amounts = LineAtRate(value, ultimaCotaTVA);
        item->valoare = MoneyText(amounts.net);
        item->valoareTVA = MoneyText(amounts.vat);
    } catch (...) {
        delete item;
        throw;
    }
    return item;
}

FacturaPrintJob::FacturaPrintJob(unsigned long long documentId, int type, int layout, HWND ownerWindow)
    : FacturaDate(documentId, type), idDocument(documentId), tipDocument(type), model(layout), owner(ownerWindow)
{
}
