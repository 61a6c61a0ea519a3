#include <QCoreApplication>
#include <iostream>

#include "cli/command.h"

int main(int argc, char** argv) {
    // Needed for the executable's folder (Program.ini sits beside it) and the user's folders.
    QCoreApplication app(argc, argv);
    return radio::cli::RunCli(argc, argv, std::cout, std::cerr);
}
