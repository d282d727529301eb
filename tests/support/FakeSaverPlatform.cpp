#include "tests/support/FakeSaverPlatform.h"

#include "shell/HelpText.h"

namespace dd::test {

void FakeSaverPlatform::MessageBox(const std::string& text, const std::string& caption,
                                   MessageIcon) {
    messages.push_back(caption + ": " + text);
}

bool FakeSaverPlatform::RunPasswordPrompt(const std::string& password) {
    prompts.push_back(password);
    if (whilePrompting)
        whilePrompting();
    if (typed.empty())
        return false;
    const std::string entry = typed.front();
    typed.pop_front();
    return entry == password;
}

std::unique_ptr<TWavePlayer> FakeSaverPlatform::NewWavePlayer() {
    auto player = std::make_unique<FakeWavePlayer>(static_cast<int>(players.size()), soundLog);
    players.push_back(player.get());
    return player;
}

HelpText FakeSaverPlatform::Help() const {
    HelpText help;
    for (const char* line : kHelpLines)
        help.lines.emplace_back(line);
    help.width = 305;
    help.height = 281;
    ++helpCopies;
    return help;
}

} // namespace dd::test
