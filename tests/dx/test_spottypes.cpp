#include "dx/DXSpotTypes.h"

#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

const QDateTime Start(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC);

class SpotTypes : public ::testing::Test {
protected:
    void SetUp() override { vx::Clock::useManual(Start); }
    void TearDown() override { vx::Clock::useSystem(); }
};

TEST_F(SpotTypes, CallValidity)
{
    struct {
        const char* Call;
        bool Valid;
    } cases[] = {
        {"AB1CDE", true}, {"ab1cde", false}, {"AB1-CD", false}, {"A1", false},  {"ABC", false},
        {"A/B", true},    {"123", false},    {"DL1ABC/P", true}, {"", false},   {"AB1 CD", false},
        {"ÄB1CD", false},
    };
    for (const auto& c : cases) {
        TDXSpot spot;
        spot.SetCall(QString::fromUtf8(c.Call));
        EXPECT_EQ(spot.IsValid(), c.Valid) << c.Call;
        EXPECT_EQ(spot.Call(), QString::fromUtf8(c.Call)) << "stored unchanged";
    }
}

TEST_F(SpotTypes, FrequencyText)
{
    struct {
        const char* Text;
        int32_t Hz;
        TBand Band;
        const char* Kept;
    } cases[] = {
        {"3.5", 3500, bdAll, "3.5"},
        {"1799.9", 1799900, bdAll, "1799.9"},
        {"1800.0", 1800000, bd160, "1800.0"},
        {"14025.0", 14025000, bd20, "14025.0"},
        {" 7040.55 ", 7040500, bd40, "7040.55"},
        {"54000.0", 54000000, bd6, "54000.0"},
        {"54000.1", 0, bdAll, ""},
        {"1.7", 0, bdAll, ""},
        {"1.8", 1800, bdAll, "1.8"},
        {"7040", 0, bdAll, "7040"},
        {"7040.", 0, bdAll, ""},
        {".5", 0, bdAll, ""},
        {"70x0.0", 0, bdAll, ""},
        {"7040.x", 0, bdAll, ""},
        {"99999999999.0", 0, bdAll, ""},
        // Past 32 bits once multiplied to Hz: these would wrap onto 20 m and 2 GHz.
        {"4308992.0", 0, bdAll, ""},
        {"4309017.5", 0, bdAll, ""},
        {"10368887.0", 0, bdAll, ""},
        {"", 0, bdAll, ""},
    };
    for (const auto& c : cases) {
        TDXSpot spot;
        spot.SetFrequencyA(14000000);
        spot.SetFrequencyAsString(QString::fromLatin1(c.Text));
        EXPECT_EQ(spot.FrequencyA(), c.Hz) << c.Text;
        EXPECT_EQ(spot.Band(), c.Band) << c.Text;
        EXPECT_EQ(spot.FrequencyAsString(), QString::fromLatin1(c.Kept)) << c.Text;
    }
}

TEST_F(SpotTypes, FrequencyInHzSetsBandAndText)
{
    TDXSpot spot;
    spot.SetFrequencyA(50110000);
    EXPECT_EQ(spot.Band(), bd6);
    EXPECT_EQ(spot.FrequencyAsString(), QStringLiteral("50110.0"));
    spot.SetFrequencyA(10140000);
    EXPECT_EQ(spot.Band(), bd30);
    EXPECT_EQ(spot.FrequencyAsString(), QStringLiteral("10140.0"));
    spot.SetFrequencyA(0);
    EXPECT_EQ(spot.Band(), bdAll);
    EXPECT_EQ(spot.FrequencyAsString(), QStringLiteral("0.0"));

    TSpot flat;
    flat.FFrequencyA = 7040000;
    EXPECT_EQ(flat.GetFrequencyString(), QStringLiteral("7040.0"));
}

