// The board browser window driven in-process under Wine: the real list view,
// combo boxes, dialog keys and the preview's Renderer.
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "board_description.h"
#include "browser_script.h"
#include "embedded_levels.h"
#include "level_builders.h"
#include "placement.h"

namespace corvale::testing {
namespace {

class BrowserWindow : public ::testing::Test {
   protected:
    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"Owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    static const Game& boardSet() {
        static const Game game(loadEmbeddedLevels(GetModuleHandleW(nullptr)));
        return game;
    }

    BrowserChoice run(const Game& game, std::int32_t current, std::vector<BrowserStep> steps) {
        return runBrowserScript(owner, game, current, std::move(steps));
    }

    HWND owner = nullptr;
};

std::wstring statusOf(const BoardBrowser& browser) {
    return windowText(browser.controls[statusLabel]);
}

std::wstring descriptionOf(const BoardBrowser& browser) {
    return windowText(browser.controls[descriptionBox]);
}

TEST_F(BrowserWindow, OpensOnTheCurrentBoardScrolledIntoView) {
    bool checked = false;
    const BrowserChoice choice =
        run(boardSet(), 300, {[&](BoardBrowser& b) {
                EXPECT_EQ(windowText(b.window), L"Browse Boards - Corvale");
                EXPECT_EQ(GetWindow(b.window, GW_OWNER), owner);
                EXPECT_FALSE(IsWindowEnabled(owner));
                EXPECT_EQ(SendMessageW(b.window, WM_USER, 0, 0), 0x534B0001);
                wchar_t className[64] = {};
                GetClassNameW(b.controls[previewWindow], className, 64);
                EXPECT_STREQ(className, L"Corvale.BoardBrowser.Preview");

                EXPECT_EQ(statusOf(b), L"551 of 551 boards\r\nUnlimited time sorts as infinity");
                EXPECT_EQ(selectedListRow(b), 300);
                const auto top = static_cast<int>(SendMessageW(b.controls[boardList], LVM_GETTOPINDEX, 0, 0));
                const auto perPage = static_cast<int>(SendMessageW(b.controls[boardList], LVM_GETCOUNTPERPAGE, 0, 0));
                EXPECT_TRUE(top <= 300 && 300 < top + perPage) << top << " + " << perPage;
                EXPECT_TRUE(IsWindowEnabled(b.controls[playButton]));
                EXPECT_EQ(GetFocus(), b.controls[boardList]);
                EXPECT_TRUE(b.previewValid);
                EXPECT_EQ(b.previewRenders, 1);
                EXPECT_EQ(b.previewGame.boardId, 300);
                EXPECT_EQ(descriptionOf(b), widenAscii(describeBoard(boardSet().levels[300])));

                // The list hands out the row texts of the shown level.
                wchar_t text[32] = {};
                LVITEMW item{};
                item.iSubItem = 3;
                item.pszText = text;
                item.cchTextMax = 32;
                SendMessageW(b.controls[boardList], LVM_GETITEMTEXTW, 300, reinterpret_cast<LPARAM>(&item));
                EXPECT_EQ(std::wstring(text), widenAscii(formatTimeAllowed(boardSet().levels[300].timeLimit)));
                checked = true;
                pressKey(b, VK_ESCAPE);
            }});
    EXPECT_TRUE(checked);
    EXPECT_FALSE(choice.chosen);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowW(browserWindowClass, nullptr), nullptr);
}

