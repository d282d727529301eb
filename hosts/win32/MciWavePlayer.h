#pragma once

#include "hosts/win32/MessageWindow.h"
#include "platform/io/WavePlayer.h"

namespace dd {

// A wave player on the system's media control interface: the file is checked by our own wave
// reader, then opened as a waveaudio device; the end of every play, also one cut short by a
// stop, comes back as MM_MCINOTIFY on the user-interface thread. Every play owes one notice and
// only the newest play's is passed on, so a stopped play's late notice never ends a newer one.
class MciWavePlayer : public TWavePlayer {
public:
    MciWavePlayer();
    ~MciWavePlayer() override;

    void Open(const std::string& fileName) override;
    void Play() override;
    void Stop() override;

private:
    void Close();

    MessageWindow window_;
    unsigned device_ = 0;
    unsigned owedNotices_ = 0;
};

} // namespace dd
