#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include "framework/gui/QControl.h"
#include "framework/utils/QBuffer.h"
#include "printing/receipts/ChitantaTexts.h"

// The on-screen preview of a receipt: holds the receipt's texts, logo and
// stamp and the Direct2D objects that draw them, and paints a page through a
// zoom (about the origin) and a pan that the mouse wheel and dragging change.
// What the page shows is DrawPage's business.
//
// The texts are the ChitantaTexts base: the print dialog assigns them, the
// buffers and the model directly.
class MyPrewievC : public micro::gui::QControl, public ChitantaTexts {
public:
    MyPrewievC();
    ~MyPrewievC() override;

    // The window (a visible child of parent), then the Direct2D factory and
    // the shared DirectWrite factory; false when a factory cannot be had.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnLButtonUp(UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseWheel(int delta, UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseMove(UINT keys, int x, int y, LRESULT& result) override;

    // Draws the page in page units on Target(), the transform already set.
    virtual bool DrawPage() = 0;

    // The window's render target (drawing through the paint DC) with its
    // brushes, text formats and bitmaps; nothing is made again while the
    // render target lives.
    HRESULT CreateDeviceResources();
    // Zoom back to 1 (the pan stays); the render target and everything made
    // on it are released, to be made again by the next paint.
    void DiscardDeviceResources();
    // The opening zoom from 0.1 up to 1.3, the page moving right as it grows.
    // No message is pumped meanwhile, so only its end state shows.
    void AnimateZoomIn();

    // Draws one frame as a paint would, on another target (a bitmap's, say),
    // with resources made for it and released after; the window's own are
    // made again at its next paint. Answers EndDraw's result.
    HRESULT RenderFrame(ID2D1RenderTarget* target);
    // The end of a paint: a lost device discards the device resources.
    void HandleEndDraw(HRESULT hr);

    // The target being drawn on: the window's, or RenderFrame's.
    ID2D1RenderTarget* Target() const { return drawTarget; }

    int model;                                 // ChitantaModel
    ID2D1Factory* d2dFactory;
    IDWriteFactory* dwriteFactory;
    IDWriteTextFormat* formatBold8;
    IDWriteTextFormat* formatTitle14;
    IDWriteTextFormat* formatBold9;
    IDWriteTextFormat* formatNormal8;
    ID2D1DCRenderTarget* renderTarget;         // null: device resources not made
    ID2D1SolidColorBrush* blackBrush;
    ID2D1SolidColorBrush* whiteBrush;
    ID2D1Bitmap* logoBitmap;                   // null: no logo, or it did not decode
    ID2D1Bitmap* stampBitmap;
    float zoom;
    float panX;
    float panY;
    micro::utils::QBuffer logo;                // encoded picture (PNG or JPEG)
    micro::utils::QBuffer stampila;
    bool dragging;
    unsigned char firstPaint;                  // the next page drawn runs the opening zoom

private:
    bool EnsureFactories();
    HRESULT CreateTargetResources();
    void ReleaseTargetResources();
    HRESULT CreateTextFormats();
    void ReleaseTextFormats();
    ID2D1Bitmap* MakeBitmap(const micro::utils::QBuffer& picture);
    HRESULT DrawFrame();

    ID2D1RenderTarget* drawTarget;
};
