#pragma once
#include "printing/FacturaDate.h"
#include "printing/preview/IDrawDocument.h"

// A goods-received note on screen. It has one page and makes no bitmaps.
class DrawNir : public IDrawDocument, protected FacturaDate {
public:
    DrawNir(MyPrewiev* owner, unsigned long long id);
    void Draw() override;
    const FacturaDate& Record() const { return *this; }

    unsigned char primulDesen;
};
