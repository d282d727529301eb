// Input for GNOME through Mutter's RemoteDesktop interface, as a test drives a headless
// session that has no input devices. One remote-desktop session serves the whole run: it
// belongs to the bus connection that made it, and its virtual devices join the seat with their
// first event. Commands come a line at a time on standard input, each answered "ok" once
// Mutter has taken it:
//   key CODE      an evdev key pressed and released
//   move DX DY    the pointer moved by that much
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kService = "org.gnome.Mutter.RemoteDesktop";

bool Answered(const QDBusMessage& reply) {
    if (reply.type() == QDBusMessage::ErrorMessage)
        std::cerr << "remote_desktop: " << reply.errorMessage().toStdString() << "\n";
    return reply.type() != QDBusMessage::ErrorMessage;
}

bool Obey(QDBusInterface& session, const std::string& line) {
    std::istringstream words(line);
    std::string what;
    words >> what;
    if (unsigned code = 0; what == "key" && words >> code)
        return Answered(session.call("NotifyKeyboardKeycode", code, true)) &&
               Answered(session.call("NotifyKeyboardKeycode", code, false));
    if (double dx = 0, dy = 0; what == "move" && words >> dx >> dy)
        return Answered(session.call("NotifyPointerMotionRelative", dx, dy));
    std::cerr << "remote_desktop: key CODE | move DX DY, not \"" << line << "\"\n";
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusInterface desktop(kService, "/org/gnome/Mutter/RemoteDesktop", kService, bus);
    const QDBusReply<QDBusObjectPath> created = desktop.call("CreateSession");
    if (!created.isValid()) {
        std::cerr << "remote_desktop: CreateSession: " << created.error().message().toStdString()
                  << "\n";
        return 1;
    }
    QDBusInterface session(kService, created.value().path(),
                           "org.gnome.Mutter.RemoteDesktop.Session", bus);
    if (!Answered(session.call("Start")))
        return 1;
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);)
        std::cout << (Obey(session, line) ? "ok" : "failed") << std::endl;
    Answered(session.call("Stop"));
    return 0;
}
