// Construction and release of the Renderer: the atlas, the transparent ball
// artwork, the drawing surfaces and the ink pen.
#include <stdexcept>

#include "renderer.h"
#include "surfaces.h"

namespace corvale {
namespace {

constexpr std::uint32_t magenta = 0xFF00FF;
constexpr std::uint32_t colourMask = 0xFFFFFF;
constexpr std::uint32_t opaque = 0xFF000000;
constexpr int inkWidth = 10;

}  // namespace

BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP createTopDownBitmap(HDC dc, int width, int height, std::uint32_t** bits) {
    BITMAPINFO info = topDownInfo(width, height);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap != nullptr && pixels == nullptr) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    *bits = static_cast<std::uint32_t*>(pixels);
    return bitmap;
}

void keyOutMagenta(std::uint32_t* pixels, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t colour = pixels[i] & colourMask;
        // Fully opaque or fully transparent pixels are already valid
        // pre-multiplied alpha, so AlphaBlend needs no conversion later.
        pixels[i] = colour == magenta ? 0 : colour | opaque;
    }
}

Renderer::Renderer(HINSTANCE instance, StartupFaults* faults) {
    try {
        createSurfaces(instance, faults);
    } catch (...) {
        release();
        throw;
    }
}

Renderer::~Renderer() {
    release();
}

void Renderer::createSurfaces(HINSTANCE instance, StartupFaults* faults) {
    if (!refused(faults)) {
        atlas.reset(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(atlasResourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    }
    if (!atlas) throw std::runtime_error("The embedded original sprite atlas could not be loaded.");

    BITMAP size{};
    if (refused(faults) || GetObjectW(atlas.get(), sizeof size, &size) == 0 || size.bmWidth != atlasWidth ||
        size.bmHeight != atlasHeight)
        throw std::runtime_error("The embedded sprite atlas has unexpected dimensions.");

    for (MemoryDc* dc : {&atlasDc, &ballArtDc, &imageDc, &backgroundDc, &presentDc}) {
        if (!refused(faults)) dc->reset(CreateCompatibleDC(nullptr));
        if (!*dc) throw std::runtime_error("Windows could not allocate the drawing surfaces.");
    }

    createBallArt(faults);
    // Not being able to convert only costs speed: opaque sprites then use BitBlt.
    opaqueArt = opaqueAtlasCopy(atlasDc.get(), atlas.get());
    displacedBitmaps[ballArtSlot] = SelectedObject(ballArtDc.get(), ballArt.get());
    displacedBitmaps[atlasSlot] = SelectedObject(atlasDc.get(), atlas.get());

    if (!refused(faults)) {
        gameImage.reset(createTopDownBitmap(imageDc.get(), gameImageWidth, gameImageHeight, &imageBits));
    }
    if (!gameImage) {
        imageBits = nullptr;
        throw std::runtime_error("Windows could not allocate the game image.");
    }
    displacedBitmaps[imageSlot] = SelectedObject(imageDc.get(), gameImage.get());

    if (!refused(faults)) {
        boardBackground.reset(createTopDownBitmap(backgroundDc.get(), boardPixels, boardPixels, &backgroundBits));
    }
    if (!boardBackground) {
        backgroundBits = nullptr;
        throw std::runtime_error("Windows could not allocate the board background.");
    }
    displacedBitmaps[backgroundSlot] = SelectedObject(backgroundDc.get(), boardBackground.get());

    LOGBRUSH black{BS_SOLID, RGB(0, 0, 0), 0};
    if (!refused(faults)) {
        inkPen.reset(
            ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, inkWidth, &black, 0, nullptr));
    }
    if (!inkPen) throw std::runtime_error("Windows could not create the ink pen.");
}

void Renderer::createBallArt(StartupFaults* faults) {
    if (!refused(faults)) ballArt.reset(createTopDownBitmap(ballArtDc.get(), atlasWidth, atlasHeight, &ballArtBits));
    BITMAPINFO info = topDownInfo(atlasWidth, atlasHeight);
    // GetDIBits converts the 24-bit rows to 32 bits; the atlas is not yet
    // selected into a context, as GetDIBits requires.
    if (!ballArt || refused(faults) ||
        GetDIBits(ballArtDc.get(), atlas.get(), 0, atlasHeight, ballArtBits, &info, DIB_RGB_COLORS) != atlasHeight) {
        ballArt.reset();
        ballArtBits = nullptr;
        throw std::runtime_error("Windows could not prepare transparent ball artwork.");
    }
    keyOutMagenta(ballArtBits, static_cast<std::size_t>(atlasWidth) * atlasHeight);
}

void Renderer::release() {
    // Our bitmaps must leave their contexts before they can be deleted, and
    // the contexts outlive the bitmaps they held.
    for (std::size_t i = displacedBitmaps.size(); i-- > 0;) displacedBitmaps[i].restore();
    presentSurface.reset();
    boardBackground.reset();
    backgroundBits = nullptr;
    gameImage.reset();
    imageBits = nullptr;
    ballArt.reset();
    ballArtBits = nullptr;
    atlas.reset();
    presentDc.reset();
    backgroundDc.reset();
    imageDc.reset();
    ballArtDc.reset();
    atlasDc.reset();
    inkPen.reset();
    opaqueArt.clear();
}

void Renderer::refreshOpaqueArt() {
    opaqueArtStale = false;
    settleLayer();  // with the art the waiting sprites were drawn with
    const HGDIOBJ displaced = displacedBitmaps[atlasSlot].displaced();
    if (displaced == nullptr) return;
    // GetDIBits wants the bitmap outside any context: atlasDc holds the
    // bitmap it came with meanwhile. Painting goes through GDI, so it must
    // have landed first.
    GdiFlush();
    SelectObject(atlasDc.get(), displaced);
    opaqueArt = opaqueAtlasCopy(atlasDc.get(), atlas.get());
    SelectObject(atlasDc.get(), atlas.get());
}

}  // namespace corvale
