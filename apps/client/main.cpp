// VornixClient: the style, the shipped data files, every data module in the program's order,
// then the main window.
#include "client/DataModules.h"
#include "client/widgets/ClientStyle.h"
#include "client/widgets/MainForm.h"
#include "core/DataFiles.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The names the desktop knows the program by.  Its title is no display name: the window
    // system would append that to every window's title.
    QApplication::setApplicationName(QStringLiteral("VornixClient"));
    QApplication::setDesktopFileName(QStringLiteral("VornixClient"));
    ApplyClientStyle();
    // What an installer would have put in place; a file that cannot be copied is only missing.
    if (!InstallDataFiles())
        std::fprintf(stderr, "VornixClient: some data files could not be copied to %s\n",
                     qPrintable(GetCommonDataFileName(QString())));

    std::unique_ptr<TDataModules> modules = CreateClientDataModules();
    auto form = std::make_unique<TMainForm>(modules.get());
    form->FormCreate();
    form->show();
    const int result = app.exec();
    // The window lets go of the modules before they go.
    form.reset();
    modules.reset();
    return result;
}
