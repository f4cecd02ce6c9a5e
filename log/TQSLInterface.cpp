#include "log/TQSLInterface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QXmlStreamReader>

TTQSLInterface::TTQSLInterface(QObject* owner)
    : QObject(owner)
{
    FTQSLPath = QStandardPaths::findExecutable(QStringLiteral("tqsl"));
    FTQSLInstalled = !FTQSLPath.isEmpty() && QFileInfo(FTQSLPath).isExecutable();
    if (FTQSLInstalled)
        FAllStationLocations = ReadStationData(StationDataFile());
}

QString TTQSLInterface::StationDataFile()
{
    return QDir::homePath() + QStringLiteral("/.tqsl/station_data");
}

QStringList TTQSLInterface::ReadStationData(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("StationDataFile"))
        return {};
    QStringList locations;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("StationData")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString name = xml.attributes().value(QLatin1String("name")).toString();
        QString call;
        bool hasCall = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("CALL") && !hasCall) {
                call = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                hasCall = true;
            } else {
                xml.skipCurrentElement();
            }
        }
        if (!name.isEmpty() && !call.isEmpty())
            locations << call + QLatin1Char('=') + name;
    }
    // A broken document is not half believed: it names no location.
    if (xml.hasError())
        return {};
    return locations;
}

void TTQSLInterface::SetMyCall(const QString& v)
{
    FMyCall.clear();
    FMyStationLocations.clear();
    if (!FTQSLInstalled)
        return;
    const QString call = v.toUpper();
    for (const QString& entry : std::as_const(FAllStationLocations)) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq >= 0 && entry.left(eq) == call)
            FMyStationLocations << entry.mid(eq + 1);
    }
    if (!FMyStationLocations.isEmpty())
        FMyCall = call;
}
