// One top-level window per form: the menu bar on top, the client area below
// it at the form's client size, the controls inside, and the form's own
// properties (caption, size, visibility, window state, stay-on-top, focus).
// A form shown from hidden is placed where the model says, raised and made
// the active window. The title bar's close box, Enter, Esc and native state
// changes go back to the model.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "platform/forms/Form.h"

class QMenuBar;

namespace qtui {

class MenuBinding;
class TimerBinding;
class ViewFactory;

class FormWindow : public QWidget, public forms::View {
public:
    FormWindow(forms::Form& form, ViewFactory& factory);
    ~FormWindow() override;
    // Makes the controls' views, once the factory knows the client area.
    void build();

    forms::Form& form() const { return form_; }
    // The area below the menu bar that holds the controls.
    QWidget* client() const { return client_; }
    QMenuBar* menuBar() const;
    QWidget* widgetFor(const forms::Control& control) const;
    forms::ObserverId observerId() const { return id_; }

    // Enter, Esc and the arrow keys from a control (or the window, with
    // none), as the form handles them; true when the form took the key.
    bool keyFromWidget(int key, const forms::Control* source);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildTabOrder();
    void apply(forms::Prop prop);
    void applyVisible();
    void applySize();
    void applyFlags();
    void applyWindowState();
    void applyFocus();
    void applyColor();
    void showInState();
    void centre();
    int menuHeight() const;

    forms::Form& form_;
    ViewFactory& factory_;
    QWidget* client_;
    std::unique_ptr<MenuBinding> menu_;
    std::vector<std::unique_ptr<forms::View>> views_;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
    forms::ObserverId id_ = 0;
    // Set while the model's state is written into the window, so the native
    // state changes that causes are not taken for the user's.
    bool applying_ = false;
};

}  // namespace qtui
