#pragma once

#include <cstdint>
#include <optional>

namespace dd {

// Keeps the desktop's own screen saver from starting while ours runs, through
// org.freedesktop.ScreenSaver on the session bus; without a session bus it does nothing.
class SaverRunningFlag {
public:
    SaverRunningFlag() = default;
    SaverRunningFlag(const SaverRunningFlag&) = delete;
    SaverRunningFlag& operator=(const SaverRunningFlag&) = delete;
    ~SaverRunningFlag() { Set(false); }

    void Set(bool running);

private:
    std::optional<std::uint32_t> cookie_;
};

} // namespace dd
