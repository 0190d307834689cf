#pragma once
#include <functional>
#include <string>
#include "printing/layouts/PageContent.h"
#include "printing/preview/ScreenPage.h"

namespace layout_tests {

// Whether the screen page that `draw` makes shows exactly `text` in `font`
// laid out in `box`: the page, and the text alone, are drawn on white at
// zoom 1 and compared pixel for pixel over `compared` (an area about the box
// that nothing else of the page crosses).
bool ScreenShows(const std::function<void(const ScreenPage&)>& draw, ScreenFont font, const std::wstring& text,
                 const ScreenBox& box, const ScreenBox& compared);

} // namespace layout_tests
