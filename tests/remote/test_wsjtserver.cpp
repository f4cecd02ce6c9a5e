// The WSJT-X logging server with real sockets on 127.0.0.1: QSOs in one piece and in many,
// several per read and per connection, broadcast in the server roles, the collector's cap.
#include "remote/WSJTServer.h"

#include "core/ApplicationRole.h"
#include "core/DMApplication.h"
#include "core/RemoteLinks.h"
#include "core/cat/FTCATInterface.h"
#include "dx/DMDX.h"
#include "log/LogInterface.h"
#include "platform/Clock.h"
#include "tests/support/Wait.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using vxtest::spin;
using vxtest::waitUntil;

namespace {

// A real WSJT-X 2.6.1 FT4 record.
const QByteArray FT4Record =
    "<call:4>K9RE <gridsquare:4>EN62 <mode:4>MFSK <submode:3>FT4 <rst_sent:3>+04 <rst_rcvd:3>-05 "
    "<qso_date:8>20230407 <time_on:6>205046 <qso_date_off:8>20230407 <time_off:6>205115 <band:3>10m "
    "<freq:9>28.180706 <station_callsign:6>KK7KNB <my_gridsquare:6>CN85QN <tx_pwr:3>45W "
    "<comment:25>FT4  Sent: +04  Rcvd: -05 <eor>";

QByteArray Message(const QByteArray& record, const QByteArray& header = "<command:3>Log <parameters:")
{
    return header + QByteArray::number(record.size()) + ">" + record;
}

class RecordingLink : public TRemoteServerLink {
public:
    void ServerBroadcastMessage(const QString& Msg) override { messages << Msg; }
    QStringList messages;
};

class WSJTServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        log.SetMyCall("DL1ABC");
        log.SetLogFolder(dir.path());
        log.SetLogFileName("test.log");
        ASSERT_TRUE(log.NewLogFile());
        cat.PrepareTX();
        cat.SetFrequency(0, 7074000);
        dmdx.DXSpots()->SetLogInterface(&log);
        dmdx.DXSpots()->SetFTCATInterface(&cat);
        dmdx.SetWSJTSettings(&server);

        server.SetDM(&role);
        server.SetServer(&link);
        server.SetDMDX(&dmdx);
        server.OnStatus = [this](const QString& s) { status << s; };
        server.SetWSJTEnabled(true);
        server.SetWSJTLogBand(true);
        server.SetWSJTLogFreq(true);
        server.SetWSJTPort(FreePort());
        server.Open();
        ASSERT_TRUE(server.Listening());
    }
    void TearDown() override { log.WaitForWriter(); }

    static int FreePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    std::unique_ptr<QTcpSocket> Sender()
    {
        auto s = std::make_unique<QTcpSocket>();
        s->connectToHost(QHostAddress::LocalHost, server.ServerPort());
        EXPECT_TRUE(waitUntil([&] { return s->state() == QAbstractSocket::ConnectedState; }));
        spin(10);
        return s;
    }
    // Each piece is read by the server before the next one is sent.
    void SendPieces(QTcpSocket& s, const QList<QByteArray>& pieces)
    {
        for (const QByteArray& p : pieces) {
            s.write(p);
            s.flush();
            spin(20);
        }
    }

    TLogRecord Logged(int i) const
    {
        TLogRecord r;
        r.ExplodeQSOLine(log.LogBook().value(i));
        return r;
    }

    QTemporaryDir dir;
    TLogInterface log;
    TFTCATInterface cat;
    TDMDX dmdx;
    TApplicationRole role;
    RecordingLink link;
    TWSJTServer server;
    QStringList status;
};

void ExpectFT4(const TLogRecord& r)
{
    EXPECT_EQ(r.Call(), "K9RE");
    EXPECT_EQ(r.Band(), bd10);
    EXPECT_EQ(r.FreqAsString(), "28.181");
    EXPECT_EQ(r.Mode(), mMFSK);
    EXPECT_EQ(r.SubMode(), "FT4");
    EXPECT_EQ(r.QSODateAsString(), "20230407");
    EXPECT_EQ(r.TimeOnAsString(), "205046");
    EXPECT_EQ(r.GridSquare(), "EN62");
}

} // namespace

