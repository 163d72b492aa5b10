// What wWinMain does, with its two reporting channels replaceable so tests
// can observe them.
#pragma once

#include <windows.h>

#include <string>

#include "launch_options.h"
#include "shell_hooks.h"

namespace corvale {

struct ErrorChannels {
    void (*showErrorBox)(const std::wstring& text);    // "Corvale Error" box without an owner
    void (*writeDebugLine)(const std::wstring& line);  // the debugger output stream
};

ErrorChannels defaultErrorChannels();

// Reports a failure that reached the entry point; returns the exit code 1.
int reportFatalError(const ErrorChannels& channels, const std::string& what, bool headless);

int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels);

// The same with the command line and the shell's hooks supplied, so a test
// can start the program in-process as the entry point would.
using CommandLineReader = LaunchOptions (*)();
int runEntryPoint(HINSTANCE instance, int showCommand, const ErrorChannels& channels, CommandLineReader readCommandLine,
                  const ShellHooks& hooks);

}  // namespace corvale
