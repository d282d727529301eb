// Writes the seed corpora of the fuzz targets: seedcorpus <folder>, one subfolder a target.

#include "platform/core/Real48.h"
#include "platform/gfx/BmpWriter.h"
#include "platform/io/WaveFile.h"
#include "platform/io/WindowMessage.h"
#include "shell/MainForm.h"
#include "sprites/Sprsqnce.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

dd::Bitmap Picture(int w, int h, int colours) {
    dd::Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y,
                       (x * 7 + y * 3) % colours == 0
                           ? dd::clBlue
                           : dd::RGB(static_cast<std::uint8_t>(x * 40),
                                     static_cast<std::uint8_t>((x * y) % colours), 9));
    return b;
}

std::vector<std::uint8_t> FrameList() {
    dd::TMemoryStream s;
    s.WriteS16(2);
    for (int i = 0; i < 2; ++i) {
        s.WriteU8(0);
        dd::TName(i ? "B0" : "Bmin45").Write(s);
        s.WriteS16(static_cast<std::int16_t>(i * 5));
        s.WriteS16(0);
        s.WriteS16(5);
        s.WriteS16(static_cast<std::int16_t>(3 + i));
    }
    const auto bmp = dd::WriteBmp(Picture(10, 4, 5));
    s.WriteU32(static_cast<std::uint32_t>(bmp.size()));
    s.WriteBuffer(bmp.data(), bmp.size());
    return s.Bytes();
}

std::vector<std::uint8_t> SequenceList(bool depth) {
    dd::TMemoryStream s;
    s.WriteS16(2);
    for (const char* name : {"ZeilL", "Standen"}) {
        dd::TName(name).Write(s);
        s.WriteS16(2);
        for (int i = 0; i < 2; ++i) {
            dd::TName("Hz" + std::to_string(i)).Write(s);
            s.WriteS16(1);
            s.WriteS16(-1);
            if (depth)
                s.WriteS16(2);
            const auto t = dd::DoubleToReal48(0.625);
            s.WriteBuffer(t.data(), t.size());
        }
    }
    return s.Bytes();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: seedcorpus <folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    Save(root / "bmp", "few-colours.bmp", dd::WriteBmp(Picture(7, 5, 4)));
    Save(root / "bmp", "many-colours.bmp", dd::WriteBmp(Picture(40, 9, 300)));
    Save(root / "frame_list", "two-frames", FrameList());
    Save(root / "frame_list", "empty", {0, 0});
    Save(root / "sequence_list", "with-depth", SequenceList(true));
    Save(root / "sequence_list", "without-depth", SequenceList(false));
    auto text = [](std::string_view s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    Save(root / "profile", "control.ini",
         text("; shared\r\n[Other]\r\nx=1\r\n[ScreenSaver.Zeilen]\r\nPicture=0x3\r\nPWD=\" a "
              "\"\r\n"));
    Save(root / "profile", "user.reg",
         text("REGEDIT4\n\n[HKEY_CURRENT_USER\\Control "
              "Panel\\desktop]\n\"ScreenSaveUsePassword\"=dword:00000000\n"));
    dd::WaveData wave{22050, 1, 16, {0, 100, -100, 32767, -32768, 7}};
    Save(root / "wave", "short.wav", dd::WriteWave(wave));
    const auto request = dd::EncodeRequest({1127, 0, 0});
    Save(root / "window_message", "request", {request.begin(), request.end()});
    const auto reply = dd::EncodeReply(1);
    Save(root / "window_message", "reply", {reply.begin(), reply.end()});
    const std::string identity = *dd::FormatIdentity({"TfrmMain", "Dravelin Didazi Screen Saver"});
    Save(root / "window_message", "identity", {identity.begin(), identity.end()});
    // The stored description is large; its first sprites make a seed of useful size.
    const std::string description = dd::StoredMainFormDescription();
    Save(root / "form", "head", text(description.substr(0, 4000)));
    Save(root / "form", "small",
         text("object frmMain: TfrmMain\n  object SpriteBox1: TSpriteBox\n    Width = 800\n  end\n"
              "  object timerBoot: TTimer\n    Interval = 100\n    OnTimer = timerBootTimer\n  "
              "end\nend\n"));
    return 0;
}
