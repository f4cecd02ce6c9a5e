// The spot engine fed line by line: classification, parsing, validation, storing, ageing,
// tuning and the logbook link.
#include "DXFixture.h"

#include "core/cat/FTCATInterface.h"
#include "dx/DXWantedSpots.h"
#include "log/LogInterface.h"
#include "tests/support/Wait.h"

#include <QStringList>

namespace {

const QDateTime Feb1(QDate(2026, 2, 1), QTime(18, 50), Qt::UTC);

QDateTime At(int h, int m, const QDate& d = Feb1.date())
{
    return QDateTime(d, QTime(h, m), Qt::UTC);
}

class SpotEngine : public DXFixture {
protected:
    void SetUp() override { SetUpEngine(Feb1); }
};

} // namespace

TEST_F(SpotEngine, LiveSpotLinesAreReadFromTheirColumnsOrTokens)
{
    struct Case {
        const char* line;
        const char* call;
        int32_t hz;
        TBand band;
        const char* spotter;
        QDateTime time;
        const char* comment;
    };
    const Case cases[] = {
        {"DX de K4VTE:     21142.3  VE6KIX                                      1829Z", "VE6KIX", 21142300, bd15,
         "K4VTE", At(18, 29), ""},
        {"DX de PY8JL:     21074.9  IK1EZX       FT8 -16                        1830Z", "IK1EZX", 21074900, bd15,
         "PY8JL", At(18, 30), "FT8 -16"},
        // A hyphen suffix ends the spotter; a lower-case spotter gives none.
        {"DX de EA5KK-2:    7074.0  EA5JMO       FT8 DIPLOMA DIA INTER DEL MAGO 1833Z", "EA5JMO", 7074000, bd40,
         "EA5KK", At(18, 33), "FT8 DIPLOMA DIA INTER DEL MAGO"},
        {"DX de w3lpl:     14037.4  TZ4AM        Heard in PA                    1832Z", "TZ4AM", 14037400, bd20, "",
         At(18, 32), "Heard in PA"},
        // Skimmer and long spotter fields push the columns: read by tokens.
        {"DX de DL1XYZ-#:    14025.0  K1ABC          CW    23 dB  25 WPM  CQ      1840Z", "K1ABC", 14025000, bd20,
         "DL1XYZ", At(18, 40), "CW    23 dB  25 WPM  CQ"},
        {"DX de 9K2/K2SES  14205.0  DK0HY                                       1841Z", "DK0HY", 14205000, bd20,
         "9K2/K2SES", At(18, 41), ""},
        {"DX de K1ABC:14025.0 DL1ABC cq 1842Z", "DL1ABC", 14025000, bd20, "K1ABC", At(18, 42), "cq"},
        // A locator after the time.
        {"DX de OK1TEH:    50100.0  C0NTEST      -> www.darkside.cz/qrv.php     1835Z JO70", "C0NTEST", 50100000, bd6,
         "OK1TEH", At(18, 35), "-> www.darkside.cz/qrv.php"},
        // Shorter than 75 characters: the time of arrival.
        {"DX de W3LPL:     14037.4  TZ4AX        Heard", "TZ4AX", 14037400, bd20, "W3LPL", Feb1, "Heard"},
        // No valid time: the time of arrival.
        {"DX de W3LPL:     14037.4  TZ4AY        Heard                          2561Z", "TZ4AY", 14037400, bd20,
         "W3LPL", Feb1, "Heard"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        console.clear();
        spots->Add(QString::fromLatin1(c.line));
        const TSpotData* d = Stored(QString::fromLatin1(c.call));
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->FrequencyA, c.hz);
        EXPECT_EQ(d->Band, c.band);
        EXPECT_EQ(d->Spotter, QString::fromLatin1(c.spotter));
        EXPECT_EQ(d->TimeStamp, c.time);
        EXPECT_EQ(d->Comment, QString::fromLatin1(c.comment));
        ASSERT_EQ(console.size(), 1u);
        EXPECT_EQ(console[0].SpotID, d->SpotID);
        EXPECT_TRUE(console[0].IsDXSpot);
        EXPECT_EQ(console[0].Call, d->Call);
    }
    EXPECT_GT(Stored("VE6KIX")->SpotterADIFCode, 0) << "the spotter's country is looked up";
    EXPECT_EQ(Stored("VE6KIX")->Continent, coNA);
}

