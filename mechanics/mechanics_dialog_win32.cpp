#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

#include "mechanics_dialog_state.h"

namespace corvale {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD windowExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr wchar_t warningCaption[] = L"Check Mechanics Settings";
constexpr wchar_t mnemonicLetters[] = L"TLNXSBCI";  // Alt+letter focuses field 0..7

// Wine and older Windows lack some user32 exports; calling a missing static
// import would abort the process, so these are looked up by name.
template <typename Fn>
Fn user32Export(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ownerDpi(HWND owner) {
    if (auto getDpi = user32Export<GetDpiForWindowFn>("GetDpiForWindow"); getDpi && owner) {
        const int dpi = static_cast<int>(getDpi(owner));
        if (dpi > 0) return dpi;
    }
    HDC dc = GetDC(owner);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ReleaseDC(owner, dc);
    return dpi > 0 ? dpi : 96;
}

SIZE windowSizeFor(int clientWidth, int clientHeight, int dpi) {
    RECT rect{0, 0, clientWidth, clientHeight};
    if (auto adjust = user32Export<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi")) {
        adjust(&rect, windowStyle, FALSE, windowExStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&rect, windowStyle, FALSE, windowExStyle);
    }
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT workAreaNear(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    }
    return monitor.rcWork;
}

// The Game's messages are UTF-8; a text that does not convert is replaced
// rather than shown garbled.
std::wstring wideMessage(const std::string& text) {
    const wchar_t* fallback = L"The settings could not be applied.";
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return fallback;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0) return fallback;
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), needed) != needed) {
        return fallback;
    }
    return wide;
}

