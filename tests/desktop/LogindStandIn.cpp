// A stand-in for systemd-logind on the bus DBUS_SYSTEM_BUS_ADDRESS names: one session, whose
// LockedHint the test sets by writing "lock" or "unlock" lines to this program's input; each
// change is announced with PropertiesChanged, as logind does.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <iostream>
#include <string>
#include <unistd.h>

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
    if (!bus.registerVirtualObject("/org/freedesktop/login1", &logind, QDBusConnection::SubPath) ||
        !bus.registerService("org.freedesktop.login1")) {
        std::cerr << "logind_stand_in: cannot take org.freedesktop.login1\n";
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line))
            QCoreApplication::quit();
        else if (line == "lock" || line == "unlock")
            logind.Set(line == "lock");
    });
    std::cout << "ready" << std::endl;
    return QCoreApplication::exec();
}
