#include "hosts/qt/Cursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>

namespace dd {
namespace {

QCursor HiddenCursor() {
    // For the blank shape Qt 6.4 on Wayland hides only a pointer image of its own and leaves the
    // compositor's showing; an image without a visible pixel replaces either.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return QCursor(Qt::BlankCursor);
    QPixmap empty(16, 16);
    empty.fill(Qt::transparent);
    return QCursor(empty, 0, 0);
}

} // namespace

void SetApplicationCursorHidden(bool hidden) {
    const QCursor shape = hidden ? HiddenCursor() : QCursor(Qt::ArrowCursor);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(shape);
    else
        QGuiApplication::setOverrideCursor(shape);
}

} // namespace dd