TEST_F(WSJTServerTest, OneQSOInOnePieceAndInThree)
{
    auto s = Sender();
    SendPieces(*s, {Message(FT4Record)});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 1; }));
    ExpectFT4(Logged(0));

    // The marker and the end cut by the network, in other letter cases, without the blank.
    const QByteArray m = Message(QByteArray(FT4Record).replace("K9RE", "K9RF").replace("<eor>", "<EOR>"),
                                 "<command:3>log<parameters:");
    const qsizetype cut1 = 5, cut2 = m.size() - 3;
    SendPieces(*s, {m.left(cut1), m.mid(cut1, cut2 - cut1), m.mid(cut2)});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 2; }));
    TLogRecord r = Logged(0).Call() == "K9RF" ? Logged(0) : Logged(1);
    EXPECT_EQ(r.Call(), "K9RF");
    EXPECT_EQ(r.Band(), bd10);
    EXPECT_EQ(r.SubMode(), "FT4");
    EXPECT_TRUE(status.isEmpty());
}

TEST_F(WSJTServerTest, SeveralQSOsPerReadAndPerConnection)
{
    auto a = Sender();
    auto b = Sender();
    const QByteArray first = Message(QByteArray(FT4Record).replace("K9RE", "K1AA"));
    const QByteArray second = Message(QByteArray(FT4Record).replace("K9RE", "K1BB"));
    const QByteArray third = Message(QByteArray(FT4Record).replace("K9RE", "K1CC"));
    // Two in one read; a third sender's QSO between the halves of another one.
    SendPieces(*a, {first + second.left(40)});
    SendPieces(*b, {third});
    SendPieces(*a, {second.mid(40)});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 3; }));
    QStringList calls;
    for (int i = 0; i < 3; ++i)
        calls << Logged(i).Call();
    calls.sort();
    EXPECT_EQ(calls, QStringList({"K1AA", "K1BB", "K1CC"}));

    // A new marker drops what was collected.
    SendPieces(*a, {"<command:3>Log <parameters:20><call:5>K1DDD <mode:3>FT8", Message("<call:5>K1EEE <mode:3>FT8 <eor>")});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 4; }));
    spin(20);
    EXPECT_EQ(log.LogBook().size(), 4);
    EXPECT_TRUE(log.LogBook().filter("K1EEE").size() == 1);
}

TEST_F(WSJTServerTest, EndOfRecordIsTrustedOverTheAnnouncedLength)
{
    // The sender counts characters and sends UTF-8.
    const QByteArray record = QString("<call:5>K1ABC <comment:5>Grüße <mode:3>FT8 <band:3>20m <eor>").toUtf8();
    auto s = Sender();
    SendPieces(*s, {"<command:3>Log <parameters:" + QByteArray::number(record.size() - 2) + ">" + record.left(28),
                    record.mid(28)});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 1; }));
    EXPECT_EQ(Logged(0).Comment(), QString("Grüße"));
    EXPECT_EQ(Logged(0).Band(), bd20);
}

TEST_F(WSJTServerTest, BytesThatAreNotUTF8BecomeQuestionMarks)
{
    struct {
        QByteArray comment;
        qsizetype cut; // the record goes out in two reads, cut this far into the comment
        const char* stored;
    } cases[] = {
        {"Gr\xFC\xDF" "e", 3, "Gr??e"}, // Latin-1
        // Valid text stays; a sequence cut short and one that is not UTF-8 give one "?" a byte.
        {"\xC3\xBC" "ber \xE2\x82 \xED\xA0\x80 \xC0\xAF \xC3", 1, "\xC3\xBC" "ber ?? ??? ?? ?"},
        {"\xE2\x82\xAC" "5", 2, "\xE2\x82\xAC" "5"},
    };
    auto s = Sender();
    int n = 0;
    for (const auto& c : cases) {
        // The sender announces the length in characters.
        const QByteArray head = "<call:5>K1ABC <comment:" + QByteArray::number(QString::fromUtf8(c.stored).size()) + ">";
        const QByteArray m = Message(head + c.comment + " <mode:3>FT8 <band:3>20m <eor>");
        const qsizetype cut = m.indexOf(c.comment) + c.cut;
        SendPieces(*s, {m.left(cut), m.mid(cut)});
        ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == n + 1; }));
        EXPECT_EQ(Logged(n).Comment(), QString::fromUtf8(c.stored)) << c.comment.toHex().toStdString();
        ++n;
    }
}