TEST_F(BrowserWindow, FiltersMoveTheSelectionToTheFirstShownRow) {
    const BrowserChoice choice =
        run(boardSet(), 300,
            {
                [](BoardBrowser& b) {
                    chooseInBox(b, difficultyBox, 5);  // Expert: board 300 is hidden
                    EXPECT_EQ(statusOf(b), L"62 of 551 boards\r\nUnlimited time sorts as infinity");
                    EXPECT_EQ(b.selection, 489u);
                    EXPECT_EQ(selectedListRow(b), 0);
                    chooseInBox(b, typeBox, 2);
                    EXPECT_EQ(statusOf(b), L"17 of 551 boards\r\nUnlimited time sorts as infinity");
                    ASSERT_EQ(b.shown.size(), 17u);
                    EXPECT_EQ(b.selection, 534u);
                    for (std::size_t row = 0; row < b.shown.size(); ++row) {
                        EXPECT_EQ(b.shown[row], 534 + row);
                        EXPECT_EQ(b.rows[b.shown[row]].columns[3], L"Unlimited");
                    }
                },
                [](BoardBrowser& b) {
                    // The deferred update has run: the preview and text follow.
                    EXPECT_FALSE(b.previewPending);
                    EXPECT_EQ(b.previewGame.boardId, 534);
                    EXPECT_TRUE(descriptionOf(b).starts_with(L"BOARD 534  |  Expert  |  Bonus\r\n"));
                    // A filter that keeps the selection keeps it and renders nothing new.
                    const int renders = b.previewRenders;
                    chooseInBox(b, sortBox, 2);
                    EXPECT_EQ(b.selection, 534u);
                    EXPECT_EQ(selectedListRow(b), 0);
                    EXPECT_FALSE(b.previewPending);
                    EXPECT_EQ(b.previewRenders, renders);
                    SendMessageW(b.controls[closeButton], BM_CLICK, 0, 0);
                },
            });
    EXPECT_FALSE(choice.chosen);
}

TEST_F(BrowserWindow, NothingShownDisablesPlay) {
    std::vector<Level> levels(3, test::playableLevel());
    for (std::size_t i = 0; i < levels.size(); ++i) levels[i].id = static_cast<std::int32_t>(i);
    const Game game(std::move(levels));
    const BrowserChoice choice =
        run(game, 1,
            {
                [](BoardBrowser& b) {
                    chooseInBox(b, typeBox, 2);  // no bonus boards here
                    EXPECT_EQ(statusOf(b), L"0 of 3 boards\r\nUnlimited time sorts as infinity");
                    EXPECT_FALSE(IsWindowEnabled(b.controls[playButton]));
                    EXPECT_FALSE(b.hasSelection);
                    EXPECT_FALSE(b.previewValid);
                    EXPECT_EQ(descriptionOf(b), L"No boards match the selected filters.");
                    SetFocus(b.controls[boardList]);
                    pressKey(b, VK_RETURN);
                    SendMessageW(b.window, WM_COMMAND, IDOK, 0);  // Play without a selection
                    notifyFromList(b, NM_DBLCLK, -1, 0);          // and a double-click
                    SendMessageW(b.controls[previewWindow], WM_LBUTTONDOWN, 0, MAKELPARAM(150, 150));
                    EXPECT_EQ(b.selectedColumn, -1);
                },
                [](BoardBrowser& b) {
                    EXPECT_TRUE(IsWindow(b.window));
                    chooseInBox(b, typeBox, 0);
                    EXPECT_TRUE(IsWindowEnabled(b.controls[playButton]));
                    EXPECT_EQ(b.selection, 0u);   // the first shown row
                    EXPECT_TRUE(b.previewValid);  // rendered at once, not deferred
                    EXPECT_FALSE(b.previewPending);
                    SendMessageW(b.window, WM_CLOSE, 0, 0);  // the close box
                },
            });
    EXPECT_FALSE(choice.chosen);
}

