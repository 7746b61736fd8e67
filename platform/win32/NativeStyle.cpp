#include "platform/win32/NativeStyle.h"

#include "platform/win32/WindowClasses.h"

namespace win32 {

using forms::Kind;

WindowStyle formWindowStyle(const forms::Form& form) {
    WindowStyle s{WS_CLIPCHILDREN, 0};
    switch (form.borderStyle) {
    case forms::BorderStyle::Single:
        s.style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        if (form.maximizeBox) s.style |= WS_MAXIMIZEBOX;
        break;
    case forms::BorderStyle::Dialog:
        s.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        s.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case forms::BorderStyle::SizeToolWin:
        s.style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        s.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (form.formStyle() == forms::FormStyle::StayOnTop) s.exStyle |= WS_EX_TOPMOST;
    return s;
}

namespace {

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

DWORD editStyle(const forms::Control& c) {
    DWORD s = WS_TABSTOP | editAlignment(c.alignment());
    if (c.readOnly) s |= ES_READONLY;
    if (c.kind() == Kind::Edit) return s | ES_AUTOHSCROLL;
    s |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    if (c.verticalScrollBar) s |= WS_VSCROLL;
    if (!c.wordWrap) s |= ES_AUTOHSCROLL | WS_HSCROLL;
    return s;
}

}  // namespace

ControlWindowClass controlWindowClass(const forms::Control& c, bool firstRadioOfParent) {
    DWORD common = WS_CHILD | WS_CLIPSIBLINGS;
    if (c.visible()) common |= WS_VISIBLE;
    if (!c.enabled()) common |= WS_DISABLED;
    const DWORD edge = c.border ? WS_EX_CLIENTEDGE : 0;

    switch (c.kind()) {
    case Kind::Label: {
        // Auto-sized labels take the width of their caption and never wrap.
        const DWORD layout = c.autoSize ? SS_LEFTNOWORDWRAP : staticAlignment(c.alignment());
        return {"STATIC", {common | SS_NOTIFY | SS_NOPREFIX | layout, 0}};
    }
    case Kind::Edit:
    case Kind::Memo:
        return {"EDIT", {common | editStyle(c), edge}};
    case Kind::RichEdit: {
        DWORD s = common | ES_MULTILINE;
        if (c.readOnly) s |= ES_READONLY;
        if (c.verticalScrollBar) s |= WS_VSCROLL;
        return {"RichEdit20A", {s, edge}};
    }
    case Kind::RadioButton:
        return {"BUTTON", {common | BS_AUTORADIOBUTTON | WS_TABSTOP | (firstRadioOfParent ? WS_GROUP : 0), 0}};
    case Kind::Panel:
        return {PanelClassName, {common | WS_CLIPCHILDREN, 0}};
    case Kind::Bevel:
        return {"STATIC", {common | SS_ETCHEDHORZ, 0}};
    case Kind::Image:
        return {"STATIC", {common | SS_BITMAP, 0}};
    case Kind::Button:
    case Kind::BitBtn: {
        const bool isDefault = static_cast<const forms::Button&>(c).isDefault;
        return {"BUTTON", {common | WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0}};
    }
    case Kind::ProgressBar: {
        const bool smooth = static_cast<const forms::ProgressBar&>(c).smooth;
        return {PROGRESS_CLASSA, {common | (smooth ? PBS_SMOOTH : 0), 0}};
    }
    case Kind::StatusBar:
        // Placed by the form along its bottom edge, not by the control itself.
        return {STATUSCLASSNAMEA, {common | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0}};
    case Kind::Form:
        break;
    }
    return {"STATIC", {common, 0}};
}

}  // namespace win32
