// The workflow's pause as the program makes it on Windows: a pause of the run, not of the window. A
// message sent by another thread during the pause is answered inside it; a posted one (input, paint,
// the program's own notices) waits for the message processing that follows the pause.
#include "Win32SystemServices.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr UINT kSent = WM_APP + 1;
constexpr UINT kPosted = WM_APP + 2;

struct TSeen {
    bool inPause = false;
    int sentInPause = 0, sentOutside = 0, postedInPause = 0, postedOutside = 0;
};
TSeen seen;

LRESULT CALLBACK Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kSent) ++(seen.inPause ? seen.sentInPause : seen.sentOutside);
    if (message == kPosted) ++(seen.inPause ? seen.postedInPause : seen.postedOutside);
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(Pause, AnswersSentMessagesAndLeavesPostedOnesQueued) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Counting;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvalinPauseTest";
    RegisterClassW(&wc);
    HWND window =
        CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    seen = {};

    std::atomic<bool> answered{false};
    std::thread other([&] {
        PostMessageW(window, kPosted, 0, 0);
        SendMessageW(window, kSent, 0, 0); // waits until the window's thread answers
        answered = true;
    });
    TWin32SystemServices services;
    // However late the other thread gets to send, its message is answered inside one of the pauses.
    for (int i = 0; i < 20 && !answered; ++i) {
        seen.inPause = true;
        services.Sleep(500);
        seen.inPause = false;
    }
    const TSeen afterPauses = seen;
    // The processing that follows a pause; it also lets the other thread go when no pause answered it.
    MSG message;
    while (!answered || PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    other.join();
    EXPECT_EQ(afterPauses.sentInPause, 1) << "the sent message is answered during the pause";
    EXPECT_EQ(afterPauses.postedInPause, 0) << "a posted message waits for the processing after the pause";
    EXPECT_EQ(seen.postedOutside, 1);
    DestroyWindow(window);
}

} // namespace
