#include "tools/simulate/RaceScript.h"

#include <sstream>

namespace dd::simulate {
namespace {

HeldKeys ParseKeys(const std::string& text, int lineNumber) {
    HeldKeys keys;
    if (text == "-")
        return keys;
    for (char c : text) {
        switch (c) {
        case 'L':
            keys.left = true;
            break;
        case 'R':
            keys.right = true;
            break;
        case 'H':
            keys.home = true;
            break;
        case 'P':
            keys.pageUp = true;
            break;
        default:
            throw std::runtime_error("race script line " + std::to_string(lineNumber) +
                                     ": unknown key '" + std::string(1, c) + "'");
        }
    }
    return keys;
}

} // namespace

RaceScript RaceScript::Parse(std::istream& in) {
    RaceScript script;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        std::istringstream line(text);
        std::string first;
        if (!(line >> first) || first[0] == '#')
            continue;
        long tick = 0;
        std::string keys, rest;
        std::istringstream tickText(first);
        if (!(tickText >> tick) || !tickText.eof() || tick < 0 || !(line >> keys) || (line >> rest))
            throw std::runtime_error("race script line " + std::to_string(number) +
                                     ": expected <tick> <keys>");
        if (!script.lines_.empty() && tick <= script.lines_.back().tick)
            throw std::runtime_error("race script line " + std::to_string(number) +
                                     ": ticks must increase");
        script.lines_.push_back({tick, ParseKeys(keys, number)});
    }
    return script;
}

HeldKeys RaceScript::KeysAt(long tick) const {
    HeldKeys keys;
    for (const Line& line : lines_) {
        if (line.tick > tick)
            break;
        keys = line.keys;
    }
    return keys;
}

} // namespace dd::simulate
