// The track bar as a widget: geometry at the front panels' size, what it paints over its parent,
// and the operator's mouse, wheel and keys.
#include "ControlsTestUtils.h"
#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/ControlArt.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/RCTrackBar.h"

#include <QLabel>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

const QColor PanelGrey(65, 65, 65);
const QColor TickBlue(102, 153, 255);

using Span = std::pair<int, int>; // from, to (exclusive)

Span Across(const QRect& r)
{
    return {r.left(), r.left() + r.width()};
}

Span Along(const QRect& r)
{
    return {r.top(), r.top() + r.height()};
}

// A bar of the front panels' size on a plain panel of its own size.
struct Host {
    TRCPanel panel;
    TRCTrackBar* bar;
    explicit Host(QColor color = PanelGrey)
    {
        panel.SetColor(color);
        panel.SetBevelOuter(bvNone);
        panel.resize(22, 89);
        bar = new TRCTrackBar(&panel);
        bar->setGeometry(0, 0, 22, 89);
    }
};

bool Bluish(const QColor& c)
{
    return c.blue() > c.red() + 20 && c.blue() > c.green();
}

bool Greenish(const QColor& c)
{
    return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
}

bool Reddish(const QColor& c)
{
    return c.red() > c.green() + 40 && c.red() > c.blue() + 40;
}

bool Neutral(const QColor& c)
{
    return qAbs(c.red() - c.green()) < 6 && qAbs(c.green() - c.blue()) < 6;
}

} // namespace

TEST(TrackBar, StartValuesAndGeometryAtTheFrontPanelSize)
{
    TRCTrackBar bar;
    EXPECT_EQ(bar.size(), QSize(21, 89));
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 255);
    EXPECT_EQ(bar.PageSize(), 5);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.ColorStyle(), scsGray);
    EXPECT_EQ(bar.Thumb().Picture(), QStringLiteral("HTHUMB"));
    EXPECT_TRUE(bar.focusPolicy() & Qt::TabFocus);

    bar.resize(22, 89);
    EXPECT_EQ(Across(bar.ClientArea()), Span(3, 19));
    EXPECT_EQ(Along(bar.ClientArea()), Span(3, 86));
    EXPECT_EQ(Across(bar.LeftTickBand()), Span(3, 7));
    EXPECT_EQ(Across(bar.Groove()), Span(8, 14));
    EXPECT_EQ(Across(bar.RightTickBand()), Span(15, 19));
    EXPECT_EQ(Across(bar.ThumbRect()), Span(4, 18));
    EXPECT_EQ(Along(bar.ThumbRect()), Span(77, 86));
    bar.SetPosition(255);
    EXPECT_EQ(Along(bar.ThumbRect()), Span(3, 12));

    // The thumb of every colour style is a registered 14 x 9 picture.
    for (TColorStyle style : {scsRed, scsGreen, scsGray}) {
        bar.SetColorStyle(style);
        EXPECT_EQ(vx::art::Size(bar.Thumb().Picture()), QSize(14, 9)) << int(style);
    }
    EXPECT_EQ(vx::art::Size(bar.Thumb().PictureDisabled()), QSize(14, 9));
    EXPECT_EQ(bar.Thumb().Picture(), QStringLiteral("HTHUMB"));
    RegisterControlArt(); // again: nothing changes
    EXPECT_EQ(vx::art::Size(QStringLiteral("THUMB_RED")), QSize(14, 9));
}

TEST(TrackBar, TicksFallOnMultiplesOfTheStepCountedFromZero)
{
    struct Row {
        int min, max, step;
        std::vector<int> values;
    };
    const Row rows[] = {
        {5, 100, 25, {25, 50, 75, 100}},
        {-1000, 1000, 200, {-1000, -800, -600, -400, -200, 0, 200, 400, 600, 800, 1000}},
        {0, 31, 4, {0, 4, 8, 12, 16, 20, 24, 28}},
    };
    for (const Row& r : rows) {
        Host h(Qt::black);
        h.bar->SetMin(r.min);
        h.bar->SetMax(r.max);
        h.bar->SetPosition((r.min + r.max) / 2);
        h.bar->TickMark().SetShowImageAtSteps(r.step);
        const QImage img = Render(h.panel);
        // The bands run from y 7 to 82; a value's mark sits its share of 74 pixels above 82.
        std::vector<int> expected;
        for (int v : r.values)
            expected.push_back(82 - int(74.0 / (r.max - r.min) * (v - r.min)));
        std::vector<int> left, right;
        for (int y = img.height() - 1; y >= 0; --y) {
            if (Pixel(img, 3, y) == TickBlue)
                left.push_back(y);
            if (Pixel(img, 18, y) == TickBlue)
                right.push_back(y);
        }
        EXPECT_EQ(left, expected) << r.min << ".." << r.max;
        EXPECT_EQ(right, expected) << r.min << ".." << r.max;
    }
}

