#include "sprites/Sprsqnce.h"

#include "platform/core/Real48.h"
#include "tests/support/StreamBytes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace dd {
namespace {

using test::StreamBytes;

class OwnerWithFrames : public TSequenceOwner {
public:
    explicit OwnerWithFrames(std::string about, std::vector<test::FrameSpec> frames = {})
        : about_(std::move(about)) {
        if (!frames.empty()) {
            TMemoryStream stream(test::FrameListStream(
                frames, test::StripFor(frames, [](int, int, int) { return clWhite; })));
            frames_.ReadData(stream);
        }
    }
    std::string DataVersion() const override { return about_; }
    TFrameList& GetFrameList() override { return frames_; }

private:
    std::string about_;
    TFrameList frames_;
};

const Real48Bytes kTenth = {0x7D, 0xCD, 0xCC, 0xCC, 0xCC, 0x4C};
const Real48Bytes kFiveEighths = {0x80, 0, 0, 0, 0, 0x20};

void Step(StreamBytes& s, const std::string& frame, std::int16_t dx, std::int16_t dy,
          std::optional<std::int16_t> dz, const Real48Bytes& time) {
    s.Name(frame).S16(dx).S16(dy);
    if (dz)
        s.S16(*dz);
    s.Raw({time.begin(), time.end()});
}

// The stored list of the small distant sails: "ZeilL" and "ZeilR", four steps of 0.625 s each.
std::vector<std::uint8_t> SmallSailStream(bool withDepth) {
    StreamBytes s;
    s.S16(2);
    for (const char* side : {"l", "r"}) {
        s.Name(std::string("Zeil") + (side[0] == 'l' ? "L" : "R"), "equence");
        s.S16(4);
        for (int i = 1; i <= 4; ++i)
            Step(s, "Hz" + std::to_string(i) + "naar" + side, 0, 0,
                 withDepth ? std::optional<std::int16_t>(0) : std::nullopt, kFiveEighths);
    }
    return s.bytes;
}

const std::vector<test::FrameSpec> kSmallSails = {
    {"Hz4naarr", 15, 19}, {"Hz1naarr", 10, 19}, {"Hz2naarl", 16, 19}, {"Hz2naarr", 16, 19},
    {"Hz3naarl", 21, 19}, {"Hz3naarr", 21, 19}, {"Hz4naarl", 15, 19}, {"Hz1naarl", 10, 19}};

void Load(TSequenceList& list, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    list.ReadData(stream);
}

TEST(SequenceListStream, ReadsTheSailSequenceWithItsLeftoverNameBytes) {
    StreamBytes s;
    s.S16(1).Name("Standen", "uence").S16(2);
    Step(s, "Zmin451", 0, 0, 0, kTenth);
    Step(s, "Zmin452", -3, 4, 5, kTenth);
    ASSERT_EQ((std::vector<std::uint8_t>(s.bytes.begin(), s.bytes.begin() + 15)),
              (std::vector<std::uint8_t>{0x01, 0x00, 0x07, 'S', 't', 'a', 'n', 'd', 'e', 'n', 'u',
                                         'e', 'n', 'c', 'e'}));
    OwnerWithFrames owner("1.1d", {{"Zmin451", 2, 2}, {"Zmin452", 2, 2}});
    TSequenceList list(&owner);
    Load(list, s.bytes);
    ASSERT_EQ(list.Count(), 1);
    const TSequence& standen = list.Sequences(0);
    EXPECT_EQ(standen.Name.Str(), "Standen");
    ASSERT_EQ(standen.Count(), 2);
    int frame, dx, dy, dz;
    double time;
    standen.GetStep(1, frame, dx, dy, dz, time);
    EXPECT_EQ(frame, 1);
    EXPECT_EQ(dx, -3);
    EXPECT_EQ(dy, 4);
    EXPECT_EQ(dz, 5);
    EXPECT_EQ(static_cast<int>(std::nearbyint(time * 1000)), 100);
    standen.GetStep(-1, frame, dx, dy, dz, time);
    EXPECT_EQ(frame, 0);
    EXPECT_EQ(dx + dy + dz, 0);
    EXPECT_EQ(time, 0);
    EXPECT_THROW(standen.GetStep(2, frame, dx, dy, dz, time), EListError);

    TMemoryStream out;
    list.WriteData(out);
    EXPECT_EQ(out.Bytes(), s.bytes) << "leftover bytes and reals written back unchanged";
}

TEST(SequenceListStream, TheDataVersionDecidesTheStepLayout) {
    for (const char* older : {"", "1.1a", "1.0z", "1", "1.1", "0.9"}) {
        OwnerWithFrames owner(older, kSmallSails);
        TSequenceList list(&owner);
        Load(list, SmallSailStream(false));
        ASSERT_EQ(list.Count(), 2) << older;
        EXPECT_EQ(list.Sequences(1).Steps(3).FrameName.Str(), "Hz4naarr") << older;
    }
    for (const char* newer : {"1.1b", "1.1d", "1.1bb", "2", "1.2", "\xff"}) {
        OwnerWithFrames owner(newer, kSmallSails);
        TSequenceList list(&owner);
        Load(list, SmallSailStream(true));
        ASSERT_EQ(list.Count(), 2) << newer;
        EXPECT_EQ(list.Sequences(1).Steps(3).Time, 0.625) << newer;
    }
    TSequenceList noSprite(nullptr);
    TMemoryStream stream(SmallSailStream(false));
    noSprite.ReadData(stream);
    EXPECT_EQ(noSprite.Sequences(0).Steps(0).FrameName.Str(), "Hz1naarl");
    EXPECT_EQ(noSprite.Sequences(0).Steps(0).GetFrameIndex(), -1);
}

TEST(SequenceList, FindsSequencesIgnoringTheCaseOfAsciiLetters) {
    OwnerWithFrames owner("1.1d", kSmallSails);
    TSequenceList list(&owner);
    Load(list, SmallSailStream(true));
    EXPECT_EQ(list.IndexOf("zeilr"), 1);
    EXPECT_EQ(list.IndexOf("ZEILL"), 0);
    TSequence& right = list.SequenceByName("zeilr");
    EXPECT_EQ(right.Name.Str(), "ZeilR");
    EXPECT_EQ(right.Steps(2).GetFrameIndex(), 5) << "Hz3naarr";
    EXPECT_EQ(list.Sequences(0).Steps(0).GetFrameIndex(), 7) << "Hz1naarl";
    try {
        list.SequenceByName("Zeil");
        FAIL();
    } catch (const ESprite& e) {
        EXPECT_STREQ(e.what(), "SequenceByName: Zeil not found");
    }
    EXPECT_EQ(list.IndexOf("zeil\xc3\xa9"), -1);
}

TEST(SequenceList, AStepNamingAMissingFrameResolvesToMinusOne) {
    OwnerWithFrames owner("1.1d", {{"Other", 1, 1}});
    TSequenceList list(&owner);
    Load(list, SmallSailStream(true));
    EXPECT_EQ(list.Sequences(0).Steps(0).GetFrameIndex(), -1);
}

TEST(SequenceListStream, EmptyAndTruncatedStreams) {
    OwnerWithFrames owner("1.1d");
    TSequenceList empty(&owner);
    Load(empty, {0, 0});
    EXPECT_EQ(empty.Count(), 0);
    const auto full = SmallSailStream(true);
    const std::size_t firstSequence = 2 + 83 + 4 * 93;
    for (std::size_t cut : {std::size_t(1), std::size_t(40), firstSequence - 1, firstSequence + 10,
                            full.size() - 1}) {
        TSequenceList list(&owner);
        TMemoryStream stream({full.begin(), full.begin() + static_cast<long>(cut)});
        EXPECT_THROW(list.ReadData(stream), EStreamError) << cut;
        EXPECT_EQ(list.Count(), cut > firstSequence ? 1 : 0) << "completed sequences stay";
    }
}

TEST(SequenceList, AssignCopiesDeeplyAndRefusesOtherClasses) {
    OwnerWithFrames owner("1.1d", kSmallSails);
    TSequenceList source(&owner);
    Load(source, SmallSailStream(true));
    TSequenceList copy(nullptr);
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Sprite, &owner);
    EXPECT_NE(&copy.Sequences(0).Steps(0), &source.Sequences(0).Steps(0));
    EXPECT_EQ(copy.Sequences(1).Steps(2).GetFrameIndex(), 5);
    TFrameRef step(&owner);
    EXPECT_THROW(copy.Assign(step), EConvertError);
    try {
        step.Assign(copy);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TSequenceList to a TFrameRef");
    }
}

TEST(FrameRef, NamesAreCutTo80Characters) {
    TFrameRef step(nullptr);
    step.SetFrameName(std::string(100, 'x'));
    EXPECT_EQ(step.FrameName.Str(), std::string(80, 'x'));
    OwnerWithFrames owner("1.1d", {{std::string(80, 'n'), 1, 1}});
    EXPECT_EQ(owner.GetFrameList().IndexOf(std::string(90, 'n')), 0);
    EXPECT_EQ(TSequence(nullptr).Name.Str(), "New Sequence");
}

} // namespace
} // namespace dd
