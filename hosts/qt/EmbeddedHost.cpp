#include "hosts/qt/EmbeddedHost.h"

#include "game/Field.h"
#include "hosts/qt/EmbeddedView.h"
#include "hosts/qt/QtWavePlayer.h"

#include <QCoreApplication>
#include <cassert>
#include <iostream>

namespace dd {
EmbeddedHost::EmbeddedHost(std::uint64_t window, SharedAudioOutput& sound,
                           std::function<void()> quit)
    : window_(window), sound_(sound), quit_(std::move(quit)) {}

std::vector<TMonitor> EmbeddedHost::Monitors() const {
    return {{"", Bounds(0, 0, kFieldWidth, kFieldHeight), true}};
}

std::unique_ptr<TSaverWindow> EmbeddedHost::OpenWindow(const std::string&, const Bitmap* surface,
                                                       const SurfacePlacement&, SaverInput& input) {
    assert(surface); // one monitor: nothing to cover
    return std::make_unique<EmbeddedView>(*surface, window_, input);
}

void EmbeddedHost::MessageBox(const std::string& text, const std::string& caption, MessageIcon) {
    std::cerr << caption << ": " << text << "\n";
}

void EmbeddedHost::ProcessMessages() {
    QCoreApplication::processEvents();
}

std::unique_ptr<TWavePlayer> EmbeddedHost::NewWavePlayer() {
    return std::make_unique<QtWavePlayer>(sound_);
}

} // namespace dd
