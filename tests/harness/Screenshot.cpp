#include "tests/harness/Screenshot.h"
#include "framework/gui/QImage.h"
#include <wincodec.h>
#include <vector>

namespace testing_support {

using micro::gui::QComPtr;

std::wstring TestOutFolder()
{
    CreateDirectoryW(L"test-out", nullptr);
    return L"test-out\\";
}

bool SavePixelsPng(const void* pixels, UINT width, UINT height, UINT stride, const std::wstring& name)
{
    QComPtr<IWICImagingFactory> factory;
    if (FAILED(micro::gui::GetWicFactory(&factory)))
        return false;
    std::wstring path = TestOutFolder() + name + L".png";
    QComPtr<IWICStream> stream;
    QComPtr<IWICBitmapEncoder> encoder;
    QComPtr<IWICBitmapFrameEncode> frame;
    HRESULT hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(height, stride, stride * height, static_cast<BYTE*>(const_cast<void*>(pixels)));
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return SUCCEEDED(hr);
}

namespace {

// A block of a DC's pixels, 32 bits each, row by row from the top.
std::vector<DWORD> CopyPixels(HDC source, int x, int y, int width, int height)
{
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        pixels.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + width * height);
        SelectObject(memory, old);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    return pixels;
}

} // namespace

bool SaveWindowPng(HWND window, const std::wstring& name)
{
    RECT rc;
    if (!GetWindowRect(window, &rc))
        return false;
    // A maximised window's frame lies partly off the screen; the screen copy
    // below must take only what is on it.
    int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    RECT screenRect = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    IntersectRect(&rc, &rc, &screenRect);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    HDC screen = GetDC(nullptr);
    std::vector<DWORD> pixels = CopyPixels(screen, rc.left, rc.top, width, height);
    ReleaseDC(nullptr, screen);
    if (pixels.empty())
        return false;
    // Screen pixels carry no alpha: make them opaque.
    for (DWORD& pixel : pixels)
        pixel |= 0xFF000000u;
    return SavePixelsPng(pixels.data(), width, height, width * 4, name);
}

std::vector<DWORD> WindowPixels(HWND window)
{
    RECT rc = {};
    GetWindowRect(window, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0)
        return {};
    HDC source = GetWindowDC(window);
    std::vector<DWORD> pixels = CopyPixels(source, 0, 0, width, height);
    ReleaseDC(window, source);
    return pixels;
}

} // namespace testing_support
