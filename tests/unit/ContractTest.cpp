// The renderer contract on the test backend: its views keep what they were
// told, and that is what the table reads back.
#include "tests/contract/ControlContract.h"
#include "tests/fakes/TestBackend.h"

namespace {

using namespace contract;

class BackendProbe : public Probe {
public:
    explicit BackendProbe(fakes::TestBackend& backend) : backend_(backend) {}
    MeasureText measure() const override { return &fakes::TestBackend::measure; }
    bool visible(const Control& c) override { return shown(c).visible; }
    bool enabled(const Control& c) override { return shown(c).enabled; }
    Rect bounds(const Control& c) override { return shown(c).bounds; }
    std::string text(const Control& c) override { return shown(c).text; }
    int fontPixels(const Control& c) override { return shown(c).font.height; }
    bool bold(const Control& c) override { return (shown(c).font.style & fsBold) != 0; }
    Color textColour(const Control& c) override { return shown(c).font.color; }
    Color background(const Control& c) override { return shown(c).color; }
    void click(Control& c) override { c.click(); }
    void key(Control& on, Key key) override {
        if (key == Key::Enter) on.form().keyEnter(&on);
        if (key == Key::Escape) on.form().keyEscape();
    }
    const Control* focused(Form& f) override { return backend_.view(f)->focus; }
    bool active(Form& f) override { return backend_.view(f)->activations > 0 && shown(f).visible; }
    void closeBox(Form& f) override { f.closeBox(); }
    // Centred at its last show, unless dragged since.
    bool centred(Form& f) override {
        const auto* view = backend_.view(f);
        return view->centred && draggedAt_[&f] != view->activations;
    }
    void drag(Form& f) override { draggedAt_[&f] = backend_.view(f)->activations; }

private:
    const fakes::Shown& shown(const Control& c) { return backend_.view(c)->shown; }
    fakes::TestBackend& backend_;
    std::map<const Form*, int> draggedAt_;
};

class TestBackendContract : public ::testing::Test {
protected:
    fakes::TestBackend backend;
    Application app{backend};
    BackendProbe probe{backend};
    KindForm* form = nullptr;

    void SetUp() override {
        form = app.CreateForm<KindForm>();
        form->setVisible(true);
    }
};

TEST_F(TestBackendContract, EveryKindShowsWhatTheModelSays) { checkKinds(*form, probe); }

TEST_F(TestBackendContract, EnterAndEsc) { checkEnterAndEsc(*form, probe); }

TEST_F(TestBackendContract, CloseBox) { checkCloseBox(*form, *app.CreateForm<KindForm>("Second"), probe); }

TEST_F(TestBackendContract, WhereAFormAppears) { checkPlacement(*app.CreateForm<KindForm>("Second"), probe); }

TEST_F(TestBackendContract, AFormShownFromHiddenIsActivatedWithAControlFocused) {
    KindForm& second = *app.CreateForm<KindForm>("Second", BorderStyle::Dialog);
    checkActivation(second, probe, [](const std::function<bool()>& done) { return done(); });
}

}  // namespace