TEST_F(BrowserWindow, PlayEnterAndDoubleClickChooseTheSelection) {
    BrowserChoice choice = run(boardSet(), 12, {[](BoardBrowser& b) { pressKey(b, VK_RETURN); }});
    EXPECT_TRUE(choice.chosen);
    EXPECT_EQ(choice.levelIndex, 12u);

    choice = run(boardSet(), 12, {[](BoardBrowser& b) {
                     selectListRow(b, 40);
                     notifyFromList(b, NM_DBLCLK, -1, 0);  // blank space below the rows
                     EXPECT_TRUE(IsWindow(b.window));
                     notifyFromList(b, NM_DBLCLK, 40, 0);
                 }});
    EXPECT_TRUE(choice.chosen);
    EXPECT_EQ(choice.levelIndex, 40u);

    choice = run(boardSet(), 12, {[](BoardBrowser& b) {
                     chooseInBox(b, sortBox, 1);
                     SendMessageW(b.controls[playButton], BM_CLICK, 0, 0);
                 }});
    EXPECT_TRUE(choice.chosen);
    EXPECT_EQ(choice.levelIndex, 12u);  // re-sorting kept the selection
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(BrowserWindow, TypingFourThenTwoSelectsBoard42) {
    const BrowserChoice choice = run(boardSet(), 0,
                                     {
                                         [](BoardBrowser& b) {
                                             ASSERT_EQ(selectedListRow(b), 0);
                                             // Posted together, the two characters form one type-ahead string.
                                             PostMessageW(b.controls[boardList], WM_CHAR, L'4', 1);
                                             PostMessageW(b.controls[boardList], WM_CHAR, L'2', 1);
                                         },
                                         [](BoardBrowser& b) {
                                             EXPECT_EQ(selectedListRow(b), 42);
                                             EXPECT_EQ(b.selection, 42u);
                                             pressKey(b, VK_ESCAPE);
                                         },
                                     });
    EXPECT_FALSE(choice.chosen);
}

TEST_F(BrowserWindow, HeadingClicksSwitchTheOrderAndItsArrow) {
    auto sortOf = [](const BoardBrowser& b) {
        return static_cast<int>(SendMessageW(b.controls[sortBox], CB_GETCURSEL, 0, 0));
    };
    auto arrowOf = [](const BoardBrowser& b, int column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(ListView_GetHeader(b.controls[boardList]), HDM_GETITEMW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&item));
        return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
    };
    run(boardSet(), 0, {[&](BoardBrowser& b) {
            EXPECT_EQ(arrowOf(b, 0), HDF_SORTUP);
            EXPECT_EQ(arrowOf(b, 3), 0);
            notifyFromList(b, LVN_COLUMNCLICK, -1, 3);
            EXPECT_EQ(sortOf(b), 1);
            EXPECT_EQ(arrowOf(b, 3), HDF_SORTUP);
            EXPECT_EQ(arrowOf(b, 0), 0);
            const auto& levels = boardSet().levels;
            EXPECT_LE(levels[b.shown[0]].timeLimit, levels[b.shown[1]].timeLimit);
            EXPECT_EQ(levels[b.shown.back()].timeLimit, 0);
            notifyFromList(b, LVN_COLUMNCLICK, -1, 3);
            EXPECT_EQ(sortOf(b), 2);
            EXPECT_EQ(arrowOf(b, 3), HDF_SORTDOWN);
            EXPECT_EQ(levels[b.shown[0]].timeLimit, 0);
            notifyFromList(b, LVN_COLUMNCLICK, -1, 1);  // Difficulty: nothing
            EXPECT_EQ(sortOf(b), 2);
            notifyFromList(b, LVN_COLUMNCLICK, -1, 0);
            EXPECT_EQ(sortOf(b), 0);
            EXPECT_EQ(arrowOf(b, 0), HDF_SORTUP);
            EXPECT_EQ(b.shown[17], 17u);
            SendMessageW(b.controls[closeButton], BM_CLICK, 0, 0);
        }});
}

