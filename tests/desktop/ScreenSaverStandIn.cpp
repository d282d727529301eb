// A stand-in for the desktop's org.freedesktop.ScreenSaver on the session bus: it answers every
// call and writes the name of each method called to its output, a line each, so that a test can
// tell what a program asked of the desktop's screen saver.
#include "tests/desktop/StandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <iostream>

namespace {

class ScreenSaver : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override {
        return R"(<interface name="org.freedesktop.ScreenSaver">
  <method name="Inhibit"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="u" direction="out"/></method>
  <method name="UnInhibit"><arg type="u" direction="in"/></method>
</interface>)";
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != "org.freedesktop.ScreenSaver")
            return false;
        std::cout << message.member().toStdString() << std::endl;
        QDBusMessage reply = message.createReply();
        if (message.member() == "Inhibit")
            reply << 1u;
        connection.send(reply);
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ScreenSaver screenSaver;
    return dd::test::RunStandIn(QDBusConnection::sessionBus(), "org.freedesktop.ScreenSaver",
                                "/org/freedesktop/ScreenSaver", screenSaver,
                                [](const std::string&) {});
}
