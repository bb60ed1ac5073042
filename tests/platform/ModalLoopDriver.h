// Acting as the person in front of a menu or a dialog that runs its own modal loop on the test's
// thread: a thread timer, which that loop dispatches, runs a step until the step says it is done.
// Windows only.
#pragma once

#include <cstdlib>
#include <string>

#include <windows.h>

#include <functional>
#include <utility>

namespace lumora::test {

class ModalLoopDriver {
public:
    // `step` returns true once it has done its part (for example posted the key that ends the
    // loop). After about five seconds the driver ends the loop itself and timedOut() says so.
    explicit ModalLoopDriver(std::function<bool()> step) {
        current() = this;
        step_ = std::move(step);
        timer_ = SetTimer(nullptr, 0, 10, tick);
    }
    ~ModalLoopDriver() {
        KillTimer(nullptr, timer_);
        current() = nullptr;
    }
    ModalLoopDriver(const ModalLoopDriver &) = delete;
    ModalLoopDriver &operator=(const ModalLoopDriver &) = delete;

    bool done() const { return done_; }
    bool timedOut() const { return timedOut_; }

private:
    static ModalLoopDriver *&current() {
        static ModalLoopDriver *driver = nullptr;
        return driver;
    }
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalLoopDriver *self = current();
        if (!self || self->done_)
            return;
        if (++self->ticks_ > 500) {
            self->done_ = self->timedOut_ = true;
            EndMenu();
            if (HWND dialog = FindWindowW(L"#32770", nullptr))
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        self->done_ = self->step_();
    }

    std::function<bool()> step_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool done_ = false, timedOut_ = false;
};

// A text the ANSI code page of this process can hold, in that code page and in UTF-16: Japanese
// under code page 932, accented Latin under 1252; none for other code pages.
struct CodePageSample {
    const char *ansi;
    const wchar_t *wide;
};

// LUMORA_EXPECT_ACP names the code page the test's environment asked for (a Japanese locale
// gives 932): another one fails the test instead of passing it on a different sample.
inline const CodePageSample *codePageSample() {
    if (const char *expected = std::getenv("LUMORA_EXPECT_ACP")) {
        EXPECT_EQ(std::to_string(GetACP()), expected) << "the code page the environment asked for";
        if (std::to_string(GetACP()) != expected)
            return nullptr;
    }
    static const CodePageSample japanese{"\x93\xFA\x96\x7B\x82\xCC\x8C\xF5", L"\u65E5\u672C\u306E\u5149"}; // 日本の光
    static const CodePageSample latin{"Caf\xE9 cr\xE8me", L"Caf\u00E9 cr\u00E8me"};
    switch (GetACP()) {
    case 932: return &japanese;
    case 1252: return &latin;
    default: return nullptr;
    }
}

} // namespace lumora::test
