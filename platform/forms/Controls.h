// The control kinds that have properties of their own.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class Label : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.label(*this); }
    Label(std::string name, Control* parent) : Control(Kind::Label, std::move(name), parent) { autoSize = true; }
};

class Edit : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.edit(*this); }
    Edit(std::string name, Control* parent) : Control(Kind::Edit, std::move(name), parent) { tabStop = true; }
};

class Memo : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.memo(*this); }
    Memo(std::string name, Control* parent) : Control(Kind::Memo, std::move(name), parent) { tabStop = true; }
};

class RichEdit : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.richEdit(*this); }
    RichEdit(std::string name, Control* parent) : Control(Kind::RichEdit, std::move(name), parent) {}
};

class Panel : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.panel(*this); }
    Panel(std::string name, Control* parent) : Control(Kind::Panel, std::move(name), parent) {}
    // How its border, when it has one, is drawn: a raised edge (light above
    // and left, dark below and right), or one line on all four sides.
    enum class Edge { Raised, SingleLine };
    Edge edge = Edge::Raised;
};

class Bevel : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.bevel(*this); }
    Bevel(std::string name, Control* parent) : Control(Kind::Bevel, std::move(name), parent) {}
};

class Button : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.button(*this); }
    Button(std::string name, Control* parent, Kind kind = Kind::Button) : Control(kind, std::move(name), parent) {
        tabStop = true;
    }
    bool isDefault = false;  // Enter presses it
    bool isCancel = false;   // Esc presses it
};

class BitBtn : public Button {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.bitBtn(*this); }
    BitBtn(std::string name, Control* parent) : Button(std::move(name), parent, Kind::BitBtn) {}
};

// Checking one radio button unchecks the others of the same parent.
class RadioButton : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.radioButton(*this); }
    RadioButton(std::string name, Control* parent) : Control(Kind::RadioButton, std::move(name), parent) {
        tabStop = true;
    }
    bool checked() const { return checked_; }
    void setChecked(bool c, ObserverId origin = FromProgram);
    // A user's click: checks it, then raises the click event.
    void click() override;
    void checkedByUser(ObserverId origin);

private:
    bool checked_ = false;
};

class ProgressBar : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.progressBar(*this); }
    ProgressBar(std::string name, Control* parent) : Control(Kind::ProgressBar, std::move(name), parent) {}
    int min() const { return min_; }
    int max() const { return max_; }
    int position() const { return position_; }
    void setRange(int min, int max);
    void setPosition(int p);  // clamped to the range, as a progress bar does
    bool smooth = false;

private:
    int min_ = 0, max_ = 100, position_ = 0;
};

class StatusBar : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.statusBar(*this); }
    StatusBar(std::string name, Control* parent) : Control(Kind::StatusBar, std::move(name), parent) {}
    std::vector<int> panelWidths;
    // Where each panel ends, from the bar's left edge: every panel keeps its
    // width, the last one too, whatever the width of the bar.
    std::vector<int> panelRightEdges() const {
        std::vector<int> edges;
        int x = 0;
        for (int w : panelWidths) edges.push_back(x += w);
        return edges;
    }
};

// An 8-bit palette picture.
struct Picture {
    int width = 0;
    int height = 0;
    std::array<std::uint32_t, 256> palette{};  // 0x00RRGGBB
    std::vector<std::uint8_t> pixels;          // row by row, top first

    // Something to draw: a size, and a pixel for every place in it.
    bool drawable() const {
        return width > 0 && height > 0 &&
               pixels.size() >= static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
};

class Image : public Control {
public:
    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.image(*this); }
    Image(std::string name, Control* parent) : Control(Kind::Image, std::move(name), parent) {}
    Picture picture;
};

}  // namespace forms
