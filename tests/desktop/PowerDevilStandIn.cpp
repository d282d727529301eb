// A stand-in for Plasma's PowerDevil on the session bus: its policy agent answers
// HasInhibition with whether the test holds an inhibitor, which it takes and releases by
// writing "inhibit" or "release" lines to this program's input, and tells of each change with
// InhibitionsChanged; each HasInhibition is written to the output.
#include "tests/desktop/StandIn.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <iostream>
#include <string>

namespace {

constexpr const char* kAgent = "org.kde.Solid.PowerManagement.PolicyAgent";
constexpr const char* kAgentPath = "/org/kde/Solid/PowerManagement/PolicyAgent";
constexpr const char* kApplication = "a video player";

// An application's inhibitor as the signal names it: the application and its reason.
struct Inhibition {
    QString application;
    QString reason;
};

QDBusArgument& operator<<(QDBusArgument& out, const Inhibition& inhibition) {
    out.beginStructure();
    out << inhibition.application << inhibition.reason;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, Inhibition& inhibition) {
    in.beginStructure();
    in >> inhibition.application >> inhibition.reason;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(Inhibition)

namespace {

// InhibitionsChanged(a(ss) added, as removed): the applications that took inhibitors, and those
// that released theirs.
QDBusMessage InhibitionsChanged(bool inhibited) {
    QList<Inhibition> added;
    if (inhibited)
        added.push_back({kApplication, "playing"});
    QDBusMessage changed = QDBusMessage::createSignal(kAgentPath, kAgent, "InhibitionsChanged");
    changed << QVariant::fromValue(added)
            << (inhibited ? QStringList() : QStringList{kApplication});
    return changed;
}

class PolicyAgent : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != kAgent || message.member() != "HasInhibition") {
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, message.member()));
            return true;
        }
        std::cout << "HasInhibition " << message.arguments().value(0).toUInt() << std::endl;
        connection.send(message.createReply(QVariant(inhibited)));
        return true;
    }

    bool inhibited = false;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    qDBusRegisterMetaType<Inhibition>();
    qDBusRegisterMetaType<QList<Inhibition>>();
    PolicyAgent agent;
    QDBusConnection bus = QDBusConnection::sessionBus();
    return dd::test::RunStandIn(bus, kAgent, kAgentPath, agent, [&](const std::string& line) {
        if (line == "inhibit" || line == "release") {
            agent.inhibited = line == "inhibit";
            bus.send(InhibitionsChanged(agent.inhibited));
        }
        std::cout << line << std::endl;
    });
}