TEST(TrackBar, TheOwnerCanRedrawOrHideALeftTick)
{
    Host h(Qt::black);
    h.bar->SetPosition(128);
    std::vector<int> asked;
    h.bar->OnDrawTick = [&](QPainter&, const QPoint&, int position, TTickMark side, int& length, QColor& color,
                            QColor&, QString&, bool& defaultDraw) {
        asked.push_back(position);
        EXPECT_EQ(side, tmTopLeft);
        if (position == 0)
            defaultDraw = false;
        if (position == 100) {
            color = Qt::red;
            length = 2;
        }
    };
    const QImage img = Render(h.panel);
    EXPECT_EQ(asked.size(), 256u) << "every value is offered, marked or not";
    EXPECT_EQ(Pixel(img, 3, 82), QColor(Qt::black)) << "hidden at 0";
    EXPECT_EQ(Pixel(img, 18, 82), TickBlue) << "the right side keeps its mark";
    const int y100 = 82 - int(74.0 / 255 * 100);
    EXPECT_EQ(Pixel(img, 4, y100), QColor(Qt::red));
    EXPECT_EQ(Pixel(img, 5, y100), QColor(Qt::black)) << "two pixels long";
}

TEST(TrackBar, PaintsOverItsParentWithTheGrooveSplitAtTheThumb)
{
    struct Row {
        TColorStyle style;
        bool (*completed)(const QColor&);
    };
    for (const Row& r : {Row{scsRed, Reddish}, Row{scsGreen, Greenish}}) {
        Host h;
        h.bar->SetColorStyle(r.style);
        h.bar->SetPosition(128);
        const QImage img = Render(h.panel);
        const QRect thumb = h.bar->ThumbRect();
        EXPECT_EQ(Pixel(img, 1, 40), PanelGrey) << "transparent beside the track";
        EXPECT_EQ(Pixel(img, 20, 40), PanelGrey);
        EXPECT_EQ(Pixel(img, 8, 30), QColor(Qt::black)) << "groove border";
        EXPECT_TRUE(Bluish(Pixel(img, 11, 5))) << "upper part at the top";
        EXPECT_TRUE(r.completed(Pixel(img, 11, thumb.bottom() + 3))) << "completed part below the thumb";
        EXPECT_TRUE(r.completed(Pixel(img, 11, 83)));
        EXPECT_TRUE(r.completed(Pixel(img, 5, thumb.top() + 3))) << "thumb in the style's colour";
    }

    // Disabled with the default colours: no groove fill, a black border, the disabled thumb and
    // black ticks.
    Host h;
    h.bar->SetColorStyle(scsGreen);
    h.bar->SetPosition(128);
    h.bar->setEnabled(false);
    const QImage img = Render(h.panel);
    EXPECT_EQ(Pixel(img, 11, 10), PanelGrey);
    EXPECT_EQ(Pixel(img, 11, 83), PanelGrey);
    EXPECT_EQ(Pixel(img, 8, 30), QColor(Qt::black));
    EXPECT_EQ(Pixel(img, 3, 82), QColor(Qt::black)) << "tick at 0";
    EXPECT_TRUE(Neutral(Pixel(img, 5, h.bar->ThumbRect().top() + 3)));
}

