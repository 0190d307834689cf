#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include <wincodec.h>
#include <string>
#include <vector>
#include "framework/gui/QImage.h"
#include "printing/preview/ScreenPage.h"

namespace layout_tests {

// One drawing call a screen page made.
struct DrawCall {
    enum Kind { Fill, Frame, Line, Text, Bitmap } kind;
    D2D1_RECT_F rect;  // Line: (x1, y1, x2, y2)
    std::wstring text;
    float fontSize;
    float stroke;
};

// A render target that writes down every drawing call and passes it on to a
// WIC bitmap render target, so the page both is recorded and can be looked at.
class RecordingTarget : public ID2D1RenderTarget {
public:
    explicit RecordingTarget(ID2D1RenderTarget* inner) : m_inner(inner) {}
    virtual ~RecordingTarget() {}
    std::vector<DrawCall> calls;

    // IUnknown: the object lives on the test's stack.
    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD_(void, GetFactory)(ID2D1Factory** factory) const override { m_inner->GetFactory(factory); }

    STDMETHOD(CreateBitmap)(D2D1_SIZE_U size, const void* data, UINT32 pitch, const D2D1_BITMAP_PROPERTIES* props, ID2D1Bitmap** bitmap) override { return m_inner->CreateBitmap(size, data, pitch, props, bitmap); }
    STDMETHOD(CreateBitmapFromWicBitmap)(IWICBitmapSource* source, const D2D1_BITMAP_PROPERTIES* props, ID2D1Bitmap** bitmap) override { return m_inner->CreateBitmapFromWicBitmap(source, props, bitmap); }
    STDMETHOD(CreateSharedBitmap)(REFIID iid, void* data, const D2D1_BITMAP_PROPERTIES* props, ID2D1Bitmap** bitmap) override { return m_inner->CreateSharedBitmap(iid, data, props, bitmap); }
    STDMETHOD(CreateBitmapBrush)(ID2D1Bitmap* bitmap, const D2D1_BITMAP_BRUSH_PROPERTIES* bp, const D2D1_BRUSH_PROPERTIES* p, ID2D1BitmapBrush** brush) override { return m_inner->CreateBitmapBrush(bitmap, bp, p, brush); }
    STDMETHOD(CreateSolidColorBrush)(const D2D1_COLOR_F* color, const D2D1_BRUSH_PROPERTIES* p, ID2D1SolidColorBrush** brush) override { return m_inner->CreateSolidColorBrush(color, p, brush); }
    STDMETHOD(CreateGradientStopCollection)(const D2D1_GRADIENT_STOP* stops, UINT count, D2D1_GAMMA gamma, D2D1_EXTEND_MODE mode, ID2D1GradientStopCollection** out) override { return m_inner->CreateGradientStopCollection(stops, count, gamma, mode, out); }
    STDMETHOD(CreateLinearGradientBrush)(const D2D1_LINEAR_GRADIENT_BRUSH_PROPERTIES* lp, const D2D1_BRUSH_PROPERTIES* p, ID2D1GradientStopCollection* stops, ID2D1LinearGradientBrush** brush) override { return m_inner->CreateLinearGradientBrush(lp, p, stops, brush); }
    STDMETHOD(CreateRadialGradientBrush)(const D2D1_RADIAL_GRADIENT_BRUSH_PROPERTIES* rp, const D2D1_BRUSH_PROPERTIES* p, ID2D1GradientStopCollection* stops, ID2D1RadialGradientBrush** brush) override { return m_inner->CreateRadialGradientBrush(rp, p, stops, brush); }
    STDMETHOD(CreateCompatibleRenderTarget)(const D2D1_SIZE_F* size, const D2D1_SIZE_U* pixelSize, const D2D1_PIXEL_FORMAT* format, D2D1_COMPATIBLE_RENDER_TARGET_OPTIONS options, ID2D1BitmapRenderTarget** target) override { return m_inner->CreateCompatibleRenderTarget(size, pixelSize, format, options, target); }
    STDMETHOD(CreateLayer)(const D2D1_SIZE_F* size, ID2D1Layer** layer) override { return m_inner->CreateLayer(size, layer); }
    STDMETHOD(CreateMesh)(ID2D1Mesh** mesh) override { return m_inner->CreateMesh(mesh); }

