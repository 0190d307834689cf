#pragma once
#include <windows.h>
#include <d2d1.h>
#include <wincodec.h>
#include <functional>
#include <string>
#include <vector>
#include "printing/layouts/PageContent.h"

namespace layout_tests {

// A picture of a frame the way the screen holds it: 32-bit BGRA pixels row
// by row from the top.
struct Frame {
    std::vector<unsigned> pixels;
    unsigned width = 0, height = 0;
    bool Dark(int x, int y) const;
};

// Where a page point lands on the frame: (x * zoom + panX, y * zoom + panY)
// DIPs, times dpi / 96 pixels.
struct View {
    float zoom, panX, panY;
    float dpi = 96;
};

// A width x height frame drawn by `draw` into a WIC bitmap; empty when the
// bitmap could not be made or `draw` failed.
Frame FrameOfBitmap(unsigned width, unsigned height, const std::function<HRESULT(IWICBitmap*)>& draw);
// What the window shows, frame included (a popup has none).
Frame FrameOfWindow(HWND window);
// Pixels enough for the whole page under the view, a little margin around.
unsigned FrameWidth(const View& view);
unsigned FrameHeight(const View& view);

// The stretches of a rule (a line, or a frame's four sides) from (x1, y1) to
// (x2, y2) in page units that are not dark on the frame, described with the
// view; empty when every pixel of its length is dark beside the place it
// maps to (its last pixel at each end aside, where rules meet).
std::string RuleGaps(const Frame& frame, const View& view, Stroke stroke, const ScreenLine& line);
// Whole notches of the mouse wheel turned over a window (away from the user
// for more than 0).
void TurnWheel(HWND window, int notches);

// How many pixels across the rule, their centres within two pixels of its
// place, are dark at the middle of its length (rules 3 pixels apart or more).
int RuleThickness(const Frame& frame, const View& view, const ScreenLine& line);

} // namespace layout_tests
