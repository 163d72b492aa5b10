// The browser's controls: creation, font, the list refresh, header marks and
// column sizing, and the layout for any size and DPI.
#include <windows.h>
// commctrl.h and windowsx.h need the types of windows.h first.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "board_browser.h"

namespace corvale {
namespace {

constexpr int staticId = -1;
constexpr UINT_PTR listSubclassId = 1;

struct ControlSpec {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int id;
};

// In creation order, which is also the tab order.
const ControlSpec controlSpecs[browserControlCount] = {
    {L"STATIC", L"&Difficulty", SS_LEFT, 0, staticId},
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, difficultyBoxId},
    {L"STATIC", L"Board &type", SS_LEFT, 0, staticId},
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, typeBoxId},
    {L"STATIC", L"&Sort by", SS_LEFT, 0, staticId},
    {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, sortBoxId},
    {L"STATIC", L"", SS_LEFT, 0, staticId},
    {WC_LISTVIEWW, L"Boards", LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE, boardListId},
    {L"STATIC", L"Preview - click a tile to inspect its parameters", SS_LEFT, 0, staticId},
    {previewWindowClass, L"Board preview", 0, WS_EX_CLIENTEDGE, previewId},
    {L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     descriptionId},
    {L"STATIC", L"Browsing pauses your game. Play starts the selected board with a new score.", SS_LEFT, 0, staticId},
    {L"BUTTON", L"&Play Selected Board", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, playButtonId},
    {L"BUTTON", L"&Close", BS_PUSHBUTTON | WS_TABSTOP, 0, closeButtonId},
};

const wchar_t* const columnHeadings[browserColumnCount] = {L"ID",           L"Difficulty", L"Type",
                                                           L"Time allowed", L"Queued",     L"On board"};
const bool columnRightAligned[browserColumnCount] = {true, false, false, false, true, true};
constexpr int idColumn = 0;

struct Place {
    int x, y, width, height;
};
constexpr int timeColumn = 3;

void addItems(HWND box, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageW(box, CB_SETCURSEL, 0, 0);
}

int selectionOf(HWND box) {
    return static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
}

// Width of `text` in the font the window uses, or -1 when it cannot be measured.
int textWidth(HWND window, HFONT font, const std::wstring& text) {
    HDC dc = GetDC(window);
    if (!dc) return -1;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    const BOOL measured = GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return measured ? size.cx : -1;
}

}  // namespace

void BoardBrowser::createControls() {
    for (std::size_t i = 0; i < browserControlCount; ++i) {
        const ControlSpec& spec = controlSpecs[i];
        controls[i] = CreateWindowExW(spec.exStyle, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, 0, 0,
                                      1, 1, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance,
                                      i == previewWindow ? this : nullptr);
        if (!controls[i]) throw std::runtime_error("Windows could not create a board-browser control.");
    }
    addItems(controls[difficultyBox],
             {L"All difficulties", L"Beginner", L"Novice", L"Intermediate", L"Advanced", L"Expert"});
    addItems(controls[typeBox], {L"Normal and bonus", L"Normal only", L"Bonus only"});
    addItems(controls[sortBox], {L"Board ID", L"Time: shortest first", L"Time: longest first"});
    SendMessageW(controls[descriptionBox], EM_SETLIMITTEXT, 65535, 0);

    HWND list = controls[boardList];
    const DWORD extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    // A column inserted at index 0 is always left-aligned. The right-aligned
    // IDs therefore go in behind a placeholder first column, which then goes.
    LVCOLUMNW placeholder{};
    placeholder.mask = LVCF_WIDTH;
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&placeholder));
    for (int column = 0; column < browserColumnCount; ++column) {
        LVCOLUMNW spec{};
        spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        spec.fmt = columnRightAligned[column] ? LVCFMT_RIGHT : LVCFMT_LEFT;
        spec.cx = u(72);
        spec.pszText = const_cast<wchar_t*>(columnHeadings[column]);
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column + 1), reinterpret_cast<LPARAM>(&spec));
    }
    SendMessageW(list, LVM_DELETECOLUMN, 0, 0);
    if (!SetWindowSubclass(list, listSubclassProcedure, listSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        throw std::runtime_error("Windows could not initialize board-column sizing.");
    }
}

