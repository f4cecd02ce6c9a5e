// The two-half button, the receive and transmit lamps, the memory channel panel and the
// keyer memory dialog; one offscreen render of them with the band map's small controls.
#include "PanelTestUtils.h"
#include "controls/widgets/ArtRegistry.h"
#include "controls/widgets/BandmapControls.h"
#include "core/cat/FTCATInterface.h"
#include "core/RCUtils.h"
#include "core/cat/MemoryChannel.h"
#include "panel/widgets/FTxSetCWMemoryDlg.h"
#include "panel/widgets/SmallControls.h"
#include "tests/support/WidgetInput.h"

#include <QLineEdit>
#include <cmath>
#include <QPainter>
#include <QPushButton>
#include <gtest/gtest.h>

using vx::Clock;

namespace {

class SmallControls : public ::testing::Test {
protected:
    void SetUp() override { Clock::useManual(); }
    void TearDown() override { Clock::useSystem(); }
};

// Whether a picture holds a strongly green or red pixel (a lit lamp).
bool Glows(const QImage& img)
{
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c(img.pixel(x, y));
            if ((c.green() > 200 && c.red() < 140) || (c.red() > 200 && c.green() < 110))
                return true;
        }
    return false;
}

} // namespace

TEST_F(SmallControls, TwoHalfButtonSplitsAtHalfItsHeight)
{
    const struct {
        int Height;
        int Y;
        bool Up;
    } rows[] = {{17, 7, true}, {17, 8, false}, {17, 16, false}, {17, 0, true}, {28, 13, true}, {28, 14, false}};
    for (const auto& r : rows) {
        TRCButton b;
        b.resize(29, r.Height);
        int up = 0, down = 0, clicks = 0;
        b.OnClickUp = [&] { ++up; };
        b.OnClickDown = [&] { ++down; };
        b.OnClick = [&] { ++clicks; };
        vxtest::MousePress(&b, {10, r.Y});
        vxtest::MouseRelease(&b, {10, r.Y});
        EXPECT_EQ(up, r.Up ? 1 : 0) << r.Height << " " << r.Y;
        EXPECT_EQ(down, r.Up ? 0 : 1) << r.Height << " " << r.Y;
        EXPECT_EQ(clicks, 1) << r.Height << " " << r.Y;
    }
    // Any button's release counts; a release off the button is no click.
    TRCButton b;
    b.resize(29, 17);
    int down = 0, clicks = 0;
    b.OnClickDown = [&] { ++down; };
    b.OnClick = [&] { ++clicks; };
    vxtest::MousePress(&b, {10, 4}, Qt::RightButton);
    vxtest::MouseRelease(&b, {10, 12}, Qt::RightButton);
    vxtest::MousePress(&b, {10, 4});
    vxtest::MouseRelease(&b, {10, 40});
    EXPECT_EQ(down, 2);
    EXPECT_EQ(clicks, 0);
}

TEST_F(SmallControls, TwoHalfButtonShowsTheFrameOfItsState)
{
    vx::art::Register("TEST_RC_STRIP", QSize(40, 10), [](QPainter& p, const QSize&) {
        const QColor frames[] = {Qt::red, Qt::gray, Qt::green, Qt::blue};
        for (int i = 0; i < 4; ++i)
            p.fillRect(i * 10, 0, 10, 10, frames[i]);
    }, 4);
    TRCButton b;
    b.resize(10, 10);
    b.SetGlyph("TEST_RC_STRIP");
    b.SetNumGlyphs(4);
    EXPECT_EQ(PixelName(RenderWidget(b), 5, 5), QColor(Qt::red).name());
    b.setDown(true);
    EXPECT_EQ(PixelName(RenderWidget(b), 5, 5), QColor(Qt::green).name());
    b.setDown(false);
    b.setEnabled(false);
    EXPECT_EQ(PixelName(RenderWidget(b), 5, 5), QColor(Qt::gray).name());
    b.SetNumGlyphs(1); // a one-frame glyph serves every state
    EXPECT_EQ(b.GlyphFrame(), 0);
}

