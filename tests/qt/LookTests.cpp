// What a person sees on the shell's windows, read back from the widgets as
// they lay out and paint: the texts' laid-out lines, the feedback panel's
// border, the focused button, the status bar's panes and the menu letters.
#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <algorithm>
#include <array>

#include "platform/qt/StatusBarWidget.h"
#include "tests/contract/TextLines.h"
#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

// The lines the box's own layout broke its text into, at its width, with
// the room the widest of them leaves.
struct Layout {
    int lines = 0;
    qreal room = 0;
    qreal lastBaseline = 0;  // in the box's coordinates
    qreal height = 0;        // of the laid-out text
};

Layout layoutOf(QTextEdit& box) {
    QTextDocument* doc = box.document();
    Layout result;
    result.height = doc->documentLayout()->documentSize().height();  // finishes the layout
    result.room = box.viewport()->width();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const QTextLayout* layout = b.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            result.room = std::min(result.room, box.viewport()->width() - line.naturalTextWidth());
            result.lastBaseline = doc->documentLayout()->blockBoundingRect(b).top() + line.y() + line.ascent();
        }
        result.lines += layout->lineCount();
    }
    return result;
}

// Pixels that differ between two grabs of one widget, counted in each band
// along its four sides: a frame round it changes all four.
std::array<int, 4> differingBySide(const QImage& a, const QImage& b) {
    std::array<int, 4> sides{};  // top, bottom, left, right
    if (a.size() != b.size()) return sides;
    const int w = a.width(), h = a.height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (a.pixel(x, y) == b.pixel(x, y)) continue;
            sides[0] += y < h / 4;
            sides[1] += y >= h - h / 4;
            sides[2] += x < w / 4;
            sides[3] += x >= w - w / 4;
        }
    return sides;
}

}  // namespace

TEST_F(QtShell9x, EachTextTakesTheLinesItWasWrittenIn) {
    waitForPlatformTest();
    for (const contract::TextLines& r : contract::textLines(*Form1)) {
        SCOPED_TRACE(r.box.name());
        if (r.label)
            QTest::mouseClick(widget(*r.label), Qt::LeftButton);
        else
            choose("Start1");
        auto* box = widgetAs<QTextEdit>(r.box);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(waitFor([&] { return box->isVisible(); }));
        EXPECT_EQ(box->viewport()->width(), r.box.width()) << "the text wraps at the box's own width";
        const Layout layout = layoutOf(*box);
        EXPECT_EQ(layout.lines, r.lines);
        // Room to spare on every line: a renderer whose widths round a
        // little otherwise breaks the lines in the same places.
        EXPECT_GE(layout.room, 8);
        EXPECT_LE(layout.lastBaseline, r.box.height()) << "every line shows within the box";
    }
}

TEST_F(QtShell9x, TheLaunchTextEndsJustAboveTheLineThatContinuesIt) {
    waitForPlatformTest();
    choose("Start1");
    auto* box = widgetAs<QTextEdit>(Form1->StartRehenerationRichEdit);
    ASSERT_TRUE(waitFor([&] { return box->isVisible(); }));
    const QTextBlock last = box->document()->lastBlock();
    EXPECT_TRUE(last.text().endsWith(QStringLiteral("to start"))) << last.text().toStdString();
    // No empty band between "to start" and "regeneration  and": the last
    // line's bottom lies within a few pixels above the labels' top.
    const int labelsTop = widget(Form1->Label1)->y();
    EXPECT_EQ(labelsTop, widget(Form1->Label2)->y());
    const qreal bottom = box->y() + layoutOf(*box).height;
    EXPECT_LE(bottom, labelsTop);
    EXPECT_GE(bottom, labelsTop - 4);
}

TEST_F(QtShell, TheFeedbackPanelsBorderIsOneLineOnEachSide) {
    choose("Feedback1");
    ASSERT_TRUE(shown(*FeedbackForm));
    QWidget* panel = widget(FeedbackForm->Panel);
    const QImage image = panel->grab().toImage();
    const QColor form = window(*FeedbackForm).client()->palette().color(QPalette::Window);
    const int w = image.width(), h = image.height();
    // Each side: its outermost line, and the line just inside it.
    const struct {
        const char* side;
        QPoint from, step, inward;
        int length;
    } sides[] = {
        {"top", {0, 0}, {1, 0}, {0, 1}, w},
        {"bottom", {0, h - 1}, {1, 0}, {0, -1}, w},
        {"left", {0, 0}, {0, 1}, {1, 0}, h},
        {"right", {w - 1, 0}, {0, 1}, {-1, 0}, h},
    };
    for (const auto& s : sides) {
        SCOPED_TRACE(s.side);
        int onLine = 0, inside = 0;
        // The corners are the other sides' business.
        for (int i = 2; i < s.length - 2; ++i) {
            const QPoint p = s.from + s.step * i;
            onLine += image.pixelColor(p) != form;
            inside += image.pixelColor(p + s.inward) != form;
        }
        const int counted = s.length - 4;
        EXPECT_EQ(onLine, counted) << "the border runs the whole side";
        EXPECT_LT(inside, counted / 4) << "a single line, not a bevel";
    }
}

