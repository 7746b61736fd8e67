// Discarding the input that arrived while a handler held the message loop:
// the keyboard, mouse and non-client mouse messages waiting in the thread's
// queue are removed unseen. Range by range, since PM_QS_INPUT is missing on
// Windows 95; posted and sent messages, timers and paints stay.
#include "platform/win32/Win32Backend.h"
#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

// WM_MOUSEHWHEEL, the last mouse message; older headers end the range before it.
constexpr UINT LastMouseMessage = 0x020E;
// WM_NCXBUTTONDBLCLK, the last non-client mouse message.
constexpr UINT LastNonClientMouseMessage = 0x00AD;

}  // namespace

void Win32Backend::discardPendingInput() {
    const UINT ranges[][2] = {{WM_KEYFIRST, WM_KEYLAST},
                              {WM_MOUSEFIRST, LastMouseMessage},
                              {WM_NCMOUSEMOVE, LastNonClientMouseMessage}};
    MSG message;
    for (const auto& range : ranges)
        while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
        }
}

}  // namespace win32
