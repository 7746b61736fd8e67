// Panels, bevels, pictures, progress bars and status bars.
#include <vector>

#include "platform/win32/PictureBitmap.h"
#include "platform/win32/Views.h"

namespace win32 {

namespace {

// One line of the shadow colour along each side of `r`.
void drawSingleLine(HDC dc, const RECT& r) {
    const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                          {r.left, r.bottom - 1, r.right, r.bottom},
                          {r.left, r.top, r.left + 1, r.bottom},
                          {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& side : sides) FillRect(dc, &side, GetSysColorBrush(COLOR_BTNSHADOW));
}

}  // namespace

Window::CreateArgs PanelView::nativeWindow() const { return {.className = "TPanel", .style = WS_CLIPCHILDREN}; }

LRESULT PanelView::message(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflectToChild(message, wParam, lParam, result)) return result;
    RECT area{};
    GetClientRect(hwnd(), &area);
    switch (message) {
    case WM_SIZE:
        // The border lies along the edges: resized, the panel paints itself
        // anew, or the old edges stay where the panel no longer ends.
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
    case WM_ERASEBKGND:
        FillRect(reinterpret_cast<HDC>(wParam), &area, context_.brushes.get(control_.color()));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd(), &paint);
        if (control_.border) {
            if (static_cast<const forms::Panel&>(control_).edge == forms::Panel::Edge::SingleLine)
                drawSingleLine(dc, area);
            else
                DrawEdge(dc, &area, BDR_RAISEDOUTER, BF_RECT);
        }
        EndPaint(hwnd(), &paint);
        return 0;
    }
    default: break;
    }
    return ControlView::message(message, wParam, lParam);
}

// SS_NOTIFY: without it a static lets the mouse through to its parent.
Window::CreateArgs BevelView::nativeWindow() const {
    return {.systemClass = "STATIC", .style = SS_ETCHEDHORZ | SS_NOTIFY};
}

RECT BevelView::placement() const {
    RECT r = ControlView::placement();
    r.top = r.bottom - 2;
    return r;
}

ImageView::~ImageView() {
    if (bitmap_) DeleteObject(bitmap_);
}

Window::CreateArgs ImageView::nativeWindow() const {
    return {.systemClass = "STATIC", .style = SS_BITMAP | SS_NOTIFY};
}

void ImageView::applyState() {
    if (bitmap_) return;  // the picture is fixed
    bitmap_ = makeBitmap(static_cast<const forms::Image&>(control_).picture);
    if (bitmap_) SendMessageA(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
}

Window::CreateArgs ProgressBarView::nativeWindow() const {
    const bool smooth = static_cast<const forms::ProgressBar&>(control_).smooth;
    return {.systemClass = PROGRESS_CLASSA, .style = smooth ? PBS_SMOOTH : 0u};
}

void ProgressBarView::applyState() {
    const auto& bar = static_cast<const forms::ProgressBar&>(control_);
    context_.compat.setProgressRange(hwnd(), bar.min(), bar.max());
    SendMessageA(hwnd(), PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
}

Window::CreateArgs StatusBarView::nativeWindow() const {
    return {.systemClass = STATUSCLASSNAMEA, .style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER};
}

void StatusBarView::applyState() {
    // The model's right edges, the last one too: no panel stretches.
    std::vector<int> edges = static_cast<const forms::StatusBar&>(control_).panelRightEdges();
    for (int& edge : edges) edge = context_.dpi.px(edge);
    if (!edges.empty()) SendMessageA(hwnd(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

}  // namespace win32
