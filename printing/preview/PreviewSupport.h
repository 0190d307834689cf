#pragma once
#include <windows.h>
#include <d2d1.h>

// What the Direct2D preview controls share whatever page they show.

// Releases the COM interface a field holds and empties the field.
template <class T>
void ReleaseComPtr(T*& field)
{
    if (field) {
        field->Release();
        field = nullptr;
    }
}

// The interface a field holds (no reference added).
template <class T>
T* GetHeldPointer(T* const& field)
{
    return field;
}

// A preview draws through its paint DC: a window render target of a child
// window stays invisible under Wine, the GDI copy shows everywhere. The
// target is made once and bound to the client area at every paint, so a
// resize needs nothing of it.
HRESULT CreatePaintDcTarget(ID2D1Factory* factory, ID2D1DCRenderTarget** target);
// Binds the target to the paint DC over the window's client area. When the
// target could not be made (`made` failed), the bind fails or the program's
// window is minimised, the area is painted black through GDI instead and the
// answer is false: draw nothing.
bool BindPaintTarget(HWND window, HDC paintDc, HRESULT made, ID2D1DCRenderTarget* target);
// The window's client area in black, through the given DC.
void FillBlack(HWND window, HDC dc);

// The zoom a preview accepts: small enough pages stay visible, large ones
// stay within what a render target can draw.
const float kPreviewMinZoom = 0.2f;
const float kPreviewMaxZoom = 10.0f;
float ClampPreviewZoom(double zoom);

// The stroke of a rule (a line or a frame) on a screen page, in page units
// under the target's current transform and DPI: the paper's 0.5 wherever
// that makes a device pixel or more, else just over one device pixel.
float ScreenRuleWidth(ID2D1RenderTarget* target);