TEST_F(SmallControls, LampPictureFollowsModelTypeAndState)
{
    TVFOABButton b;
    EXPECT_EQ(b.size(), QSize(34, 12));
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
    EXPECT_EQ(b.toolTip(), "RX off");
    b.SetTransceiver(FTDX5000);
    b.SetVFOButtonType(vfoBTX);
    b.SetVFOState(vfoOn);
    EXPECT_EQ(b.Picture(), "FT5K_TX_B_1");
    EXPECT_EQ(b.size(), QSize(20, 9));
    EXPECT_EQ(b.toolTip(), "TX on");
    EXPECT_EQ(b.TransceiverString(), "FT5K");
    b.SetTransceiver(FT950);
    EXPECT_EQ(b.Picture(), "FT950_TX_1");
    EXPECT_EQ(b.size(), QSize(34, 12));

    int clicks = 0;
    b.OnClick = [&] { ++clicks; };
    vxtest::Click(&b);
    EXPECT_EQ(clicks, 1);

    // Every lamp is drawn in code: unlit dark, lit glowing.
    RegisterPanelSmallControlArt();
    for (const QString& name : smallcontrols::AllLampPictureNames()) {
        ASSERT_TRUE(vx::art::Has(name)) << name.toStdString();
        EXPECT_EQ(Glows(vx::art::Pixmap(name).toImage()), name.endsWith("_1")) << name.toStdString();
    }
}

TEST_F(SmallControls, MutedLampBlinksEvery400ms)
{
    TVFOABButton b;
    b.SetVFOState(vfoMute);
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
    EXPECT_EQ(b.toolTip(), "RX mute");
    Clock::advance(399);
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
    Clock::advance(1);
    EXPECT_EQ(b.Picture(), "FT2000_RX_1");
    Clock::advance(400);
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
    Clock::advance(400);
    EXPECT_EQ(b.Picture(), "FT2000_RX_1");
    b.SetVFOState(vfoOff);
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
    EXPECT_FALSE(b.MuteTimer.isActive());
    Clock::advance(2000);
    EXPECT_EQ(b.Picture(), "FT2000_RX_0");
}

TEST_F(SmallControls, MemoryChannelPanelShowsTheChannel)
{
    TFTCATInterface cat;
    TMemoryChannelPanel panel;
    EXPECT_EQ(panel.size(), QSize(362, 101));
    EXPECT_EQ(panel.ChannelNoLabe1->text(), "Memory Channel:");
    EXPECT_EQ(panel.ChannelNoLabe1->pos(), QPoint(8, 8));
    EXPECT_EQ(panel.ModeLabel2->pos(), QPoint(122, 49));
    // The name stays clear of the value column.
    EXPECT_LT(panel.ChannelNoLabe1->x() + panel.ChannelNoLabe1->width(), panel.ChannelNoLabel2->x());

    cat.HandleCATCommand(QStringLiteral("MR01214074000+000000200000;"));
    panel.SetMemoryChannel(cat.MemoryChannel());
    EXPECT_EQ(panel.ChannelNoLabel2->text(), "12");
    EXPECT_EQ(panel.FrequencyLabel2->text(), "14.074.000");
    EXPECT_EQ(panel.ModeLabel2->text(), ModeToString(cat.MemoryChannel()->Mode()));
    EXPECT_FALSE(panel.ModeLabel2->text().isEmpty());

    cat.HandleCATCommand(QStringLiteral("MR00300000000+000000300000;"));
    panel.SetMemoryChannel(cat.MemoryChannel());
    EXPECT_EQ(panel.ChannelNoLabel2->text(), "3");
    EXPECT_EQ(panel.FrequencyLabel2->text(), "");
    EXPECT_EQ(panel.ModeLabel2->text(), ModeToString(mdCW));

    panel.SetMemoryChannel(nullptr); // nothing to show: the labels stay
    EXPECT_EQ(panel.ChannelNoLabel2->text(), "3");
}

TEST_F(SmallControls, KeyerMemoryDialogTakesUpperCaseUpToFiftyCharacters)
{
    TFTxSetCWMemoryDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), "Set CW Keyer Memory Channel");
    EXPECT_EQ(dlg.size(), QSize(458, 36));
    EXPECT_EQ(dlg.Edit1->geometry(), QRect(6, 8, 323, 21));
    EXPECT_EQ(dlg.OKButton->geometry(), QRect(335, 8, 57, 21));
    EXPECT_EQ(dlg.CancelButton->geometry(), QRect(397, 8, 57, 21));
    EXPECT_TRUE(dlg.OKButton->isDefault());

    for (QChar c : QStringLiteral("cq test"))
        vxtest::KeyPress(dlg.Edit1, c == ' ' ? Qt::Key_Space : Qt::Key_A + (c.unicode() - 'a'), QString(c));
    EXPECT_EQ(dlg.Edit1->text(), "CQ TEST");
    dlg.Edit1->clear();
    for (int i = 0; i < 51; ++i)
        vxtest::KeyPress(dlg.Edit1, Qt::Key_E, QStringLiteral("e"));
    EXPECT_EQ(dlg.Edit1->text(), QString(50, QLatin1Char('E')));

    dlg.show();
    vxtest::KeyPress(dlg.Edit1, Qt::Key_Escape);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    dlg.show();
    vxtest::Click(dlg.OKButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Edit1->text(), QString(50, QLatin1Char('E')));

    dlg.Edit1->setText(QStringLiteral("CQ CQ TEST DE DL1ABC DL1ABC TEST"));
    dlg.Edit1->deselect();
    const QImage img = RenderWidget(dlg);
    EXPECT_TRUE(SaveArtifact(img, "dialog-cwmemory.png"));
}