// A focus the program sets is no keyboard focus change to Qt's styles, which
// would then leave it undrawn: a focused button must look different from
// itself without the focus.
TEST_F(QtShell, TheButtonTheFormFocusesIsDrawnFocused) {
    waitForPlatformTest();
    const auto click = [this](forms::Control& c) { QTest::mouseClick(widget(c), Qt::LeftButton); };
    const struct {
        const char* state;
        forms::Form* form;
        std::function<void()> reach;
        forms::Control& focused;
    } rows[] = {
        {"information", Form2, [&] { choose("CreateDiskette2"); }, Form2->FirstInformationButton},
        {"confirmation", Form2, [&] { click(Form2->FirstInformationButton); }, Form2->CancelCreateDisketteButton},
        {"created", Form2, [&] { click(Form2->ContinueCreateDisketteButton); }, Form2->DisketteCreatedButton},
        {"write error", Form2,
         [&] {
             // Opened again while it shows, the dialog starts over.
             kernel.disketteInserted = false;
             choose("CreateDiskette2");
             click(Form2->FirstInformationButton);
             click(Form2->ContinueCreateDisketteButton);
         },
         Form2->WriteErrorButton},
        {"about", About, [&] { choose("About1"); }, About->BitBtn1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.state);
        r.reach();
        qtui::FormWindow& w = window(*r.form);
        ASSERT_TRUE(shown(*r.form));
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QWidget* button = widget(r.focused);
        ASSERT_TRUE(waitFor([&] { return button->hasFocus(); }));
        const QImage focused = button->grab().toImage();
        button->clearFocus();
        const QImage plain = button->grab().toImage();
        for (int changed : differingBySide(focused, plain))
            EXPECT_GE(changed, 4) << "a focus frame goes round the button";
        button->setFocus(Qt::OtherFocusReason);
    }
}

TEST_F(QtShell, StatusBarPanesEndAtTheirWidthsAndNothingStretches) {
    auto* bar = dynamic_cast<qtui::StatusBarWidget*>(widget(Form1->StatusBar1));
    ASSERT_NE(bar, nullptr);
    const auto& panes = bar->panes();
    ASSERT_EQ(panes.size(), 2u);
    // Right edges at 330 and 330 + 50; each further pane begins after the
    // gap a status bar keeps between panes.
    const struct { int left, right; } expected[] = {{0, 330}, {332, 380}};
    for (std::size_t i = 0; i < panes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(panes[i]->x(), expected[i].left);
        EXPECT_EQ(panes[i]->x() + panes[i]->width(), expected[i].right);
    }
    // Past the last pane the bar is empty: its background, no frame.
    const QImage image = bar->grab().toImage();
    const QColor background = bar->palette().color(QPalette::Window);
    for (int x = 381; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y) ASSERT_EQ(image.pixelColor(x, y), background) << x << "," << y;
}

TEST_F(QtShell9x, MenuItemsCarryTheModelsLettersAndAltWithTheLetterChooses) {
    waitForPlatformTest();
    const struct {
        const char* item;
        const char* text;
    } rows[] = {
        {"StartRegeneration1", "&Regeneration"},
        {"Start1", "&Start Regeneration"},
        {"CreateDiskette2", "&Create Diskette"},
        {"Feedback1", "&Feedback"},
        {"About1", "&About"},
        {"Exit1", "&Exit"},
    };
    for (const auto& r : rows) {
        QAction* a = menuAction(r.item);
        ASSERT_NE(a, nullptr) << r.item;
        EXPECT_EQ(a->text(), QString::fromLatin1(r.text)) << r.item;
    }

    qtui::FormWindow& w = window(*Form1);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QMenu* regeneration = menuAction("StartRegeneration1")->menu();
    QTest::keyClick(&w, Qt::Key_R, Qt::AltModifier);
    ASSERT_TRUE(waitFor([&] { return regeneration->isVisible(); }));
    QTest::keyClick(regeneration, Qt::Key_C);
    EXPECT_TRUE(waitFor([&] { return window(*Form2).isVisible(); })) << "Alt+R, C: Create Diskette";
}
