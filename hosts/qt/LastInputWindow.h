#pragma once

// The window that last received a key or a pointer event: the one the compositor has just
// focused (its focus follows the pointer, a click or the keyboard). Qt's active window learns
// of a new keyboard focus only after a round trip to a Wayland compositor, so in the handler of
// the very movement that moved the focus it still names the window that had it.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace dd {

class LastInputWindow : public QObject {
public:
    LastInputWindow();
    LastInputWindow(const LastInputWindow&) = delete;
    LastInputWindow& operator=(const LastInputWindow&) = delete;
    ~LastInputWindow() override;

    // Null before any input, and once that window has gone.
    QWidget* Window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
};

} // namespace dd
