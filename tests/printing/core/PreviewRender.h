#pragma once
#include <string>
#include <vector>
#include "printing/preview/MyPrewiev.h"

namespace printing_tests {

// One frame of the preview drawn off screen, as 32-bit BGRA rows.
struct Frame {
    UINT width = 0;
    UINT height = 0;
    std::vector<unsigned char> pixels;
    // Colour at (x, y) as 0xRRGGBB.
    unsigned Pixel(UINT x, UINT y) const;
};

// Renders the preview's document as its next paint would, into a bitmap of
// width x height; saves test-out/<name>.png when a name is given.
bool RenderPreview(MyPrewiev& preview, UINT width, UINT height, Frame& frame, const std::wstring& name = L"");

} // namespace printing_tests