TEST(TrackBar, KeysAndWheelMoveWithinTheRange)
{
    enum Kind { KeyPress, WheelTurn };
    struct Row {
        const char* name;
        Kind kind;
        int start;
        int input; // key or wheel delta
        Qt::KeyboardModifiers mods;
        int position;
        bool changed;
    };
    const Row rows[] = {
        {"Page Up", KeyPress, 100, Qt::Key_PageUp, Qt::NoModifier, 116, true},
        {"Page Down", KeyPress, 100, Qt::Key_PageDown, Qt::NoModifier, 84, true},
        {"Home is Max", KeyPress, 100, Qt::Key_Home, Qt::NoModifier, 255, true},
        {"End is Min", KeyPress, 100, Qt::Key_End, Qt::NoModifier, 0, true},
        {"Up", KeyPress, 100, Qt::Key_Up, Qt::NoModifier, 101, true},
        {"Right", KeyPress, 100, Qt::Key_Right, Qt::NoModifier, 101, true},
        {"Down", KeyPress, 100, Qt::Key_Down, Qt::NoModifier, 99, true},
        {"Left", KeyPress, 100, Qt::Key_Left, Qt::NoModifier, 99, true},
        {"Shift+Up", KeyPress, 100, Qt::Key_Up, Qt::ShiftModifier, 100, false},
        {"Shift+Page Up", KeyPress, 100, Qt::Key_PageUp, Qt::ShiftModifier, 100, false},
        {"Up at Max", KeyPress, 255, Qt::Key_Up, Qt::NoModifier, 255, false},
        {"Page Up at Max", KeyPress, 255, Qt::Key_PageUp, Qt::NoModifier, 255, false},
        {"Down at Min", KeyPress, 0, Qt::Key_Down, Qt::NoModifier, 0, false},
        {"Page Down near Min", KeyPress, 3, Qt::Key_PageDown, Qt::NoModifier, 0, true},
        {"wheel up", WheelTurn, 100, 120, Qt::NoModifier, 101, true},
        {"a fine wheel step is one step too", WheelTurn, 100, 15, Qt::NoModifier, 101, true},
        {"wheel down", WheelTurn, 100, -120, Qt::NoModifier, 99, true},
        {"wheel up at Max", WheelTurn, 255, 120, Qt::NoModifier, 255, false},
        {"wheel down at Min", WheelTurn, 0, -120, Qt::NoModifier, 0, false},
    };
    for (const Row& r : rows) {
        TRCTrackBar bar;
        bar.SetPageSize(16);
        bar.SetPosition(r.start);
        int changes = 0;
        bar.OnChange = [&] { ++changes; };
        if (r.kind == KeyPress)
            Key(bar, r.input, r.mods);
        else
            Wheel(bar, r.input);
        EXPECT_EQ(bar.Position(), r.position) << r.name;
        EXPECT_EQ(changes, r.changed ? 1 : 0) << r.name;
        EXPECT_FALSE(bar.Sliding()) << r.name;
    }
}

TEST(TrackBar, TypedCharactersReachOnKeyPress)
{
    TRCTrackBar bar;
    QString typed;
    bar.OnKeyPress = [&](QChar c) { typed += c; };
    Key(bar, Qt::Key_0, Qt::NoModifier, QStringLiteral("0"));
    Key(bar, Qt::Key_Up); // a navigation key is no character
    EXPECT_EQ(typed, QStringLiteral("0"));
}

