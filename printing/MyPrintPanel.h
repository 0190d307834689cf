#pragma once
#include <d2d1.h>
#include <dwrite.h>
#include "framework/gui/QPanel.h"

// The print tab: "Factura nr: " and the document id on a white sheet.
class MyPrintPanel : public micro::gui::QXPanel {
public:
    explicit MyPrintPanel(unsigned long long id);
    ~MyPrintPanel() override;

    // The window, then the factories; false when any of them fails.
    bool Create(micro::gui::QWindow* parent, UINT id, DWORD style) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnPaint(LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnLButtonUp(UINT keys, int x, int y, LRESULT& result) override;
    bool OnRButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnRButtonUp(UINT keys, int x, int y, LRESULT& result) override;
    micro::utils::QString GetTitle() override;

    HRESULT CreateDeviceResources();
    void DiscardDeviceResources();
    // Draws one frame on the current target (a paint's work, without the paint).
    HRESULT DrawPage();

    unsigned long long GetDocumentId() const { return documentId; }
    ID2D1DCRenderTarget* GetRenderTarget() const { return renderTarget; }
    float zoom;

private:
    void MouseDown();
    void MouseUp();

    unsigned long long documentId;
    ID2D1Factory* d2dFactory;
    IDWriteFactory* dwriteFactory;
    IDWriteTextFormat* textFormat;
    ID2D1DCRenderTarget* renderTarget;   // bound to the paint DC
    ID2D1SolidColorBrush* textBrush;
    ID2D1SolidColorBrush* sheetBrush;
};
