#pragma once

// A Wayland compositor may keep the keyboard on a full-screen window and never hand it to a
// dialog opened over it (sway focuses no new window over a full-screen one). While a
// KeyboardRedirect lives, key events aimed at any widget outside `dialog` go to the widget that
// has the focus inside it, so the dialog takes the keys whichever window the compositor chose.

#include <QObject>

class QWidget;

namespace dd {

class KeyboardRedirect : public QObject {
public:
    explicit KeyboardRedirect(QWidget& dialog);
    KeyboardRedirect(const KeyboardRedirect&) = delete;
    KeyboardRedirect& operator=(const KeyboardRedirect&) = delete;
    ~KeyboardRedirect() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& dialog_;
};

} // namespace dd
