#pragma once
#include "framework/gui/QPanel.h"
#include "framework/utils/QArray.h"

namespace micro {
namespace gui {

// Owner-drawn tab strip whose tabs own their heap pages; the selected page
// fills the area below the strip. Each tab has a close mark.
class QTabContainer : public QControl {
public:
    QTabContainer();
    ~QTabContainer() override;

    const wchar_t* GetClassName() override;
    // Creates the page's window and adds it as the selected tab. On success the
    // container owns the page; on failure ownership stays with the caller.
    bool AddPage(QPanel* page);
    // Closes the page of a tab (its close handler may refuse).
    bool ClosePage(int index);
    int GetPageCount() const { return m_pages.GetCount(); }
    QPanel* GetPage(int index) const { return m_pages.GetAt(index); }
    int GetSelected() const { return m_selected; }
    void SelectPage(int index);
    utils::QString GetPageTitle(int index) const;

    bool OnPaint(LRESULT& result) override;
    bool OnEraseBackground(HDC dc, LRESULT& result) override;
    bool OnSize(UINT type, int cx, int cy, LRESULT& result) override;
    bool OnLButtonDown(UINT keys, int x, int y, LRESULT& result) override;
    bool OnDestroy(LRESULT& result) override;

    static const int kStripHeight = 28;

private:
    RECT TabRect(int index) const;
    RECT CloseRect(int index) const;
    void LayoutPages();

    utils::QObArray<QPanel> m_pages;
    int m_selected;
    HFONT m_font;
};

} // namespace gui
} // namespace micro
