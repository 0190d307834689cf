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
    int fontHeight;
    int fontWeight;
    std::wstring face;
    RECT bounds;  // the record's own bounds, in device pixels
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
    int fontsCreated = 0;
    int objectsDeleted = 0;
    int objectsCreated = 0;

    const EmfText* Find(const std::wstring& text) const;
    int Count(const std::wstring& text) const;
    // The texts starting with the prefix, in drawing order.
    std::vector<EmfText> StartingWith(const std::wstring& prefix) const;
    // A line (or a frame, allowing Wine's minus one) between the two points.
    bool HasLine(int x1, int y1, int x2, int y2) const;
    bool HasFrame(int left, int top, int right, int bottom) const;
};

EmfPage ReadMetafile(HENHMETAFILE metafile);
// Where a printed text ends, measured in the font it was printed in.
int RightEdge(const EmfText& text);
// The pages of a job of several pages, cut where MetafileSink marked each
// page's start (texts and strokes; the object counts stay with the job).
std::vector<EmfPage> ReadMetafilePages(HENHMETAFILE metafile);

// The print-job seam pointed at metafiles of the given page size: each job
// draws into a fresh metafile, read when the job ends. `cancel` makes the
// next jobs act as a cancelled print dialog.
class MetafileSink : public PrintJobSink {
public:
    MetafileSink(int width, int height);
    ~MetafileSink() override;
    HDC OpenDevice(HWND owner, int& width, int& height) override;
    void CloseDevice(HDC dc, bool printed) override;
    void ChoosePages(PrintPageRange& pages) override;
    void PageStarts(HDC dc, uint32_t page) override;

    bool cancel = false;
    int opened = 0;
    // The range a job of several pages prints (0: every page) and the last
    // page count such a job offered.
    uint32_t fromPage = 0, toPage = 0;
    uint32_t pageCount = 0;
    std::vector<EmfPage> printed;    // jobs that ended normally
    std::vector<std::vector<EmfPage>> printedPages;  // the same jobs, page by page
    std::vector<EmfPage> abandoned;  // jobs that were aborted

private:
    int m_width, m_height;
    PrintJobSink* m_previous;
};

} // namespace layout_tests
