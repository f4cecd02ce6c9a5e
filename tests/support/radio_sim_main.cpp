// A simulated transceiver to point VornixClient at by hand: prints the device to give as the
// radio's CAT port, then every command the radio receives.  The model is the first argument:
// ft2000 (the default), ft2000d, ft950 or ftdx5000.  Ends on end of input or "quit".
#include "tests/support/RadioSimulator.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLower() : QStringLiteral("ft2000");
    TTransceiver model = FT2000;
    if (name == QLatin1String("ft2000d"))
        model = FT2000D;
    else if (name == QLatin1String("ft950"))
        model = FT950;
    else if (name == QLatin1String("ftdx5000"))
        model = FTDX5000;
    else if (name != QLatin1String("ft2000")) {
        std::fprintf(stderr, "models: ft2000, ft2000d, ft950, ftdx5000\n");
        return 2;
    }
    vxtest::RadioSimulator radio(model);
    if (!radio.ok()) {
        std::fprintf(stderr, "no pseudo-terminal could be made\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(radio.portName()));
    std::fflush(stdout);

    // The simulator keeps what it received; print what is new.
    qsizetype shown = 0;
    QTimer printer;
    QObject::connect(&printer, &QTimer::timeout, [&] {
        const QStringList commands = radio.commands();
        for (; shown < commands.size(); ++shown)
            std::printf("%s;\n", qPrintable(commands[shown]));
        std::fflush(stdout);
    });
    printer.start(100);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[256];
        if (!std::fgets(line, sizeof line, stdin)) {
            input.setEnabled(false);
            return;
        }
        if (QString::fromLocal8Bit(line).trimmed() == QLatin1String("quit"))
            app.quit();
    });
    return app.exec();
}
