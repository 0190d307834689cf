#include "tests/stock/reports/ReportsFixture.h"

using micro::qsql::SqlFormat;

namespace reports_test {

std::vector<OpenedEditor> EditorSpy::opened;

namespace {
template <EditorKind K>
INT_PTR Record(HWND, int type, uint64_t id)
{
    EditorSpy::opened.push_back({K, type, id});
    return 0;
}
} // namespace

EditorSpy::EditorSpy()
{
    opened.clear();
    RegisterEditor(EditorKind::Document, &Record<EditorKind::Document>);
    RegisterEditor(EditorKind::Receipt, &Record<EditorKind::Receipt>);
    RegisterEditor(EditorKind::Payment, &Record<EditorKind::Payment>);
    RegisterEditor(EditorKind::StockMovement, &Record<EditorKind::StockMovement>);
}

EditorSpy::~EditorSpy()
{
    for (EditorKind kind : {EditorKind::Document, EditorKind::Receipt, EditorKind::Payment, EditorKind::StockMovement})
        RegisterEditor(kind, nullptr);
}

long long ReportsTest::Document(const wchar_t* header, long long date, int status, long long partner,
                                long long number, const std::vector<std::vector<double>>& lines, double total)
{
    bool movement = header[0] == L'I';
    std::wstring lineTable = std::wstring(L"Articole") + header;
    double sum = 0.0;
    for (const auto& line : lines)
        sum += line[1] * line[2];
    if (total < 0)
        total = sum;
    if (movement)
        db().ExecDML(SqlFormat(L"insert into %s (dataCreare, status, valoareFT, valoareTVA, valoareTTI, utilizator) "
                               L"values (%lld, %d, %.17g, 0, %.17g, 0)",
                               header, date, status, sum, total)
                         .c_str());
    else
        db().ExecDML(SqlFormat(L"insert into %s (status, numar, client, dataCreare, dataScadenta, valoareFT, "
                               L"valoareTVA, valoareTTI, sold, serie) values (%d, %lld, %lld, %lld, %lld, %.17g, 0, "
                               L"%.17g, %.17g, 'BRV')",
                               header, status, number, partner, date, date + 30 * 86400, sum, total, total)
                         .c_str());
    long long id = db().LastInsertRowId();
    for (const auto& line : lines) {
        if (movement)
            db().ExecDML(SqlFormat(L"insert into %s (produsID, cantitate, IDIntrare, pret) values (%lld, %.17g, "
                                   L"%lld, %.17g)",
                                   lineTable.c_str(), static_cast<long long>(line[0]), line[1], id, line[2])
                             .c_str());
        else
            db().ExecDML(SqlFormat(L"insert into %s (produsID, cantitate, valoareFT, IDFactura) values (%lld, "
                                   L"%.17g, %.17g, %lld)",
                                   lineTable.c_str(), static_cast<long long>(line[0]), line[1], line[2], id)
                             .c_str());
    }
    return id;
}

long long ReportsTest::Cash(const wchar_t* table, long long date, int status, long long partner, long long number,
                            double amount, int type)
{
    db().ExecDML(SqlFormat(L"insert into %s (serie, numar, IDClient, facturi, suma, sumaStr, data, status, tip, "
                           L"agent) values ('CNT', %lld, %lld, ' 1', %.17g, '', %lld, %d, %d, 0)",
                           table, number, partner, amount, date, status, type)
                     .c_str());
    return db().LastInsertRowId();
}

double ReportsTest::ExpectedStock(long long product, long long end)
{
    auto sum = [&](const wchar_t* header, const wchar_t* lines, const wchar_t* link, const wchar_t* counts) {
        return tempDb.Number(SqlFormat(L"select total(l.cantitate) from %s l, %s h where l.%s = h.id and "
                                       L"l.produsID = %lld and h.dataCreare <= %lld and %s",
                                       lines, header, link, product, end, counts)
                                 .c_str());
    };
    return sum(L"Niruri", L"ArticoleNiruri", L"IDFactura", L"coalesce(h.status, 0) <> 3") +
           sum(L"IntrariGenerale", L"ArticoleIntrariGenerale", L"IDIntrare", L"h.status = 2") -
           sum(L"Facturi", L"ArticoleFacturi", L"IDFactura", L"coalesce(h.status, 0) <> 3") -
           sum(L"IesiriGenerale", L"ArticoleIesiriGenerale", L"IDIntrare", L"h.status = 2");
}

std::vector<std::vector<std::wstring>> ListRows(HWND dialog, int listId, int columns)
{
    std::vector<std::vector<std::wstring>> rows;
    int count = ModalDriver::ListRowCount(dialog, listId);
    for (int r = 0; r < count; ++r) {
        std::vector<std::wstring> row;
        for (int c = 0; c < columns; ++c)
            row.push_back(ModalDriver::ListCell(dialog, listId, r, c));
        rows.push_back(row);
    }
    return rows;
}

} // namespace reports_test
