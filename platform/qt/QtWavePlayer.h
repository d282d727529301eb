#pragma once

#include "game/WavePlayer.h"

#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <memory>

namespace dd {

// A wave player on Qt Multimedia: the file is read once by our own wave reader and played
// through an audio sink. The end of a play, or its stop, is reported on the user-interface
// thread as a queued notification. Opening fails when no audio output exists.
class QtWavePlayer : public QObject, public TWavePlayer {
public:
    QtWavePlayer();
    ~QtWavePlayer() override;

    void Open(const std::string& fileName) override;
    void Play() override;
    void Stop() override;

private:
    void StateChanged(QAudio::State state);
    void NotifyLater(int delayMs);

    QByteArray pcm_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
    bool playing_ = false;
};

} // namespace dd
