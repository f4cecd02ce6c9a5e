#include "dx/DXBandplan.h"
#include "dx/DXSpotFilter.h"

#include <gtest/gtest.h>

namespace {

TDXSpot Spot(int32_t hz, const char* comment = "")
{
    TDXSpot s;
    s.SetFrequencyA(hz);
    s.SetComments(QString::fromLatin1(comment));
    return s;
}

TEST(Bandplan, ModeClassOfSpots)
{
    const TDXBandplan plan;
    struct {
        int32_t Hz;
        const char* Comment;
        TModeType Expected;
    } cases[] = {
        {14069999, "", mtCW},
        {14070000, "", mtDigital},     // CW and digital meet: digital wins
        {14100000, "", mtDigital},     // phone and digital meet: digital wins
        {14100001, "", mtPhone},
        {14350000, "", mtPhone},
        {14000000, "", mtCW},
        {10145000, "", mtDigital},
        {10149000, "x", mtDigital},
        {10150000, "", mtDigital},
        {10100000, "", mtCW},
        {10141000, "ssb", mtDigital},  // no phone range on 30 m
        {50150000, "", mtPhone},
        {50300000, "cw", mtCW},        // 6 m: the comment decides
        {50050000, "usb ssb", mtPhone},
        {14020000, "SSB", mtCW},       // elsewhere the frequency decides
        {14200000, "ft8", mtDigital},
        {7150000, "rtty contest", mtDigital},
        {3700000, "jt65", mtDigital},
        {1700000, "ft8", mtAll},       // no band
    };
    for (const auto& c : cases)
        EXPECT_EQ(plan.GetModeType(Spot(c.Hz, c.Comment)), c.Expected) << c.Hz << " " << c.Comment;
}

TEST(Bandplan, OutsideEveryRangeIsNoModeClass)
{
    TDXBandplan plan;
    plan.SetIniString(bd20, QStringLiteral("14000000-14050000 14200000-14350000 14060000-14070000"));
    EXPECT_EQ(plan.GetModeType(Spot(14150000)), mtAll);
}

TEST(Bandplan, IniStringsRoundTrip)
{
    const TDXBandplan defaults;
    EXPECT_EQ(defaults.GetIniString(bd20), QStringLiteral("14000000-14070000 14100000-14350000 14070000-14100000"));
    EXPECT_EQ(defaults.GetIniString(bd30), QStringLiteral("10100000-10140000 0-0 10140000-10150000"));
    EXPECT_EQ(defaults.GetIniString(bdAll), QString());
    EXPECT_EQ(defaults.GetIniString(bd2), QString());

    TDXBandplan copy;
    copy.SetIniString(bd40, QStringLiteral("7000000-7030000 7150000-7200000 7030000-7050000"));
    for (int b = bd160; b <= bd6; ++b) {
        TDXBandplan other;
        other.SetIniString(TBand(b), copy.GetIniString(TBand(b)));
        EXPECT_EQ(other.GetBandSegment(TBand(b)), copy.GetBandSegment(TBand(b))) << b;
    }
    EXPECT_EQ(copy.GetBandSegment(bd40).Range(mtPhone), (TSegmentRange{7150000, 7200000}));
}

TEST(Bandplan, ZeroIniString)
{
    TDXBandplan plan;
    plan.SetIniString(bd60, QStringLiteral("1-2 3-4 5-6"));
    plan.SetIniString(bd60, QStringLiteral("0-0 0-0 0-0"));
    EXPECT_EQ(plan.GetBandSegment(bd60), TDXBandplan().GetBandSegment(bd60)) << "60 m defaults again";
    plan.SetIniString(bd20, QStringLiteral("0-0 0-0 0-0"));
    EXPECT_EQ(plan.GetBandSegment(bd20), TBandSegment{});
}

TEST(Bandplan, BadIniStringsLeaveTheBandUnchanged)
{
    const TBandSegment before = TDXBandplan().GetBandSegment(bd80);
    for (const char* bad : {"", "abc", "3500000-3600000", "3500000-3600000 3600000-4000000 3580000-x",
                            "3500000-3600000 3600000-4000000 3580000-3620000 9", "1-2-3-4-5-6",
                            "3500000 3600000 3600000 4000000 3580000 3620000", "99999999999-1 2-3 4-5"}) {
        TDXBandplan plan;
        plan.SetIniString(bd80, QString::fromLatin1(bad));
        EXPECT_EQ(plan.GetBandSegment(bd80), before) << bad;
    }
    TDXBandplan plan;
    plan.SetIniString(bdAll, QStringLiteral("1-2 3-4 5-6"));
    EXPECT_EQ(plan.GetBandSegment(bdAll), TBandSegment{});
}

TEST(Bandplan, BandModeSegmentTexts)
{
    TDXBandplan plan;
    EXPECT_EQ(plan.GetBandModeSegment(bd60, true, mtCW), QStringLiteral("53515"));
    EXPECT_EQ(plan.GetBandModeSegment(bd20, true, mtCW), QStringLiteral("14000"));
    EXPECT_EQ(plan.GetBandModeSegment(bd20, false, mtPhone), QStringLiteral("14350"));
    EXPECT_EQ(plan.GetBandModeSegment(bdAll, true, mtCW), QStringLiteral("0"));

    plan.SetBandModeSegment(bd20, false, mtCW, QStringLiteral("14060"));
    EXPECT_EQ(plan.GetBandSegment(bd20).Range(mtCW).Upper, 14060000);
    plan.SetBandModeSegment(bd20, false, mtPhone, QStringLiteral("14351"));
    plan.SetBandModeSegment(bd20, true, mtPhone, QStringLiteral("13999"));
    plan.SetBandModeSegment(bd20, true, mtPhone, QStringLiteral("14.100"));
    EXPECT_EQ(plan.GetBandSegment(bd20).Range(mtPhone), (TSegmentRange{14100000, 14350000}));
    plan.SetBandModeSegment(bd20, false, mtPhone, QStringLiteral("14350"));
    EXPECT_EQ(plan.GetBandSegment(bd20).Range(mtPhone).Upper, 14350000);

    plan.SetBandModeSegment(bd60, true, mtDigital, QStringLiteral("53530"));
    EXPECT_EQ(plan.GetBandSegment(bd60).Range(mtDigital).Lower, 5353000);
}

TEST(Bandplan, SegmentOfBandsOutsideThePlanIsEmpty)
{
    const TDXBandplan plan;
    EXPECT_EQ(plan.GetBandSegment(bd2), TBandSegment{});
    EXPECT_EQ(plan.GetBandSegment(bd6).Range(mtDigital), (TSegmentRange{50200000, 54000000}));
}

TEST(SpotFilter, ContinentCountryAndBands)
{
    TDXSpot eu = Spot(14025000);
    eu.SetCont(coEU);
    eu.SetADIFCode(230);
    TDXSpot na = Spot(7025000);
    na.SetCont(coNA);
    na.SetADIFCode(291);
    TDXSpot unknown = Spot(14025000);

    TDXSpotFilter f;
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(eu));

    f.SetShowContinent(cfContinent);
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(eu)) << "no own continent yet";
    f.SetMyCont(coEU);
    f.SetMyDXCCNo(230);
    EXPECT_FALSE(f.FilterIncomingTelnetSpots(eu));
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(na));
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(unknown));

    f.SetShowContinent(cfCountry);
    EXPECT_FALSE(f.FilterIncomingTelnetSpots(eu));
    TDXSpot otherEu = eu;
    otherEu.SetADIFCode(227);
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(otherEu));
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(unknown));

    f.SetShowBands({bd40});
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(na));
    EXPECT_FALSE(f.FilterIncomingTelnetSpots(otherEu));
    f.SetShowBands({});
    EXPECT_FALSE(f.FilterIncomingTelnetSpots(na));
    f.SetShowBands({bdAll});
    EXPECT_TRUE(f.FilterIncomingTelnetSpots(na));
}

} // namespace
