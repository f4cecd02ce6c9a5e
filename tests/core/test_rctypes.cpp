#include "core/RCTypes.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(RCTypes, FrequencyToBandEdges)
{
    const struct {
        int32_t hz;
        TBand band;
    } cases[] = {
        {1800000, bd160},  {2000000, bd160},  {1799999, bdAll},  {2000001, bdAll}, {144300000, bdAll},
        {54000000, bd6},   {50000000, bd6},   {3500000, bd80},   {5450000, bd60},  {7000000, bd40},
        {10150000, bd30},  {14350000, bd20},  {18068000, bd17},  {21450000, bd15}, {24890000, bd12},
        {29700000, bd10},  {0, bdAll},        {-5, bdAll},       {432100000, bdAll},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrequencyToBand(c.hz), c.band) << c.hz;
}

TEST(RCTypes, NameTables)
{
    EXPECT_STREQ(BandNames[bdAll], "");
    EXPECT_STREQ(BandNames[bd70c], "70cm");
    EXPECT_STREQ(QSOModeNames[mNone], "");
    EXPECT_STREQ(QSOModeNames[mDIGITALVOICE], "DIGITALVOICE");
    EXPECT_STREQ(QSOModeNames[mMFSKFT4], "FT4");
    EXPECT_STREQ(QSOModeNames[mMFSKQ65], "Q65");
    EXPECT_STREQ(QSOModeNames[mWSP], "WSPR");
    EXPECT_STREQ(PropModeNames[pmINTERNET], "INTERNET");
    EXPECT_STREQ(PropModeDescriptions[2], "AUE - Aurora-E"); // stored alphabetically, not by enum order
    EXPECT_STREQ(ADIFFieldTags[0], "<STATION_CALLSIGN:");
    EXPECT_STREQ(ADIFFieldTags[35], "<EQSL_QSL_RCVD:");
    EXPECT_STREQ(USStateCodes[50], "WY");
    EXPECT_EQ(QSLFlagToChar(qfQueded), "Q");
    EXPECT_EQ(ContinentToString(coAN), "AN");
    EXPECT_EQ(ContinentToString(coAll), "");
}

TEST(RCTypes, SmallConversions)
{
    EXPECT_EQ(ByteToTwoDigits(0), "");
    EXPECT_EQ(ByteToTwoDigits(5), "05");
    EXPECT_EQ(ByteToTwoDigits(40), "40");
    EXPECT_EQ(StringToContinent("EU"), coEU);
    EXPECT_EQ(StringToContinent("eu"), coAll);
    EXPECT_EQ(StringToContinent("OC"), coOC);
    EXPECT_EQ(StringToContinent(""), coAll);
    EXPECT_EQ(QSOModeToModeType(mNone), mtAll);
    EXPECT_EQ(QSOModeToModeType(mCW), mtCW);
    EXPECT_EQ(QSOModeToModeType(mFM), mtPhone);
    EXPECT_EQ(QSOModeToModeType(mAM), mtPhone);
    EXPECT_EQ(QSOModeToModeType(mFT8), mtDigital);
    EXPECT_EQ(DateToYYYYMMDD(QDateTime()), "");
    EXPECT_EQ(DateToYYYYMMDD(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), "");
    EXPECT_EQ(DateToYYYYMMDD(QDateTime(QDate(2021, 3, 5), QTime(23, 59))), "20210305");
}

TEST(RCTypes, UTCNowFollowsTheProgramClock)
{
    vx::Clock::useManual(QDateTime(QDate(2020, 2, 29), QTime(23, 59, 59), Qt::UTC));
    vx::Clock::advance(1000);
    EXPECT_EQ(UTCNow(), QDateTime(QDate(2020, 3, 1), QTime(0, 0), Qt::UTC));
    vx::Clock::useSystem();
    EXPECT_EQ(UTCNow().timeSpec(), Qt::UTC);
}