TEST_F(SpotTypes, DistanceText)
{
    TSpot spot;
    spot.FDistanceSP = 100;
    EXPECT_EQ(spot.GetDistance(ruKM), QStringLiteral("100 km"));
    EXPECT_EQ(spot.GetDistance(ruMiles), QStringLiteral("62 mi"));
    spot.FDistanceSP = 0;
    EXPECT_EQ(spot.GetDistance(ruMiles), QStringLiteral("0 mi"));
    TDXSpot dx;
    dx.SetDistanceSP(20000);
    dx.SetDistanceLP(20030);
    EXPECT_EQ(dx.GetDistanceSP(ruMiles), QStringLiteral("12427 mi"));
    EXPECT_EQ(dx.GetDistanceLP(ruKM), QStringLiteral("20030 km"));
}

TEST_F(SpotTypes, SpotColourFirstRuleWins)
{
    TSpot spot;
    EXPECT_EQ(spot.GetColor(), 0xFCDB83u);
    spot.FIsUseless = true;
    EXPECT_EQ(spot.GetColor(), 0x808080u);
    spot.FIsUseless = false;
    spot.FIsBeacon = true;
    EXPECT_EQ(spot.GetColor(), 0x808080u);
    spot.FIsWanted = true;
    EXPECT_EQ(spot.GetColor(), 0x99FFFFu);
    spot.FIsLogged = true;
    EXPECT_EQ(spot.GetColor(), 0xFFFF00u);
    spot.FIsWanted = false;
    EXPECT_EQ(spot.GetColor(), 0x99FF00u);
    spot.FIsWanted = true;
    spot.FIsMySpot = true;
    EXPECT_EQ(spot.GetColor(), 0xFFFFFFu);
}

TEST_F(SpotTypes, ShortTextsAreCut)
{
    TSpot spot;
    spot.SetComment(QString(40, u'x'));
    EXPECT_EQ(spot.Comment(), QString(31, u'x'));
    spot.SetSpotter(QStringLiteral("DL1ABCDEFGHI/"));
    EXPECT_EQ(spot.Spotter(), QStringLiteral("DL1ABCDEFGHI"));
    spot.SetCall(QStringLiteral("VERYLONGCALL/P/MM"));
    EXPECT_EQ(spot.Call().size(), 14);
    // A character outside the basic plane is not split in half.
    spot.SetFrequencyText(QStringLiteral("1234567") + QString::fromUcs4(U"\U0001F600"));
    EXPECT_EQ(spot.FrequencyText(), QStringLiteral("1234567"));
}

TEST_F(SpotTypes, ClearStampsCurrentUtcTime)
{
    TSpot spot;
    EXPECT_EQ(spot.FTimeStamp, Start);
    EXPECT_EQ(spot.FTimeStamp.timeSpec(), Qt::UTC);
    spot.FADIFCode = 5;
    spot.SetCall(QStringLiteral("K1ABC"));
    vx::Clock::advance(60000);
    spot.Clear();
    EXPECT_EQ(spot.FADIFCode, 0);
    EXPECT_TRUE(spot.Call().isEmpty());
    EXPECT_EQ(spot.FTimeStamp, Start.addSecs(60));

    TDXSpot dx;
    dx.SetDXCCItemIndex(17);
    dx.SetCall(QStringLiteral("x"));
    dx.SetAddDXSpot(false);
    dx.SetLatitude(5);
    dx.Clear();
    EXPECT_EQ(dx.DXCCItemIndex(), 17);
    EXPECT_TRUE(dx.IsValid());
    EXPECT_TRUE(dx.AddDXSpot());
    EXPECT_EQ(dx.Latitude(), 0);
    EXPECT_EQ(dx.TimeStamp(), Start.addSecs(60));
}

TEST_F(SpotTypes, CommentIsCleanedWithItsFindings)
{
    TDXSpot spot;
    spot.SetComments(QStringLiteral("PSE QSL direct"));
    EXPECT_TRUE(spot.IsUseless());
    EXPECT_EQ(spot.CleanComments(), QStringLiteral("PSE QSL direct"));
    spot.SetComments(QStringLiteral("IOTA award tnx"));
    EXPECT_FALSE(spot.IsUseless());
    EXPECT_TRUE(spot.IsAward());
    EXPECT_EQ(spot.CleanComments(), QStringLiteral("IOTA award"));
}

