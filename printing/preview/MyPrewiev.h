#pragma once
#include <wincodec.h>
#include "framework/utils/QBuffer.h"
#include "printing/preview/IDrawDocument.h"
#include "printing/preview/PagePreviewControl.h"
#include "printing/preview/ScreenPage.h"

// The on-screen preview of one document. Owns its document.
class MyPrewiev : public PagePreviewControl {
public:
    MyPrewiev();
    ~MyPrewiev() override;

    // Types 0, 1, 2 and 4 get an invoice page, 3 a goods-received note, any
    // other type no document (the control stays black). May throw the
    // record's database error.
    void CreateDocument(int type, unsigned long long id);
    // The document read again in the layout it shows (a print may have
    // stored what its page names), without a second opening zoom.
    void ReloadDocument(int type, unsigned long long id);
    void SetModel(int layout);
    IDrawDocument* GetDocument() const { return document; }

    HRESULT CreateDeviceResources() override;
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
    ID2D1RenderTarget* GetRenderTarget() const { return drawTarget; }
    ID2D1DCRenderTarget* GetWindowRenderTarget() const { return renderTarget; }

    // Draws one frame, as a paint would, into a WIC bitmap (32bpp PBGRA); the
    // window's own resources are made again at its next paint.
    HRESULT RenderToWicBitmap(IWICBitmap* bitmap);

    static const float kMinZoom;
    static const float kMaxZoom;

protected:
    void ReleaseTargetResources() override;
    void DrawContent() override;
    D2D1_SIZE_F KeptPageSize() const override;

private:
    HRESULT CreateTargetResources();
    HRESULT CreateTextFormats();
    void ReleaseTextFormats();
    void MakeBackgroundBitmap();

    IDrawDocument* document;
    bool openingZoomDone = false;
    IDWriteTextFormat* format14;
    IDWriteTextFormat* format16;
    IDWriteTextFormat* format12;
    IDWriteTextFormat* format7_7;
    IDWriteTextFormat* format6;
    IDWriteTextFormat* format10;
    IDWriteTextFormat* format6b;
    ID2D1SolidColorBrush* blackBrush;
    ID2D1SolidColorBrush* whiteBrush;
    ID2D1Bitmap* backgroundBitmap;
    micro::utils::QBuffer backgroundSource;
};
