// Pictures for people to look at:
//   snapshot <data folder> <output folder>
// writes background-<n>.bmp, the composed background for each "Picture" value, and
// sprites.bmp, every frame of the nine sprites drawn through its mask on neutral grey.
//   snapshot <data folder> <output folder> --game --seed N --at SECONDS [--frames K --every MS]
// writes game.bmp, the screen of a demonstration from seed N at that moment, or with --frames
// the K screens frame-000.bmp ... taken every MS milliseconds from that moment on.

#include "platform/gfx/BmpWriter.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/Background.h"
#include "shell/MainForm.h"
#include "tools/simulate/Simulation.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

namespace fs = std::filesystem;
using namespace dd;

void Save(const fs::path& path, const Bitmap& bitmap) {
    const auto bytes = WriteBmp(bitmap);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bitmap ContactSheet(const TfrmMainComponents& c) {
    constexpr int kGap = 8, kWidth = 1400;
    constexpr TColor kGrey = RGB(128, 128, 128);
    // Lay the frames out in rows, sprite after sprite, wrapping at the sheet's width.
    struct Place {
        const TFrame* frame;
        int x, y;
    };
    std::vector<Place> places;
    int x = kGap, y = kGap, rowHeight = 0;
    for (TSprite* sprite : c.Sprites()) {
        // The game shows both black-transparent sprites with blue as their transparent colour.
        if (sprite->Transparent() == clBlack)
            sprite->SetTransparent(clBlue);
        for (int i = 0; i < sprite->FrameList().Count(); ++i) {
            const TFrame& f = sprite->FrameList().Frames(i);
            if (x + f.FrameWidth() + kGap > kWidth) {
                x = kGap;
                y += rowHeight + kGap;
                rowHeight = 0;
            }
            places.push_back({&f, x, y});
            x += f.FrameWidth() + kGap;
            rowHeight = std::max(rowHeight, f.FrameHeight());
        }
        x = kGap;
        y += rowHeight + 2 * kGap;
        rowHeight = 0;
    }
    Bitmap sheet(kWidth, y + kGap);
    sheet.GetCanvas().SetBrushColor(kGrey);
    sheet.GetCanvas().FillRect(sheet.BoundsRect());
    for (const Place& p : places)
        p.frame->DrawFrame(sheet.GetCanvas(), p.x, p.y, true);
    return sheet;
}

struct GameShot {
    std::uint32_t seed = 1;
    double at = 10;
    int frames = 0;
    int every = 100;
};

long Number(const std::string& text) {
    std::size_t used = 0;
    const long v = std::stol(text, &used);
    if (used != text.size() || v < 0)
        throw std::runtime_error("not a count: " + text);
    return v;
}

GameShot ParseGameShot(const std::vector<std::string>& args) {
    GameShot shot;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i + 1 >= args.size())
            throw std::runtime_error(args[i] + " needs a value");
        const std::string& value = args[++i];
        if (args[i - 1] == "--seed")
            shot.seed = static_cast<std::uint32_t>(Number(value));
        else if (args[i - 1] == "--at")
            shot.at = std::stod(value);
        else if (args[i - 1] == "--frames")
            shot.frames = static_cast<int>(Number(value));
        else if (args[i - 1] == "--every")
            shot.every = static_cast<int>(std::max(1L, Number(value)));
        else
            throw std::runtime_error("unknown argument " + args[i - 1]);
    }
    return shot;
}

void SaveGame(const std::string& home, const fs::path& out, const GameShot& shot) {
    RandomGenerator random(shot.seed);
    simulate::Options options;
    options.seed = shot.seed;
    options.background = ComposeBackground(0, home, {}, ComputeStarPoints(), random);
    simulate::Simulation simulation(options);
    simulation.StartDemonstration();
    simulation.RunFor(Milliseconds(static_cast<long long>(shot.at * 1000)));
    if (shot.frames == 0) {
        Save(out / "game.bmp", simulation.Screen());
        return;
    }
    for (int i = 0; i < shot.frames; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.bmp", i);
        Save(out / name, simulation.Screen());
        simulation.RunFor(Milliseconds(shot.every));
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool game = args.size() >= 3 && args[2] == "--game";
    if (args.size() != 2 && !game) {
        std::cerr << "usage: snapshot <data folder> <output folder> [--game --seed N --at SECONDS "
                     "[--frames K --every MS]]\n";
        return 2;
    }
    try {
        const fs::path out = args[1];
        fs::create_directories(out);
        const std::string home = fs::absolute(args[0]).string() + "/";
        if (game) {
            SaveGame(home, out, ParseGameShot({args.begin() + 3, args.end()}));
            return 0;
        }
        const TStarPoints star = ComputeStarPoints();
        for (int picture : {0, 2, 3, 4}) {
            RandomGenerator random(static_cast<std::uint32_t>(picture + 7));
            Save(out / ("background-" + std::to_string(picture) + ".bmp"),
                 ComposeBackground(picture, home, {}, star, random));
        }
        VirtualScheduler clock;
        TForm form;
        TfrmMainComponents c;
        LoadMainForm(StoredMainFormDescription(), form, clock, c);
        Save(out / "sprites.bmp", ContactSheet(c));
    } catch (const std::exception& e) {
        std::cerr << "snapshot: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
