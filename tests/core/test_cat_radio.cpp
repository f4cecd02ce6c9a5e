// The radio simulator, the CAT engine talking to it over a pseudo-terminal, and an
// independent CAT client (Debian's rigctl) talking to it.
#include "core/cat/FTCATInterface.h"
#include "core/cat/MemoryChannel.h"
#include "core/cat/MenuSettings.h"
#include "core/cat/RX.h"
#include "core/cat/TX.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"

#include <QProcess>
#include <QVariant>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <gtest/gtest.h>

using vxtest::RadioSimulator;
using vxtest::waitUntil;

namespace {

const TTransceiver AllModels[] = {FT2000, FT2000D, FT950, FTDX5000};

QString modelName(TTransceiver m)
{
    static const char* const names[] = {"FT2000", "FT2000D", "FT950", "FTDX5000"};
    return QString::fromLatin1(names[m]);
}

// The commands of the ten poll lines of a model, one list per line.
QList<QStringList> pollCommands(TTransceiver model)
{
    QList<QStringList> lines;
    for (int n = 1; n <= 10; ++n)
        lines << TFTCATInterface::PollLine(model, n).split(QLatin1Char(';'));
    return lines;
}

} // namespace

// --- The simulator on its own --------------------------------------------------------------

TEST(RadioSimulator, AnswersEveryQueryOfItsModelsPollTable)
{
    for (TTransceiver model : AllModels) {
        RadioSimulator sim(model);
        for (const QStringList& line : pollCommands(model)) {
            for (const QString& query : line) {
                const QString answer = sim.process(query + ";");
                // The answer repeats the query and carries a parameter.
                EXPECT_TRUE(answer.startsWith(query) && answer.endsWith(";") && answer.size() > query.size() + 1)
                    << modelName(model).toStdString() << " " << query.toStdString() << " -> " << answer.toStdString();
            }
        }
        EXPECT_TRUE(sim.rejected().isEmpty()) << sim.rejected().join(",").toStdString();
    }
}

TEST(RadioSimulator, AnswerFormats)
{
    struct Case {
        TTransceiver model;
        const char* input;
        const char* output;
    };
    const Case cases[] = {
        {FT2000, "ID;", "ID0251;"},
        {FT2000D, "ID;", "ID0252;"},
        {FT950, "ID;", "ID0310;"},
        {FTDX5000, "ID;", "ID0362;"},
        // Channel, frequency, clarifier, RX/TX clarifier, mode, VFO/memory, CTCSS, tone, shift.
        {FT2000, "IF;OI;", "IF00114074000+000000200000;OI00107030000+000000300000;"},
        {FT950, "PS;AI;FA;FB;AG0;", "PS1;AI0;FA14074000;FB07030000;AG0064;"},
        {FT950, "SH0;", "SH013;"},
        {FT2000, "SH0;NA0;MD0;", "SH016;NA00;MD02;"},
        {FT2000, "BP00;BP01;CO00;CO01;ML0;ML1;", "BP00000;BP01150;CO0000;CO0120;ML0000;ML1050;"},
        {FTDX5000, "CA;CO02;CO12;VF0;VF1;SF;", "CA0000;CO0225;CO1225;VF001280;VF101280;SF00;"},
        {FT2000, "VF0;SF;LK;FS;", "VF00;SF0;LK0;FS0;"},
        {FTDX5000, "LK;FS;KP;", "LK4;FS4;KP50;"},
        {FT2000, "RO;DA;IS0;RF0;GT0;", "RO0000100;DA0408;IS0+0000;RF06;GT06;"},
        {FT2000, "EX036;EX124;EX144;", "EX036044;EX1241111111111110;EX1443;"},
        {FT950, "EX044;EX090;", "EX0440250;EX0901111111111110;"},
        {FTDX5000, "EX171;EX151;", "EX1713;EX1511111111111110;"},
        {FT2000, "MR001;MR002;", "MR00107074000+000000200000;MR00214025000+000000300000;"},
        // Lower case and line noise are accepted, as by the radios.
        {FT2000, "fa;\r\nfb;", "FA14074000;FB07030000;"},
    };
    for (const Case& c : cases) {
        RadioSimulator sim(c.model);
        EXPECT_EQ(sim.process(c.input).toStdString(), c.output) << modelName(c.model).toStdString() << " " << c.input;
    }
}

