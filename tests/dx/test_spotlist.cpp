#include "dx/BandmapList.h"
#include "dx/DXLocatorList.h"
#include "dx/DXSpotList.h"
#include "dx/DXWWV.h"
#include "dx/DXWantedSpots.h"

#include "core/DataFiles.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QDateTime Now(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC);

TSpot MakeSpot(int32_t id, const char* call, int32_t hz, const char* spotter = "W1AW", int minutesAgo = 0)
{
    TSpot s;
    s.FSpotID = id;
    s.SetCall(QString::fromLatin1(call));
    s.FFrequencyA = hz;
    s.FBand = FrequencyToBand(hz);
    s.SetSpotter(QString::fromLatin1(spotter));
    s.FTimeStamp = Now.addSecs(-60 * minutesAgo);
    s.FModeType = mtCW;
    return s;
}

class SpotList : public ::testing::Test {
protected:
    void SetUp() override
    {
        vx::Clock::useManual(Now);
        FList.OnAdded = [this](const TSpotData& d) { FAdded.push_back(d.SpotID); };
        FList.OnChanged = [this](const TSpotData& d) { FChanged.push_back(d.SpotID); };
        FList.OnRemoved = [this](const TSpotData& d) { FRemoved.push_back(d.SpotID); };
    }
    void TearDown() override { vx::Clock::useSystem(); }

    std::vector<int32_t> Ids() const
    {
        std::vector<int32_t> ids;
        for (int i = 0; i < FList.Count(); ++i)
            ids.push_back(FList[i].SpotID);
        return ids;
    }

    TSpotDataList FList;
    std::vector<int32_t> FAdded, FChanged, FRemoved;
};

TEST_F(SpotList, DuplicatesOfLiveSpotsAreRefused)
{
    EXPECT_TRUE(FList.AddSpot(MakeSpot(1, "DL1ABC", 14025000), true));
    EXPECT_FALSE(FList.AddSpot(MakeSpot(2, "DL1ABC", 14026000), true)) << "same time, call, band, spotter";
    EXPECT_TRUE(FList.AddSpot(MakeSpot(3, "DL1ABC", 14025000, "K1XX"), true)) << "another spotter";
    EXPECT_TRUE(FList.AddSpot(MakeSpot(4, "DL1ABC", 7025000), true)) << "another band";
    EXPECT_TRUE(FList.AddSpot(MakeSpot(5, "DL1ABC", 14025000, "W1AW", 1), true)) << "another minute";
    EXPECT_TRUE(FList.AddSpot(MakeSpot(6, "DL1ABC", 14025000), false)) << "table lines are not checked";
    EXPECT_EQ(Ids(), (std::vector<int32_t>{1, 3, 4, 5, 6}));
    EXPECT_EQ(FAdded, Ids());

    // Once the stored spot is gone, the same spot may come again.
    FList.RemoveSpot(1);
    EXPECT_FALSE(FList.AddSpot(MakeSpot(7, "DL1ABC", 14025000), true)) << "the table copy still counts";
    FList.RemoveSpot(6);
    EXPECT_TRUE(FList.AddSpot(MakeSpot(8, "DL1ABC", 14025000), true));
}

TEST_F(SpotList, RecordIsFilledFromTheSpot)
{
    TSpot s = MakeSpot(1, "DL1ABC", 14025000);
    s.SetComment(QStringLiteral("up 2"));
    s.SetCleanComment(QStringLiteral("up 2"));
    s.FFrequencyB = 14027000;
    s.FSplit = true;
    s.FCont = coEU;
    s.FSpotterCont = coNA;
    ASSERT_TRUE(FList.AddSpot(s, true));
    TSpotData d;
    ASSERT_TRUE(FList.GetSpotData(1, d));
    EXPECT_EQ(d.Call, QStringLiteral("DL1ABC"));
    EXPECT_EQ(d.FrequencyB, 14027000);
    EXPECT_TRUE(d.Split);
    EXPECT_FALSE(d.IsIntracontinental);
    EXPECT_EQ(d.TimeStamp, Now);
    EXPECT_FALSE(FList.GetSpotData(2, d));
    EXPECT_EQ(FList.BandmapSpotLookup(1), QStringLiteral("DL1ABC spotted by W1AW at 12:00 up 2"));
    EXPECT_EQ(FList.BandmapSpotLookup(2), QString());
}

