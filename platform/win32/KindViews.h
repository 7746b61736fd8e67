// One view per control kind: the native window it is created as, and what
// that kind mirrors and reports beyond what every view does.
#pragma once

#include "platform/win32/ControlView.h"

namespace win32 {

// A label; one that acts as a link is a keyboard stop with a focus mark.
class LabelView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class EditView : public ControlView {
public:
    using ControlView::ControlView;
    void notified(WORD code) override;
    void takeFocus() override;

protected:
    CreateArgs nativeWindow() const override;
    void applyState() override;
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class MemoView : public EditView {
public:
    using EditView::EditView;
    void takeFocus() override { ControlView::takeFocus(); }

protected:
    CreateArgs nativeWindow() const override;
};

class RichEditView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override { applyLook(); }
    void applyFont() override { applyLook(); }
    void applyLook() override;
};

class RadioButtonView : public ControlView {
public:
    using ControlView::ControlView;
    void notified(WORD code) override;

protected:
    bool reportsOwnClicks() const override { return true; }
    CreateArgs nativeWindow() const override;
    void applyState() override;
};

// A button, with or without a glyph.
class ButtonView : public ControlView {
public:
    using ControlView::ControlView;
    void notified(WORD code) override;
    bool isPushButton() const override { return true; }

protected:
    bool reportsOwnClicks() const override { return true; }
    CreateArgs nativeWindow() const override;
};

// A window of its own that clips its children, paints its own background
// and border, and passes its children's notifications on.
class PanelView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override {}  // a panel shows no caption
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One etched line along its bottom edge.
class BevelView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override {}
    RECT placement() const override;
};

class ImageView : public ControlView {
public:
    using ControlView::ControlView;
    ~ImageView() override;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override {}
    void applyState() override;

private:
    HBITMAP bitmap_ = nullptr;
};

class ProgressBarView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override {}
    void applyState() override;
};

// Placed by the form along its bottom edge, not by the control itself.
class StatusBarView : public ControlView {
public:
    using ControlView::ControlView;

protected:
    CreateArgs nativeWindow() const override;
    void applyText() override {}
    void applyState() override;
};

}  // namespace win32
