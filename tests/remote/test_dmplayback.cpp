// Radio message playback on the radio simulator: the keyer memories in CW with the local
// sidetone, the voice memories in the other modes, the channel names by mode type, and the
// settings.
#include "core/IniStore.h"
#include "core/KeyingLinks.h"
#include "core/cat/Keyer.h"
#include "remote/DMPlayback.h"
#include "tests/remote/RadioRig.h"

#include <QAction>

using vxtest::waitUntil;

namespace {

class RecordingSidetone : public TCWSidetoneLink {
public:
    void SetSpeed(uint8_t value) override { Calls << QStringLiteral("speed %1").arg(int(value)); }
    void Send(const QString& Text) override { Calls << QStringLiteral("send '%1'").arg(Text); }
    QStringList Calls;
};

class CWDouble : public TCWModuleLink {
public:
    void CWSendText(const QString&) override {}
    TWinKeyerLink* WinKey() override { return nullptr; }
    TCWSidetoneLink* CWSidetone() override { return &Tone; }
    bool UseSidetone() const override { return Sidetone; }
    bool Sidetone = true;
    RecordingSidetone Tone;
};

class PlaybackTest : public remotetest::RadioRig {
protected:
    void SetUp() override
    {
        RadioRig::SetUp();
        Playback = std::make_unique<TDMPlayback>();
        Playback->SetFTCATInterface(&Cat());
        Playback->SetCW(&CW);
    }
    void TearDown() override
    {
        Playback.reset();
        RadioRig::TearDown();
    }
    // The message commands the radio received, in order.
    QStringList Played() const
    {
        QStringList played;
        for (const QString& c : Radio.commands())
            if (c.startsWith("KY") || c.startsWith("PB"))
                played << c;
        return played;
    }
    bool RadioGot(int count) { return waitUntil([&] { return Played().size() >= count; }); }

    CWDouble CW;
    std::unique_ptr<TDMPlayback> Playback;
};

TEST_F(PlaybackTest, CWPlaysTheKeyerMemoryAndItsText)
{
    ASSERT_TRUE(ConnectRadio("MD03;KS025;KM1CQ TEST};KM2};KM5TU 5NN};"));
    ASSERT_EQ(Cat().ModeType(), mtCW);
    ASSERT_EQ(Cat().Keyer()->KeyerMemory1(), "CQ TEST}");
    struct Case {
        int channel;
        bool playbackSidetone;
        bool cwSidetone;
        QString command;
        QStringList heard;
    };
    const Case cases[] = {
        {1, true, true, "KY6", {"speed 25", "send 'CQ TEST'"}},
        {2, true, true, "KY7", {}}, // the memory holds only its end mark
        {5, true, true, "KYA", {"speed 25", "send 'TU 5NN'"}},
        {1, false, true, "KY6", {}}, // the playback's own switch is off
        {1, true, false, "KY6", {}}, // the CW sidetone is not in use
    };
    int sent = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        Playback->SetUseSidetone(c.playbackSidetone);
        CW.Sidetone = c.cwSidetone;
        CW.Tone.Calls.clear();
        Playback->PlaybackAction(c.channel)->trigger();
        ASSERT_TRUE(RadioGot(++sent));
        EXPECT_EQ(Played().last(), c.command);
        EXPECT_EQ(CW.Tone.Calls, c.heard);
    }
    EXPECT_EQ(Played().size(), sent);
}

TEST_F(PlaybackTest, OtherModesPlayTheVoiceMemories)
{
    ASSERT_TRUE(ConnectRadio("MD02;KM1CQ TEST};"));
    ASSERT_EQ(Cat().ModeType(), mtPhone);
    Playback->SetUseSidetone(true);
    Playback->Playback1Action->trigger();
    Playback->Playback5Action->trigger();
    ASSERT_TRUE(RadioGot(2));
    EXPECT_EQ(Played(), (QStringList{"PB01", "PB05"}));
    EXPECT_TRUE(CW.Tone.Calls.isEmpty());
    // A channel that does not exist plays nothing.
    Playback->Play(0);
    Playback->Play(6);
    Playback->Playback2Action->trigger();
    ASSERT_TRUE(RadioGot(3));
    EXPECT_EQ(Played(), (QStringList{"PB01", "PB05", "PB02"}));
}