TEST(RadioSimulator, RejectsWhatTheModelDoesNotHave)
{
    struct Case {
        TTransceiver model;
        const char* command;
    };
    const Case cases[] = {
        {FT950, "CA"},         {FT950, "AG1"},         {FT950, "MD1"},     {FT950, "DS"},      {FT950, "BA"},
        {FT950, "CO02"},       {FT950, "RI2"},         {FT950, "EX119"},   {FT950, "RF04"},    {FT950, "SH021"},
        {FT2000, "SH1"},       {FT2000, "IS1"},        {FT2000, "BA"},     {FT2000, "CA"},     {FT2000, "RI5"},
        {FTDX5000, "EK"},      {FTDX5000, "FK1"},      {FT2000, "EX148"},  {FT2000, "ZZ"},     {FT2000, "FA123"},
        {FT2000, "FA70000000"}, {FT2000, "ID0251"},    {FT2000, "SM0100"}, {FT2000, "MR050"},  {FT2000, "AG0256"},
        {FT2000, "PS2"},       {FT2000, "GT05"},
    };
    for (const Case& c : cases) {
        RadioSimulator sim(c.model);
        EXPECT_EQ(sim.process(QString::fromLatin1(c.command) + ";"), "?;") << modelName(c.model).toStdString() << " " << c.command;
        EXPECT_EQ(sim.rejected(), QStringList({c.command}));
    }
    RadioSimulator ftdx5000(FTDX5000);
    EXPECT_TRUE(ftdx5000.knows("CA"));
    EXPECT_TRUE(ftdx5000.knows("BA"));
    EXPECT_FALSE(RadioSimulator(FT950).knows("CA"));
}

TEST(RadioSimulator, SetCommandsChangeTheStateQuietlyOrWithAutoInformation)
{
    struct Case {
        TTransceiver model;
        const char* input;
        const char* output;
    };
    const Case cases[] = {
        // Quiet while auto information is off; the next query shows the change.
        {FT2000, "FA07074000;FA;", "FA07074000;"},
        {FT2000, "AG1128;AG1;", "AG1128;"},
        // With auto information on, each change is reported at once, an unchanged value not.
        {FT2000, "AI1;FA07074000;MD01;MD01;", "FA07074000;MD01;"},
        {FT2000, "AI1;AI;", "AI1;"},
        // Parameters the radio answers differently from how it takes them.
        {FT2000, "RF00;RF0;RF03;RF0;", "RF06;RF03;"},
        {FTDX5000, "RF05;RF0;RF14;RF1;", "RF08;RF17;"},
        {FT2000, "GT04;GT0;FT3;FT;FT2;FT;AC002;AC;", "GT06;FT1;FT0;AC001;"},
        {FT2000, "IS0-0000;IS0;IS0-0150;IS0;", "IS0+0000;IS0-0150;"},
        {FT2000, "AN03;AN0;AN05;AN0;", "AN030;AN031;"},
        {FTDX5000, "VF01+5;VF0;VF12-200;VF1;", "VF011330;VF120000;"},
        {FT2000, "RO2;RO;", "RO2000100;"},
        {FT2000, "EX036050;EX036;", "EX036050;"},
        // Clarifier up and down move the offset; clear sets it to 0.
        {FT2000, "RT1;RU0025;RD0005;IF;RC;IF;", "IF00114074000+002010200000;IF00114074000+000010200000;"},
        // VFO and memory operations.
        {FT2000, "AB;FB;MD1;SV;FA;", "FB14074000;MD12;FA14074000;"},
        {FT2000, "SV;FA;MD0;FB;MD1;", "FA07030000;MD03;FB14074000;MD12;"},
        {FTDX5000, "BA;FA;MD0;", "FA07030000;MD03;"},
        {FT2000, "MC002;MA;FA;MD0;", "FA14025000;MD03;"},
        {FT2000, "MC010;AM;MR010;", "MR01014074000+000000200000;"},
        {FT2000, "MW00514025000-012010310080;MR005;", "MR00514025000-012010310080;"},
        {FT2000, "CH1;MC;CH0;CH0;MC;", "MC099;MC002;"},
        {FT2000, "QS;FB;FT;", "FB14079000;FT1;"},
        {FT2000, "QI;FA07000000;QR;FA;", "FA14074000;"},
        {FT2000, "VM;IF;", "IF00114074000+000000210000;"},
        // Band select keeps what was left on each band.
        {FT2000, "BS03;FA;MD0;FA07074000;BS05;FA;BS03;FA;", "FA07100000;MD01;FA14074000;FA07074000;"},
        {FT2000, "BU0;FA;BD0;BD0;FA;", "FA18100000;FA10120000;"},
        {FT2000, "MK1;MD0;MX1;TX;RM0;", "MD02;TX2;RM0000;"},
    };
    for (const Case& c : cases) {
        RadioSimulator sim(c.model);
        EXPECT_EQ(sim.process(c.input).toStdString(), c.output) << modelName(c.model).toStdString() << " " << c.input;
        EXPECT_TRUE(sim.rejected().isEmpty()) << c.input << ": " << sim.rejected().join(",").toStdString();
    }
}