void BoardBrowser::makeFont() {
    GdiFont made(CreateFontW(-MulDiv(9, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Segoe UI"));
    if (!made) throw std::runtime_error("Windows could not create the board-browser font.");
    const auto handle = reinterpret_cast<WPARAM>(made.get());
    for (std::size_t i = 0; i < browserControlCount; ++i) {
        if (i != previewWindow && controls[i]) SendMessageW(controls[i], WM_SETFONT, handle, TRUE);
    }
    if (HWND header = ListView_GetHeader(controls[boardList])) SendMessageW(header, WM_SETFONT, handle, TRUE);
    font = std::move(made);  // the old font goes only now that no control uses it
}

SortOrder BoardBrowser::currentSortOrder() const {
    const int order = selectionOf(controls[sortBox]);
    return order >= 0 && order <= 2 ? static_cast<SortOrder>(order) : SortOrder::ById;
}

int BoardBrowser::rowOfSelection() const {
    if (!hasSelection) return 0;
    const auto found = std::find(shown.begin(), shown.end(), selection);
    return found != shown.end() ? static_cast<int>(found - shown.begin()) : 0;
}

void BoardBrowser::refresh() {
    const int difficulty = selectionOf(controls[difficultyBox]) - 1;
    const int type = std::clamp(selectionOf(controls[typeBox]), 0, 2);
    const SortOrder order = currentSortOrder();
    shown = filterLevels(levels, difficulty, static_cast<TypeFilter>(type), order);

    HWND list = controls[boardList];
    notificationsSuppressed = true;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(list, LVM_SETITEMCOUNT, shown.size(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    const int row = rowOfSelection();
    if (!shown.empty()) {
        ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, row, FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    notificationsSuppressed = false;

    updateSortMarks(order);
    const std::wstring status = std::to_wstring(shown.size()) + L" of " + std::to_wstring(levels.size()) +
                                L" boards\r\nUnlimited time sorts as infinity";
    SetWindowTextW(controls[statusLabel], status.c_str());
    EnableWindow(controls[playButton], !shown.empty());

    if (shown.empty()) {
        hasSelection = false;
        previewValid = false;
        setDescription("No boards match the selected filters.");
        InvalidateRect(controls[previewWindow], nullptr, FALSE);
        return;
    }
    selectLevel(shown[static_cast<std::size_t>(row)]);
}

void BoardBrowser::updateSortMarks(SortOrder order) {
    HWND header = ListView_GetHeader(controls[boardList]);
    if (!header) return;
    for (int column = 0; column < browserColumnCount; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        if (!Header_GetItem(header, column, &item)) continue;
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == timeColumn && order == SortOrder::TimeShortestFirst) item.fmt |= HDF_SORTUP;
        if (column == timeColumn && order == SortOrder::TimeLongestFirst) item.fmt |= HDF_SORTDOWN;
        if (column == idColumn && order == SortOrder::ById) item.fmt |= HDF_SORTUP;
        Header_SetItem(header, column, &item);
    }
}

void BoardBrowser::autoSizeColumn(int column) {
    if (column < 0 || column >= browserColumnCount) return;
    HWND list = controls[boardList];
    HWND header = ListView_GetHeader(list);
    if (!header) return;
    const auto headerFont = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
    const int headingWidth = textWidth(header, headerFont, columnHeadings[column]);
    if (headingWidth < 0) return;
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    const bool sortMark = Header_GetItem(header, column, &item) && (item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
    int width = headingWidth + u(20) + (sortMark ? u(12) : 0);

    // One context for every row: measuring 551 texts must not take 551 DCs.
    if (HDC dc = GetDC(list)) {
        HGDIOBJ previous = font ? SelectObject(dc, font.get()) : nullptr;
        for (const std::size_t level : shown) {
            const std::wstring& text = rows[level].columns[static_cast<std::size_t>(column)];
            SIZE size{};
            if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size)) {
                width = std::max(width, static_cast<int>(size.cx) + u(16));
            }
        }
        if (previous) SelectObject(dc, previous);
        ReleaseDC(list, dc);
    }
    ListView_SetColumnWidth(list, column, width);
}

LRESULT CALLBACK BoardBrowser::listSubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                     DWORD_PTR data) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == HDN_DIVIDERDBLCLICKW || header->code == HDN_DIVIDERDBLCLICKA) {
            // Our sizing replaces the list's own, which measures only the visible rows.
            auto* browser = reinterpret_cast<BoardBrowser*>(data);
            try {
                browser->autoSizeColumn(reinterpret_cast<const NMHEADERW*>(lParam)->iItem);
            } catch (const std::exception& caught) {
                browser->storeError(caught.what());
                if (browser->window) PostMessageW(browser->window, WM_CLOSE, 0, 0);
            }
            return 0;
        }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, listSubclassProcedure, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void BoardBrowser::onDpiChanged(UINT newDpi, const RECT& suggested) {
    dpi = newDpi;
    makeFont();
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
}

void BoardBrowser::layout() {
    RECT client{};
    if (!window || !GetClientRect(window, &client)) return;
    const int W = client.right;
    const int H = client.bottom;
    if (W == layoutWidth && H == layoutHeight && dpi == layoutDpi) return;
    layoutWidth = W;
    layoutHeight = H;
    layoutDpi = dpi;

    const int m = u(12);
    const int T = u(70);
    const int B = u(48);
    const int LW = std::max(u(390), (W - 3 * m) * 44 / 100);
    const int R = LW + 2 * m;
    const int PW = W - 3 * m - LW;
    const int PH = std::min(std::max(u(230), (H - B - T) * 60 / 100), PW * 586 / 544);
    const int descriptionTop = T + u(23) + PH + m;
    const Place places[browserControlCount] = {
        {m, u(8), u(170), u(18)},
        {m, u(27), u(170), u(200)},
        {m + u(182), u(8), u(170), u(18)},
        {m + u(182), u(27), u(170), u(150)},
        {m + u(364), u(8), u(210), u(18)},
        {m + u(364), u(27), u(210), u(160)},
        {m + u(590), u(23), W - 2 * m - u(590), u(35)},
        {m, T, LW, H - B - T},
        {R, T, PW, u(21)},
        {R, T + u(23), PW, PH},
        {R, descriptionTop, PW, H - B - descriptionTop},
        {m, H - u(37), W - 2 * m - u(320), u(33)},
        {W - m - u(286), H - u(36), u(190), u(26)},
        {W - m - u(84), H - u(36), u(84), u(26)},
    };
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    HDWP batch = BeginDeferWindowPos(static_cast<int>(browserControlCount));
    for (std::size_t i = 0; i < browserControlCount && batch; ++i) {
        const Place& p = places[i];
        batch =
            DeferWindowPos(batch, controls[i], nullptr, p.x, p.y, std::max(p.width, 1), std::max(p.height, 1), flags);
    }
    if (!batch || !EndDeferWindowPos(batch)) {
        for (std::size_t i = 0; i < browserControlCount; ++i) {
            const Place& p = places[i];
            SetWindowPos(controls[i], nullptr, p.x, p.y, std::max(p.width, 1), std::max(p.height, 1), flags);
        }
    }

    HWND list = controls[boardList];
    const int widths[browserColumnCount] = {
        u(44), std::max(u(102), LW - (u(5) + GetSystemMetrics(SM_CXVSCROLL) + u(335))), u(60), u(100), u(61), u(70)};
    for (int column = 0; column < browserColumnCount; ++column) {
        if (ListView_GetColumnWidth(list, column) != widths[column])
            ListView_SetColumnWidth(list, column, widths[column]);
    }
    InvalidateRect(controls[previewWindow], nullptr, FALSE);
}

}  // namespace corvale
