#include "printing/preview/FontFallback.h"
#include <cwchar>
#include <initializer_list>
#include "framework/gui/QImage.h"

using micro::gui::QComPtr;
using micro::utils::QString;

namespace {

const wchar_t kRounded[] = L"Arial Rounded MT";
const wchar_t kRoundedBold[] = L"Arial Rounded MT Bold";

bool IsInstalled(IDWriteFontCollection* fonts, const wchar_t* family)
{
    UINT32 index = 0;
    BOOL exists = FALSE;
    return SUCCEEDED(fonts->FindFamilyName(family, &index, &exists)) && exists;
}

QString FirstInstalledFamily(IDWriteFontCollection* fonts)
{
    QComPtr<IDWriteFontFamily> family;
    QComPtr<IDWriteLocalizedStrings> names;
    if (fonts->GetFontFamilyCount() == 0 || FAILED(fonts->GetFontFamily(0, &family)) ||
        FAILED(family->GetFamilyNames(&names)))
        return QString();
    UINT32 length = 0;
    if (FAILED(names->GetStringLength(0, &length)))
        return QString();
    QString name;
    wchar_t* buffer = name.GetBuffer(static_cast<int>(length) + 1);
    HRESULT hr = names->GetString(0, buffer, length + 1);
    name.ReleaseBuffer(SUCCEEDED(hr) ? static_cast<int>(length) : 0);
    return name;
}

} // namespace

QString ResolveFontFamily(IDWriteFactory* factory, const wchar_t* family, DWRITE_FONT_WEIGHT& weight)
{
    QComPtr<IDWriteFontCollection> fonts;
    if (!factory || FAILED(factory->GetSystemFontCollection(&fonts, FALSE)))
        return QString(family);
    if (IsInstalled(fonts, family))
        return QString(family);
    if (wcscmp(family, kRoundedBold) == 0) {
        weight = DWRITE_FONT_WEIGHT_BOLD;
        if (IsInstalled(fonts, kRounded))
            return QString(kRounded);
    }
    // Arial, else a sans-serif face of the same kind that is commonly there.
    for (const wchar_t* nearest : {L"Arial", L"Liberation Sans", L"DejaVu Sans", L"Tahoma"})
        if (IsInstalled(fonts, nearest))
            return QString(nearest);
    QString any = FirstInstalledFamily(fonts);
    return any.IsEmpty() ? QString(family) : any;
}

HRESULT CreatePageTextFormat(IDWriteFactory* factory, const wchar_t* family, DWRITE_FONT_WEIGHT weight, float size,
                             IDWriteTextFormat** format)
{
    *format = nullptr;
    if (!factory)
        return E_POINTER;
    QString resolved = ResolveFontFamily(factory, family, weight);
    return factory->CreateTextFormat(resolved, nullptr, weight, DWRITE_FONT_STYLE_NORMAL, DWRITE_FONT_STRETCH_NORMAL,
                                     size, L"en-us", format);
}