    STDMETHOD_(void, DrawLine)(D2D1_POINT_2F p0, D2D1_POINT_2F p1, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style) override;
    STDMETHOD_(void, DrawRectangle)(const D2D1_RECT_F* rect, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style) override;
    STDMETHOD_(void, FillRectangle)(const D2D1_RECT_F* rect, ID2D1Brush* brush) override;
    STDMETHOD_(void, DrawRoundedRectangle)(const D2D1_ROUNDED_RECT* r, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style) override { m_inner->DrawRoundedRectangle(r, brush, width, style); }
    STDMETHOD_(void, FillRoundedRectangle)(const D2D1_ROUNDED_RECT* r, ID2D1Brush* brush) override { m_inner->FillRoundedRectangle(r, brush); }
    STDMETHOD_(void, DrawEllipse)(const D2D1_ELLIPSE* e, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style) override { m_inner->DrawEllipse(e, brush, width, style); }
    STDMETHOD_(void, FillEllipse)(const D2D1_ELLIPSE* e, ID2D1Brush* brush) override { m_inner->FillEllipse(e, brush); }
    STDMETHOD_(void, DrawGeometry)(ID2D1Geometry* g, ID2D1Brush* brush, FLOAT width, ID2D1StrokeStyle* style) override { m_inner->DrawGeometry(g, brush, width, style); }
    STDMETHOD_(void, FillGeometry)(ID2D1Geometry* g, ID2D1Brush* brush, ID2D1Brush* opacity) override { m_inner->FillGeometry(g, brush, opacity); }
    STDMETHOD_(void, FillMesh)(ID2D1Mesh* mesh, ID2D1Brush* brush) override { m_inner->FillMesh(mesh, brush); }
    STDMETHOD_(void, FillOpacityMask)(ID2D1Bitmap* mask, ID2D1Brush* brush, D2D1_OPACITY_MASK_CONTENT content, const D2D1_RECT_F* dst, const D2D1_RECT_F* src) override { m_inner->FillOpacityMask(mask, brush, content, dst, src); }
    STDMETHOD_(void, DrawBitmap)(ID2D1Bitmap* bitmap, const D2D1_RECT_F* dst, FLOAT opacity, D2D1_BITMAP_INTERPOLATION_MODE mode, const D2D1_RECT_F* src) override;
    STDMETHOD_(void, DrawText)(const WCHAR* text, UINT length, IDWriteTextFormat* format, const D2D1_RECT_F* rect, ID2D1Brush* brush, D2D1_DRAW_TEXT_OPTIONS options, DWRITE_MEASURING_MODE mode) override;
    STDMETHOD_(void, DrawTextLayout)(D2D1_POINT_2F origin, IDWriteTextLayout* layout, ID2D1Brush* brush, D2D1_DRAW_TEXT_OPTIONS options) override { m_inner->DrawTextLayout(origin, layout, brush, options); }
    STDMETHOD_(void, DrawGlyphRun)(D2D1_POINT_2F origin, const DWRITE_GLYPH_RUN* run, ID2D1Brush* brush, DWRITE_MEASURING_MODE mode) override { m_inner->DrawGlyphRun(origin, run, brush, mode); }
    STDMETHOD_(void, SetTransform)(const D2D1_MATRIX_3X2_F* t) override { m_inner->SetTransform(t); }
    STDMETHOD_(void, GetTransform)(D2D1_MATRIX_3X2_F* t) const override { m_inner->GetTransform(t); }
    STDMETHOD_(void, SetAntialiasMode)(D2D1_ANTIALIAS_MODE mode) override { m_inner->SetAntialiasMode(mode); }
    STDMETHOD_(D2D1_ANTIALIAS_MODE, GetAntialiasMode)() const override { return m_inner->GetAntialiasMode(); }
    STDMETHOD_(void, SetTextAntialiasMode)(D2D1_TEXT_ANTIALIAS_MODE mode) override { m_inner->SetTextAntialiasMode(mode); }
    STDMETHOD_(D2D1_TEXT_ANTIALIAS_MODE, GetTextAntialiasMode)() const override { return m_inner->GetTextAntialiasMode(); }
    STDMETHOD_(void, SetTextRenderingParams)(IDWriteRenderingParams* p) override { m_inner->SetTextRenderingParams(p); }
    STDMETHOD_(void, GetTextRenderingParams)(IDWriteRenderingParams** p) const override { m_inner->GetTextRenderingParams(p); }
    STDMETHOD_(void, SetTags)(D2D1_TAG a, D2D1_TAG b) override { m_inner->SetTags(a, b); }
    STDMETHOD_(void, GetTags)(D2D1_TAG* a, D2D1_TAG* b) const override { m_inner->GetTags(a, b); }
    STDMETHOD_(void, PushLayer)(const D2D1_LAYER_PARAMETERS* p, ID2D1Layer* layer) override { m_inner->PushLayer(p, layer); }
    STDMETHOD_(void, PopLayer)() override { m_inner->PopLayer(); }
    STDMETHOD(Flush)(D2D1_TAG* a, D2D1_TAG* b) override { return m_inner->Flush(a, b); }
    STDMETHOD_(void, SaveDrawingState)(ID2D1DrawingStateBlock* block) const override { m_inner->SaveDrawingState(block); }
    STDMETHOD_(void, RestoreDrawingState)(ID2D1DrawingStateBlock* block) override { m_inner->RestoreDrawingState(block); }
    STDMETHOD_(void, PushAxisAlignedClip)(const D2D1_RECT_F* r, D2D1_ANTIALIAS_MODE mode) override { m_inner->PushAxisAlignedClip(r, mode); }
    STDMETHOD_(void, PopAxisAlignedClip)() override { m_inner->PopAxisAlignedClip(); }
    STDMETHOD_(void, Clear)(const D2D1_COLOR_F* color) override { m_inner->Clear(color); }
    STDMETHOD_(void, BeginDraw)() override { m_inner->BeginDraw(); }
    STDMETHOD(EndDraw)(D2D1_TAG* a, D2D1_TAG* b) override { return m_inner->EndDraw(a, b); }
    D2D1_PIXEL_FORMAT* STDMETHODCALLTYPE GetPixelFormat(D2D1_PIXEL_FORMAT* out) const override { return m_inner->GetPixelFormat(out); }
    STDMETHOD_(void, SetDpi)(FLOAT x, FLOAT y) override { m_inner->SetDpi(x, y); }
    STDMETHOD_(void, GetDpi)(FLOAT* x, FLOAT* y) const override { m_inner->GetDpi(x, y); }
    D2D1_SIZE_F* STDMETHODCALLTYPE GetSize(D2D1_SIZE_F* out) const override { return m_inner->GetSize(out); }
    D2D1_SIZE_U* STDMETHODCALLTYPE GetPixelSize(D2D1_SIZE_U* out) const override { return m_inner->GetPixelSize(out); }
    STDMETHOD_(UINT32, GetMaximumBitmapSize)() const override { return m_inner->GetMaximumBitmapSize(); }
    STDMETHOD_(BOOL, IsSupported)(const D2D1_RENDER_TARGET_PROPERTIES* p) const override { return m_inner->IsSupported(p); }

private:
    ID2D1RenderTarget* m_inner;
};

// A page-sized WIC bitmap (at a zoom) with its render target wrapped in a
// recording target, the preview's brushes and text formats, and bitmaps made
// from pictures; everything the screen pages draw with.
class PageCanvas {
public:
    explicit PageCanvas(float zoom = 2.0f);
    ~PageCanvas();
    bool Ready() const { return m_ready; }
    // The page's drawing resources (logo, stamp, background optional).
    ScreenPage Page();
    // A bitmap on the canvas from an encoded picture (null when it does not decode).
    ID2D1Bitmap* MakeBitmap(const std::string& encoded);
    void Begin();
    HRESULT End();
    RecordingTarget& Recorder() { return *m_recorder; }
    // Writes test-out/<name>.png.
    bool Save(const std::wstring& name);

