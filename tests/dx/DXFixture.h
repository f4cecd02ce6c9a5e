#pragma once
// Country data from the real cty.dat in a private data folder, the manual clock, and a spot
// engine whose console lines and band-map notices are collected.

#include "core/DataFiles.h"
#include "dx/DXSpots.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

inline const QString DXTestData = QStringLiteral(VX_TESTDATA_DIR);

// Makes the per-machine and per-user folders private and puts the real country files there.
inline void InstallCountryFiles(const QTemporaryDir& root)
{
    qputenv("XDG_DATA_HOME", (root.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(GetCommonDataFileName("")));
    ASSERT_TRUE(QDir().mkpath(GetUserDataFileName("")));
    ASSERT_TRUE(InstallDataFiles(ShippedDataFolder(), root.path() + "/none"));
    ASSERT_TRUE(QFile::copy(DXTestData + "/cty/bigcty_cty.dat", GetCommonDataFileName("cty.dat")));
    ASSERT_TRUE(QFile::copy(DXTestData + "/cty/cty_wt_mod_2024.03.11.dat", GetCommonDataFileName("cty_wt_mod.dat")));
}

class DXFixture : public ::testing::Test {
protected:
    void SetUpEngine(const QDateTime& now)
    {
        ASSERT_TRUE(root.isValid());
        InstallCountryFiles(root);
        vx::Clock::useManual(now);
        spots = std::make_unique<TDXSpots>();
        engine = spots.get();
        Hook(*spots);
        spots->SetMyCall("DL1ABC");
        spots->Open();
    }
    void TearDown() override { vx::Clock::useSystem(); }

    void Hook(TDXSpots& s)
    {
        s.OnDXClusterAdded = [this](const TDXClusterData& d) { console.push_back(d); };
        s.OnBandmapChange = [this] { ++bandmapChanges; };
    }

    // The newest stored spot of a call, or null.
    const TSpotData* Stored(const QString& call) const
    {
        const TSpotDataList& list = engine->SpotDataList();
        for (int i = list.Count() - 1; i >= 0; --i)
            if (list[i].Call == call)
                return &list[i];
        return nullptr;
    }

    QTemporaryDir root;
    std::unique_ptr<TDXSpots> spots;
    TDXSpots* engine = nullptr; // the engine under test (owned by spots or by a module)
    std::vector<TDXClusterData> console;
    int bandmapChanges = 0;
};