TEST_F(SpotEngine, LinesThatCannotBeReadAreShownAsText)
{
    const QStringList lines = {
        "DX de II4FMOB:  144350.0  IU4JJJ       50 Diploma RADIO FLASH MOB AWA 1830Z", // beyond 54 MHz
        "DX de DH1TW:     14025    DS1TW                                       1505Z", // no "."
        "DX de DH1TW:   4308992.0  DS1TW                                       1505Z", // 4.3 GHz, not 20 m
        "DX de DH1TW:",                                                                  // no fields
        "DX de K1ABC-#:",
        "WWV de VE7CC <25>:   SFI=113, A=18, K=2, No Storms",  // no such hour
        "WWV de VE7CC <09>:   SFI=abc, A=18, K=2, No Storms",  // not a number
        " 1-Feb-2026   xx   141   5   2 No Storms <VE7CC>",    // WWV table line, no hour
        "31-Feb-2026   18   141   5   2 No Storms <VE7CC>",    // no such date
        "",
        QString(1000, QChar(u'x')),
    };
    for (const QString& line : lines) {
        console.clear();
        spots->Add(line);
        ASSERT_EQ(console.size(), 1u) << line.toStdString();
        EXPECT_EQ(console[0].Line, line.left(100));
        EXPECT_FALSE(console[0].IsDXSpot);
        EXPECT_EQ(console[0].SpotID, 0);
    }
    EXPECT_EQ(spots->SpotDataList().Count(), 0);
    EXPECT_EQ(spots->BandmapDataList().Count(), 0);
    EXPECT_EQ(spots->WWV().SFI(), 0);
}

TEST_F(SpotEngine, RefusedSpotsReachTheConsoleButAreNotStored)
{
    spots->Add("DX de CT3FW:     21004.8  IDIOT        599 TKS(CW)QSL READ,QRZ.COM    1832Z"); // not a call
    ASSERT_EQ(console.size(), 1u);
    EXPECT_TRUE(console[0].IsDXSpot);
    EXPECT_EQ(console[0].SpotID, 0);
    EXPECT_EQ(spots->SpotDataList().Count(), 0);

    // The console filter decides about the line only: a hidden band's spot is still stored.
    spots->DXSpotFilter().SetShowBands(TShowBands{bd20});
    console.clear();
    spots->Add("DX de K4VTE:     21142.3  VE6KIX                                      1829Z");
    EXPECT_TRUE(console.empty());
    EXPECT_NE(Stored("VE6KIX"), nullptr);
}

TEST_F(SpotEngine, SpotJustBeforeMidnightBelongsToThePreviousDay)
{
    vx::Clock::setUtc(QDateTime(QDate(2026, 2, 2), QTime(0, 2), Qt::UTC));
    spots->Add("DX de K4VTE:     21142.3  VE6KIX                                      2359Z");
    const TSpotData* d = Stored("VE6KIX");
    ASSERT_NE(d, nullptr) << "three minutes old, not almost a day ahead";
    EXPECT_EQ(d->TimeStamp, At(23, 59, QDate(2026, 2, 1)));

    // And the other way round, with the node's clock a little ahead of ours.
    vx::Clock::setUtc(QDateTime(QDate(2026, 2, 1), QTime(23, 59), Qt::UTC));
    spots->Add("DX de K4VTE:     21142.3  VE6KIY                                      0001Z");
    ASSERT_NE(Stored("VE6KIY"), nullptr);
    EXPECT_EQ(Stored("VE6KIY")->TimeStamp, At(0, 1, QDate(2026, 2, 2)));
}

