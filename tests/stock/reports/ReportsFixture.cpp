#include "tests/stock/reports/ReportsFixture.h"

using micro::qsql::SqlFormat;

namespace reports_test {

long long ReportsTest::Document(const wchar_t* header, long long date, int status, long long partner,
                                long long number, const std::vector<std::vector<double>>& lines)
{
    bool movement = header[0] == L'I';
    double total = 0.0;
    for (const auto& line : lines)
        total += line[1] * line[2];
    db().ExecDML(movement ? SqlFormat(L"insert into %s (dataCreare, status, valoareTTI) values (%lld, %d, %.17g)",
                                      header, date, status, total)
                          : SqlFormat(L"insert into %s (status, numar, client, dataCreare, valoareTTI, sold) values "
                                      L"(%d, %lld, %lld, %lld, %.17g, %.17g)",
                                      header, status, number, partner, date, total, total));
    long long id = db().LastInsertRowId();
    for (const auto& line : lines)
        db().ExecDML(SqlFormat(L"insert into Articole%s (produsID, cantitate, %s, %s) values (%lld, %.17g, %.17g, %lld)",
                               header, movement ? L"pret" : L"valoareFT", movement ? L"IDIntrare" : L"IDFactura",
                               static_cast<long long>(line[0]), line[1], line[2], id));
    return id;
}

long long ReportsTest::Cash(const wchar_t* table, long long date, int status, long long partner, long long number,
                            double amount, int type)
{
    db().ExecDML(SqlFormat(L"insert into %s (numar, IDClient, suma, data, status, tip) values (%lld, %lld, %.17g, "
                           L"%lld, %d, %d)",
                           table, number, partner, amount, date, status, type));
    return db().LastInsertRowId();
}

double ReportsTest::ExpectedStock(long long product, long long end)
{
    auto sum = [&](const wchar_t* header, const wchar_t* link, const wchar_t* counts) {
        return tempDb.Number(SqlFormat(L"select total(l.cantitate) from Articole%s l, %s h where l.%s = h.id and "
                                       L"l.produsID = %lld and h.dataCreare <= %lld and %s",
                                       header, header, link, product, end, counts));
    };
    return sum(L"Niruri", L"IDFactura", L"coalesce(h.status, 0) <> 3") +
           sum(L"IntrariGenerale", L"IDIntrare", L"h.status = 2") -
           sum(L"Facturi", L"IDFactura", L"coalesce(h.status, 0) <> 3") -
           sum(L"IesiriGenerale", L"IDIntrare", L"h.status = 2");
}

Rows ListRows(HWND dialog, int listId, int columns)
{
    Rows rows(ModalDriver::ListRowCount(dialog, listId));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c)
            rows[r].push_back(ModalDriver::ListCell(dialog, listId, static_cast<int>(r), c));
    return rows;
}

} // namespace reports_test
