#include <windows.h>

#include <vector>

#include "app_fixture.h"

namespace corvale::testing {
namespace {

// A pen that Wine cannot produce: what the pointer functions report is set by each test.
struct FakePen {
    POINTER_INPUT_TYPE type = PT_PEN;
    bool infoAvailable = true;
    POINTER_PEN_INFO info{};
    std::vector<POINTER_PEN_INFO> history;  // newest first, as Windows reports it
};
FakePen pen;

BOOL WINAPI fakePointerType(UINT32, POINTER_INPUT_TYPE* type) {
    *type = pen.type;
    return TRUE;
}
BOOL WINAPI fakePenInfo(UINT32, POINTER_PEN_INFO* info) {
    if (!pen.infoAvailable) return FALSE;
    *info = pen.info;
    return TRUE;
}
BOOL WINAPI fakePenHistory(UINT32, UINT32* count, POINTER_PEN_INFO* entries) {
    const UINT32 n = std::min<UINT32>(*count, static_cast<UINT32>(pen.history.size()));
    for (UINT32 i = 0; i < n; ++i) entries[i] = pen.history[i];
    *count = static_cast<UINT32>(pen.history.size());
    return TRUE;
}

constexpr WPARAM inContact = 0x40000;
constexpr WPARAM barrelButton = 0x200000;

class PenInput : public AppFixture {
   protected:
    void customizeHooks(ShellHooks& hooks) override {
        pen = FakePen{};
        hooks.getPointerType = fakePointerType;
        hooks.getPointerPenInfo = fakePenInfo;
        hooks.getPointerPenInfoHistory = fakePenHistory;
    }
    LPARAM screenLParam(int boardX, int boardY) const {
        const POINT p = screenPointOfBoard(boardX, boardY);
        return MAKELPARAM(p.x, p.y);
    }
    void setPenAt(int boardX, int boardY, UINT32 flags = 0x4) {
        pen.info.pointerInfo.ptPixelLocation = screenPointOfBoard(boardX, boardY);
        pen.info.pointerInfo.pointerFlags = flags;
        pen.info.pointerInfo.historyCount = 1;
    }
    LRESULT pointer(UINT message, UINT32 id, WPARAM flags, int boardX, int boardY) {
        return send(message, (flags & 0xFFFF0000) | id, screenLParam(boardX, boardY));
    }
    int findFreeFloorCell() const {
        for (int i = 0; i < boardCellCount; ++i) {
            if (app->game.cells[i].code == 0 && !app->game.cellOccupied(i % 17, i / 17)) return i;
        }
        return -1;
    }
};

TEST_F(PenInput, PenStrokeFromDownToUp) {
    setPenAt(100, 100);
    pointer(WM_POINTERDOWN, 3, inContact, 100, 100);
    ASSERT_TRUE(app->penDrawing);
    EXPECT_EQ(app->penPointerId, 3u);
    setPenAt(120, 100);
    pointer(WM_POINTERUPDATE, 3, inContact, 120, 100);
    setPenAt(140, 100);
    pointer(WM_POINTERUP, 3, 0, 140, 100);
    EXPECT_FALSE(app->penDrawing);
    ASSERT_EQ(app->game.strokes.size(), 1u);
    EXPECT_DOUBLE_EQ(app->game.strokes[0].points.front().x, 100.0);
    EXPECT_DOUBLE_EQ(app->game.strokes[0].points.back().x, 140.0);
}

TEST_F(PenInput, BarrelButtonPlacesABlockAndStartsNoStroke) {
    const int cell = findFreeFloorCell();
    ASSERT_GE(cell, 0);
    app->game.blockTokens = 1;
    const int x = 32 * (cell % 17) + 16, y = 32 * (cell / 17) + 16;
    setPenAt(x, y);
    pointer(WM_POINTERDOWN, 5, inContact | barrelButton, x, y);
    EXPECT_FALSE(app->penDrawing);
    EXPECT_EQ(app->game.blockTokens, 0);
    EXPECT_NE(app->game.cells[cell].code, 0);
    EXPECT_TRUE(app->game.strokes.empty());
    pointer(WM_POINTERUPDATE, 5, inContact, x + 20, y);  // its later messages are ignored
    EXPECT_TRUE(app->game.strokes.empty());
}

TEST_F(PenInput, ASecondPenIsIgnoredAndTouchIsNotOurs) {
    setPenAt(100, 100);
    pointer(WM_POINTERDOWN, 1, inContact, 100, 100);
    pointer(WM_POINTERDOWN, 2, inContact, 300, 300);
    EXPECT_EQ(app->penPointerId, 1u);
    EXPECT_EQ(app->game.strokes.size(), 1u);
    pointer(WM_POINTERUPDATE, 2, inContact, 320, 300);
    EXPECT_EQ(app->game.strokes[0].points.size(), 1u);
    pen.type = PT_TOUCH;
    EXPECT_FALSE(app->handlePointerMessage(WM_POINTERDOWN, 9, screenLParam(50, 50)));
}

TEST_F(PenInput, ACancelledContactEndsTheStrokeWithoutItsPoint) {
    setPenAt(100, 100);
    pointer(WM_POINTERDOWN, 1, inContact, 100, 100);
    setPenAt(200, 200, 0x4 | 0x8000);
    pointer(WM_POINTERUPDATE, 1, inContact, 200, 200);
    EXPECT_FALSE(app->penDrawing);
    EXPECT_EQ(app->game.drawingStrokeId, 0u);
    EXPECT_EQ(app->game.strokes[0].points.size(), 1u);
}

TEST_F(PenInput, HistoryIsReplayedOldestFirstSkippingEntriesOutOfContact) {
    setPenAt(100, 100);
    pointer(WM_POINTERDOWN, 1, inContact, 100, 100);
    // Ten samples from x = 110 (oldest) to x = 200 (newest); the one at 150 left the surface.
    for (int i = 9; i >= 0; --i) {
        POINTER_PEN_INFO entry{};
        entry.pointerInfo.ptPixelLocation = screenPointOfBoard(110 + 10 * i, 100);
        entry.pointerInfo.pointerFlags = (110 + 10 * i == 150) ? 0 : 0x4;
        pen.history.push_back(entry);
    }
    setPenAt(200, 100);
    pen.info.pointerInfo.historyCount = 10;
    pointer(WM_POINTERUPDATE, 1, inContact, 200, 100);
    const std::vector<BoardPoint>& points = app->game.strokes[0].points;
    std::vector<double> xs;
    for (const BoardPoint& p : points) xs.push_back(p.x);
    ASSERT_GE(xs.size(), 10u);
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
    EXPECT_DOUBLE_EQ(xs.back(), 200.0);
    EXPECT_EQ(std::count(xs.begin(), xs.end(), 150.0), 0);
}

TEST_F(PenInput, WithoutPenInformationTheMessagePointIsUsed) {
    pen.infoAvailable = false;
    pointer(WM_POINTERDOWN, 1, inContact, 100, 100);
    pointer(WM_POINTERUPDATE, 1, inContact, 130, 100);
    pointer(WM_POINTERUPDATE, 1, 0, 160, 100);  // hovering: no point
    ASSERT_EQ(app->game.strokes.size(), 1u);
    EXPECT_DOUBLE_EQ(app->game.strokes[0].points.back().x, 130.0);
}

TEST_F(PenInput, PausedGameTakesNoPenContact) {
    command(40010);
    setPenAt(100, 100);
    pointer(WM_POINTERDOWN, 1, inContact, 100, 100);
    EXPECT_FALSE(app->penDrawing);
    EXPECT_TRUE(app->game.strokes.empty());
}

}  // namespace
}  // namespace corvale::testing
