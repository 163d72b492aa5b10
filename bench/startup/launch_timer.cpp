// Starts programs in turn, many times, from inside Wine, and times each from
// CreateProcessW to the moment that matters:
//   launch_timer RUNS exit COMMAND...
//       until the process has exited (its whole run);
//   launch_timer RUNS paint CLASS COMMAND [CLASS COMMAND]...
//       until its window of that class is visible and has no part left to
//       paint, that is until its first WM_PAINT has ended; then it is closed.
// Prints "A median min max" in milliseconds, one line per program (B, C...
// for the next ones). Runs alternate so that a change in the machine's load
// hits all alike, and the order turns by one each round. Starting from
// inside Wine leaves out the Unix launcher, which costs every program the
// same.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double millisecondsSince(LARGE_INTEGER from) {
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Target {
    std::wstring windowClass;  // empty: time until exit
    std::wstring command;
    std::vector<double> samples;
};

HWND paintedWindow(const Target& target, DWORD process) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, target.windowClass.c_str(), nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE)) return window;
    }
    return nullptr;
}

// Milliseconds to the event, or a negative number when the program failed.
double timeOnce(Target& target) {
    std::wstring command = target.command;  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1.0;
    double elapsed = -1.0;
    if (target.windowClass.empty()) {
        DWORD code = 1;
        if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code) && code == 0)
            elapsed = millisecondsSince(start);
    } else {
        for (;;) {
            if (HWND window = paintedWindow(target, process.dwProcessId)) {
                elapsed = millisecondsSince(start);
                PostMessageW(window, WM_CLOSE, 0, 0);
                break;
            }
            if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 || millisecondsSince(start) > 60000) break;
        }
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const bool paint = argc >= 5 && argc % 2 == 1 && std::wcscmp(argv[2], L"paint") == 0;
    const bool exitMode = argc >= 4 && std::wcscmp(argv[2], L"exit") == 0;
    if (!paint && !exitMode) {
        std::fputs(
            "usage: launch_timer RUNS exit COMMAND...\n"
            "       launch_timer RUNS paint CLASS COMMAND [CLASS COMMAND]...\n",
            stderr);
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    std::vector<Target> targets;
    for (int i = 3; i < argc; i += paint ? 2 : 1) {
        targets.push_back(paint ? Target{argv[i], argv[i + 1], {}} : Target{L"", argv[i], {}});
    }
    for (Target& target : targets) {
        if (timeOnce(target) < 0) {  // also warms Wine's caches for the program
            std::fwprintf(stderr, L"%ls failed\n", target.command.c_str());
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        // Each round starts one program later, so that no program always
        // follows the same one (a start right after a long run was seen to
        // come out faster or slower than one after a short run).
        for (std::size_t k = 0; k < targets.size(); ++k) {
            Target& target = targets[(k + static_cast<std::size_t>(run)) % targets.size()];
            const double elapsed = timeOnce(target);
            if (elapsed < 0) {
                std::fwprintf(stderr, L"%ls failed\n", target.command.c_str());
                return 1;
            }
            target.samples.push_back(elapsed);
        }
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        std::vector<double>& s = targets[i].samples;
        std::sort(s.begin(), s.end());
        std::printf("%c %.1f %.1f %.1f\n", static_cast<char>('A' + i), s[s.size() / 2], s.front(), s.back());
    }
    return 0;
}
