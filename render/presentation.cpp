// Showing the game image in a window rectangle, and mapping a click back.
#include <stdexcept>

#include "renderer.h"
#include "surfaces.h"

namespace corvale {
namespace {

constexpr COLORREF marginColour = RGB(192, 192, 203);

}  // namespace

void Renderer::present(HDC target, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    if (!presentSurface || width != presentWidth || height != presentHeight) replacePresentSurface(width, height);
    if (needsRescale) rescale();
    BitBlt(target, rect.left, rect.top, width, height, presentDc.get(), 0, 0, SRCCOPY);
}

void Renderer::replacePresentSurface(int width, int height) {
    std::uint32_t* bits = nullptr;
    GdiBitmap surface(createTopDownBitmap(presentDc.get(), width, height, &bits));
    if (!surface) throw std::runtime_error("Windows could not resize the presentation surface.");
    // The bitmap the context held before our first surface is remembered
    // once, to be put back at release; later surfaces only swap ours.
    if (!displacedBitmaps[presentSlot])
        displacedBitmaps[presentSlot] = SelectedObject(presentDc.get(), surface.get());
    else
        SelectObject(presentDc.get(), surface.get());
    presentSurface = std::move(surface);
    presentWidth = width;
    presentHeight = height;
    needsRescale = true;
    ++surfacesCreated;
}

void Renderer::rescale() {
    HDC dc = presentDc.get();
    const RECT all{0, 0, presentWidth, presentHeight};
    // The stock DC brush takes a colour without allocating a brush per frame.
    SetDCBrushColor(dc, marginColour);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    const Placement p = placeGameImage(presentWidth, presentHeight);
    if (p.width > 0 && p.height > 0) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, p.x, p.y, p.width, p.height, imageDc.get(), 0, 0, gameImageWidth, gameImageHeight, SRCCOPY);
    }
    needsRescale = false;
    ++rescales;
}

std::optional<BoardPoint> Renderer::clientToBoard(POINT point, const RECT& client) const {
    const Placement p = placeGameImage(client.right - client.left, client.bottom - client.top);
    const int x0 = client.left + p.x;
    const int y0 = client.top + p.y;
    if (p.width <= 0 || p.height <= 0) return std::nullopt;
    if (point.x < x0 || point.x >= x0 + p.width || point.y < y0 || point.y >= y0 + p.height) return std::nullopt;
    const double x = static_cast<double>(point.x - x0) * gameImageWidth / p.width;
    const double y = static_cast<double>(point.y - y0) * gameImageHeight / p.height - headerHeight;
    if (y < 0.0 || y >= boardPixels) return std::nullopt;
    return BoardPoint{x, y};
}

}  // namespace corvale
