// Pictures for people to look at:
//   snapshot <data folder> <output folder>
// writes background-<n>.bmp, the composed background for each "Picture" value, and
// sprites.bmp, every frame of the nine sprites drawn through its mask on neutral grey.

#include "platform/gfx/BmpWriter.h"
#include "platform/time/VirtualScheduler.h"
#include "shell/Background.h"
#include "shell/MainForm.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

namespace fs = std::filesystem;
using namespace dd;

void Save(const fs::path& path, const Bitmap& bitmap) {
    const auto bytes = WriteBmp(bitmap);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: snapshot <data folder> <output folder>\n";
        return 2;
    }
    try {
        const fs::path out = argv[2];
        fs::create_directories(out);
        const std::string home = fs::absolute(argv[1]).string() + "/";
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
