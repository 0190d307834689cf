#include "cash/CashText.h"
#include "database/DocumentTables.h"
#include "database/MyRepository.h"
#include <string>

using micro::utils::QString;

const wchar_t* CashStatusWord(long long status)
{
    return status == 0 ? L" ? " : DocumentStatusWord(status);
}

QString PaymentSeries()
{
    micro::qsql::QsqlQuery q = GetRepository().ExecQuery(L"select seriePlati from ConfigFacturi where id = 1");
    QString series = q.Eof() ? QString() : q.GetStringField(0);
    return series.IsEmpty() ? QString(L"PLT") : series;
}

std::vector<QString> PaymentTypeLines()
{
    std::vector<QString> lines;
    for (micro::qsql::QsqlQuery q = GetRepository().ExecQuery(L"select id,descriere  from ConturiContabile"); !q.Eof();
         q.NextRow())
        lines.push_back(q.GetStringField(1));
    return lines;
}

QString PaymentTypeLine(const std::vector<QString>& lines, long long type)
{
    return type >= 0 && type < static_cast<long long>(lines.size()) ? lines[static_cast<size_t>(type)] : QString();
}

void FillPaymentTypes(micro::gui::QCombo& combo)
{
    for (const QString& line : PaymentTypeLines())
        combo.AddString(line.c_str());
}

void SelectPaymentType(micro::gui::QCombo& combo, long long type)
{
    combo.SetCurSel(type >= 0 && type < combo.GetCount() ? static_cast<int>(type) : -1);
}

long long ChosenPaymentType(const micro::gui::QCombo& combo, long long stored)
{
    int selected = combo.GetCurSel();
    return selected >= 0 ? selected : (stored >= 0 ? stored : 0);
}

unsigned long long FirstFreeNumber(const wchar_t* table, const QString& series, unsigned long long from)
{
    unsigned long long number = from;
    while (GetRepository().ExecScalar(micro::qsql::SqlFormat(L"select count(*) from %s where serie = '%s' and numar "
                                                             L"= %llu",
                                                             table, series.c_str(), number)
                                          .c_str()) != 0)
        ++number;
    return number;
}
