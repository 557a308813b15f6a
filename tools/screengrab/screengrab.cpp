// panelink-screengrab: saves a picture of an X window found by its title.
//
//   panelink-screengrab --title TITLE --out FILE [--panel] [--wait SECONDS]
//
// --panel keeps only the bottom-left 843 x 320 pixels: the panel picture below the menu bar
// of the main window. --wait gives the window that long to appear (default 10 s). Exit code
// 0 when the picture was saved, 1 when the window was not found, 2 on bad arguments.
#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QThread>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kPanelWidth = 843;
constexpr int kPanelHeight = 320;

std::string windowName(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type) {
    const auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (reply == nullptr) return {};
    std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                     static_cast<std::size_t>(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) return XCB_ATOM_NONE;
    const xcb_atom_t result = reply->atom;
    std::free(reply);
    return result;
}

bool viewable(xcb_connection_t* connection, xcb_window_t window) {
    const auto cookie = xcb_get_window_attributes(connection, window);
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(connection, cookie, nullptr);
    if (reply == nullptr) return false;
    const bool result = reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return result;
}

std::optional<xcb_window_t> findWindow(xcb_connection_t* connection, xcb_window_t parent,
                                       const std::string& title, int depth) {
    const xcb_atom_t netName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
    const auto cookie = xcb_query_tree(connection, parent);
    xcb_query_tree_reply_t* reply = xcb_query_tree_reply(connection, cookie, nullptr);
    if (reply == nullptr) return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(reply);
    const int count = xcb_query_tree_children_length(reply);
    std::vector<xcb_window_t> list(children, children + count);
    std::free(reply);
    for (xcb_window_t child : list) {
        const bool named =
            windowName(connection, child, netName, utf8) == title ||
            windowName(connection, child, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
        if (named && viewable(connection, child)) return child;
    }
    if (depth <= 0) return std::nullopt;
    for (xcb_window_t child : list) {
        if (auto found = findWindow(connection, child, title, depth - 1)) return found;
    }
    return std::nullopt;
}

int usage() {
    std::fprintf(
        stderr, "usage: panelink-screengrab --title TITLE --out FILE [--panel] [--wait SECONDS]\n");
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string title;
    QString out;
    bool panel = false;
    double waitSeconds = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--title" && hasValue) {
            title = argv[++i];
        } else if (arg == "--out" && hasValue) {
            out = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == "--wait" && hasValue) {
            waitSeconds = std::atof(argv[++i]);
        } else if (arg == "--panel") {
            panel = true;
        } else {
            return usage();
        }
    }
    if (title.empty() || out.isEmpty()) return usage();

    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        std::fprintf(stderr, "panelink-screengrab: no X display\n");
        return 1;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(waitSeconds * 1000));
    std::optional<xcb_window_t> window;
    while (!(window = findWindow(connection, root, title, 3))) {
        if (std::chrono::steady_clock::now() >= deadline) {
            std::fprintf(stderr, "panelink-screengrab: no window \"%s\"\n", title.c_str());
            return 1;
        }
        QThread::msleep(100);
    }

    QImage image = QGuiApplication::primaryScreen()->grabWindow(*window).toImage();
    if (image.isNull()) {
        std::fprintf(stderr, "panelink-screengrab: the window could not be read\n");
        return 1;
    }
    if (panel) {
        image = image.copy(0, image.height() - kPanelHeight, kPanelWidth, kPanelHeight);
    }
    if (!image.save(out)) {
        std::fprintf(stderr, "panelink-screengrab: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
