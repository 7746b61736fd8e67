// The base of every control in the model: what is shown, where, in which
// font, and the events a user can raise on it. Nothing is drawn here; a
// renderer observes these properties and feeds native events back through
// the entry points at the bottom.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Observable.h"
#include "platform/forms/Types.h"
#include "platform/forms/View.h"

namespace forms {

class Form;

enum class Kind {
    Form,
    Label,
    Edit,
    Memo,
    RichEdit,
    RadioButton,
    Panel,
    Bevel,
    Image,
    Button,
    BitBtn,
    ProgressBar,
    StatusBar,
};

// The extent of a caption drawn in a font, as the renderer's own text
// measures it: the widest line, one text height per line.
using MeasureText = std::function<Size(const Font&, const std::string&)>;

// That extent from the width of each line (its line break taken off) and
// the font's line height; an empty caption is one line high.
Size textExtent(const std::string& text, int lineHeight, const std::function<int(const std::string& line)>& lineWidth);

class Control : public Observable {
public:
    using Handler = std::function<void()>;

    Control(Kind kind, std::string name, Control* parent);
    virtual ~Control() = default;

    // Asks the renderer's factory for this kind's view.
    virtual std::unique_ptr<View> makeView(ViewFactory& factory) = 0;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    Form& form();
    const Form& form() const { return const_cast<Control*>(this)->form(); }

    bool visible() const { return visible_; }
    // What the user can see of it: visible, and starting inside its
    // parent's area (a control that starts outside is clipped away whole,
    // and renderers neither draw nor expose it).
    bool shown() const { return visible_ && withinParent(); }
    bool withinParent() const;
    void setVisible(bool v, ObserverId origin = FromProgram);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);

    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void setBounds(int left, int top, int width, int height);
    virtual void setHeight(int h);
    Rect bounds() const { return {left_, top_, width_, height_}; }
    // Where the control is drawn. A control docked to the bottom keeps to
    // its parent's bottom edge at full width (the model moves it when the
    // parent changes size); a label that sizes itself takes its caption's
    // extent, and one that follows another starts where that one's caption
    // ends. Only those two need `measure`.
    Rect placement(const MeasureText& measure) const;
    // The width and height of the area this control's children lie in.
    virtual Size innerSize() const { return {width_, height_}; }

    // Caption of a label, button or form; text of an edit, memo or rich edit
    // (lines joined by CR LF, as the framework's memos give them). UTF-8.
    const std::string& text() const { return text_; }
    void setText(std::string t, ObserverId origin = FromProgram);

    const Font& font() const { return font_; }
    void setFont(const Font& f);
    void setFontColor(Color c);
    void setFontStyle(FontStyles s);

    Color color() const { return color_; }
    void setColor(Color c);
    // The colour the control's text is drawn on: its own, or its parent's for
    // the kinds drawn on their parent (labels, radio buttons, buttons,
    // bevels, pictures), as the framework's transparent controls are.
    Color background() const;
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment a);
    Cursor cursor() const { return cursor_; }
    void setCursor(Cursor c);

    // Static look, fixed at construction.
    bool autoSize = false;   // labels: size follows the caption
    bool readOnly = false;
    // Read-only text the user may still select and copy (a cause that names
    // a command); other read-only memos read as static text.
    bool selectable = false;
    bool border = true;
    bool wordWrap = true;
    bool verticalScrollBar = false;
    bool dockedBottom = false;  // keeps to the bottom edge of its parent, full width
    bool tabStop = false;
    int tabOrder = -1;       // position in the parent's keyboard order
    // A label that acts as a link (a topic, a web or mail address): a
    // keyboard stop like a button, drawn with a focus mark when it has the
    // focus; Enter and Space click it. Screen readers hear it as a link.
    bool link = false;
    // The label whose caption names this input or group for a screen reader
    // (the question a field answers).
    const Control* labelledBy = nullptr;
    // A label that continues another label's line: it starts where that one's
    // caption ends, whatever width the renderer's font gives the caption.
    const Control* follows = nullptr;

    // Repaint at once (the framework's Update).
    void Update();

    // True when a user could reach the control: it and its parents are
    // visible and enabled, and it lies inside each parent's area.
    bool reachable() const;
    // True when a visible sibling created after this control (so stacked
    // above it) covers the middle of the control's left edge: the user sees
    // the sibling there, not this control.
    bool covered() const;
    // A reachable control with a click handler takes the mouse's clicks.
    bool takesClick() const { return onClick && reachable(); }
    // Tab and the focus fallback may land here.
    bool canFocus() const { return tabStop && reachable() && !covered(); }

    // A missing answer: what a screen reader says of the field besides its
    // name (empty: nothing is missing). The form marks it, and clears it
    // when the answer is given.
    const std::string& missingNote() const { return missingNote_; }
    void setMissingNote(std::string note);

    Handler onClick;
    Handler onMouseEnter;
    Handler onMouseLeave;
    Handler onChange;

    // Entry points for renderers (and tests acting as one).
    virtual void click();
    void mouseEnter();
    void mouseLeave();
    void textEdited(std::string t, ObserverId origin);
    void focusMoved(ObserverId origin);

protected:
    void changed(Prop prop, ObserverId origin = FromProgram) { notify(prop, origin); }
    void fire(const Handler& h);
    // False while the program is taking its windows down: what a renderer
    // reports then is not the user's doing.
    bool acceptsInput();
    // Runs after the visibility changed, before anyone is told.
    virtual void visibilityChanged();
    // Runs before a hidden control is made visible, while it still is hidden.
    virtual void aboutToShow() {}
    // The children that keep to this control's bottom edge follow its size.
    void dockChildren();

private:
    void placementChanged();

    Kind kind_;
    std::string name_;
    Control* parent_;
    std::vector<Control*> children_;
    bool visible_ = true;
    bool enabled_ = true;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string text_;
    Font font_;
    Color color_ = clBtnFace;
    Alignment alignment_ = Alignment::Left;
    Cursor cursor_ = Cursor::Default;
    std::string missingNote_;
};

}  // namespace forms
