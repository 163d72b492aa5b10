#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "app_fixture.h"
#include "resource_ids.h"

namespace corvale::testing {
namespace {

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

int pageWindowCount() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == textPageClass) ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

// Counts the messages that replace a control's content.
LRESULT CALLBACK countRewrites(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == WM_SETTEXT || message == LVM_DELETEALLITEMS) ++*reinterpret_cast<int*>(data);
    return DefSubclassProc(window, message, wParam, lParam);
}

CompletedBoard board(int id) {
    return CompletedBoard{id, 10.5, 60, 400, 1200, 321.0};
}

class StatisticsPageTest : public AppFixture {
   protected:
    TextPage& page() { return app->statisticsPage; }
    void tick() { SendMessageW(page().window, WM_TIMER, textPageTimerId, 0); }
    int rowCount() { return static_cast<int>(SendMessageW(page().table, LVM_GETITEMCOUNT, 0, 0)); }
    int selectedRow() {
        return static_cast<int>(SendMessageW(page().table, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void selectRow(int row) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(page().table, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
    int firstVisibleLine() { return static_cast<int>(SendMessageW(page().textBox, EM_GETFIRSTVISIBLELINE, 0, 0)); }
    std::pair<DWORD, DWORD> textSelection() {
        DWORD start = 0, end = 0;
        SendMessageW(page().textBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    // Opens the page on a paused game (nothing changes by itself) with rows in the table.
    void openPaused(int rows) {
        command(IDC_PAUSE);
        for (int i = 0; i < rows; ++i) app->game.completedBoards.push_back(board(i));
        command(IDC_STATISTICS);
        ASSERT_NE(page().window, nullptr);
    }
};

TEST_F(StatisticsPageTest, ASecondCommandRefreshesTheOpenPageAndNeverOpensAnother) {
    command(IDC_STATISTICS);
    ASSERT_NE(page().window, nullptr);
    EXPECT_EQ(textOf(page().window), L"Statistics - Corvale");
    EXPECT_EQ(textOf(page().tableCaption), L"Completed boards \u2014 current run (none yet)");
    EXPECT_TRUE(textOf(page().textBox).starts_with(L"The table covers completed boards"));
    EXPECT_FALSE(app->modalOpen);  // play goes on beside the page
    EXPECT_FALSE(app->game.paused);

    app->game.completedBoards.push_back(board(7));
    command(IDC_STATISTICS);
    EXPECT_EQ(pageWindowCount(), 1);
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(textOf(page().tableCaption), L"Completed boards \u2014 current run");
    wchar_t cell[32] = {};
    ListView_GetItemText(page().table, 0, 2, cell, 32);
    EXPECT_STREQ(cell, L"60 s");
}

TEST_F(StatisticsPageTest, UnchangedStatisticsLeaveBothControlsUntouched) {
    openPaused(30);
    SendMessageW(page().textBox, EM_SETSEL, 5, 40);  // before scrolling: Wine's edit shows the caret on EM_SETSEL
    SendMessageW(page().textBox, EM_LINESCROLL, 0, 6);
    selectRow(3);
    SendMessageW(page().table, LVM_ENSUREVISIBLE, 29, FALSE);
    const int line = firstVisibleLine();
    const int top = static_cast<int>(SendMessageW(page().table, LVM_GETTOPINDEX, 0, 0));
    ASSERT_GT(line, 0);
    ASSERT_GT(top, 0);
    int textRewrites = 0, tableRewrites = 0;
    SetWindowSubclass(page().textBox, countRewrites, 1, reinterpret_cast<DWORD_PTR>(&textRewrites));
    SetWindowSubclass(page().table, countRewrites, 1, reinterpret_cast<DWORD_PTR>(&tableRewrites));
    tick();
    SendMessageW(page().window, WM_COMMAND, textPageRefreshId, 0);
    EXPECT_EQ(textRewrites, 0);
    EXPECT_EQ(tableRewrites, 0);
    EXPECT_EQ(firstVisibleLine(), line);
    EXPECT_EQ(textSelection(), std::make_pair(DWORD{5}, DWORD{40}));
    EXPECT_EQ(selectedRow(), 3);
    EXPECT_EQ(SendMessageW(page().table, LVM_GETTOPINDEX, 0, 0), top);
}

TEST_F(StatisticsPageTest, ChangesKeepTheReadersPlaceInBothControls) {
    openPaused(25);
    selectRow(2);
    SendMessageW(page().table, LVM_ENSUREVISIBLE, 24, FALSE);
    const int top = static_cast<int>(SendMessageW(page().table, LVM_GETTOPINDEX, 0, 0));
    SendMessageW(page().textBox, EM_SETSEL, 12, 30);
    SendMessageW(page().textBox, EM_LINESCROLL, 0, 6);
    const int line = firstVisibleLine();
    ASSERT_GT(line, 0);

    app->game.completedBoards.push_back(board(99));
    app->game.boardCounters.strokesDrawn = 5;  // the report changes too
    tick();
    EXPECT_EQ(rowCount(), 26);
    EXPECT_EQ(selectedRow(), 2);
    EXPECT_EQ(SendMessageW(page().table, LVM_GETTOPINDEX, 0, 0), top);
    EXPECT_NE(textOf(page().textBox).find(L"Strokes drawn: 5\r\n"), std::wstring::npos);
    EXPECT_EQ(firstVisibleLine(), line);
    EXPECT_EQ(textSelection(), std::make_pair(DWORD{12}, DWORD{30}));
}

TEST_F(StatisticsPageTest, ADividerDoubleClickFitsTheContentButKeepsTheTitleReadable) {
    openPaused(0);
    app->game.completedBoards.push_back(CompletedBoard{3, 1.0, 0, UINT64_MAX, UINT64_MAX, 1.0});
    tick();
    HWND header = ListView_GetHeader(page().table);
    auto doubleClickDivider = [&](int column, UINT code) {
        NMHEADERW notice{};
        notice.hdr = {header, 0, code};
        notice.iItem = column;
        SendMessageW(page().table, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice));
        return ListView_GetColumnWidth(page().table, column);
    };
    auto titleWidth = [&](const wchar_t* title) {
        HDC dc = GetDC(header);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, title, static_cast<int>(wcslen(title)), &extent);
        SelectObject(dc, old);
        ReleaseDC(header, dc);
        return static_cast<int>(extent.cx);
    };
    // "3" alone would make the column narrower than "Board ID".
    EXPECT_EQ(doubleClickDivider(0, HDN_DIVIDERDBLCLICKW), titleWidth(L"Board ID") + 20);
    ListView_SetColumnWidth(page().table, 0, 10);
    EXPECT_EQ(doubleClickDivider(0, HDN_DIVIDERDBLCLICKA), titleWidth(L"Board ID") + 20);
    // Twenty digits are wider than "Points obtained": the content decides.
    EXPECT_GT(doubleClickDivider(3, HDN_DIVIDERDBLCLICKW), titleWidth(L"Points obtained") + 20);
}

TEST_F(StatisticsPageTest, EscapeClosesThePageAndTheCommandOpensItAgain) {
    command(IDC_STATISTICS);
    HWND first = page().window;
    MSG escape{page().okButton, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(IsDialogMessageW(first, &escape));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(page().window, nullptr);
    EXPECT_TRUE(page().closed);
    command(IDC_STATISTICS);
    EXPECT_TRUE(IsWindow(page().window));
    EXPECT_FALSE(page().closed);
    EXPECT_EQ(pageWindowCount(), 1);
}

TEST_F(StatisticsPageTest, ADpiChangeRescalesTheFontAndTheLayout) {
    command(IDC_STATISTICS);
    RECT suggested{100, 100, 100 + 1410, 100 + 1020};
    SendMessageW(page().window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(page().textBox, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_STREQ(font.lfFaceName, L"Segoe UI");
    RECT okRect{};
    GetWindowRect(page().okButton, &okRect);
    EXPECT_EQ(okRect.right - okRect.left, 132);  // 88 at 96 DPI
    RECT client{};
    GetClientRect(page().window, &client);
    POINT okTopLeft{okRect.left, okRect.top};
    ScreenToClient(page().window, &okTopLeft);
    EXPECT_EQ(okTopLeft.x, client.right - 156);
}

TEST_F(StatisticsPageTest, AFailingProviderStopsTheTimerSilentlyButBoxesOnRefresh) {
    TextPage standalone;
    standalone.messageBox = recordBox;
    bool failing = false;
    auto text = [&] {
        if (failing) throw std::runtime_error("snapshot failed");
        return std::wstring(L"report");
    };
    standalone.showLive(app->hwnd, L"Page", text, [] { return buildStatisticsTable({}); });
    ASSERT_NE(standalone.window, nullptr);
    failing = true;
    SendMessageW(standalone.window, WM_TIMER, textPageTimerId, 0);
    EXPECT_TRUE(shownBoxes.empty());
    EXPECT_FALSE(KillTimer(standalone.window, textPageTimerId));  // already stopped

    SendMessageW(standalone.window, WM_COMMAND, textPageRefreshId, 0);
    ASSERT_EQ(shownBoxes.size(), 1u);
    EXPECT_EQ(shownBoxes[0].text, L"The statistics snapshot could not be refreshed.");
    EXPECT_EQ(shownBoxes[0].caption, L"Corvale");
    EXPECT_EQ(shownBoxes[0].style, static_cast<UINT>(MB_ICONERROR));

    EXPECT_NO_THROW(standalone.showLive(app->hwnd, L"Page", text, [] { return buildStatisticsTable({}); }));
    EXPECT_EQ(shownBoxes.size(), 2u);
    EXPECT_TRUE(IsWindow(standalone.window));
}

}  // namespace
}  // namespace corvale::testing
