#include "framework/gui/QTheme.h"

namespace micro {
namespace gui {

QTheme* QTheme::s_current = nullptr;

QTheme::QTheme()
    : background(RGB(0xf3, 0xf3, 0xf3)), tabStrip(RGB(0xe1, 0xe6, 0xee)), tabActive(RGB(0xff, 0xff, 0xff)),
      tabInactive(RGB(0xd0, 0xd8, 0xe4)), tabText(RGB(0x30, 0x30, 0x30)), tabActiveText(RGB(0x10, 0x3a, 0x70)),
      border(RGB(0xa0, 0xa8, 0xb4)), toolbar(RGB(0xf7, 0xf9, 0xfc))
{
}

QTheme* QTheme::GetCurrent()
{
    static QTheme fallback;
    return s_current ? s_current : &fallback;
}

} // namespace gui
} // namespace micro
