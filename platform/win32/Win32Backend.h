// The forms' Win32 renderer: one FormWindow per form, the thread's message
// loop with dialog-style keyboard handling, MessageBoxA for message boxes.
//
// The backend must outlive the forms::Application that uses it (declare it
// first). This header names no Windows type, so the program's entry file
// stays free of <windows.h>.
#pragma once

#include <memory>
#include <string>

#include "platform/forms/Backend.h"
#include "platform/forms/Types.h"
#include "platform/win32/Fallbacks.h"

struct HWND__;
struct tagMSG;

namespace forms {
class Control;
}

namespace win32 {

class Compat;
class FormWindow;
class ViewFactory;
class Window;
struct Context;

struct Win32BackendOptions {
    // run() shows the main form and returns at once instead of running the
    // message loop; whoever started it processes messages itself (the tests).
    bool returnAfterShow = false;
    // Calls of later Windows versions replaced by their fallbacks (the tests).
    Fallbacks fallbacks;
};

class Win32Backend : public forms::Backend {
public:
    explicit Win32Backend(Win32BackendOptions options = {});
    ~Win32Backend() override;

    void messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind,
                    const forms::Form* owner) override;
    void discardPendingInput() override;  // InputDrain.cpp
    void answerSystem() override;         // InputDrain.cpp

    // One message of the loop: the form's keyboard handling, then the window.
    void process(tagMSG& message);
    // Processes what the queue holds now; false once terminated.
    bool processPending();
    // Destroys the windows (what formsClosing does).
    void shutdown() { formsClosing(); }

    FormWindow* window(const forms::Form& form) const;
    HWND__* hwnd(const forms::Form& form) const;
    HWND__* hwnd(const forms::Control& control) const;
    // Which calls of later Windows versions the renderer uses.
    const Compat& compat() const;
    // The extent of a caption as the windows draw it, in the model's pixels.
    forms::Size measure(const forms::Font& font, const std::string& caption) const;

private:
    forms::ViewFactory& factory() override;
    void eventLoop(forms::Form& mainForm) override;
    void quit() override;
    void viewsGone() override;
    HWND__* boxOwner() const;

    std::unique_ptr<Context> context_;
    // Owns the secondary forms, so that they have no taskbar buttons of
    // their own and the main form's level (on top or not) is its own.
    std::unique_ptr<Window> application_;
    std::unique_ptr<ViewFactory> factory_;
};

}  // namespace win32
