// What wWinMain does, with its two reporting channels replaceable so tests
// can observe them.
#pragma once

#include <windows.h>

#include <string>

namespace corvale {

struct ErrorChannels {
    void (*showErrorBox)(const std::wstring& text);    // "Corvale Error" box without an owner
    void (*writeDebugLine)(const std::wstring& line);  // the debugger output stream
};

ErrorChannels defaultErrorChannels();

// Reports a failure that reached the entry point; returns the exit code 1.
int reportFatalError(const ErrorChannels& channels, const std::string& what, bool headless);

int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels);

}  // namespace corvale
