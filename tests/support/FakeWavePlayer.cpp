#include "tests/support/FakeWavePlayer.h"

#include <filesystem>
#include <stdexcept>

namespace dd::test {

void FakeWavePlayer::Open(const std::string& fileName) {
    if (!opens_)
        throw EWaveDevice("cannot open " + fileName);
    log_.push_back("open " + std::to_string(id_) + " " +
                   std::filesystem::path(fileName).filename().string());
}

void FakeWavePlayer::Play() {
    playing_ = true;
    log_.push_back("play " + std::to_string(id_));
}

void FakeWavePlayer::Stop() {
    playing_ = false;
    log_.push_back("stop " + std::to_string(id_));
}

void FakeWavePlayer::Finish() {
    playing_ = false;
    if (OnNotify)
        OnNotify(*this);
}

} // namespace dd::test
