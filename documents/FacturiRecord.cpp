#include "documents/FacturiRecord.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "documents/MyFacturiDialog.h"
#include "framework/utils/TimeFormat.h"
#include <cstdio>
#include <ctime>

using micro::utils::QString;

namespace {

// The texts of a record read from its table, as the picker's rows show them;
// an unpaid document's balance is its total, and the two share one text.
void MakeRecordTexts(FacturiRecord& record)
{
    const FacturiRecord::Stored& v = record.stored;
    record.idText = QString::Formatted(L"%llu", record.id);
    record.numar = v.numarNull ? QString() : QString::Formatted(L"%lld", v.numar);
    record.dataCreare = FormatDocumentDate(v.dataCreare);
    record.valoareFT = FormatDocumentAmount(v.valoareFT);
    record.valoareTVA = FormatDocumentAmount(v.valoareTVA);
    record.valoareTTI = FormatDocumentAmount(v.valoareTTI);
    record.sold = v.sold == v.valoareTTI ? record.valoareTTI : FormatDocumentAmount(v.sold);
    record.textsPending = false;
}

} // namespace

const QString& RecordCell(FacturiRecord& record, int column)
{
    static const QString empty;
    // The partner's name and the status word are there from the start: a
    // search on them makes no other texts.
    bool made = column == RowClient || column == RowStatus || column == RowCreatDe;
    if (record.textsPending && !made)
        MakeRecordTexts(record);
    switch (column) {
    case RowNumar: return record.numar;
    case RowClient: return record.clientNume;
    case RowData: return record.dataCreare;
    case RowValoareFT: return record.valoareFT;
    case RowValoareTVA: return record.valoareTVA;
    case RowValoareTTI: return record.valoareTTI;
    case RowStatus: return record.statusText;
    case RowSold: return record.sold;
    case RowCreatDe: return record.creatDe;
    default: return empty;
    }
}

void RefreshDocumentTimeZone()
{
    _tzset();
}

QString FormatDocumentDate(long long seconds)
{
    QString text;
    if (seconds != -1)
        micro::utils::FormatTimeText(seconds, text, L"%d-%m-%Y");
    return text;
}

QString DocumentDateTexts::Text(long long seconds)
{
    if (seconds >= m_first && seconds <= m_last)
        return m_text;
    m_first = 1;
    m_last = 0;
    m_text = FormatDocumentDate(seconds);
    __time64_t t = static_cast<__time64_t>(seconds);
    struct tm local;
    if (m_text.IsEmpty() || _localtime64_s(&local, &t) != 0)
        return m_text;
    // Wall-clock seconds since and until local midnight, less an hour for a
    // daylight-saving change that may lie in between.
    const long long day = 86400, margin = 3600;
    long long since = local.tm_hour * 3600LL + local.tm_min * 60 + local.tm_sec;
    m_first = seconds - (since > margin ? since - margin : 0);
    m_last = seconds + (day - since > margin ? day - since - margin : 0) - 1;
    if (m_last < seconds)
        m_last = seconds;
    return m_text;
}

const QString& DocumentStatusText(long long status)
{
    static const QString words[] = {DocumentStatusWord(0), DocumentStatusWord(1), DocumentStatusWord(2),
                                    DocumentStatusWord(3), DocumentStatusWord(4)};
    return words[(status >= 0 && status <= 4) ? status : 0];
}

QString FormatDocumentAmount(double value)
{
    // Lists format tens of thousands of amounts: a small buffer of our own.
    wchar_t buffer[64];
    int n = _snwprintf(buffer, 63, L"%.2f", value);
    if (n < 0 || n > 63)
        n = 63;
    return QString(buffer, n);
}

void FormatDocumentRowTexts(const MyFacturiDialog& editor, unsigned long long& id, QString& idText, QString& numar,
                            QString& clientNume, QString& dataCreare, QString& valoareFT, QString& valoareTVA,
                            QString& valoareTTI, QString& statusText, QString& sold)
{
    id = editor.idRezervat;
    idText.Format(L"%d", static_cast<int>(editor.idRezervat));
    numar.Format(L"%d", static_cast<int>(editor.numar));
    clientNume = GetClientField(editor.client, 1);
    RefreshDocumentTimeZone();
    dataCreare = FormatDocumentDate(static_cast<long long>(editor.dataCreare));
    valoareFT = FormatDocumentAmount(editor.valoareFT);
    valoareTVA = FormatDocumentAmount(editor.valoareTVA);
    valoareTTI = FormatDocumentAmount(editor.valoareTTI);
    statusText = DocumentStatusText(static_cast<long long>(editor.status));
    sold = FormatDocumentAmount(editor.sold);
}

void FormatDocumentRowTexts(const MyFacturiDialog& editor, FacturiRecord& record)
{
    FormatDocumentRowTexts(editor, record.id, record.idText, record.numar, record.clientNume, record.dataCreare,
                           record.valoareFT, record.valoareTVA, record.valoareTTI, record.statusText, record.sold);
    record.creatDe.Empty();
    // The saved texts stand; the values read at opening are old.
    record.textsPending = false;
}

QString LookupClientName(unsigned long long clientId)
{
    QString sql;
    sql.Format(L"select id,Nume         from clienti  WHERE id = %llu", clientId);
    micro::qsql::QsqlQuery query = GetRepository().ExecQuery(sql);
    if (query.Eof())
        return QString();
    return query.GetStringField(1);
}