TEST_F(SpotList, LookupsByNumber)
{
    FList.AddSpot(MakeSpot(5, "A1AA", 14025000), false);
    FList.AddSpot(MakeSpot(5, "B1BB", 14025000), false);
    FList.AddSpot(MakeSpot(6, "C1CC", 14025000), false);
    TSpotData d;
    ASSERT_TRUE(FList.GetSpotData(5, d));
    EXPECT_EQ(d.Call, QStringLiteral("B1BB")) << "the newest with that number";
    FList.RemoveSpot(5);
    EXPECT_EQ(FRemoved, std::vector<int32_t>{5});
    EXPECT_EQ(FList[0].Call, QStringLiteral("B1BB")) << "the oldest with that number went";
    FList.RemoveSpot(42);
    FList.RemoveSpot(0);
    EXPECT_EQ(FList.Count(), 2);
    EXPECT_EQ(FRemoved.size(), 1u);
}

TEST_F(SpotList, AgeingInBothDirections)
{
    FList.AddSpot(MakeSpot(1, "OLD1", 14025000, "W1AW", 121), true);
    FList.AddSpot(MakeSpot(2, "EDGE", 14025000, "W1AW", 120), true);
    FList.AddSpot(MakeSpot(3, "FUTURE", 14025000, "W1AW", -2), true);
    FList.AddSpot(MakeSpot(4, "FAR", 14025000, "W1AW", -122), true);
    FList.AddSpot(MakeSpot(5, "OLD2", 14025000, "W1AW", 200), true);
    FList.AddSpot(MakeSpot(6, "NOW", 14025000), true);

    FList.CleanExpiredSpots(0);
    EXPECT_EQ(FList.Count(), 6) << "a lifetime of 0 ages nothing";

    FList.CleanExpiredSpots(120);
    EXPECT_EQ(Ids(), (std::vector<int32_t>{2, 3, 6}));
    EXPECT_EQ(FRemoved, (std::vector<int32_t>{5, 4, 1})) << "newest first";

    // 120 minutes and 59 seconds are still 120 whole minutes.
    vx::Clock::advance(59 * 1000);
    FList.CleanExpiredSpots(120);
    EXPECT_EQ(FList.Count(), 3);
    vx::Clock::advance(1000);
    FList.CleanExpiredSpots(120);
    EXPECT_EQ(Ids(), (std::vector<int32_t>{3, 6}));

    // The indexes follow the removal.
    TSpotData d;
    EXPECT_FALSE(FList.GetSpotData(2, d));
    EXPECT_TRUE(FList.GetSpotData(6, d));
    EXPECT_TRUE(FList.AddSpot(MakeSpot(7, "EDGE", 14025000, "W1AW", 120), true));
    EXPECT_FALSE(FList.AddSpot(MakeSpot(8, "NOW", 14025000), true));
}

