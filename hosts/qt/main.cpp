#include "hosts/qt/DisplayCheck.h"
#include "hosts/qt/QtHost.h"
#include "shell/Entry.h"

#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const dd::Invocation invocation =
        dd::InvocationFromArguments(arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (const std::string problem = dd::DisplayProblem(); !problem.empty()) {
        std::cerr << problem << "\n";
        return 1;
    }
    QApplication application(argc, argv);
    dd::QtHost host;
    return dd::RunEntry(invocation, host);
}
