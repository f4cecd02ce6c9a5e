// The main window and its radio: the model the radio names, the face that shows the radio's
// state, and a radio whose device goes away and comes back.
#include "tests/client/MainFormRig.h"

#include "client/widgets/SettingsDlg.h"
#include "client/widgets/SettingsPages.h"
#include "controls/widgets/RCPanel.h"
#include "controls/widgets/RCTrackBar.h"
#include "panel/widgets/FTPanelFrequency.h"
#include "panel/widgets/FTTransceiverPanel.h"
#include "panel/widgets/FTTransceiverPanel5000.h"
#include "panel/widgets/FTTransceiverPanel950.h"
#include "panel/widgets/PanelParts.h"
#include "platform/SerialPort.h"

#include <QFile>
#include <QPushButton>
#include <QTimer>

using namespace clienttest;

namespace {

class MainFormRadio : public MainFormRig {
protected:
    TFTTransceiverPanelBase* Face() const { return Form->FTTransceiverPanel->FTPanel(); }
    TFTTransceiverPanel5000* Face5000() const { return qobject_cast<TFTTransceiverPanel5000*>(Face()); }
    // The face's readouts show the radio: both VFOs, the power and, on the FT DX 5000, the CAT lamp.
    bool FaceShows(int hzA, int hzB, int power) const
    {
        const TFTTransceiverPanelBase* face = Face();
        const TFTTransceiverPanel5000* ft5000 = Face5000();
        return face && face->PanelFrequencyA->Frequency() == hzA && face->PanelFrequencyB->Frequency() == hzB
               && face->PowerControlBar->Position() == power && face->PowerSwitchButton->Down()
               && (!ft5000 || ft5000->CATButton->Down());
    }
};

// A user's first start: only the radio's port is set.  The radio names its model; its face
// comes up showing what the radio shows.
TEST_F(MainFormRadio, EmptySettingsShowTheRadiosOwnFaceAndState)
{
    UseRadio(FTDX5000);
    {
        TIniStore ini(TDMApplication::SettingsFileName());
        ini.WriteString("Client\\RadioCOMPort", "Port", Radio->portName());
        ASSERT_TRUE(ini.UpdateFile());
    }
    Create();
    Show();
    ASSERT_TRUE(vxtest::runUntil([&] { return Face5000() != nullptr; }, 5000));
    EXPECT_TRUE(Cat()->TransceiverAutoDetect());
    EXPECT_TRUE(vxtest::runUntil([&] { return FaceShows(14074000, 7030000, 255); }, 1000));
    EXPECT_TRUE(Form->windowTitle().contains("YAESU FT DX 5000"));
}

// Choosing "automatic detect" in the settings asks the radio at once.
TEST_F(MainFormRadio, AutomaticDetectChosenInTheSettingsFollowsTheRadioAtOnce)
{
    UseRadio(FT950);
    Store(isLocal, FT2000);
    CreateAndStart();
    ASSERT_TRUE(vxtest::runUntil([&] { return Cat()->Identification() == "0310"; }, 5000));
    ASSERT_EQ(Cat()->Transceiver(), FT2000);
    Form->SettingsDlg = [&] { return Form->ProgramSettingsDlg(); };
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<TSettingsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = true;
        dlg->FrameUserInterface->TransceiverRadioGroup->SetItemIndex(0);
        dlg->OKButton->click();
    });
    Form->SettingsAction->trigger();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(vxtest::runUntil([&] { return qobject_cast<TFTTransceiverPanel950*>(Face()) != nullptr; }, 1000));
}

// The radio's device goes away while in use and comes back under the stored name, here a link
// as a udev rule makes one: the window shows the radio gone, then polls it again by itself.
TEST_F(MainFormRadio, ARadioThatWentAwayIsTakenBackUnderItsName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath("ttyRadio");
    UseRadio(FTDX5000);
    ASSERT_TRUE(QFile::link(Radio->portName(), name));
    Store(isLocal, FTDX5000, [&](TIniStore& ini) { ini.WriteString("Client\\RadioCOMPort", "Port", name); });
    CreateAndStart();
    ASSERT_TRUE(vxtest::runUntil([&] { return FaceShows(14074000, 7030000, 255); }, 5000));

    Radio.reset();
    QFile::remove(name);
    ASSERT_TRUE(vxtest::waitUntil([&] { return !Modules->Radio()->RadioComPort()->connected(); }));
    vxtest::run(5000);
    EXPECT_EQ(Cat()->ComState(), csOffline);
    EXPECT_FALSE(Face5000()->CATButton->Down());
    EXPECT_FALSE(Face()->PowerSwitchButton->Down());

    UseRadio(FTDX5000);
    Radio->setFrequency(vfoA, 21074000);
    Radio->setFrequency(vfoB, 21080000);
    ASSERT_TRUE(QFile::link(Radio->portName(), name));
    EXPECT_TRUE(vxtest::runUntil([&] { return FaceShows(21074000, 21080000, 255); }, 4000));
}

} // namespace