TEST_F(SpotEngine, RepeatedLiveSpotIsCheckedBeforeItTakesANumber)
{
    const QString line = "DX de W3LPL:     14037.4  TZ4AM        Heard in PA                    1832Z";
    spots->Add(line);
    const int changesAfterFirst = bandmapChanges;
    spots->Add(line);
    EXPECT_EQ(spots->SpotDataList().Count(), 1);
    ASSERT_EQ(spots->BandmapDataList().Count(), 1);
    EXPECT_EQ(spots->BandmapDataList().begin()->SpotID, 1) << "the band map keeps a number the spot list holds";
    EXPECT_EQ(bandmapChanges, changesAfterFirst);
    ASSERT_EQ(console.size(), 2u);
    EXPECT_EQ(console[1].SpotID, 0);

    spots->Add("DX de W3LPL:     14037.4  TZ4AN        Heard in PA                    1832Z");
    EXPECT_EQ(Stored("TZ4AN")->SpotID, 2) << "no number was used up by the repeat";

    // Another spotter of the same call on the same band: both in the list, the band map
    // keeps the newer.
    spots->Add("DX de K1TTT:     14037.5  TZ4AM        Heard in MA                    1833Z");
    EXPECT_EQ(spots->SpotDataList().Count(), 3);
    EXPECT_EQ(spots->BandmapDataList().Count(), 2);
}

TEST_F(SpotEngine, SpotTableLines)
{
    // SH/DX answers: stored with their own date and time, without a duplicate check.
    const QString line = "14025.0  K1ABC       1-Feb-2026 1820Z  CW 25 WPM                     <DL1XYZ>";
    spots->Add(line);
    spots->Add(line);
    EXPECT_EQ(spots->SpotDataList().Count(), 2);
    const TSpotData* d = Stored("K1ABC");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->TimeStamp, At(18, 20));
    EXPECT_EQ(d->Spotter, "DL1XYZ");
    EXPECT_EQ(d->Comment, "CW 25 WPM");
    EXPECT_EQ(d->FrequencyA, 14025000);
    ASSERT_EQ(console.size(), 2u);
    EXPECT_EQ(console[0].SpotID, 1);

    // Two-digit days too; a date not in day-month-year form is only shown.
    spots->Add("7001.0  K1ABD       01-Feb-2026 1810Z  test <W1AW>");
    EXPECT_EQ(Stored("K1ABD")->TimeStamp, At(18, 10));
    console.clear();
    spots->Add("7002.0  K1ABE  2026-02-01 1810Z test-20 <W1AW>");
    EXPECT_EQ(Stored("K1ABE"), nullptr);
    ASSERT_EQ(console.size(), 1u);
    EXPECT_EQ(console[0].SpotID, 0);
}

TEST_F(SpotEngine, WWVReportsUpdateTheSolarData)
{
    int wwvEvents = 0;
    spots->OnWWVData = [&] { ++wwvEvents; };
    spots->Add("WWV de VE7CC <15>:   SFI=113, A=18, K=2, Minor w/G1 -> No Storms");
    EXPECT_EQ(spots->WWV().SFI(), 113);
    EXPECT_EQ(spots->WWV().A(), 18);
    EXPECT_EQ(spots->WWV().K(), 2);
    EXPECT_EQ(spots->WWV().Hint(), "Minor w/G1 -> No Storms");
    EXPECT_EQ(spots->WWV().LastData(), At(15, 0));
    EXPECT_EQ(wwvEvents, 1);
    ASSERT_EQ(console.size(), 1u);
    EXPECT_FALSE(console[0].IsDXSpot);

    // An older report is shown but not taken.
    spots->Add("WWV de VE7CC <12>:   SFI=99, A=1, K=1, No Storms -> No Storms");
    EXPECT_EQ(spots->WWV().SFI(), 113);
    EXPECT_EQ(console.size(), 2u);

    // SH/WWV table line: its own date; a month name in capitals reads as January.
    spots->Add(" 1-Feb-2026   18   141   5   3 No Storms -> No Storms   <VE7CC>");
    EXPECT_EQ(spots->WWV().SFI(), 141);
    EXPECT_EQ(spots->WWV().K(), 3);
    EXPECT_EQ(spots->WWV().Hint(), "No Storms -> No Storms");
    EXPECT_EQ(spots->WWV().LastData(), At(18, 0));
    spots->Add("02-FEB-2026   19   150   5   3 x   <VE7CC>");
    EXPECT_EQ(spots->WWV().SFI(), 141) << "2 January is older";

    // WCY reports are other text.
    console.clear();
    spots->Add("WCY de DK0WCY-2 <19> : K=2 expK=0 A=5 R=126 SFI=160 SA=eru GMF=qui Au=no");
    EXPECT_EQ(spots->WWV().SFI(), 141);
    EXPECT_EQ(console.size(), 1u);
}

