// Labels, edits, memos and rich-edit boxes.
#include <string>

#include "platform/win32/RichText.h"
#include "platform/windows/Text.h"
#include "platform/win32/Views.h"

namespace win32 {

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
    return {.systemClass = "STATIC", .style = SS_NOTIFY | SS_NOPREFIX | layout};
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

}  // namespace win32
