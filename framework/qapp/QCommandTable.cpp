#include "framework/qapp/QCommandTable.h"
#include "framework/gui/QTabContainer.h"
#include "framework/qdialog/QMessageBox.h"
#include <memory>

namespace micro {
namespace qapp {

bool AddTabPage(const QCommandContext& context, gui::QPanel* page, const wchar_t* failureText, const wchar_t* caption)
{
    // Held until the container takes it, so a creation that throws leaks nothing.
    std::unique_ptr<gui::QPanel> owned(page);
    if (owned && context.tabs && context.tabs->AddPage(owned.get())) {
        owned.release();
        return true;
    }
    owned.reset();
    qdialog::ShowMessageBox(context.frame, failureText, caption, MB_OK | MB_ICONERROR);
    return false;
}

} // namespace qapp
} // namespace micro