TEST_F(SpotList, BoundedWhateverTheLifetime)
{
    const auto call = [](int i) { return QStringLiteral("K%1AB").arg(i).toLatin1(); };
    for (int i = 1; i <= TSpotDataList::MaxCount + 5; ++i)
        ASSERT_TRUE(FList.AddSpot(MakeSpot(i, call(i).constData(), 14025000), true));
    EXPECT_EQ(FList.Count(), TSpotDataList::MaxCount);
    EXPECT_EQ(FList[0].SpotID, 6);
    EXPECT_EQ(FRemoved, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    TSpotData d;
    EXPECT_FALSE(FList.GetSpotData(5, d));
    EXPECT_TRUE(FList.GetSpotData(6, d));
    EXPECT_TRUE(FList.AddSpot(MakeSpot(99999, call(1).constData(), 14025000), true)) << "the dropped spot is no duplicate";
    EXPECT_FALSE(FList.AddSpot(MakeSpot(99999, call(7).constData(), 14025000), true));
}

TEST_F(SpotList, LogQSOMarksMatchingSpotsOnce)
{
    FList.AddSpot(MakeSpot(1, "DL1ABC", 14025000), false);
    TSpot phone = MakeSpot(2, "DL1ABC", 14250000);
    phone.FModeType = mtPhone;
    FList.AddSpot(phone, false);
    FList.AddSpot(MakeSpot(3, "DL1ABC", 7025000), false);
    FList.AddSpot(MakeSpot(4, "DL1ABCD", 14025000), false);
    FList.AddSpot(MakeSpot(5, "DL1ABC", 14030000, "K1XX"), false);
    TSpot unknown = MakeSpot(6, "DL1ABC", 14030000, "K2XX");
    unknown.FModeType = mtAll;
    FList.AddSpot(unknown, false);

    FList.LogQSO(QStringLiteral("DL1ABC"), bd20, mtCW);
    EXPECT_EQ(FChanged, (std::vector<int32_t>{1, 5}));
    FList.LogQSO(QStringLiteral("DL1ABC"), bd20, mtCW);
    EXPECT_EQ(FChanged.size(), 2u) << "already logged";
    FList.LogQSO(QStringLiteral("DL1ABC"), bd20, mtAll);
    EXPECT_EQ(FChanged.size(), 2u);
    EXPECT_TRUE(FList[0].IsLogged);
    EXPECT_FALSE(FList[1].IsLogged);
    EXPECT_FALSE(FList[5].IsLogged);
}

TEST_F(SpotList, WantedFlagsFollowTheLists)
{
    QTemporaryDir root;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", root.path().toLocal8Bit());
    QDir().mkpath(GetUserDataFileName({}));
    QFile f(GetUserDataFileName(QStringLiteral("wantedspots.dat")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("VP8=;20;\r\n");
    f.close();
    TDXWantedSpots wanted;
    wanted.LoadWantedSpots();
    qputenv("XDG_CONFIG_HOME", oldConfig);

    FList.AddSpot(MakeSpot(1, "VP8ABC", 14025000), false);
    FList.AddSpot(MakeSpot(2, "VP8ABC", 7025000), false);
    TSpot was = MakeSpot(3, "DL1ABC", 14025000);
    was.FIsWanted = true;
    FList.AddSpot(was, false);
    FList.UpdateWantedSpots(wanted);
    EXPECT_EQ(FChanged, (std::vector<int32_t>{3, 1})) << "newest first, changed ones only";
    EXPECT_TRUE(FList[0].IsWanted);
    EXPECT_FALSE(FList[1].IsWanted);
    EXPECT_FALSE(FList[2].IsWanted);
}

std::vector<TBandmapData> Entries(const TBandmapDataList& list)
{
    return std::vector<TBandmapData>(list.begin(), list.end());
}

TEST(BandmapList, OneEntryPerCallAndBand)
{
    vx::Clock::useManual(Now);
    TBandmapDataList list;
    list.AddSpot(MakeSpot(1, "DL1ABC", 14025000));
    list.AddSpot(MakeSpot(2, "K1XX", 14030000));
    list.AddSpot(MakeSpot(3, "DL1ABC", 7025000));
    list.AddSpot(MakeSpot(4, "DL1ABC", 14026000, "K1XX"));
    auto e = Entries(list);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].SpotID, 2);
    EXPECT_EQ(e[1].SpotID, 3);
    EXPECT_EQ(e[2].SpotID, 4);
    EXPECT_EQ(e[2].FrequencyA, 14026000);
    EXPECT_EQ(e[2].Color, 0xFCDB83u);
    EXPECT_EQ(list.rbegin()->SpotID, 4) << "newest first from the back";

    TSpot mine = MakeSpot(5, "K1XX", 14031000);
    mine.FIsMySpot = true;
    mine.FBearingSP = 290;
    list.AddSpot(mine);
    e = Entries(list);
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[2].SpotID, 5);
    EXPECT_EQ(e[2].Color, 0xFFFFFFu);
    EXPECT_EQ(e[2].Bearing, 290);

    list.RemoveSpot(3);
    EXPECT_EQ(list.Count(), 2);
    list.RemoveSpot(3);
    EXPECT_EQ(list.Count(), 2);
    // A removed entry no longer blocks its call and band.
    list.AddSpot(MakeSpot(6, "DL1ABC", 7026000));
    EXPECT_EQ(list.Count(), 3);
    vx::Clock::useSystem();
}

TEST(BandmapList, AgeingAndBound)
{
    vx::Clock::useManual(Now);
    TBandmapDataList list;
    list.AddSpot(MakeSpot(1, "OLD", 14025000, "W1AW", 121));
    list.AddSpot(MakeSpot(2, "NEW", 14025000));
    list.CleanExpiredSpots(0);
    EXPECT_EQ(list.Count(), 2);
    list.CleanExpiredSpots(120);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.begin()->SpotID, 2);
    list.AddSpot(MakeSpot(3, "OLD", 14025000));
    list.AddSpot(MakeSpot(4, "NEW", 14025000));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.begin()->SpotID, 3);
    list.RemoveSpot(4);
    list.AddSpot(MakeSpot(4, "NEW", 14025000));

    for (int i = 0; i < TBandmapDataList::MaxCount; ++i)
        list.AddSpot(MakeSpot(100 + i, QStringLiteral("K%1A").arg(i).toLatin1().constData(), 14025000));
    EXPECT_EQ(list.Count(), TBandmapDataList::MaxCount);
    EXPECT_EQ(list.begin()->SpotID, 100);
    vx::Clock::useSystem();
}

