// A stand-in for the MMTTY RTTY engine on the local message bus, for the tests and for trying
// RTTY by hand (point MMTTYPath at this program).  It speaks the engine's side of the "MMTTY"
// messages: it announces its window to the "-h" endpoint, waits for the program's window,
// reports its start, sends every transmitted character back as received, and reports PTT,
// switches and levels (also every 500 ms).  It ends on the close message or when the
// program's endpoint goes away.
//
// Every message both ways is written as a line to the file named by VX_FAKE_MMTTY_LOG (else
// to standard error): "in (w,l)" for a message from the program, "out (0x8003,65)" for one to
// it; the first line is "start <pid> <arguments>".

#include "platform/MessageBus.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

QFile LogFile;

void Log(const QString& line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    if (LogFile.isOpen()) {
        LogFile.write(bytes);
        LogFile.flush();
    } else {
        fputs(bytes.constData(), stderr);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (const QString path = qEnvironmentVariable("VX_FAKE_MMTTY_LOG"); !path.isEmpty()) {
        LogFile.setFileName(path);
        if (!LogFile.open(QIODevice::WriteOnly | QIODevice::Append))
            fprintf(stderr, "fake MMTTY: cannot write %s\n", qPrintable(path));
    }
    Log(QStringLiteral("start %1 %2").arg(getpid()).arg(args.join(QLatin1Char(' '))));

    quint64 owner = 0;
    for (const QString& a : args)
        if (a.startsWith(QLatin1String("-h")))
            owner = a.mid(2).toULongLong(nullptr, 16);
    if (owner == 0) {
        Log(QStringLiteral("no -h<window> option"));
        return 2;
    }

    vx::BusEndpoint endpoint;
    const uint32_t msg = vx::RegisterBusMessage(QStringLiteral("MMTTY"));
    if (msg == 0 || !endpoint.Open()) {
        Log(QStringLiteral("no bus: %1").arg(endpoint.ErrorString()));
        return 1;
    }

    bool started = false, ptt = false;
    qint64 squelchLevel = 0;
    const qint64 signalLevel = 300;

    auto post = [&](quint64 w, qint64 l) {
        Log(QStringLiteral("out (0x%1,%2)").arg(w, 0, 16).arg(l));
        endpoint.Post(owner, msg, w, l);
    };
    auto levels = [&] { post(0x800B, (signalLevel & 0xFFFF) | ((squelchLevel & 0xFFFF) << 16)); };
    auto setPTT = [&](bool on) {
        if (ptt != on) {
            ptt = on;
            post(0x8004, on ? 1 : 0);
        }
    };

    QTimer levelTimer;
    levelTimer.setInterval(500);
    QObject::connect(&levelTimer, &QTimer::timeout, levels);
    // An engine that never hears back gives up.
    QTimer::singleShot(10000, &app, [&] {
        if (!started) {
            Log(QStringLiteral("no answer from the program"));
            app.exit(1);
        }
    });

    endpoint.Route(
        msg,
        [&](const vx::BusMessage& m) {
            Log(QStringLiteral("in (%1,%2)").arg(m.WParam).arg(m.LParam));
            switch (m.WParam) {
            case 0:
                if (!started && quint64(m.LParam) == owner) {
                    started = true;
                    post(0x8002, 0);
                    levelTimer.start();
                }
                break;
            case 2: app.exit(0); break;
            case 3:
                if (m.LParam == 2)
                    setPTT(true);
                else if (m.LParam == 0 || m.LParam == 1)
                    setPTT(false); // every queued character has already gone out
                break;
            case 4: post(0x8003, m.LParam); break;
            case 11: post(0x8009, m.LParam); break;
            case 15:
                squelchLevel = m.LParam;
                levels();
                break;
            default: break;
            }
        },
        [&](quint64 peer) {
            if (peer == owner) {
                Log(QStringLiteral("program gone"));
                app.exit(0);
            }
        });

    Log(QStringLiteral("out (0x8000,%1)").arg(endpoint.Id()));
    if (!endpoint.Post(owner, msg, 0x8000, qint64(endpoint.Id()))) {
        Log(QStringLiteral("no endpoint %1").arg(owner, 0, 16));
        return 1;
    }
    const int code = app.exec();
    Log(QStringLiteral("end"));
    return code;
}
