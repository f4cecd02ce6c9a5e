#include "core/cat/Keyer.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/Presets.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "tests/core/CATFixture.h"

namespace {

class KeyerTest : public CATFixture {
protected:
    void fresh() override
    {
        CATFixture::fresh();
        events.clear();
        cat->OnKeyer = [this](bool v) { events << QStringLiteral("Keyer %1").arg(v); };
        cat->OnKeyerMemory = [this](uint8_t n, const QString& t) { events << QStringLiteral("Memory %1 %2").arg(n).arg(t); };
        cat->OnKeyPitch = [this](int32_t v) { events << QStringLiteral("KeyPitch %1").arg(v); };
        cat->OnKeySpeed = [this](int32_t v) { events << QStringLiteral("KeySpeed %1").arg(v); };
        cat->OnContour = [this](uint8_t vfo, TContour c) { events << QStringLiteral("Contour %1 %2").arg(vfo).arg(c); };
        cat->OnMemoryChannel = [this](TMemoryChannel* m) {
            EXPECT_EQ(m, cat->MemoryChannel());
            events << QStringLiteral("MemoryChannel %1").arg(m->ChannelNo());
        };
        cat->OnMemoryChannel2 = [this](TMemoryChannel* m) { events << QStringLiteral("MemoryChannel2 %1").arg(m->ChannelNo()); };
    }
    TKeyer& keyer() { return *cat->Keyer(); }
    TMemoryChannel& memory() { return *cat->MemoryChannel(); }

    QStringList events;
};

} // namespace

TEST_F(KeyerTest, KeyerSwitch)
{
    userOnLink();
    keyer().SetKeyer(true);
    EXPECT_EQ(sent, QStringList{"KR1;"});
    EXPECT_FALSE(keyer().Keyer());
    received();
    keyer().SetKeyer(true);
    EXPECT_TRUE(keyer().Keyer());
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_EQ(events, QStringList{"Keyer 1"});
}

TEST_F(KeyerTest, MemoryTextIsSentClosedAndStoredFromTheAnswer)
{
    received();
    keyer().SetKeyerMemory2(QStringLiteral("OLD"));
    events.clear();
    userOnLink();
    keyer().SetKeyerMemory2(QStringLiteral("CQ TEST"));
    EXPECT_EQ(sent, QStringList{"KM2CQ TEST};"});
    EXPECT_EQ(keyer().KeyerMemory2(), "OLD");
    EXPECT_EQ(events, QStringList{"Memory 2 OLD"});

    events.clear();
    received();
    keyer().SetKeyerMemory(2, QStringLiteral("CQ TEST}"));
    EXPECT_EQ(keyer().KeyerMemory2(), "CQ TEST}");
    EXPECT_EQ(events, QStringList{"Memory 2 CQ TEST}"});
    EXPECT_FALSE(cat->CmdRcvd());
}

TEST_F(KeyerTest, MemoryCommandTexts)
{
    const QString sixty = QString(60, QLatin1Char('A'));
    const struct {
        QString text;
        QString sent;
    } cases[] = {
        {sixty, "KM1" + QString(50, QLatin1Char('A')) + "};"},
        {"5NN TU}", "KM15NN TU};"},
        {QString(50, QLatin1Char('B')) + "}", "KM1" + QString(50, QLatin1Char('B')) + "};"},
        // A ";" would end the command and start another; control characters never reach the radio.
        {"CQ;KY TEST\r\n", "KM1CQKY TEST};"},
        {";;;", "KM1};"},
        {"A\tB" + QString(60, QLatin1Char(';')), "KM1AB};"},
    };
    for (const auto& c : cases) {
        fresh();
        userOnLink();
        keyer().SetKeyerMemory1(c.text);
        EXPECT_EQ(sent, QStringList{c.sent}) << c.text.toStdString();
    }

    // An empty text after a stored one closes the memory; numbers outside 1..5 do nothing.
    fresh();
    received();
    keyer().SetKeyerMemory5(QStringLiteral("X"));
    userOnLink();
    keyer().SetKeyerMemory5(QString());
    keyer().SetKeyerMemory(0, QStringLiteral("Y"));
    keyer().SetKeyerMemory(6, QStringLiteral("Y"));
    keyer().SetKeyerMemory4(QString()); // equal to the stored empty text
    EXPECT_EQ(sent, QStringList{"KM5};"});
    EXPECT_EQ(keyer().KeyerMemory(0), QString());
    EXPECT_EQ(keyer().KeyerMemory(6), QString());
}

