// A simulated WinKeyer to point a client at by hand: prints the device to open, then the
// traffic both ways in hex, named as the host sees it (TX to the keyer, RX from it).
// Commands on standard input: "pot <wpm>" turns the speed pot, "paddle <text>" keys text on
// the paddle, "quit" ends.
#include "tests/support/WinKeyerSimulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    vxtest::WinKeyerSimulator keyer;
    if (!keyer.ok()) {
        std::fprintf(stderr, "no pseudo-terminal could be made\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(keyer.portName()));
    std::fflush(stdout);

    keyer.onEntry = [](const vxtest::WinKeyerSimulator::Entry& e) {
        std::printf("%8lld %s %s\n", static_cast<long long>(e.ms), e.fromHost ? "TX" : "RX",
                    e.bytes.toHex(' ').constData());
        std::fflush(stdout);
    };

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[512];
        if (!std::fgets(line, sizeof line, stdin)) {
            app.quit();
            return;
        }
        const QString text = QString::fromLocal8Bit(line).trimmed();
        const QString word = text.section(QLatin1Char(' '), 0, 0);
        const QString rest = text.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("pot"))
            keyer.turnPot(rest.toInt());
        else if (word == QLatin1String("paddle"))
            keyer.paddle(rest);
        else if (word == QLatin1String("quit"))
            app.quit();
        else if (!word.isEmpty())
            std::fprintf(stderr, "commands: pot <wpm>, paddle <text>, quit\n");
    });
    return app.exec();
}
