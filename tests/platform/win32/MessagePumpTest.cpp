// The window's message queue at the walk's dispatch points.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/Platform.h"

namespace {

std::vector<UINT>* dispatched = nullptr;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP && dispatched) dispatched->push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window that records the private messages dispatched to it.
class RecordingWindow {
public:
    RecordingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RecordingProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"FathomlistPumpTest";
        RegisterClassW(&windowClass);
        window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        dispatched = &messages;
    }
    ~RecordingWindow() {
        dispatched = nullptr;
        DestroyWindow(window);
        MSG drained;
        while (PeekMessageW(&drained, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND window = nullptr;
    std::vector<UINT> messages;
};

TEST(Win32MessagePump, DispatchesEveryQueuedMessageInOrder) {
    RecordingWindow recorder;
    ASSERT_NE(recorder.window, nullptr);
    for (UINT message : {WM_APP + 1, WM_APP + 2, WM_APP + 3}) PostMessageW(recorder.window, message, 0, 0);
    SystemMessagePump().DispatchPendingMessages();
    EXPECT_EQ(recorder.messages, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 3}));
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_APP, 0xBFFF, PM_NOREMOVE));
}

TEST(Win32MessagePump, QuitMessageStaysQueuedForTheMessageLoop) {
    RecordingWindow recorder;
    ASSERT_NE(recorder.window, nullptr);
    PostMessageW(recorder.window, WM_APP + 1, 0, 0);
    PostQuitMessage(7);
    SystemMessagePump().DispatchPendingMessages();
    SystemMessagePump().DispatchPendingMessages();
    EXPECT_EQ(recorder.messages, std::vector<UINT>{WM_APP + 1});
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(quit.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(quit.wParam, 7u);
}

TEST(Win32MessagePump, EmptyQueueReturnsAtOnce) {
    MSG drained;
    while (PeekMessageW(&drained, nullptr, 0, 0, PM_REMOVE)) {
    }
    SystemMessagePump().DispatchPendingMessages();
    EXPECT_FALSE(PeekMessageW(&drained, nullptr, 0, 0, PM_NOREMOVE));
}

}  // namespace
