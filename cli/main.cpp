#include <QCoreApplication>
#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli/cmd_print.h"
#include "cli/command.h"

int main(int argc, char** argv) {
    // Needed for the executable's folder (Program.ini sits beside it) and the user's folders.
    // print draws text, and fonts need a GUI application; it runs offscreen unless told otherwise.
    std::unique_ptr<QCoreApplication> app;
    if (radio::cli::IsPrintCommand(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return radio::cli::RunCli(argc, argv, std::cout, std::cerr);
}
