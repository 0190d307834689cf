#include "printing/receipts/ChitantaTexts.h"
#include <cwchar>

using micro::utils::QString;

namespace {

// Each row as a pattern: literal text with a field named in braces.
struct RowPattern {
    const wchar_t* screen;
    const wchar_t* paper;  // null: as on screen
};

const RowPattern kRows[kChitantaRows] = {
    {L"Chitanta seria: {serieChit} Nr.: {numar}", nullptr},
    {L"data {data}", L"data  {data}"},
    {L"Unitatea {firmaDenumire}", nullptr},
    {L"NrOrd.Reg.Com: {firmaNrReg}", L"Nr.ord.Reg.Com/an: {firmaNrReg}"},
    {L"C.I.F. : {firmaCui}", L"C.U.I.: {firmaCui}"},
    {L"Adresa {firmaAdresa}", nullptr},
    {L"Oras {firmaOras}", nullptr},
    {L"Am incasat de la {clientNume}", nullptr},
    {L"Nr.ord.Reg.Com/an: {clientNrReg}", nullptr},
    {L"C.U.I.: {clientCod}", nullptr},
    {L"Adresa {clientAdresa}", nullptr},
    {L"Orasul {clientOras}", nullptr},
    {L"Suma de {suma} ({sumaInLitere})", nullptr},
    {L"Reprezentand contravaloare factura {serieFacturi} {facturi}", nullptr},
    {L"Stampila si semnatura", nullptr},
};

struct NamedField {
    const wchar_t* name;
    QString ChitantaTexts::*field;
};

const NamedField kFields[] = {
    {L"facturi", &ChitantaTexts::facturi},           {L"serieFacturi", &ChitantaTexts::serieFacturi},
    {L"data", &ChitantaTexts::data},                 {L"clientNume", &ChitantaTexts::clientNume},
    {L"clientNrReg", &ChitantaTexts::clientNrReg},   {L"clientCod", &ChitantaTexts::clientCod},
    {L"clientAdresa", &ChitantaTexts::clientAdresa}, {L"clientOras", &ChitantaTexts::clientOras},
    {L"numar", &ChitantaTexts::numar},               {L"serieChit", &ChitantaTexts::serieChit},
    {L"suma", &ChitantaTexts::suma},                 {L"firmaDenumire", &ChitantaTexts::firmaDenumire},
    {L"firmaNrReg", &ChitantaTexts::firmaNrReg},     {L"firmaCui", &ChitantaTexts::firmaCui},
    {L"firmaAdresa", &ChitantaTexts::firmaAdresa},   {L"firmaOras", &ChitantaTexts::firmaOras},
    {L"sumaInLitere", &ChitantaTexts::sumaInLitere},
};

const QString* FieldNamed(const ChitantaTexts& texts, const wchar_t* name, size_t length)
{
    for (const NamedField& f : kFields)
        if (wcslen(f.name) == length && wcsncmp(f.name, name, length) == 0)
            return &(texts.*f.field);
    return nullptr;
}

} // namespace

QString ChitantaRowText(const ChitantaTexts& texts, int row, ChitantaWording wording)
{
    if (row < 1 || row > kChitantaRows)
        return QString();
    const RowPattern& r = kRows[row - 1];
    const wchar_t* p = wording == ChitantaWording::Paper && r.paper ? r.paper : r.screen;
    QString text;
    while (*p) {
        const wchar_t* open = wcschr(p, L'{');
        const wchar_t* close = open ? wcschr(open, L'}') : nullptr;
        if (!close) {
            text.Append(p);
            break;
        }
        text.Append(p, static_cast<int>(open - p));
        const QString* value = FieldNamed(texts, open + 1, static_cast<size_t>(close - open - 1));
        if (value)
            text += *value;
        p = close + 1;
    }
    return text;
}
