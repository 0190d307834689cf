#pragma once
#include <d2d1.h>
#include "printing/FacturaDate.h"
#include "printing/preview/IDrawDocument.h"

// An invoice, proforma, delivery note or return invoice on screen, in one of
// the three layouts; the record is read once when the page is made.
class DrawFactura : public IDrawDocument, protected FacturaDate {
public:
    DrawFactura(MyPrewiev* owner, unsigned long long id, int type);
    ~DrawFactura() override;

    // The logo and the stamp as bitmaps of the target; a picture that does not
    // decode is simply left out.
    void CreateResources(ID2D1RenderTarget* target) override;
    void DiscardResources() override;
    // Model 1 and 2 draw their layout, any other model layout 3; the first
    // draw ends with the preview's opening zoom.
    void Draw() override;

    const FacturaDate& Record() const { return *this; }
    ID2D1Bitmap* GetLogoBitmap() const { return logoBitmap; }
    ID2D1Bitmap* GetStampBitmap() const { return stampBitmap; }

    int32_t tipDocument;
    unsigned char primulDesen;

private:
    ID2D1Bitmap* logoBitmap;
    ID2D1Bitmap* stampBitmap;
};