TEST_F(SpotEngine, WWVHourAfterMidnightIsYesterdays)
{
    vx::Clock::setUtc(QDateTime(QDate(2026, 2, 2), QTime(0, 5), Qt::UTC));
    spots->Add("WWV de VE7CC <21>:   SFI=113, A=18, K=2, No Storms -> No Storms");
    EXPECT_EQ(spots->WWV().LastData(), At(21, 0, QDate(2026, 2, 1)));
    spots->Add("WWV de VE7CC <00>:   SFI=120, A=18, K=2, No Storms -> No Storms");
    EXPECT_EQ(spots->WWV().SFI(), 120) << "the newer report is not shadowed by one dated in the future";
}

TEST_F(SpotEngine, AgeingAndTimers)
{
    EXPECT_FALSE(spots->TimersRunning());
    // 121 minutes old: refused.
    spots->Add("DX de K4VTE:     21142.3  VE6KIX                                      1649Z");
    EXPECT_EQ(Stored("VE6KIX"), nullptr);
    EXPECT_TRUE(spots->TimersRunning()) << "the first line starts the timers";
    spots->Add("DX de K4VTE:     21142.3  VE6KIY                                      1650Z");
    spots->Add("DX de K4VTE:     21142.3  VE6KIZ                                      1850Z");
    ASSERT_EQ(spots->SpotDataList().Count(), 2);

    // The band map hears of the time every minute; the clean-up runs every five minutes.
    bandmapChanges = 0;
    vx::Clock::advance(60000);
    EXPECT_EQ(bandmapChanges, 1);
    EXPECT_EQ(spots->SpotDataList().Count(), 2);
    vx::Clock::advance(240000);
    EXPECT_EQ(spots->SpotDataList().Count(), 1) << "VE6KIY is more than 120 minutes old at the clean-up";
    EXPECT_EQ(spots->BandmapDataList().Count(), 1);
    EXPECT_EQ(bandmapChanges, 6);

    // Lifetime 0 keeps everything.
    spots->SetDXSpotsLifetime(0);
    spots->Add("DX de K4VTE:     21142.3  VE6KIA                                      0100Z");
    vx::Clock::advance(24LL * 3600 * 1000);
    EXPECT_EQ(spots->SpotDataList().Count(), 2);
}

TEST_F(SpotEngine, ABlockOfLinesIsOneBandMapChange)
{
    spots->BeginUpdate();
    spots->Add("DX de K4VTE:     21142.3  VE6KIX                                      1829Z");
    spots->Add("DX de K4VTE:     21142.3  VE6KIY                                      1829Z");
    spots->Add("some text");
    EXPECT_EQ(bandmapChanges, 0);
    EXPECT_EQ(console.size(), 3u) << "console lines are not held back";
    spots->EndUpdate();
    EXPECT_EQ(bandmapChanges, 1);
    spots->BeginUpdate();
    spots->Add("text only");
    spots->EndUpdate();
    EXPECT_EQ(bandmapChanges, 1);
}

