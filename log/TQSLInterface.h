#pragma once
// TTQSLInterface: finds the LoTW signing program TQSL (the "tqsl" on PATH) and reads its
// station locations from "~/.tqsl/station_data", both once, when it is created.

#include <QObject>
#include <QString>
#include <QStringList>

class TTQSLInterface : public QObject {
    Q_OBJECT
public:
    explicit TTQSLInterface(QObject* owner = nullptr);

    bool TQSLInstalled() const { return FTQSLInstalled; }
    // Full file name of the program; empty when none was found.
    QString TQSLPath() const { return FTQSLPath; }
    // "CALL=name" per station location that has both a callsign and a name.
    const QStringList& AllStationLocations() const { return FAllStationLocations; }
    QString MyCall() const { return FMyCall; }
    // Selects the locations of the call, upper-cased; MyCall keeps the value only when at
    // least one location matched.
    void SetMyCall(const QString& v);
    const QStringList& MyStationLocations() const { return FMyStationLocations; }
    QObject* Owner() const { return parent(); }

    // TQSL's station data file of the current user.
    static QString StationDataFile();
    // The locations of a station data file as AllStationLocations lists them; none when the
    // file is missing or is no station data document.
    static QStringList ReadStationData(const QString& fileName);

private:
    bool FTQSLInstalled = false;
    QString FTQSLPath;
    QStringList FAllStationLocations;
    QString FMyCall;
    QStringList FMyStationLocations;
};
