#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>

namespace dd::test {
namespace {

using Match = std::function<bool(QWidget*)>;
using Act = std::function<void(QWidget&)>;

// Polls of a test that has ended must not act on the next test's windows.
int generation = 0;

void Poll(std::shared_ptr<Match> match, std::shared_ptr<Act> act, int triesLeft, int born) {
    if (born != generation)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && (*match)(modal)) {
        (*act)(*modal);
        return;
    }
    if (triesLeft > 0)
        QTimer::singleShot(10, [=] { Poll(match, act, triesLeft - 1, born); });
}

void When(Match match, Act act) {
    auto m = std::make_shared<Match>(std::move(match));
    auto a = std::make_shared<Act>(std::move(act));
    QTimer::singleShot(0, [=, born = generation] { Poll(m, a, 200, born); });
}

} // namespace

void ForgetPendingModals() {
    ++generation;
}

void WhenModal(std::function<void(QWidget& modal)> act) {
    QWidget* before = QApplication::activeModalWidget();
    When([before](QWidget* w) { return w != before && !qobject_cast<QMessageBox*>(w); },
         std::move(act));
}

void CloseNextMessageBox(ShownMessage& shown) {
    When([](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
         [&shown](QWidget& modal) {
             auto& box = static_cast<QMessageBox&>(modal);
             shown = {box.text(), box.windowTitle(), static_cast<int>(box.icon()),
                      box.font().family(), !box.windowIcon().isNull()};
             box.button(QMessageBox::Ok)->click();
         });
}

} // namespace dd::test
