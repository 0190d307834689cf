#include "printing/layouts/PageContent.h"
#include <cwchar>

using micro::utils::QString;

const wchar_t kSameText[] = L"";

bool Shows(Show when, const FacturaDate& doc)
{
    switch (when) {
    case Show::Always: return true;
    case Show::WithVat: return doc.faraTVA == 0;
    case Show::WithoutVat: return doc.faraTVA != 0;
    case Show::VatOnCollection: return doc.tvaLaIncasare != 0;
    }
    return false;
}

namespace {

struct NamedField {
    const wchar_t* name;
    QString FacturaDate::*member;
};

const NamedField kFields[] = {
    {L"numar", &FacturaDate::numar},
    {L"serie", &FacturaDate::serie},
    {L"dataCreare", &FacturaDate::dataCreare},
    {L"dataScadenta", &FacturaDate::dataScadenta},
    {L"clientNume", &FacturaDate::clientNume},
    {L"clientNrReg", &FacturaDate::clientNrReg},
    {L"clientCod", &FacturaDate::clientCod},
    {L"clientAdresa", &FacturaDate::clientAdresa},
    {L"clientAdresaLiv", &FacturaDate::clientAdresaLiv},
    {L"clientOras", &FacturaDate::clientOras},
    {L"clientTelefon", &FacturaDate::clientTelefon},
    {L"clientBanca", &FacturaDate::clientBanca},
    {L"clientCont", &FacturaDate::clientCont},
    {L"chitantaNumar", &FacturaDate::chitantaNumar},
    {L"chitantaSerie", &FacturaDate::chitantaSerie},
    {L"valoareTTI", &FacturaDate::valoareTTI},
    {L"valoareTVA", &FacturaDate::valoareTVA},
    {L"valoareFT", &FacturaDate::valoareFT},
    {L"societateDenumire", &FacturaDate::societateDenumire},
    {L"societateNrReg", &FacturaDate::societateNrReg},
    {L"societateCui", &FacturaDate::societateCui},
    {L"societateAdresa", &FacturaDate::societateAdresa},
    {L"societateOras", &FacturaDate::societateOras},
    {L"societateTelefon", &FacturaDate::societateTelefon},
    {L"societateFax", &FacturaDate::societateFax},
    {L"societateBanca", &FacturaDate::societateBanca},
    {L"societateCont", &FacturaDate::societateCont},
    {L"societateBanca2", &FacturaDate::societateBanca2},
    {L"societateCont2", &FacturaDate::societateCont2},
    {L"emitentNume", &FacturaDate::emitentNume},
    {L"emitentCI", &FacturaDate::emitentCI},
    {L"emitentCNP", &FacturaDate::emitentCNP},
    {L"delegatNume", &FacturaDate::delegatNume},
    {L"delegatSerie", &FacturaDate::delegatSerie},
    {L"delegatCNP", &FacturaDate::delegatCNP},
    {L"delegatAuto", &FacturaDate::delegatAuto},
    {L"serieNir", &FacturaDate::serieNir},
    {L"totalInLitere", &FacturaDate::totalInLitere},
    {L"chitantaSuma", &FacturaDate::chitantaSuma},
    {L"chitantaSumaInLitere", &FacturaDate::chitantaSumaInLitere},
    {L"chitantaData", &FacturaDate::chitantaData},
};

const QString* FindField(const FacturaDate& doc, const wchar_t* name, size_t length)
{
    for (const NamedField& field : kFields) {
        if (wcslen(field.name) == length && wcsncmp(field.name, name, length) == 0)
            return &(doc.*field.member);
    }
    return nullptr;
}

} // namespace

QString FillPattern(const wchar_t* pattern, const FacturaDate& doc)
{
    QString text;
    const wchar_t* p = pattern;
    while (*p) {
        const wchar_t* open = wcschr(p, L'{');
        const wchar_t* close = open ? wcschr(open, L'}') : nullptr;
        if (!close) {
            text.Append(p);
            break;
        }
        text.Append(p, static_cast<int>(open - p));
        const QString* value = FindField(doc, open + 1, close - open - 1);
        if (value)
            text.Append(value->c_str());
        else
            text.Append(open, static_cast<int>(close - open + 1));
        p = close + 1;
    }
    return text;
}

const wchar_t* PrintPattern(const PageText& text)
{
    return text.print == kSameText ? text.screen : text.print;
}

const QString& ItemText(const ItemFactura& item, ItemField field)
{
    switch (field) {
    case ItemField::NrCrt: return item.nrCrt;
    case ItemField::Denumire: return item.denumire;
    case ItemField::Um: return item.um;
    case ItemField::Cantitate: return item.cantitate;
    case ItemField::PretUnitar: return item.pretUnitar;
    case ItemField::Valoare: return item.valoare;
    case ItemField::ValoareTVA: return item.valoareTVA;
    case ItemField::CotaTVA: break;
    }
    return item.cotaTVA;
}

int RowRule::CountFitting(const QString* names, int count) const
{
    if (maxLines <= 0)
        return count;
    int lines = 0;
    for (int i = 0; i < count; ++i) {
        lines += TakesTwo(names[i]) ? 2 : 1;
        if (lines > maxLines)
            return i;
    }
    return count;
}
