#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>
#include "framework/gui/QControl.h"
#include "framework/utils/QBuffer.h"
#include "printing/preview/IDrawDocument.h"
#include "printing/preview/ScreenPage.h"

// The on-screen preview of one document: a Direct2D page under a zoom (about
// the origin) and a pan, both in DIPs. The wheel zooms by 0.2 a notch,
// dragging with the left button pans. Owns its document.
class MyPrewiev : public micro::gui::QControl {
public:
    MyPrewiev();
    ~MyPrewiev() override;

    // The window, then the factories; false when any of them fails.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnLButtonUp(UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseWheel(int delta, UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseMove(UINT keys, int x, int y, LRESULT& result) override;

    // Types 0, 1, 2 and 4 get an invoice page, 3 a goods-received note, any
    // other type no document (the control stays black). May throw the
    // record's database error.
    void CreateDocument(int type, unsigned long long id);
    void SetModel(int layout);
    IDrawDocument* GetDocument() const { return document; }

    HRESULT CreateDeviceResources();
    // Zoom back to 1 (the pan stays) and every device resource released.
    void DiscardDeviceResources();
    // The opening zoom: the end state of a zoom from 0.1 to 1.15, the page
    // moving right as it grows.
    void AnimateZoomIn(IDrawDocument* drawn);

    // The page background: an encoded picture kept as its source, made into a
    // bitmap on whichever render target draws next. An empty source clears it.
    void SetBackgroundImage(const void* bytes, int count);
    bool SetBackgroundResource(UINT id);
    void ClearBackground();
    bool HasBackground() const { return !backgroundSource.IsEmpty(); }
    ID2D1Bitmap* GetBackgroundBitmap() const { return backgroundBitmap; }

    // What the document's page draws with on the current render target.
    ScreenPage GetScreenPage() const;
    ID2D1RenderTarget* GetRenderTarget() const { return target; }
    ID2D1DCRenderTarget* GetWindowRenderTarget() const { return renderTarget; }

    // Draws one frame, as a paint would, into a WIC bitmap (32bpp PBGRA); the
    // window's own resources are made again at its next paint.
    HRESULT RenderToWicBitmap(IWICBitmap* bitmap);
    // Runs a paint's end: a lost device discards the resources.
    void HandleEndDraw(HRESULT hr);

    float zoom;
    float panX;
    float panY;
    unsigned char dragging;

    static const float kMinZoom;
    static const float kMaxZoom;

private:
    bool EnsureFactories();
    HRESULT CreateTargetResources();
    void ReleaseTargetResources();
    HRESULT CreateTextFormats();
    void ReleaseTextFormats();
    void MakeBackgroundBitmap();
    HRESULT DrawFrame();
    void SetZoom(double value);

    IDrawDocument* document;
    ID2D1Factory* d2dFactory;
    IDWriteFactory* dwriteFactory;
    IDWriteTextFormat* format14;
    IDWriteTextFormat* format16;
    IDWriteTextFormat* format12;
    IDWriteTextFormat* format7_7;
    IDWriteTextFormat* format6;
    IDWriteTextFormat* format10;
    IDWriteTextFormat* format6b;
    ID2D1DCRenderTarget* renderTarget;   // bound to the paint DC
    ID2D1RenderTarget* target;   // the one drawing now: renderTarget or an off-screen one
    ID2D1SolidColorBrush* blackBrush;
    ID2D1SolidColorBrush* whiteBrush;
    ID2D1Bitmap* backgroundBitmap;
    micro::utils::QBuffer backgroundSource;
};
