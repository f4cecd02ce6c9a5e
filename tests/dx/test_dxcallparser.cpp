#include "dx/DXCallParser.h"

#include "core/DataFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString TestData = QStringLiteral(VX_TESTDATA_DIR "/cty/");

class CallParserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FRoot.isValid());
        qputenv("XDG_DATA_HOME", FRoot.path().toLocal8Bit());
        ASSERT_TRUE(QDir().mkpath(GetCommonDataFileName("")));
    }

    static void Write(const QString& name, const QByteArray& content)
    {
        QFile f(GetCommonDataFileName(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    static void Copy(const QString& from, const QString& name)
    {
        QFile::remove(GetCommonDataFileName(name));
        ASSERT_TRUE(QFile::copy(from, GetCommonDataFileName(name))) << from.toStdString();
    }

    // The real country files: the shipped entity list, the big cty.dat and the call areas.
    void InstallRealFiles()
    {
        ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), FRoot.path() + "/none"));
        Copy(TestData + "bigcty_cty.dat", "cty.dat");
        Copy(TestData + "cty_wt_mod_2024.03.11.dat", "cty_wt_mod.dat");
    }

    static TDXSpot Lookup(const TDXCallParser& parser, const QString& call, bool* found = nullptr)
    {
        TDXSpot spot;
        spot.SetCall(call);
        const bool ok = parser.FindCountry(spot);
        if (found)
            *found = ok;
        return spot;
    }

    QTemporaryDir FRoot;
};

// Entities with exact positions, one at 1234 km and one at 123 km due north of JJ00 (the
// operator, at 0.46 N 0.92 E), for the rounding of distances to an entity's centre.
const char* const FixtureCountries =
    "DL=Fed. Rep. of Germany:14:28:EU:51.00:-10.00:-1.0:230:93:\r\n"
    "FAR=Far Land:1:2:AF:11.57:-0.92:0.0:1:0:\r\n"
    "K=United States:05:08:NA:37.60:91.87:5.0:291:178:\r\n"
    "NEAR=Near & Dear:1:2:XX:1.57:-0.92:abc:2:1:\r\n";
const char* const FixturePrefixes = "DL=DL\r\nDL9=DL(15)\r\nFAR=FAR\r\nK=K\r\nK1=K(5)[8]\r\n"
                                    "NEAR=NEAR\r\nNOCTY=NOCTY(3)[4]\r\n";
const char* const FixtureCalls = "DL0ZZ=DL(7)[29]\r\nNOSUCH1=NOSUCH\r\n";
const char* const FixtureAreas = "DL9=XX;Elsewhere;;;1.0;2.0;\r\n"
                                 "K1=K;Connecticut;05;08;41.7;72.7;\r\n"
                                 "K1Z=K;Rhode Island;;;41.6;x;\r\n";

} // namespace

