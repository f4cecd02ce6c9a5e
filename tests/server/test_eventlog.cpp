// The server's event log: the header of a new file, the line format, appending on a second
// start, the connection events through the main window, and logs that cannot be written.
#include "ServerTestUtils.h"
#include "remote/DMServer.h"
#include "core/DataFiles.h"
#include "tests/support/PrivateMounts.h"

#include <QTemporaryDir>

namespace {

QStringList LogLines(const QString& file = TServerEventLog::DefaultFileName())
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.isEmpty() || text.endsWith("\r\n"));
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    return lines;
}

const QString Dashes(80, '-');

// The remote control server on a port, with the event log on.
void ConfigureLoggingServer(quint16 port)
{
    Configure([&](TIniStore& ini) {
        ConfigureRemoteServer(ini, port);
        ini.WriteBool("Server\\Application", "LogFile", true);
    });
}

} // namespace

TEST(ServerEventLog, LineFormat)
{
    const QDateTime at(QDate(2024, 3, 9), QTime(7, 5, 59));
    struct Case {
        const char* event;
        const char* user;
        const char* message;
        const char* line;
    };
    // Date and time, a blank, the event in 16, a blank, the user in 10, a blank, the message.
    const Case cases[] = {
        {"Connect Request", "", "", "2024-03-09 07:05 Connect Request             "},
        {"Connected", "W1AW", "Login OK", "2024-03-09 07:05 Connected        W1AW       Login OK"},
        {"Disconnect", "", "User not registered",
         "2024-03-09 07:05 Disconnect                  User not registered"},
        // A long name is written whole and shifts the message.
        {"Connected", "DL/W1AW/P/QRP", "Login OK", "2024-03-09 07:05 Connected        DL/W1AW/P/QRP Login OK"},
    };
    EXPECT_EQ(QString(cases[0].line), "2024-03-09 07:05 Connect Request" + QString(1 + 1 + 10 + 1, ' '));
    for (const Case& c : cases)
        EXPECT_EQ(TServerEventLog::FormatLine(at, c.event, c.user, c.message), c.line);
    // The columns of the header sit over the fields.
    const QString header = TServerEventLog::HeaderLine;
    const QString line = TServerEventLog::FormatLine(at, "Connected", "W1AW", "Login OK");
    for (const char* column : {"Time", "Event", "User", "Message"})
        EXPECT_EQ(line[header.indexOf(column) - 1], ' ') << column;
    EXPECT_EQ(header.indexOf("Event"), line.indexOf("Connected"));
    EXPECT_EQ(header.indexOf("User"), line.indexOf("W1AW"));
    EXPECT_EQ(header.indexOf("Message"), line.indexOf("Login OK"));
    EXPECT_EQ(TServerEventLog::DefaultFileName(), GetUserDataFileName("server_log.txt"));
}

TEST(ServerEventLog, ANewFileGetsTheHeaderAndASecondStartAppends)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("sub/server_log.txt");
    for (int start = 0; start < 2; ++start) {
        TServerEventLog log(file);
        ASSERT_TRUE(log.Open());
        log.Write("Start", "", "");
        log.Write("", "W1AW", "nothing without an event");
        log.Close();
        log.Write("End", "", ""); // closed: nothing
    }
    const QStringList lines = LogLines(file);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "Date       Time  Event            User       Message");
    EXPECT_EQ(lines[1], Dashes);
    EXPECT_TRUE(lines[2].endsWith(" Start                       ")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith(" Start                       "));
    EXPECT_EQ(lines[2].left(16).size(), QString("yyyy-MM-dd hh:mm").size());
}

TEST_F(ServerWindowTest, ConnectionEventsReachTheLog)
{
    const quint16 port = FreePort();
    ConfigureLoggingServer(port);
    Start();
    ASSERT_TRUE(form->LogFileOpen());
    {
        LinePeer peer;
        ASSERT_TRUE(peer.Connect(port));
        peer.Send("MG:Callsign W1AW");
        ASSERT_TRUE(peer.WaitFor("MG:Your Password:"));
        peer.Send("MG:Password secret");
        ASSERT_TRUE(peer.WaitFor("MG:Login OK"));
        peer.Socket()->disconnectFromHost();
        ASSERT_TRUE(waitUntil([&] { return modules->Server()->Clients().isEmpty(); }));
    }
    form->close();
    EXPECT_FALSE(form->LogFileOpen());

    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 7) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[1], Dashes);
    const QStringList events = {"Start", "Connect Request", "Connected", "Disconnect", "End"};
    const QStringList tails = {"", "", "W1AW       Login OK", "W1AW       Disconnect", ""};
    for (int i = 0; i < events.size(); ++i) {
        const QString line = lines[i + 2];
        EXPECT_EQ(line.mid(17, 16).trimmed(), events[i]) << line.toStdString();
        EXPECT_EQ(line.mid(34).trimmed(), tails[i]) << line.toStdString();
    }
}

TEST_F(ServerWindowTest, TheLogSwitchedOffStopsTheConnectionEvents)
{
    const quint16 port = FreePort();
    ConfigureLoggingServer(port);
    Start();
    modules->Server()->SetLogFile(false);
    LinePeer peer;
    ASSERT_TRUE(peer.Connect(port));
    ASSERT_TRUE(waitUntil([&] { return !modules->Server()->Clients().isEmpty(); }));
    form->close();
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString(); // header, dashes, Start, End
    EXPECT_TRUE(lines[3].contains(" End "));
}

TEST_F(ServerWindowTest, ALogThatCannotBeWrittenIsReportedOnceAndHurtsNoHandler)
{
    const quint16 port = FreePort();
    ConfigureLoggingServer(port);
    // The user data folder cannot take the file: a folder stands where it would be.
    ASSERT_TRUE(QDir().mkpath(TServerEventLog::DefaultFileName()));
    Start();
    EXPECT_FALSE(form->LogFileOpen());
    EXPECT_EQ(Messages(), 1);

    LinePeer peer;
    ASSERT_TRUE(peer.Connect(port));
    peer.Send("MG:Callsign W1AW");
    EXPECT_TRUE(peer.WaitFor("MG:Your Password:"));
    form->close();
    EXPECT_EQ(Messages(), 1);
    QDir(TServerEventLog::DefaultFileName()).removeRecursively();
}

TEST(ServerEventLog, AFullDiskClosesTheLogAndReportsItOnce)
{
    VX_RUN_IN_PRIVATE_MOUNTS();
    QTemporaryDir dir;
    vxtest::TSmallDisk disk(dir.path(), 64 * 1024);
    ASSERT_TRUE(disk.Mounted()) << disk.Error().toStdString();
    TServerEventLog log(dir.filePath("server_log.txt"));
    QStringList errors;
    log.OnError = [&](const QString& text) { errors << text; };
    ASSERT_TRUE(log.Open());
    log.Write("Start", "", "");
    ASSERT_TRUE(disk.Fill());
    for (int i = 0; i < 200; ++i)
        log.Write("Connect Request", "", QString(400, 'x'));
    EXPECT_FALSE(log.IsOpen());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("server_log.txt")) << errors[0].toStdString();
}
