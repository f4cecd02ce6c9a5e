// Looks at a program's window on the X display as a user would: waits for a top-level window
// whose title holds the given text, saves a picture of it, then closes it as the window's close
// button does and waits until it is gone.  Prints the title.
//
//   vx_window_smoke <text in the title> <picture.png> [seconds to wait, 30]
//
// Exit code 0 when the window showed, was saved and went away; 1 otherwise.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <xcb/xcb.h>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return atom;
}

QString Title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8)
{
    for (const auto& [property, type] : {std::pair{netName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        xcb_get_property_reply_t* r =
            xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr);
        QString text;
        if (r && xcb_get_property_value_length(r) > 0)
            text = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(r)), xcb_get_property_value_length(r));
        free(r);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

// The mapped top-level window whose title holds the text; 0 for none.
xcb_window_t FindWindow(xcb_connection_t* c, xcb_window_t root, const QString& text, QString& title)
{
    const xcb_atom_t netName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    if (!tree)
        return 0;
    xcb_window_t found = 0;
    const xcb_window_t* children = xcb_query_tree_children(tree);
    for (int i = 0; i < xcb_query_tree_children_length(tree) && !found; ++i) {
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr);
        const bool mapped = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
        free(a);
        if (!mapped)
            continue;
        const QString t = Title(c, children[i], netName, utf8);
        if (t.contains(text)) {
            found = children[i];
            title = t;
        }
    }
    free(tree);
    return found;
}

void Wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: vx_window_smoke <text in the title> <picture.png> [seconds]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    const QString text = QString::fromLocal8Bit(argv[1]);
    const QString picture = QString::fromLocal8Bit(argv[2]);
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    QElapsedTimer clock;
    clock.start();
    QString title;
    xcb_window_t window = 0;
    while (!(window = FindWindow(c, root, text, title))) {
        if (clock.elapsed() > seconds * 1000) {
            std::fprintf(stderr, "no window with \"%s\" in its title\n", argv[1]);
            return 1;
        }
        Wait(200);
    }
    std::printf("%s\n", qPrintable(title));
    std::fflush(stdout);
    // Let the window finish painting before its picture is taken.
    Wait(1500);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(picture)) {
        std::fprintf(stderr, "the picture could not be saved\n");
        return 1;
    }

    // The close button: WM_DELETE_WINDOW by the WM_PROTOCOLS message.
    xcb_client_message_event_t close{};
    close.response_type = XCB_CLIENT_MESSAGE;
    close.format = 32;
    close.window = window;
    close.type = Atom(c, "WM_PROTOCOLS");
    close.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
    close.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
    xcb_flush(c);
    clock.restart();
    QString ignored;
    while (FindWindow(c, root, text, ignored)) {
        if (clock.elapsed() > seconds * 1000) {
            std::fprintf(stderr, "the window did not close\n");
            return 1;
        }
        Wait(100);
    }
    xcb_disconnect(c);
    return 0;
}
