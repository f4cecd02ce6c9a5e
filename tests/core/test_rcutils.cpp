#include "core/RCUtils.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(RCUtils, CATTextToNumbers)
{
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } ints[] = {
        {"", 0},          {"+0150", 150},  {"-0020", -20},        {"-0015", -15}, {"12a", 0},
        {" 12", 0},       {"+", std::nullopt}, {"-", std::nullopt}, {"1-2", std::nullopt},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt}, {"00000007", 7},
    };
    for (const auto& c : ints)
        EXPECT_EQ(CATTextToInt(c.text), c.value) << c.text;

    const struct {
        const char* text;
        std::optional<uint8_t> value;
    } bytes[] = {
        {"000", 0}, {"255", 255}, {"256", 0}, {"12a", 0}, {"001", 1}, {"-5", 0}, {"+", std::nullopt},
    };
    for (const auto& c : bytes)
        EXPECT_EQ(CATTextToByte(c.text), c.value) << c.text;

    // Record fields: only sign and digits make a number.
    const struct {
        const char* text;
        std::optional<int32_t> value;
    } fields[] = {
        {"", std::nullopt},   {"+0150", 150}, {"-0020", -20}, {"12a", std::nullopt}, {" 12", std::nullopt},
        {"+", std::nullopt},  {"1-2", std::nullopt}, {"2147483648", std::nullopt}, {"00000007", 7},
    };
    for (const auto& c : fields)
        EXPECT_EQ(DecimalTextToInt(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(RCUtils, ModeCharacters)
{
    const char chars[] = "123456789ABC";
    for (int m = mdLSB; m <= mdPKT_U; ++m) {
        EXPECT_EQ(CATCharToMode(QLatin1Char(chars[m])), TMode(m));
        EXPECT_EQ(ModeToCATChar(TMode(m)), QLatin1Char(chars[m]));
    }
    EXPECT_EQ(CATCharToMode('D'), mdCW);
    EXPECT_EQ(CATCharToMode('0'), mdCW);
    EXPECT_EQ(ModeToCATChar(mdCW), QLatin1Char('3'));
    EXPECT_EQ(ModeToString(mdCW_R), "CW reverse");
    EXPECT_EQ(ModeToString(mdPKT_L), "Packet");
    EXPECT_EQ(ModeToString(mdPKT_U), "Packet");
}

TEST(RCUtils, TextHelpers)
{
    EXPECT_EQ(IntToZeroPadded(3, 7), "007");
    EXPECT_EQ(IntToZeroPadded(2, 123), "123");
    EXPECT_EQ(IntToZeroPadded(4, -5), "00-5"); // the zeros go before the whole text
    EXPECT_EQ(ValueToPercentText(255, 128), "50");
    EXPECT_EQ(ValueToPercentText(255, 255), "100");
    EXPECT_EQ(ValueToPercentText(255, 0), "0");
    EXPECT_EQ(BoolToCATChar(true), QLatin1Char('1'));
    EXPECT_EQ(BoolToOnOff(false), "off");
    EXPECT_TRUE(CATTextToBool("10"));
    EXPECT_FALSE(CATTextToBool(""));
    EXPECT_FALSE(CATTextToBool("01"));
    EXPECT_TRUE(CATCharToBool('1'));
    EXPECT_EQ(ClampInt(-3, 0, 10), 0);
    EXPECT_EQ(ClampInt(11, 0, 10), 10);
    EXPECT_EQ(ClampInt(4, 0, 10), 4);
}

TEST(RCUtils, AngleGeometry)
{
    EXPECT_EQ(PolarToPoint(90, {100, 100}, 10), QPoint(110, 100));
    EXPECT_EQ(PolarToPoint(0, {100, 100}, 10), QPoint(100, 90));
    EXPECT_EQ(PolarToPoint(180, {100, 100}, 10), QPoint(100, 110));
    EXPECT_EQ(PolarToPoint(270, {100, 100}, 10), QPoint(90, 100));

    EXPECT_NEAR(AngleDifference(6.0, 0.5), 0.783, 0.001);
    EXPECT_NEAR(AngleDifference(0.5, 6.0), -0.783, 0.001);
    EXPECT_NEAR(AngleDifference(1.0, 1.5), 0.5, 1e-9);
    EXPECT_NEAR(AngleDifference(2 * M_PI, 0.25), 0.25, 1e-9); // 2π counts as 0

    const QPoint c(50, 50);
    EXPECT_NEAR(PointAngle({50, 10}, c), M_PI, 1e-9);        // top
    EXPECT_NEAR(PointAngle({50, 90}, c), M_PI, 1e-9);        // straight below also gives π
    EXPECT_NEAR(PointAngle({10, 50}, c), M_PI / 2, 1e-9);    // left
    EXPECT_NEAR(PointAngle({90, 50}, c), 3 * M_PI / 2, 1e-9); // right
    EXPECT_EQ(PointAngle2({90, 50}, c), PointAngle({90, 50}, c));

    // DialHelper1 turns PointAngle into degrees clockwise from the top.
    EXPECT_EQ(DialHelper1(PointAngle({50, 10}, c)), 0);
    EXPECT_EQ(DialHelper1(PointAngle({90, 50}, c)), 90);
    EXPECT_EQ(DialHelper1(PointAngle({10, 50}, c)), 270);
}

TEST(RCUtils, SpecialFoldersFollowXdg)
{
    const QByteArray data = qgetenv("XDG_DATA_HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(GetSpecialFolderPath(TSpecialFolder::CommonAppData), QDir::cleanPath(QString::fromLocal8Bit(data)));
    EXPECT_EQ(GetSpecialFolderPath(TSpecialFolder::AppData), QDir::cleanPath(QString::fromLocal8Bit(config)));
}
