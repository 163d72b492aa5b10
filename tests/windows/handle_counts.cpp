#include "handle_counts.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace corvale::testing {
namespace {

// Wine's GetGuiResources is a stub that answers 0 (ERROR_CALL_NOT_IMPLEMENTED)
// and its GetProcessHandleCount reports 0 handles, while a real process that
// has drawn anything holds some of each. A 0 therefore means "not counted",
// and the probes below count instead.

// Wine finds a GDI object by its table index alone when the handle's high
// word is 0, so every index can be asked for its object type.
long gdiObjectsByProbe() {
    long count = 0;
    for (std::uintptr_t index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

BOOL CALLBACK countWindow(HWND window, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(window, countWindow, counter);
    return TRUE;
}

// USER handles are found by index the same way; windows are enumerated
// instead, as asking IsWindow about every index takes seconds.
long userObjectsByProbe() {
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    HDC probe = CreateCompatibleDC(nullptr);
    for (std::uintptr_t value = 0x20; value < 0x10000; value += 2) {
        const auto handle = reinterpret_cast<HANDLE>(value);
        if (IsMenu(static_cast<HMENU>(handle)) || CopyAcceleratorTableW(static_cast<HACCEL>(handle), nullptr, 0) > 0 ||
            DrawIconEx(probe, 0, 0, static_cast<HICON>(handle), 1, 1, 0, nullptr, DI_NORMAL)) {
            ++count;
        }
    }
    DeleteDC(probe);
    return count;
}

// One entry of the system handle list (information class 16).
struct SystemHandleEntry {
    ULONG ownerProcess;
    UCHAR objectType;
    UCHAR flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};

using QuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

long kernelHandlesByProbe() {
    const auto query = reinterpret_cast<QuerySystemInformationFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<std::uint8_t> buffer(1 << 16);
    constexpr LONG lengthMismatch = static_cast<LONG>(0xC0000004);
    LONG status = lengthMismatch;
    while (status == lengthMismatch && buffer.size() < (1u << 28)) {
        ULONG needed = 0;
        status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == lengthMismatch) buffer.resize(buffer.size() * 4);
    }
    if (status != 0) return -1;
    const auto entries = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entry = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    long count = 0;
    for (ULONG i = 0; i < entries; ++i) {
        if (entry[i].ownerProcess == GetCurrentProcessId()) ++count;
    }
    return count;
}

bool systemCountsGui() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0;
}

long systemKernelHandles() {
    DWORD count = 0;
    return GetProcessHandleCount(GetCurrentProcess(), &count) ? static_cast<long>(count) : 0;
}

}  // namespace

HandleCounts countHandles() {
    HandleCounts counts;
    if (systemCountsGui()) {
        counts.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
        counts.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    } else {
        counts.user = userObjectsByProbe();  // first: its probe context must be gone before GDI is counted
        counts.gdi = gdiObjectsByProbe();
    }
    counts.kernel = systemKernelHandles();
    if (counts.kernel == 0) counts.kernel = kernelHandlesByProbe();
    return counts;
}

HandleCounts countHandlesExpecting(const HandleCounts& expected) {
    HandleCounts counts = countHandles();
    for (int attempt = 0; attempt < 5 && counts != expected; ++attempt) {
        Sleep(50);
        counts = countHandles();
    }
    return counts;
}

std::string describe(const HandleCounts& counts) {
    return "gdi " + std::to_string(counts.gdi) + ", user " + std::to_string(counts.user) + ", kernel " +
           std::to_string(counts.kernel);
}

std::string handleCountSource() {
    std::string source = systemCountsGui() ? "GetGuiResources" : "probe of GDI and USER handle values";
    source += systemKernelHandles() != 0 ? ", GetProcessHandleCount" : ", system handle list";
    return source;
}

}  // namespace corvale::testing
