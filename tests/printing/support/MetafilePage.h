#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "printing/PrintHelpers.h"

namespace layout_tests {

// What a printed page left in an enhanced metafile, record by record.
struct EmfText {
    std::wstring text;
    int x, y;
    bool centred;
    int fontHeight, fontWeight;
    std::wstring face;
};
struct EmfStroke {
    bool frame;
    int x1, y1, x2, y2;  // a frame as Wine stores it: right and bottom less one
};
struct EmfPicture {
    bool transparent;
    int x, y, w, h;
};
struct EmfPage {
    std::vector<EmfText> texts;
    std::vector<EmfStroke> strokes;
    std::vector<EmfPicture> pictures;
    std::vector<int> penWidths;
    int fontsCreated = 0, objectsCreated = 0, objectsDeleted = 0;

    // The texts starting with the prefix, in drawing order.
    std::vector<EmfText> StartingWith(const std::wstring& prefix) const;
    const EmfText* Find(const std::wstring& text) const;
    int Count(const std::wstring& text) const;
    // A line, or a frame allowing Wine's minus one, between the two points.
    bool HasLine(int x1, int y1, int x2, int y2, bool frame = false) const;
    bool HasFrame(int left, int top, int right, int bottom) const { return HasLine(left, top, right, bottom, true); }
};

// A metafile DC to draw a page on; Finish closes it and reads its records.
class MetafileCanvas {
public:
    HDC GetDC() const { return m_dc; }
    EmfPage Finish();

private:
    HDC m_dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
};

// The print-job seam pointed at metafiles of the given page size: each job
// draws into a fresh metafile, read when the job ends. `cancel` makes the
// next jobs act as a cancelled print dialog.
class MetafileSink : public PrintJobSink {
public:
    MetafileSink(int width, int height) : m_width(width), m_height(height), m_previous(SetPrintJobSink(this)) {}
    ~MetafileSink() override { SetPrintJobSink(m_previous); }
    HDC OpenDevice(HWND owner, int& width, int& height) override;
    void CloseDevice(HDC dc, bool printed) override;

    bool cancel = false;
    int opened = 0;
    std::vector<EmfPage> printed;    // jobs that ended normally
    std::vector<EmfPage> abandoned;  // jobs that were aborted

private:
    int m_width, m_height;
    PrintJobSink* m_previous;
};

} // namespace layout_tests
