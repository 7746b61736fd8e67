// One top-level window per form: the menu bar on top, the client area below
// it at the form's client size, the controls inside, and the form's own
// properties (caption, size, visibility, window state, stay-on-top, focus).
// The title bar's close box, Enter, Esc and native state changes go back to
// the model.
#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/Form.h"

class QMenuBar;

namespace qtui {

class ControlView;
class MenuBinding;
class TimerBinding;

class FormWindow : public QWidget {
public:
    explicit FormWindow(forms::Form& form);
    ~FormWindow() override;

    forms::Form& form() const { return form_; }
    // The area below the menu bar that holds the controls.
    QWidget* client() const { return client_; }
    QMenuBar* menuBar() const;
    QWidget* widgetFor(const forms::Control& control) const;
    forms::ObserverId observerId() const { return id_; }

    // Stops feeding events into the model: the model is about to go away.
    void detach() { detached_ = true; }
    bool detached() const { return detached_; }

    // Enter and Esc from a control or the window; true when the form took it.
    bool keyFromWidget(int key, QWidget* source);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void buildTabOrder();
    void apply(forms::Prop prop);
    void applyVisible();
    void applySize();
    void applyFlags();
    void applyWindowState();
    void applyFocus();
    void applyColor();
    void showInState();
    // Centred on the screen, or where the form says.
    void placeFirstTime();
    int menuHeight() const;

    forms::Form& form_;
    QWidget* client_;
    std::unique_ptr<MenuBinding> menu_;
    std::vector<std::unique_ptr<ControlView>> views_;
    std::map<const forms::Control*, ControlView*> viewOf_;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
    forms::ObserverId id_ = 0;
    bool detached_ = false;
    bool placed_ = false;
    // Set while the model's state is written into the window, so the native
    // state changes that causes are not taken for the user's.
    bool applying_ = false;
};

}  // namespace qtui
