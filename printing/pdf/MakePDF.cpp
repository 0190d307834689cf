#include "printing/pdf/MakePDF.h"
#include "framework/files/QFiles.h"
#include "printing/pdf/MultiByteText.h"
#include <cstdio>
#include <vector>

namespace micropdf {

namespace {

// Every font is taken in this encoding so that the texts of ConvertToPdfText
// show as typed.
const char kFontEncoding[] = "CP1250";

void HPDF_STDCALL PdfErrorHandler(HPDF_STATUS errorNo, HPDF_STATUS detailNo, void* userData)
{
    (void)userData;
    printf("ERROR: error_no=%04X, detail_no=%u\n", static_cast<unsigned>(errorNo), static_cast<unsigned>(detailNo));
}

} // namespace

MakePDF::MakePDF()
    : document(nullptr), page(nullptr), font(nullptr), fontName("Helvetica"), fontSize(10), pageHeight(842),
      pageWidth(595)
{
    document = HPDF_New(PdfErrorHandler, nullptr);
    // Plain content streams: small pages, and readable by anyone checking a file.
    if (document)
        HPDF_SetCompressionMode(document, HPDF_COMP_NONE);
}

MakePDF::~MakePDF()
{
    if (document)
        HPDF_Free(document);
}

void MakePDF::AddPage()
{
    page = HPDF_AddPage(document);
    HPDF_Font pageFont = HPDF_GetFont(document, fontName, kFontEncoding);
    HPDF_Page_SetFontAndSize(page, pageFont, static_cast<HPDF_REAL>(fontSize));
    HPDF_Page_SetHeight(page, static_cast<HPDF_REAL>(pageHeight));
    HPDF_Page_SetWidth(page, static_cast<HPDF_REAL>(pageWidth));
}

void MakePDF::SetFont(const char* name)
{
    font = HPDF_GetFont(document, name, kFontEncoding);
    HPDF_Page_SetFontAndSize(page, font, static_cast<HPDF_REAL>(fontSize));
}

void MakePDF::SetFontSize(float size)
{
    HPDF_Page_SetFontAndSize(page, font, size);
    fontSize = static_cast<int>(size);
}

void MakePDF::SetLineWidth(float width)
{
    HPDF_Page_SetLineWidth(page, width);
}

float MakePDF::FlipY(float y)
{
    return static_cast<float>(GetPageHeight()) - y;
}

void MakePDF::MoveTo(float x, float y)
{
    HPDF_Page_MoveTo(page, x, FlipY(y));
}

void MakePDF::LineTo(float x, float y)
{
    HPDF_Page_LineTo(page, x, FlipY(y));
    HPDF_Page_Stroke(page);
}

void MakePDF::Rectangle(float x1, float y1, float x2, float y2)
{
    float top = static_cast<float>(static_cast<int>(FlipY(y1)));
    HPDF_Page_Rectangle(page, x1, top, x2 - x1, y1 - y2);
    HPDF_Page_Stroke(page);
}

void MakePDF::TextOut(const wchar_t* text, float x, float y)
{
    MultiByteText bytes;
    ConvertToPdfText(bytes, text);
    HPDF_Page_BeginText(page);
    HPDF_Page_TextOut(page, x, FlipY(y), bytes.c_str());
    HPDF_Page_EndText(page);
}

float MakePDF::TextWidth(const wchar_t* text)
{
    MultiByteText bytes;
    ConvertToPdfText(bytes, text);
    return HPDF_Page_TextWidth(page, bytes.c_str());
}

float MakePDF::GetFontSize()
{
    return HPDF_Page_GetCurrentFontSize(page);
}

int MakePDF::GetPageWidth()
{
    return static_cast<int>(HPDF_Page_GetWidth(page));
}

int MakePDF::GetPageHeight()
{
    return static_cast<int>(HPDF_Page_GetHeight(page));
}

HPDF_STATUS MakePDF::SaveToFile(const char* path)
{
    // The library opens files by narrow name only, which loses any letter
    // outside the ANSI code page; so the document is built in memory and
    // written through the wide-character file functions.
    HPDF_STATUS status = HPDF_SaveToStream(document);
    if (status != HPDF_OK)
        return status;
    HPDF_UINT32 size = HPDF_GetStreamSize(document);
    std::vector<HPDF_BYTE> bytes(size ? size : 1);
    HPDF_UINT32 read = size;
    if (size == 0 || HPDF_ResetStream(document) != HPDF_OK)
        return HPDF_FILE_IO_ERROR;
    status = HPDF_ReadFromStream(document, bytes.data(), &read);
    if ((status != HPDF_OK && status != HPDF_STREAM_EOF) || read != size)
        return HPDF_FILE_IO_ERROR;

    int length = MultiByteToWideChar(CP_UTF8, 0, path ? path : "", -1, nullptr, 0);
    std::vector<wchar_t> widePath(length > 0 ? length : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, path, -1, widePath.data(), length);
    if (widePath[0] == 0)
        return HPDF_FILE_OPEN_ERROR;
    if (!micro::files::WriteWholeFile(widePath.data(), bytes.data(), size))
        return HPDF_FILE_IO_ERROR;
    return HPDF_OK;
}

} // namespace micropdf
