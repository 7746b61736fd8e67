/* A program that imports two calls Windows 95 lacks, TrackMouseEvent
   (Windows 98, NT 4) and InitCommonControlsEx (comctl32 4.70): the import
   check must refuse it, naming both. Built without the C runtime, so that
   these two and ExitProcess are all it imports. */
#define WINVER 0x0500
#define _WIN32_WINNT 0x0500
#define _WIN32_IE 0x0500
#include <windows.h>
#include <commctrl.h>

void start(void) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, NULL, 0};
    InitCommonControlsEx(&controls);
    TrackMouseEvent(&track);
    ExitProcess(0);
}
