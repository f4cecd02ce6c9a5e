// VornixServer: one instance per user; a second start shows the first one's window and ends.
// Then the data modules in the server's order and the main window, which opens the devices.

#include "core/DataFiles.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationSignals.h"
#include "client/DataModules.h"
#include "server/widgets/ServerMainForm.h"

#include <QApplication>
#include <QSessionManager>
#include <QStyleFactory>
#include <csignal>

namespace {

const QString InstanceName = QStringLiteral("{FAEEDBAF-8773-5432-83B1-8C9422726E98}");

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The names the desktop knows the program by.  No display name: the window system would
    // append it to every window's title.
    QApplication::setApplicationName(QStringLiteral("VornixServer"));
    QApplication::setDesktopFileName(QStringLiteral("VornixServer"));

    vx::SingleInstance instance(InstanceName);
    if (!instance.Acquire()) {
        if (!instance.SignalRunning(1500))
            qWarning("VornixServer runs already but does not answer");
        return 0;
    }

    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The window may sit in the notification area, hidden: only its own close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    if (!InstallDataFiles())
        qWarning("Some data files could not be copied into %s", qPrintable(GetCommonDataFileName(QString())));

    TDataModules modules(TModuleOrder::Server);
    TServerMainForm form(modules);
    form.OnClosed = [] { QCoreApplication::quit(); };
    instance.OnActivate = [&form] { form.TrayIconClick(); };

    // The end of the desktop session (SIGTERM, or SIGHUP with the terminal) switches the radio
    // off when the settings ask for it; Ctrl+C only closes the program.
    vx::TerminationSignals termination;
    termination.OnSignal = [&form](int signal) {
        if (signal != SIGINT)
            form.QueryEndSession();
        form.EndSession();
    };
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.QueryEndSession(); });

    form.show();
    return app.exec();
}
