#include "shell/MainForm.h"

#include "platform/time/VirtualScheduler.h"
#include "sprites/FormReader.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

namespace dd {
namespace {

struct Loaded {
    VirtualScheduler clock;
    TForm form;
    TfrmMainComponents c;
    explicit Loaded(std::string_view description = StoredMainFormDescription()) {
        LoadMainForm(description, form, clock, c);
    }
};

TEST(StoredMainForm, HoldsTheNineSpritesWithTheirFramesAndColours) {
    Loaded m;
    struct Expect {
        const char* name;
        TColor transparent;
        int frames, stripW, stripH;
    };
    const Expect table[] = {
        {"spriteCenterBoot", clBlue, 9, 1106, 231}, {"spriteCenterZeil", clBlack, 33, 3814, 193},
        {"spriteMovingBoot", clMaroon, 1, 44, 44},  {"spriteDemoText", clBlue, 1, 174, 45},
        {"spriteVerZeil", clBlack, 8, 124, 19},     {"spriteBoeiMarker", clBlue, 1, 35, 35},
        {"spriteWindroos", clBlue, 2, 300, 70},     {"spriteGameOver", clBlue, 1, 462, 449},
        {"spriteTijden", clBlue, 2, 212, 43}};
    const auto sprites = m.c.Sprites();
    ASSERT_EQ(sprites.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i) {
        TSprite& s = *sprites[i];
        SCOPED_TRACE(table[i].name);
        EXPECT_EQ(s.Name, table[i].name);
        EXPECT_EQ(s.Transparent(), table[i].transparent);
        EXPECT_EQ(s.FrameList().Count(), table[i].frames);
        EXPECT_EQ(s.FrameList().Image().Width(), table[i].stripW);
        EXPECT_EQ(s.FrameList().Image().Height(), table[i].stripH);
        EXPECT_EQ(s.SpriteBox(), m.c.SpriteBox1.get());
        EXPECT_EQ(s.FrameIndex(), 0);
        EXPECT_FALSE(s.Visible());
        EXPECT_EQ(s.DataVersion(), "1.1d");
        EXPECT_EQ(s.HitTest, THitTest::htNone);
    }
    EXPECT_EQ(m.c.SpriteBox1->SpriteCount(), 9);
    EXPECT_FALSE(m.c.SpriteBox1->ThreeD().Enabled);
}

TEST(StoredMainForm, FramesAndSequencesAreFoundByTheirStoredNames) {
    Loaded m;
    EXPECT_EQ(m.c.spriteCenterZeil->FrameList().IndexOf("Z00"), 16);
    EXPECT_EQ(m.c.spriteCenterBoot->FrameList().IndexOf("B0"), 4);
    EXPECT_EQ(m.c.spriteWindroos->FrameList().IndexOf("RRW_Roos"), 0);
    int w, h;
    m.c.spriteCenterZeil->FrameList().GetMaxSize(w, h);
    EXPECT_EQ(w, 140);
    EXPECT_EQ(h, 193);
    m.c.spriteCenterBoot->FrameList().GetMaxSize(w, h);
    EXPECT_EQ(w, 190);
    EXPECT_EQ(h, 231);
    TSequence& right = m.c.spriteVerZeil->SequenceList().SequenceByName("zeilr");
    EXPECT_EQ(right.Name.Str(), "ZeilR");
    EXPECT_EQ(right.Steps(2).GetFrameIndex(), 5);
    const TSequence& standen = m.c.spriteCenterZeil->SequenceList().Sequences(0);
    EXPECT_EQ(standen.Name.Str(), "Standen");
    EXPECT_EQ(standen.Name.Field()[8], 'u') << "leftover of \"New Sequence\"";
    ASSERT_EQ(standen.Count(), 33);
    for (int i = 0; i < 33; ++i) {
        EXPECT_EQ(standen.Steps(i).GetFrameIndex(), i);
        EXPECT_EQ(std::nearbyint(standen.Steps(i).Time * 1000), 100);
    }
    EXPECT_EQ(std::nearbyint(right.Steps(0).Time * 1000), 625);
    EXPECT_EQ(m.c.spriteCenterBoot->SequenceList().Count(), 0);
}

TEST(StoredMainForm, PicturesHaveBlueBackgroundsMaskedAtLoad) {
    Loaded m;
    // A blue-transparent list is masked at load: its transparent pixels are black and set.
    TFrameList& buoy = m.c.spriteBoeiMarker->FrameList();
    EXPECT_EQ(buoy.Mask().Pixel(0, 0), clWhite);
    EXPECT_EQ(buoy.Image().Pixel(0, 0), clBlack);
    EXPECT_EQ(buoy.Mask().Pixel(17, 17), clBlack) << "the buoy's middle is opaque";
    // The sails store black as transparent; their blue background only becomes transparent
    // when the game switches them to blue.
    TFrameList& sail = m.c.spriteCenterZeil->FrameList();
    EXPECT_EQ(sail.Image().Pixel(0, 0), clBlue);
    sail.SetTransparentColor(clBlue);
    EXPECT_EQ(sail.Mask().Pixel(0, 0), clWhite);
}

TEST(StoredMainForm, TimersPlayersLabelAndHelpBox) {
    Loaded m;
    const std::pair<TTimer*, int> timers[] = {{m.c.timerStart.get(), 1000},
                                              {m.c.timerBoot.get(), 100},
                                              {m.c.timerShowBoeien.get(), 500},
                                              {m.c.timerGameOver.get(), 10000}};
    for (auto [timer, interval] : timers) {
        EXPECT_EQ(timer->Interval(), interval);
        EXPECT_FALSE(timer->Enabled());
    }
    EXPECT_EQ(m.c.timerHandlers.at(m.c.timerBoot.get()), "timerBootTimer");
    EXPECT_EQ(m.c.wavePlayers,
              (std::vector<std::string>{"mpKlapper", "mpKnerp", "mpRatel", "mpWaterloop"}));
    EXPECT_EQ(m.c.lblFont.Name, "MS Sans Serif");
    EXPECT_FALSE(m.c.memoRules.visible);
    EXPECT_EQ(m.c.memoRules.tabOrder, 0);
}

// The loader sets properties in stored order through the program's setters, so the step layout
// follows wherever `About` stands: data written under version 1.1a (91-byte steps) reads only
// when its About comes first.
TEST(StoredMainForm, TheVersionTakesEffectInStoredOrder) {
    FormObject root = ParseFormDescription(StoredMainFormDescription());
    FormObject* sail = nullptr;
    for (FormObject& child : root.children)
        if (child.name == "spriteVerZeil")
            sail = &child;
    ASSERT_NE(sail, nullptr);
    // Rewrite the sequence data without the DZ fields, as version 1.1a stored it.
    auto& props = sail->properties;
    auto find = [&](const std::string& name) {
        for (std::size_t i = 0; i < props.size(); ++i)
            if (props[i].name == name)
                return i;
        throw std::logic_error(name);
    };
    std::vector<std::uint8_t>& data = props[find("SequenceList.Data")].value.bytes;
    std::vector<std::uint8_t> old(data.begin(), data.begin() + 2);
    std::size_t at = 2;
    for (int s = 0; s < 2; ++s) {
        old.insert(old.end(), data.begin() + static_cast<long>(at),
                   data.begin() + static_cast<long>(at + 83));
        at += 83;
        for (int step = 0; step < 4; ++step) {
            old.insert(old.end(), data.begin() + static_cast<long>(at),
                       data.begin() + static_cast<long>(at + 85));
            old.insert(old.end(), data.begin() + static_cast<long>(at + 87),
                       data.begin() + static_cast<long>(at + 93));
            at += 93;
        }
    }
    data = old;
    props[find("About")].value.text = "1.1a";
    {
        Loaded m(WriteFormDescription(root));
        TSequence& left = m.c.spriteVerZeil->SequenceList().SequenceByName("ZeilL");
        EXPECT_EQ(left.Steps(3).FrameName.Str(), "Hz4naarl");
        EXPECT_EQ(std::nearbyint(left.Steps(3).Time * 1000), 625);
    }
    const FormProperty about = props[find("About")];
    props.erase(props.begin() + static_cast<long>(find("About")));
    props.insert(props.begin() + static_cast<long>(find("SequenceList.Data")) + 1, about);
    // Read as 93-byte steps, the 91-byte steps of two sequences run out before their end.
    EXPECT_THROW(Loaded m(WriteFormDescription(root)), EStreamError);
}

// The loader's complaint about `text`, or "loaded".
std::string LoadError(const std::string& text) {
    try {
        Loaded m(text);
    } catch (const EFormError& e) {
        return e.what();
    }
    return "loaded";
}

TEST(StoredMainForm, AMalformedDescriptionOrAnUnknownHandlerIsAnErrorThatSaysWhere) {
    std::string text(StoredMainFormDescription());
    std::size_t line7 = 0;
    for (int i = 0; i < 6; ++i)
        line7 = text.find('\n', line7) + 1;
    text.insert(line7, "  Bogus line without equals\n");
    EXPECT_NE(LoadError(text).find("line 7"), std::string::npos) << LoadError(text);
    std::string handler(StoredMainFormDescription());
    const std::string_view stored = "OnTimer = timerBootTimer";
    handler.replace(handler.find(stored), stored.size(), "OnTimer = timerBootTmer");
    EXPECT_NE(LoadError(handler).find("unknown timer handler timerBootTmer"), std::string::npos)
        << LoadError(handler);
    for (const char* broken : {"", "object frmMain: TfrmMain\n", "object x: TfrmMain\nend\n",
                               "object frmMain: TfrmMain\n  object SpriteBox1: TSpriteBox\n"
                               "    Width = {0G}\n  end\nend\n",
                               "object frmMain: TOther\nend\n"})
        EXPECT_THROW(Loaded m(broken), EFormError) << broken;
}

TEST(FormDescription, WritesWhatItReads) {
    const std::string text = "object a: TA\n"
                             "  N = -12\n"
                             "  S = 'it''s'\n"
                             "  I = clBlue\n"
                             "  B = {\n    00FF10}\n"
                             "  L = (\n    'one'\n    '')\n"
                             "  object b: TB\n"
                             "  end\n"
                             "end\n";
    const FormObject o = ParseFormDescription(text);
    EXPECT_EQ(o.properties[1].value.text, "it's");
    EXPECT_EQ(o.properties[3].value.bytes, (std::vector<std::uint8_t>{0, 255, 16}));
    EXPECT_EQ(o.properties[4].value.strings, (std::vector<std::string>{"one", ""}));
    EXPECT_EQ(WriteFormDescription(o), text);
}

} // namespace
} // namespace dd
