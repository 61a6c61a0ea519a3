#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/cmd_print.h"
#include "cli/command.h"

namespace {

// radioprog's stderr carries only its own messages, which scripts read. Qt's diagnostics (no
// XDG_RUNTIME_DIR for root or a service, font fallbacks of the offscreen platform) say nothing
// about the command's result, so they are dropped; a fatal one still says why it ends.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) std::fprintf(stderr, "radioprog: %s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(KeepQtQuiet);
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
