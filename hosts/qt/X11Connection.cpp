#include "hosts/qt/X11Connection.h"

#include <QGuiApplication>

namespace dd {

xcb_connection_t* X11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace dd
