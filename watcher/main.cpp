// The idle watcher, `dravelin-didazi-idle SAVER DELAY`: `dravelin-didazi --idle DELAY` hands
// over to it, naming itself as SAVER. It waits on the session's own idle source, without
// polling, and starts `SAVER /s` each time the session has been idle for DELAY; it ends that
// saver, and itself, with the session, and takes its signals as any service does.

#include "watcher/DesktopBlank.h"
#include "watcher/IdleDelay.h"
#include "watcher/IdleWatcher.h"
#include "watcher/MutterIdle.h"
#include "watcher/PowerDevil.h"
#include "watcher/SaverProcess.h"
#include "watcher/SessionLock.h"
#include "watcher/WaylandIdle.h"
#include "watcher/XSyncIdle.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

constexpr const char* kName = "dravelin-didazi --idle";

bool Named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// GNOME first, on X and Wayland alike: its compositor speaks no Wayland idle protocol. In a
// Wayland session X is never asked: Xwayland sees only the input of X clients.
std::unique_ptr<dd::IdleSource> OpenIdleSource(std::chrono::milliseconds delay) {
    if (auto gnome = dd::OpenMutterIdle(delay))
        return gnome;
    if (Named("WAYLAND_DISPLAY"))
        return dd::OpenWaylandIdle(delay);
    if (Named("DISPLAY"))
        return dd::OpenXSyncIdle(delay);
    return nullptr;
}

std::string Describe(std::chrono::seconds delay) {
    const auto count = delay.count();
    if (count % 60 != 0)
        return std::to_string(count) + (count == 1 ? " second" : " seconds");
    return std::to_string(count / 60) + (count == 60 ? " minute" : " minutes");
}

// The signals a service is stopped with, and the saver's end, as a descriptor to wait on.
int SignalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        sigaddset(&signals, s);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

} // namespace

int main(int argc, char** argv) {
    const auto delay = argc == 3 ? dd::ParseIdleDelay(argv[2]) : std::nullopt;
    if (!delay) {
        std::cerr << kName << ": " << dd::kIdleDelayExpected << "\n";
        return 1;
    }
    const int signals = SignalDescriptor();
    if (signals < 0) {
        std::perror("dravelin-didazi --idle: signalfd");
        return 1;
    }
    const auto source = OpenIdleSource(*delay);
    if (!source) {
        std::cerr << kName
                  << ": this session offers no idle source; looked for "
                     "org.gnome.Mutter.IdleMonitor on the session bus, ext-idle-notify-v1 and "
                     "org_kde_kwin_idle on the Wayland display (WAYLAND_DISPLAY), else XSync's "
                     "IDLETIME on the X display (DISPLAY)\n";
        return 1;
    }
    std::cout << kName << ": starts the saver after " << Describe(*delay) << " of idle time, from "
              << source->Name() << std::endl;
    if (source->Name().find("Mutter") != std::string::npos)
        if (const std::string warning = dd::BlankWarning(dd::GnomeBlankDelay(), *delay);
            !warning.empty())
            std::cout << kName << ": " << warning << std::endl;

    dd::SaverProcess saver(argv[1]);
    std::unique_ptr<dd::PowerDevil> powerDevil = dd::PowerDevil::Open();
    if (powerDevil)
        std::cout << kName << ": also honours the inhibitors Plasma's PowerDevil holds"
                  << std::endl;
    dd::IdleWatcher watcher({[&] {
                                 try {
                                     saver.Start();
                                 } catch (const std::exception& e) {
                                     std::cerr << kName << ": " << e.what() << "\n";
                                     watcher.SaverEnded();
                                 }
                             },
                             [&] { saver.Terminate(); },
                             [&] { return powerDevil && powerDevil->ScreenInhibited(); },
                             [&] { source->CountAgain(); }});
    source->OnIdle = [&] { watcher.Idle(); };
    if (powerDevil)
        powerDevil->OnReleased = [&] { watcher.InhibitorReleased(); };
    source->OnNote = [](const std::string& note) {
        std::cout << kName << ": " << note << std::endl;
    };
    std::unique_ptr<dd::SessionLock> lock = dd::SessionLock::Open();
    if (lock) {
        std::cout << kName << ": no saver while the session is locked, from " << lock->Name()
                  << std::endl;
        watcher.Locked(lock->Locked());
        lock->OnChanged = [&](bool locked) { watcher.Locked(locked); };
    } else {
        std::cout << kName << ": no session lock to be seen (logind on the system bus)"
                  << std::endl;
    }
    for (;;) {
        source->Flush();
        // What the bus library has read already (with a reply it waited for) wakes no poll.
        if (lock && !lock->Dispatch())
            lock.reset(); // the system bus went: the session may go on
        if (powerDevil && !powerDevil->Dispatch())
            powerDevil.reset();
        pollfd waits[] = {{source->Descriptor(), POLLIN, 0},
                          {signals, POLLIN, 0},
                          {lock ? lock->Descriptor() : -1, lock ? lock->Events() : short{0}, 0},
                          {powerDevil ? powerDevil->Descriptor() : -1,
                           powerDevil ? powerDevil->Events() : short{0}, 0}};
        if (poll(waits, 4, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("dravelin-didazi --idle: poll");
            break;
        }
        if (waits[0].revents && !source->Dispatch()) {
            watcher.SessionEnded();
            break;
        }
        if (lock && waits[2].revents && !lock->Dispatch())
            lock.reset();
        if (powerDevil && waits[3].revents && !powerDevil->Dispatch())
            powerDevil.reset();
        if (waits[1].revents & POLLIN) {
            signalfd_siginfo info{};
            if (read(signals, &info, sizeof info) != sizeof info)
                continue;
            if (info.ssi_signo != SIGCHLD)
                break;
            if (saver.Reap())
                watcher.SaverEnded();
        }
    }
    saver.End();
    return 0;
}
