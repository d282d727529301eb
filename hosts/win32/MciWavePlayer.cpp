#include "hosts/win32/MciWavePlayer.h"

#include "platform/io/AtomicFile.h"
#include "platform/io/DataFile.h"
#include "platform/io/WaveFile.h"

#include <mmsystem.h>
#include <system_error>

namespace dd {
namespace {

std::string ErrorText(MCIERROR error) {
    wchar_t text[256] = {};
    if (!::mciGetErrorStringW(error, text, 256))
        return "the media control interface failed (" + std::to_string(error) + ")";
    std::string narrow;
    for (const wchar_t* c = text; *c; ++c)
        narrow += *c < 128 ? static_cast<char>(*c) : '?';
    return narrow;
}

} // namespace

MciWavePlayer::MciWavePlayer()
    : window_([this](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
          if (message != MM_MCINOTIFY || static_cast<unsigned>(lParam) != device_)
              return std::nullopt;
          if (owedNotices_ > 0 && --owedNotices_ == 0 && OnNotify)
              OnNotify(*this);
          return 0;
      }) {}

MciWavePlayer::~MciWavePlayer() {
    Close();
}

void MciWavePlayer::Open(const std::string& fileName) {
    Close();
    const std::filesystem::path path = ResolveDataFile(fileName);
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const std::system_error& e) {
        throw EWaveDevice(e.what());
    }
    // Our reader sees the bytes first: a broken file gets its own error, never the device.
    if (ReadWave(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
            .samples.empty())
        throw EWaveDevice("an empty sound: " + fileName);
    MCI_OPEN_PARMSW open{};
    open.lpstrDeviceType = L"waveaudio";
    const std::wstring element = path.wstring();
    open.lpstrElementName = element.c_str();
    if (const MCIERROR error =
            ::mciSendCommandW(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&open)))
        throw EWaveDevice(ErrorText(error));
    device_ = open.wDeviceID;
}

void MciWavePlayer::Play() {
    if (device_ == 0)
        return;
    MCI_PLAY_PARMS play{};
    play.dwCallback = reinterpret_cast<DWORD_PTR>(window_.Handle());
    play.dwFrom = 0;
    ++owedNotices_;
    if (::mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY | MCI_FROM,
                          reinterpret_cast<DWORD_PTR>(&play)) != 0)
        // The device sends nothing for a play it refused; it still has to end.
        ::PostMessageW(window_.Handle(), MM_MCINOTIFY, MCI_NOTIFY_FAILURE, device_);
}

void MciWavePlayer::Stop() {
    if (device_ == 0)
        return;
    // The play's own notice follows as aborted.
    MCI_GENERIC_PARMS stop{};
    ::mciSendCommandW(device_, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop));
}

void MciWavePlayer::Close() {
    if (device_ == 0)
        return;
    MCI_GENERIC_PARMS close{};
    ::mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
    device_ = 0;
    owedNotices_ = 0;
}

} // namespace dd
