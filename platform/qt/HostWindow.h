#pragma once

#include "platform/gfx/Bitmap.h"

#include <QWidget>
#include <functional>

namespace dd {

// What a host window reports, translated: virtual-key codes, typed characters and mouse events
// in window coordinates.
struct HostEvents {
    std::function<void(int key)> keyDown;
    std::function<void(int key)> keyUp;
    std::function<void(char key)> keyPress;
    std::function<void()> mouseDown;
    std::function<void(int x, int y)> mouseMove;
    // Whether an ordinary close request may close the window.
    std::function<bool()> closeQuery;
};

// A frameless, stay-on-top window covering the primary screen that shows a surface the program
// draws into. Only areas reported through Present are repainted.
class HostWindow : public QWidget {
public:
    HostWindow(const Bitmap& surface, HostEvents events);

    // Covers the primary screen and shows the window.
    void ShowFullScreen();
    void Present(const QRect& area) { update(area); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    const Bitmap& surface_;
    HostEvents events_;
};

} // namespace dd