std::wstring fieldText(HWND edit) {
    wchar_t buffer[64] = {};  // the parser reads at most 63 characters
    GetWindowTextW(edit, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

void focusField(MechanicsDialog& d, int field) {
    scrollFieldIntoView(d, field);
    SetFocus(d.edits[field]);
    SendMessageW(d.edits[field], EM_SETSEL, 0, -1);
}

void warn(MechanicsDialog& d, const std::wstring& text, int field) {
    if (d.warningBox) {
        d.warningBox(d.window, text.c_str(), warningCaption, MB_ICONWARNING);
    } else {
        MessageBoxW(d.window, text.c_str(), warningCaption, MB_ICONWARNING);
    }
    focusField(d, field);
}

void markPending(MechanicsDialog& d) {
    d.pending = true;
    EnableWindow(d.applyButton, TRUE);
    setStatus(d, d.applied ? L"Pending edits. Cancel keeps the last applied settings."
                           : L"Pending edits. Apply uses these settings; Cancel discards these edits.");
}

MechanicsFormValues valuesInForce(const Game& game) {
    return formValuesOf(game.mechanics, game.strokeLimit);
}

// True when the form is in force afterwards (nothing pending, or applied now).
bool applyForm(MechanicsDialog& d) {
    if (!d.pending) return true;
    MechanicsFormTexts texts;
    for (int i = 0; i < mechanicsFieldCount; ++i) texts[i] = fieldText(d.edits[i]);
    const MechanicsFormCheck check = checkMechanicsForm(texts);
    if (check.field >= 0) {
        warn(d, check.message, check.field);
        return false;
    }
    std::string message;
    if (!d.game->applyMechanics(mechanicsFromForm(check.values), message)) {
        warn(d, wideMessage(message), 4);
        return false;
    }
    d.game->setStrokeLimit(static_cast<int>(check.values[strokeLimitField]));
    d.pending = false;
    d.applied = true;
    fillForm(d, valuesInForce(*d.game));
    EnableWindow(d.applyButton, FALSE);
    setStatus(d, L"Applied. Ink storage is saved across boards; Cancel keeps the applied values.");
    return true;
}

void restoreOriginals(MechanicsDialog& d) {
    fillForm(d, formValuesOf(d.game->levelMechanics(), originalStrokeLimit));
    markPending(d);
    setStatus(d, L"Original defaults loaded into the form. Choose Apply or OK to use them.");
}

// The owner comes back before the window goes, or Windows activates another
// application and the game loses the foreground.
void closeDialog(MechanicsDialog& d) {
    if (d.ownerWasEnabled) EnableWindow(d.owner, TRUE);
    if (d.window) DestroyWindow(d.window);
}

int fieldOfEdit(const MechanicsDialog& d, HWND control) {
    for (int i = 0; i < mechanicsFieldCount; ++i) {
        if (d.edits[i] == control) return i;
    }
    return -1;
}

void onCommand(MechanicsDialog& d, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int notice = HIWORD(wParam);
    if (id >= mechanicsFirstFieldId && id < mechanicsFirstFieldId + mechanicsFieldCount) {
        if (notice == EN_CHANGE && !d.filling) markPending(d);
        if (notice == EN_SETFOCUS) scrollFieldIntoView(d, fieldOfEdit(d, reinterpret_cast<HWND>(lParam)));
        return;
    }
    switch (id) {
        case IDOK:
            if (applyForm(d)) closeDialog(d);
            return;
        case IDCANCEL:
            closeDialog(d);
            return;
        case mechanicsApplyId:
            applyForm(d);
            return;
        case mechanicsRestoreId:
            restoreOriginals(d);
            return;
        default:
            return;
    }
}

void onCreate(MechanicsDialog& d) {
    createFormControls(d);
    createFonts(d);
    fillForm(d, valuesInForce(*d.game));
    EnableWindow(d.applyButton, FALSE);
    layoutWindow(d);
}

void onScroll(MechanicsDialog& d, WPARAM wParam) {
    const int visible = [&] {
        RECT client{};
        GetClientRect(d.panel, &client);
        return std::max<int>(client.bottom, 1);
    }();
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS | SIF_POS;
    GetScrollInfo(d.panel, SB_VERT, &info);
    int offset = d.scrollOffset;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            offset -= d.u(24);
            break;
        case SB_LINEDOWN:
            offset += d.u(24);
            break;
        case SB_PAGEUP:
            offset -= visible - d.u(24);
            break;
        case SB_PAGEDOWN:
            offset += visible - d.u(24);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            offset = info.nTrackPos;
            break;
        case SB_TOP:
            offset = 0;
            break;
        case SB_BOTTOM:
            offset = formHeight(d);
            break;
        default:
            return;
    }
    scrollFormTo(d, offset);
}

void onWheel(MechanicsDialog& d, WPARAM wParam) {
    d.wheelRemainder += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = d.wheelRemainder / WHEEL_DELTA;
    d.wheelRemainder %= WHEEL_DELTA;
    if (notches != 0) scrollFormTo(d, d.scrollOffset - notches * d.u(72));
}

// An error inside a message handler must not cross the window system: it is
// stored and the window asked to close; the caller throws it afterwards.
void storeError(MechanicsDialog& d, const char* text, bool creating) {
    if (d.error.empty()) d.error = text;
    if (!creating && d.window) PostMessageW(d.window, WM_CLOSE, 0, 0);
}

LRESULT handleWindowMessage(MechanicsDialog& d, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate(d);
            return 0;
        case WM_COMMAND:
            onCommand(d, wParam, lParam);
            return 0;
        case WM_CLOSE:
            closeDialog(d);
            return 0;
        case WM_DESTROY:
            d.destroyed = true;
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) layoutWindow(d);
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE least = windowSizeFor(d.u(540), d.u(360), d.dpi);
            const RECT work = workAreaNear(window);
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {std::min<LONG>(least.cx, work.right - work.left),
                                    std::min<LONG>(least.cy, work.bottom - work.top)};
            return 0;
        }
        case WM_DPICHANGED: {
            d.dpi = HIWORD(wParam);
            createFonts(d);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            layoutWindow(d);
            return 0;
        }
        case WM_USER:
            return mechanicsDialogSignature;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT handlePanelMessage(MechanicsDialog& d, HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return SendMessageW(d.window, WM_COMMAND, wParam, lParam);
        case WM_VSCROLL:
            onScroll(d, wParam);
            return 0;
        case WM_MOUSEWHEEL:
            onWheel(d, wParam);
            return 0;
        case WM_SIZE:
            layoutForm(d);
            return 0;
        default:
            return DefWindowProcW(panel, message, wParam, lParam);
    }
}