TEST_F(SpotEngine, RemoveSpot)
{
    spots->Add("DX de K4VTE:     21142.3  VE6KIX                                      1829Z");
    bandmapChanges = 0;
    spots->RemoveSpot(0, true);
    spots->RemoveSpot(-1, true);
    EXPECT_EQ(spots->SpotDataList().Count(), 1);
    EXPECT_EQ(bandmapChanges, 0);
    spots->RemoveSpot(1, false);
    EXPECT_EQ(spots->SpotDataList().Count(), 0);
    EXPECT_EQ(spots->BandmapDataList().Count(), 1);
    EXPECT_EQ(bandmapChanges, 1);
}

TEST_F(SpotEngine, SpotsTuneTheRadioThroughTheCATEngine)
{
    TFTCATInterface cat;
    QStringList sent;
    cat.SetComState(csConnected);
    cat.OnCATCommandTX = [&](const QString& c) { sent << c; };
    spots->SetFTCATInterface(&cat);
    std::vector<TSpot> dblClicks;
    spots->OnSpotDblClick = [&](const TSpot& s) { dblClicks.push_back(s); };

    spots->Add("DX de K4VTE:     21142.3  VE6KIX       hello                          1829Z");
    spots->SendSpotToTransceiver(1, true, true);
    EXPECT_EQ(sent, QStringList({"FA21142300;"}));
    ASSERT_EQ(dblClicks.size(), 1u);
    EXPECT_EQ(dblClicks[0].Call(), "VE6KIX");
    EXPECT_EQ(dblClicks[0].Comment(), "hello");
    EXPECT_EQ(dblClicks[0].FFrequencyA, 21142300);

    sent.clear();
    spots->SendSpotToTransceiver(1, false, true);
    EXPECT_EQ(sent, QStringList({"FB21142300;"})) << "VFO B takes the spot's frequency";
    spots->SendSpotToTransceiver(1, true, false);
    EXPECT_EQ(sent.last(), "FA21142300;");
    EXPECT_EQ(dblClicks.size(), 1u) << "the event needs both flags";

    // An own split spot: VFO A, VFO B and transmit on B.
    TSpot own;
    own.SetCall("VP8ABC");
    own.FFrequencyA = 14195000;
    own.FFrequencyB = 14205000;
    own.FSplit = true;
    spots->AddSpotToBandmap(own);
    const TSpotData* d = Stored("VP8ABC");
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->IsMySpot);
    EXPECT_EQ(d->Spotter, "DL1ABC");
    sent.clear();
    spots->SendSpotToTransceiver(d->SpotID, true, true);
    EXPECT_EQ(sent, QStringList({"FA14195000;", "FB14205000;", "FT3;"}));

    // Unknown numbers and a missing engine do nothing.
    sent.clear();
    spots->SendSpotToTransceiver(0, true, true);
    spots->SendSpotToTransceiver(99, true, true);
    spots->SetFTCATInterface(nullptr);
    spots->SendSpotToTransceiver(1, true, true);
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_EQ(dblClicks.size(), 2u);

    // Offline, the engine's state follows at once.
    spots->SetFTCATInterface(&cat);
    cat.SetComState(csOffline);
    spots->SendSpotToTransceiver(1, true, false);
    EXPECT_EQ(cat.FrequencyA(), 21142300);
}

