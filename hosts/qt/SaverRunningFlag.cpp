#include "hosts/qt/SaverRunningFlag.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

namespace dd {
namespace {

QDBusInterface ScreenSaverService() {
    return QDBusInterface("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                          "org.freedesktop.ScreenSaver", QDBusConnection::sessionBus());
}

} // namespace

void SaverRunningFlag::Set(bool running) {
    if (running == cookie_.has_value() || !QDBusConnection::sessionBus().isConnected())
        return;
    QDBusInterface service = ScreenSaverService();
    if (!service.isValid())
        return;
    if (running) {
        const QDBusReply<std::uint32_t> reply =
            service.call("Inhibit", "Dravelin Didazi Screen Saver", "a screen saver is running");
        if (reply.isValid())
            cookie_ = reply.value();
    } else {
        service.call("UnInhibit", *cookie_);
        cookie_.reset();
    }
}

} // namespace dd
