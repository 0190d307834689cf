#include "database/SchemaUpgrade.h"
#include "database/Schema.h"
#include "database/StockRule.h"
#include "database/qsql/SqlText.h"
#include <memory>
#include <vector>

using micro::qsql::QsqlDatabase;
using micro::qsql::QsqlQuery;
using micro::qsql::QSqlError;
using micro::utils::QString;

namespace {

struct Column {
    QString name;
    QString type;
};

struct TableLayout {
    QString name;
    QString create;
    std::vector<Column> columns;
    // A new file's own rows of the table: their id and, per column, its value as an SQL literal.
    std::vector<std::vector<QString>> rows;
};

// Table names come from sqlite_master of the program's own layout, never user text.
std::vector<Column> ColumnsOf(QsqlDatabase& db, const QString& table)
{
    std::vector<Column> columns;
    for (QsqlQuery q = db.ExecQuery(QString::Formatted(L"PRAGMA table_info(%s)", table.c_str()).c_str()); !q.Eof();
         q.NextRow())
        columns.push_back({q.GetStringField(1), q.GetStringField(2)});
    return columns;
}

std::vector<std::vector<QString>> QuotedRows(QsqlDatabase& db, const TableLayout& table)
{
    QString sql = L"select id";
    for (const Column& column : table.columns)
        sql += L", quote(" + column.name + L")";
    std::vector<std::vector<QString>> rows;
    for (QsqlQuery q = db.ExecQuery((sql + L" from " + table.name).c_str()); !q.Eof(); q.NextRow()) {
        rows.emplace_back();
        for (int i = 0; i < q.NumFields(); ++i)
            rows.back().push_back(q.GetStringField(i));
    }
    return rows;
}

// The program's layout, read once from a new file made in memory by the same
// statements that make a real one: Schema holds the one list of what each table holds.
const std::vector<TableLayout>& ProgramLayout()
{
    static std::unique_ptr<std::vector<TableLayout>> layout;
    if (layout)
        return *layout;
    auto made = std::make_unique<std::vector<TableLayout>>();
    QsqlDatabase memory;
    memory.Open(L":memory:", true);
    CreateCompanyLayout(memory);
    for (QsqlQuery q = memory.ExecQuery(L"select name, sql from sqlite_master where type = 'table' order by rowid");
         !q.Eof(); q.NextRow())
        made->push_back({q.GetStringField(0), q.GetStringField(1), {}, {}});
    for (TableLayout& table : *made) {
        table.columns = ColumnsOf(memory, table.name);
        table.rows = QuotedRows(memory, table);
    }
    layout = std::move(made);
    return *layout;
}

int Find(const std::vector<Column>& columns, const QString& name)
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.CompareNoCase(name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

// A row a new file has too (the company row, the settings, the discount
// product) gets its value; any other older row keeps NULL, the value nobody
// knows (an old line's VAT code is not 0).
void FillAdded(QsqlDatabase& db, const TableLayout& table, const std::vector<int>& added)
{
    for (int at : added) {
        const Column& column = table.columns[at];
        if (column.name.CompareNoCase(L"id") == 0)
            continue;
        for (const std::vector<QString>& row : table.rows)
            db.ExecDML((L"update " + table.name + L" set " + column.name + L" = " + row[at + 1] + L" where id = " +
                        row[0])
                           .c_str());
    }
}

// Copies the rows into the layout's table; its indexes go with the old one
// and are made again at the end of the open.
void Rebuild(QsqlDatabase& db, const TableLayout& table, const std::vector<Column>& present)
{
    QString kept = L"brivane_vechi_" + table.name;
    db.ExecDML((L"ALTER TABLE " + table.name + L" RENAME TO " + kept).c_str());
    db.ExecDML(table.create.c_str());
    QString names;
    for (const Column& column : present)
        names += (names.IsEmpty() ? L"" : L", ") + column.name;
    db.ExecDML((L"INSERT INTO " + table.name + L" (" + names + L") SELECT " + names + L" FROM " + kept).c_str());
    db.ExecDML((L"DROP TABLE " + kept).c_str());
    db.ExecDML(L"PRAGMA user_version = 0");
}

// A table the file lacks altogether, with the rows a new file has in it.
void CreateTable(QsqlDatabase& db, const TableLayout& table)
{
    db.ExecDML(table.create.c_str());
    db.ExecDML(L"PRAGMA user_version = 0"); // its indexes are made at the end of the open
    std::vector<int> all;
    for (size_t i = 0; i < table.columns.size(); ++i)
        all.push_back(static_cast<int>(i));
    for (const std::vector<QString>& row : table.rows)
        db.ExecDML((L"INSERT INTO " + table.name + L" (id) VALUES (" + row[0] + L")").c_str());
    FillAdded(db, table, all);
}

// A column holding money or stock follows from other rows: added to an older
// file it gets what the rules give, never NULL. A document's balance is its
// total less what live (validated) receipts or payments took, 0 once cancelled
// or reversed; a live invoice's negative total (a return invoice) is a credit
// its client holds, any other document's negative total owes nothing.
std::wstring BalanceSql(const wchar_t* table, const wchar_t* owners, int source, int documentType, bool credits)
{
    std::wstring taken = L"0";
    if (owners)
        taken = L"(SELECT round(total(a.suma) * 100) FROM Alocari a JOIN " + std::wstring(owners) +
                L" o ON o.id = a.idSursa WHERE a.sursa = " + std::to_wstring(source) + L" AND a.tipDocument = " +
                std::to_wstring(documentType) + L" AND a.idDocument = d.id AND o.status = 2)";
    const std::wstring total = L"coalesce(d.valoareTTI, 0)";
    return L"UPDATE " + std::wstring(table) + L" AS d SET sold = CASE WHEN d.status >= 3 THEN 0 WHEN " + total +
           L" < 0 THEN " + (credits ? total : L"0") + L" ELSE max(0, round(" + total + L" * 100) - " + taken +
           L") / 100.0 END";
}

struct DerivedColumn {
    const wchar_t* table;
    const wchar_t* column;
    std::wstring sql;
};

const std::vector<DerivedColumn>& DerivedColumns()
{
    static const std::vector<DerivedColumn> derived = {
        {L"Facturi", L"sold", BalanceSql(L"Facturi", L"Incasari", 0, 0, true)},
        {L"Proforme", L"sold", BalanceSql(L"Proforme", nullptr, 0, 0, false)},
        {L"Avize", L"sold", BalanceSql(L"Avize", nullptr, 0, 0, false)},
        {L"Niruri", L"sold", BalanceSql(L"Niruri", L"Plati", 1, 3, false)},
        {L"Produse", L"stocReal", RecomputeAllStoredStockSql()},
    };
    return derived;
}

struct AddedColumn {
    QString table;
    QString column;
};

// Once every table has its columns: the figures the added columns hold by the rules.
void FillDerived(QsqlDatabase& db, const std::vector<AddedColumn>& added)
{
    for (const DerivedColumn& derived : DerivedColumns())
        for (const AddedColumn& column : added)
            if (column.table.CompareNoCase(derived.table) == 0 && column.column.CompareNoCase(derived.column) == 0)
                db.ExecDML(derived.sql.c_str());
}

int UpgradeTable(QsqlDatabase& db, const TableLayout& table, std::vector<AddedColumn>& added)
{
    std::vector<Column> present = ColumnsOf(db, table.name);
    if (present.empty()) {
        CreateTable(db, table);
        for (const Column& column : table.columns)
            added.push_back({table.name, column.name});
        return 1;
    }
    for (const Column& column : present) {
        if (Find(table.columns, column.name) < 0)
            throw QSqlError(QSqlError::kWrapperError, L"table " + table.name + L" has a column the program does not "
                                                      L"know: " + column.name);
    }
    std::vector<int> missing;
    bool inOrder = true;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        int at = Find(present, table.columns[i].name);
        if (at < 0)
            missing.push_back(static_cast<int>(i));
        else if (at != static_cast<int>(i))
            inOrder = false;
    }
    // Columns in another order break positional inserts as much as missing ones.
    if (missing.empty() && inOrder)
        return 0;
    if (inOrder && missing.front() == static_cast<int>(present.size())) {
        for (int at : missing)
            db.ExecDML((L"ALTER TABLE " + table.name + L" ADD COLUMN " + table.columns[at].name + L" " +
                        table.columns[at].type)
                           .c_str());
    } else {
        Rebuild(db, table, present);
    }
    FillAdded(db, table, missing);
    for (int at : missing)
        added.push_back({table.name, table.columns[at].name});
    return static_cast<int>(missing.size());
}

} // namespace

int UpgradeCompanyDatabase(QsqlDatabase& db)
{
    const std::vector<TableLayout>& layout = ProgramLayout();
    micro::qsql::QsqlTransaction transaction(db);
    int count = 0;
    std::vector<AddedColumn> added;
    for (const TableLayout& table : layout)
        count += UpgradeTable(db, table, added);
    FillDerived(db, added);
    if (db.ExecScalar(L"PRAGMA user_version") != CompanyFileMark())
        db.ExecDML(EarlierBalancesSql());
    transaction.Commit();
    return count;
}

const wchar_t* EarlierBalancesSql()
{
    // Earlier versions kept a live return invoice's balance at 0: its credit counted nowhere.
    return L"UPDATE Facturi SET sold = valoareTTI WHERE status < 3 AND round(valoareTTI * 100) < 0 AND "
           L"round(coalesce(sold, 0) * 100) = 0";
}