TEST(TrackBar, ADragReportsTheOperatorAndHoldsBackRadioValuesUntilRelease)
{
    QWidget window;
    window.resize(60, 100);
    auto* bar = new TRCTrackBar(&window);
    bar->setGeometry(10, 5, 22, 89);
    bar->SetTrackHint(true);
    bar->OnGetTrackHint = [](int v, QString& hint) { hint = QStringLiteral("%1 W").arg(v); };
    int changes = 0;
    bar->OnChange = [&] { ++changes; };

    Mouse(*bar, QEvent::MouseButtonPress, bar->ThumbRect().center());
    ASSERT_TRUE(bar->Sliding());
    // Near the top: (79 + 3 - 40) / 79 of 255 is 135.6.
    Mouse(*bar, QEvent::MouseMove, QPoint(11, 40));
    EXPECT_EQ(bar->Position(), 136);
    EXPECT_EQ(changes, 1);

    // The value hint: a frameless tool-tip window that takes no focus.
    auto* hint = bar->findChild<TRCTrackHintWindow*>();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Text(), QStringLiteral("136 W"));
    EXPECT_EQ(hint->windowType(), Qt::ToolTip);
    EXPECT_TRUE(hint->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(hint->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_EQ(hint->focusPolicy(), Qt::NoFocus);

    // The radio reports while the thumb is held: the thumb stays under the hand ...
    bar->SetUpdatingPosition(true);
    bar->SetPosition(20);
    EXPECT_EQ(bar->Position(), 136);
    // ... and shows the report on release, without sending it back.
    Mouse(*bar, QEvent::MouseButtonRelease, QPoint(11, 40));
    EXPECT_FALSE(bar->Sliding());
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(hint->isVisible());

    // A report followed by a move of the operator: the operator's value stays and was reported.
    Mouse(*bar, QEvent::MouseButtonPress, bar->ThumbRect().center());
    bar->SetUpdatingPosition(true);
    bar->SetPosition(200);
    Mouse(*bar, QEvent::MouseMove, QPoint(11, 60));
    const int operatorValue = bar->Position();
    EXPECT_NE(operatorValue, 20);
    Mouse(*bar, QEvent::MouseButtonRelease, QPoint(11, 60));
    EXPECT_EQ(bar->Position(), operatorValue);
    EXPECT_EQ(changes, 2);

    // A bar disabled in the middle of a drag gets no release; it ends the hold itself.
    Mouse(*bar, QEvent::MouseButtonPress, bar->ThumbRect().center());
    bar->SetUpdatingPosition(true);
    bar->SetPosition(7);
    bar->setEnabled(false);
    EXPECT_FALSE(bar->Sliding());
    EXPECT_EQ(bar->Position(), 7);
}

TEST(TrackBar, AGrooveClickPagesTowardsThePointer)
{
    TRCTrackBar bar;
    bar.resize(22, 89);
    bar.SetPageSize(16);
    bar.SetPosition(100);
    int changes = 0;
    bar.OnChange = [&] { ++changes; };
    Mouse(bar, QEvent::MouseButtonPress, QPoint(11, 5));
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(11, 5));
    EXPECT_EQ(bar.Position(), 116);
    Mouse(bar, QEvent::MouseButtonPress, QPoint(11, 84));
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(11, 84));
    EXPECT_EQ(bar.Position(), 100);
    EXPECT_EQ(changes, 2);

    // At Max a click above the thumb asks for more than Max: nothing to report.
    bar.SetPosition(255);
    changes = 0;
    Mouse(bar, QEvent::MouseButtonPress, QPoint(18, 4));
    Mouse(bar, QEvent::MouseButtonRelease, QPoint(18, 4));
    EXPECT_EQ(bar.Position(), 255);
    EXPECT_EQ(changes, 0);
}

TEST(TrackBar, ABarWhoseMinEqualsMaxPaintsAndTakesInputQuietly)
{
    Host h;
    h.bar->SetMin(40);
    h.bar->SetMax(40);
    h.bar->TickMark().SetShowImageAtSteps(1);
    int changes = 0;
    h.bar->OnChange = [&] { ++changes; };
    const QImage img = Render(h.panel);
    EXPECT_EQ(Pixel(img, 1, 40), PanelGrey);
    EXPECT_EQ(Along(h.bar->ThumbRect()), Span(77, 86));
    for (QPoint at : {QPoint(18, 5), QPoint(18, 84), h.bar->ThumbRect().center()}) {
        Mouse(*h.bar, QEvent::MouseButtonPress, at);
        Mouse(*h.bar, QEvent::MouseMove, QPoint(11, 10));
        Mouse(*h.bar, QEvent::MouseButtonRelease, QPoint(11, 10));
    }
    Wheel(*h.bar, 120);
    Wheel(*h.bar, -120);
    for (int key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down})
        Key(*h.bar, key);
    EXPECT_EQ(h.bar->Position(), 40);
    EXPECT_EQ(changes, 0);
}

