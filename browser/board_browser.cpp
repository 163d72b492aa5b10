// The browser window: opening, the modal loop, messages and commands.
#include <windows.h>
// commctrl.h and windowsx.h need the types of windows.h first.
#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>

#include "board_browser.h"

namespace corvale {
namespace {

constexpr DWORD browserStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD browserExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int iconResource = 101;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

// Newer user32 exports are looked up by name: Wine and older systems lack
// some, and calling a missing static import aborts the process.
template <typename Fn>
Fn user32Export(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

RECT workAreaNear(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) area = {0, 0, 1024, 768};
    return area;
}

void registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon, HBRUSH background,
                   const char* failure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error(failure);
    }
}

}  // namespace

UINT browserWindowDpi(HWND window) {
    if (auto getDpi = user32Export<GetDpiForWindowFn>("GetDpiForWindow"); getDpi && window) {
        if (const UINT dpi = getDpi(window); dpi > 0) return dpi;
    }
    HDC dc = GetDC(window);
    if (!dc) return 96;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(window, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

SIZE browserOuterSize(int width, int height, UINT dpi) {
    RECT rect{0, 0, width, height};
    if (auto adjust = user32Export<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi")) {
        adjust(&rect, browserStyle, FALSE, browserExStyle, dpi);
    } else {
        AdjustWindowRectEx(&rect, browserStyle, FALSE, browserExStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

BrowserChoice runBoardBrowser(HWND owner, HINSTANCE instance, const Game& game, std::int32_t currentBoardId) {
    if (game.levels.empty()) return {};
    BoardBrowser browser(owner, instance, game.levels, currentBoardId);
    return browser.run();
}

BoardBrowser::BoardBrowser(HWND ownerWindow, HINSTANCE module, const std::vector<Level>& levelList,
                           std::int32_t boardId)
    : owner(ownerWindow),
      instance(module),
      levels(levelList),
      currentBoardId(boardId),
      dpi(browserWindowDpi(ownerWindow)),
      rows(makeBrowserRows(levelList)),
      previewGame(std::vector<Level>(levelList)),
      renderer(module) {
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].id == currentBoardId) {
            selection = i;
            hasSelection = true;
            break;
        }
    }
}

BoardBrowser::~BoardBrowser() {
    // Only an exception between creation and the loop's end gets here with
    // a window; the owner must not stay disabled behind it.
    if (ownerDisabled) EnableWindow(owner, TRUE);
    if (window) DestroyWindow(window);
}

BrowserChoice BoardBrowser::run() {
    INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&common)) throw std::runtime_error("Windows could not initialize the board list.");
    registerClass(instance, browserWindowClass, staticWindowProcedure,
                  LoadIconW(instance, MAKEINTRESOURCEW(iconResource)), GetSysColorBrush(COLOR_BTNFACE),
                  "Windows could not register the board browser.");
    registerClass(instance, previewWindowClass, staticPreviewProcedure, nullptr, nullptr,
                  "Windows could not register the board preview.");
    createWindow();
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) {
        EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetFocus(controls[boardList]);
    runLoop();
    if (window) close();
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (!error.empty()) throw std::runtime_error(error);
    return result;
}

void BoardBrowser::createWindow() {
    const SIZE wanted = browserOuterSize(u(1120), u(780), dpi);
    const RECT area = workAreaNear(owner);
    const int width = std::min<int>(wanted.cx, area.right - area.left - u(24));
    const int height = std::min<int>(wanted.cy, area.bottom - area.top - u(24));
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    HWND created = CreateWindowExW(browserExStyle, browserWindowClass, L"Browse Boards - Corvale", browserStyle, x, y,
                                   width, height, owner, nullptr, instance, this);
    if (!created) {
        error.clear();  // the cause was a failure inside creation; the creation message stands for it
        throw std::runtime_error("Windows could not create the board browser.");
    }
}