template <LRESULT (*Handler)(MechanicsDialog&, HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<MechanicsDialog*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        if (Handler == handleWindowMessage) created->window = window;
    }
    auto* d = reinterpret_cast<MechanicsDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!d) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (window == d->window) d->window = nullptr;
        if (window == d->panel) d->panel = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return Handler(*d, window, message, wParam, lParam);
    } catch (const std::exception& caught) {
        storeError(*d, caught.what(), message == WM_CREATE);
    } catch (...) {
        storeError(*d, "An unexpected error occurred.", message == WM_CREATE);
    }
    return message == WM_CREATE ? -1 : 0;
}

void registerClass(HINSTANCE module, const wchar_t* name, WNDPROC windowProcedure, const char* failure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = module;
    windowClass.hIcon = LoadIconW(module, MAKEINTRESOURCEW(101));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error(failure);
    }
}

// Ctrl+A and the Alt letters are the form's own keys; true when consumed.
bool handleFormKey(MechanicsDialog& d, const MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        if (fieldOfEdit(d, message.hwnd) < 0) return false;
        SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
        return true;
    }
    if (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 29)) != 0) {
        const wchar_t* letter = std::wcschr(mnemonicLetters, static_cast<wchar_t>(message.wParam));
        if (message.wParam == 0 || !letter) return false;
        focusField(d, static_cast<int>(letter - mnemonicLetters));
        return true;
    }
    return false;
}

void runLoop(MechanicsDialog& d) {
    MSG message{};
    while (!d.destroyed) {
        const BOOL result = GetMessageW(&message, nullptr, 0, 0);
        if (result == -1) {
            if (d.error.empty()) d.error = "The mechanics settings message loop failed.";
            break;
        }
        if (result == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see it too
            break;
        }
        if (d.window && handleFormKey(d, message)) continue;
        if (d.window && IsDialogMessageW(d.window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool runMechanicsDialog(HWND owner, HINSTANCE module, Game& game, MechanicsBoxFn warningBox) {
    MechanicsDialog d;
    d.owner = owner;
    d.module = module;
    d.game = &game;
    d.warningBox = warningBox;
    d.dpi = ownerDpi(owner);
    registerClass(module, mechanicsWindowClass, procedure<handleWindowMessage>,
                  "Windows could not register the mechanics settings window.");
    registerClass(module, mechanicsPanelClass, procedure<handlePanelMessage>,
                  "Windows could not register the settings form.");

    const SIZE wanted = windowSizeFor(d.u(720), d.u(732), d.dpi);
    const RECT work = workAreaNear(owner);
    const int width = std::min<int>(wanted.cx, work.right - work.left - d.u(20));
    const int height = std::min<int>(wanted.cy, work.bottom - work.top - d.u(20));
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;
    if (!CreateWindowExW(windowExStyle, mechanicsWindowClass, L"Board Mechanics - Corvale", windowStyle, x, y, width,
                         height, owner, nullptr, module, &d)) {
        throw std::runtime_error(d.error.empty() ? "Windows could not create the mechanics settings window." : d.error);
    }
    d.ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (d.ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(d.window, SW_SHOW);
    UpdateWindow(d.window);
    SetFocus(d.edits[0]);
    SendMessageW(d.edits[0], EM_SETSEL, 0, -1);

    runLoop(d);

    if (d.ownerWasEnabled) EnableWindow(owner, TRUE);
    if (d.window) DestroyWindow(d.window);
    if (d.ownerWasEnabled) SetActiveWindow(owner);
    if (!d.error.empty()) throw std::runtime_error(d.error);
    return d.applied;
}

}  // namespace corvale
