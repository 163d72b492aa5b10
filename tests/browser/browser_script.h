// Drives a running board browser from inside its own modal loop: each step
// runs on one tick of a thread timer, so messages posted by one step are
// handled before the next. A browser still open after the last step is
// closed, and the test fails.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "board_browser.h"

namespace corvale::testing {

using BrowserStep = std::function<void(BoardBrowser&)>;

class BrowserScript {
   public:
    explicit BrowserScript(std::vector<BrowserStep> script) : steps(std::move(script)) {}

    // Runs `action`, which opens the browser, with the script armed.
    template <typename Action>
    void during(Action action) {
        active = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 15, tick);
        try {
            action();
        } catch (...) {
            KillTimer(nullptr, timer);
            active = nullptr;
            throw;
        }
        KillTimer(nullptr, timer);
        active = nullptr;
        EXPECT_EQ(next, steps.size()) << "the browser closed before the script ended";
    }

    BrowserChoice run(HWND owner, const Game& game, std::int32_t currentBoardId) {
        BrowserChoice choice;
        during([&] { choice = runBoardBrowser(owner, GetModuleHandleW(nullptr), game, currentBoardId); });
        return choice;
    }

   private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        BrowserScript* script = active;
        HWND window = FindWindowW(browserWindowClass, nullptr);
        auto* browser = window ? reinterpret_cast<BoardBrowser*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
        if (!script || !browser) return;
        if (script->next < script->steps.size()) {
            script->steps[script->next++](*browser);
        } else if (++script->idleTicks > 20) {
            ADD_FAILURE() << "the browser was still open after the script";
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    }

    static inline BrowserScript* active = nullptr;
    std::vector<BrowserStep> steps;
    std::size_t next = 0;
    int idleTicks = 0;
};

inline BrowserChoice runBrowserScript(HWND owner, const Game& game, std::int32_t currentBoardId,
                                      std::vector<BrowserStep> steps) {
    BrowserScript script(std::move(steps));
    return script.run(owner, game, currentBoardId);
}

// ---- Small readers and actions on the browser's controls ----

inline std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

inline int selectedListRow(const BoardBrowser& browser) {
    return static_cast<int>(
        SendMessageW(browser.controls[boardList], LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

inline void chooseInBox(BoardBrowser& browser, BrowserControl box, int index) {
    SendMessageW(browser.controls[box], CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const int id = GetDlgCtrlID(browser.controls[box]);
    SendMessageW(browser.window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(browser.controls[box]));
}

inline void selectListRow(BoardBrowser& browser, int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(browser.controls[boardList], LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

// A key as the keyboard delivers it: posted, so the browser's loop gives it
// to the dialog handling first.
inline void pressKey(BoardBrowser& browser, WPARAM key) {
    HWND focus = GetFocus() ? GetFocus() : browser.controls[boardList];
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
}

inline void notifyFromList(BoardBrowser& browser, UINT code, int item, int subItem) {
    NMITEMACTIVATE note{};
    note.hdr.hwndFrom = browser.controls[boardList];
    note.hdr.idFrom = boardListId;
    note.hdr.code = code;
    note.iItem = item;
    note.iSubItem = subItem;
    SendMessageW(browser.window, WM_NOTIFY, boardListId, reinterpret_cast<LPARAM>(&note));
}

}  // namespace corvale::testing
