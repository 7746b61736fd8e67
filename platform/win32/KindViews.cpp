#include "platform/win32/KindViews.h"

#include <string>
#include <vector>

#include "platform/win32/PictureBitmap.h"
#include "platform/win32/RichText.h"
#include "platform/windows/Text.h"

namespace win32 {

// Labels, edits, memos and rich-edit boxes.

namespace {

// Edits and memos hold as much as the system allows.
constexpr WPARAM NoTextLimit = 0x7FFFFFFE;

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

DWORD staticAlignment(forms::Alignment a) {
    switch (a) {
    case forms::Alignment::Center: return SS_CENTER;
    case forms::Alignment::Right: return SS_RIGHT;
    default: return SS_LEFT;
    }
}

DWORD editAlignment(forms::Alignment a) {
    switch (a) {
    case forms::Alignment::Center: return ES_CENTER;
    case forms::Alignment::Right: return ES_RIGHT;
    default: return ES_LEFT;
    }
}

}  // namespace

Window::CreateArgs LabelView::nativeWindow() const {
    // Auto-sized labels take the width of their caption and never wrap.
    const DWORD layout = control_.autoSize ? SS_LEFTNOWORDWRAP : staticAlignment(control_.alignment());
    return {.systemClass = "STATIC", .style = SS_NOTIFY | SS_NOPREFIX | layout | (control_.link ? WS_TABSTOP : 0u)};
}

LRESULT LabelView::message(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!control_.link) return ControlView::message(message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd(), nullptr, TRUE); break;
    case WM_PAINT: {
        // The dotted frame a focused button shows, around the caption.
        const LRESULT result = ControlView::message(message, wParam, lParam);
        if (GetFocus() == hwnd()) {
            RECT r{};
            GetClientRect(hwnd(), &r);
            HDC dc = GetDC(hwnd());
            DrawFocusRect(dc, &r);
            ReleaseDC(hwnd(), dc);
        }
        return result;
    }
    default: break;
    }
    return ControlView::message(message, wParam, lParam);
}

Window::CreateArgs EditView::nativeWindow() const {
    DWORD s = WS_TABSTOP | ES_AUTOHSCROLL | editAlignment(control_.alignment());
    if (control_.readOnly) s |= ES_READONLY;
    return {.systemClass = "EDIT", .style = s, .exStyle = control_.border ? WS_EX_CLIENTEDGE : 0u};
}

Window::CreateArgs MemoView::nativeWindow() const {
    CreateArgs args = EditView::nativeWindow();
    args.style = (args.style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (control_.verticalScrollBar) args.style |= WS_VSCROLL;
    if (!control_.wordWrap) args.style |= ES_AUTOHSCROLL | WS_HSCROLL;
    return args;
}

void EditView::applyState() { SendMessageA(hwnd(), EM_SETLIMITTEXT, NoTextLimit, 0); }

void EditView::notified(WORD code) {
    if (code == EN_CHANGE && !applying_)
        control_.textEdited(fromAnsi(windowText(hwnd())), observer_);
}

// Text that is only read shows no caret, whatever has the focus.
LRESULT EditView::message(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ControlView::message(message, wParam, lParam);
    if (message == WM_SETFOCUS && control_.readOnly && !control_.selectable) HideCaret(hwnd());
    return result;
}

void EditView::takeFocus() {
    SetFocus(hwnd());
    // Tabbing into a one-line edit selects its text, ready to be replaced.
    SendMessageA(hwnd(), EM_SETSEL, 0, -1);
}

Window::CreateArgs RichEditView::nativeWindow() const {
    DWORD s = ES_MULTILINE;
    if (control_.readOnly) s |= ES_READONLY;
    if (control_.verticalScrollBar) s |= WS_VSCROLL;
    return {.systemClass = "RichEdit20A", .style = s, .exStyle = control_.border ? WS_EX_CLIENTEDGE : 0u};
}

void RichEditView::applyLook() {
    const RichLook look{control_.font(), colorRef(control_.font().color), colorRef(control_.color()),
                        control_.alignment()};
    setRichText(hwnd(), control_.text(), look);
}

// Push buttons and radio buttons.

Window::CreateArgs ButtonView::nativeWindow() const {
    const bool isDefault = static_cast<const forms::Button&>(control_).isDefault;
    return {.systemClass = "BUTTON", .style = WS_TABSTOP | DWORD(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
}

void ButtonView::notified(WORD code) {
    if (code == BN_CLICKED) control_.click();
}

// A radio group is its parent's radio buttons, in the model and in the
// native buttons alike: with no WS_GROUP among them, checking one unchecks
// the others of the same parent only.
Window::CreateArgs RadioButtonView::nativeWindow() const {
    return {.systemClass = "BUTTON", .style = BS_AUTORADIOBUTTON | WS_TABSTOP};
}

void RadioButtonView::applyState() {
    const bool checked = static_cast<const forms::RadioButton&>(control_).checked();
    SendMessageA(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButtonView::notified(WORD code) {
    // A radio button also reports BN_CLICKED when it merely receives the
    // focus; only a button that is now checked was chosen.
    if (code == BN_CLICKED && SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED)
        static_cast<forms::RadioButton&>(control_).checkedByUser(observer_);
}

// Panels, bevels, pictures, progress bars and status bars.

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
