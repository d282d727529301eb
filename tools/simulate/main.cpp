// Runs the game headless in virtual time:
//   simulate --seed N --races K [--follow-star] [--field WxH] [--trace FILE]
//            [--race-script FILE]
// K demonstrations from seed N, or with --race-script one race steered by the script's keys.
// --field gives the screen size the field is made for (default 800x600).

#include "tools/simulate/Simulation.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

namespace {

using namespace dd::simulate;

struct Arguments {
    Options options;
    int races = 1;
    std::optional<std::string> trace;
    std::optional<std::string> raceScript;
};

[[noreturn]] void Usage(const std::string& problem) {
    throw std::runtime_error(problem + "\nusage: simulate --seed N --races K [--follow-star] "
                                       "[--field WxH] [--trace FILE] [--race-script FILE]");
}

long Number(const std::string& text, long low, long high) {
    std::size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used);
    } catch (const std::exception&) {
        Usage("not a number: " + text);
    }
    if (used != text.size() || v < low || v > high)
        Usage("out of range: " + text);
    return v;
}

Arguments Parse(int argc, char** argv) {
    Arguments a;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                Usage(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--seed") {
            a.options.seed = static_cast<std::uint32_t>(Number(value(), 0, 4294967295L));
        } else if (arg == "--races") {
            a.races = static_cast<int>(Number(value(), 1, 1000000));
        } else if (arg == "--follow-star") {
            a.options.followStar = true;
        } else if (arg == "--field") {
            const std::string wh = value();
            const auto x = wh.find('x');
            if (x == std::string::npos)
                Usage("--field expects WxH");
            a.options.screenWidth = static_cast<int>(Number(wh.substr(0, x), 100, 16384));
            a.options.screenHeight = static_cast<int>(Number(wh.substr(x + 1), 100, 16384));
        } else if (arg == "--trace") {
            a.trace = value();
        } else if (arg == "--race-script") {
            a.raceScript = value();
        } else {
            Usage("unknown argument " + arg);
        }
    }
    return a;
}

} // namespace

int main(int argc, char** argv) {
    try {
        Arguments a = Parse(argc, argv);
        std::ofstream trace;
        if (a.trace) {
            trace.open(*a.trace);
            if (!trace)
                throw std::runtime_error("cannot write " + *a.trace);
            a.options.trace = &trace;
        }
        Simulation simulation(a.options);
        std::vector<RaceOutcome> races;
        if (a.raceScript) {
            std::ifstream in(*a.raceScript);
            if (!in)
                throw std::runtime_error("cannot read " + *a.raceScript);
            races.push_back(simulation.RunRace(RaceScript::Parse(in)));
        } else {
            races = simulation.RunDemonstrations(a.races);
        }
        for (std::size_t i = 0; i < races.size(); ++i)
            std::cout << DescribeRace(static_cast<int>(i + 1), races[i]) << "\n";
        std::cout << Summary(races) << "\n";
        if (trace.is_open() && !trace.flush())
            throw std::runtime_error("cannot write " + *a.trace);
    } catch (const std::exception& e) {
        std::cerr << "simulate: " << e.what() << "\n";
        return 2;
    }
    return 0;
}
