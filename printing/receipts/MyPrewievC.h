#pragma once
#include "framework/utils/QBuffer.h"
#include "printing/preview/PagePreviewControl.h"
#include "printing/receipts/ChitantaTexts.h"

// The on-screen preview of a receipt: holds the receipt's texts, logo and
// stamp and the Direct2D objects that draw them. What the page shows is
// DrawPage's business.
//
// The texts are the ChitantaTexts base: the print dialog assigns them, the
// buffers and the model directly.
class MyPrewievC : public PagePreviewControl, public ChitantaTexts {
public:
    MyPrewievC();
    ~MyPrewievC() override;

    // Draws the page in page units on Target(), the transform already set.
    virtual bool DrawPage() = 0;

    // The window's render target (drawing through the paint DC) with its
    // brushes, text formats and bitmaps; nothing is made again while the
    // render target lives.
    HRESULT CreateDeviceResources() override;
    // The opening zoom from 0.1 up to 1.3, the page moving right as it grows.
    void AnimateZoomIn();

    // Draws one frame as a paint would, on another target (a bitmap's, say),
    // with resources made for it and released after; the window's own are
    // made again at its next paint. Answers EndDraw's result.
    HRESULT RenderFrame(ID2D1RenderTarget* target);

    // The target being drawn on: the window's, or RenderFrame's.
    ID2D1RenderTarget* Target() const { return drawTarget; }

    using PagePreviewControl::d2dFactory;
    using PagePreviewControl::dwriteFactory;
    using PagePreviewControl::renderTarget;   // null: device resources not made

    int model;                                 // ChitantaModel
    IDWriteTextFormat* formatBold8;
    IDWriteTextFormat* formatTitle14;
    IDWriteTextFormat* formatBold9;
    IDWriteTextFormat* formatNormal8;
    ID2D1SolidColorBrush* blackBrush;
    ID2D1SolidColorBrush* whiteBrush;
    ID2D1Bitmap* logoBitmap;                   // null: no logo, or it did not decode
    ID2D1Bitmap* stampBitmap;
    micro::utils::QBuffer logo;                // encoded picture (PNG or JPEG)
    micro::utils::QBuffer stampila;
    unsigned char firstPaint;                  // the next page drawn runs the opening zoom

protected:
    void ReleaseTargetResources() override;
    void DrawContent() override;

private:
    HRESULT CreateTargetResources();
    HRESULT CreateTextFormats();
    void ReleaseTextFormats();
    ID2D1Bitmap* MakeBitmap(const micro::utils::QBuffer& picture);
};
