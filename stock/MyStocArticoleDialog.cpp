#include "stock/MyStocArticoleDialog.h"
#include "database/Lookups.h"
#include "database/MyRepository.h"
#include "database/StockRule.h"
#include "framework/gui/QGraphics.h"
#include "framework/utils/TimeFormat.h"
#include "masterdata/NumberText.h"
#include "resources/resource.h"
#include <commctrl.h>
#include <cwchar>

using micro::utils::QString;
using namespace stock_reports;

namespace {

const ListColumn kColumns[] = {
    {L"Cod articol", 80, LVCFMT_CENTER}, {L"Denumire", 200, LVCFMT_LEFT},      {L"Stoc", 60, LVCFMT_CENTER},
    {L"U.M.", 40, LVCFMT_CENTER},        {L"Pret", 80, LVCFMT_CENTER},         {L"Valoare stoc", 120, LVCFMT_CENTER},
};

struct ButtonSpec {
    const wchar_t* text;
    UINT id;
    int x;
    int icon;
};
// The working buttons, made at run time over the template's hidden ones.
const ButtonSpec kButtons[] = {
    {L"  Print", IDC_STOC_TIPARESTE, 390, IDI_FE_PRINT},
    {L"  Exit", IDCANCEL, 510, IDI_CAUTFACT_IESIRE},
};

} // namespace

MyStocArticoleDialog::MyStocArticoleDialog(HWND parent)
    : QDialog(IDD_STOC_ARTICOLE, parent), pages{1, 0, 0}, rowCount(0),
      rows(list, [this](size_t item, int column) { return ItemText(item, column); }), m_icons{nullptr, nullptr}
{
}

MyStocArticoleDialog::~MyStocArticoleDialog()
{
    for (HICON icon : m_icons)
        if (icon)
            DestroyIcon(icon);
}

bool MyStocArticoleDialog::OnInitDialog()
{
    list.Attach(m_hwnd, IDC_STOC_LISTA);
    SetDayMonthYear(m_hwnd, {IDC_STOC_DATA});
    CreateButtons();
    InsertColumns();
    company.Load();
    warehouses.Attach(m_hwnd, IDC_STOC_MAGAZIA);
    warehouses.AddString(L"Magazie Centrala");
    warehouses.SetCurSel(0);
    FillStockList();
    QDialog::OnInitDialog();
    return true;
}

void MyStocArticoleDialog::CreateButtons()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    for (int i = 0; i < 2; ++i) {
        const ButtonSpec& spec = kButtons[i];
        HWND button = CreateWindowExW(0, L"Button", spec.text, WS_CHILD | WS_VISIBLE, spec.x, 500, 120, 42, m_hwnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)), instance, nullptr);
        if (!button)
            continue;
        ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (m_icons[i])
            DestroyIcon(m_icons[i]);
        m_icons[i] = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(spec.icon), IMAGE_ICON, 30, 30, LR_DEFAULTCOLOR));
        if (m_icons[i])
            ::SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_icons[i]));
    }
}

void MyStocArticoleDialog::InsertColumns()
{
    SetUpList(list, m_hwnd, IDC_STOC_LISTA, kColumns);
}

void MyStocArticoleDialog::FillStockList()
{
    micro::gui::QWaitCursor wait;
    rows.Clear();
    m_items.clear();
    double totalBani = 0;
    long long end = EndOfDay(ReadPickerDate(m_hwnd, IDC_STOC_DATA));
    try {
        ReadProductStocks(end, [&](const ProductStockRow& product) {
            if (product.id == 0)
                return;
            // A service (categorie 2) holds no stock.
            double stock = wcscmp(product.category, L"2") == 0 ? 0.0 : product.stock;
            // Valued to the ban, so that the total is the sum of the rows as shown.
            double bani = BaniOf(product.price * stock);
            double value = bani > 0 ? bani / 100.0 : 0.0;
            totalBani += bani > 0 ? bani : 0;
            m_items.push_back({product.id, QString(product.name), QString(product.unit), stock, product.price, value});
        });
    } catch (const micro::qsql::QSqlError& error) {
        // No partial list: the rows were never given to it.
        m_items.clear();
        rows.Show();
        ShowFillError(m_hwnd, error);
        rowCount = rows.Count();
        return;
    }
    for (size_t i = 0; i < m_items.size(); ++i)
        rows.AppendItem(i);
    const wchar_t* separator[] = {L""};
    rows.AppendRow(separator, 1);
    QString totalText = Amount(totalBani / 100.0);
    const wchar_t* totals[] = {L"TOTAL", L"VALOARE STOCURI", nullptr, nullptr, nullptr, totalText};
    rowCount = rows.AppendRow(totals, 6);
    rows.Show();
}

QString MyStocArticoleDialog::ItemText(size_t item, int column) const
{
    const Item& row = m_items[item];
    switch (column) {
    case 0: return QString::Formatted(L"%llu", row.id);
    case 1: return row.name;
    case 2: return QuantityText(row.stock);
    case 3: return row.unit;
    case 4: return Amount(row.price);
    case 5: return Amount(row.value);
    default: return QString();
    }
}

bool MyStocArticoleDialog::OnButton(UINT id)
{
    switch (id) {
    case IDC_STOC_GRUPARE:
        FillStockList();
        return true;
    case IDC_STOC_TIPARESTE:
        micro::utils::FormatTimeText(ReadPickerDate(m_hwnd, IDC_STOC_DATA), dateText, L"%d-%m-%y");
        PrintStockList();
        return true;
    default:
        QDialog::OnButton(id);
        return true;
    }
}

bool MyStocArticoleDialog::OnNotify(UINT id, NMHDR* header, LRESULT& result)
{
    if (id == IDC_STOC_LISTA && rows.AnswerDisplayInfo(header))
        return true;
    if (id == IDC_STOC_DATA && header && header->code == DTN_DATETIMECHANGE)
        FillStockList();
    result = 0;
    return true;
}
