// A stand-in for Plasma's PowerDevil on the session bus: its policy agent answers
// HasInhibition with whether the test holds an inhibitor, which it takes and releases by
// writing "inhibit" or "release" lines to this program's input; each HasInhibition is written
// to the output.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <iostream>
#include <string>
#include <unistd.h>

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
    QDBusConnection bus = QDBusConnection::sessionBus();
    PolicyAgent agent;
    if (!bus.registerVirtualObject("/org/kde/Solid/PowerManagement/PolicyAgent", &agent) ||
        !bus.registerService(kAgent)) {
        std::cerr << "powerdevil_stand_in: cannot take " << kAgent << "\n";
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line))
            QCoreApplication::quit();
        else if (line == "inhibit" || line == "release")
            agent.inhibited = line == "inhibit";
        std::cout << line << std::endl;
    });
    std::cout << "ready" << std::endl;
    return QCoreApplication::exec();
}
