// A stand-in for GNOME's session manager on the session bus, as far as Mutter follows it: its
// InhibitedActions property, which holds the idle flag (8) while the test holds an inhibitor.
// The test takes and releases it by writing "inhibit" or "release" lines to this program's
// input; each change is sent as PropertiesChanged, as gnome-session does when an application
// inhibits idleness.
#include "tests/desktop/StandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QVariantMap>
#include <iostream>
#include <string>

namespace {

constexpr const char* kManager = "org.gnome.SessionManager";
constexpr const char* kPath = "/org/gnome/SessionManager";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
constexpr unsigned kIdleInhibited = 8;

class SessionManager : public QDBusVirtualObject {
public:
    explicit SessionManager(QDBusConnection bus) : bus_(std::move(bus)) {}

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString member = message.member();
        if (message.interface() == kProperties && member == "GetAll")
            connection.send(message.createReply(Properties()));
        else if (message.interface() == kProperties && member == "Get" &&
                 message.arguments().value(1).toString() == "InhibitedActions")
            connection.send(message.createReply(
                QVariant::fromValue(QDBusVariant(QVariant::fromValue(actions_)))));
        else
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, member));
        return true;
    }

    void Inhibit(bool inhibit) {
        actions_ = inhibit ? kIdleInhibited : 0;
        QDBusMessage changed = QDBusMessage::createSignal(kPath, kProperties, "PropertiesChanged");
        changed << QString(kManager) << Properties() << QStringList();
        bus_.send(changed);
    }

private:
    QVariantMap Properties() const { return {{"InhibitedActions", QVariant::fromValue(actions_)}}; }

    QDBusConnection bus_;
    unsigned actions_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    SessionManager manager(bus);
    return dd::test::RunStandIn(bus, kManager, kPath, manager, [&](const std::string& line) {
        if (line == "inhibit" || line == "release")
            manager.Inhibit(line == "inhibit");
        std::cout << line << std::endl;
    });
}
