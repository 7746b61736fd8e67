// The message queue while a handler holds the loop (a diskette run). A
// window that has not looked at its queue for a few seconds is taken for
// hung, and Windows covers it with a ghost copy that hides the progress:
// looking without taking keeps it genuine. When the handler is done, the
// keyboard, mouse and non-client mouse messages waiting in the thread's queue
// are removed unseen, range by range, since PM_QS_INPUT is missing on Windows
// 95. Close requests posted meanwhile (a window manager's close under Wine
// arrives as SC_CLOSE) are handled then, while the handler still holds, so
// the model refuses them; other posted messages, timers and paints stay.
#include "platform/win32/Win32Backend.h"
#include "platform/windows/WinApi.h"

namespace win32 {

namespace {

// WM_MOUSEHWHEEL, the last mouse message; older headers end the range before it.
constexpr UINT LastMouseMessage = 0x020E;
// WM_NCXBUTTONDBLCLK, the last non-client mouse message.
constexpr UINT LastNonClientMouseMessage = 0x00AD;

}  // namespace

void Win32Backend::answerSystem() {
    MSG pending;
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
}

void Win32Backend::discardPendingInput() {
    const UINT ranges[][2] = {{WM_KEYFIRST, WM_KEYLAST},
                              {WM_MOUSEFIRST, LastMouseMessage},
                              {WM_NCMOUSEMOVE, LastNonClientMouseMessage}};
    MSG message;
    for (const auto& range : ranges)
        while (PeekMessageA(&message, nullptr, range[0], range[1], PM_REMOVE)) {
        }
    for (const UINT close : {UINT{WM_CLOSE}, UINT{WM_SYSCOMMAND}})
        while (PeekMessageA(&message, nullptr, close, close, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace win32
