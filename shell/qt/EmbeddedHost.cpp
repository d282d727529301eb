#include "shell/qt/EmbeddedHost.h"

#include "platform/qt/QtWavePlayer.h"
#include "shell/UMain.h"

#include <QCoreApplication>
#include <iostream>

namespace dd {

EmbeddedHost::EmbeddedHost(Scheduler& scheduler, RandomGenerator& random, std::uint64_t window,
                           std::function<void()> postQuit)
    : postQuit_(std::move(postQuit)) {
    frmMain_ = std::make_unique<TfrmMain>(*this, scheduler, random);
    if (frmMain_->State.Closing)
        return; // the fatal path ended the saver during its creation
    view_ = std::make_unique<EmbeddedView>(frmMain_->Surface(), window, [this] { Stop(); });
    frmMain_->OnPresent = [this](const TRect& r) { view_->Present(r); };
    frmMain_->Show();
}

EmbeddedHost::~EmbeddedHost() = default;

void EmbeddedHost::Stop() {
    frmMain_->Stop();
}

void EmbeddedHost::MessageBox(const std::string& text, const std::string& caption, MessageIcon) {
    std::cerr << caption << ": " << text << "\n";
}

void EmbeddedHost::ProcessMessages() {
    QCoreApplication::processEvents();
}

std::unique_ptr<TWavePlayer> EmbeddedHost::NewWavePlayer() {
    return std::make_unique<QtWavePlayer>();
}

} // namespace dd