TEST_F(CallParserTest, RealCountryFile)
{
    InstallRealFiles();
    TDXCallParser parser;
    parser.Open();

    const struct {
        const char* call;
        const char* prefix; // nullptr: not found
    } cases[] = {
        {"HC2/DH1TW/P", "HC"}, {"DH1TW/EA8/QRP", "EA8"}, {"OX1A/OZ", "OZ"}, {"RW3DQC/1/P", "UA"},
        {"VP2E/AL1O/P", "VP2E"}, {"DL1ABC", "DL"}, {"K1ABC/MM", nullptr}, {"DL1ABC/AM", nullptr},
        {"D", nullptr}, {"DL1ABC/P", "DL"}, {"DL1ABC/QRP", "DL"}, {"dl1abc/p", "DL"},
        {"F/DL1ABC", "F"}, {"DL1ABC/F", "F"}, {"DL1A/F5AB", "DL"},
        {"K1ABC/6", "K"}, {"KG4AB", "KG4"}, {"KG4ABC", "K"}, {"VE3ABC/2", "VE"}, {"W1AW/KG4", "KG4"},
    };
    for (const auto& c : cases) {
        bool found = false;
        const TDXSpot spot = Lookup(parser, c.call, &found);
        EXPECT_EQ(found, c.prefix != nullptr) << c.call;
        if (c.prefix) {
            EXPECT_EQ(spot.Prefix(), c.prefix) << c.call;
        }
    }
    // Two parts of equal length: the part before "/", unless the part after is a VP2 prefix.
    EXPECT_EQ(Lookup(parser, "F5AB/VP2E").Prefix(), "VP2E");
    EXPECT_EQ(Lookup(parser, "VP2E/F5AB").Prefix(), "VP2E");
    EXPECT_EQ(Lookup(parser, "EA8A/F5AB").Prefix(), "EA8");

    // A full record, from the country line.
    const TDXSpot dl = Lookup(parser, "DL1ABC");
    EXPECT_EQ(dl.CountryName(), "Fed. Rep. of Germany");
    EXPECT_EQ(dl.CQZone(), "14");
    EXPECT_EQ(dl.ITUZone(), "28");
    EXPECT_EQ(dl.Cont(), coEU);
    EXPECT_DOUBLE_EQ(dl.Latitude(), 51.0);
    EXPECT_DOUBLE_EQ(dl.Longitude(), -10.0);
    EXPECT_DOUBLE_EQ(dl.UTCDiff(), -1.0);
    EXPECT_EQ(dl.ADIFCode(), 230);
    EXPECT_EQ(dl.DXCCItemIndex(), 93); // its line in the shipped entity list
    EXPECT_EQ(Lookup(parser, "3B6RF").CountryName(), "Agalega && St. Brandon");

    // Zones of an exact call beat those of its entity.
    const TDXSpot o7 = Lookup(parser, "7O2A");
    EXPECT_EQ(o7.Prefix(), "7O");
    EXPECT_EQ(o7.CQZone(), "37");
    EXPECT_EQ(o7.ITUZone(), "48");

    // A US area: zones and position from the call area, the region not (for K), the UTC
    // offset from the entity.
    const TDXSpot k6 = Lookup(parser, "K1ABC/6");
    EXPECT_EQ(k6.CQZone(), "03");
    EXPECT_EQ(k6.ITUZone(), "06");
    EXPECT_DOUBLE_EQ(k6.Latitude(), 35.48);
    EXPECT_DOUBLE_EQ(k6.Longitude(), 119.35);
    EXPECT_EQ(k6.CountryRegion(), "");
    EXPECT_DOUBLE_EQ(k6.UTCDiff(), 5.0);
    EXPECT_EQ(Lookup(parser, "W1AW").CQZone(), "05");
}

