#pragma once
#include <windows.h>

namespace micro {
namespace gui {

// Colours of the framework's own controls. One theme is current for the process.
class QTheme {
public:
    QTheme();
    virtual ~QTheme() {}

    COLORREF background;
    COLORREF tabStrip;
    COLORREF tabActive;
    COLORREF tabInactive;
    COLORREF tabText;
    COLORREF tabActiveText;
    COLORREF border;
    COLORREF toolbar;

    static void SetCurrent(QTheme* theme) { s_current = theme; }
    static QTheme* GetCurrent();

private:
    static QTheme* s_current;
};

} // namespace gui
} // namespace micro
