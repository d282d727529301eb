// A stand-in for GNOME's org.gnome.Mutter.IdleMonitor on the session bus: it keeps the idle
// watches that are added, writes "AddIdleWatch INTERVAL" for each, and when the test writes
// "idle" to its input fires every watch, sending WatchFired to the connection that added it,
// as Mutter does once the session has been idle for the watch's interval.
#include "tests/desktop/StandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kMonitor = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* kInterface = "org.gnome.Mutter.IdleMonitor";

class IdleMonitor : public QDBusVirtualObject {
public:
    explicit IdleMonitor(QDBusConnection bus) : bus_(std::move(bus)) {}

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kInterface || message.member() != "AddIdleWatch") {
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
            return true;
        }
        const auto id = static_cast<unsigned>(watches_.size() + 1);
        watches_.push_back({id, message.service()});
        std::cout << "AddIdleWatch " << message.arguments().value(0).toULongLong() << std::endl;
        connection.send(message.createReply(QVariant::fromValue(id)));
        return true;
    }

    void FireAll() {
        for (const Watch& watch : watches_) {
            QDBusMessage fired =
                QDBusMessage::createTargetedSignal(watch.owner, kMonitor, kInterface, "WatchFired");
            fired << watch.id;
            bus_.send(fired);
        }
        std::cout << "fired" << std::endl;
    }

private:
    struct Watch {
        unsigned id;
        QString owner;
    };
    QDBusConnection bus_;
    std::vector<Watch> watches_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    IdleMonitor monitor(bus);
    return dd::test::RunStandIn(bus, kInterface, kMonitor, monitor, [&](const std::string& line) {
        if (line == "idle")
            monitor.FireAll();
    });
}