TEST_F(CallParserTest, EveryEntityResolvesToItsAdifCode)
{
    QFile csv("/usr/share/hamradio-files/cty.csv");
    if (!csv.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "hamradio-files is not installed";
    InstallRealFiles();
    TDXCallParser parser;
    parser.Open();

    int entities = 0;
    for (const QByteArray& row : csv.readAll().split('\n')) {
        const QList<QByteArray> f = row.split(',');
        if (f.size() < 10)
            continue;
        ++entities;
        // A primary prefix is looked up as it is where it has the shape of a call; "3D2/c" is
        // reached through the first exact call of its entity (or its first prefix), a one-letter prefix ("F") and
        // KG4 (which takes a two-letter suffix) through a call made from them.
        QString call = QString::fromLatin1(f[0]);
        if (call.contains('/')) {
            call = QString::fromLatin1(f[9].split(' ').first()).remove(';');
            for (const QByteArray& item : f[9].split(' ')) {
                if (item.startsWith('=')) {
                    call = QString::fromLatin1(item.mid(1)).remove(';');
                    break;
                }
            }
        } else if (call.size() < 2) {
            call += "1AA";
        } else if (call == "KG4") {
            call += "AA";
        }
        const TDXSpot spot = Lookup(parser, call);
        EXPECT_EQ(spot.ADIFCode(), f[2].toInt()) << f[0].constData() << " via " << call.toStdString();
    }
    EXPECT_EQ(entities, 346);
}

TEST_F(CallParserTest, LookupRules)
{
    Write("country.dat", FixtureCountries);
    Write("prefix.dat", FixturePrefixes);
    Write("call.dat", FixtureCalls);
    Write("callarea.dat", FixtureAreas);
    TDXCallParser parser;
    parser.Open();

    // A call's own zones win over its prefix and its entity.
    const TDXSpot zz = Lookup(parser, "DL0ZZ");
    EXPECT_EQ(zz.CQZone(), "07");
    EXPECT_EQ(zz.ITUZone(), "29");
    EXPECT_EQ(Lookup(parser, "DL9ABC").CQZone(), "15");
    EXPECT_EQ(Lookup(parser, "DL9ABC").ITUZone(), "28");

    // A call area of another entity is no answer: the entity's own position stays.
    EXPECT_DOUBLE_EQ(Lookup(parser, "DL9ABC").Latitude(), 51.0);
    EXPECT_EQ(Lookup(parser, "DL9ABC").CountryRegion(), "");

    // A US call area gives position and zones but not its name; a field that is no number
    // leaves the entity's value.
    const TDXSpot k1 = Lookup(parser, "K1ABC");
    EXPECT_EQ(k1.CountryRegion(), "");
    EXPECT_DOUBLE_EQ(k1.Latitude(), 41.7);
    EXPECT_DOUBLE_EQ(k1.Longitude(), 72.7);
    const TDXSpot k1z = Lookup(parser, "K1ZZ");
    EXPECT_DOUBLE_EQ(k1z.Latitude(), 41.6);
    EXPECT_DOUBLE_EQ(k1z.Longitude(), 0.0);

    // A prefix without a country line: found, with nothing but the prefix and its zones.
    bool found = false;
    const TDXSpot nocty = Lookup(parser, "NOCTY1", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(nocty.Prefix(), "NOCTY");
    EXPECT_EQ(nocty.CQZone(), "03");
    EXPECT_EQ(nocty.CountryName(), "");
    EXPECT_EQ(nocty.ADIFCode(), 0);
    // An exact call whose entity has no prefix line falls back to the prefix search.
    Lookup(parser, "NOSUCH1", &found);
    EXPECT_FALSE(found);

    // An unknown continent and a UTC offset that is no number leave the spot's values.
    const TDXSpot near = Lookup(parser, "NEAR1");
    EXPECT_EQ(near.Cont(), coAll);
    EXPECT_DOUBLE_EQ(near.UTCDiff(), 0.0);
    EXPECT_EQ(near.CountryName(), "Near && Dear");
}

TEST_F(CallParserTest, DistancesToEntitiesAreRounded)
{
    Write("country.dat", FixtureCountries);
    Write("prefix.dat", FixturePrefixes);
    TDXCallParser parser;
    parser.Open();

    // Without an own locator every bearing and distance is 0.
    const TDXSpot none = Lookup(parser, "FAR1");
    EXPECT_EQ(none.DistanceSP(), 0);
    EXPECT_EQ(none.BearingSP(), 0);
    EXPECT_EQ(none.DistanceLP(), 0);

    parser.SetMyLocator("JJ00");
    const TDXSpot far = Lookup(parser, "FAR1");
    EXPECT_EQ(far.DistanceSP(), 1200); // 1234 km
    EXPECT_EQ(far.BearingSP() % 360, 0); // due north, 0 or 360 as rounding falls
    EXPECT_EQ(far.BearingLP(), 180);
    EXPECT_EQ(far.DistanceLP() % 100, 0);
    EXPECT_NEAR(far.DistanceSP() + far.DistanceLP(), 40000, 100);
    EXPECT_EQ(Lookup(parser, "NEAR1").DistanceSP(), 120); // 123 km

    // With a locator the distance is shown to the km; one that is no locator is passed over.
    TDXSpot located;
    located.SetCall("FAR1");
    located.SetLocator("JK01");
    parser.FindCountry(located);
    EXPECT_NEAR(located.DistanceSP(), 1222, 1); // 11 degrees of latitude, not rounded
    located.SetLocator("ZZ99zz");
    parser.FindCountry(located);
    EXPECT_EQ(located.DistanceSP(), 1200);
}

TEST_F(CallParserTest, RangeAndPathTexts)
{
    TDXCallParser parser;
    EXPECT_EQ(parser.GetRangeAndPathText("FN42", ruKM), "0° 0 km");

    parser.SetMyLocator("JO62");
    const QRegularExpression form("^(\\d+)° (\\d+) (km|mi)$");
    const auto match = form.match(parser.GetRangeAndPathText("FN42", ruKM));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(match.captured(1).toInt(), 296);
    EXPECT_NEAR(match.captured(2).toInt(), 6044, 1);
    EXPECT_EQ(match.captured(3), "km");
    const auto miles = form.match(parser.GetRangeAndPathText("FN42", ruMiles));
    ASSERT_TRUE(miles.hasMatch());
    EXPECT_NEAR(miles.captured(2).toInt(), 3756, 1);

    TSpot spot;
    spot.FLocator = "fn42";
    EXPECT_EQ(parser.GetRangeAndPath(spot, ruKM), parser.GetRangeAndPathText("FN42", ruKM));
    EXPECT_EQ(spot.FBearingSP, 296);
    EXPECT_NEAR(spot.FDistanceSP, 6044, 1);

    // An extended own locator counts by its first six characters.
    TDXCallParser extended, six;
    extended.SetMyLocator("JO62QM12");
    six.SetMyLocator("JO62QM");
    EXPECT_NE(six.GetRangeAndPathText("FN42", ruKM), "0° 0 km");
    EXPECT_EQ(extended.GetRangeAndPathText("FN42", ruKM), six.GetRangeAndPathText("FN42", ruKM));

    // Bad locators give no position, for the target and for the operator alike.
    for (const char* bad : {"", "JO6", "ZZ99zz", "JO62A", "SA00", "AA00YY", "J062"}) {
        EXPECT_EQ(parser.GetRangeAndPathText(bad, ruKM), "0° 0 km") << bad;
        spot.FLocator = bad;
        parser.GetRangeAndPath(spot, ruMiles);
        EXPECT_EQ(spot.FDistanceSP, 0) << bad;
        TDXCallParser other;
        other.SetMyLocator(bad);
        EXPECT_EQ(other.GetRangeAndPathText("FN42", ruKM), "0° 0 km") << bad;
    }
}

TEST(Geometry, Locators)
{
    const auto jo62 = LocatorToLatLon("JO62");
    ASSERT_TRUE(jo62);
    EXPECT_NEAR(jo62->Latitude, 52.4604, 1e-4);
    EXPECT_NEAR(jo62->Longitude, -12.9208, 1e-4); // east is negative
    const auto ll = LocatorToLatLon("jo62ll");
    ASSERT_TRUE(ll);
    EXPECT_FLOAT_EQ(ll->Latitude, jo62->Latitude);
    EXPECT_FLOAT_EQ(ll->Longitude, jo62->Longitude);
    const auto corner = LocatorToLatLon("AA00AA");
    ASSERT_TRUE(corner);
    EXPECT_NEAR(corner->Latitude, -89.9979, 1e-4);
    EXPECT_NEAR(corner->Longitude, 179.9958, 1e-4);
    for (const char* bad : {"", "JO6", "ZZ99zz", "JO62A", "SA00", "AA00YY", "J062", "JO6Z", "JO6ZQM12"})
        EXPECT_FALSE(LocatorToLatLon(bad)) << bad;

    // Characters after the sixth (extended squares) are ignored.
    const auto qm = LocatorToLatLon("JO62QM");
    ASSERT_TRUE(qm);
    for (const char* longer : {"JO62QM12", "jo62qm12ab", "JO62QMX"}) {
        const auto l = LocatorToLatLon(longer);
        ASSERT_TRUE(l) << longer;
        EXPECT_FLOAT_EQ(l->Latitude, qm->Latitude) << longer;
        EXPECT_FLOAT_EQ(l->Longitude, qm->Longitude) << longer;
    }
}

TEST(Geometry, GreatCircleStaysDefined)
{
    const float lat = 0.5f;
    const float lon = 0.3f;
    const struct {
        float lat2, lon2;
    } targets[] = {{lat, lon}, {-lat, lon + 3.1415927f}, {-lat, lon - 3.1415927f}, {1.5707964f, 0}, {-1.5707964f, 1}};
    for (const auto& t : targets) {
        for (const bool longPath : {false, true}) {
            const TGreatCircle g = GreatCircle(lat, lon, t.lat2, t.lon2, longPath);
            EXPECT_TRUE(std::isfinite(g.Distance) && std::isfinite(g.Bearing)) << t.lat2 << " " << t.lon2;
            EXPECT_GE(g.Bearing, 0);
            EXPECT_LE(g.Bearing, 2 * 3.1415927f);
        }
    }
    EXPECT_EQ(GreatCircle(lat, lon, lat, lon, false).Distance, 0);
}

TEST_F(CallParserTest, OpenRebuildsWhenCtyIsNewer)
{
    // No files: nothing is found, nothing breaks.
    TDXCallParser parser;
    parser.Open();
    bool found = true;
    Lookup(parser, "DL1ABC", &found);
    EXPECT_FALSE(found);

    InstallRealFiles();
    parser.Open();
    EXPECT_EQ(Lookup(parser, "DL1ABC").Prefix(), "DL");
    EXPECT_TRUE(QFile::exists(GetCommonDataFileName("callarea.dat")));

    // An older cty.dat does not rebuild; the files are read as they are.
    auto setTime = [](const QString& name, const QDateTime& t) {
        QFile f(GetCommonDataFileName(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    };
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Write("prefix.dat", "DL=ZZ\r\n");
    setTime("cty.dat", now.addDays(-2));
    setTime("country.dat", now.addDays(-1));
    parser.Open();
    EXPECT_EQ(Lookup(parser, "DL1ABC").Prefix(), "ZZ");
    // A newer one does.
    setTime("cty.dat", now.addSecs(60));
    parser.Open();
    EXPECT_EQ(Lookup(parser, "DL1ABC").Prefix(), "DL");

    // callarea.dat is built only when it is missing; the area gives the position.
    Write("callarea.dat", "");
    parser.Open();
    EXPECT_DOUBLE_EQ(Lookup(parser, "K1ABC/6").Latitude(), 37.60);
    QFile::remove(GetCommonDataFileName("callarea.dat"));
    parser.Open();
    EXPECT_DOUBLE_EQ(Lookup(parser, "K1ABC/6").Latitude(), 35.48);

    // Files that vanish leave the lists as they were.
    for (const char* name : {"cty.dat", "country.dat", "prefix.dat", "call.dat", "callarea.dat", "cty_wt_mod.dat"})
        QFile::remove(GetCommonDataFileName(name));
    parser.Open();
    EXPECT_DOUBLE_EQ(Lookup(parser, "K1ABC/6").Latitude(), 35.48);
    EXPECT_EQ(Lookup(parser, "DL1ABC").CountryName(), "Fed. Rep. of Germany");
}

TEST_F(CallParserTest, BadCountryFiles)
{
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), FRoot.path() + "/none"));
    QFile big(TestData + "bigcty_cty.dat");
    ASSERT_TRUE(big.open(QIODevice::ReadOnly));
    const QByteArray all = big.readAll();

    // A settings file under the name cty.dat builds nothing.
    Write("cty.dat", "name=value\r\n" + all);
    TDXCallParser parser;
    parser.Open();
    EXPECT_FALSE(QFile::exists(GetCommonDataFileName("country.dat")));
    bool found = true;
    Lookup(parser, "DL1ABC", &found);
    EXPECT_FALSE(found);

    // A truncated one builds what it holds.
    Write("cty.dat", all.left(all.indexOf("Fed. Rep. of Germany") + 30));
    TDXCallParser truncated;
    truncated.Open();
    EXPECT_EQ(Lookup(truncated, "3B6RF").ADIFCode(), 4);
    Lookup(truncated, "DL1ABC", &found);
    EXPECT_FALSE(found);
}
