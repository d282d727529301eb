#include "shell/SaverSession.h"

#include "platform/core/ErrorBoundary.h"
#include "shell/Background.h"
#include "shell/Entry.h"
#include "shell/UMain.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace dd {
namespace {

const TMonitor* Named(const std::vector<TMonitor>& monitors, const std::string& name) {
    const auto found = std::ranges::find(monitors, name, &TMonitor::name);
    return found == monitors.end() ? nullptr : &*found;
}

const TMonitor& Primary(const std::vector<TMonitor>& monitors) {
    const auto found = std::ranges::find_if(monitors, &TMonitor::primary);
    return found == monitors.end() ? monitors.front() : *found;
}

// The monitor is gone, or shows another area now.
bool Changed(const std::vector<TMonitor>& monitors, const TMonitor& shown) {
    const TMonitor* now = Named(monitors, shown.name);
    return !now || now->area != shown.area;
}

bool Overlap(const TRect& a, const TRect& b) {
    TRect common;
    return IntersectRect(common, a, b);
}

} // namespace

SaverSession::SaverSession(SaverHost& host, ProfileFile settings, Scheduler& scheduler,
                           RandomGenerator& random)
    : host_(host), settings_(std::move(settings)), scheduler_(scheduler), random_(random),
      end_(host) {}

SaverSession::~SaverSession() = default;

void SaverSession::Start() {
    RunGuarded([this] { Create(); }, [this](const std::exception& e) { Fail(e); });
}

void SaverSession::Create() {
    const std::vector<TMonitor> monitors = host_.Monitors();
    assert(!monitors.empty());
    field_.monitor = Primary(monitors);
    const TRect& area = field_.monitor.area;
    const FieldGeometry field = FieldForScreen(area.Width(), area.Height());
    placement_ = SurfacePlacement::Enlarged(field.width, field.height, area.Width(), area.Height());
    main_ = std::make_unique<TfrmMain>(host_, placement_, settings_, scheduler_, random_);
    if (QuitPosted())
        return; // the fatal path ended the saver during its creation
    field_.window = host_.OpenWindow(main_->Caption(), &main_->Surface(), placement_, *this);
    main_->OnPresent = [this](const TRect& r) { field_.window->Present(r); };
    main_->Show();
    Arrange(monitors, true);
}

void SaverSession::MonitorsChanged() {
    if (!field_.window || QuitPosted())
        return;
    RunGuarded(
        [this] {
            const std::vector<TMonitor> monitors = host_.Monitors();
            if (!monitors.empty()) // an output unplugged last leaves none for a moment
                Arrange(monitors, false);
        },
        [this](const std::exception& e) { Fail(e); });
}

void SaverSession::Arrange(const std::vector<TMonitor>& monitors, bool force) {
    const bool fieldMoved = Changed(monitors, field_.monitor);
    if (fieldMoved) {
        const TMonitor* own = Named(monitors, field_.monitor.name);
        const TRect was = field_.monitor.area;
        field_.monitor = own ? *own : Primary(monitors);
        // Their positions count from the field's monitor.
        for (Shown& cover : std::exchange(covers_, {}))
            Retire(std::move(cover.window));
        const TRect& now = field_.monitor.area;
        if (now.Width() != was.Width() || now.Height() != was.Height())
            Refit();
    }
    // A compositor moves the windows of a monitor that goes to another one and may show them
    // over the saver's: every window is shown again on what its monitor holds now.
    const bool showAgain = force || fieldMoved || std::ranges::any_of(covers_, [&](const Shown& c) {
                               return Changed(monitors, c.monitor);
                           });
    const TRect& field = field_.monitor.area;
    std::erase_if(covers_, [&](Shown& cover) {
        const bool stale = Changed(monitors, cover.monitor) || Overlap(cover.monitor.area, field);
        if (stale)
            Retire(std::move(cover.window));
        return stale;
    });
    if (showAgain)
        for (const Shown& cover : covers_)
            cover.window->Cover(cover.monitor);
    CoverTheRest(monitors);
    if (showAgain)
        field_.window->Cover(field_.monitor);
    field_.window->TakeKeyboard();
}

void SaverSession::CoverTheRest(const std::vector<TMonitor>& monitors) {
    const TRect& field = field_.monitor.area;
    for (const TMonitor& monitor : monitors) {
        const bool covered = std::ranges::any_of(
            covers_, [&monitor](const Shown& cover) { return cover.monitor.name == monitor.name; });
        // A monitor that shows part of the field, such as a mirror, stays uncovered.
        if (covered || Overlap(monitor.area, field))
            continue;
        auto cover = host_.OpenWindow(main_->Caption(), nullptr, {}, *this);
        cover->Cover(monitor);
        covers_.push_back({monitor, std::move(cover)});
    }
}

template <typename Work> void SaverSession::Guarded(Work&& work) {
    if (!main_)
        return;
    ++handling_;
    RunGuarded([&] { work(*main_); }, [this](const std::exception& e) { Fail(e); });
    if (--handling_ == 0)
        retired_.clear();
}

void SaverSession::Retire(std::unique_ptr<TSaverWindow> window) {
    if (handling_ > 0)
        retired_.push_back(std::move(window));
}

void SaverSession::Refit() {
    const TRect& area = field_.monitor.area;
    placement_ = placement_.Refitted(area.Width(), area.Height());
    main_->SetPlacement(placement_);
    Retire(std::exchange(field_.window,
                         host_.OpenWindow(main_->Caption(), &main_->Surface(), placement_, *this)));
}

TPoint SaverSession::OnFieldMonitor(const TSaverWindow& window, TPoint at) const {
    const auto cover = std::ranges::find_if(
        covers_, [&window](const Shown& c) { return c.window.get() == &window; });
    if (cover == covers_.end())
        return at;
    const TRect& from = cover->monitor.area;
    const TRect& field = field_.monitor.area;
    return {at.X + from.Left - field.Left, at.Y + from.Top - field.Top};
}

void SaverSession::KeyDown(int key) {
    Guarded([key](TfrmMain& m) { m.FormKeyDown(key); });
}

void SaverSession::KeyUp(int key) {
    Guarded([key](TfrmMain& m) { m.FormKeyUp(key); });
}

void SaverSession::Character(char key) {
    Guarded([key](TfrmMain& m) { m.FormKeyPress(key); });
}

void SaverSession::PointerMoved(const TSaverWindow& window, TPoint at) {
    const TPoint p = OnFieldMonitor(window, at);
    Guarded([p](TfrmMain& m) { m.MouseMove(p.X, p.Y); });
}

void SaverSession::Clicked(const TSaverWindow& window, TPoint at) {
    const TPoint p = OnFieldMonitor(window, at);
    Guarded([p](TfrmMain& m) { m.MouseDown(p.X, p.Y); });
}

bool SaverSession::CloseRequested() {
    return !main_ || main_->CloseQuery();
}

bool SaverSession::SystemCommand(unsigned command) {
    bool answered = false;
    Guarded([&](TfrmMain& m) { answered = m.SystemCommand(command); });
    return answered;
}

void SaverSession::EndBySignal() {
    if (main_)
        main_->Stop();
    else
        end_.Quit();
}

void SaverSession::Fail(const std::exception& error) {
    if (end_.Fail(error))
        EndBySignal();
}

std::string SaverSession::Caption() const {
    return main_ ? main_->Caption() : std::string();
}

bool SaverSession::QuitPosted() const {
    return end_.QuitPosted() || (main_ && main_->State.Closing);
}

} // namespace dd