TEST_F(KeyerTest, PitchPerModel)
{
    const struct {
        TTransceiver model;
        int value;
        QString sent;
    } commands[] = {{FT2000, 20, "KP15;"}, {FT950, -3, "KP00;"}, {FTDX5000, 20, "KP20;"},
                    {FTDX5000, 80, "KP75;"}, {FT2000D, 7, "KP07;"}};
    for (const auto& c : commands) {
        fresh();
        setModel(c.model);
        userOnLink();
        keyer().SetKeyPitch(c.value);
        EXPECT_EQ(sent, QStringList{c.sent});
        EXPECT_EQ(keyer().KeyPitch(), 10);
    }

    const struct {
        TTransceiver model;
        int value, stored, hz;
    } answers[] = {{FTDX5000, 12, 12, 420}, {FT2000, 12, 12, 900}, {FT950, 40, 15, 1050}, {FTDX5000, 0, 0, 300}};
    for (const auto& c : answers) {
        fresh();
        setModel(c.model);
        received();
        keyer().SetKeyPitch(c.value);
        EXPECT_EQ(keyer().KeyPitch(), c.stored);
        EXPECT_EQ(keyer().KeyPitchFrequency(), c.hz);
        EXPECT_EQ(events, QStringList{QStringLiteral("KeyPitch %1").arg(c.stored)});
        EXPECT_FALSE(cat->CmdRcvd());
    }
}

TEST_F(KeyerTest, NewPitchRedrawsTheAudioPeakFilter)
{
    received();
    cat->RX()->SetContourA(conAPF);
    events.clear();
    received();
    keyer().SetKeyPitch(12);
    EXPECT_EQ(events, (QStringList{"KeyPitch 12", QStringLiteral("Contour 0 %1").arg(conAPF)}));
}

TEST_F(KeyerTest, Speed)
{
    for (auto [value, text] : {std::pair{2, "KS004;"}, {99, "KS060;"}, {35, "KS035;"}}) {
        fresh();
        userOnLink();
        keyer().SetKeySpeed(value);
        EXPECT_EQ(sent, QStringList{text});
    }
    fresh();
    received();
    keyer().SetKeySpeed(70);
    EXPECT_EQ(keyer().KeySpeed(), 60);
    EXPECT_EQ(events, QStringList{"KeySpeed 60"});
}

// Memory channel -----------------------------------------------------------------------

TEST_F(KeyerTest, ChannelNumber)
{
    received();
    memory().SetChannelNo(200);
    EXPECT_EQ(memory().ChannelNo(), 117);
    EXPECT_EQ(events, QStringList{"MemoryChannel 117"});
    EXPECT_FALSE(cat->CmdRcvd());

    // The command always carries a channel the radio has, in three digits.
    const struct {
        int value;
        QStringList sent;
    } cases[] = {{7, {"MC007;"}}, {200, {"MC117;"}}, {1000, {"MC117;"}}, {-5, {"MC001;"}}, {0, {"MC001;"}}, {117, {}}};
    for (const auto& c : cases) {
        sent.clear();
        userOnLink();
        memory().SetChannelNo(c.value);
        EXPECT_EQ(sent, c.sent) << c.value;
        EXPECT_EQ(memory().ChannelNo(), 117);
    }
}

TEST_F(KeyerTest, RecordRequests)
{
    memory().RequestMemoryChannel(12);
    memory().ReadChannelNo(5);
    EXPECT_EQ(sent, (QStringList{"MR012;", "MR005;"}));
    EXPECT_EQ(memory().CurrentMemoryChannel(), 12);
    EXPECT_EQ(memory().ChannelNo(), 1);
}

TEST_F(KeyerTest, RecordIsReadWholeAndWrittenBackUnchanged)
{
    // Channel 5 on 14.025 MHz, offset -120, clarifier RX on, TX off, CW, memory mode,
    // CTCSS 0, tone 8, shift 0.
    const QString full = QStringLiteral("005" "14025000" "-0120" "1" "0" "3" "1" "0" "08" "0");
    ASSERT_EQ(full.size(), 24);
    received();
    memory().Read(full);
    EXPECT_EQ(memory().ChannelNo(), 5);
    EXPECT_EQ(memory().Frequency(), 14025000);
    EXPECT_EQ(memory().ClarifierOffset(), -120);
    EXPECT_TRUE(memory().ClarifierRX());
    EXPECT_FALSE(memory().ClarifierTX());
    EXPECT_EQ(memory().Mode(), mdCW);
    EXPECT_EQ(memory().VFOMemoryMode(), vmMemoryMode);
    EXPECT_EQ(memory().CTCSS(), 0);
    EXPECT_EQ(memory().ToneNumber(), 8);
    EXPECT_EQ(memory().Shift(), 0);
    EXPECT_FALSE(cat->CmdRcvd());
    EXPECT_EQ(events, (QStringList{"MemoryChannel 5", "MemoryChannel 5", "MemoryChannel2 5"}));

    memory().Write();
    EXPECT_EQ(sent, QStringList{"MW" + full + ";"});

    // Other records round-trip as well.
    for (const QString& r : {QStringLiteral("117" "59999999" "+9999" "1" "1" "C" "0" "1" "29" "9"),
                             QStringLiteral("001" "00030000" "+0000" "0" "0" "1" "0" "0" "00" "0")}) {
        ASSERT_EQ(r.size(), 24);
        sent.clear();
        received();
        memory().Read(r);
        memory().Write();
        EXPECT_EQ(sent, QStringList{"MW" + r + ";"});
    }
}