TEST_F(PlaybackTest, ActionsAndTheirNamesByModeType)
{
    for (int n = 1; n <= 5; ++n) {
        SCOPED_TRACE(n);
        QAction* a = Playback->PlaybackAction(n);
        EXPECT_EQ(a->objectName(), QStringLiteral("Playback%1Action").arg(n));
        EXPECT_EQ(a->data().toInt(), n);
        EXPECT_EQ(a->shortcut(), QKeySequence(QStringLiteral("Ctrl+F%1").arg(n)));
        EXPECT_EQ(a->property("Category").toString(), "Playback");
        EXPECT_EQ(a->text(), QStringLiteral("Playback Channel %1").arg(n));
        EXPECT_EQ(a->toolTip(), QStringLiteral("Playback Channel %1").arg(n));
        Playback->SetPlaybackCaptionCW(n, QStringLiteral("CW %1").arg(n));
        Playback->SetPlaybackCaptionPhone(n, QStringLiteral("Voice %1").arg(n));
    }
    auto texts = [&] {
        QStringList t;
        for (QAction* a : Playback->Actions())
            t << a->text();
        return t;
    };
    ASSERT_TRUE(ConnectRadio("MD03;"));
    Playback->UpdatePlaybackActions();
    EXPECT_EQ(texts(), (QStringList{"CW 1", "CW 2", "CW 3", "CW 4", "CW 5"}));
    Radio.push("MD02;");
    ASSERT_TRUE(waitUntil([&] { return Cat().ModeType() == mtPhone; }));
    Playback->UpdatePlaybackActions();
    EXPECT_EQ(texts(), (QStringList{"Voice 1", "Voice 2", "Voice 3", "Voice 4", "Voice 5"}));
}

TEST_F(PlaybackTest, SettingsRoundTrip)
{
    Playback->SetUseSidetone(true);
    Playback->SetPlaybackCaptionCW(2, "CQ Contest");
    Playback->SetPlaybackCaptionPhone(5, "My call");
    // Indexes outside the channels read empty and write nothing.
    Playback->SetPlaybackCaptionCW(0, "zero");
    Playback->SetPlaybackCaptionPhone(6, "six");
    EXPECT_EQ(Playback->GetPlaybackCaptionCW(0), "");
    EXPECT_EQ(Playback->GetPlaybackCaptionPhone(6), "");
    Playback->IniWrite();
    App->Close();

    {
        TIniStore ini(TDMApplication::SettingsFileName());
        EXPECT_TRUE(ini.ReadBool("Client\\Playback", "UseSidetone", false));
        EXPECT_EQ(ini.ReadString("Client\\Playback\\CW", "Message2", ""), "CQ Contest");
        EXPECT_EQ(ini.ReadString("Client\\Playback\\CW", "Message1", ""), "Playback Channel 1");
        EXPECT_EQ(ini.ReadString("Client\\Playback\\Phone", "Message5", ""), "My call");
        EXPECT_EQ(ini.ReadSection("Client\\Playback\\CW").size(), 5);
    }

    TDMPlayback fresh;
    fresh.SetFTCATInterface(&Cat());
    fresh.IniRead();
    App->Close();
    EXPECT_TRUE(fresh.UseSidetone());
    EXPECT_EQ(fresh.GetPlaybackCaptionCW(2), "CQ Contest");
    EXPECT_EQ(fresh.GetPlaybackCaptionPhone(5), "My call");
    EXPECT_EQ(fresh.GetPlaybackCaptionPhone(1), "Playback Channel 1");
    // Reading ends with the names of the engine's mode type (CW before the radio spoke).
    EXPECT_EQ(fresh.Playback2Action->text(), "CQ Contest");
}

} // namespace
