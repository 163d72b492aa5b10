#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "text_page.h"
#include "win32_api.h"

namespace corvale {
namespace {

using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

constexpr UINT_PTR columnSizingId = 1;
constexpr wchar_t tableNoteText[] =
    L"Time used starts with the countdown, excluding the initial launch wait and pauses; available time is the "
    L"configured limit. No time bonus.\r\nMaximum includes possible recoloring and breakable squares; it is a "
    L"scoring upper bound, not a route guarantee.";

StatisticsTable emptyTable() {
    return StatisticsTable{};
}

// Per-monitor awareness (v2) for the calling thread while it lives, so the
// page is created at its monitor's DPI even where the process default differs.
class ThreadDpiAwareness {
   public:
    ThreadDpiAwareness() : set_(user32Function<SetThreadDpiAwarenessContextFn>("SetThreadDpiAwarenessContext")) {
        if (set_) previous_ = set_(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
    }
    ~ThreadDpiAwareness() {
        if (set_ && previous_) set_(previous_);
    }
    ThreadDpiAwareness(const ThreadDpiAwareness&) = delete;
    ThreadDpiAwareness& operator=(const ThreadDpiAwareness&) = delete;

   private:
    SetThreadDpiAwarenessContextFn set_;
    HANDLE previous_ = nullptr;
};

int scrollBarWidth(int dpi) {
    if (auto forDpi = user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi")) {
        return forDpi(SM_CXVSCROLL, static_cast<UINT>(dpi));
    }
    return GetSystemMetrics(SM_CXVSCROLL);
}

// A divider double-click sizes the column to its content, but never narrower
// than its title: the list view's own handling ignores the header text.
void fitColumn(HWND list, int column, int dpi) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
    const int contentWidth = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    wchar_t title[256] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = title;
    info.cchTextMax = static_cast<int>(std::size(title));
    SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    SIZE extent{};
    if (WindowDc dc(header); dc) {
        auto headerFont = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
        SelectedObject selected(dc.get(), headerFont ? headerFont : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32W(dc.get(), title, static_cast<int>(wcslen(title)), &extent);
    }
    const int width = std::max(contentWidth, static_cast<int>(extent.cx) + MulDiv(20, dpi, 96));
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

LRESULT CALLBACK columnSizingProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data) {
    if (message == WM_NOTIFY) {
        const auto* notice = reinterpret_cast<const NMHEADERW*>(lParam);
        const bool dividerDoubleClick =
            notice->hdr.code == HDN_DIVIDERDBLCLICKW || notice->hdr.code == HDN_DIVIDERDBLCLICKA;
        if (dividerDoubleClick && notice->iItem >= 0 && notice->iItem < statisticsTableColumnCount) {
            fitColumn(list, notice->iItem, reinterpret_cast<const TextPage*>(data)->dpi);
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, columnSizingProcedure, id);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK textPageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* page = static_cast<TextPage*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        page->window = window;
    }
    auto* page = reinterpret_cast<TextPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!page) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return page->handleMessage(message, wParam, lParam);
}

HWND createChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id,
                 DWORD extendedStyle = 0) {
    return CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TextPage::~TextPage() {
    if (window && IsWindow(window)) DestroyWindow(window);
}

void TextPage::showLive(HWND owner, const std::wstring& title, TextProvider text, TableProvider tableRows) {
    textProvider = std::move(text);
    tableProvider = std::move(tableRows);
    if (window && IsWindow(window)) {
        try {
            refresh();
        } catch (const std::exception&) {
            // An open page is the player's to read; a failed snapshot must not end the game.
            showRefreshError();
        }
        if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        return;
    }
    create(owner, title, textProvider ? textProvider() : std::wstring());
}

void TextPage::create(HWND owner, const std::wstring& title, const std::wstring& text) {
    closed = false;
    tableShown = false;
    lastText.clear();
    lastTable = emptyTable();
    ThreadDpiAwareness awareness;

    WNDCLASSEXW pageClass{};
    pageClass.cbSize = sizeof(pageClass);
    pageClass.lpfnWndProc = textPageProcedure;
    pageClass.hInstance = GetModuleHandleW(nullptr);
    pageClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    pageClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    pageClass.lpszClassName = textPageClass;
    if (!RegisterClassExW(&pageClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("Cannot create the information page.");
    }

    if (auto getDpi = user32Function<GetDpiForWindowFn>("GetDpiForWindow"); getDpi && owner) {
        dpi = static_cast<int>(getDpi(owner));
    } else if (WindowDc screen(owner); screen) {
        dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    }
    if (dpi <= 0) dpi = 96;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int workWidth = work.right - work.left;
    const int workHeight = work.bottom - work.top;
    const int width = std::min(MulDiv(tableProvider ? 940 : 650, dpi, 96), workWidth);
    const int height = std::min(MulDiv(680, dpi, 96), workHeight);
    const int x = work.left + (workWidth - width) / 2;
    const int y = work.top + (workHeight - height) / 2;

    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!CreateWindowExW(WS_EX_CONTROLPARENT, textPageClass, title.c_str(), style, x, y, width, height, owner, nullptr,
                         GetModuleHandleW(nullptr), this)) {
        window = nullptr;
        throw std::runtime_error("Cannot create the information page.");
    }
    try {
        createControls(text);
        if (!SetTimer(window, textPageTimerId, 1000, nullptr)) {
            throw std::runtime_error("Cannot start statistics refresh.");
        }
    } catch (...) {
        DestroyWindow(window);
        throw;
    }
    ShowWindow(window, SW_SHOW);
    SetFocus(okButton);
}

void TextPage::createControls(const std::wstring& text) {
    // The text goes in once the box has its size: an edit control filled while
    // it is 0 x 0 keeps a scroll bar that disagrees with its first line.
    textBox = createChild(window, L"EDIT", L"",
                          WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0);
    okButton = createChild(window, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    if (!textBox || !okButton) throw std::runtime_error("Cannot create information controls.");
    lastText = text;
    refreshButton = createChild(window, L"BUTTON", L"Refresh", WS_TABSTOP | BS_PUSHBUTTON, textPageRefreshId);
    if (tableProvider) createTable();
    rebuildFont();
    layout();
    SetWindowTextW(textBox, text.c_str());
}

void TextPage::createTable() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    tableCaption = createChild(window, L"STATIC", L"", 0, 0xFFFF);
    table = createChild(window, WC_LISTVIEWW, L"Completed boards",
                        WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, textPageTableId, WS_EX_CLIENTEDGE);
    tableNote = createChild(window, L"STATIC", tableNoteText, 0, 0xFFFF);
    if (!tableCaption || !table || !tableNote) throw std::runtime_error("Cannot create completed-board table.");
    if (!SetWindowSubclass(table, columnSizingProcedure, columnSizingId, reinterpret_cast<DWORD_PTR>(this))) {
        throw std::runtime_error("Cannot initialize table column sizing.");
    }
    const DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
    SendMessageW(table, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    SendMessageW(table, LVM_SETUNICODEFORMAT, TRUE, 0);
    StatisticsTable content = tableProvider();
    for (int i = 0; i < statisticsTableColumnCount; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_RIGHT;
        column.cx = MulDiv(110, dpi, 96);
        column.pszText = content.columns[static_cast<std::size_t>(i)].data();
        column.iSubItem = i;
        SendMessageW(table, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
    if (header) ShowWindow(header, SW_SHOW);
    refresh();
}

void TextPage::refresh() {
    const std::wstring text = textProvider ? textProvider() : std::wstring();
    const StatisticsTable content = tableProvider ? tableProvider() : emptyTable();
    if (text != lastText) refreshText(text);
    if (table && !(tableShown && content == lastTable)) refreshTable(content);
}

void TextPage::refreshText(const std::wstring& text) {
    const auto firstLine = static_cast<LONG_PTR>(SendMessageW(textBox, EM_GETFIRSTVISIBLELINE, 0, 0));
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    SendMessageW(textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                 reinterpret_cast<LPARAM>(&selectionEnd));
    SendMessageW(textBox, WM_SETREDRAW, FALSE, 0);
    SetWindowTextW(textBox, text.c_str());
    SendMessageW(textBox, EM_SETSEL, selectionStart, selectionEnd);
    const auto newFirstLine = static_cast<LONG_PTR>(SendMessageW(textBox, EM_GETFIRSTVISIBLELINE, 0, 0));
    SendMessageW(textBox, EM_LINESCROLL, 0, firstLine - newFirstLine);
    SendMessageW(textBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(textBox, nullptr, TRUE);
    lastText = text;
}

void TextPage::refreshTable(const StatisticsTable& content) {
    const auto topIndex = static_cast<int>(SendMessageW(table, LVM_GETTOPINDEX, 0, 0));
    const auto selected =
        static_cast<int>(SendMessageW(table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
    SendMessageW(table, WM_SETREDRAW, FALSE, 0);
    SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
    HWND header = reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0));
    StatisticsTable copy = content;  // the list view takes non-const text pointers
    for (int i = 0; i < statisticsTableColumnCount; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = copy.columns[static_cast<std::size_t>(i)].data();
        SendMessageW(table, LVM_SETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT;
        item.fmt = HDF_RIGHT | HDF_STRING;
        item.pszText = column.pszText;
        if (header) SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    for (std::size_t r = 0; r < copy.rows.size(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = copy.rows[r][0].data();
        const auto index = static_cast<int>(SendMessageW(table, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < statisticsTableColumnCount; ++c) {
            LVITEMW sub{};
            sub.iSubItem = c;
            sub.pszText = copy.rows[r][static_cast<std::size_t>(c)].data();
            SendMessageW(table, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
        }
    }
    SetWindowTextW(tableCaption, copy.rows.empty() ? L"Completed boards \u2014 current run (none yet)"
                                                   : L"Completed boards \u2014 current run");
    if (selected >= 0 && static_cast<std::size_t>(selected) < copy.rows.size()) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(table, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
    }
    if (topIndex > 0) {
        RECT first{};
        first.left = LVIR_BOUNDS;
        if (SendMessageW(table, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) {
            SendMessageW(table, LVM_SCROLL, 0, topIndex * (first.bottom - first.top));
        }
    }
    SendMessageW(table, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(table, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    lastTable = content;
    tableShown = true;
}

void TextPage::rebuildFont() {
    HFONT created = CreateFontW(-MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
    if (!created) return;
    GdiFont replacement(created);
    HWND header = table ? reinterpret_cast<HWND>(SendMessageW(table, LVM_GETHEADER, 0, 0)) : nullptr;
    for (HWND control : {textBox, okButton, refreshButton, table, tableCaption, tableNote, header}) {
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
    }
    font = std::move(replacement);  // the previous font goes only now, when nothing uses it
}

void TextPage::layout() {
    if (!window) return;
    RECT client{};
    GetClientRect(window, &client);
    const int W = client.right;
    const int H = client.bottom;
    auto s = [this](int n) { return MulDiv(n, dpi, 96); };
    const int w = std::max(W - s(32), 1);
    int reportTop = s(12);
    if (table) {
        const int t = std::max(s(60), std::min(H / 3, s(220)));
        MoveWindow(tableCaption, s(16), s(10), w, s(22), TRUE);
        MoveWindow(table, s(16), s(34), w, t, TRUE);
        MoveWindow(tableNote, s(16), t + s(40), w, s(52), TRUE);
        const int widths[statisticsTableColumnCount] = {
            s(65), s(105), s(115), s(145), std::max(s(190), w - s(549) - scrollBarWidth(dpi)), s(115)};
        for (int i = 0; i < statisticsTableColumnCount; ++i) {
            SendMessageW(table, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(widths[i], 0));
        }
        reportTop = t + s(98);
    }
    MoveWindow(textBox, s(16), reportTop, w, std::max(H - s(54) - reportTop, 1), TRUE);
    MoveWindow(refreshButton, s(16), std::max(0, H - s(42)), s(100), s(28), TRUE);
    MoveWindow(okButton, std::max(0, W - s(104)), std::max(0, H - s(42)), s(88), s(28), TRUE);
}

void TextPage::showRefreshError() {
    const wchar_t* text = L"The statistics snapshot could not be refreshed.";
    if (messageBox) {
        messageBox(window, text, L"Corvale", MB_ICONERROR);
    } else {
        MessageBoxW(window, text, L"Corvale", MB_ICONERROR);
    }
}

void TextPage::forgetWindows() {
    window = textBox = okButton = refreshButton = table = tableCaption = tableNote = nullptr;
}

LRESULT TextPage::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND self = window;
    try {
        switch (message) {
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case textPageRefreshId:
                        if (textProvider) refresh();
                        return 0;
                    case IDOK:
                    case IDCANCEL:
                        DestroyWindow(self);
                        return 0;
                    default:
                        return 0;
                }
            case WM_CLOSE:
                DestroyWindow(self);
                return 0;
            case WM_TIMER:
                if (wParam != textPageTimerId) return 0;
                try {
                    if (textProvider) refresh();
                } catch (const std::exception&) {
                    KillTimer(self, textPageTimerId);  // the page stays, but no longer follows the game
                }
                return 0;
            case WM_SIZE:
                if (textBox) layout();
                return 0;
            case WM_DPICHANGED: {
                dpi = HIWORD(wParam);
                rebuildFont();
                const auto* suggested = reinterpret_cast<const RECT*>(lParam);
                SetWindowPos(self, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                             suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
                layout();
                return 0;
            }
            case WM_CTLCOLORSTATIC:
                // The captions sit on the page's window-coloured background, not on button face.
                if (reinterpret_cast<HWND>(lParam) == tableCaption || reinterpret_cast<HWND>(lParam) == tableNote) {
                    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                    SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
                    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
                }
                break;
            case WM_DESTROY:
                KillTimer(self, textPageTimerId);
                closed = true;
                return 0;
            case WM_NCDESTROY:
                forgetWindows();
                return DefWindowProcW(self, message, wParam, lParam);
            default:
                break;
        }
    } catch (const std::exception&) {
        showRefreshError();
        return 0;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

}  // namespace corvale
