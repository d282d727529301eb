#pragma once

#include "shell/SaverHost.h"

#include <string>
#include <vector>

namespace dd::test {

// What a host window tells the saver, written down: "down 37", "char g", "move 10,9"
// ("in ?" when not in `window`), "display", "close", "gone".
class RecordingInput : public SaverInput {
public:
    void KeyDown(int key) override { seen.push_back("down " + std::to_string(key)); }
    void KeyUp(int key) override { seen.push_back("up " + std::to_string(key)); }
    void Character(char key) override { seen.push_back(std::string("char ") + key); }
    void PointerMoved(const TSaverWindow& window, TPoint at) override {
        seen.push_back("move " + Where(window, at));
    }
    void Clicked(const TSaverWindow& window, TPoint at) override {
        seen.push_back("click " + Where(window, at));
    }
    bool CloseRequested() override {
        seen.push_back("close");
        return false;
    }
    bool SystemCommand(unsigned command) override { return (command & 0xFFF0) == 0xF140; }
    void MonitorsChanged() override { seen.push_back("display"); }
    void WindowGone() override { seen.push_back("gone"); }
    void EndBySignal() override { seen.push_back("signal"); }
    void Fail(const std::exception& error) override { seen.push_back(error.what()); }

    std::vector<std::string> seen;
    const TSaverWindow* window = nullptr; // the window whose positions are named "W"

private:
    std::string Where(const TSaverWindow& w, TPoint at) const {
        return std::to_string(at.X) + "," + std::to_string(at.Y) + (&w == window ? "" : " in ?");
    }
};

} // namespace dd::test
