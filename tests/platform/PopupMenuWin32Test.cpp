// The popup menu on Windows, driven by posted keys and read back while it is open. Needs a
// display (under wine: a virtual X server).
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/PopupMenu.h"
#include "tests/platform/ModalLoopDriver.h"

namespace {

using namespace lumora::platform;
using lumora::test::codePageSample;
using lumora::test::ModalLoopDriver;

class PopupMenuWin32 : public testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr, nullptr,
                                 nullptr);
        ASSERT_NE(owner_, nullptr) << GetLastError();
    }
    void TearDown() override { DestroyWindow(owner_); }

    void pressKeys(const std::vector<WPARAM> &keys) const {
        for (const WPARAM key : keys)
            PostMessageW(owner_, WM_KEYDOWN, key, 0);
    }

    HWND owner_ = nullptr;
};

const std::vector<MenuItem> kItems = {{"Soft", 11, false}, {"Warm", 12, true}, {"Cold", 13, false}};

TEST_F(PopupMenuWin32, KeysPickAnItemOrDismissTheMenu) {
    const struct {
        std::vector<WPARAM> keys;
        std::uint32_t command;
    } cases[] = {
        {{VK_DOWN, VK_RETURN}, 11},
        {{VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 13},
        {{VK_ESCAPE}, 0},
    };
    for (const auto &c : cases) {
        pressKeys(c.keys);
        EXPECT_EQ(trackPopupMenu(owner_, kItems, 200, 150), c.command) << c.keys.size() << " keys";
    }
}

TEST_F(PopupMenuWin32, LabelsShowAsWideTextWithTheirCheckMarks) {
    const auto *sample = codePageSample();
    if (!sample)
        GTEST_SKIP() << "no sample text for code page " << GetACP();
    const std::vector<MenuItem> items = {{sample->ansi, 1, true}, {"Salt && Pepper", 2, false}};
    std::vector<std::wstring> labels;
    std::vector<bool> checked;
    const ModalLoopDriver driver([&] {
        HWND popup = FindWindowW(L"#32768", nullptr);
        HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu)
            return false;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = {};
            GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
            labels.push_back(text);
            checked.push_back((GetMenuState(menu, i, MF_BYPOSITION) & MF_CHECKED) != 0);
        }
        PostMessageW(owner_, WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    });
    EXPECT_EQ(trackPopupMenu(owner_, items, 200, 150), 0u);
    ASSERT_FALSE(driver.timedOut());
    EXPECT_EQ(labels, (std::vector<std::wstring>{sample->wide, L"Salt && Pepper"}));
    EXPECT_EQ(checked, (std::vector<bool>{true, false}));
}

TEST_F(PopupMenuWin32, NoOwnerWindowIsAnError) {
    EXPECT_THROW(trackPopupMenu(nullptr, kItems, 200, 150), std::runtime_error);
}

TEST_F(PopupMenuWin32, CursorPositionIsTheSystems) {
    ASSERT_TRUE(SetCursorPos(321, 123));
    int x = -1, y = -1;
    cursorPosition(nullptr, x, y);
    EXPECT_EQ(x, 321);
    EXPECT_EQ(y, 123);
}

} // namespace