TEST(LocatorList, ExactCallsOnly)
{
    TDXLocatorList cache;
    cache.Open(QStringLiteral("/nonexistent/locators.dat"));
    cache.AddLocator(QStringLiteral("DL1ABC"), QStringLiteral("JO62"));
    cache.AddLocator(QStringLiteral("XDL1ABC"), QStringLiteral("JO40QM"));
    cache.AddLocator(QStringLiteral("K1XX"), QStringLiteral("FN42ab12"));
    cache.AddLocator(QString(), QStringLiteral("JO62"));
    cache.AddLocator(QStringLiteral("W1AW"), QString());
    EXPECT_EQ(cache.Count(), 3);
    EXPECT_EQ(cache.FindLocator(QStringLiteral("DL1ABC")), QStringLiteral("JO62"));
    EXPECT_EQ(cache.FindLocator(QStringLiteral("XDL1ABC")), QStringLiteral("JO40QM"));
    EXPECT_EQ(cache.FindLocator(QStringLiteral("ABC")), QString());
    EXPECT_EQ(cache.FindLocator(QStringLiteral("K1XX")), QStringLiteral("FN42ab"));
    cache.AddLocator(QStringLiteral("DL1ABC"), QStringLiteral("JO62QM"));
    EXPECT_EQ(cache.FindLocator(QStringLiteral("DL1ABC")), QStringLiteral("JO62QM"));
    EXPECT_EQ(cache.Count(), 3);
    cache.Close();
}

TEST(WWV, NewerCompleteReportsOnly)
{
    TDXWWV wwv;
    int raised = 0;
    wwv.OnWWVData = [&] { ++raised; };
    TWWVSpot r;
    r.FSFI = 150;
    r.FA = 5;
    r.FK = 2;
    r.FHint = QStringLiteral("No Storms -> No Storms");
    r.FLastData = QDateTime(QDate(2024, 3, 10), QTime(12, 0), Qt::UTC);
    wwv.AddWWVData(r);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(wwv.SFI(), 150);
    EXPECT_EQ(wwv.LastDataAsString(), QStringLiteral("2024-03-10 12"));

    TWWVSpot same = r;
    same.FSFI = 160;
    wwv.AddWWVData(same);
    TWWVSpot noFlux = r;
    noFlux.FSFI = 0;
    noFlux.FLastData = r.FLastData.addSecs(3600);
    wwv.AddWWVData(noFlux);
    TWWVSpot older = r;
    older.FLastData = r.FLastData.addSecs(-3600);
    wwv.AddWWVData(older);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(wwv.SFI(), 150);

    TWWVSpot newer = same;
    newer.FLastData = r.FLastData.addSecs(3600);
    wwv.AddWWVData(newer);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(wwv.SFI(), 160);
    newer.Clear();
    EXPECT_FALSE(newer.IsComplete());
}

TEST(WWV, LastDataAsString)
{
    TDXWWV wwv;
    EXPECT_EQ(wwv.LastDataAsString(), QString());
    wwv.SetLastDataAsString(QStringLiteral("2024-02-29 23"));
    EXPECT_EQ(wwv.LastData(), QDateTime(QDate(2024, 2, 29), QTime(23, 0), Qt::UTC));
    wwv.SetLastDataAsString(QString());
    EXPECT_EQ(wwv.LastDataAsString(), QStringLiteral("2024-02-29 23")) << "empty text changes nothing";
    for (const char* bad : {"2024-13-01 10", "2023-02-29 10", "2024-01-01 24", "2024-01-01", "abcd-01-01 10", "x"}) {
        wwv.SetLastDataAsString(QStringLiteral("2024-01-01 10"));
        wwv.SetLastDataAsString(QString::fromLatin1(bad));
        EXPECT_FALSE(wwv.LastData().isValid()) << bad;
        EXPECT_EQ(wwv.LastDataAsString(), QString()) << bad;
    }
}

} // namespace
