// The titles the window manager shows are the windows' own.  Once a program sets an application
// display name, Qt appends it to every title it hands the window system: the main window's
// title would name the program twice and a small dialog's title would be crowded out.  The test
// also runs on an X display (ctest VornixClient.WindowTitlesOnX), where the title is read back
// from the X server.
#include "MainFormRig.h"
#include "client/widgets/EnterFrequency.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#ifdef VX_HAVE_XCB
#include <xcb/xcb.h>
#endif

using namespace clienttest;

namespace {

#ifdef VX_HAVE_XCB
QString XTitle(QWidget& w)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return {};
    xcb_connection_t* c = x11->connection();
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    };
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(w.winId()), atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 1024), nullptr);
    QString title;
    if (r)
        title = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
    free(r);
    return title;
}
#endif

// The title the window system shows for a window: read back from the X server on X11;
// elsewhere what Qt would hand on, the display name appended once one was set.
QString ShownTitle(QWidget& w)
{
#ifdef VX_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return XTitle(w);
#endif
    const QString title = w.windowHandle()->title();
    const QString display = QGuiApplication::applicationDisplayName();
    if (display == QCoreApplication::applicationName() || title.endsWith(display))
        return title;
    return title + QStringLiteral(" \u2014 ") + display;
}

class WindowTitles : public MainFormRig {};

TEST_F(WindowTitles, AreExactlyTheWindowsOwn)
{
    UseRadio(FTDX5000);
    Store(isLocal, FTDX5000);
    Create();
    Form->show();
    RunStages();
    TEnterFrequencyForm enter(Form.get());
    enter.show();
    const struct {
        QWidget* window;
        const char* title;
    } cases[] = {{Form.get(), "Vornix - YAESU FT DX 5000 CAT & Remote Control"}, {&enter, "Enter Frequency"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ASSERT_TRUE(vxtest::waitUntil([&] { return c.window->windowHandle() && c.window->windowHandle()->isExposed(); },
                                      10000));
        EXPECT_EQ(c.window->windowTitle(), c.title);
        EXPECT_EQ(c.window->windowHandle()->title(), c.title);
        EXPECT_EQ(ShownTitle(*c.window), c.title);
    }
}

} // namespace