TEST_F(SpotTypes, CopyToAndFromFlatSpot)
{
    TDXSpot dx;
    dx.SetADIFCode(230);
    dx.SetBearing(0, 45);
    dx.SetBearing(1, 225);
    dx.SetCall(QStringLiteral("DL1ABC"));
    dx.SetSpotter(QStringLiteral("W1AW"));
    dx.SetComments(QString(40, u'a'));
    dx.SetCont(coEU);
    dx.SetDistanceSP(6000);
    dx.SetFrequencyA(14025000);
    dx.SetFrequencyB(14030000);
    dx.SetIsWanted(true);
    dx.SetLocator(QStringLiteral("JO62QM"));
    dx.SetModeType(mtCW);
    dx.SetSplit(true);
    dx.SetSpotID(9);
    dx.SetSpotterADIFCode(291);
    dx.SetSpotterCont(coNA);
    dx.SetCQZone(QStringLiteral("14"));

    TSpot flat;
    dx.CopyToTSpot(flat);
    EXPECT_EQ(flat.FADIFCode, 230);
    EXPECT_EQ(flat.FBand, bd20);
    EXPECT_EQ(flat.FBearingSP, 45);
    EXPECT_EQ(flat.Call(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(flat.Comment(), QString(31, u'a'));
    EXPECT_EQ(flat.FrequencyText(), QStringLiteral("14025.0"));
    EXPECT_EQ(flat.FFrequencyB, 14030000);
    EXPECT_TRUE(flat.FIsWanted);
    EXPECT_TRUE(flat.FSplit);
    EXPECT_EQ(flat.FSpotID, 9);
    EXPECT_EQ(flat.Spotter(), QStringLiteral("W1AW"));
    EXPECT_EQ(flat.FSpotterCont, coNA);
    EXPECT_EQ(flat.FTimeStamp, dx.TimeStamp());

    // Back: the call is checked again, the comment cleaned again, the band follows the
    // frequency, and the flags of the flat spot win over the cleaner's findings.
    TSpot own;
    own.SetCall(QStringLiteral("ab1cd"));
    own.SetComment(QStringLiteral("pse qsl"));
    own.FFrequencyA = 7010000;
    own.FBand = bd20;
    own.FIsUseless = false;
    own.FIsMySpot = true;
    own.SetSpotter(QStringLiteral("DK0XX"));
    TDXSpot back;
    back.SetCQZone(QStringLiteral("14"));
    back.SetBearing(1, 200);
    back.CopyFromTSpot(own);
    EXPECT_FALSE(back.IsValid());
    EXPECT_EQ(back.Band(), bd40);
    EXPECT_EQ(back.FrequencyAsString(), QStringLiteral("7010.0"));
    EXPECT_EQ(back.CleanComments(), QStringLiteral("pse qsl"));
    EXPECT_FALSE(back.IsUseless());
    EXPECT_TRUE(back.IsMySpot());
    EXPECT_EQ(back.Spotter(), QStringLiteral("DK0XX"));
    EXPECT_EQ(back.CQZone(), QStringLiteral("14"));
    EXPECT_EQ(back.BearingLP(), 200);
}

TEST_F(SpotTypes, SpotDataRecord)
{
    TSpot spot;
    spot.FFrequencyA = 14025000;
    spot.FCont = coEU;
    spot.FSpotterCont = coEU;
    TSpotData d = TSpotData::FromSpot(spot);
    EXPECT_EQ(d.FrequencyB, 14025000) << "no second frequency: the spot frequency";
    EXPECT_TRUE(d.IsIntracontinental);
    spot.FFrequencyB = 14030000;
    spot.FSpotterCont = coNA;
    d = TSpotData::FromSpot(spot);
    EXPECT_EQ(d.FrequencyB, 14030000);
    EXPECT_FALSE(d.IsIntracontinental);
}

TEST(SpotTime, WholeMinutesInEitherDirection)
{
    const QDateTime t(QDate(2024, 1, 1), QTime(10, 0), Qt::UTC);
    EXPECT_EQ(WholeMinutesBetween(t, t.addSecs(121 * 60 - 1)), 120);
    EXPECT_EQ(WholeMinutesBetween(t.addSecs(121 * 60), t), 121);
    EXPECT_GT(WholeMinutesBetween(t, QDateTime()), 60 * 24 * 365 * 100);
}

} // namespace
