#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "framework/qdialog/QMessageBox.h"
#include <cstddef>
#include <string>

using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::qsql::SqlFormat;
using micro::utils::QString;

namespace {

// Keys are the callers' numbers; the columns are named, so the look-ups do
// not depend on the order the schema gives a table's columns.
struct KeyColumn {
    int key;
    const wchar_t* column;
};

const KeyColumn kClientText[] = {{1, L"Nume"}, {3, L"Cod"}, {25, L"Banca"}};
const KeyColumn kClientInt[] = {{2, L"ModPlata"}, {7, L"Delegat"}, {8, L"Scadenta"}};
const KeyColumn kAgentText[] = {{1, L"numeAgent"}, {2, L"CNP"},   {3, L"serie"},    {4, L"eliberat"}, {5, L"telefon"},
                                {6, L"fax"},       {7, L"email"}, {8, L"comision"}, {9, L"zona"},     {10, L"auto"}};
const KeyColumn kProductText[] = {{1, L"denumire"}, {2, L"denumireExtinsa"}, {3, L"codExtern"}, {4, L"depozit"},
                                  {5, L"furnizor"}, {6, L"UM"},              {7, L"categorie"}};
const KeyColumn kProductInt[] = {{1, L"moneda"},     {2, L"UM"},         {3, L"TVA"},
                                 {4, L"modificat"}, {5, L"optiuniTVA"}, {6, L"sablonTVA"}};
const KeyColumn kProductNumber[] = {{3, L"stocReal"}, {4, L"pretCumparare"}, {5, L"pretVanzare"}, {8, L"ultPretdeCump"}};
const KeyColumn kInvoiceConfig[] = {{8, L"numarFactura"},   {9, L"numarNir"},    {10, L"numarChit"},
                                    {11, L"numarProforma"}, {13, L"numarPlati"}, {15, L"perioadaPreluare"}};
const KeyColumn kLastIds[] = {{6, L"idIntrari"}, {7, L"idIesiri"}};

template <size_t N>
const wchar_t* ColumnFor(const KeyColumn (&map)[N], int k)
{
    for (const KeyColumn& entry : map)
        if (entry.key == k)
            return entry.column;
    return nullptr;
}

QsqlQuery SelectById(const wchar_t* table, const wchar_t* column, unsigned long long id)
{
    return GetRepository().ExecQuery(SqlFormat(L"select %s from %s where id = %llu", column, table, id).c_str());
}

QsqlQuery SelectFirstRow(const wchar_t* table, const wchar_t* columns)
{
    return GetRepository().ExecQuery(SqlFormat(L"select %s from %s limit 1", columns, table).c_str());
}

QString ReadText(const wchar_t* table, const wchar_t* column, unsigned long long id)
{
    if (!column)
        return QString();
    QsqlQuery q = SelectById(table, column, id);
    return q.Eof() ? QString() : q.GetStringField(0);
}

long long ReadInt(const wchar_t* table, const wchar_t* column, unsigned long long id)
{
    if (!column)
        return 0;
    QsqlQuery q = SelectById(table, column, id);
    return q.Eof() ? 0 : q.GetIntField(0);
}

double ReadNumber(const wchar_t* table, const wchar_t* column, unsigned long long id)
{
    if (!column)
        return 0.0;
    QsqlQuery q = SelectById(table, column, id);
    return q.Eof() ? 0.0 : q.GetFloatField(0, 0.0);
}

// The partner look-ups report a failure themselves and leave the text as it was.
void ReadPartnerText(QString& text, const wchar_t* table, const wchar_t* column, unsigned long long id)
{
    try {
        text = ReadText(table, column, id);
    } catch (const QSqlError& error) {
        micro::qdialog::ShowMessageBox(nullptr, error.GetText().c_str(), L"ERROR", MB_OK | MB_ICONERROR);
    }
}

} // namespace

QString GetClientField(unsigned long long clientId, int k)
{
    QString text;
    GetClientField(text, clientId, k);
    return text;
}

void GetClientField(QString& text, unsigned long long clientId, int k)
{
    ReadPartnerText(text, L"Clienti", ColumnFor(kClientText, k), clientId);
}

std::map<unsigned long long, QString> ReadClientNames(const std::set<unsigned long long>& ids)
{
    std::map<unsigned long long, QString> names;
    if (ids.empty())
        return names;
    std::wstring list;
    for (unsigned long long id : ids)
        list += (list.empty() ? L"" : L",") + std::to_wstring(id);
    for (QsqlQuery q = GetRepository().ExecQuery((L"select id, Nume from Clienti where id in (" + list + L")").c_str());
         !q.Eof(); q.NextRow())
        names[q.GetIdField(0)] = q.GetStringField(1);
    return names;
}

