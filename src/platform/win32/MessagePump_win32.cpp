// The window's message queue, dispatched at the walk's dispatch points so that the window
// stays answerable during a long search.
#include <windows.h>

#include "platform/Platform.h"

namespace {

class Win32MessagePump final : public MessagePump {
public:
    void DispatchPendingMessages() override {
        MSG message;
        // Looked at before it is taken, so that the quit message stays queued for the
        // message loop, which ends the program on it.
        while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
            if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
            if (message.message == WM_QUIT) {
                // Posted from another thread between the two looks: put it back.
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
};

}  // namespace

MessagePump& SystemMessagePump() {
    static Win32MessagePump messages;
    return messages;
}
