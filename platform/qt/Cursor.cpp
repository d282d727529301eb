#include "platform/qt/Cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace dd {

void SetApplicationCursorHidden(bool hidden) {
    const QCursor shape(hidden ? Qt::BlankCursor : Qt::ArrowCursor);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(shape);
    else
        QGuiApplication::setOverrideCursor(shape);
}

} // namespace dd
