// The transceiver panel host: the prompt, the face per model and its replacement, the engine,
// views and actions it hands on, and the six keyboard actions.
#include "PanelBaseFixture.h"
#include "core/cat/TX.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "panel/widgets/FTTransceiverPanel5000.h"
#include "panel/widgets/FTxSubdisplay.h"
#include "panel/widgets/PanelParts.h"
#include "panel/widgets/SmallControls.h"
#include "panel/widgets/TuningPanel3.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTabWidget>

using vxtest::Click;

namespace {

class PanelHost : public CATFixture {
protected:
    void SetUp() override
    {
        CATFixture::SetUp();
        // Every open of the engine tries its port, whose empty name is reported.
        cat->SetCOMPort(&port);
        cat->SetUsingCOMPort(true);
        cat->OnComPortState = [this](TCOMPortState) { ++opens; };
    }
    void TearDown() override
    {
        host.reset();
        CATFixture::TearDown();
    }

    // The host on the first page of a two-page control, the cluster page showing.
    void OnPages()
    {
        pages = std::make_unique<QTabWidget>();
        auto* sheet = new QWidget;
        host = std::make_unique<TFTTransceiverPanel>(sheet);
        pages->addTab(sheet, QStringLiteral("Transceiver"));
        cluster = new QLabel(QStringLiteral("cluster"));
        pages->addTab(cluster, QStringLiteral("DX Cluster"));
        host->SetPageControl(pages.get());
        host->SetTabSheetTransceiver(sheet);
        pages->resize(1200, 560);
        pages->show();
        pages->setCurrentWidget(cluster);
    }

    vx::SerialPort port;
    int opens = 0;
    std::unique_ptr<QTabWidget> pages;
    QWidget* cluster = nullptr;
    std::unique_ptr<TFTTransceiverPanel> host;
};

} // namespace

TEST_F(PanelHost, AFreshHostPromptsForATransceiver)
{
    TFTTransceiverPanel h;
    EXPECT_EQ(h.size(), QSize(1019, 454));
    EXPECT_EQ(h.FTPanel(), nullptr);
    EXPECT_EQ(h.Transceiver(), FT2000);
    EXPECT_EQ(h.focusPolicy(), Qt::NoFocus);
    const QImage img = RenderWidget(h);
    EXPECT_EQ(PixelName(img, 5, 5), "#414141");
    // The prompt is written in the light grey, in the middle.
    int prompt = 0;
    QRect ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == QColor(177, 177, 177).rgb()) {
                ++prompt;
                ink |= QRect(x, y, 1, 1);
            }
    EXPECT_GT(prompt, 50);
    EXPECT_NEAR(ink.center().x(), 509, 3);
    EXPECT_NEAR(ink.center().y(), 227, 3);
    EXPECT_LE(ink.height(), 18);
}

TEST_F(PanelHost, BuildsOneFacePerModelAndReplacesItOnAChange)
{
    host = std::make_unique<TFTTransceiverPanel>();
    host->SetTransceiver(FT2000);
    QPointer<TFTTransceiverPanelBase> first = host->FTPanel();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->parent(), host.get());
    EXPECT_EQ(first->Owner(), host.get());
    EXPECT_TRUE(first->WindowCreated());
    EXPECT_EQ(host->size(), QSize(1019, 454));

    // The FT-2000 models share one face; the same model again changes nothing.
    host->SetTransceiver(FT2000D);
    EXPECT_EQ(host->FTPanel(), first.data());
    EXPECT_EQ(host->Transceiver(), FT2000D);
    host->SetTransceiver(FT2000D);
    host->SetTransceiver(FT2000);
    EXPECT_EQ(host->FTPanel(), first.data());

    host->SetTransceiver(FTDX5000);
    EXPECT_TRUE(first.isNull());
    auto* face = qobject_cast<TFTTransceiverPanel5000*>(host->FTPanel());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(host->size(), QSize(1148, 483));
    EXPECT_EQ(face->pos(), QPoint(0, 0));
    // Only the new face's controls remain.
    EXPECT_EQ(host->findChildren<TFTTransceiverPanelBase*>().size(), 1);

    host->SetTransceiver(FT950);
    EXPECT_EQ(host->size(), QSize(1019, 454));
    QPointer<TFTTransceiverPanelBase> ft950 = host->FTPanel();
    host->SetTransceiver(FT950);
    EXPECT_EQ(host->FTPanel(), ft950.data());
    EXPECT_EQ(opens, 0); // never without an engine
}

