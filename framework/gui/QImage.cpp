#include "framework/gui/QImage.h"
#include <climits>

namespace micro {
namespace gui {

HRESULT GetWicFactory(IWICImagingFactory** factory)
{
    static IWICImagingFactory* shared = nullptr;
    if (!factory)
        return E_POINTER;
    *factory = nullptr;
    if (!shared) {
        HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(&shared));
        if (FAILED(hr))
            return hr;
    }
    shared->AddRef();
    *factory = shared;
    return S_OK;
}

HRESULT DecodeImageWithWic(const void* bytes, UINT count, IWICBitmapSource** source, UINT width, UINT height)
{
    if (!source)
        return E_POINTER;
    *source = nullptr;
    if (!bytes || count == 0)
        return E_INVALIDARG;
    QComPtr<IWICImagingFactory> factory;
    HRESULT hr = GetWicFactory(&factory);
    if (FAILED(hr))
        return hr;
    QComPtr<IWICStream> stream;
    hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), count);
    QComPtr<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnLoad, &decoder);
    QComPtr<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(hr))
        hr = decoder->GetFrame(0, &frame);
    UINT ownWidth = 0, ownHeight = 0;
    if (SUCCEEDED(hr))
        hr = frame->GetSize(&ownWidth, &ownHeight);
    if (SUCCEEDED(hr) && (ownWidth == 0 || ownHeight == 0))
        hr = E_FAIL;
    if (FAILED(hr))
        return hr;

    QComPtr<IWICBitmapSource> current;
    current.Attach(frame.Detach());
    if (width || height) {
        if (!width)
            width = static_cast<UINT>((static_cast<unsigned long long>(height) * ownWidth + ownHeight / 2) / ownHeight);
        if (!height)
            height = static_cast<UINT>((static_cast<unsigned long long>(width) * ownHeight + ownWidth / 2) / ownWidth);
        if (!width)
            width = 1;
        if (!height)
            height = 1;
        QComPtr<IWICBitmapScaler> scaler;
        hr = factory->CreateBitmapScaler(&scaler);
        if (SUCCEEDED(hr))
            hr = scaler->Initialize(current, width, height, WICBitmapInterpolationModeCubic);
        if (FAILED(hr))
            return hr;
        current.Attach(scaler.Detach());
    }
    QComPtr<IWICFormatConverter> converter;
    hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(current, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeMedianCut);
    if (FAILED(hr))
        return hr;
    *source = converter.Detach();
    return S_OK;
}

HRESULT LoadImageResource(UINT id, const wchar_t* type, IWICBitmapSource** source, UINT width, UINT height)
{
    if (!source)
        return E_POINTER;
    *source = nullptr;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!info)
        return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    HGLOBAL handle = LoadResource(module, info);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    DWORD size = SizeofResource(module, info);
    if (!bytes || !size)
        return E_FAIL;
    return DecodeImageWithWic(bytes, size, source, width, height);
}

HRESULT CreateDibFromWicBitmap(IWICBitmapSource* source, HBITMAP* bitmap)
{
    if (!source || !bitmap)
        return E_POINTER;
    *bitmap = nullptr;
    UINT width = 0, height = 0;
    HRESULT hr = source->GetSize(&width, &height);
    if (FAILED(hr))
        return hr;
    unsigned long long stride = static_cast<unsigned long long>(width) * 4;
    unsigned long long size = stride * height;
    if (width == 0 || height == 0 || stride > UINT_MAX || size > UINT_MAX || width > INT_MAX || height > INT_MAX)
        return E_INVALIDARG;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = static_cast<LONG>(width);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(height);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ::ReleaseDC(nullptr, screen);
    if (!dib || !bits)
        return E_OUTOFMEMORY;
    hr = source->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(size), static_cast<BYTE*>(bits));
    if (FAILED(hr)) {
        DeleteObject(dib);
        return hr;
    }
    *bitmap = dib;
    return S_OK;
}

HRESULT GetDWriteFactory(IDWriteFactory** factory)
{
    static IDWriteFactory* shared = nullptr;
    if (!factory)
        return E_POINTER;
    *factory = nullptr;
    HRESULT hr = S_OK;
    if (!shared) {
        hr = DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                 reinterpret_cast<IUnknown**>(&shared));
        if (FAILED(hr))
            return hr;
    }
    shared->AddRef();
    *factory = shared;
    return hr;
}

} // namespace gui
} // namespace micro