TEST(RadioSimulator, TakesTheEnginesSetterCommands)
{
    // What the engine's setters and command operations send, per model.
    const QStringList common = {
        "AC000", "AC001", "AC002", "AG0128", "AN02", "AN05", "BC01", "BI1", "BP00001", "BP01200", "CO0001", "CO0002",
        "CO0000", "CO0110", "CS1", "DA0705", "DP3", "EX036044", "FA07074000", "FB21074000", "FR0", "FT3", "FT2", "GT02",
        "GT04", "IS0+0150", "IS0-0000", "KM2CQ TEST}", "KP10", "KR1", "KS025", "LK1", "LK0", "MC007", "MD03", "MG050",
        "ML0001", "ML1100", "MS2", "MX1", "MX0", "NA01", "NB02", "NL0010", "NR01", "OS02", "PA02", "PC050", "PL050",
        "PR1", "RA03", "RC", "RD0025", "RU0025", "RF01", "RF00", "RG0200", "RL005", "RO1", "RO4", "RT1", "SD0250",
        "SH010", "SQ0010", "TS1", "TX1", "TX0", "UL0", "VD0300", "VG050", "VS1", "VS0", "VX1", "XT1", "MK3", "BD0", "BU1",
        "BS05", "BS11", "DN", "UP", "KY1", "PB01", "QI", "QR", "QS", "SV", "AB", "AM", "MA", "CH0", "CH1", "VM", "ED005",
        "EU099", "EX0853", "MW00514025000-012010310080", "CT01", "CN012",
    };
    const QStringList ft2000 = {"AG1128", "DS1", "EK", "FK3", "FS2", "FS3", "LK2", "LK3", "SF7", "SF0", "MD12", "NA11",
                                "NB11", "NL1010", "OS12", "RG1100", "SQ1010", "CT11", "CN105"};
    const QStringList ft950 = {"EK", "FK7", "SF3", "FS1", "MS5"};
    const QStringList ftdx5000 = {"AN12", "BA", "BC11", "BP10001", "BP11200", "CA0001", "CO1002", "CO0230", "CO1230",
                                  "FS6", "FS4", "LK6", "LK4", "IS1-0150", "NR11", "PA12", "RA13", "RF04", "RF05", "RF14",
                                  "RL105", "SF00", "SF07", "SF08", "SH100", "SH000", "VF01+5", "VF12-3", "MD13", "DS1"};
    for (TTransceiver model : AllModels) {
        RadioSimulator sim(model);
        const QStringList own = model == FT950 ? ft950 : model == FTDX5000 ? ftdx5000 : ft2000;
        for (const QString& command : common + own)
            EXPECT_EQ(sim.process(command + ";").toStdString(), "") << modelName(model).toStdString() << " " << command.toStdString();
        EXPECT_TRUE(sim.rejected().isEmpty()) << modelName(model).toStdString() << ": " << sim.rejected().join(",").toStdString();
    }
}

