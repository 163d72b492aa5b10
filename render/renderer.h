// The Renderer draws a Game into the 544 x 586 game image (a 42-pixel header
// strip above the 544 x 544 board), shows that image scaled in a window and
// writes it to a BMP file. All artwork comes from the sprite atlas, bitmap
// resource 501. One Renderer serves one Game: it caches the tile layer and
// animates the queue from what it saw at the last render.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game.h"
#include "gdi_handles.h"
#include "placement.h"
#include "sprite_copy.h"
#include "sprites.h"
#include "startup_faults.h"

namespace corvale {

inline constexpr int atlasResourceId = 501;
inline constexpr int queueSlots = 6;

class Renderer {
   public:
    // Loads the atlas from `instance` and creates every surface. Throws
    // std::runtime_error naming the first step that failed; whatever was
    // created before it is given back. `faults` is for tests only.
    explicit Renderer(HINSTANCE instance, StartupFaults* faults = nullptr);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;
    Renderer(Renderer&&) = delete;
    Renderer& operator=(Renderer&&) = delete;

    // Gives every handle back; later calls do nothing. Run by the destructor.
    void release();

    // Draws the whole game image from the game's public fields. Never fails.
    void render(const Game& game);

    // Shows the game image scaled and centred in `rect` of `target`, margins
    // in a light gray-blue. Throws std::runtime_error when a surface for a
    // new size cannot be made (the old one stays, so a later call retries).
    void present(HDC target, const RECT& rect);

    // The board point under a client point, when the point is over the board
    // as present() shows it in `client`; nothing over the header or margins.
    std::optional<BoardPoint> clientToBoard(POINT point, const RECT& client) const;

    // Writes the unscaled game image as a 32-bit top-down BMP. False on any
    // failure; a partly written file is removed.
    bool writeScreenshot(const std::wstring& path) const;

    // Draws sprite `index` with its top-left corner at (x, y): blended from
    // the transparent ball artwork, or copied opaque from the atlas. A width
    // or height of 0 means the sprite's own size. Indices without artwork
    // draw nothing.
    void drawSprite(HDC target, int index, int x, int y, bool blend, int width = 0, int height = 0) const;

    // ---- For the board browser and the tests ----
    // Taking this context makes the next render copy the whole tile layer
    // again, painting over whatever was drawn through it; take it anew for
    // each drawing rather than keeping it.
    HDC gameImageDc() const {
        imageBoardStale = true;
        return imageDc.get();
    }
    const std::uint32_t* gameImagePixels() const { return imageBits; }  // 544 x 586, top row first
    // The atlas and the ball artwork can be painted over after construction
    // (tests give every sprite a colour of its own this way). Opaque sprites
    // are copied from a 32-bit copy of the atlas, so taking the atlas's
    // context marks that copy out of date and the next render renews it.
    HDC atlasContext() const {
        opaqueArtStale = true;
        return atlasDc.get();
    }
    std::uint32_t* ballArtPixels() const { return ballArtBits; }  // 381 x 400, top row first
    int cellsDrawnByLastRender() const { return cellsDrawn; }
    int rescaleCount() const { return rescales; }
    int presentSurfacesCreated() const { return surfacesCreated; }
    double queueSlotX(int slot) const { return slotX[static_cast<std::size_t>(slot)]; }
    int borderSweepSteps() const { return sweepSteps; }
    // With `on`, sprites go through BitBlt and AlphaBlend as drawSprite
    // draws them rather than being copied or blended as pixels; the tests
    // compare the two.
    void drawSpritesWithGdi(bool on) {
        gdiSprites = on;
        imageBoardStale = true;
    }

   private:
    void createSurfaces(HINSTANCE instance, StartupFaults* faults);
    void createBallArt(StartupFaults* faults);
    void updateQueueAnimation(const Game& game);
    void stepQueueSlots();
    void refreshOpaqueArt();
    void copySprite(HDC dc, const PixelTarget& target, int index, int x, int y) const;
    void drawHeader(const Game& game);
    void drawQueue(const Game& game);
    void drawTiles(const Game& game);
    void restoreBoardFromBackground();
    static bool coversCell(int sprite);
    void settleLayerCell(std::size_t i);  // writes the sprite waiting for cell i into the tile layer
    void settleLayer();
    void markImageStale(long long left, long long top, long long right, long long bottom);
    void drawBorderSweep(const Game& game);
    void drawInk(const Game& game);
    void drawBalls(const Game& game);
    void replacePresentSurface(int width, int height);
    void rescale();

    // ---- Atlas and surfaces, in order of acquisition ----
    GdiBitmap atlas;
    MemoryDc atlasDc;
    MemoryDc ballArtDc;
    MemoryDc imageDc;
    MemoryDc backgroundDc;
    MemoryDc presentDc;
    GdiBitmap ballArt;
    std::uint32_t* ballArtBits = nullptr;
    GdiBitmap gameImage;
    std::uint32_t* imageBits = nullptr;
    GdiBitmap boardBackground;
    std::uint32_t* backgroundBits = nullptr;
    GdiBitmap presentSurface;  // absent until the first present
    // The bitmaps ours displaced in atlasDc, ballArtDc, imageDc,
    // backgroundDc and presentDc (in that order), put back before ours are
    // deleted.
    std::array<SelectedObject, 5> displacedBitmaps;
    GdiPen inkPen;
    // The atlas as 32-bit top-down rows, for copying opaque sprites without
    // a BitBlt each; empty when GDI could not convert it (BitBlt is used).
    std::vector<std::uint32_t> opaqueArt;
    mutable bool opaqueArtStale = false;  // the atlas may have been painted since opaqueArt was taken
    bool gdiSprites = false;              // tests: sprites through BitBlt and AlphaBlend

    // ---- Tile cache, queue animation and border sweep ----
    std::array<std::int32_t, boardCellCount> cellSprites{};
    bool backgroundValid = false;
    // Where the board in the game image may differ from boardBackground:
    // cells the last frames drew gold, ink or balls over, or whose tile
    // changed. Only those are copied again, not the whole 544 x 544 layer.
    std::array<bool, boardCellCount> imageCellsStale{};
    mutable bool imageBoardStale = true;         // every cell, as before the first render
    // Sprites already in the game image but not yet in boardBackground, by
    // cell (noSprite: none). The layer is brought up to date cell by cell
    // before it is read, and whole before the atlas copy is renewed.
    static constexpr std::int32_t noSprite = -1;
    std::array<std::int32_t, boardCellCount> layerPending = [] {
        std::array<std::int32_t, boardCellCount> none;
        none.fill(noSprite);
        return none;
    }();
    std::uint64_t queueBoard = 0;                // boardsStarted of the board being animated
    double queueClock = 0.0;                     // boardAge at the last render
    double queueAccumulator = 0.0;               // seconds not yet turned into animation steps
    std::array<double, queueSlots> slotX{};      // header x of queue balls, front first
    std::array<double, queueSlots> slotSpeed{};  // px/s, negative = moving left
    std::uint64_t queueLength = 0;               // queue length at the last render
    std::int32_t lastPhase = 0;                  // phase at the last render
    std::int32_t sweepSteps = 0;                 // border sweep length of the cleared board
    std::vector<POINT> strokePoints;             // reused so a stroke allocates only when it outgrows it

    // ---- Presentation ----
    int presentWidth = 0;
    int presentHeight = 0;
    bool needsRescale = true;

    // ---- Counters the tests read ----
    int cellsDrawn = 0;
    int rescales = 0;
    int surfacesCreated = 0;
};

}  // namespace corvale
