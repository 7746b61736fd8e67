// The sample form the renderer contract and the model's own rules are
// checked on: one control of each kind, a default and a cancel button, and
// an editable memo; every control counts the clicks that reach its handler.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "platform/forms/Application.h"

namespace contract {

using namespace forms;

class KindForm : public Form {
public:
    // AllInPanel puts every control in the panel, which then fills the form.
    enum class Nesting { LabelInPanel, AllInPanel };

    explicit KindForm(Application& app, std::string name = "KindForm", BorderStyle frame = BorderStyle::Single,
                      Nesting nesting = Nesting::LabelInPanel)
        : Form(app, std::move(name)),
          panel(make<Panel>("panel")),
          label(make<Label>("label", &panel)),
          edit(make<Edit>("edit", inner(nesting))),
          memo(make<Memo>("memo", inner(nesting))),
          rich(make<RichEdit>("rich", inner(nesting))),
          radio(make<RadioButton>("radio", inner(nesting))),
          bevel(make<Bevel>("bevel", inner(nesting))),
          image(make<Image>("image", inner(nesting))),
          ok(make<Button>("ok", inner(nesting))),
          cancel(make<BitBtn>("cancel", inner(nesting))),
          bar(make<ProgressBar>("bar", inner(nesting))),
          status(make<StatusBar>("status", inner(nesting))) {
        setText(this->name());
        borderStyle = frame;
        setClientSize(320, 240);
        setBounds(0, 0, 328, 280);
        if (nesting == Nesting::AllInPanel)
            panel.setBounds(0, 0, 320, 240);
        else
            panel.setBounds(8, 8, 140, 40);
        label.setBounds(4, 4, 0, 13);
        edit.setBounds(160, 8, 120, 21);
        memo.setBounds(160, 36, 120, 50);
        rich.setBounds(8, 56, 140, 40);
        radio.setBounds(8, 104, 100, 17);
        bevel.setBounds(8, 126, 140, 9);
        image.setBounds(160, 96, 32, 32);
        image.picture.width = image.picture.height = 32;
        image.picture.pixels.assign(32 * 32, 1);
        image.picture.palette[1] = 0x00FF00;
        ok.setBounds(160, 140, 75, 25);
        ok.isDefault = true;
        cancel.setBounds(240, 140, 75, 25);
        cancel.isCancel = true;
        bar.setBounds(8, 144, 140, 16);
        status.setBounds(0, 221, 320, 19);
        status.dockedBottom = true;
        status.panelWidths = {200, 60};
        // Tab goes the other way round from creation.
        int order = 0;
        for (Control* c : std::initializer_list<Control*>{&ok, &cancel, &radio, &memo, &edit}) c->tabOrder = order++;
        for (Control* c : controls()) c->onClick = [this, c] { ++clicks[c->name()]; };
        FocusControl(edit);
    }

    Panel& panel;
    Label& label;
    Edit& edit;
    Memo& memo;
    RichEdit& rich;
    RadioButton& radio;
    Bevel& bevel;
    Image& image;
    Button& ok;
    BitBtn& cancel;
    ProgressBar& bar;
    StatusBar& status;
    std::map<std::string, int> clicks;

private:
    // The parent of the controls after the label; called once `panel` is made.
    Control* inner(Nesting nesting) { return nesting == Nesting::AllInPanel ? &panel : nullptr; }
};

}  // namespace contract