TEST(RadioSimulator, SilentWhilePoweredOffExceptForPowerOn)
{
    RadioSimulator sim(FT950);
    EXPECT_EQ(sim.process("PS0;"), "");
    EXPECT_FALSE(sim.power());
    EXPECT_EQ(sim.process("PS;ID;FA14000000;AI;XX;"), "");
    EXPECT_EQ(sim.frequency(vfoA), 14074000);
    EXPECT_EQ(sim.process("PS1;PS;FA;"), "PS1;FA14074000;");
    EXPECT_TRUE(sim.power());
    // Every command is recorded, heard or not.
    EXPECT_EQ(sim.commands(), QStringList({"PS0", "PS", "ID", "FA14000000", "AI", "XX", "PS1", "PS", "FA"}));
    EXPECT_TRUE(sim.rejected().isEmpty());
}

TEST(RadioSimulator, FrontPanelChangesAreReportedOverThePortWithAutoInformation)
{
    RadioSimulator sim(FT950);
    ASSERT_TRUE(sim.ok());
    vx::SerialPort port;
    port.setPort(sim.portName());
    QString received;
    port.OnRxChar = [&](int n) { received += port.readStr(n); };
    ASSERT_TRUE(port.open());

    sim.operate("FA", "07010000"); // auto information off: nothing
    sim.setAutoInformation(true);
    sim.operate("MD1", "1");       // no MD1 on the FT-950: reported in the opposite-VFO answer
    sim.operate("FA", "07020000");
    sim.push("AI0;");
    ASSERT_TRUE(waitUntil([&] { return received.endsWith("AI0;"); }, 2000)) << received.toStdString();
    EXPECT_EQ(received, "OI00107030000+000000100000;FA07020000;AI0;");

    // Commands written to the port are answered on it.
    port.writeStr("ID;SM0;");
    received.clear();
    ASSERT_TRUE(waitUntil([&] { return received.size() >= 14; }, 2000));
    EXPECT_EQ(received, "ID0310;SM0000;");
    EXPECT_EQ(sim.commands(), QStringList({"ID", "SM0"}));
}

// --- The engine's link against the simulator ------------------------------------------------