TEST_F(PanelHost, OpensTheEngineOncePerNewFaceAndBindsItThere)
{
    host = std::make_unique<TFTTransceiverPanel>();
    // Assigning the engine binds it to the face without opening anything.
    host->SetTransceiver(FT2000D);
    host->SetFTCATInterface(cat.get());
    EXPECT_EQ(opens, 0);
    EXPECT_EQ(host->FTPanel()->FTCATInterface(), cat.get());

    host->SetTransceiver(FT2000);
    EXPECT_EQ(opens, 0);
    cat->PrepareRX();
    cat->SetPowerSwitch(true);
    host->SetTransceiver(FTDX5000);
    EXPECT_EQ(opens, 1);
    // The open resets the power state; the new face now hears the engine.
    EXPECT_FALSE(cat->PowerSwitch());
    auto* face = qobject_cast<TFTTransceiverPanel5000*>(host->FTPanel());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->FTCATInterface(), cat.get());
    EXPECT_EQ(face->SubDisplayA->FTCATInterface(), cat.get());
    cat->HandleCATCommand(QStringLiteral("PC050;"));
    EXPECT_EQ(face->PowerControlBar->Position(), 50);

    host->SetTransceiver(FT950);
    EXPECT_EQ(opens, 2);
    // The clarifier range is applied from the engine to the new face.
    EXPECT_EQ(host->FTPanel()->ClarifierBar->Max(), cat->ClarifierRange());
}

// The engine reports changes only: a face built after the radio spoke must still show it, and
// the new model's poll asks for what the old one's left out.
TEST_F(PanelHost, ANewFaceStartsFromTheEnginesStateAndThePollRunsInFull)
{
    const struct {
        TTransceiver from, to;
    } cases[] = {{FT2000, FTDX5000}, {FTDX5000, FT950}, {FT950, FT2000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.to));
        host.reset();
        fresh();
        cat->SetCOMPort(&port);
        cat->SetUsingCOMPort(true);
        host = std::make_unique<TFTTransceiverPanel>();
        host->SetTransceiver(c.from);
        host->SetFTCATInterface(cat.get());
        cat->HandleCATCommand("PS1;FA14074000;FB14080000;PC100;MD02;");
        cat->SetTransceiver(c.to);
        cat->RequestTimer()->stop();
        sent.clear();

        host->SetTransceiver(c.to);
        TFTTransceiverPanelBase* face = host->FTPanel();
        EXPECT_EQ(face->PanelFrequencyA->Frequency(), 14074000);
        EXPECT_EQ(face->PowerControlBar->Position(), 100);
        EXPECT_EQ(face->PowerControlLabel->text(), QString("%1W").arg(cat->TX()->PowerControlWatt()));
        EXPECT_TRUE(face->PowerSwitchButton->Down());
        if (c.to != FT950) {
            EXPECT_EQ(face->PanelFrequencyB->Frequency(), 14080000);
        }
        if (auto* ft5000 = qobject_cast<TFTTransceiverPanel5000*>(face)) {
            EXPECT_TRUE(ft5000->CATButton->Down());
        }

        // Showing the state sends nothing; the new model's poll follows.
        EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
        vx::Clock::advance(50);
        EXPECT_EQ(sent, QStringList{TFTCATInterface::PollLine(c.to, 1) + ";"});
    }
}

TEST_F(PanelHost, ViewsReachTheFaceWhenSetBeforeOrAfterItIsBuilt)
{
    RecordingBandmap map;
    RecordingLogPanel log;
    TDXSpots spots;
    host = std::make_unique<TFTTransceiverPanel>();
    host->SetBandmap(&map);
    host->SetTransceiver(FT2000);
    EXPECT_EQ(host->FTPanel()->Bandmap(), &map);
    EXPECT_TRUE(map.OnFrequencyRequest);

    // The owner sets the spot engine and the entry panel after the first face exists.
    host->SetDXSpots(&spots);
    host->SetLogPanel(&log);
    EXPECT_EQ(host->FTPanel()->TuningPanelB->DXSpots(), &spots);
    EXPECT_EQ(host->FTPanel()->LogPanel(), &log);

    host->SetTransceiver(FTDX5000);
    EXPECT_EQ(host->FTPanel()->TuningPanelB->DXSpots(), &spots);
    EXPECT_EQ(host->FTPanel()->Bandmap(), &map);
    EXPECT_EQ(host->FTPanel()->LogPanel(), &log);
}

