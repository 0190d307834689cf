#pragma once
#include "framework/gui/QTheme.h"

// The colours of the program's controls.
class MyTheme : public micro::gui::QTheme {
public:
    MyTheme();
};
