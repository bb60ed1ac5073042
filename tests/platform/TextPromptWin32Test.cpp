// The preset-name prompt on Windows: dialog 150 of the built module, driven by posted messages
// while it is open. Needs a display (under wine: a virtual X server).
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/ModuleHandle.h"
#include "platform/TextPrompt.h"
#include "tests/platform/ModalLoopDriver.h"
#include "tests/support/HostPath.h"

namespace {

using namespace lumora::platform;
using lumora::test::codePageSample;
using lumora::test::hostPath;
using lumora::test::ModalLoopDriver;

// What the person saw and did in the prompt.
struct Session {
    std::wstring initial;
    RECT frame{};
};

class TextPromptWin32 : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryA(hostPath(LUMORA_MODULE_PATH).c_str());
        ASSERT_NE(module_, nullptr) << GetLastError();
        setModuleHandle(module_);
        ASSERT_TRUE(SetCursorPos(140, 90));
    }
    void TearDown() override {
        setModuleHandle(nullptr);
        FreeLibrary(module_);
    }

    // Opens the prompt, types `typed` (unless empty) and closes it with `command` (a WM_COMMAND
    // id, or WM_CLOSE).
    std::optional<std::string> answer(const std::string &initial, const std::wstring &typed, UINT closeWith,
                                      std::size_t maxBytes = 259) {
        const ModalLoopDriver driver([&] {
            HWND dialog = FindWindowW(L"#32770", L"Preset Name");
            if (!dialog)
                return false;
            wchar_t text[300] = {};
            GetDlgItemTextW(dialog, kPresetNameEdit, text, 300);
            session_.initial = text;
            GetWindowRect(dialog, &session_.frame);
            if (!typed.empty())
                SendDlgItemMessageW(dialog, kPresetNameEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
            if (closeWith == WM_CLOSE)
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            else
                PostMessageW(dialog, WM_COMMAND, closeWith, 0);
            return true;
        });
        auto result = askPresetName(nullptr, initial, maxBytes);
        EXPECT_FALSE(driver.timedOut());
        return result;
    }

    HMODULE module_ = nullptr;
    Session session_;
};

TEST_F(TextPromptWin32, OkGivesTheTypedText) {
    const struct {
        std::wstring typed;
        std::size_t maxBytes;
        std::string kept;
    } cases[] = {
        {L"Deep Blue", 259, "Deep Blue"},
        {L"Deep Blue", 4, "Deep"},
        {std::wstring(300, L'x'), 259, std::string(259, 'x')},
    };
    for (const auto &c : cases)
        EXPECT_EQ(answer("Soft", c.typed, IDOK, c.maxBytes), c.kept) << c.maxBytes;
}

TEST_F(TextPromptWin32, StartsWithTheCurrentNameAtTheCursor) {
    EXPECT_EQ(answer("Soft", L"", IDOK), "Soft");
    EXPECT_EQ(session_.initial, L"Soft");
    EXPECT_EQ(session_.frame.left, 140);
    EXPECT_EQ(session_.frame.top, 90);
    EXPECT_GT(session_.frame.right - session_.frame.left, 100) << "the template's size is kept";
}

TEST_F(TextPromptWin32, TextPassesThroughTheCodePage) {
    const auto *sample = codePageSample();
    if (!sample)
        GTEST_SKIP() << "no sample text for code page " << GetACP();
    EXPECT_EQ(answer(sample->ansi, L"", IDOK), sample->ansi);
    EXPECT_EQ(session_.initial, sample->wide);
    EXPECT_EQ(answer("", sample->wide, IDOK), sample->ansi);
}

TEST_F(TextPromptWin32, CancelAndCloseGiveNothing) {
    for (const UINT closeWith : {UINT(IDCANCEL), UINT(WM_CLOSE)})
        EXPECT_EQ(answer("Soft", L"Deep Blue", closeWith), std::nullopt) << closeWith;
}

TEST_F(TextPromptWin32, WithoutTheModuleThereIsNoPrompt) {
    setModuleHandle(nullptr);
    EXPECT_THROW(askPresetName(nullptr, "Soft", 259), std::runtime_error);
}

} // namespace
