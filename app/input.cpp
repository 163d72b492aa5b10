#include <windows.h>
// windowsx.h needs the types of windows.h first.
#include <windowsx.h>

#include "application.h"

namespace corvale {
namespace {

POINT messagePoint(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

constexpr WPARAM inContactFlag = 0x40000;      // POINTER_MESSAGE_FLAG_INCONTACT in wParam
constexpr WPARAM secondButtonFlag = 0x200000;  // POINTER_MESSAGE_FLAG_SECONDBUTTON (barrel button)
constexpr UINT32 pointerFlagInContact = 0x4;
constexpr UINT32 pointerFlagCanceled = 0x8000;
constexpr UINT32 penHistoryRoom = 64;

}  // namespace

void Application::onLeftButtonDown(LPARAM lParam) {
    if (penDrawing || game.paused) return;
    const auto point = renderer->clientToBoard(messagePoint(lParam), clientRect());
    if (!point) return;
    SetFocus(hwnd);
    SetCapture(hwnd);
    mouseDrawing = true;
    game.beginStroke(point->x, point->y);
    redraw();
}

void Application::onMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!mouseDrawing) return;
    if (!(wParam & MK_LBUTTON)) {
        endPointerStroke();
        return;
    }
    if (const auto point = renderer->clientToBoard(messagePoint(lParam), clientRect())) {
        game.extendStroke(point->x, point->y);
    }
    redraw();
}

void Application::onLeftButtonUp(LPARAM lParam) {
    if (!mouseDrawing) return;
    if (const auto point = renderer->clientToBoard(messagePoint(lParam), clientRect())) {
        game.extendStroke(point->x, point->y);
    }
    endPointerStroke();
    redraw();
}

void Application::onRightButtonDown(LPARAM lParam) {
    if (game.paused) return;
    const auto point = renderer->clientToBoard(messagePoint(lParam), clientRect());
    if (!point) return;
    game.placeBlock(point->x, point->y);
    redraw();
}

void Application::onCaptureChanged() {
    if (!mouseDrawing) return;
    game.endStroke();
    mouseDrawing = false;
}

void Application::endPointerStroke() {
    if (!mouseDrawing && !penDrawing) return;
    game.endStroke();
    const bool wasMouse = mouseDrawing;
    mouseDrawing = false;
    penDrawing = false;
    if (wasMouse && hwnd && GetCapture() == hwnd) ReleaseCapture();
}

void Application::addPenPoint(POINT screenPoint) {
    if (!ScreenToClient(hwnd, &screenPoint)) return;
    if (const auto point = renderer->clientToBoard(screenPoint, clientRect())) game.extendStroke(point->x, point->y);
}

bool Application::handlePointerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT32 id = LOWORD(wParam);
    const bool tracked = penDrawing && id == penPointerId;
    if (!tracked) {
        POINTER_INPUT_TYPE type = PT_POINTER;
        if (!hooks.getPointerType || !hooks.getPointerType(id, &type) || type != PT_PEN) return false;
    }
    const RECT client = clientRect();
    const POINT messageScreenPoint = messagePoint(lParam);

    if (message == WM_POINTERDOWN) {
        if (mouseDrawing || penDrawing || game.paused) return true;
        POINT clientPoint = messageScreenPoint;
        if (!ScreenToClient(hwnd, &clientPoint)) return true;
        const auto point = renderer->clientToBoard(clientPoint, client);
        if (!point) return true;
        SetFocus(hwnd);
        if (wParam & secondButtonFlag) {
            game.placeBlock(point->x, point->y);
        } else {
            penPointerId = id;
            penDrawing = true;
            game.beginStroke(point->x, point->y);
        }
        redraw();
        return true;
    }

    if (!tracked) return true;  // updates and ups of a pen that is not drawing
    POINTER_PEN_INFO info{};
    const bool haveInfo = hooks.getPointerPenInfo && hooks.getPointerPenInfo(id, &info);
    if (haveInfo && (info.pointerInfo.pointerFlags & pointerFlagCanceled)) {
        endPointerStroke();
        return true;
    }
    const POINT currentPoint = haveInfo ? info.pointerInfo.ptPixelLocation : messageScreenPoint;
    if (message == WM_POINTERUPDATE) {
        if (haveInfo && info.pointerInfo.historyCount > 1) {
            POINTER_PEN_INFO history[penHistoryRoom];  // on the stack: nothing is allocated per message
            UINT32 count = penHistoryRoom;
            if (hooks.getPointerPenInfoHistory && hooks.getPointerPenInfoHistory(id, &count, history)) {
                const UINT32 n = count < penHistoryRoom ? count : penHistoryRoom;
                // Windows puts the newest sample first; replay oldest first.
                for (UINT32 i = n; i-- > 0;) {
                    const UINT32 flags = history[i].pointerInfo.pointerFlags;
                    if ((flags & pointerFlagInContact) && !(flags & pointerFlagCanceled)) {
                        addPenPoint(history[i].pointerInfo.ptPixelLocation);
                    }
                }
            } else {
                addPenPoint(info.pointerInfo.ptPixelLocation);
            }
        } else if (wParam & inContactFlag) {
            addPenPoint(currentPoint);
        }
    } else {
        addPenPoint(currentPoint);
        endPointerStroke();
    }
    redraw();
    return true;
}

}  // namespace corvale
