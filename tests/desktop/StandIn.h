#pragma once

// What the stand-ins for the desktop's services share: an object that answers on a bus under a
// service's name, commands from the test a line at a time on standard input, and "ready" on
// standard output once the name is taken.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QSocketNotifier>
#include <functional>
#include <iostream>
#include <string>
#include <unistd.h>

namespace dd::test {

inline int
RunStandIn(QDBusConnection bus, const char* service, const char* path, QDBusVirtualObject& object,
           std::function<void(const std::string&)> command,
           QDBusConnection::VirtualObjectRegisterOption option = QDBusConnection::SingleNode) {
    if (!bus.registerVirtualObject(path, &object, option) || !bus.registerService(service)) {
        std::cerr << "cannot take " << service << "\n";
        return 1;
    }
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line))
            QCoreApplication::quit();
        else
            command(line);
    });
    std::cout << "ready" << std::endl;
    return QCoreApplication::exec();
}

} // namespace dd::test