long long GetClientIntField(unsigned long long clientId, int k)
{
    return ReadInt(L"Clienti", ColumnFor(kClientInt, k), clientId);
}

QString GetSupplierName(unsigned long long supplierId)
{
    QString text;
    GetSupplierName(text, supplierId);
    return text;
}

void GetSupplierName(QString& text, unsigned long long supplierId)
{
    ReadPartnerText(text, L"Furnizori", L"Nume", supplierId);
}

QString GetAccountDescription(unsigned long long accountId)
{
    return ReadText(L"ConturiContabile", L"descriere", accountId);
}

void GetAccountDescription(QString& text, unsigned long long accountId)
{
    text = GetAccountDescription(accountId);
}

void GetAgentField(unsigned long long agentId, int k, QString& text)
{
    text = ReadText(L"Agenti", ColumnFor(kAgentText, k), agentId);
}

void GetProductTextField(QString& text, unsigned long long productId, int k)
{
    text = ReadText(L"Produse", ColumnFor(kProductText, k), productId);
}

long long GetProductIntField(unsigned long long productId, int k)
{
    return ReadInt(L"Produse", ColumnFor(kProductInt, k), productId);
}

double GetProductNumField(unsigned long long productId, int k)
{
    return ReadNumber(L"Produse", ColumnFor(kProductNumber, k), productId);
}

QString GetCurrencyName(long long currencyCode)
{
    static const wchar_t* const names[] = {L"RON", L"USD", L"EUR"};
    return (currencyCode >= 0 && currencyCode < 3) ? QString(names[currencyCode]) : QString();
}

void GetCurrencyName(long long currencyCode, QString& text)
{
    text = GetCurrencyName(currencyCode);
}

void GetDocumentSeries(QString& text, int k)
{
    text.Empty();
    if (k != 1 && k != 2)
        return;
    QsqlQuery q = GetRepository().ExecQuery(L"Select  serie_facturi,serie_chit ,seriePlati     from    ConfigFacturi");
    if (!q.Eof())
        text = q.GetStringField(k - 1);
}

long long GetInvoiceConfigValue(int k)
{
    const wchar_t* column = ColumnFor(kInvoiceConfig, k);
    if (!column)
        return 0;
    QsqlQuery q = SelectFirstRow(L"ConfigFacturi", column);
    return q.Eof() ? 0 : q.GetIntField(0);
}

long long GetLastDocumentId(int k)
{
    return ReadInt(L"iduri", ColumnFor(kLastIds, k), 1);
}

bool GetUserIdentity(QString& name, QString& identityCard, QString& personalCode)
{
    QsqlQuery q = SelectFirstRow(L"Utilizator", L"Nume, CI, CNP");
    if (q.Eof()) {
        name.Empty();
        identityCard.Empty();
        personalCode.Empty();
        return false;
    }
    name = q.GetStringField(0);
    identityCard = q.GetStringField(1);
    personalCode = q.GetStringField(2);
    return true;
}

double VatFactorOfCode(long long vatCode)
{
    static const double factors[] = {1.24, 1.09, 1.05, 1.0};
    return (vatCode >= 0 && vatCode < 4) ? factors[vatCode] : 0.0;
}

double GetCompanyVatSetting(int k)
{
    if (k != 1 && k != 2)
        return 0.0;
    QsqlQuery q = SelectFirstRow(L"Societate", L"tvaincasare, cotaTVA");
    if (q.Eof())
        return 0.0;
    return k == 1 ? q.GetFloatField(0, 0.0) : VatFactorOfCode(q.GetIntField(1));
}

double GetInvoiceNetValue(unsigned long long documentId)
{
    return ReadNumber(L"Facturi", L"valoareFT", documentId);
}

long long GetInvoiceCreationDate(unsigned long long documentId)
{
    return ReadInt(L"Facturi", L"dataCreare", documentId);
}

long long EndOfDay(long long date)
{
    long long seconds = date % 86400;
    if (seconds < 0)
        seconds += 86400;
    return date - seconds + 86399;
}

double GetProductStockAtDate(long long date, unsigned long long productId)
{
    return SumStockMovements(productId, 0, EndOfDay(date)).Stock();
}

void LoadCompanyBackground(micro::utils::QBuffer& background)
{
    background.Clear();
    QsqlQuery q = GetRepository().ExecQuery(L"select background from Societate where id = 1");
    if (q.Eof())
        return;
    int size = 0;
    const unsigned char* bytes = q.GetBlobField(0, size);
    background.Append(bytes, size);
}
