#include "tests/support/FakeSaverHost.h"

#include "platform/core/Exception.h"
#include "shell/HelpText.h"

#include <gtest/gtest.h>

namespace dd::test {

FakeSaverWindow::FakeSaverWindow(WindowLog& log, bool field, SaverInput& input)
    : log_(log), input_(input), kind_(field ? "field" : "cover") {}

FakeSaverWindow::~FakeSaverWindow() {
    log_.push_back(kind_ + " on " + monitor_ + " closed");
}

void FakeSaverWindow::Cover(const TMonitor& monitor) {
    monitor_ = monitor.name;
    log_.push_back(kind_ + " on " + monitor_);
}

SurfacePlacement FakeSaverHost::OneToOne() const {
    const TRect& area = monitors.front().area;
    const TRect all = Bounds(0, 0, area.Width(), area.Height());
    return {area.Width(), area.Height(), all, all};
}

std::unique_ptr<TSaverWindow> FakeSaverHost::OpenWindow(const std::string& caption,
                                                        const Bitmap* surface,
                                                        const SurfacePlacement& placement,
                                                        SaverInput& input) {
    if (failToOpen)
        throw Exception("the window 0x2a is gone");
    EXPECT_EQ(caption, "Dravelin Didazi Screen Saver");
    auto window = std::make_unique<FakeSaverWindow>(log, surface != nullptr, input);
    if (surface) {
        EXPECT_EQ(surface->Width(), placement.SurfaceWidth());
        EXPECT_EQ(surface->Height(), placement.SurfaceHeight());
        field = window.get();
        fieldPlacement = placement;
    } else {
        EXPECT_FALSE(placement.HasSurface());
        lastCover = window.get();
    }
    return window;
}

void FakeSaverHost::MessageBox(const std::string& text, const std::string& caption, MessageIcon) {
    messages.push_back(caption + ": " + text);
}

bool FakeSaverHost::RunPasswordPrompt(const std::string& password) {
    prompts.push_back(password);
    if (whilePrompting)
        whilePrompting();
    if (typed.empty())
        return false;
    const std::string entry = typed.front();
    typed.pop_front();
    return entry == password;
}

std::unique_ptr<TWavePlayer> FakeSaverHost::NewWavePlayer() {
    auto player = std::make_unique<FakeWavePlayer>(static_cast<int>(players.size()), soundLog);
    players.push_back(player.get());
    return player;
}

HelpText FakeSaverHost::Help() const {
    HelpText help;
    for (const char* line : kHelpLines)
        help.lines.emplace_back(line);
    help.width = 305;
    help.height = 281;
    ++helpCopies;
    return help;
}

} // namespace dd::test
