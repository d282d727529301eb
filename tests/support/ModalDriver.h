#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace dd::test {

// What a message box showed before the test closed it.
struct ShownMessage {
    QString text;
    QString caption;
    int icon = 0;
    QString face;
    bool windowIcon = false;
};

// Runs `act` on the next modal window once it is up, from inside its event loop; gives up
// after two seconds.
void WhenModal(std::function<void(QWidget& modal)> act);
// Drops every wait that is still pending; called between tests.
void ForgetPendingModals();
// Closes the next message box with OK, recording what it showed into `shown`.
void CloseNextMessageBox(ShownMessage& shown);

} // namespace dd::test