TEST_F(BrowserWindow, PreviewClicksInspectTilesAndIgnoreHeaderAndMargins) {
    run(boardSet(), 0, {[](BoardBrowser& b) {
            HWND preview = b.controls[previewWindow];
            RECT client{};
            GetClientRect(preview, &client);
            const Placement p = placeGameImage(client.right, client.bottom);
            ASSERT_GT(p.width, 0);
            const std::wstring before = descriptionOf(b);
            auto click = [&](int x, int y) { SendMessageW(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); };

            click(p.x + p.width / 2, p.y + 3);  // the header strip
            if (p.x > 0) click(p.x - 1, p.y + p.height / 2);
            if (p.y > 0) click(p.x + p.width / 2, p.y - 1);
            EXPECT_EQ(b.selectedColumn, -1);
            EXPECT_EQ(b.selectedRow, -1);
            EXPECT_EQ(descriptionOf(b), before);

            // The centre of the top-left cell, then of cell (16, 16).
            const double scale = static_cast<double>(p.width) / gameImageWidth;
            click(p.x + static_cast<int>(16 * scale), p.y + static_cast<int>((headerHeight + 16) * scale));
            EXPECT_EQ(b.selectedColumn, 0);
            EXPECT_EQ(b.selectedRow, 0);
            const Level& level = boardSet().levels[0];
            EXPECT_EQ(descriptionOf(b), widenAscii(describeSelectedTile(level, 0, 0) + describeBoard(level)));
            EXPECT_EQ(b.previewRenders, 1);  // inspecting a tile renders no board
            click(p.x + p.width - 1, p.y + p.height - 1);
            EXPECT_EQ(b.selectedColumn, 16);
            EXPECT_EQ(b.selectedRow, 16);

            // Another board clears the tile.
            selectListRow(b, 5);
            EXPECT_EQ(b.selectedColumn, -1);
            EXPECT_NE(descriptionOf(b).find(L"BOARD 0 "), std::wstring::npos);  // the update is deferred
            click(p.x + p.width / 2, p.y + p.height / 2);                       // a click runs it first
            EXPECT_EQ(b.previewGame.boardId, 5);
            EXPECT_EQ(b.selectedColumn, 8);  // image centre (272, 293) is board point (272, 251)
            EXPECT_EQ(b.selectedRow, 7);
            EXPECT_TRUE(descriptionOf(b).starts_with(L"SELECTED TILE: column 9, row 8 (zero-based 8, 7)\r\n"));
            EXPECT_NE(descriptionOf(b).find(L"BOARD 5 "), std::wstring::npos);
            pressKey(b, VK_ESCAPE);
        }});
}

TEST_F(BrowserWindow, ShuffledLevelPreviewShowsTheStoredQueue) {
    std::vector<Level> levels(2, test::playableLevel());
    levels[1].id = 1;
    levels[1].randomizeQueue = true;
    levels[1].queue = {1, 2, 3, 4, 0, 1, 2, 3};
    const Game game{std::vector<Level>(levels)};
    std::vector<std::uint32_t> firstImage;
    run(game, 1,
        {
            [&](BoardBrowser& b) {
                EXPECT_EQ(b.previewGame.queue, levels[1].queue);
                EXPECT_DOUBLE_EQ(b.previewGame.boardAge, 4.0);
                const std::uint32_t* pixels = b.renderer.gameImagePixels();
                firstImage.assign(pixels, pixels + gameImageWidth * gameImageHeight);
                selectListRow(b, 0);
            },
            [](BoardBrowser& b) { selectListRow(b, 1); },
            [&](BoardBrowser& b) {
                EXPECT_EQ(b.previewRenders, 3);
                EXPECT_EQ(b.previewGame.queue, levels[1].queue);
                const std::uint32_t* pixels = b.renderer.gameImagePixels();
                EXPECT_TRUE(std::equal(firstImage.begin(), firstImage.end(), pixels));
                pressKey(b, VK_ESCAPE);
            },
        });
}

TEST_F(BrowserWindow, TwentyQuickSelectionChangesRenderOnce) {
    run(boardSet(), 0,
        {
            [](BoardBrowser& b) {
                ASSERT_EQ(b.previewRenders, 1);
                for (int row = 1; row <= 20; ++row) selectListRow(b, row);
                EXPECT_EQ(b.previewRenders, 1);
                EXPECT_TRUE(b.previewPending);
                EXPECT_EQ(b.selection, 20u);
            },
            [](BoardBrowser& b) {
                EXPECT_EQ(b.previewRenders, 2);
                EXPECT_FALSE(b.previewPending);
                EXPECT_EQ(b.previewGame.boardId, 20);
                EXPECT_TRUE(descriptionOf(b).starts_with(L"BOARD 20 "));
                pressKey(b, VK_ESCAPE);
            },
        });
}