namespace {

// The ten poll lines of `model` arrived in order, each as one unbroken block of commands.
// Between two lines only the engine's own requests may come: power state requests and what
// it sends back on answers (auto information on, a memory record, filter width and narrow).
// A poll that restarted part-way (the radio's "PS1" restarts it) counts from its last start.
bool pollArrived(const QStringList& received, TTransceiver model, QString* why)
{
    static const QRegularExpression followUp(QStringLiteral("^(PS|AI1|MR\\d{3}|SH[01]|NA[01])$"));
    const QList<QStringList> lines = pollCommands(model);
    const auto blockAt = [&](int pos, const QStringList& block) {
        return pos + block.size() <= received.size() && received.mid(pos, block.size()) == block;
    };
    int best = 0;
    for (int start = 0; start < received.size(); ++start) {
        if (!blockAt(start, lines[0]))
            continue;
        int pos = start + int(lines[0].size());
        int n = 1;
        for (; n < 10; ++n) {
            while (pos < received.size() && !blockAt(pos, lines[n]) && followUp.match(received[pos]).hasMatch())
                ++pos;
            if (!blockAt(pos, lines[n]))
                break;
            pos += int(lines[n].size());
        }
        if (n == 10)
            return true;
        best = std::max(best, n);
    }
    *why = QStringLiteral("lines in order: %1 of 10; received: %2").arg(best).arg(received.join(QLatin1Char(';')));
    return false;
}

// A menu item of the model's poll, set to a value other than the radio's default.
struct PolledMenu {
    int number;
    const char* value;
};
PolledMenu polledMenu(TTransceiver model)
{
    switch (model) {
    case FT950: return {44, "0300"};   // CW break-in delay
    case FTDX5000: return {171, "2"};  // maximum power
    default: return {36, "050"};       // transverter offset
    }
}

// Where the engine's state differs from the radio's; empty when it follows the radio.
QString stateDifferences(const TFTCATInterface& cat, const RadioSimulator& sim)
{
    QStringList out;
    const auto check = [&out](const char* what, const QVariant& engine, const QVariant& radio) {
        if (engine != radio)
            out << QStringLiteral("%1 %2 (radio %3)").arg(QLatin1String(what), engine.toString(), radio.toString());
    };
    const PolledMenu menu = polledMenu(sim.model());
    check("FrequencyA", cat.FrequencyA(), sim.frequency(vfoA));
    check("FrequencyB", cat.FrequencyB(), sim.frequency(vfoB));
    check("ModeA", int(cat.ModeA()), int(sim.mode(vfoA)));
    check("ModeB", int(cat.ModeB()), int(sim.mode(vfoB)));
    check("AFGainA", int(cat.RX()->AFGainA()), sim.value("AG0").toInt());
    check("RFGainA", int(cat.RX()->RFGainA()), sim.value("RG0").toInt());
    check("FilterWidthA", int(cat.RX()->FilterWidthA()), sim.value("SH0").toInt());
    check("MicGain", int(cat.TX()->MicGain()), sim.value("MG").toInt());
    check("PowerControl", int(cat.TX()->PowerControl()), sim.value("PC").toInt());
    check("Menu", cat.MenuSettings()->GetMenuEntry(menu.number), sim.menu(menu.number));
    // The information answer asked for the record of its memory channel.
    check("MemoryChannel", cat.MemoryChannel()->Frequency(), sim.memory(1).mid(3, 8).toInt());
    return out.join(QStringLiteral("; "));
}

} // namespace

class CATRadio : public ::testing::TestWithParam<TTransceiver> {};

TEST_P(CATRadio, EngineDetectsTheModelPollsItAndKeepsAutoInformationOn)
{
    vx::Clock::useSystem();
    const TTransceiver model = GetParam();
    RadioSimulator sim(model);
    ASSERT_TRUE(sim.ok());
    // Values the engine does not start with, so that following the radio shows.
    sim.setFrequency(vfoB, 21074000);
    sim.setMode(vfoB, mdAM);
    sim.setValue("AG0", "128");
    sim.setValue("RG0", "200");
    sim.setValue("SH0", "10");
    sim.setValue("MG", "080");
    sim.setValue("PC", "050");
    sim.setMenu(polledMenu(model).number, QString::fromLatin1(polledMenu(model).value));

    vx::SerialPort port;
    port.setPort(sim.portName());
    port.setBaudRate(38400);
    port.setDataBits(8);
    port.setParity(vx::SerialPort::Parity::None);
    port.setStopBits(vx::SerialPort::StopBits::Two);
    TFTCATInterface cat;
    port.OnRxChar = [&](int count) { cat.DoRxChar(count); };
    cat.OnCATCommandTX = [&](const QString& text) { port.writeStr(text); };
    cat.SetCOMPort(&port);
    cat.SetUsingCOMPort(true);
    cat.SetTransceiverAutoDetect(true);
    ASSERT_TRUE(cat.Open()) << port.lastError().toStdString();
    cat.ParameterRequest();

    QString why;
    const bool done = waitUntil(
        [&] { return cat.ComState() == csConnected && cat.Transceiver() == model && pollArrived(sim.commands(), model, &why); },
        6000);
    ASSERT_TRUE(done) << "state " << int(cat.ComState()) << ", model " << modelName(cat.Transceiver()).toStdString() << "; "
                      << why.toStdString();
    EXPECT_EQ(cat.Identification(), sim.identification());
    EXPECT_TRUE(cat.CAT());

    // Nothing the engine asks of this model was refused (before detection it may have asked
    // the first line of another model's table).
    QSet<QString> own;
    for (const QStringList& line : pollCommands(model))
        for (const QString& c : line)
            own.insert(c);
    for (const QString& r : sim.rejected())
        EXPECT_FALSE(own.contains(r)) << "refused: " << r.toStdString();

    // The answers of the poll carried the radio's state into the engine.
    QString differences;
    EXPECT_TRUE(waitUntil([&] { return (differences = stateDifferences(cat, sim)).isEmpty(); }, 2000))
        << differences.toStdString();
    EXPECT_EQ(cat.RX()->FilterWidthA(), 10);
    switch (model) {
    case FT950: EXPECT_EQ(cat.TX()->CWBreakInDelay(), 300); break;
    case FTDX5000: EXPECT_EQ(cat.TX()->MaximumPowerMenu(), 2); break;
    default: EXPECT_EQ(cat.TransverterOffset(), 50); break;
    }

    // A radio that reports auto information off is switched back on.
    sim.clearCommands();
    sim.push("AI0;");
    EXPECT_TRUE(waitUntil([&] { return sim.commands().contains("AI1"); }, 2000)) << sim.commands().join(";").toStdString();
    EXPECT_TRUE(sim.autoInformation());
}

