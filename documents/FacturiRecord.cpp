#include "documents/FacturiRecord.h"
#include "database/DocumentTables.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "documents/MyFacturiDialog.h"
#include "framework/utils/TimeFormat.h"
#include <ctime>

using micro::utils::QString;

const QString& RecordCell(const FacturiRecord& record, int column)
{
    static const QString empty;
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

QString FormatDocumentDate(long long seconds)
{
    QString text;
    if (seconds == -1)
        return text;
    // The zone may have been changed while the program runs.
    _tzset();
    micro::utils::FormatTimeText(seconds, text, L"%d-%m-%Y");
    return text;
}

QString FormatDocumentAmount(double value)
{
    return QString::Formatted(L"%.2f", value);
}

void FormatDocumentRowTexts(const MyFacturiDialog& editor, unsigned long long& id, QString& idText, QString& numar,
                            QString& clientNume, QString& dataCreare, QString& valoareFT, QString& valoareTVA,
                            QString& valoareTTI, QString& statusText, QString& sold)
{
    id = editor.idRezervat;
    idText.Format(L"%d", static_cast<int>(editor.idRezervat));
    numar.Format(L"%d", static_cast<int>(editor.numar));
    clientNume = GetClientField(editor.client, 1);
    dataCreare = FormatDocumentDate(static_cast<long long>(editor.dataCreare));
    valoareFT = FormatDocumentAmount(editor.valoareFT);
    valoareTVA = FormatDocumentAmount(editor.valoareTVA);
    valoareTTI = FormatDocumentAmount(editor.valoareTTI);
    statusText = DocumentStatusWord(static_cast<long long>(editor.status));
    sold = FormatDocumentAmount(editor.sold);
}

void FormatDocumentRowTexts(const MyFacturiDialog& editor, FacturiRecord& record)
{
    FormatDocumentRowTexts(editor, record.id, record.idText, record.numar, record.clientNume, record.dataCreare,
                           record.valoareFT, record.valoareTVA, record.valoareTTI, record.statusText, record.sold);
    record.creatDe.Empty();
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
