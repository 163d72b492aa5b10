#include <windows.h>
// windowsx.h needs the types of windows.h first.
#include <windowsx.h>

#include <stdexcept>

#include "application.h"
#include "menu_additions.h"
#include "resource_ids.h"
#include "text.h"
#include "win32_api.h"

namespace corvale {
namespace {

constexpr DWORD mainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x00CA0000

UINT screenDpi() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 96;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

SIZE outerWindowSize(UINT dpi) {
    RECT rect{0, 0, MulDiv(544, static_cast<int>(dpi), 96), MulDiv(586, static_cast<int>(dpi), 96)};
    if (auto adjustForDpi = user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi")) {
        adjustForDpi(&rect, mainWindowStyle, TRUE, 0, dpi);
    } else {
        AdjustWindowRectEx(&rect, mainWindowStyle, TRUE, 0);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Errors raised while WM_CREATE runs leave through CreateWindowExW as a
// failure; the text is kept here so the one box shows the real cause.
std::string pendingCreateError;

}  // namespace

UINT Application::windowDpi(HWND window) {
    if (auto getDpi = user32Function<GetDpiForWindowFn>("GetDpiForWindow"); getDpi && window) return getDpi(window);
    return screenDpi();
}

void Application::createMainWindow(int showCommand) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = staticWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_CORVALE));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_CORVALE), IMAGE_ICON, 16, 16, LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDM_MAIN_MENU);
    windowClass.lpszClassName = mainWindowClass;
    if (refused(hooks.startupFaults) ||
        (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)) {
        throw std::runtime_error("The Corvale window class could not be registered.");
    }
    const SIZE size = outerWindowSize(screenDpi());
    pendingCreateError.clear();
    HWND window = refused(hooks.startupFaults)
                      ? nullptr
                      : CreateWindowExW(0, mainWindowClass, title.c_str(), mainWindowStyle, CW_USEDEFAULT,
                                        CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance, this);
    if (!window) {
        std::string error =
            pendingCreateError.empty() ? "The Corvale window could not be created." : pendingCreateError;
        pendingCreateError.clear();
        throw std::runtime_error(error);
    }
    if (!refused(hooks.startupFaults))
        accelerators.handle = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDA_ACCELERATORS));
    if (!accelerators.handle) throw std::runtime_error("The Corvale keyboard shortcuts could not be loaded.");
    ShowWindow(window, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand);
    UpdateWindow(window);
    lastTickCounter = readCounter();
}

