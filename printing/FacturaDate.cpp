#include "printing/FacturaDate.h"

FacturaDate::FacturaDate(unsigned long long documentId, int type)
    : ultimaCotaTVA(0), id(documentId), tip(type), chitantaId(0), clientId(0), dataCreareSecunde(0),
      tvaLaIncasare(0), faraTVA(0)
{
    SetStartValues();
    Load();
}

FacturaDate::~FacturaDate() {}

void FacturaDate::SetStartValues() {}
void FacturaDate::Load() {}

FacturaPrintJob::FacturaPrintJob(unsigned long long documentId, int type, int layout, HWND ownerWindow)
    : FacturaDate(documentId, type), idDocument(documentId), tipDocument(type), model(layout), owner(ownerWindow)
{
}
