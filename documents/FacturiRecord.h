#pragma once
#include "framework/utils/QArray.h"
#include "framework/utils/QString.h"

class MyFacturiDialog;

// One document header as the document lists show it: its id and the ready-made
// texts of its row. The picker filters on these texts, so a record and its row
// always read the same words.
struct FacturiRecord {
    unsigned long long id = 0;
    micro::utils::QString idText;
    micro::utils::QString statusText;
    micro::utils::QString numar;
    micro::utils::QString clientNume;
    micro::utils::QString dataCreare;
    micro::utils::QString valoareFT;
    micro::utils::QString valoareTVA;
    micro::utils::QString valoareTTI;
    micro::utils::QString sold;
    micro::utils::QString creatDe;
    // A record read from its table keeps the stored values behind its number,
    // date and amounts and makes those texts only when a list paints or
    // searches it: a list of a quarter of a million documents opens without
    // formatting rows nobody sees.
    struct Stored {
        long long numar = 0;
        bool numarNull = false;
        long long dataCreare = -1;
        double valoareFT = 0, valoareTVA = 0, valoareTTI = 0, sold = 0;
    };
    Stored stored;
    bool textsPending = false;
};

typedef micro::utils::QObArray<FacturiRecord> FacturiRecordArray;

// Columns of a document row, in list order.
enum DocumentRowColumn {
    RowNumar = 0,
    RowClient,
    RowData,
    RowValoareFT,
    RowValoareTVA,
    RowValoareTTI,
    RowStatus,
    RowSold,
    RowCreatDe,
    RowColumnCount
};

// The record's text shown in a column of its row (empty for an unknown column);
// makes the record's pending texts first when the column is one of them.
const micro::utils::QString& RecordCell(FacturiRecord& record, int column);

// Issue dates in lists: "%d-%m-%Y" in local time. -1 means no date; it and a
// date that cannot be converted give an empty text. A list refreshes the
// time-zone settings once before it formats its dates.
void RefreshDocumentTimeZone();
micro::utils::QString FormatDocumentDate(long long seconds);

// The date texts of a whole list: a text is kept while the next dates fall
// surely within its local day, so a list of dates in order converts each day
// about once.
class DocumentDateTexts {
public:
    DocumentDateTexts() { RefreshDocumentTimeZone(); }
    micro::utils::QString Text(long long seconds);

private:
    long long m_first = 1;
    long long m_last = 0;
    micro::utils::QString m_text;
};
// The status word of a stored status ("?" for one outside 0..4), one shared
// text per word so a long list keeps five copies, not one per row.
const micro::utils::QString& DocumentStatusText(long long status);

// Amounts in lists: "%.2f".
micro::utils::QString FormatDocumentAmount(double value);

// The texts of the row of the document the editor has just saved (its modal
// run answered 1), so a list can show it without reading the table again.
// creatDe is not touched.
void FormatDocumentRowTexts(const MyFacturiDialog& editor, unsigned long long& id, micro::utils::QString& idText,
                            micro::utils::QString& numar, micro::utils::QString& clientNume,
                            micro::utils::QString& dataCreare, micro::utils::QString& valoareFT,
                            micro::utils::QString& valoareTVA, micro::utils::QString& valoareTTI,
                            micro::utils::QString& statusText, micro::utils::QString& sold);
// The same into a record; its creatDe is emptied.
void FormatDocumentRowTexts(const MyFacturiDialog& editor, FacturiRecord& record);

// Clienti.Nume of the partner; empty when there is no such row. A database
// failure is thrown as micro::qsql::QSqlError.
micro::utils::QString LookupClientName(unsigned long long clientId);
