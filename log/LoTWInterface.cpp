#include "log/LoTWInterface.h"

#include "platform/Clock.h"

TLoTWInterface::TLoTWInterface(QObject* parent)
    : QObject(parent)
    , FLoTWLastQSL(vx::Clock::nowUtc().toLocalTime().date().year(), 1, 1)
{
}

TLoTWInterface::~TLoTWInterface() = default;

void TLoTWInterface::Start()
{
    FExportFinished = false;
}

void TLoTWInterface::DownloadADIFReport() {}

void TLoTWInterface::SetMyCall(const QString& v)
{
    FMyCall = v;
    FMyStationLocations.clear();
    FStationLocation.clear();
    for (const QString& entry : std::as_const(FAllStationLocations)) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq >= 0 && entry.left(eq) == v)
            FMyStationLocations << entry.mid(eq + 1);
    }
}

QString TLoTWInterface::LoTWLastQSLAsString() const
{
    return FLoTWLastQSL.isValid() ? FLoTWLastQSL.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

bool TLoTWInterface::SetLoTWLastQSLAsString(const QString& v)
{
    if (v.isEmpty()) {
        FLoTWLastQSL = QDate();
        return true;
    }
    bool y = false;
    bool m = false;
    bool d = false;
    const QDate date(v.mid(0, 4).toInt(&y), v.mid(5, 2).toInt(&m), v.mid(8, 2).toInt(&d));
    if (v.size() < 10 || !y || !m || !d || !date.isValid())
        return false;
    FLoTWLastQSL = date;
    return true;
}
