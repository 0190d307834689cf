#pragma once
#include <windows.h>

// Small pieces a Direct2D preview control needs whatever page it shows.

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

// What a preview shows when Direct2D cannot draw: its client area in black,
// painted through GDI.
void FillWindowBlack(HWND window);

// The zoom a preview accepts: small enough pages stay visible, large ones
// stay within what a render target can draw.
const float kPreviewMinZoom = 0.2f;
const float kPreviewMaxZoom = 10.0f;
float ClampPreviewZoom(double zoom);