    ID2D1Bitmap* logo = nullptr;
    ID2D1Bitmap* stamp = nullptr;
    ID2D1Bitmap* background = nullptr;

private:
    bool m_ready;
    float m_zoom;
    micro::gui::QComPtr<ID2D1Factory> m_factory;
    micro::gui::QComPtr<IWICBitmap> m_bitmap;
    micro::gui::QComPtr<ID2D1RenderTarget> m_target;
    RecordingTarget* m_recorder;
    micro::gui::QComPtr<ID2D1SolidColorBrush> m_black, m_white;
    micro::gui::QComPtr<IDWriteTextFormat> m_formats[7];
    std::vector<ID2D1Bitmap*> m_bitmaps;
};

// The calls of one kind, and the texts drawn, in order.
std::vector<DrawCall> CallsOf(const std::vector<DrawCall>& calls, DrawCall::Kind kind);
// The first text call with that text (null when none).
const DrawCall* FindText(const std::vector<DrawCall>& calls, const std::wstring& text);
int CountText(const std::vector<DrawCall>& calls, const std::wstring& text);
// Whether a line or frame from (x1, y1) to (x2, y2) was drawn.
bool HasStroke(const std::vector<DrawCall>& calls, DrawCall::Kind kind, float x1, float y1, float x2, float y2);

} // namespace layout_tests
