// A stand-in for systemd-logind on the bus DBUS_SYSTEM_BUS_ADDRESS names: one session, whose
// LockedHint the test sets by writing "lock" or "unlock" lines to this program's input; each
// change is announced with PropertiesChanged, as logind does.
#include "tests/desktop/StandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <iostream>
#include <string>

namespace {

constexpr const char* kSession = "/org/freedesktop/login1/session/test";

class Logind : public QDBusVirtualObject {
public:
    explicit Logind(QDBusConnection bus) : bus_(std::move(bus)) {}

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        QDBusMessage reply;
        if (message.member() == "GetSessionByPID" || message.member() == "GetSession")
            reply = message.createReply(
                QVariant::fromValue(QDBusObjectPath(QString::fromLatin1(kSession))));
        else if (message.member() == "Get" && message.path() == kSession)
            reply = message.createReply(QVariant::fromValue(QDBusVariant(locked_)));
        else
            reply = message.createErrorReply(QDBusError::UnknownMethod, message.member());
        connection.send(reply);
        return true;
    }

    void Set(bool locked) {
        locked_ = locked;
        QDBusMessage changed = QDBusMessage::createSignal(
            kSession, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        changed << QString("org.freedesktop.login1.Session") << QVariantMap{{"LockedHint", locked}}
                << QStringList();
        bus_.send(changed);
        std::cout << (locked ? "locked" : "unlocked") << std::endl;
    }

private:
    QDBusConnection bus_;
    bool locked_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::systemBus();
    Logind logind(bus);
    return dd::test::RunStandIn(
        bus, "org.freedesktop.login1", "/org/freedesktop/login1", logind,
        [&](const std::string& line) {
            if (line == "lock" || line == "unlock")
                logind.Set(line == "lock");
        },
        QDBusConnection::SubPath);
}
