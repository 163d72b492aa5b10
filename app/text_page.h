// A modeless, resizable page of read-only text with an optional table above
// it, refreshed from providers every second. The statistics page is its use.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "gdi_handles.h"
#include "statistics_table.h"

namespace corvale {

inline constexpr wchar_t textPageClass[] = L"Corvale.TextPage";
inline constexpr int textPageRefreshId = 1001;
inline constexpr int textPageTableId = 1002;
inline constexpr UINT_PTR textPageTimerId = 1;

using TextProvider = std::function<std::wstring()>;
using TableProvider = std::function<StatisticsTable()>;
using PageBoxFn = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);

class TextPage {
   public:
    TextPage() = default;
    ~TextPage();
    TextPage(const TextPage&) = delete;
    TextPage& operator=(const TextPage&) = delete;

    // Takes the providers; an open page refreshes and comes to the front,
    // otherwise the window is created. Creation failures throw
    // std::runtime_error; a provider failing on an open page shows the
    // refresh error box instead.
    void showLive(HWND owner, const std::wstring& title, TextProvider text, TableProvider tableRows);

    // Puts the providers' current content into the controls, touching a
    // control only when its content changed. Throws what a provider throws.
    void refresh();

    // Lays the controls out for the client size and `dpi`.
    void layout();
    // A new font for `dpi`; the old one stays when none can be made.
    void rebuildFont();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window = nullptr;
    HWND textBox = nullptr;        // the report, read-only
    HWND okButton = nullptr;       // id 1
    HWND refreshButton = nullptr;  // id 1001
    HWND table = nullptr;          // "Completed boards", id 1002
    HWND tableCaption = nullptr;
    HWND tableNote = nullptr;
    TextProvider textProvider;
    TableProvider tableProvider;  // may be empty: a page without a table
    std::wstring lastText;        // what textBox holds
    StatisticsTable lastTable;    // what table holds, when tableShown
    bool tableShown = false;
    int dpi = 96;
    GdiFont font;
    bool closed = false;
    PageBoxFn messageBox = nullptr;  // the refresh error box; null = MessageBoxW

   private:
    void create(HWND owner, const std::wstring& title, const std::wstring& text);
    void createControls(const std::wstring& text);
    void createTable();
    void refreshText(const std::wstring& text);
    void refreshTable(const StatisticsTable& content);
    void showRefreshError();
    void forgetWindows();
};

}  // namespace corvale
