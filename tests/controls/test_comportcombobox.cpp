// The port and baud selector: the twelve rates, a rate the list lacks, and ports that keep
// their case, may be typed in and stay when the machine no longer lists them.
#include "controls/widgets/COMPortComboBox.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

class PortSelector : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCOMPortComboBox::SetPortSource([] { return QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}; });
    }
    void TearDown() override { TCOMPortComboBox::SetPortSource({}); }
};

} // namespace

TEST(BaudSelector, OffersTheTwelveRatesAndKeepsOneItLacks)
{
    TCOMPortComboBox box;
    EXPECT_EQ(box.COMPortProperty(), cpBaudrate);
    EXPECT_EQ(box.Items(), (QStringList{"1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600",
                                        "115200", "128000", "256000"}));
    EXPECT_FALSE(box.isEditable());
    EXPECT_EQ(box.COMBaudrate(), br4800); // the start value, selected
    EXPECT_EQ(box.Text(), "4800");

    box.SetCOMBaudrate(br38400);
    box.SetCOMPortProperty(cpBaudrate); // the list rebuilt
    EXPECT_EQ(box.Text(), "38400");
    EXPECT_EQ(box.COMBaudrate(), br38400);

    box.SetCOMBaudrate(br600);
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(box.COMBaudrate(), br600);

    box.setCurrentIndex(int(box.Items().indexOf("115200")));
    EXPECT_EQ(box.COMBaudrate(), br115200);
    EXPECT_EQ(BaudRateValue(box.COMBaudrate()), 115200);

    // A port name means nothing to a baud list.
    box.SetCOMPort("/dev/ttyUSB0");
    EXPECT_EQ(box.Text(), "115200");
}

TEST(BaudSelector, RatesAndTheirNumbers)
{
    const std::pair<TBaudRate, int32_t> rates[] = {
        {br110, 110}, {br1200, 1200}, {br38400, 38400}, {br56000, 56000}, {br256000, 256000}};
    for (auto [rate, value] : rates) {
        EXPECT_EQ(BaudRateValue(rate), value);
        EXPECT_EQ(BaudRateOf(value), rate);
    }
    EXPECT_EQ(BaudRateValue(brCustom), 0);
    EXPECT_FALSE(BaudRateOf(12345).has_value());
    EXPECT_FALSE(BaudRateOf(0).has_value());
}

TEST_F(PortSelector, ListsTheMachinesPortsAfterAnEmptyEntry)
{
    TCOMPortComboBox box;
    box.SetCOMPortProperty(cpPort);
    EXPECT_EQ(box.Items(), (QStringList{"", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_EQ(box.COMPort(), "");
    EXPECT_EQ(box.currentIndex(), 0);
}

TEST_F(PortSelector, PortsKeepTheirCaseAndAbsentOnesStay)
{
    struct Case {
        const char* set;
        const char* reported;
        int index; // -1: kept as text, not an entry
    };
    const Case cases[] = {
        {"/dev/ttyUSB0", "/dev/ttyUSB0", 2},
        {"/dev/ttyusb0", "/dev/ttyusb0", -1}, // another device, not this one in other case
        {"/dev/ttyACM3", "/dev/ttyACM3", -1}, // unplugged now: not erased
        {"/dev/pts/7", "/dev/pts/7", -1},     // a pseudo-terminal is never listed
        {"", "", 0},
        {"  /dev/ttyS0 ", "/dev/ttyS0", 1},
    };
    TCOMPortComboBox box;
    box.SetCOMPortProperty(cpPort);
    for (const Case& c : cases) {
        box.SetCOMPort(c.set);
        EXPECT_EQ(box.COMPort(), c.reported) << c.set;
        EXPECT_EQ(box.currentIndex(), c.index) << c.set;
    }

    // The stored port survives a rebuild of the list.
    box.SetCOMPort("/dev/ttyACM3");
    box.SetCOMPortProperty(cpPort);
    EXPECT_EQ(box.COMPort(), "/dev/ttyACM3");
}

TEST_F(PortSelector, TakesATypedDevicePath)
{
    TCOMPortComboBox box;
    box.SetCOMPortProperty(cpPort);
    ASSERT_TRUE(box.isEditable());
    box.lineEdit()->setText("/dev/pts/12");
    EXPECT_EQ(box.COMPort(), "/dev/pts/12");
    // Typing adds no entry to the list.
    EXPECT_EQ(box.count(), 3);

    box.SetText("/dev/ttyS0");
    EXPECT_EQ(box.COMPort(), "/dev/ttyS0");
    box.SetText("/dev/nothing");
    EXPECT_EQ(box.COMPort(), "/dev/ttyS0");
}