TEST_F(KeyerTest, IncompleteOrGarbledRecordsChangeNothing)
{
    const QString good = QStringLiteral("00514025000-012010310120");
    const QString bad[] = {
        QStringLiteral("005"),                      // the channel-only form
        good.left(23),                              // one character short
        QStringLiteral("00514O25000-012010310120"), // letter in the frequency
        QStringLiteral("005140250000+12010310120"), // sign inside the offset
        QStringLiteral("00514025000-0120103101X0"), // tone is no number
        QStringLiteral("00514025000-01201031012-"), // shift is no digit
        QString(),
    };
    for (const QString& r : bad) {
        fresh();
        received();
        memory().Read(r);
        EXPECT_EQ(memory().ChannelNo(), 1) << r.toStdString();
        EXPECT_EQ(memory().Frequency(), 0) << r.toStdString();
        EXPECT_EQ(memory().ClarifierOffset(), 0) << r.toStdString();
        EXPECT_FALSE(memory().ClarifierRX()) << r.toStdString();
        EXPECT_TRUE(events.isEmpty()) << r.toStdString();
    }
    fresh();
    received();
    memory().Read(good);
    EXPECT_EQ(memory().ToneNumber(), 12);
    EXPECT_EQ(memory().ChannelNo(), 5);
}

TEST_F(KeyerTest, UnknownModeAndMemoryCharactersLeaveThoseFields)
{
    memory().SetMode(mdUSB);
    memory().SetVFOMemoryMode(vmQMB);
    received();
    memory().Read(QStringLiteral("005" "14025000" "+0000" "0" "0" "Z" "2" "0" "08" "0"));
    EXPECT_EQ(memory().Frequency(), 14025000);
    EXPECT_EQ(memory().Mode(), mdUSB);
    EXPECT_EQ(memory().VFOMemoryMode(), vmQMB);
    EXPECT_EQ(events.size(), 3);
}

TEST_F(KeyerTest, WrittenRecordKeepsItsFieldWidths)
{
    TMemoryChannel& m = memory();
    m.SetFrequency(123456789);
    m.SetClarifierOffset(-12000);
    m.SetMode(mdPKT_U);
    m.SetVFOMemoryMode(vmVFOMode);
    m.SetCTCSS(12);
    m.SetToneNumber(150);
    m.SetShift(-1);
    m.Write();
    EXPECT_EQ(sent, QStringList{"MW" "001" "99999999" "-9999" "0" "0" "C" "0" "9" "99" "0" ";"});
}

// Presets -----------------------------------------------------------------------------

TEST_F(KeyerTest, LoadPresetsSendsTheStoredTextAsIs)
{
    TPresets& p = *cat->Presets();
    p.LoadPresets(pmRTTY);
    EXPECT_TRUE(sent.isEmpty());
    p.SetPresetsRTTY(QStringLiteral("MD06;SH005;"));
    p.SetPreset(pmCW, QStringLiteral("MD03;KS025"));
    received(); // no command rule: the flags do not matter
    p.LoadPresets(pmRTTY);
    p.LoadPresets(pmCW);
    p.LoadPresets(pmJT65);
    EXPECT_EQ(sent, (QStringList{"MD06;SH005;", "MD03;KS025;"}));
    EXPECT_EQ(p.PresetsCW(), "MD03;KS025");
}

TEST_F(KeyerTest, SavePresetsCapturesTheReceiverState)
{
    received();
    cat->RX()->SetNarrowA(true);
    received();
    cat->RX()->SetFilterWidthA(9);
    received();
    cat->RX()->SetAGCA(agcSlow);
    cat->Presets()->SavePresets(pmSSB);
    // Starting values elsewhere: FunctionRX A on B off, TX on VFO A, CW, mic gain 0, SWR
    // meter, power 5, processor off.
    EXPECT_EQ(cat->Presets()->PresetsSSB(), "FR0;FT2;MD03;MG000;MS3;NA01;PC005;SH009;GT03;PR0;");
    EXPECT_TRUE(cat->Presets()->PresetsCW().isEmpty());
    EXPECT_TRUE(sent.isEmpty());
}

TEST_F(KeyerTest, SavePresetsExample)
{
    received([&] { cat->SetFunctionRX(frxARX_BOFF); });
    received([&] { cat->SetFunctionTX(vfoA); });
    received([&] { cat->SetModeA(mdUSB); });
    received([&] { cat->SetMeterSwitch(mtSWR); });
    received([&] { cat->TX()->SetMicGain(50); });
    received([&] { cat->TX()->SetPowerControl(100); });
    received([&] { cat->TX()->SetProcessor(pOff); });
    received();
    cat->RX()->SetAGCA(agcSlow);
    cat->Presets()->SavePresets(pmSSB);
    EXPECT_EQ(cat->Presets()->PresetsSSB(), "FR0;FT2;MD02;MG050;MS3;NA00;PC100;SH016;GT03;PR0;");
}
