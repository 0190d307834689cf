#include "cash/PaymentText.h"
#include "database/MyRepository.h"

const wchar_t* PaymentStatusWord(long long status)
{
    static const wchar_t* const kWords[] = {L" ? ", L"Temporar", L"Validat", L"Anulat", L"Stornat"};
    return status >= 0 && status < 5 ? kWords[status] : L"?";
}

micro::utils::QString PaymentSeries()
{
    micro::qsql::QsqlQuery q = GetRepository().ExecQuery(L"select seriePlati from ConfigFacturi where id = 1");
    micro::utils::QString series = q.Eof() ? micro::utils::QString() : q.GetStringField(0);
    return series.IsEmpty() ? micro::utils::QString(L"PLT") : series;
}
