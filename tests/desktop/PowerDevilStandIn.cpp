// A stand-in for Plasma's PowerDevil on the session bus: its policy agent answers
// HasInhibition with whether the test holds an inhibitor, which it takes and releases by
// writing "inhibit" or "release" lines to this program's input; each HasInhibition is written
// to the output.
#include "tests/desktop/StandIn.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <iostream>
#include <string>

namespace {

constexpr const char* kAgent = "org.kde.Solid.PowerManagement.PolicyAgent";

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
    PolicyAgent agent;
    return dd::test::RunStandIn(QDBusConnection::sessionBus(), kAgent,
                                "/org/kde/Solid/PowerManagement/PolicyAgent", agent,
                                [&](const std::string& line) {
                                    if (line == "inhibit" || line == "release")
                                        agent.inhibited = line == "inhibit";
                                    std::cout << line << std::endl;
                                });
}
