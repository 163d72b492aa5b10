#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "level.h"
#include "mechanics_dialog_state.h"

namespace corvale {
namespace {

constexpr int formDesignHeight = 672;  // 96-DPI pixels of the whole form
constexpr wchar_t boardNoteText[] =
    L"Board settings reset on another board. Ink storage is saved across boards and launches. Restart keeps all "
    L"settings.";
constexpr wchar_t inkNoteText[] =
    L"1 to 4096 strokes; original default: 20. New strokes replace the oldest when full. Lowering this limit "
    L"removes the oldest excess strokes when applied.";
constexpr wchar_t explanationText[] =
    L"Ball speed changes moving balls and future launches. Initial speed bounds also apply to preplaced balls "
    L"after a restart.\r\nChanging the time limit resets remaining time. The first queued launch still waits 4 "
    L"seconds.\r\nChevron boost 1x adds the original 3 px/s each contact step. A boost of 0 disables "
    L"acceleration; the cap limits speed along the arrow's axis.";

HWND createControl(const MechanicsDialog& d, HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   int id = 0xFFFF, DWORD extendedStyle = 0) {
    HWND control = CreateWindowExW(extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), d.module, nullptr);
    if (!control) throw std::runtime_error("Windows could not create a mechanics settings control.");
    return control;
}

std::wstring headingText(const Game& game) {
    const std::string difficulty = difficultyName(game.difficulty);
    return L"Board " + std::to_wstring(game.boardId) + L"  |  " + std::wstring(difficulty.begin(), difficulty.end()) +
           (game.bonusBoard ? L"  |  Bonus" : L"  |  Normal");
}

HFONT makeFont(int dpi, int weight) {
    return CreateFontW(-MulDiv(10, dpi, 72), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI");
}

BOOL CALLBACK setFontOnChild(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

int panelHeight(const MechanicsDialog& d) {
    RECT client{};
    GetClientRect(d.panel, &client);
    return std::max<int>(client.bottom - client.top, 1);
}

// Moves within one deferred batch; a failed batch is simply dropped by Windows,
// so the next layout puts everything right.
struct DeferredMoves {
    HDWP batch;
    explicit DeferredMoves(int count) : batch(BeginDeferWindowPos(count)) {}
    ~DeferredMoves() {
        if (batch) EndDeferWindowPos(batch);
    }
    DeferredMoves(const DeferredMoves&) = delete;
    DeferredMoves& operator=(const DeferredMoves&) = delete;
    void move(HWND control, int x, int y, int width, int height) {
        if (!control) return;
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (batch) {
            batch = DeferWindowPos(batch, control, nullptr, x, y, std::max(width, 1), std::max(height, 1), flags);
        } else {
            SetWindowPos(control, nullptr, x, y, std::max(width, 1), std::max(height, 1), flags);
        }
    }
};

}  // namespace

int formHeight(const MechanicsDialog& d) {
    return d.u(formDesignHeight);
}

void createFormControls(MechanicsDialog& d) {
    d.panel = CreateWindowExW(WS_EX_CONTROLPARENT, mechanicsPanelClass, L"Mechanics settings form",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP, 0, 0, 1, 1, d.window,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(mechanicsPanelId)), d.module, &d);
    if (!d.panel) throw std::runtime_error("Windows could not create the settings form.");
    const Game& game = *d.game;
    d.heading = createControl(d, d.panel, L"STATIC", headingText(game).c_str(), SS_LEFT | SS_NOPREFIX);
    d.boardNote = createControl(d, d.panel, L"STATIC", boardNoteText, SS_LEFT);
    d.valueHeading = createControl(d, d.panel, L"STATIC", L"Value", SS_LEFT);
    d.originalHeading = createControl(d, d.panel, L"STATIC", L"Original value", SS_LEFT);
    d.groups[0] = createControl(d, d.panel, L"BUTTON", L"Board timing and initial speeds", BS_GROUPBOX);
    d.groups[1] = createControl(d, d.panel, L"BUTTON", L"Ball motion and chevrons", BS_GROUPBOX);
    d.groups[2] = createControl(d, d.panel, L"BUTTON", L"Ink storage (saved preference)", BS_GROUPBOX);
    d.inkNote = createControl(d, d.panel, L"STATIC", inkNoteText, SS_LEFT);
    const MechanicsFormTexts originals = formTextsOf(formValuesOf(game.levelMechanics(), originalStrokeLimit));
    for (int i = 0; i < mechanicsFieldCount; ++i) {
        d.labels[i] = createControl(d, d.panel, L"STATIC", mechanicsFields[i].label, SS_LEFT | SS_CENTERIMAGE);
        d.edits[i] = createControl(d, d.panel, L"EDIT", L"", WS_TABSTOP | ES_RIGHT | ES_AUTOHSCROLL,
                                   mechanicsFirstFieldId + i, WS_EX_CLIENTEDGE);
        SendMessageW(d.edits[i], EM_LIMITTEXT, 48, 0);
        d.originals[i] = createControl(d, d.panel, L"STATIC", originals[i].c_str(), SS_LEFT | SS_CENTERIMAGE);
    }
    d.explanation = createControl(d, d.panel, L"STATIC", explanationText, SS_LEFT);
    d.status = createControl(d, d.panel, L"STATIC", L"No changes have been applied.", SS_LEFT, mechanicsStatusId);

    d.restoreButton = createControl(d, d.window, L"BUTTON", L"Restore &Original Defaults", WS_TABSTOP | BS_PUSHBUTTON,
                                    mechanicsRestoreId);
    d.okButton = createControl(d, d.window, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
    d.cancelButton = createControl(d, d.window, L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    d.applyButton = createControl(d, d.window, L"BUTTON", L"&Apply", WS_TABSTOP | BS_PUSHBUTTON, mechanicsApplyId);
}

void createFonts(MechanicsDialog& d) {
    GdiFont regular(makeFont(d.dpi, FW_NORMAL));
    GdiFont semiBold(makeFont(d.dpi, FW_SEMIBOLD));
    if (!regular || !semiBold) throw std::runtime_error("Windows could not create the mechanics settings font.");
    EnumChildWindows(d.window, setFontOnChild, reinterpret_cast<LPARAM>(regular.get()));
    if (d.heading) SendMessageW(d.heading, WM_SETFONT, reinterpret_cast<WPARAM>(semiBold.get()), TRUE);
    // The old fonts go only now that no control uses them.
    d.font = std::move(regular);
    d.headingFont = std::move(semiBold);
}

void fillForm(MechanicsDialog& d, const MechanicsFormValues& values) {
    const MechanicsFormTexts texts = formTextsOf(values);
    d.filling = true;
    for (int i = 0; i < mechanicsFieldCount; ++i) SetWindowTextW(d.edits[i], texts[i].c_str());
    d.filling = false;
}

void setStatus(MechanicsDialog& d, const wchar_t* text) {
    SetWindowTextW(d.status, text);
}

void layoutWindow(MechanicsDialog& d) {
    RECT client{};
    GetClientRect(d.window, &client);
    const int W = client.right;
    const int H = client.bottom;
    const int buttonY = H - d.u(40);
    const int buttonW = d.u(78);
    {
        DeferredMoves moves(5);
        moves.move(d.panel, 0, 0, W, H - d.u(54));
        moves.move(d.restoreButton, d.u(14), buttonY, d.u(208), d.u(28));
        moves.move(d.applyButton, W - d.u(14) - buttonW, buttonY, buttonW, d.u(28));
        moves.move(d.cancelButton, W - d.u(14) - 2 * buttonW - d.u(10), buttonY, buttonW, d.u(28));
        moves.move(d.okButton, W - d.u(14) - 3 * buttonW - d.u(20), buttonY, buttonW, d.u(28));
    }
    layoutForm(d);
}

void layoutForm(MechanicsDialog& d) {
    if (!d.panel || d.layingOut) return;
    d.layingOut = true;
    const int visible = panelHeight(d);
    d.scrollOffset = std::clamp(d.scrollOffset, 0, std::max(0, formHeight(d) - visible));
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    scroll.nMin = 0;
    scroll.nMax = formHeight(d) - 1;
    scroll.nPage = static_cast<UINT>(visible);
    scroll.nPos = d.scrollOffset;
    SetScrollInfo(d.panel, SB_VERT, &scroll, TRUE);

    RECT client{};
    GetClientRect(d.panel, &client);
    const int P = client.right;
    const int m = d.u(14);
    const int c = d.u(28);
    const int originalX = P - c - d.u(118);
    const int editX = originalX - d.u(20) - d.u(100);
    const int labelWidth = editX - d.u(20) - c;
    auto y = [&](int designY) { return d.u(designY) - d.scrollOffset; };
    {
        DeferredMoves moves(12 + 3 * mechanicsFieldCount);
        moves.move(d.heading, m, y(14), P - 2 * m, d.u(24));
        moves.move(d.boardNote, m, y(42), P - 2 * m, d.u(32));
        moves.move(d.valueHeading, editX, y(77), d.u(100), d.u(19));
        moves.move(d.originalHeading, originalX, y(77), d.u(118), d.u(19));
        moves.move(d.groups[0], m, y(96), P - 2 * m, d.u(155));
        moves.move(d.groups[1], m, y(264), P - 2 * m, d.u(124));
        moves.move(d.groups[2], m, y(402), P - 2 * m, d.u(112));
        moves.move(d.inkNote, c, y(455), P - 2 * c, d.u(52));
        for (int i = 0; i < mechanicsFieldCount; ++i) {
            const int row = y(mechanicsFields[i].row);
            moves.move(d.labels[i], c, row, labelWidth, d.u(25));
            moves.move(d.edits[i], editX, row, d.u(100), d.u(25));
            moves.move(d.originals[i], originalX, row, d.u(118), d.u(25));
        }
        moves.move(d.explanation, m, y(522), P - 2 * m, d.u(106));
        moves.move(d.status, m, y(634), P - 2 * m, d.u(32));
    }
    RedrawWindow(d.panel, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    d.layingOut = false;
}

void scrollFormTo(MechanicsDialog& d, int offset) {
    d.scrollOffset = offset;  // layoutForm clamps it
    layoutForm(d);
}

void scrollFieldIntoView(MechanicsDialog& d, int field) {
    const int top = d.u(mechanicsFields[field].row);
    const int visible = panelHeight(d);
    if (top < d.scrollOffset) {
        d.scrollOffset = top - d.u(8);
    } else if (top + d.u(29) > d.scrollOffset + visible) {
        d.scrollOffset = top + d.u(29) + d.u(8) - visible;
    }
    layoutForm(d);
}

}  // namespace corvale
