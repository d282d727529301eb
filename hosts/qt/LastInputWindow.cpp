#include "hosts/qt/LastInputWindow.h"

#include <QCoreApplication>
#include <QEvent>

namespace dd {

LastInputWindow::LastInputWindow() {
    QCoreApplication::instance()->installEventFilter(this);
}

LastInputWindow::~LastInputWindow() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool LastInputWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && event->spontaneous())
            window_ = widget->window();
        break;
    default:
        break;
    }
    return false;
}

} // namespace dd
