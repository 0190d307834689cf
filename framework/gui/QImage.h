#pragma once
#include <windows.h>
#include <wincodec.h>
#include <dwrite.h>

namespace micro {
namespace gui {

// Decodes the first frame of a PNG or JPEG held in memory, scaled (cubic) to
// width x height when given (a side of 0 follows the other's aspect ratio; both
// 0 keep the picture's size), as 32-bit premultiplied BGRA. The caller releases
// the source; on failure none is handed out.
HRESULT DecodeImageWithWic(const void* bytes, UINT count, IWICBitmapSource** source, UINT width, UINT height);
// The same for an image among the program's resources ("JPG", "PNG").
HRESULT LoadImageResource(UINT id, const wchar_t* type, IWICBitmapSource** source, UINT width, UINT height);
// A new 32-bit top-down DIB section holding the source's pixels; the caller deletes it.
HRESULT CreateDibFromWicBitmap(IWICBitmapSource* source, HBITMAP* bitmap);
// The process-wide WIC factory (one reference added for the caller).
HRESULT GetWicFactory(IWICImagingFactory** factory);
// The process-wide shared DirectWrite factory (one reference added for the caller).
HRESULT GetDWriteFactory(IDWriteFactory** factory);

// Releases a COM pointer when it leaves scope.
template <class T>
class QComPtr {
public:
    QComPtr() : m_p(nullptr) {}
    ~QComPtr() { Release(); }
    QComPtr(const QComPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    QComPtr& operator=(const QComPtr& other)
    {
        if (other.m_p)
            other.m_p->AddRef();
        Release();
        m_p = other.m_p;
        return *this;
    }
    void Release()
    {
        if (m_p) {
            m_p->Release();
            m_p = nullptr;
        }
    }
    T** operator&() { Release(); return &m_p; }
    T* operator->() const { return m_p; }
    operator T*() const { return m_p; }
    T* Get() const { return m_p; }
    void Attach(T* p) { Release(); m_p = p; }
    T* Detach() { T* p = m_p; m_p = nullptr; return p; }

private:
    T* m_p;
};

} // namespace gui
} // namespace micro