TEST_F(BrowserWindow, DpiChangeRemakesTheFontAndLaysOutAgain) {
    run(boardSet(), 0, {[](BoardBrowser& b) {
            RECT outer{};
            GetWindowRect(b.window, &outer);
            RECT suggested{outer.left, outer.top, outer.left + 1500, outer.top + 1100};
            SendMessageW(b.window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
            EXPECT_EQ(b.dpi, 144u);
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(b.controls[boardList], WM_GETFONT, 0, 0)), sizeof(font),
                       &font);
            EXPECT_EQ(font.lfHeight, -18);
            RECT client{};
            GetClientRect(b.window, &client);
            EXPECT_EQ(b.layoutWidth, client.right);
            EXPECT_EQ(b.layoutDpi, 144u);
            RECT list{};
            GetWindowRect(b.controls[boardList], &list);
            MapWindowPoints(nullptr, b.window, reinterpret_cast<POINT*>(&list), 2);
            EXPECT_EQ(list.left, 18);                                          // u(12)
            EXPECT_EQ(list.top, 105);                                          // u(70)
            EXPECT_EQ(ListView_GetColumnWidth(b.controls[boardList], 0), 66);  // u(44)
            // The preview keeps the game image's proportions or is narrower.
            RECT preview{};
            GetClientRect(b.controls[previewWindow], &preview);
            EXPECT_LE(preview.bottom, (preview.right + 4) * 586 / 544 + 4);
            pressKey(b, VK_ESCAPE);
        }});
}

TEST_F(BrowserWindow, DividerDoubleClickFitsTheColumnToItsTexts) {
    run(boardSet(), 0, {[](BoardBrowser& b) {
            HWND list = b.controls[boardList];
            ListView_SetColumnWidth(list, 1, 5);
            NMHEADERW note{};
            note.hdr.hwndFrom = ListView_GetHeader(list);
            note.hdr.code = HDN_DIVIDERDBLCLICKW;
            note.iItem = 1;
            SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&note));
            const int width = ListView_GetColumnWidth(list, 1);
            // "Intermediate" is the widest difficulty name; every name fits.
            HDC dc = GetDC(list);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
            SIZE size{};
            GetTextExtentPoint32W(dc, L"Intermediate", 12, &size);
            SelectObject(dc, old);
            ReleaseDC(list, dc);
            EXPECT_EQ(width, size.cx + 16);
            pressKey(b, VK_ESCAPE);
        }});
}

TEST_F(BrowserWindow, QuitMessageEndsTheBrowserAndReachesTheOuterLoop) {
    const BrowserChoice choice = run(boardSet(), 0, {[](BoardBrowser&) { PostQuitMessage(5); }});
    EXPECT_FALSE(choice.chosen);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(FindWindowW(browserWindowClass, nullptr), nullptr);
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 5u);
}

TEST_F(BrowserWindow, FailuresBeforeTheWindowLeaveNothingBehind) {
    Game empty(std::vector<Level>(1, test::playableLevel()));
    empty.levels = LevelList{};  // a game whose list was emptied after construction
    EXPECT_FALSE(runBoardBrowser(owner, GetModuleHandleW(nullptr), empty, 0).chosen);
    EXPECT_EQ(FindWindowW(browserWindowClass, nullptr), nullptr);

    // A module without the atlas: the Renderer's own message, no window.
    try {
        runBoardBrowser(owner, GetModuleHandleW(L"kernel32.dll"), boardSet(), 0);
        ADD_FAILURE() << "the browser opened without an atlas";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "The embedded original sprite atlas could not be loaded.");
    }
    EXPECT_EQ(FindWindowW(browserWindowClass, nullptr), nullptr);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

}  // namespace
}  // namespace corvale::testing
