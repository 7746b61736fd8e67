// The contract every renderer keeps with the model, one table row per
// control kind: what the model says about a control (visible, enabled,
// bounds, text, font, colour) is what the native widget shows; a user's
// click reaches the handler only while the control is reachable; Tab,
// Enter and Esc follow the model; a form shown from hidden is the active
// window with its active control focused. A renderer's test supplies a
// Probe that reads its native widgets and acts on them as a user would.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "tests/contract/KindForm.h"

namespace contract {

using namespace forms;

enum class Key { Enter, Escape, Tab };

// What a renderer shows, read from its native widgets.
class Probe {
public:
    virtual ~Probe() = default;
    virtual MeasureText measure() const = 0;
    virtual bool visible(const Control& c) = 0;
    virtual bool enabled(const Control& c) = 0;
    virtual Rect bounds(const Control& c) = 0;
    virtual std::string text(const Control& c) = 0;
    virtual int fontPixels(const Control& c) = 0;
    virtual bool bold(const Control& c) = 0;
    virtual Color textColour(const Control& c) = 0;
    virtual Color background(const Control& c) = 0;
    // A user's left click in the middle of the control.
    virtual void click(Control& c) = 0;
    // A user's key press while `on` has the focus.
    virtual void key(Control& on, Key key) = 0;
    // The control the native focus is on, and whether the form's window is
    // the active one.
    virtual const Control* focused(Form& f) = 0;
    virtual bool active(Form& f) = 0;
    // The title bar's close box.
    virtual void closeBox(Form& f) = 0;
    // Whether the form's window stands in the middle of the screen, and a
    // user dragging it elsewhere.
    virtual bool centred(Form& f) = 0;
    virtual void drag(Form& f) = 0;
};

// Runs every row, and the form-wide rules, against a shown form.
inline void checkKinds(KindForm& f, Probe& probe) {
    const struct {
        Control* control;
        bool showsText;
        bool drawsBackground;
    } rows[] = {
        {&f.panel, false, true}, {&f.label, true, false},  {&f.edit, true, true},  {&f.memo, true, true},
        {&f.rich, true, true},   {&f.radio, true, false},  {&f.bevel, false, false}, {&f.image, false, false},
        {&f.ok, true, false},    {&f.cancel, true, false}, {&f.bar, false, false}, {&f.status, false, false},
    };
    for (const auto& r : rows) {
        Control& c = *r.control;
        SCOPED_TRACE(c.name());
        EXPECT_TRUE(probe.visible(c));
        c.setVisible(false);
        EXPECT_FALSE(probe.visible(c));
        c.setVisible(true);
        EXPECT_TRUE(probe.visible(c));

        c.setEnabled(false);
        EXPECT_FALSE(probe.enabled(c));
        probe.click(c);
        EXPECT_EQ(f.clicks[c.name()], 0) << "a click on a disabled control";
        c.setEnabled(true);
        EXPECT_TRUE(probe.enabled(c));

        const Rect was = c.bounds();
        c.setBounds(was.left + 2, was.top + 1, was.width + 4, was.height + 2);
        EXPECT_EQ(probe.bounds(c), c.placement(probe.measure()));
        c.setBounds(was.left, was.top, was.width, was.height);
        EXPECT_EQ(probe.bounds(c), c.placement(probe.measure()));

        if (r.showsText) {
            const std::string text = "Gr\xc3\xbc\xc3\x9f" "e " + c.name();
            c.setText(text);
            EXPECT_EQ(probe.text(c), text);
            EXPECT_EQ(probe.bounds(c), c.placement(probe.measure())) << "placed for its new caption";
        }

        Font font;
        font.name = "Times New Roman";
        font.height = 15;
        font.style = fsBold;
        font.color = Color::rgb(200, 10, 20);
        c.setFont(font);
        EXPECT_EQ(probe.fontPixels(c), 15);
        EXPECT_TRUE(probe.bold(c));
        EXPECT_EQ(probe.textColour(c), font.color);

        if (r.drawsBackground) {
            c.setColor(Color::rgb(1, 2, 3));
            EXPECT_EQ(probe.background(c), Color::rgb(1, 2, 3));
        }

        probe.click(c);
        EXPECT_EQ(f.clicks[c.name()], 1) << "a click on a reachable control";
        c.onClick = nullptr;
        probe.click(c);
        EXPECT_EQ(f.clicks[c.name()], 1);
        f.clicks[c.name()] = 0;
        c.onClick = [&f, &c] { ++f.clicks[c.name()]; };
        // Out of its panel's area nobody can click it.
        if (c.parent() == &f.panel) {
            f.panel.setEnabled(false);
            probe.click(c);
            EXPECT_EQ(f.clicks[c.name()], 0) << "a click in a disabled panel";
            f.panel.setEnabled(true);
        }
    }
}

// Enter presses the default button except in the editable memo; Esc
// presses the cancel button.
inline void checkEnterAndEsc(KindForm& f, Probe& probe) {
    f.memo.readOnly = false;
    f.FocusControl(f.edit);
    ASSERT_EQ(probe.focused(f), &f.edit);
    probe.key(f.edit, Key::Enter);
    EXPECT_EQ(f.clicks["ok"], 1);
    probe.key(f.edit, Key::Escape);
    EXPECT_EQ(f.clicks["cancel"], 1);
    f.FocusControl(f.memo);
    probe.key(f.memo, Key::Enter);
    EXPECT_EQ(f.clicks["ok"], 1) << "Enter in a memo the user types into";
    probe.key(f.memo, Key::Escape);
    EXPECT_EQ(f.clicks["cancel"], 2) << "Esc in a memo";
}

// Tab walks the model's keyboard order, skipping what cannot take the focus.
inline void checkTab(KindForm& f, Probe& probe) {
    f.radio.setEnabled(false);
    std::vector<Control*> walked, expected;
    for (Control* c : f.keyboardOrder())
        if (c->canFocus()) expected.push_back(c);
    f.FocusControl(*expected.front());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        walked.push_back(f.find(probe.focused(f) ? probe.focused(f)->name() : ""));
        if (!walked.back()) break;
        probe.key(*walked.back(), Key::Tab);
    }
    EXPECT_EQ(walked, expected);
    f.radio.setEnabled(true);
}