TEST_F(SmallControls, RendersLampsPanelButtonsAndScope)
{
    for (qreal ratio : {1.0, 2.0}) {
        QWidget sheet;
        sheet.resize(560, 210);
        sheet.setAutoFillBackground(true);
        QPalette pal = sheet.palette();
        pal.setColor(QPalette::Window, BGRColor(0x414141));
        sheet.setPalette(pal);

        // Lamps: one column per model, RX and TX of A and B, unlit and lit.
        int x = 10;
        for (TTransceiver model : {FT2000, FT950, FTDX5000}) {
            int y = 10;
            for (TVFOButtonType type : {vfoARX, vfoATX, vfoBRX, vfoBTX}) {
                for (TVFOState state : {vfoOff, vfoOn}) {
                    auto* lamp = new TVFOABButton(&sheet);
                    lamp->SetTransceiver(model);
                    lamp->SetVFOButtonType(type);
                    lamp->SetVFOState(state);
                    lamp->move(x + (state == vfoOn ? 40 : 0), y);
                }
                y += 18;
            }
            x += 90;
        }
        // Two-half buttons as the panel places them.
        const char* captions[] = {"", "AGC", "ATT", "IPO"};
        for (int i = 0; i < 4; ++i) {
            auto* b = new TRCButton(&sheet);
            b->setText(QString::fromLatin1(captions[i]));
            b->setGeometry(10 + i * 42, 90, i == 0 ? 29 : 38, 17);
            if (i == 2)
                b->setDown(true);
        }
        // The band map's small controls on their black strip.
        auto* black = new QWidget(&sheet);
        black->setGeometry(10, 120, 170, 80);
        black->setAutoFillBackground(true);
        QPalette bp = black->palette();
        bp.setColor(QPalette::Window, Qt::black);
        black->setPalette(bp);
        int ax = 6;
        for (TArrowType t : {atLeft, atUp, atRight, atDown}) {
            for (bool focused : {false, true}) {
                auto* a = new TArrowButton(black);
                a->SetArrowType(t);
                a->SetIsFocused(focused);
                a->move(ax, 6);
                ax += 18;
            }
        }
        auto* off = new TSplitButton(black);
        off->setGeometry(6, 28, 43, 19);
        off->SetCaption(QStringLiteral("SPLIT"));
        auto* on = new TSplitButton(black);
        on->setGeometry(55, 28, 43, 19);
        on->SetCaption(QStringLiteral("LOCK"));
        on->SetDown(true);
        auto* label = new TBandmapLabel(black);
        label->setGeometry(104, 30, 60, 16);
        label->SetAlignment(taRightJustify);
        label->SetCaption(QStringLiteral("[ VFO A ]"));
        auto* small = new TBandmapLabel(black);
        small->setGeometry(6, 56, 80, 16);
        small->SetFont(bandmap::TahomaFont(8));
        small->SetFontColor(bandmap::clDim);
        small->SetCaption(QStringLiteral("BW 15 kHz"));

        auto* scope = new TBandmapScope(&sheet);
        scope->setGeometry(190, 90, 32, 110);
        for (int row = 0; row < 110; ++row)
            scope->SetScanPoint(row, int(127 + 120 * std::sin(row / 7.0)) * ((row / 20) % 2 ? 1 : 0) + (row % 9 == 0 ? 60 : 0));

        TFTCATInterface cat;
        cat.HandleCATCommand(QStringLiteral("MR01214074000+000000200000;"));
        auto* mem = new TMemoryChannelPanel(&sheet);
        mem->move(232, 90);
        mem->resize(318, 101);
        mem->SetMemoryChannel(cat.MemoryChannel());

        QImage img(sheet.size() * ratio, QImage::Format_RGB32);
        img.setDevicePixelRatio(ratio);
        img.fill(Qt::magenta);
        sheet.render(&img);
        EXPECT_TRUE(SaveArtifact(img, ratio == 1.0 ? "control-smallcontrols.png" : "control-smallcontrols-2x.png"));
        for (int py = 0; py < img.height(); ++py)
            for (int px = 0; px < img.width(); ++px)
                ASSERT_NE(img.pixel(px, py), QColor(Qt::magenta).rgb()) << px << "," << py;
    }
}