TEST_F(PanelHost, AViewThatHasGoneIsNotHandedToTheNextFace)
{
    host = std::make_unique<TFTTransceiverPanel>();
    {
        RecordingBandmap map;
        host->SetBandmap(&map);
        host->SetTransceiver(FT2000);
    }
    EXPECT_EQ(host->Bandmap(), nullptr);
    host->SetTransceiver(FTDX5000);
    EXPECT_EQ(host->FTPanel()->Bandmap(), nullptr);
}

TEST_F(PanelHost, ActionsShowTheTransceiverTabAndFocusTheirControl)
{
    OnPages();
    QAction clarifier, width, shift, mic, power, vfoB;
    host->ActionClarifier = &clarifier;
    host->ActionFilterWidth = &width;
    host->ActionIFShift = &shift;
    host->ActionMicGain = &mic;
    host->ActionPowerControl = &power;
    host->ActionVFOB = &vfoB;
    for (QAction* a : {&clarifier, &width, &shift, &mic, &power, &vfoB})
        a->setEnabled(false);
    host->SetFTCATInterface(cat.get());
    host->SetTransceiver(FTDX5000);
    // Built twice: each action still runs its handler once.
    host->SetTransceiver(FT2000);
    host->SetTransceiver(FTDX5000);
    TFTTransceiverPanelBase* face = host->FTPanel();
    pages->activateWindow();

    const struct {
        QAction* Action;
        QWidget* Control;
    } rows[] = {
        {&power, face->PowerControlBar}, {&clarifier, face->ClarifierBar}, {&width, face->FilterWidthABar},
        {&shift, face->IFShiftABar},     {&mic, face->MicGainBar},         {&vfoB, face->TuningPanelB},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Action == &vfoB ? "VFO B" : "slider");
        pages->setCurrentWidget(cluster);
        EXPECT_TRUE(r.Action->isEnabled());
        r.Action->trigger();
        EXPECT_EQ(pages->currentWidget(), host->TabSheetTransceiver());
        EXPECT_EQ(pages->window()->focusWidget(), r.Control);
    }

    // In memory channel mode the strip is hidden: the tab still switches, the focus stays.
    power.trigger();
    cat->PrepareRX();
    cat->SetSubDialFunction(sdfMCH);
    ASSERT_FALSE(face->TuningPanelB->isVisibleTo(face));
    pages->setCurrentWidget(cluster);
    vfoB.trigger();
    EXPECT_EQ(pages->currentWidget(), host->TabSheetTransceiver());
    EXPECT_EQ(pages->window()->focusWidget(), face->PowerControlBar);
}

TEST_F(PanelHost, ActionsDoNothingWithoutAFaceOrATabToShow)
{
    host = std::make_unique<TFTTransceiverPanel>();
    EXPECT_FALSE(host->ActivateTransceiverTab());
    QAction power;
    power.setEnabled(false);
    host->ActionPowerControl = &power;
    host->SetTransceiver(FTDX5000);
    EXPECT_TRUE(power.isEnabled());
    // No page control: nothing to show, nothing focused.
    EXPECT_FALSE(host->ActivateTransceiverTab());
    power.trigger();
    EXPECT_EQ(host->FTPanel()->focusWidget(), nullptr);
}

TEST_F(PanelHost, TheFacesMenuKeyRaisesTheHostsEvent)
{
    host = std::make_unique<TFTTransceiverPanel>();
    host->SetTransceiver(FTDX5000);
    Click(host->FTPanel()->MenuButton); // unassigned: nothing happens
    QList<QObject*> senders;
    host->OnMenuButton = [&senders](QObject* s) { senders << s; };
    Click(host->FTPanel()->MenuButton);
    EXPECT_EQ(senders, QList<QObject*>{static_cast<QObject*>(host->FTPanel()->MenuButton)});
}