INSTANTIATE_TEST_SUITE_P(Models, CATRadio, ::testing::ValuesIn(AllModels),
                         [](const ::testing::TestParamInfo<TTransceiver>& info) { return modelName(info.param).toStdString(); });

// --- An independent CAT client against the simulator ----------------------------------------

namespace {

struct RigctlCase {
    TTransceiver model;
    int hamlibModel;
};

void PrintTo(const RigctlCase& c, std::ostream* os)
{
    *os << modelName(c.model).toStdString() << " as rigctl model " << c.hamlibModel;
}

} // namespace

class Rigctl : public ::testing::TestWithParam<RigctlCase> {};

TEST_P(Rigctl, OpensTheRigAndReadsFrequencyAndMode)
{
    const QString rigctl = QStandardPaths::findExecutable(QStringLiteral("rigctl"));
    if (rigctl.isEmpty())
        GTEST_SKIP() << "rigctl is not installed (Debian package libhamlib-utils): the radio simulator is not "
                        "checked against an independent CAT client";

    RadioSimulator sim(GetParam().model);
    ASSERT_TRUE(sim.ok());
    sim.setFrequency(vfoA, 10136000);
    sim.setMode(vfoA, mdUSB);

    QProcess process;
    process.start(rigctl, {"-m", QString::number(GetParam().hamlibModel), "-r", sim.portName(), "-s", "38400", "f", "m"});
    ASSERT_TRUE(process.waitForStarted(5000)) << process.errorString().toStdString();
    // The simulator answers from this event loop, so keep it running while rigctl works.
    const bool finished = waitUntil([&] { return process.state() == QProcess::NotRunning; }, 30000);
    if (!finished)
        process.kill();
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    const std::string trace = "stdout:\n" + out.toStdString() + "stderr:\n" + err.toStdString() + "radio heard: "
        + sim.commands().join(";").toStdString();
    ASSERT_TRUE(finished) << trace;
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << trace;
    EXPECT_EQ(process.exitCode(), 0) << trace;
    EXPECT_TRUE(err.trimmed().isEmpty()) << trace;

    // f prints the frequency; m prints the mode and the passband.
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << trace;
    EXPECT_EQ(lines[0], "10136000") << trace;
    EXPECT_EQ(lines[1], "USB") << trace;
    EXPECT_EQ(lines[2], "2400") << trace;
    EXPECT_TRUE(sim.commands().contains("ID")) << trace;
    EXPECT_TRUE(sim.rejected().isEmpty()) << trace << "\nrefused: " << sim.rejected().join(";").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Models, Rigctl,
                         ::testing::Values(RigctlCase{FT2000, 1029}, RigctlCase{FT950, 1028}, RigctlCase{FTDX5000, 1032}),
                         [](const ::testing::TestParamInfo<RigctlCase>& info) { return modelName(info.param.model).toStdString(); });
