// Writes every data file of the program and, when given an icon folder, the program's icon in
// the hicolor theme's layout and as a Windows icon file:
// assetgen <data folder> <generated source folder> [<icon folder>].
// The output is the same, byte for byte, on every run.

#include "platform/gfx/BmpWriter.h"
#include "platform/io/WaveFile.h"
#include "tools/assetgen/Ico.h"
#include "tools/assetgen/Icon.h"
#include "tools/assetgen/MainFormDescription.h"
#include "tools/assetgen/Pictures.h"
#include "tools/assetgen/Sounds.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

namespace fs = std::filesystem;

// Writes only when the contents differ, so the build does not redo what depends on them.
void Save(const fs::path& path, const std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    const std::string old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.is_open() && old == contents)
        return;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void Save(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    Save(path, std::string(bytes.begin(), bytes.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: assetgen <data folder> <generated source folder> [<icon folder>]\n";
        return 2;
    }
    try {
        const fs::path data = argv[1], generated = argv[2];
        fs::create_directories(data);
        fs::create_directories(generated);
        using namespace dd::assetgen;
        Save(data / "lucht2.bmp", dd::WriteBmp(DrawAir()));
        Save(data / "water.bmp", dd::WriteBmp(DrawWater()));
        Save(data / "zee.bmp", dd::WriteBmp(DrawSea()));
        Save(data / "CLRBTMP.BMP", dd::WriteBmp(DrawColourStrip()));
        Save(data / "klapper.wav", dd::WriteWave(SynthKlapper()));
        Save(data / "knerp.wav", dd::WriteWave(SynthKnerp()));
        Save(data / "ratel.wav", dd::WriteWave(SynthRatel()));
        Save(data / "waterlp.wav", dd::WriteWave(SynthWaterloop()));
        const std::string description = MainFormDescription(DrawSprites());
        Save(generated / "MainForm.dfm", description);
        Save(generated / "MainFormText.cpp", EmbeddedDescriptionSource(description));
        if (argc == 4) {
            for (int size : kIconSizes) {
                const std::string name = std::to_string(size) + "x" + std::to_string(size);
                const fs::path folder = fs::path(argv[3]) / name / "apps";
                fs::create_directories(folder);
                Save(folder / "dravelin-didazi.png", WritePng(DrawIcon(size)));
            }
            std::vector<RgbaImage> windowsIcon;
            for (int size : kWindowsIconSizes)
                windowsIcon.push_back(DrawIcon(size));
            Save(fs::path(argv[3]) / "dravelin-didazi.ico", WriteIco(windowsIcon));
        }
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