TEST_F(SpotEngine, WantedLoggedAndBeaconFlags)
{
    ASSERT_TRUE(TDXWantedSpots::SaveWantedFile(GetUserDataFileName(TDXWantedSpots::WantedSpotsFileName),
                                               {TDXWantedSpots::WantedSpotsLine("TZ4AM", TWantedBands{bd20})}));
    spots->LoadWantedSpotsList();
    std::vector<QString> messages;
    spots->OnMessage = [&](const TDXSpot& s) { messages.push_back(s.Call()); };

    QTemporaryDir logDir;
    TLogInterface log;
    log.SetMyCall("DL1ABC");
    log.SetLogFolder(logDir.path());
    log.SetLogFileName("test.log");
    ASSERT_TRUE(log.NewLogFile());
    spots->SetLogInterface(&log);

    TLogRecord qso;
    qso.SetCall("VE6KIX");
    qso.SetBand(bd15);
    qso.SetMode(mCW);
    qso.SetQSODateAsString("20260201");
    ASSERT_TRUE(log.AddQSO(qso));

    spots->Add("DX de K4VTE:     21042.3  VE6KIX       CW                             1829Z");
    spots->Add("DX de W3LPL:     14037.4  TZ4AM        Heard in PA                    1832Z");
    spots->Add("DX de W3LPL:     28200.0  OH9BCN/B     beacon                         1832Z");
    spots->Add("DX de W3LPL:     50050.0  OZ7IGY                                      1832Z");
    spots->Add("DX de W3LPL:     14021.0  K5XYZ                                       1832Z");
    EXPECT_TRUE(Stored("VE6KIX")->IsLogged);
    EXPECT_TRUE(Stored("TZ4AM")->IsWanted);
    EXPECT_EQ(messages, std::vector<QString>{"TZ4AM"});
    EXPECT_TRUE(Stored("OH9BCN/B")->IsBeacon);
    EXPECT_TRUE(Stored("OZ7IGY")->IsBeacon);
    EXPECT_FALSE(Stored("K5XYZ")->IsLogged);
    ASSERT_FALSE(console.empty());
    EXPECT_TRUE(console[0].IsLogged);
    EXPECT_TRUE(console[1].IsWanted);

    // A QSO logged afterwards marks the stored spots of that call, band and mode class.
    std::vector<int32_t> changed;
    spots->OnSpotDataChanged = [&](const TSpotData& d) { changed.push_back(d.SpotID); };
    qso.SetCall("K5XYZ");
    qso.SetBand(bd20);
    ASSERT_TRUE(log.AddQSO(qso));
    EXPECT_TRUE(Stored("K5XYZ")->IsLogged);
    EXPECT_EQ(changed, std::vector<int32_t>{Stored("K5XYZ")->SpotID});
    log.WaitForWriter();
    spots.reset();
    qso.SetCall("K5XYY");
    EXPECT_TRUE(log.AddQSO(qso)) << "the logbook outlives the engine without calling it";
    log.WaitForWriter();
}

TEST_F(SpotEngine, OwnCallAndLookups)
{
    EXPECT_EQ(spots->MyDXCCNo(), 230);
    EXPECT_EQ(spots->MyCont(), coEU);
    EXPECT_EQ(spots->DXSpotFilter().MyDXCCNo(), 230);
    spots->SetMyCall("");
    EXPECT_EQ(spots->MyDXCCNo(), 0);
    EXPECT_EQ(spots->DXSpotFilter().MyCont(), coAll);

    QString looked;
    spots->OnCallsignLookup = [&](const TDXSpot& s) { looked = s.CountryName(); };
    spots->CallsignLookup("JA1ABC");
    EXPECT_EQ(looked, "Japan");
    TDXSpot target;
    spots->LogCheckerLookup("VK2ABC", target);
    EXPECT_EQ(target.ADIFCode(), 150);
    EXPECT_EQ(target.Cont(), coOC);

    // Locators: kept in the cache and given to later spots of the call.
    TSpot s;
    s.SetCall("K1ABC");
    s.FLocator = "FN31";
    spots->UpdateLocator(s);
    spots->Add("DX de K4VTE:     14025.0  K1ABC                                       1829Z");
    EXPECT_EQ(spots->LocatorList().FindLocator("K1ABC"), "FN31");
    EXPECT_FALSE(spots->GetRangeAndPathText("FN31").isEmpty());
}

TEST_F(SpotEngine, PropertySetters)
{
    std::vector<uint16_t> refresh;
    int options = 0;
    spots->OnBandmapRefreshTime = [&](uint16_t v) { refresh.push_back(v); };
    spots->OnSpotsOptions = [&] { ++options; };
    spots->SetBandmapRefreshTime(500);
    spots->SetBandmapRefreshTime(500);
    EXPECT_EQ(refresh, (std::vector<uint16_t>{500, 500}));
    spots->SetSpotsOptions(TSpotOptions{hideAwardSpots});
    spots->SetSpotsOptions(TSpotOptions{hideAwardSpots});
    EXPECT_EQ(options, 1);
}
