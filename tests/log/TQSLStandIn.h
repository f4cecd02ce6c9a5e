#pragma once
// A stand-in "tqsl" first on PATH and a home folder whose TQSL station data names the given
// locations, for as long as it lives.  The stand-in records its arguments, prints what TQSL
// prints around its work ("BDB" lines, blank lines, a final status, a line on its error
// output) and exits with the code it is told; it can be held before it ends.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <utility>

class TQSLStandIn {
public:
    // Which tqsl PATH finds: the stand-in, the system's, or none at all.
    enum Program { StandIn, System, None };

    // locations: (call, name) pairs of the station data; none writes no station data.
    explicit TQSLStandIn(const QList<std::pair<QString, QString>>& locations = {{"K1XYZ", "Home QTH"}},
                         Program program = StandIn)
        : FPath(qgetenv("PATH"))
        , FHome(qgetenv("HOME"))
    {
        QDir(FDir.path()).mkpath("bin");
        QDir(FDir.path()).mkpath("home/.tqsl");
        if (program == StandIn) {
            WriteFile("bin/tqsl",
                      "#!/bin/sh\n"
                      ": > \"$VX_TQSL_ARGS\"\n"
                      "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$VX_TQSL_ARGS\"; done\n"
                      "while [ -e \"$VX_TQSL_HOLD\" ]; do sleep 0.02; done\n"
                      "printf 'BDB x\\n\\n   \\nSigned 1 QSO\\n\\nFinal Status: Success (0)\\n'\n"
                      "printf 'a note on standard error\\n' >&2\n"
                      "if [ \"$VX_TQSL_EXIT\" = crash ]; then kill -SEGV $$; fi\n"
                      "exit \"${VX_TQSL_EXIT:-0}\"\n");
            QFile::setPermissions(FDir.filePath("bin/tqsl"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("PATH", QFile::encodeName(FDir.filePath("bin")) + ':' + FPath);
        } else if (program == None) {
            // Only a folder without a tqsl.
            qputenv("PATH", QFile::encodeName(FDir.filePath("bin")));
        }
        if (!locations.isEmpty()) {
            QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<StationDataFile>\n";
            for (const auto& [call, name] : locations)
                xml += "  <StationData name=\"" + name.toUtf8() + "\">\n    <CALL>" + call.toUtf8()
                       + "</CALL>\n    <DXCC>291</DXCC>\n  </StationData>\n";
            xml += "</StationDataFile>\n";
            WriteFile("home/.tqsl/station_data", xml);
        }
        qputenv("HOME", QFile::encodeName(FDir.filePath("home")));
        qputenv("VX_TQSL_ARGS", QFile::encodeName(FDir.filePath("args.txt")));
        qputenv("VX_TQSL_HOLD", QFile::encodeName(FDir.filePath("hold")));
        qunsetenv("VX_TQSL_EXIT");
    }
    ~TQSLStandIn()
    {
        qputenv("PATH", FPath);
        qputenv("HOME", FHome);
        qunsetenv("VX_TQSL_EXIT");
    }

    // "0", "9", "4" or "crash".
    void SetExit(const QByteArray& code) { qputenv("VX_TQSL_EXIT", code); }
    void Hold() { WriteFile("hold", ""); }
    void Release() { QFile::remove(FDir.filePath("hold")); }
    QStringList Arguments() const
    {
        QFile f(FDir.filePath("args.txt"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
        lines.removeAll(QString());
        return lines;
    }
    bool Ran() const { return QFile::exists(FDir.filePath("args.txt")); }
    QString Home() const { return FDir.filePath("home"); }
    QString ProgramFile() const { return FDir.filePath("bin/tqsl"); }
    // Replaces the station data file.
    void SetStationData(const QByteArray& bytes) { WriteFile("home/.tqsl/station_data", bytes); }

private:
    void WriteFile(const QString& relative, const QByteArray& bytes)
    {
        QFile f(FDir.filePath(relative));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }

    QTemporaryDir FDir;
    QByteArray FPath;
    QByteArray FHome;
};
