#pragma once
// The server's event log "server_log.txt" in the user data folder: the program's start and end
// and the connection events of the remote control server, one line each, in UTF-8 with CR LF.
//
// A new file begins with the header line and a line of 80 "-"; an existing one is appended to.
// Each line is the local date and time "yyyy-mm-dd hh:mm", the event padded to 16 characters,
// the user padded to 10 and the message, separated by one blank, so the columns line up with the
// header.  A log that cannot be opened or written is closed and reported once through OnError;
// the code that wrote the event never sees the failure.

#include "core/RCTypes.h"

#include <QDateTime>
#include <QFile>
#include <QString>

class TServerEventLog {
public:
    static inline const QString FileName = QStringLiteral("server_log.txt");
    static inline const QString HeaderLine = QStringLiteral("Date       Time  Event            User       Message");

    // The log in the user data folder.
    static QString DefaultFileName();
    // One event line, without its line end.
    static QString FormatLine(const QDateTime& local, const QString& Event, const QString& User, const QString& Message);

    explicit TServerEventLog(const QString& fileName = DefaultFileName());
    ~TServerEventLog();
    TServerEventLog(const TServerEventLog&) = delete;
    TServerEventLog& operator=(const TServerEventLog&) = delete;

    QString LogFileName() const { return FFileName; }
    bool IsOpen() const { return FFile.isOpen(); }

    // Opens the file for appending, or creates it with the two header lines; true when open.
    bool Open();
    // One line, flushed at once; nothing while the log is closed or for an empty event.
    void Write(const QString& Event, const QString& User, const QString& Message);
    void Close();

    // Why the log could not be opened or written (it is closed then).
    TStringEvent OnError;

private:
    void Fail(const QString& what);

    QString FFileName;
    QFile FFile;
};
