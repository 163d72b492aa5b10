#include "shell_hooks.h"
#include "win32_api.h"

namespace corvale {
namespace {

int systemMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
    return MessageBoxW(owner, text, caption, style);
}

}  // namespace

ShellHooks systemShellHooks() {
    ShellHooks hooks;
    hooks.messageBox = systemMessageBox;
    hooks.getPointerType = user32Function<GetPointerTypeFn>("GetPointerType");
    hooks.getPointerPenInfo = user32Function<GetPointerPenInfoFn>("GetPointerPenInfo");
    hooks.getPointerPenInfoHistory = user32Function<GetPointerPenInfoHistoryFn>("GetPointerPenInfoHistory");
    return hooks;
}

}  // namespace corvale
