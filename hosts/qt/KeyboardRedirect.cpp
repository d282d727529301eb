#include "hosts/qt/KeyboardRedirect.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace dd {

KeyboardRedirect::KeyboardRedirect(QWidget& dialog) : dialog_(dialog) {
    QCoreApplication::instance()->installEventFilter(this);
}

KeyboardRedirect::~KeyboardRedirect() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyboardRedirect::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    // Widgets receive key events after their native window; redirect at the widget.
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() == &dialog_)
        return false;
    QWidget* focus = dialog_.focusWidget();
    QCoreApplication::sendEvent(focus ? focus : &dialog_, event);
    return true;
}

} // namespace dd
