#include "hosts/qt/DesktopArea.h"

#include "hosts/qt/X11Connection.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace dd {
namespace {

QRect ScreensArea() {
    QRect area;
    for (const QScreen* screen : QGuiApplication::screens())
        area |= screen->geometry();
    return area;
}

} // namespace

QRect DesktopArea() {
    xcb_connection_t* connection = X11Connection();
    if (!connection)
        return ScreensArea();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> root(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, screen->root), nullptr),
        &std::free);
    if (!root)
        return ScreensArea();
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    return QRect(0, 0, static_cast<int>(std::lround(root->width / ratio)),
                 static_cast<int>(std::lround(root->height / ratio))) |
           ScreensArea();
}

bool ProgramPlacesWindows() {
    return X11Connection() != nullptr;
}

} // namespace dd
