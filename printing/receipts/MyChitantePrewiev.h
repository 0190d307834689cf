#pragma once
#include <vector>
#include "printing/receipts/MyPrewievC.h"

// The receipt page on screen: a 436 x 609 DIP sheet with one (model 3), two
// (model 1) or three (model 2) copies of the receipt, each a frame, the
// company's logo and stamp and fifteen texts.
class MyChitantePrewiev : public MyPrewievC {
public:
    // Answers true; the first page drawn also runs the opening zoom.
    bool DrawPage() override;

private:
    void DrawCopy(int copy, float dy);
};

// The frames of the model's copies on the page, in page units, top first.
std::vector<D2D1_RECT_F> ChitantaScreenFrames(int model);
