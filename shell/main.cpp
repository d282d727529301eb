#include "shell/Entry.h"
#include "shell/QtHost.h"

#include <QApplication>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    QApplication application(argc, argv);
    dd::QtHost host;
    return dd::RunEntry(arguments, host);
}
