#include "platform/TextPrompt.h"

#include <windows.h>

#include <stdexcept>

#include "platform/ModuleHandle.h"
#include "platform/Win32Text.h"

namespace lumora::platform {

namespace {

struct Prompt {
    std::wstring initial;
    std::size_t maxBytes;
    std::optional<std::string> answer;
};

void placeAtCursor(HWND dialog) {
    POINT cursor{};
    if (GetCursorPos(&cursor))
        SetWindowPos(dialog, nullptr, cursor.x, cursor.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring itemText(HWND dialog, int item) {
    std::wstring text(GetWindowTextLengthW(GetDlgItem(dialog, item)) + 1, L'\0');
    text.resize(GetDlgItemTextW(dialog, item, text.data(), static_cast<int>(text.size())));
    return text;
}

INT_PTR CALLBACK promptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *prompt = reinterpret_cast<Prompt *>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        prompt = reinterpret_cast<Prompt *>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        placeAtCursor(dialog);
        // Every character takes at least one byte, so a longer text could never be kept whole.
        SendDlgItemMessageW(dialog, kPresetNameEdit, EM_LIMITTEXT, prompt->maxBytes, 0);
        SetDlgItemTextW(dialog, kPresetNameEdit, prompt->initial.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            prompt->answer = ansiFromWide(itemText(dialog, kPresetNameEdit), prompt->maxBytes);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::string> askPresetName(void *owner, const std::string &initial, std::size_t maxBytes) {
    const auto module = static_cast<HINSTANCE>(moduleHandle());
    if (!module)
        throw std::runtime_error("the preset-name prompt failed: the plug-in module is not known");
    Prompt prompt{wideFromAnsi(initial), maxBytes, std::nullopt};
    if (DialogBoxParamW(module, MAKEINTRESOURCEW(kPresetNameDialog), static_cast<HWND>(owner), promptProc,
                        reinterpret_cast<LPARAM>(&prompt)) <= 0)
        throw std::runtime_error("the preset-name prompt failed: DialogBoxParamW: " + systemErrorText(GetLastError()));
    return prompt.answer;
}

} // namespace lumora::platform
