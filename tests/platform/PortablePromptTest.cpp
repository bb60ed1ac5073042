// The popup menu and the preset-name prompt over a host's PortableWindow: what the plug-in hands
// over, what comes back, and the owners it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "platform/PopupMenu.h"
#include "platform/PortableWindow.h"
#include "platform/TextPrompt.h"

namespace {

using namespace lumora::platform;

// A host's window whose person picks `command` from menus and types `typed` (or cancels).
struct ScriptedHost {
    std::uint32_t command = 0;
    std::optional<std::string> typed;
    std::vector<MenuItem> shownItems;
    int shownX = -1, shownY = -1;
    std::string title, initial;
    PortableWindow window{kPortableWindowMagic, this, choose, ask, 31, 47};

    static std::uint32_t choose(void *refcon, const PortableMenuItem *items, std::uint32_t count, std::int32_t x,
                                std::int32_t y) {
        auto *host = static_cast<ScriptedHost *>(refcon);
        for (std::uint32_t i = 0; i < count; ++i)
            host->shownItems.push_back({items[i].label, items[i].command, items[i].checked != 0});
        host->shownX = x;
        host->shownY = y;
        return host->command;
    }
    // Writes as the interface allows: at most capacity - 1 bytes, cut wherever that falls.
    static std::int32_t ask(void *refcon, const char *title, const char *initial, char *text, std::uint32_t capacity) {
        auto *host = static_cast<ScriptedHost *>(refcon);
        host->title = title;
        host->initial = initial;
        if (!host->typed)
            return 0;
        const std::size_t n = std::min<std::size_t>(host->typed->size(), capacity - 1);
        std::memcpy(text, host->typed->data(), n);
        text[n] = '\0';
        return 1;
    }
};

const std::vector<MenuItem> kItems = {{"Soft", 1, false}, {"Salt && Pepper", 2, true}, {"&Warm", 3, false}};

using ItemFields = std::vector<std::tuple<std::string, std::uint32_t, bool>>;

ItemFields fields(const std::vector<MenuItem> &items) {
    ItemFields out;
    for (const MenuItem &item : items)
        out.emplace_back(item.label, item.command, item.checked);
    return out;
}

TEST(PortablePopupMenu, HandsOverTheItemsAsGivenAndReturnsTheChoice) {
    for (const std::uint32_t command : {2u, 3u, 0u}) {
        ScriptedHost host;
        host.command = command;
        EXPECT_EQ(trackPopupMenu(&host.window, kItems, 120, -8), command);
        EXPECT_EQ(fields(host.shownItems), fields(kItems)) << "ampersands and check marks pass through unchanged";
        EXPECT_EQ(host.shownX, 120);
        EXPECT_EQ(host.shownY, -8);
    }
}

TEST(PortablePopupMenu, ACommandTheMenuDoesNotHoldIsAnError) {
    ScriptedHost host;
    host.command = 4;
    EXPECT_THROW(trackPopupMenu(&host.window, kItems, 0, 0), std::runtime_error);
    EXPECT_THROW(trackPopupMenu(&host.window, {}, 0, 0), std::runtime_error);
}

// Owners a plug-in cannot show anything over: none, not a PortableWindow, no callback.
std::vector<void *> unusableOwners(ScriptedHost &wrongMagic, ScriptedHost &noCallbacks) {
    wrongMagic.window.magic = kPortableWindowMagic + 1;
    noCallbacks.window.chooseMenuItem = nullptr;
    noCallbacks.window.askText = nullptr;
    return {nullptr, &wrongMagic.window, &noCallbacks.window};
}

TEST(PortablePopupMenu, RefusesOwnersThatCannotAnswer) {
    ScriptedHost wrongMagic, noCallbacks;
    for (void *owner : unusableOwners(wrongMagic, noCallbacks))
        EXPECT_THROW(trackPopupMenu(owner, kItems, 0, 0), std::runtime_error) << owner;
    EXPECT_TRUE(wrongMagic.shownItems.empty());
}

TEST(PortablePopupMenu, CursorIsTheOwnersOrTheOrigin) {
    ScriptedHost host, wrongMagic;
    wrongMagic.window.magic = 0;
    const struct {
        void *owner;
        int x, y;
    } cases[] = {{&host.window, 31, 47}, {&wrongMagic.window, 0, 0}, {nullptr, 0, 0}};
    for (const auto &c : cases) {
        int x = -1, y = -1;
        cursorPosition(c.owner, x, y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
}

TEST(PortableTextPrompt, OkGivesTheTextAndCancelNothing) {
    for (const std::optional<std::string> &typed :
         {std::optional<std::string>("Deep Blue"), std::optional<std::string>(""), std::optional<std::string>()}) {
        ScriptedHost host;
        host.typed = typed;
        EXPECT_EQ(askPresetName(&host.window, "Soft", 259), typed);
        EXPECT_EQ(host.title, "Preset Name");
        EXPECT_EQ(host.initial, "Soft");
    }
}

TEST(PortableTextPrompt, RefusesOwnersThatCannotAnswer) {
    ScriptedHost wrongMagic, noCallbacks;
    for (void *owner : unusableOwners(wrongMagic, noCallbacks))
        EXPECT_THROW(askPresetName(owner, "", 259), std::runtime_error) << owner;
    EXPECT_TRUE(wrongMagic.title.empty());
}

TEST(PortableTextPrompt, LongAnswersAreCutBeforeTheCharacterThatWouldSplit) {
    const struct {
        const char *typed;
        std::size_t maxBytes;
        const char *kept;
    } cases[] = {
        {"abcdef", 4, "abcd"},
        {"abcd", 4, "abcd"},
        {"a\xC3\xA9", 2, "a"},                           // é is two bytes
        {"\xE6\x97\xA5\xE6\x9C\xAC", 4, "\xE6\x97\xA5"}, // 日本: the second character does not fit
        {"\xE6\x97\xA5\xE6\x9C\xAC", 6, "\xE6\x97\xA5\xE6\x9C\xAC"},
        {"x\xF0\x9F\x8C\x9F", 4, "x"}, // a four-byte character
        {"\xF0\x9F\x8C\x9F!", 4, "\xF0\x9F\x8C\x9F"},
    };
    for (const auto &c : cases) {
        ScriptedHost host;
        host.typed = c.typed;
        EXPECT_EQ(askPresetName(&host.window, "", c.maxBytes), c.kept) << c.typed << " in " << c.maxBytes;
    }
}

} // namespace