// A form shown from hidden is the active window and its active control has
// the focus. (A window manager may activate a new main window by itself, but
// not a dialog, so `second` is best a dialog.)
inline void checkActivation(KindForm& second, Probe& probe,
                            const std::function<bool(const std::function<bool()>&)>& waitFor) {
    second.FocusControl(second.memo);
    second.memo.setVisible(false);  // it cannot take the focus when shown
    second.setVisible(true);
    EXPECT_TRUE(waitFor([&] { return probe.active(second); }));
    EXPECT_EQ(second.activeControl(), &second.ok) << "the first control in keyboard order";
    EXPECT_TRUE(waitFor([&] { return probe.focused(second) == &second.ok; }));
}

// The close box hides a secondary form and ends the program on the main one.
inline void checkCloseBox(KindForm& main, KindForm& second, Probe& probe) {
    second.setVisible(true);
    probe.closeBox(second);
    EXPECT_FALSE(second.visible());
    EXPECT_FALSE(probe.visible(second));
    EXPECT_TRUE(probe.visible(main));
    EXPECT_FALSE(main.application().terminated());
    probe.closeBox(main);
    EXPECT_TRUE(main.application().terminated());
}

// Centred when first shown; a form centred each time is centred again when
// shown from hidden, the other stays where the user left it; a form shown
// while visible is not moved.
inline void checkPlacement(KindForm& f, Probe& probe) {
    for (const auto centring : {Form::Centring::FirstShow, Form::Centring::EachShow}) {
        f.centring = centring;
        const bool each = centring == Form::Centring::EachShow;
        SCOPED_TRACE(each ? "each show" : "first show");
        if (f.shows() == 0) {
            f.setVisible(true);
            EXPECT_TRUE(probe.centred(f));
        }
        probe.drag(f);
        f.setVisible(true);
        EXPECT_FALSE(probe.centred(f)) << "shown while visible";
        f.setVisible(false);
        f.setVisible(true);
        EXPECT_EQ(probe.centred(f), each);
    }
}

// A form's windows are built when it is first shown: whatever the program set
// while it was hidden, before it ever appeared, is there when it does (the
// controls' texts and contents, states, places, fonts, colours, the focus).
inline void checkFirstShow(KindForm& f, Probe& probe,
                           const std::function<bool(const std::function<bool()>&)>& waitFor) {
    Font bold;
    bold.name = "Times New Roman";
    bold.height = 15;
    bold.style = fsBold;
    bold.color = Color::rgb(200, 10, 20);
    const auto placed = [&](Control& c) { return probe.bounds(c) == c.placement(probe.measure()); };
    const struct {
        const char* what;
        std::function<void()> set;
        std::function<bool()> shown;
    } rows[] = {
        {"label caption", [&] { f.label.setText("Set while hidden"); },
         [&] { return probe.text(f.label) == "Set while hidden" && placed(f.label); }},
        {"edit text", [&] { f.edit.setText("typed before"); }, [&] { return probe.text(f.edit) == "typed before"; }},
        {"memo contents", [&] { f.memo.setText("Disk Write Error!"); },
         [&] { return probe.text(f.memo) == "Disk Write Error!"; }},
        {"rich edit contents", [&] { f.rich.setText("rich"); }, [&] { return probe.text(f.rich) == "rich"; }},
        {"radio disabled", [&] { f.radio.setEnabled(false); }, [&] { return !probe.enabled(f.radio); }},
        {"bevel hidden", [&] { f.bevel.setVisible(false); }, [&] { return !probe.visible(f.bevel); }},
        {"image moved", [&] { f.image.setBounds(200, 100, 32, 32); }, [&] { return placed(f.image); }},
        {"progress bar resized", [&] { f.bar.setBounds(8, 200, 200, 16); }, [&] { return placed(f.bar); }},
        {"button font", [&] { f.ok.setFont(bold); },
         [&] { return probe.fontPixels(f.ok) == 15 && probe.bold(f.ok) && probe.textColour(f.ok) == bold.color; }},
        {"cancel caption", [&] { f.cancel.setText("Stop"); }, [&] { return probe.text(f.cancel) == "Stop"; }},
        {"panel colour", [&] { f.panel.setColor(Color::rgb(1, 2, 3)); },
         [&] { return probe.background(f.panel) == Color::rgb(1, 2, 3); }},
    };
    ASSERT_EQ(f.shows(), 0) << "the form must not have been shown";
    for (const auto& r : rows) r.set();
    f.FocusControl(f.edit);
    f.setVisible(true);
    ASSERT_TRUE(waitFor([&] { return probe.active(f); }));
    for (const auto& r : rows) EXPECT_TRUE(r.shown()) << r.what;
    EXPECT_TRUE(waitFor([&] { return probe.focused(f) == &f.edit; })) << "the focus set while hidden";
}

}  // namespace contract
