#include "tools/assetgen/MainFormDescription.h"

#include "platform/core/Stream.h"
#include "platform/gfx/BmpWriter.h"
#include "sprites/FormReader.h"
#include "sprites/Sprsqnce.h"

#include <stdexcept>

namespace dd::assetgen {
namespace {

FormProperty Prop(std::string name, FormValue value) {
    return {std::move(name), std::move(value), 0};
}

FormValue Ident(std::string name) {
    FormValue v;
    v.kind = FormValue::Kind::Identifier;
    v.text = std::move(name);
    return v;
}

FormValue Text(std::string text) {
    FormValue v;
    v.kind = FormValue::Kind::String;
    v.text = std::move(text);
    return v;
}

FormValue Int(std::int64_t n) {
    FormValue v;
    v.integer = n;
    return v;
}

FormValue Bytes(std::vector<std::uint8_t> bytes) {
    FormValue v;
    v.kind = FormValue::Kind::Binary;
    v.bytes = std::move(bytes);
    return v;
}

std::string ColorName(TColor c) {
    switch (c) {
    case clBlack:
        return "clBlack";
    case clMaroon:
        return "clMaroon";
    case clBlue:
        return "clBlue";
    default:
        throw std::logic_error("no name for the stored colour");
    }
}

std::vector<std::uint8_t> FrameListData(const SpriteArt& art) {
    TMemoryStream s;
    s.WriteS16(static_cast<std::int16_t>(art.frames.size()));
    int left = 0;
    for (const FrameArt& f : art.frames) {
        s.WriteU8(0);
        TName(f.name).Write(s);
        s.WriteS16(static_cast<std::int16_t>(left));
        s.WriteS16(0);
        s.WriteS16(static_cast<std::int16_t>(f.width));
        s.WriteS16(static_cast<std::int16_t>(f.height));
        left += f.width;
    }
    const std::vector<std::uint8_t> bmp = WriteBmp(art.strip);
    if (bmp.size() < 29 || bmp[28] != 8)
        throw std::logic_error(art.sprite + ": its strip has more than 256 colours");
    s.WriteU32(static_cast<std::uint32_t>(bmp.size()));
    s.WriteBuffer(bmp.data(), bmp.size());
    return s.Bytes();
}

struct SequenceArt {
    std::string name;
    std::vector<std::string> frames;
    double seconds;
};

std::vector<SequenceArt> SequencesOf(const SpriteArt& art) {
    if (art.sprite == "spriteCenterZeil") {
        SequenceArt standen{"Standen", {}, 0.1};
        for (const FrameArt& f : art.frames)
            standen.frames.push_back(f.name);
        return {standen};
    }
    if (art.sprite == "spriteVerZeil")
        return {{"ZeilL", {"Hz1naarl", "Hz2naarl", "Hz3naarl", "Hz4naarl"}, 0.625},
                {"ZeilR", {"Hz1naarr", "Hz2naarr", "Hz3naarr", "Hz4naarr"}, 0.625}};
    return {};
}

std::vector<std::uint8_t> SequenceListData(const SpriteArt& art) {
    TSequenceList list(nullptr);
    for (const SequenceArt& sa : SequencesOf(art)) {
        // Renaming a new sequence leaves the rest of "New Sequence" in the name field.
        auto sequence = std::make_unique<TSequence>(nullptr);
        sequence->Name.Set(sa.name);
        for (const std::string& frame : sa.frames) {
            auto step = std::make_unique<TFrameRef>(nullptr);
            step->SetFrameName(frame);
            step->Time = sa.seconds;
            sequence->Add(std::move(step));
        }
        list.Add(std::move(sequence));
    }
    TMemoryStream s;
    list.WriteData(s);
    return s.Bytes();
}

FormObject SpriteObject(const SpriteArt& art) {
    FormObject o{art.sprite, "TSprite", 0, {}, {}};
    o.properties = {Prop("About", Text("1.1d")),
                    Prop("Transparent", Ident(ColorName(art.transparent))),
                    Prop("SpriteBox", Ident("SpriteBox1")),
                    Prop("HitTest", Ident("htNone")),
                    Prop("FrameList.Data", Bytes(FrameListData(art))),
                    Prop("SequenceList.Data", Bytes(SequenceListData(art))),
                    Prop("CurrentFrame", Text(art.frames.at(0).name)),
                    Prop("FrameIndex", Int(0)),
                    Prop("MirrorX", Ident("False")),
                    Prop("MirrorY", Ident("False"))};
    return o;
}

FormObject TimerObject(const std::string& name, int interval) {
    return {name,
            "TTimer",
            0,
            {Prop("Enabled", Ident("False")), Prop("Interval", Int(interval)),
             Prop("OnTimer", Ident(name + "Timer"))},
            {}};
}

} // namespace

std::string MainFormDescription(const std::vector<SpriteArt>& sprites) {
    FormObject root{"frmMain", "TfrmMain", 0, {}, {}};
    root.children.push_back({"SpriteBox1",
                             "TSpriteBox",
                             0,
                             {Prop("Left", Int(0)), Prop("Top", Int(0)), Prop("Width", Int(800)),
                              Prop("Height", Int(600)), Prop("ThreeD.Enabled", Ident("False")),
                              Prop("ThreeD.XDis", Int(0)), Prop("ThreeD.YDis", Int(0)),
                              Prop("ThreeD.ZDis", Int(0)), Prop("ThreeD.DiaF", Int(0))},
                             {}});
    for (const SpriteArt& art : sprites)
        root.children.push_back(SpriteObject(art));
    root.children.push_back(TimerObject("timerStart", 1000));
    root.children.push_back(TimerObject("timerBoot", 100));
    root.children.push_back(TimerObject("timerShowBoeien", 500));
    root.children.push_back(TimerObject("timerGameOver", 10000));
    for (const char* player : {"mpKlapper", "mpKnerp", "mpRatel", "mpWaterloop"})
        root.children.push_back({player, "TMediaPlayer", 0, {}, {}});
    root.children.push_back(
        {"lblFont",
         "TLabel",
         0,
         {Prop("Visible", Ident("False")), Prop("Font.Name", Text("MS Sans Serif")),
          Prop("Font.Height", Int(-11)), Prop("Font.Color", Ident("clBlack")),
          Prop("Font.Bold", Ident("False"))},
         {}});
    root.children.push_back(
        {"memoRules",
         "TMemo",
         0,
         {Prop("Left", Int(8)), Prop("Top", Int(8)), Prop("Width", Int(305)),
          Prop("Height", Int(281)), Prop("Visible", Ident("False")), Prop("TabOrder", Int(0))},
         {}});
    return WriteFormDescription(root);
}

std::string EmbeddedDescriptionSource(const std::string& description) {
    // Pieces below the 64 KiB a compiler must accept for one literal, joined on each call, so
    // the joined copy lives only while a form is loaded from it.
    constexpr std::size_t kPiece = 60000;
    std::string out =
        "// Generated by assetgen: the stored description of the main window.\n"
        "#include \"shell/MainForm.h\"\n\n#include \"platform/core/ConstantPages.h\"\n\n"
        "#include <algorithm>\n#include <cstring>\n#include <functional>\n\n"
        "namespace dd {\n"
        "namespace {\n\nconst char* const kPieces[] = {\n";
    std::size_t start = 0, pieceLength = 0;
    out += "    \"\"\n";
    while (start < description.size()) {
        std::size_t end = description.find('\n', start);
        end = end == std::string::npos ? description.size() : end + 1;
        if (pieceLength + (end - start) > kPiece) {
            out += "    ,\n";
            pieceLength = 0;
        }
        out += "    \"";
        for (std::size_t i = start; i < end; ++i) {
            const char c = description[i];
            if (c == '\n')
                out += "\\n";
            else if (c == '"' || c == '\\')
                out += std::string("\\") + c;
            else
                out += c;
        }
        out += "\"\n";
        pieceLength += end - start;
        start = end;
    }
    out +=
        "};\n\n} // namespace\n\nstd::string StoredMainFormDescription() {\n"
        "    std::size_t size = 0;\n"
        "    const char* lowest = kPieces[0];\n"
        "    const char* highest = kPieces[0];\n"
        "    for (const char* piece : kPieces) {\n"
        "        const std::size_t length = std::strlen(piece);\n"
        "        size += length;\n"
        "        lowest = std::min(lowest, piece, std::less<>());\n"
        "        highest = std::max(highest, piece + length, std::less<>());\n"
        "    }\n"
        "    std::string all;\n"
        "    all.reserve(size);\n"
        "    for (const char* piece : kPieces)\n"
        "        all += piece;\n"
        "    // Read once at the start: its pages need not stay in memory while the saver runs.\n"
        "    ReleaseConstantPages(lowest, highest);\n"
        "    return all;\n}\n\n} // namespace dd\n";
    return out;
}

} // namespace dd::assetgen