TEST(TrackBar, FocusRaisesEnterAndExitAndDrawsTheDottedFrame)
{
    QWidget window;
    window.resize(80, 100);
    auto* first = new TRCTrackBar(&window);
    first->setGeometry(0, 0, 22, 89);
    auto* second = new TRCTrackBar(&window);
    second->setGeometry(30, 0, 22, 89);
    QStringList events;
    first->OnEnter = [&] { events << "enter"; };
    first->OnExit = [&] { events << "exit"; };
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    ASSERT_TRUE(first->hasFocus());
    const QImage focused = Render(*first);
    EXPECT_EQ(Pixel(focused, 0, 0), QColor(255, 255, 176));
    EXPECT_NE(Pixel(focused, 1, 0), QColor(255, 255, 176)) << "every other pixel";
    EXPECT_EQ(Pixel(focused, 20, 0), QColor(255, 255, 176));
    second->setFocus();
    EXPECT_EQ(events, QStringList({"enter", "exit"}));
    EXPECT_NE(Pixel(Render(*first), 0, 0), QColor(255, 255, 176));
}

TEST(TrackBar, SavesTheBarsOnThePanelGrey)
{
    TRCPanel panel;
    panel.SetBevelOuter(bvNone);
    panel.resize(460, 180);
    struct Bar {
        const char* legend;
        TColorStyle style;
        int min, max, position, steps;
        bool enabled;
    };
    const Bar bars[] = {
        {"PWR", scsRed, 0, 255, 180, 25, true},    {"MIC", scsRed, 0, 255, 60, 25, true},
        {"PROC", scsRed, 0, 255, 0, 25, false},    {"DELAY", scsRed, 0, 255, 20, 50, true},
        {"SPEED", scsRed, 4, 60, 25, 6, true},     {"NB", scsGreen, 0, 255, 0, 25, false},
        {"RF", scsGreen, 0, 255, 255, 25, true},   {"AF", scsGreen, 0, 255, 128, 25, true},
        {"WIDTH", scsGreen, 0, 31, 16, 4, true},   {"SHIFT", scsGreen, -1000, 1000, 0, 200, true},
        {"NOTCH", scsGreen, 0, 255, 150, 50, false}, {"GREY", scsGray, 0, 255, 100, 25, true},
    };
    std::vector<TRCTrackBar*> made;
    QFont legendFont(QStringLiteral("DejaVu Sans"));
    legendFont.setPixelSize(8);
    int x = 8;
    for (const Bar& b : bars) {
        auto* bar = new TRCTrackBar(&panel);
        bar->setGeometry(x, 20, 22, 89);
        bar->SetColorStyle(b.style);
        bar->SetMin(b.min);
        bar->SetMax(b.max);
        bar->SetPosition(b.position);
        bar->TickMark().SetShowImageAtSteps(b.steps);
        bar->setEnabled(b.enabled);
        made.push_back(bar);
        auto* legend = new QLabel(QString::fromLatin1(b.legend), &panel);
        legend->setFont(legendFont);
        legend->setStyleSheet(QStringLiteral("color: #b1b1b1"));
        legend->setAlignment(Qt::AlignCenter);
        legend->setGeometry(x - 5, 112, 32, 12);
        x += 32;
    }
    // The CW panel's speed bar: taller, with numbers.
    auto* speed = new TRCTrackBar(&panel);
    speed->setGeometry(x + 8, 12, 45, 154);
    speed->SetColorStyle(scsRed);
    speed->SetMin(10);
    speed->SetMax(40);
    speed->SetPageSize(2);
    speed->SetPosition(25);
    speed->TickMark().SetShowImageAtSteps(5);
    speed->TickMark().SetShowText(true);
    speed->TickMark().SetSize(6);
    QFont tickFont = speed->TickMark().Font();
    tickFont.setPixelSize(9);
    speed->TickMark().SetFont(tickFont);

    panel.show();
    QApplication::setActiveWindow(&panel);
    made[0]->setFocus();
    ASSERT_TRUE(made[0]->hasFocus());

    const QImage img = Render(panel);
    EXPECT_TRUE(SaveArtifact(img, QStringLiteral("control-trackbar.png")));
    EXPECT_EQ(Pixel(img, 3, 3), PanelGrey);
    EXPECT_EQ(Pixel(img, 8, 20), QColor(255, 255, 176)) << "the focused bar";
    const QImage twice = Render(panel, 2.0);
    EXPECT_EQ(twice.size(), panel.size() * 2);
    EXPECT_TRUE(SaveArtifact(twice, QStringLiteral("control-trackbar@2x.png")));
}
