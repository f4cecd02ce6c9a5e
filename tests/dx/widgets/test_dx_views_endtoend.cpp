// The views as the operator meets them: the CAT engine on the radio simulator's
// pseudo-terminal, the cluster module logged in to a node on 127.0.0.1 that replays a real
// session, the band map fed by the radio's events as the front panel feeds it, and the spot
// list.  The labels and a double click reach the radio as CAT commands.
#include "DXViewsFixture.h"

#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "dx/widgets/Bandmap.h"
#include "dx/widgets/DXSpotsModel.h"
#include "dx/widgets/DXSpotsPanel2.h"
#include "platform/SerialPort.h"
#include "tests/dx/ScriptedCluster.h"
#include "tests/support/RadioSimulator.h"
#include "tests/support/Wait.h"
#include "tests/support/WidgetInput.h"

#include <QApplication>
#include <QMouseEvent>

using vxtest::RadioSimulator;
using vxtest::waitUntil;

namespace {

void DoubleClick(QWidget& w, QPoint at)
{
    vxtest::Click(&w, at);
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(at), w.mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
    vxtest::MouseRelease(&w, at);
}

} // namespace

TEST(DXViews, RadioAndClusterNodeAsTheOperatorUsesThem)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    InstallCountryFiles(root);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    // The radio on its port, detected and polled.
    RadioSimulator sim(FT2000);
    ASSERT_TRUE(sim.ok());
    sim.setFrequency(vfoA, 14020000);
    vx::SerialPort port;
    port.setPort(sim.portName());
    port.setBaudRate(38400);
    port.setStopBits(vx::SerialPort::StopBits::Two);
    TFTCATInterface cat;
    port.OnRxChar = [&](int count) { cat.DoRxChar(count); };
    cat.OnCATCommandTX = [&](const QString& text) { port.writeStr(text); };
    cat.SetCOMPort(&port);
    cat.SetUsingCOMPort(true);
    cat.SetTransceiverAutoDetect(true);
    ASSERT_TRUE(cat.Open());
    cat.ParameterRequest();

    TDMDX dmdx;
    TDXSpots* engine = dmdx.DXSpots();
    engine->SetMyCall("G4ABC");
    engine->SetMyLocator("IO91WM");
    engine->SetFTCATInterface(&cat);
    // The session is from another day: its spots are kept whatever the time now.
    engine->SetDXSpotsLifetime(0);
    TBandmap map;
    map.SetDXSpots(engine);
    map.SetFTCATInterface(&cat);
    map.show();
    TDXSpotsPanel2 panel;
    panel.SetDXSpots(engine);
    panel.resize(700, 300);
    panel.show();

    // What the front panel forwards to the band map, and how it tunes for it.
    cat.OnFrequency = [&](uint8_t vfo, int32_t hz) { vfo == 0 ? map.SetFrequencyA(hz) : map.SetFrequencyB(hz); };
    cat.OnBand = [&](uint8_t vfo, TBand band) { vfo == 0 ? map.SetBandA(band) : map.SetBandB(band); };
    cat.OnFunctionTX = [&](TVFO vfo) { map.SetSplit(vfo == vfoB); };
    cat.OnLockA = [&](bool on) { map.SetLock(on); };
    map.OnFrequencyChange = [&](TVFO vfo, int32_t hz) {
        cat.PrepareTX();
        cat.SetFrequency(vfo == vfoA ? 0 : 1, hz);
    };
    map.OnFrequencyRequest = [&] {
        map.SetFrequencyA(cat.FrequencyA());
        map.SetFrequencyB(cat.FrequencyB());
    };
    ASSERT_TRUE(waitUntil([&] { return cat.ComState() == csConnected && map.FrequencyA() == 14020000; }, 8000))
        << "state " << int(cat.ComState()) << ", band map at " << map.FrequencyA();
    EXPECT_EQ(map.BandA(), bd20);

    // SPLIT and LOCK reach the radio as CAT commands.
    sim.clearCommands();
    vxtest::Click(map.SplitLabel);
    EXPECT_TRUE(waitUntil([&] { return sim.commands().contains("FT3"); }, 3000)) << sim.commands().join(';').toStdString();
    vxtest::Click(map.LockLabel);
    EXPECT_TRUE(waitUntil([&] { return sim.commands().contains("LK1"); }, 3000)) << sim.commands().join(';').toStdString();
    EXPECT_TRUE(waitUntil([&] { return map.Split() && map.Lock(); }, 3000));
    vxtest::Click(map.LockLabel);
    EXPECT_TRUE(waitUntil([&] { return !map.Lock(); }, 3000));

    // The node replays a real session and one more spot at 14025.0 kHz.
    const QByteArray capture = ReadCapture(DXTestData + "/dxcluster/dxspider_session_G4BFG-9.txt");
    ScriptedCluster node;
    node.cutPieces(3, 40);
    node.send("login: ").expectLine().send(capture.mid(7));
    node.send(SpotLine("TZ4AM", 14025000, "CW 22 dB", 0, "W3LPL").toLatin1() + "\n");
    dmdx.SetName("Test node");
    dmdx.SetHost("127.0.0.1");
    dmdx.SetPort(node.port());
    dmdx.SetUsername("G4ABC");
    dmdx.Open();
    dmdx.Connect();
    // Both views fill: every spot below 54 MHz of the session, and the extra one.
    ASSERT_TRUE(waitUntil([&] { return node.finished() && panel.Model()->Count() == 15; }, 8000))
        << panel.Model()->Count();
    // The band map keeps one entry per call and band: TZ4AM's second spot replaces its first.
    EXPECT_EQ(engine->BandmapDataList().Count(), 14);
    ASSERT_TRUE(waitUntil([&] { return map.BandSpotCount() == 3; }, 2000)) << map.BandSpotCount();

    // A double click on the label at 14025.0 tunes the radio there.
    int32_t id = 0;
    QRect label;
    const auto findLabel = [&] {
        for (const TBandmapSpotData& d : map.SpotDataList())
            if (d.Frequency == 14025000) {
                id = d.SpotID;
                label = d.SpotRect;
            }
        return id > 0;
    };
    ASSERT_TRUE(waitUntil(findLabel, 2000));
    ASSERT_GT(id, 0);
    sim.clearCommands();
    DoubleClick(map, label.center());
    EXPECT_TRUE(waitUntil([&] { return sim.commands().contains("FA14025000"); }, 3000))
        << sim.commands().join(';').toStdString();
    EXPECT_TRUE(waitUntil([&] { return map.FrequencyA() == 14025000; }, 5000));

    // On the scale at the marker a double click sends nothing.
    vxtest::spin(300);
    sim.clearCommands();
    DoubleClick(map, QPoint(60, map.PositionY()));
    vxtest::spin(300);
    for (const QString& c : sim.commands())
        EXPECT_FALSE(c.startsWith("FA") || c.startsWith("FB")) << c.toStdString();

    // A double click in the spot list tunes as well.
    const int row = panel.Model()->RowOf(engine->SpotDataList()[0].SpotID);
    ASSERT_GE(row, 0);
    const QRect cell = panel.VST->visualRect(panel.Model()->index(row, 1));
    sim.clearCommands();
    DoubleClick(*panel.VST->viewport(), cell.center());
    const QString expected = QStringLiteral("FA%1").arg(engine->SpotDataList()[0].FrequencyA, 8, 10, QChar(u'0'));
    EXPECT_TRUE(waitUntil([&] { return sim.commands().contains(expected); }, 3000))
        << expected.toStdString() << ": " << sim.commands().join(';').toStdString();

    dmdx.Close();
    cat.Close();
    QLocale::setDefault(QLocale::c());
}
