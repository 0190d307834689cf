#pragma once
#include <windows.h>
#include <functional>
#include <map>

namespace micro {
namespace gui {
class QTabContainer;
class QPanel;
}
namespace qapp {

// What a command handler gets: the main window, its tab workspace and the
// command message's parameters (a right-click on a document row sends the
// document id as lParam).
struct QCommandContext {
    HWND frame;
    gui::QTabContainer* tabs;
    WPARAM wParam;
    LPARAM lParam;
};

// Command ids and their handlers. Each part of the program registers its own
// commands once at start-up; the main window routes WM_COMMAND through here.
class QCommandTable {
public:
    typedef std::function<void(const QCommandContext&)> Handler;
    void Register(UINT id, Handler handler) { m_handlers[id] = std::move(handler); }
    bool Has(UINT id) const { return m_handlers.count(id) != 0; }
    // Runs the command's handler; false when none is registered.
    bool Execute(UINT id, const QCommandContext& context) const
    {
        auto it = m_handlers.find(id);
        if (it == m_handlers.end())
            return false;
        it->second(context);
        return true;
    }
    size_t Count() const { return m_handlers.size(); }

private:
    std::map<UINT, Handler> m_handlers;
};

// Adds a page made on the heap as a new tab of the context's workspace, which
// owns it from then on. When the tab cannot be made the page is deleted and
// failureText is shown in a box titled caption, owned by the main window.
// Answers whether the tab was added.
bool AddTabPage(const QCommandContext& context, gui::QPanel* page, const wchar_t* failureText,
                const wchar_t* caption);

} // namespace qapp
} // namespace micro
