#include "platform/qt/QtWavePlayer.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/DataFile.h"
#include "platform/io/WaveFile.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>
#include <QTimer>
#include <stdexcept>

namespace dd {
namespace {

constexpr qint64 kTrailingSilenceUs = 250'000;
constexpr qint64 kBufferUs = 100'000;

} // namespace

QtWavePlayer::QtWavePlayer() = default;

QtWavePlayer::~QtWavePlayer() {
    if (sink_)
        sink_->stop();
}

void QtWavePlayer::Open(const std::string& fileName) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    // Without an output device the sink would claim to play forever.
    if (device.isNull())
        throw std::runtime_error("no audio output");
    const std::string bytes = ReadWholeFile(ResolveDataFile(fileName));
    const WaveData wave =
        ReadWave(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        throw std::runtime_error("the audio output cannot play " + fileName);
    pcm_ = QByteArray(reinterpret_cast<const char*>(wave.samples.data()),
                      static_cast<qsizetype>(wave.samples.size() * sizeof(std::int16_t)));
    // Silence behind the sound carries its last samples through the output's buffers before
    // the sink falls idle.
    pcm_.append(QByteArray(static_cast<qsizetype>(format.bytesForDuration(kTrailingSilenceUs)), 0));
    buffer_.setData(pcm_);
    sink_ = std::make_unique<QAudioSink>(device, format);
    // A short buffer, so the end of a play is noticed soon after it is heard.
    sink_->setBufferSize(static_cast<qsizetype>(format.bytesForDuration(kBufferUs)));
    QObject::connect(sink_.get(), &QAudioSink::stateChanged, this,
                     [this](QAudio::State s) { StateChanged(s); });
}

void QtWavePlayer::Play() {
    if (!sink_)
        return;
    if (playing_)
        Stop();
    buffer_.close();
    buffer_.open(QIODevice::ReadOnly);
    playing_ = true;
    sink_->start(&buffer_);
}

void QtWavePlayer::Stop() {
    if (!sink_ || !playing_)
        return;
    playing_ = false;
    sink_->stop();
    NotifyLater(0);
}

void QtWavePlayer::StateChanged(QAudio::State state) {
    // Idle: every sample has gone to the device, the sound's own ones long enough ago, behind
    // the silence, to have been heard.
    if (state == QAudio::IdleState && playing_) {
        playing_ = false;
        NotifyLater(0);
    }
}

void QtWavePlayer::NotifyLater(int delayMs) {
    QTimer::singleShot(delayMs, this, [this] {
        if (OnNotify)
            OnNotify(*this);
    });
}

} // namespace dd