int Application::runMessageLoop() {
    MSG message{};
    for (;;) {
        const BOOL result = refused(hooks.startupFaults) ? -1 : GetMessageW(&message, nullptr, 0, 0);
        if (result == 0) return static_cast<int>(message.wParam);
        if (result == -1) throw std::runtime_error("The Windows message loop failed.");
        HWND page = statisticsPage.window;
        if (page && IsWindow(page) && IsDialogMessageW(page, &message)) continue;
        if (hwnd && accelerators.handle && TranslateAcceleratorW(hwnd, accelerators.handle, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LRESULT CALLBACK Application::staticWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* app = reinterpret_cast<Application*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!app) return DefWindowProcW(window, message, wParam, lParam);
    // Messages between WM_NCCREATE and WM_CREATE already need the handle for DefWindowProcW.
    if (message == WM_NCCREATE || message == WM_CREATE) app->hwnd = window;
    std::string error;
    try {
        const LRESULT result = app->windowProcedure(message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // Commands interrupted by the close (a box was open) must find no window afterwards.
            app->hwnd = nullptr;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        }
        return result;
    } catch (const std::exception& caught) {
        error = caught.what();
    } catch (...) {
        error = "An unexpected error occurred.";
    }
    if (message == WM_CREATE) {
        pendingCreateError = error;
        app->failed = true;  // nothing to save; the destruction that follows posts exit code 1
        return -1;
    }
    if (!app->failed) {
        app->failed = true;
        KillTimer(window, gameTimerId);
        app->timerRunning = false;
        app->showBox(utf8ToWide(error), L"Corvale Error", MB_ICONERROR);
        DestroyWindow(window);
    }
    return 0;
}

LRESULT Application::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate();
        case WM_DESTROY:
            KillTimer(hwnd, gameTimerId);
            timerRunning = false;
            PostQuitMessage(failed ? 1 : 0);
            return 0;
        case WM_SIZE:
            minimized = wParam == SIZE_MINIMIZED;
            updatePauseState();
            invalidate();
            return 0;
        case WM_PAINT:
            return onPaint();
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            return onClose();
        case WM_ACTIVATEAPP:
            appActive = wParam != 0;
            updatePauseState();
            return 0;
        case WM_SETCURSOR:
            return onSetCursor(wParam, lParam);
        case WM_GETMINMAXINFO:
            onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if ((id >= 40000 && id <= 40006) || id == IDC_PAUSE || (id >= 40040 && id <= 40047)) {
                runCommand(id);
                return 0;
            }
            break;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SIZE || (wParam & 0xFFF0) == SC_MAXIMIZE) return 0;
            break;
        case WM_TIMER:
            onGameTimer(wParam);
            return 0;
        case WM_INITMENUPOPUP:
            updateMenuChecks();
            return 0;
        case WM_LBUTTONDOWN:
            onLeftButtonDown(lParam);
            return 0;
        case WM_MOUSEMOVE:
            onMouseMove(wParam, lParam);
            return 0;
        case WM_LBUTTONUP:
            onLeftButtonUp(lParam);
            return 0;
        case WM_RBUTTONDOWN:
            onRightButtonDown(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            onCaptureChanged();
            return 0;
        case WM_POINTERUPDATE:
        case WM_POINTERDOWN:
        case WM_POINTERUP:
            if (handlePointerMessage(message, wParam, lParam)) return 0;
            break;
        case WM_POINTERCAPTURECHANGED:
            if (penDrawing && LOWORD(wParam) == penPointerId) endPointerStroke();
            break;
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
            inMenuLoop = message == WM_ENTERMENULOOP;
            updatePauseState();
            return 0;
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
            inSizeMove = message == WM_ENTERSIZEMOVE;
            updatePauseState();
            return 0;
        case WM_DPICHANGED: {
            penCursor.rebuild(HIWORD(wParam));
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case gameOverNotice:
            showGameOver();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Application::onCreate() {
    addMenuItems();
    penCursor.rebuild(windowDpi(hwnd), hooks.startupFaults);
    updateMenuChecks();
    redraw();
    updateGameTimer();
    return 0;
}

void Application::addMenuItems() {
    HMENU menu = GetMenu(hwnd);
    HMENU gameMenu = menu ? GetSubMenu(menu, 0) : nullptr;
    for (const MenuAddition& item : menuAdditions) {
        if (!gameMenu || refused(hooks.startupFaults) ||
            !InsertMenuW(gameMenu, item.before, MF_BYCOMMAND | MF_STRING, item.id, item.text)) {
            throw std::runtime_error(item.failure);
        }
    }
}

LRESULT Application::onClose() {
    endPointerStroke();
    if (!failed && !saveSettings()) {
        modalOpen = true;
        updatePauseState();
        showBox(L"The game could not save your high score and difficulty in your local settings folder.", title,
                MB_ICONWARNING);
    }
    if (hwnd) DestroyWindow(hwnd);
    return 0;
}

LRESULT Application::onPaint() {
    const PaintSession paint(hwnd);
    const RECT client = clientRect();
    if (frameDirty) {
        renderer->render(game);
        frameDirty = false;
    }
    renderer->present(paint.dc(), client);
    countPaint();
    return 0;
}

LRESULT Application::onSetCursor(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT) return DefWindowProcW(hwnd, WM_SETCURSOR, wParam, lParam);
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(hwnd, &point);
    const bool overBoard = renderer->clientToBoard(point, clientRect()).has_value();
    SetCursor(overBoard && penCursor.cursor() ? penCursor.cursor() : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));
    return 1;
}

void Application::onMinMaxInfo(MINMAXINFO& info) {
    const SIZE size = outerWindowSize(windowDpi(hwnd));
    info.ptMinTrackSize = {size.cx, size.cy};
    info.ptMaxTrackSize = {size.cx, size.cy};
}

RECT Application::clientRect() const {
    RECT rect{};
    if (hwnd) GetClientRect(hwnd, &rect);
    return rect;
}

void Application::invalidate() {
    if (hwnd) InvalidateRect(hwnd, nullptr, FALSE);
}

void Application::redraw() {
    frameDirty = true;
    invalidate();
}

int Application::showBox(const std::wstring& text, const std::wstring& caption, UINT style) {
    return hooks.messageBox(hwnd, text.c_str(), caption.c_str(), style);
}

}  // namespace corvale
