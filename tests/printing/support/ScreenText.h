#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "printing/layouts/PageContent.h"
#include "printing/preview/ScreenPage.h"

namespace layout_tests {

// A white page magnified by `zoom`, (436 x 609) x zoom pixels, with the
// preview's text formats, to draw screen pages on again and again.
class ScreenCanvas {
public:
    explicit ScreenCanvas(float zoom = 1);
    // A canvas of width x height pixels at the DPI, for frames drawn whole
    // under a transform of their own (DrawFrame).
    ScreenCanvas(unsigned width, unsigned height, float dpi);
    ~ScreenCanvas();
    ScreenCanvas(const ScreenCanvas&) = delete;
    ScreenCanvas& operator=(const ScreenCanvas&) = delete;
    // What `draw` makes on the cleared page: BGRA pixels row by row; empty
    // when it could not be drawn.
    std::vector<unsigned> Draw(const std::function<void(const ScreenPage&)>& draw);
    // What a whole frame leaves, drawn by `frame` on the canvas's target from
    // its BeginDraw to its EndDraw (answered).
    std::vector<unsigned> DrawFrame(const std::function<HRESULT(ID2D1RenderTarget*)>& frame);
    unsigned Width() const { return m_width; }
    unsigned Height() const { return m_height; }

private:
    void Make(float dpi);
    struct Resources;
    std::unique_ptr<Resources> m_resources;
    float m_zoom;
    unsigned m_width, m_height;
};

// The page that `draw` makes on a canvas of its own.
std::vector<unsigned> DrawnScreenPage(const std::function<void(const ScreenPage&)>& draw, float zoom = 1);

// Whether the screen page that `draw` makes shows exactly `text` in `font`
// laid out in `box` (kept inside `edges` as the pages keep a figure): the
// page, and the text alone, are drawn on white at zoom 1 and compared pixel
// for pixel over `compared` (an area about the box that nothing else of the
// page crosses).
bool ScreenShows(const std::function<void(const ScreenPage&)>& draw, ScreenFont font, const std::wstring& text,
                 const ScreenBox& box, const ScreenBox& compared, const Edges& edges = kNoEdges);

} // namespace layout_tests
