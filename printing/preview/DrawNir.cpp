#include "printing/preview/DrawNir.h"
#include "printing/layouts/ScreenLayouts.h"
#include "printing/preview/MyPrewiev.h"

DrawNir::DrawNir(MyPrewiev* ownerControl, unsigned long long id)
    : IDrawDocument(ownerControl), FacturaDate(id, 3), primulDesen(1)
{
}

void DrawNir::Draw()
{
    DrawNirPage(owner->GetScreenPage(), Record());
    if (primulDesen) {
        owner->AnimateZoomIn(this);
        primulDesen = 0;
    }
}
