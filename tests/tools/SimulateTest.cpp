#include "tools/simulate/Simulation.h"

#include <gtest/gtest.h>
#include <sstream>

namespace dd::simulate {
namespace {

RaceScript Script(const std::string& text) {
    std::istringstream in(text);
    return RaceScript::Parse(in);
}

TEST(RaceScript, HoldsEachLinesKeysUntilTheNextLine) {
    const RaceScript s = Script("# warm up\n0 -\n10 LP\n\n25 H\n40 -\n");
    EXPECT_EQ(s.KeysAt(1), HeldKeys{});
    EXPECT_EQ(s.KeysAt(10), (HeldKeys{true, false, false, true}));
    EXPECT_EQ(s.KeysAt(24), (HeldKeys{true, false, false, true}));
    EXPECT_EQ(s.KeysAt(25), (HeldKeys{false, false, true, false}));
    EXPECT_EQ(s.KeysAt(1000), HeldKeys{});
}

TEST(RaceScript, NamesTheLineOfAMistake) {
    for (const char* bad : {"5 X\n", "x L\n", "5\n", "5 L R\n", "9 L\n3 R\n", "-1 L\n"}) {
        try {
            Script(std::string("0 -\n") + bad);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("line "), std::string::npos) << e.what();
        }
    }
}

TEST(Simulation, RepeatsItselfFromTheSameSeedAndTracesEveryTick) {
    std::ostringstream first, second;
    Options o;
    o.seed = 77;
    o.trace = &first;
    const auto a = Simulation(o).RunDemonstrations(2);
    o.trace = &second;
    const auto b = Simulation(o).RunDemonstrations(2);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(first.str(), second.str());
    EXPECT_EQ(DescribeRace(1, a[0]), DescribeRace(1, b[0]));

    std::istringstream trace(first.str());
    std::string line;
    std::getline(trace, line);
    EXPECT_EQ(line.rfind("# FieldWidth 800 FieldHeight 600 HorizonY 390 BoatPicWidth 44 "
                         "BoatPicHeight 44",
                         0),
              0u);
    for (const char* prefix : {"# WindForce ", "# BuoyOrder ", "# StarPoints ", "# TargetTime "}) {
        std::getline(trace, line);
        EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
    }
    std::getline(trace, line);
    EXPECT_EQ(line, "tick,phase,buoy,x,y,speed,track,heading,sail,saillimit,rudder");
    std::getline(trace, line);
    EXPECT_EQ(line.rfind("0,0,0,0,0,0,0,", 0), 0u) << line;
    long rows = 0;
    while (std::getline(trace, line) && line[0] != '#')
        ++rows;
    EXPECT_EQ(rows, a[0].ticks);
}

TEST(Simulation, AScriptedRaceWithoutKeysTimesOut) {
    const RaceOutcome r = Simulation(Options{}).RunRace(Script("0 -\n"));
    EXPECT_FALSE(r.finished);
    EXPECT_NEAR(static_cast<double>(r.ticks), r.targetTime * 3 * kSecondsPerDay * 10, 2);
}

TEST(Simulation, SummarisesTheFinishedRaces) {
    RaceOutcome done{{}, 0.001, true, 0.0008, 10};
    RaceOutcome slow{{}, 0.001, true, 0.0012, 10};
    RaceOutcome lost{{}, 0.001, false, 0, 10};
    EXPECT_EQ(Summary({done, lost, slow}), "finished 2 of 3; median finish/target 1.000");
    EXPECT_EQ(Summary({lost}), "finished 0 of 1; median finish/target -");
}

} // namespace
} // namespace dd::simulate
