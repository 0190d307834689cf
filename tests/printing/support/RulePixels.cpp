#include "tests/printing/support/RulePixels.h"
#include <cmath>
#include <sstream>
#include "framework/gui/QImage.h"
#include "printing/preview/ScreenPage.h"
#include "tests/harness/Screenshot.h"

using micro::gui::QComPtr;

namespace layout_tests {

bool Frame::Dark(int x, int y) const
{
    if (x < 0 || y < 0 || x >= static_cast<int>(width) || y >= static_cast<int>(height))
        return false;
    unsigned p = pixels[static_cast<size_t>(y) * width + x];
    return (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF) < 384;
}

Frame FrameOfBitmap(unsigned width, unsigned height, const std::function<HRESULT(IWICBitmap*)>& draw)
{
    QComPtr<IWICImagingFactory> wic;
    QComPtr<IWICBitmap> bitmap;
    Frame frame;
    std::vector<unsigned> pixels(static_cast<size_t>(width) * height);
    if (FAILED(micro::gui::GetWicFactory(&wic)) ||
        FAILED(wic->CreateBitmap(width, height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, &bitmap)) ||
        FAILED(draw(bitmap)) ||
        FAILED(bitmap->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(pixels.data()))))
        return frame;
    frame.pixels.swap(pixels);
    frame.width = width;
    frame.height = height;
    return frame;
}

Frame FrameOfWindow(HWND window)
{
    RECT rc = {};
    GetWindowRect(window, &rc);
    Frame frame;
    std::vector<DWORD> pixels = testing_support::WindowPixels(window);
    frame.pixels.assign(pixels.begin(), pixels.end());
    frame.width = static_cast<unsigned>(rc.right - rc.left);
    frame.height = static_cast<unsigned>(rc.bottom - rc.top);
    return frame;
}

unsigned FrameWidth(const View& view)
{
    return static_cast<unsigned>(std::ceil((kScreenPageWidth * view.zoom + view.panX) * view.dpi / 96)) + 4;
}

unsigned FrameHeight(const View& view)
{
    return static_cast<unsigned>(std::ceil((kScreenPageHeight * view.zoom + view.panY) * view.dpi / 96)) + 4;
}

namespace {

// A page point's place on the frame, in pixels.
float PixelX(const View& view, float x) { return (x * view.zoom + view.panX) * view.dpi / 96; }
float PixelY(const View& view, float y) { return (y * view.zoom + view.panY) * view.dpi / 96; }

// Whether a pixel whose centre lies less than one pixel from `across` is
// dark, `along` fixed: columns about a vertical rule, rows about a horizontal.
bool DarkBeside(const Frame& frame, bool vertical, int along, float across)
{
    for (int i = static_cast<int>(std::floor(across)) - 1; i <= static_cast<int>(std::floor(across)) + 1; ++i) {
        if (std::fabs(i + 0.5f - across) >= 1.0f)
            continue;
        if (vertical ? frame.Dark(i, along) : frame.Dark(along, i))
            return true;
    }
    return false;
}

// The gaps of one straight side, described.
std::string SideGaps(const Frame& frame, const View& view, const ScreenLine& side)
{
    bool vertical = side.x1 == side.x2;
    float across = vertical ? PixelX(view, side.x1) : PixelY(view, side.y1);
    float from = vertical ? PixelY(view, std::min(side.y1, side.y2)) : PixelX(view, std::min(side.x1, side.x2));
    float to = vertical ? PixelY(view, std::max(side.y1, side.y2)) : PixelX(view, std::max(side.x1, side.x2));
    // The pixels whose centres the rule's length covers, less one at each end.
    int first = static_cast<int>(std::ceil(from - 0.5f)) + 1, last = static_cast<int>(std::ceil(to - 0.5f)) - 2;
    int missing = 0, firstMissing = -1;
    for (int along = first; along <= last; ++along) {
        if (!DarkBeside(frame, vertical, along, across)) {
            if (firstMissing < 0)
                firstMissing = along;
            ++missing;
        }
    }
    if (!missing)
        return "";
    std::ostringstream out;
    out << "rule (" << side.x1 << ", " << side.y1 << ")-(" << side.x2 << ", " << side.y2 << ") at zoom " << view.zoom
        << " pan " << view.panX << ", " << view.panY << " dpi " << view.dpi << ": " << missing << " of "
        << (last - first + 1) << " pixels light, the first at " << firstMissing << "\n";
    return out.str();
}

} // namespace

std::string RuleGaps(const Frame& frame, const View& view, Stroke stroke, const ScreenLine& line)
{
    if (frame.pixels.empty())
        return "the frame was not drawn\n";
    if (stroke == Stroke::Line)
        return SideGaps(frame, view, line);
    return SideGaps(frame, view, {line.x1, line.y1, line.x2, line.y1}) +
           SideGaps(frame, view, {line.x1, line.y2, line.x2, line.y2}) +
           SideGaps(frame, view, {line.x1, line.y1, line.x1, line.y2}) +
           SideGaps(frame, view, {line.x2, line.y1, line.x2, line.y2});
}

void TurnWheel(HWND window, int notches)
{
    short delta = static_cast<short>(notches * WHEEL_DELTA);
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
}

int RuleThickness(const Frame& frame, const View& view, const ScreenLine& line)
{
    bool vertical = line.x1 == line.x2;
    float middle = vertical ? PixelY(view, (line.y1 + line.y2) / 2) : PixelX(view, (line.x1 + line.x2) / 2);
    int along = static_cast<int>(middle);
    float across = vertical ? PixelX(view, line.x1) : PixelY(view, line.y1);
    // Pixels whose centres lie within two of the rule's place: a rule
    // drawn thicker than that has already spread too far.
    int dark = 0;
    for (int i = static_cast<int>(across) - 3; i <= static_cast<int>(across) + 3; ++i)
        if (std::fabs(i + 0.5f - across) < 2.0f)
            dark += vertical ? frame.Dark(i, along) : frame.Dark(along, i);
    return dark;
}

} // namespace layout_tests
