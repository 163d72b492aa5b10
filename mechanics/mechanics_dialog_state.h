// The state of one open mechanics dialog, shared by its window procedures
// (mechanics_dialog_win32.cpp) and its form builder (mechanics_form_win32.cpp).
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "gdi_handles.h"
#include "mechanics_dialog.h"
#include "mechanics_form.h"

namespace corvale {

struct MechanicsDialog {
    HWND owner = nullptr;
    HINSTANCE module = nullptr;
    Game* game = nullptr;
    MechanicsBoxFn warningBox = nullptr;
    int dpi = 96;

    HWND window = nullptr;
    HWND panel = nullptr;  // the scrolling form
    HWND heading = nullptr;
    HWND boardNote = nullptr;
    HWND valueHeading = nullptr;
    HWND originalHeading = nullptr;
    std::array<HWND, 3> groups{};
    HWND inkNote = nullptr;
    std::array<HWND, mechanicsFieldCount> labels{};
    std::array<HWND, mechanicsFieldCount> edits{};
    std::array<HWND, mechanicsFieldCount> originals{};
    HWND explanation = nullptr;
    HWND status = nullptr;
    HWND restoreButton = nullptr;
    HWND okButton = nullptr;
    HWND cancelButton = nullptr;
    HWND applyButton = nullptr;
    GdiFont font;         // every control
    GdiFont headingFont;  // the semi-bold heading

    int scrollOffset = 0;  // pixels of the form above the panel's top
    int wheelRemainder = 0;
    bool pending = false;  // edits not yet applied
    bool applied = false;  // an apply succeeded since the window opened
    bool filling = false;  // the program writes the fields: no edit notices
    bool layingOut = false;
    bool destroyed = false;
    bool ownerWasEnabled = false;
    std::string error;  // stored error text, thrown after the loop

    int u(int n) const { return MulDiv(n, dpi, 96); }
};

// mechanics_form_win32.cpp
void createFormControls(MechanicsDialog& d);  // throws std::runtime_error
void createFonts(MechanicsDialog& d);         // throws std::runtime_error
void fillForm(MechanicsDialog& d, const MechanicsFormValues& values);
void layoutWindow(MechanicsDialog& d);
void layoutForm(MechanicsDialog& d);
void scrollFormTo(MechanicsDialog& d, int offset);
void scrollFieldIntoView(MechanicsDialog& d, int field);
void setStatus(MechanicsDialog& d, const wchar_t* text);
int formHeight(const MechanicsDialog& d);

}  // namespace corvale
