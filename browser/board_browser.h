// The board browser: a modal window that lists every board with difficulty
// and type filters and two time orders, previews the selected board from a
// private Game and Renderer, describes it and its tiles, and hands back the
// board the player chose. The Game in play is only read.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board_list.h"
#include "game.h"
#include "gdi_handles.h"
#include "renderer.h"

namespace corvale {

inline constexpr wchar_t browserWindowClass[] = L"Corvale.BoardBrowser.Window";
inline constexpr wchar_t previewWindowClass[] = L"Corvale.BoardBrowser.Preview";
inline constexpr UINT previewUpdateMessage = WM_APP + 40;
inline constexpr LRESULT modalWindowSignature = 0x534B0001;  // the answer to WM_USER

inline constexpr int difficultyBoxId = 2101;
inline constexpr int typeBoxId = 2102;
inline constexpr int sortBoxId = 2103;
inline constexpr int boardListId = 2104;
inline constexpr int previewId = 2105;
inline constexpr int descriptionId = 2106;
inline constexpr int playButtonId = IDOK;       // Enter presses it
inline constexpr int closeButtonId = IDCANCEL;  // Esc presses it

struct BrowserChoice {
    std::size_t levelIndex = 0;  // meaningful only when chosen
    bool chosen = false;
};

// Shows the browser, owned by and modal to `owner`, with the board whose id
// is `currentBoardId` selected. Returns at once, choosing nothing, for an
// empty level list. Throws std::runtime_error when a window cannot be made
// or when an error ended the browser (after the owner is enabled again).
BrowserChoice runBoardBrowser(HWND owner, HINSTANCE instance, const Game& game, std::int32_t currentBoardId);

// The controls in creation order (the labels have no ids of their own).
enum BrowserControl : std::size_t {
    difficultyLabel,
    difficultyBox,
    typeLabel,
    typeBox,
    sortLabel,
    sortBox,
    statusLabel,
    boardList,
    previewLabel,
    previewWindow,
    descriptionBox,
    noteLabel,
    playButton,
    closeButton,
    browserControlCount
};

class BoardBrowser {
   public:
    // Builds the rows, the preview Game and its Renderer; no window yet.
    // The Renderer's errors leave from here.
    BoardBrowser(HWND ownerWindow, HINSTANCE module, const std::vector<Level>& levelList, std::int32_t currentBoardId);
    BoardBrowser(const BoardBrowser&) = delete;
    BoardBrowser& operator=(const BoardBrowser&) = delete;
    ~BoardBrowser();

    BrowserChoice run();

    // ---- Window procedures (the object pointer lives in GWLP_USERDATA) ----
    static LRESULT CALLBACK staticWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK staticPreviewProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK listSubclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                  DWORD_PTR data);
    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT previewProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- List (browser_controls.cpp) ----
    void createControls();
    void makeFont();
    void refresh();
    void layout();
    void onDpiChanged(UINT newDpi, const RECT& suggested);
    void autoSizeColumn(int column);
    void updateSortMarks(SortOrder order);
    SortOrder currentSortOrder() const;
    int rowOfSelection() const;  // the shown row of the selection; 0 when it is not shown

    // ---- Preview (browser_preview.cpp) ----
    void selectLevel(std::size_t index);
    void requestPreviewUpdate();
    void updatePreview();
    void refreshText();
    void setDescription(const std::string& text);
    void paintPreview(HDC dc, const RECT& client);
    void onPreviewClick(POINT point);

    // ---- State ----
    HWND owner = nullptr;
    HINSTANCE instance = nullptr;
    const std::vector<Level>& levels;  // the Game's list, read only
    std::int32_t currentBoardId = 0;
    UINT dpi = 96;
    GdiFont font;
    HWND window = nullptr;  // cleared at WM_NCDESTROY
    std::array<HWND, browserControlCount> controls{};
    std::vector<BrowserRow> rows;    // one per level, built once
    std::vector<std::size_t> shown;  // level indices in display order
    std::size_t selection = 0;       // level index; valid when hasSelection
    bool hasSelection = false;
    BrowserChoice result;
    bool destroyed = false;
    bool notificationsSuppressed = false;  // refresh is re-marking the list
    bool ownerDisabled = false;            // we disabled the owner and must enable it again
    Game previewGame;                      // a private copy of the level list
    Renderer renderer;                     // the preview's own atlas and surfaces
    int selectedColumn = -1;               // selected tile; -1 = none
    int selectedRow = -1;
    bool previewValid = false;    // the renderer's image shows the selected level
    bool previewPending = false;  // previewUpdateMessage is posted and not yet handled
    int layoutWidth = -1;         // client size and DPI of the last layout
    int layoutHeight = -1;
    UINT layoutDpi = 0;
    std::string error;       // ends the browser; thrown after the loop
    int previewRenders = 0;  // board images rendered (tests count them)

   private:
    int u(int n) const { return MulDiv(n, static_cast<int>(dpi), 96); }
    void createWindow();
    void runLoop();
    void close();
    void choose();
    LRESULT onNotify(const NMHDR& header);
    LRESULT onListNotify(const NMHDR& header);
    void onCommand(int id, int code);
    void onColumnClick(int column);
    void onMinMaxInfo(MINMAXINFO& info) const;
    void storeError(const std::string& text);
};

// The DPI of a window: GetDpiForWindow when user32 has it, else the
// window's LOGPIXELSX, else 96.
UINT browserWindowDpi(HWND window);

// A window size for a client area of `width` x `height` at `dpi`.
SIZE browserOuterSize(int width, int height, UINT dpi);

}  // namespace corvale