void BoardBrowser::runLoop() {
    MSG message{};
    while (!destroyed) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the outer loop, which must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            storeError("The board browser message loop failed.");
            break;
        }
        if (window && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void BoardBrowser::close() {
    // The owner is enabled before the window goes, or Windows would hand the
    // activation to another application.
    if (ownerDisabled) {
        EnableWindow(owner, TRUE);
        ownerDisabled = false;
    }
    if (window) DestroyWindow(window);
}

void BoardBrowser::choose() {
    if (!hasSelection) return;
    result = {selection, true};
    close();
}

void BoardBrowser::storeError(const std::string& text) {
    if (error.empty()) error = text;
}

LRESULT CALLBACK BoardBrowser::staticWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<BoardBrowser*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->window = hwnd;
    }
    auto* browser = reinterpret_cast<BoardBrowser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!browser) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        browser->window = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return browser->windowProcedure(message, wParam, lParam);
    } catch (const std::exception& caught) {
        browser->storeError(caught.what());
    } catch (...) {
        browser->storeError("An unexpected error occurred.");
    }
    if (message == WM_CREATE) return -1;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT BoardBrowser::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            createControls();
            makeFont();
            refresh();
            layout();
            // The list had no size when refresh scrolled it; now it has one.
            if (!shown.empty()) ListView_EnsureVisible(controls[boardList], rowOfSelection(), FALSE);
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_DESTROY:
            destroyed = true;
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layout();
            return 0;
        case WM_GETMINMAXINFO:
            onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_USER:
            return modalWindowSignature;
        case previewUpdateMessage:
            if (previewPending) updatePreview();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void BoardBrowser::onMinMaxInfo(MINMAXINFO& info) const {
    const SIZE least = browserOuterSize(u(920), u(620), dpi);
    const RECT area = workAreaNear(window ? window : owner);
    info.ptMinTrackSize.x = std::min<LONG>(least.cx, area.right - area.left);
    info.ptMinTrackSize.y = std::min<LONG>(least.cy, area.bottom - area.top);
}

void BoardBrowser::onCommand(int id, int code) {
    switch (id) {
        case difficultyBoxId:
        case typeBoxId:
        case sortBoxId:
            if (code == CBN_SELCHANGE) refresh();
            return;
        case playButtonId:
            choose();
            return;
        case closeButtonId:
            close();
            return;
        default:
            return;
    }
}

LRESULT BoardBrowser::onNotify(const NMHDR& header) {
    if (header.hwndFrom == controls[boardList]) return onListNotify(header);
    return 0;
}

LRESULT BoardBrowser::onListNotify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
            if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= static_cast<int>(shown.size()) ||
                item.iSubItem < 0 || item.iSubItem >= browserColumnCount) {
                return 0;
            }
            // The list copies the text it is pointed at; the rows outlive it.
            const std::wstring& text =
                rows[shown[static_cast<std::size_t>(item.iItem)]].columns[static_cast<std::size_t>(item.iSubItem)];
            item.pszText = const_cast<wchar_t*>(text.c_str());
            return 0;
        }
        case LVN_ODFINDITEMW: {
            const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
            if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
            return findTypeAhead(rows, shown, find.lvfi.psz, find.iStart, (find.lvfi.flags & LVFI_PARTIAL) != 0,
                                 (find.lvfi.flags & LVFI_WRAP) != 0);
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (notificationsSuppressed || !(change.uChanged & LVIF_STATE)) return 0;
            if (!(change.uNewState & LVIS_SELECTED) || (change.uOldState & LVIS_SELECTED)) return 0;
            if (change.iItem >= 0 && change.iItem < static_cast<int>(shown.size())) {
                selectLevel(shown[static_cast<std::size_t>(change.iItem)]);
            }
            return 0;
        }
        case LVN_COLUMNCLICK:
            onColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return 0;
        case NM_DBLCLK: {
            // Only a double-click on a row plays: one on the blank space
            // below the rows would otherwise start a board by surprise.
            const int row = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
            if (hasSelection && row >= 0 && row < static_cast<int>(shown.size())) choose();
            return 0;
        }
        default:
            return 0;
    }
}

void BoardBrowser::onColumnClick(int column) {
    int order = -1;
    if (column == 0) order = static_cast<int>(SortOrder::ById);
    if (column == 3) {
        order = static_cast<int>(currentSortOrder() == SortOrder::TimeShortestFirst ? SortOrder::TimeLongestFirst
                                                                                    : SortOrder::TimeShortestFirst);
    }
    if (order < 0) return;
    SendMessageW(controls[sortBox], CB_SETCURSEL, static_cast<WPARAM>(order), 0);
    refresh();
}

}  // namespace corvale
