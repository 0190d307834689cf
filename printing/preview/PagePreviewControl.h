#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include <vector>
#include "framework/gui/QControl.h"

// The wheel's pending delta and the last mouse position (taken from the first
// move seen). One of these is shared by every preview of a kind.
struct PreviewPointerState {
    int wheelAccumulator;
    bool haveLastMouse;
    POINT lastMouse;
};

// A Direct2D page on screen under a zoom (about the origin) and a pan, both
// in DIPs. The wheel zooms by 0.2 a whole notch, dragging with the left
// button pans. Painting goes through the paint DC; what the page shows and
// what it is drawn with belong to the derived preview.
class PagePreviewControl : public micro::gui::QControl {
public:
    ~PagePreviewControl() override;

    // The window, then the factories; false when any of them fails.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnLButtonUp(UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseWheel(int delta, UINT keys, int x, int y, LRESULT& result) override;
    bool OnMouseMove(UINT keys, int x, int y, LRESULT& result) override;

    // The window's render target and what is drawn with it; a paint calls
    // this first and draws nothing when it fails.
    virtual HRESULT CreateDeviceResources() = 0;
    // Zoom back to 1 (the pan stays); every device resource is released, to
    // be made again by the next paint.
    void DiscardDeviceResources();
    // The end of a paint: a lost device discards the device resources.
    void HandleEndDraw(HRESULT hr);

    float zoom;
    float panX;
    float panY;
    bool dragging;

protected:
    explicit PagePreviewControl(PreviewPointerState& sharedPointer);

    bool EnsureFactories();
    // Releases the render targets and everything made on them.
    virtual void ReleaseTargetResources() = 0;
    // Draws the page in page units on drawTarget, the transform already set.
    virtual void DrawContent() = 0;
    // One frame on drawTarget: black, then the page scaled and moved.
    HRESULT DrawFrame();
    // The page's extent in DIPs when its drawing may be kept as a picture
    // for the next pan and zoom steps; zero (the default): every paint
    // draws the page afresh.
    virtual D2D1_SIZE_F KeptPageSize() const { return D2D1::SizeF(0.0f, 0.0f); }
    // Forgets the kept pictures (with the render target they were made on).
    void ReleaseKeptPages();
    // The opening zoom: from 0.1 up to `end` in steps of 0.0001, the page
    // moving 0.008 DIPs right a step. No message is pumped meanwhile, so
    // only its end state shows.
    void StepZoomIn(double end);
    void SetZoom(double value);

    ID2D1Factory* d2dFactory;
    IDWriteFactory* dwriteFactory;
    ID2D1DCRenderTarget* renderTarget;   // bound to the paint DC; null: device resources not made
    ID2D1RenderTarget* drawTarget;       // the one drawing now: renderTarget or an off-screen one

private:
    // The same frame as DrawFrame, the page taken from a kept picture made
    // at this zoom (and fraction of a pixel of pan) when there is one.
    HRESULT DrawKeptFrame(D2D1_SIZE_F page);
    // A pan or zoom step shown at once; it reuses the kept pictures unless
    // something else is waiting to be painted too.
    void RepaintView();

    struct KeptPage {
        float zoom, fractionX, fractionY;
        ID2D1Bitmap* picture;
    };
    std::vector<KeptPage> keptPages; // the latest last
    bool viewStep = false;
    PreviewPointerState& pointer;
};
