// Test entry point: private XDG folders, so no test touches the real home folder; widget
// tests get a QApplication on the offscreen platform, the others a QCoreApplication.
#ifdef VX_TEST_GUI
#include "controls/widgets/ArtRegistry.h"
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", (home.path() + "/runtime").toLocal8Bit());
    qputenv("HOME", (home.path() + "/home").toLocal8Bit());

    TestApplication app(argc, argv);
#ifdef VX_TEST_GUI
    // A picture asked for by a name nobody registered would silently draw nothing.
    vx::art::SetUnknownNameHandler([](const QString& name) {
        ADD_FAILURE() << "no picture is registered as \"" << name.toStdString() << '"';
    });
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
