#pragma once
// A logbook of 200,000 QSOs for the benchmarks: twenty years, all bands and modes, calls from
// Debian's MASTER.SCP, written to a log file in a private folder and loaded.
#include "bench/BenchData.h"
#include "log/LogInterface.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <vector>

inline constexpr int QSOCount = 200000;
inline const QString MyCall = QStringLiteral("OWN1");

// The log file in a private folder, and a logbook that has loaded it.
class TBigLog {
public:
    // Set openNow false to open it later with Load() (to time the open as a whole); withGrids
    // gives every QSO a grid square (the other fields stay as without them).
    explicit TBigLog(bool openNow = true, bool withGrids = false)
        : FWithGrids(withGrids)
    {
        qputenv("XDG_DATA_HOME", (FRoot.path() + "/data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (FRoot.path() + "/config").toLocal8Bit());
        Calls = MasterCalls();
        Write();
        Log.SetMyCall(MyCall);
        Log.SetLogFolder(FRoot.path());
        Log.SetLogFileName("big.log");
        Log.OnLogLoaded = [this] { ++Loaded; };
        if (openNow)
            Load();
    }

    void Load()
    {
        const int before = Loaded;
        Log.Open();
        QDeadlineTimer deadline(60000);
        while (Loaded == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

    QString NextCall() { return Calls[FRng.bounded(int(Calls.size()))]; }

    TLogInterface Log;
    std::vector<QString> Calls;
    int Loaded = 0;

private:
    void Write()
    {
        static const char* bands[] = {"160m", "80m", "60m", "40m", "30m", "20m", "17m",
                                      "15m",  "12m", "10m", "6m",  "2m",  "70cm"};
        static const char* modes[] = {"CW", "CW", "SSB", "SSB", "FT8", "FT8", "RTTY", "FT4", "PSK", "AM", "FM", "JT65"};
        static const char* words[] = {"tnx", "ufb", "nice signal", "qsb", "", "", "", "contest"};
        QFile f(FRoot.path() + "/big.log");
        f.open(QIODevice::WriteOnly);
        QByteArray bytes = TLogRecord::FileHeader().toUtf8() + "\r\n";
        // One QSO every ~53 minutes over twenty years, in the order they were logged.
        const QDateTime start(QDate(2004, 1, 1), QTime(0, 0), Qt::UTC);
        const qint64 step = qint64(20) * 365 * 24 * 3600 / QSOCount;
        TLogRecord r;
        for (int i = 0; i < QSOCount; ++i) {
            const QDateTime t = start.addSecs(i * step + FRng.bounded(int(step)));
            r.Clear();
            r.SetStationCallsign(MyCall);
            r.SetQSODateAsString(t.date().toString("yyyyMMdd"));
            r.SetTimeOnAsString(t.time().toString("hhmmss"));
            r.SetCall(NextCall());
            r.SetBandAsString(bands[FRng.bounded(13)]);
            const char* mode = modes[FRng.bounded(12)];
            if (QByteArrayView(mode) == "FT4") {
                r.SetModeAsString("MFSK");
                r.SetSubMode("FT4");
            } else {
                r.SetModeAsString(mode);
            }
            r.SetRSTSent("599");
            r.SetRSTRcvd("579");
            r.SetComment(words[FRng.bounded(8)]);
            r.SetDXCC(QString::number(1 + FRng.bounded(500)));
            r.SetCQZone(QString::number(1 + FRng.bounded(40)));
            r.SetQSLLoTWSent(FRng.bounded(2) ? "Y" : "N");
            r.SetQSLLoTWRcvd(FRng.bounded(4) ? "N" : "Y");
            if (FWithGrids)
                r.SetGridSquare(RandomGrid());
            bytes += r.QSOLine().toUtf8() + "\r\n";
        }
        f.write(bytes);
    }

    // Four or six characters, some in lower case as logs hold them; every field, yet a few
    // thousand squares, as a busy 6 m station may have worked.
    QString RandomGrid()
    {
        QString g;
        g += QChar('A' + FGridRng.bounded(18));
        g += QChar('A' + FGridRng.bounded(18));
        g += QChar('0' + FGridRng.bounded(3));
        g += QChar('0' + FGridRng.bounded(3));
        if (FGridRng.bounded(2)) {
            g += QChar('a' + FGridRng.bounded(24));
            g += QChar('a' + FGridRng.bounded(24));
        }
        return FGridRng.bounded(8) ? g : g.toLower();
    }

    QTemporaryDir FRoot;
    QRandomGenerator FRng{2024};
    // Grids draw from a generator of their own: the rest of the log stays the same.
    QRandomGenerator FGridRng{4048};
    bool FWithGrids = false;
};

