#include "printing/MyPrintPanel.h"
#include "framework/gui/QGraphics.h"
#include "framework/gui/QImage.h"
#include "printing/preview/FontFallback.h"
#include "printing/preview/PreviewSupport.h"

MyPrintPanel::MyPrintPanel(unsigned long long id)
    : zoom(1.0f), documentId(id), d2dFactory(nullptr), dwriteFactory(nullptr), textFormat(nullptr),
      renderTarget(nullptr), textBrush(nullptr), sheetBrush(nullptr)
{
}

MyPrintPanel::~MyPrintPanel()
{
    ReleaseComPtr(textFormat);
    ReleaseComPtr(textBrush);
    ReleaseComPtr(sheetBrush);
    ReleaseComPtr(renderTarget);
    ReleaseComPtr(d2dFactory);
    ReleaseComPtr(dwriteFactory);
}

bool MyPrintPanel::Create(micro::gui::QWindow* parent, UINT id, DWORD style)
{
    bool created = QXPanel::Create(parent, id, style);
    if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, &d2dFactory)))
        return false;
    if (FAILED(micro::gui::GetDWriteFactory(&dwriteFactory)))
        return false;
    return created;
}

micro::utils::QString MyPrintPanel::GetTitle()
{
    return micro::utils::QString::Formatted(L"Factura %llu", documentId);
}

HRESULT MyPrintPanel::CreateDeviceResources()
{
    if (renderTarget)
        return S_OK;
    HRESULT hr = CreatePaintDcTarget(d2dFactory, &renderTarget);
    if (FAILED(hr))
        return hr;
    renderTarget->CreateSolidColorBrush(D2D1::ColorF(0, 0, 0, 1), &textBrush);
    renderTarget->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &sheetBrush);
    ReleaseComPtr(textFormat);
    CreatePageTextFormat(dwriteFactory, L"Consolas", DWRITE_FONT_WEIGHT_NORMAL, 12.0f, &textFormat);
    return S_OK;
}

void MyPrintPanel::DiscardDeviceResources()
{
    zoom = 1.0f;
    ReleaseComPtr(textBrush);
    ReleaseComPtr(sheetBrush);
    ReleaseComPtr(renderTarget);
}

HRESULT MyPrintPanel::DrawPage()
{
    D2D1_SIZE_F size = renderTarget->GetSize();
    renderTarget->BeginDraw();
    renderTarget->Clear(D2D1::ColorF(0, 0, 0, 1));
    renderTarget->SetTransform(D2D1::Matrix3x2F::Scale(zoom, zoom) * D2D1::Matrix3x2F::Translation(1, 1));
    D2D1_RECT_F sheet = D2D1::RectF(10, 10, size.width - 10, size.height - 10);
    if (sheetBrush)
        renderTarget->FillRectangle(sheet, sheetBrush);
    if (textFormat && textBrush) {
        micro::utils::QString text = micro::utils::QString::Formatted(L"Factura nr: %llu", documentId);
        renderTarget->DrawText(text, static_cast<UINT32>(text.GetLength()), textFormat, sheet, textBrush);
    }
    return renderTarget->EndDraw();
}

bool MyPrintPanel::OnPaint(LRESULT& result)
{
    result = 0;
    micro::gui::QPaintGraphics dc(m_hwnd);
    HRESULT hr = CreateDeviceResources();
    if (!BindPaintTarget(m_hwnd, dc, hr, renderTarget))
        return true;
    if (DrawPage() == D2DERR_RECREATE_TARGET)
        DiscardDeviceResources();
    return true;
}

// The target is bound to the client rectangle at every paint.
bool MyPrintPanel::OnSize(UINT, int, int, LRESULT& result)
{
    result = 0;
    return true;
}

bool MyPrintPanel::OnEraseBackground(HDC, LRESULT& result)
{
    result = 1;
    return true;
}

void MyPrintPanel::MouseDown()
{
    Invalidate(true);
    SetCapture(m_hwnd);
}

void MyPrintPanel::MouseUp()
{
    ReleaseCapture();
}

bool MyPrintPanel::OnLButtonDown(UINT, int, int, LRESULT& result)
{
    result = 0;
    MouseDown();
    return true;
}

bool MyPrintPanel::OnLButtonUp(UINT, int, int, LRESULT& result)
{
    result = 0;
    MouseUp();
    return true;
}

bool MyPrintPanel::OnRButtonDown(UINT, int, int, LRESULT& result)
{
    result = 0;
    MouseDown();
    return true;
}

bool MyPrintPanel::OnRButtonUp(UINT, int, int, LRESULT& result)
{
    result = 0;
    MouseUp();
    return true;
}
