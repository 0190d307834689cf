#pragma once
#include <cstdint>

struct ID2D1RenderTarget;
class MyPrewiev;

// The invoice page: 1 the full page, 2 the invoice with its receipt, 3 the
// invoice twice on one page.
enum FacturaLayout {
    FacturaLayoutFull = 1,
    FacturaLayoutWithReceipt = 2,
    FacturaLayoutTwice = 3,
};

// A page drawn on its owner's render target. Deleting it through this base
// destroys the whole document, record included.
class IDrawDocument {
public:
    explicit IDrawDocument(MyPrewiev* ownerControl) : owner(ownerControl), model(FacturaLayoutFull) {}
    virtual ~IDrawDocument() {}
    IDrawDocument(const IDrawDocument&) = delete;
    IDrawDocument& operator=(const IDrawDocument&) = delete;

    // Device-dependent resources of the page (bitmaps), made per render target.
    virtual void CreateResources(ID2D1RenderTarget* target) { (void)target; }
    virtual void DiscardResources() {}
    // Draws the whole page between the owner's BeginDraw and EndDraw.
    virtual void Draw() = 0;

    MyPrewiev* owner;
    int32_t model;   // FacturaLayout
};
