#include "platform/SerialPort.h"
#include "tests/support/Pty.h"
#include "tests/support/Wait.h"

#include <gtest/gtest.h>
#include <termios.h>

using vx::SerialPort;
using vxtest::Pty;
using vxtest::waitUntil;

TEST(SerialPort, CarriesBytesBothWaysAt38400With2StopBits)
{
    Pty pty;
    ASSERT_TRUE(pty.ok());
    SerialPort port;
    port.setPort(pty.slaveName());
    port.setBaudRate(38400);
    port.setDataBits(8);
    port.setParity(SerialPort::Parity::None);
    port.setStopBits(SerialPort::StopBits::Two);
    int opened = 0;
    port.OnAfterOpen = [&] { ++opened; };
    QString received;
    port.OnRxChar = [&](int count) { received += port.readStr(count); };

    ASSERT_TRUE(port.open()) << port.lastError().toStdString();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(port.connected());

    termios t{};
    ASSERT_EQ(tcgetattr(pty.masterFd(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B38400));
    EXPECT_TRUE(t.c_cflag & CSTOPB);

    EXPECT_EQ(port.writeStr("FA;"), 3);
    EXPECT_EQ(pty.readFor(2000, 3), QByteArray("FA;"));

    pty.write("FA00014074000;");
    ASSERT_TRUE(waitUntil([&] { return received.size() >= 14; }));
    EXPECT_EQ(received, "FA00014074000;");
}

TEST(SerialPort, ClosingTheDeviceEndIsReportedAsClose)
{
    Pty pty;
    SerialPort port;
    port.setPort(pty.slaveName());
    bool closed = false;
    QString error;
    port.OnAfterClose = [&] { closed = true; };
    port.OnError = [&](const QString& e) { error = e; };
    ASSERT_TRUE(port.open());
    pty.closeMaster();
    ASSERT_TRUE(waitUntil([&] { return closed; }));
    EXPECT_FALSE(port.connected());
    EXPECT_TRUE(port.lost());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(port.writeStr("PS;"), -1);

    // Opened again and closed by its owner, it is not lost.
    Pty other;
    port.setPort(other.slaveName());
    ASSERT_TRUE(port.open());
    EXPECT_FALSE(port.lost());
    closed = false;
    port.close();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(port.lost());
}

TEST(SerialPort, ModemLineFailureLeavesThePortUsable)
{
    Pty pty;
    SerialPort port;
    port.setPort(pty.slaveName());
    ASSERT_TRUE(port.open());
    port.setRts(true); // a pty has no modem lines; this may fail
    port.setDtr(true);
    EXPECT_TRUE(port.connected());
    EXPECT_EQ(port.writeStr("ID;"), 3);
    EXPECT_EQ(pty.readFor(2000, 3), QByteArray("ID;"));
}

TEST(SerialPort, OpenFailuresAreReturnedNotThrown)
{
    SerialPort unnamed;
    EXPECT_FALSE(unnamed.open());
    SerialPort missing;
    missing.setPort("/dev/ttyVornixMissing0");
    EXPECT_FALSE(missing.open());
    EXPECT_FALSE(missing.lastError().isEmpty());
    EXPECT_EQ(missing.writeStr("PS;"), -1);
    EXPECT_TRUE(missing.readStr(10).isEmpty());
}