TEST_F(WSJTServerTest, ServerRolesBroadcastInsteadOfLogging)
{
    int logged = 0;
    for (TApplicationType r : {isRemoteServer, isLocalAndRemoteServer}) {
        role.SetApplicationType(r);
        link.messages.clear();
        auto s = Sender();
        const QByteArray call = r == isRemoteServer ? "K9RE" : "K9RF";
        SendPieces(*s, {Message(QByteArray(FT4Record).replace("K9RE", call).replace(" <eor>", "\r\n<eor>\r\n"))});
        ASSERT_TRUE(waitUntil([&] { return !link.messages.isEmpty(); }));
        spin(20);
        ASSERT_EQ(link.messages.size(), 1);
        const QString m = link.messages[0];
        EXPECT_TRUE(m.startsWith("JT:<call:4>" + call + " ")) << m.toStdString();
        EXPECT_TRUE(m.endsWith("<eor>;"));
        EXPECT_FALSE(m.contains('\r') || m.contains('\n')) << "one line of the remote link";
        EXPECT_EQ(log.LogBook().size(), logged) << "not logged at the server";

        // What a client does with the line's payload: the same QSO.
        dmdx.AddWSJTQSO(m.mid(3, m.size() - 4));
        ASSERT_EQ(log.LogBook().size(), ++logged);
        if (r == isRemoteServer)
            ExpectFT4(Logged(0));
    }
}

TEST_F(WSJTServerTest, NothingListensWhenDisabledOrWithoutAPort)
{
    const int port = FreePort();
    TWSJTServer off;
    off.SetWSJTPort(port);
    off.Open();
    EXPECT_FALSE(off.Listening());
    off.SetWSJTEnabled(true);
    off.SetWSJTPort(0);
    off.Open();
    EXPECT_FALSE(off.Listening());
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, quint16(port));
    EXPECT_FALSE(s.waitForConnected(500));

    server.Close();
    EXPECT_FALSE(server.Listening());

    // A port that is taken is reported, not fatal.
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::AnyIPv4, 0));
    TWSJTServer busy;
    busy.OnStatus = [this](const QString& t) { status << t; };
    busy.SetWSJTEnabled(true);
    busy.SetWSJTPort(taken.serverPort());
    busy.Open();
    EXPECT_FALSE(busy.Listening());
    EXPECT_EQ(status.size(), 1);
}

TEST_F(WSJTServerTest, CollectorIsCapped)
{
    auto s = Sender();
    bool closed = false;
    QObject::connect(s.get(), &QTcpSocket::disconnected, [&] { closed = true; });
    SendPieces(*s, {"<command:3>Log <parameters:99999><call:5>K1ABC " + QByteArray(70000, 'x')});
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_EQ(status.size(), 1);
    EXPECT_TRUE(log.LogBook().isEmpty());

    // Other senders go on; text without a marker never piles up.
    auto t = Sender();
    SendPieces(*t, {QByteArray(200000, 'y'), Message(FT4Record)});
    ASSERT_TRUE(waitUntil([&] { return log.LogBook().size() == 1; }));
    EXPECT_EQ(status.size(), 1);
}

TEST_F(WSJTServerTest, Settings)
{
    TDMApplication app;
    TIniStore& ini = *app.IniRegistry();
    TWSJTServer fresh;
    fresh.IniRead(ini);
    EXPECT_FALSE(fresh.WSJTEnabled());
    EXPECT_EQ(fresh.WSJTPort(), 52001);
    EXPECT_FALSE(fresh.WSJTLogBand());
    ini.WriteBool("Server\\WSJT-X", "Enabled", true);
    ini.WriteInteger("Server\\WSJT-X", "Port", 52002);
    ini.WriteBool("Server\\WSJT-X", "LogFreq", true);
    fresh.IniRead(ini);
    EXPECT_TRUE(fresh.WSJTEnabled());
    EXPECT_EQ(fresh.WSJTPort(), 52002);
    EXPECT_TRUE(fresh.WSJTLogFreq());
    fresh.SetWSJTLogBand(true);
    fresh.IniWrite(ini);
    EXPECT_TRUE(ini.ReadBool("Server\\WSJT-X", "LogBand", false));
}
