#include "server/ServerEventLog.h"

#include "core/DataFiles.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

} // namespace

QString TServerEventLog::DefaultFileName()
{
    return GetUserDataFileName(FileName);
}

QString TServerEventLog::FormatLine(const QDateTime& local, const QString& Event, const QString& User,
                                    const QString& Message)
{
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm")) + QLatin1Char(' ') + Event.leftJustified(16)
         + QLatin1Char(' ') + User.leftJustified(10) + QLatin1Char(' ') + Message;
}

TServerEventLog::TServerEventLog(const QString& fileName)
    : FFileName(fileName)
{
}

TServerEventLog::~TServerEventLog()
{
    OnError = nullptr;
    Close();
}

bool TServerEventLog::Open()
{
    Close();
    QDir().mkpath(QFileInfo(FFileName).absolutePath());
    const bool fresh = !QFileInfo::exists(FFileName) || QFileInfo(FFileName).size() == 0;
    FFile.setFileName(FFileName);
    if (!FFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
        Fail(FFile.errorString());
        return false;
    }
    if (fresh) {
        const QByteArray header = HeaderLine.toUtf8() + LineEnd + QByteArray(80, '-') + LineEnd;
        if (FFile.write(header) != header.size() || !FFile.flush()) {
            Fail(FFile.errorString());
            return false;
        }
    }
    return true;
}

void TServerEventLog::Write(const QString& Event, const QString& User, const QString& Message)
{
    if (!FFile.isOpen() || Event.isEmpty())
        return;
    const QByteArray line =
        FormatLine(vx::Clock::nowUtc().toLocalTime(), Event, User, Message).toUtf8() + LineEnd;
    if (FFile.write(line) != line.size() || !FFile.flush())
        Fail(FFile.errorString());
}

void TServerEventLog::Close()
{
    if (!FFile.isOpen())
        return;
    FFile.flush();
    FFile.close();
}

void TServerEventLog::Fail(const QString& what)
{
    FFile.close();
    Fire(OnError, QStringLiteral("The event log %1 cannot be written: %2").arg(QDir::toNativeSeparators(FFileName), what));
}
