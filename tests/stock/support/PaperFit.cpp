#include "tests/stock/support/PaperFit.h"
#include <algorithm>
#include <cstdlib>
#include "tests/harness/MessageBoxRecorder.h"

using layout_tests::EmfPage;
using layout_tests::EmfStroke;
using layout_tests::EmfText;

namespace stock_test {

namespace {

struct TextBox {
    int left, top, right, bottom;
};

TextBox BoxOf(const EmfText& text)
{
    EmfText visible = text;
    visible.text.erase(visible.text.find_last_not_of(L' ') + 1);
    return TextBox{text.x, text.y, layout_tests::RightEdge(visible), text.y + std::abs(text.fontHeight)};
}

std::string Describe(const EmfText& text, const TextBox& box)
{
    return "\"" + testing_support::Narrow(text.text) + "\" (" + std::to_string(box.left) + "," +
           std::to_string(box.top) + ")-(" + std::to_string(box.right) + "," + std::to_string(box.bottom) + ")";
}

// How far two ranges overlap (negative when apart).
int Overlap(int a1, int a2, int b1, int b2)
{
    return std::min(std::max(a1, a2), std::max(b1, b2)) - std::max(std::min(a1, a2), std::min(b1, b2));
}

// A rule at `at` from `from` to `to` crosses or touches a text spanning
// [lo, hi] across it and [lineFrom, lineTo] along it; a rule that only meets
// the text's line at its edge does not count.
bool Crosses(int at, int from, int to, int lo, int hi, int lineFrom, int lineTo)
{
    return at >= lo - 1 && at <= hi && Overlap(from, to, lineFrom, lineTo) > 2;
}

const EmfStroke* FrameOf(const EmfPage& page)
{
    for (const EmfStroke& s : page.strokes)
        if (s.frame)
            return &s;
    return nullptr;
}

} // namespace

std::vector<std::string> MisplacedTexts(const EmfPage& page)
{
    std::vector<std::string> found;
    const EmfStroke* frame = FrameOf(page);
    if (!frame)
        return {"the page has no frame"};
    std::vector<TextBox> boxes;
    for (const EmfText& t : page.texts)
        boxes.push_back(BoxOf(t));
    for (size_t i = 0; i < page.texts.size(); ++i) {
        const TextBox& b = boxes[i];
        if (b.right <= b.left)
            continue;  // blank
        if (b.left <= frame->x1 || b.right > frame->x2 || b.top <= frame->y1 || b.bottom > frame->y2)
            found.push_back(Describe(page.texts[i], b) + " leaves the frame");
        for (const EmfStroke& r : page.strokes) {
            bool vertical = r.x1 == r.x2, horizontal = r.y1 == r.y2;
            if ((vertical && Crosses(r.x1, r.y1, r.y2, b.left, b.right, b.top, b.bottom)) ||
                (horizontal && Crosses(r.y1, r.x1, r.x2, b.top + 1, b.bottom - 1, b.left, b.right)))
                found.push_back(Describe(page.texts[i], b) + " is crossed by the rule (" + std::to_string(r.x1) +
                                "," + std::to_string(r.y1) + ")-(" + std::to_string(r.x2) + "," +
                                std::to_string(r.y2) + ")");
        }
        for (size_t j = i + 1; j < page.texts.size(); ++j) {
            const TextBox& o = boxes[j];
            int sameLine = std::min(b.bottom - b.top, o.bottom - o.top) / 2;
            if (o.right > o.left && Overlap(b.top, b.bottom, o.top, o.bottom) > sameLine &&
                Overlap(b.left, b.right, o.left, o.right) > 0)
                found.push_back(Describe(page.texts[i], b) + " runs into " + Describe(page.texts[j], o));
        }
    }
    return found;
}

} // namespace stock_test
