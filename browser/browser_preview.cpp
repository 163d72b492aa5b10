// The preview beside the list: the selected board as it looks when it starts,
// drawn by the browser's own Renderer from its own Game, the description
// text, and the tile inspector.
#include <windows.h>
// commctrl.h and windowsx.h need the types of windows.h first.
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "board_browser.h"
#include "board_description.h"
#include "placement.h"

namespace corvale {
namespace {

constexpr COLORREF tileFrameColour = RGB(255, 224, 0);
constexpr double previewBoardAge = 4.0;  // seconds: the queue strip as it stands after the first launch delay

}  // namespace

void BoardBrowser::selectLevel(std::size_t index) {
    if (previewValid && hasSelection && selection == index) return;
    selection = index;
    hasSelection = true;
    selectedColumn = -1;
    selectedRow = -1;
    if (previewValid) {
        requestPreviewUpdate();
    } else {
        updatePreview();
    }
}

void BoardBrowser::requestPreviewUpdate() {
    // Arrow keys held down change the selection faster than a board renders;
    // one posted update renders whatever is selected when it arrives.
    if (previewPending) return;
    previewPending = true;
    if (!window || !PostMessageW(window, previewUpdateMessage, 0, 0)) updatePreview();
}

void BoardBrowser::updatePreview() {
    previewPending = false;
    if (!hasSelection) return;
    previewGame.startLevel(static_cast<std::int64_t>(selection), true);
    // The picture shows the queue as stored, even for a shuffled level, and
    // the queue strip as it stands once its slide-in has run. The preview
    // Game is set up again for every picture, so it is changed in place
    // rather than copied with its whole level list.
    previewGame.queue = levels[selection].queue;
    previewGame.boardAge = previewBoardAge;
    renderer.render(previewGame);
    ++previewRenders;
    previewValid = true;
    refreshText();
    if (controls[previewWindow]) InvalidateRect(controls[previewWindow], nullptr, FALSE);
}

void BoardBrowser::refreshText() {
    if (!hasSelection) return;
    const Level& level = levels[selection];
    setDescription(describeSelectedTile(level, selectedColumn, selectedRow) + describeBoard(level));
}

void BoardBrowser::setDescription(const std::string& text) {
    HWND box = controls[descriptionBox];
    if (!box) return;
    SetWindowTextW(box, widenAscii(text).c_str());
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

void BoardBrowser::paintPreview(HDC dc, const RECT& client) {
    if (!previewValid) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    renderer.present(dc, client);
    if (selectedColumn < 0 || selectedRow < 0) return;
    const Placement p = placeGameImage(client.right - client.left, client.bottom - client.top);
    const int ox = client.left + p.x;
    const int oy = client.top + p.y;
    const int c = selectedColumn;
    const int r = selectedRow;
    GdiPen pen(CreatePen(PS_SOLID, std::max(1, MulDiv(2, static_cast<int>(dpi), 96)), tileFrameColour));
    if (!pen) return;  // the picture is still right; only the frame is missing
    SavedDcState saved(dc);
    SelectObject(dc, pen.get());
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, ox + MulDiv(cellSize * c, p.width, gameImageWidth),
              oy + MulDiv(cellSize * r + headerHeight, p.height, gameImageHeight),
              ox + MulDiv(cellSize * c + cellSize, p.width, gameImageWidth),
              oy + MulDiv(cellSize * r + cellSize + headerHeight, p.height, gameImageHeight));
}

void BoardBrowser::onPreviewClick(POINT point) {
    if (previewPending) updatePreview();
    if (!previewValid) return;
    RECT client{};
    GetClientRect(controls[previewWindow], &client);
    const std::optional<BoardPoint> board = renderer.clientToBoard(point, client);
    if (!board) return;
    selectedColumn = std::clamp(static_cast<int>(board->x) / cellSize, 0, boardColumns - 1);
    selectedRow = std::clamp(static_cast<int>(board->y) / cellSize, 0, boardRows - 1);
    refreshText();
    InvalidateRect(controls[previewWindow], nullptr, FALSE);
}

LRESULT CALLBACK BoardBrowser::staticPreviewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* browser = reinterpret_cast<BoardBrowser*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!browser) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    try {
        if (message == WM_NCCREATE || message == WM_NCDESTROY || !browser->controls[previewWindow]) {
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return browser->previewProcedure(message, wParam, lParam);
    } catch (const std::exception& caught) {
        browser->storeError(caught.what());
    } catch (...) {
        browser->storeError("An unexpected error occurred.");
    }
    if (browser->window) PostMessageW(browser->window, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT BoardBrowser::previewProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = controls[previewWindow];
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            const PaintSession paint(hwnd);
            RECT client{};
            GetClientRect(hwnd, &client);
            if (paint.dc()) paintPreview(paint.dc(), client);
            return 0;
        }
        case WM_LBUTTONDOWN:
            onPreviewClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace corvale
