#include <QApplication>

#include "desktop/app/program_app.h"

int main(int argc, char** argv) {
    // Answered before a QApplication exists: a terminal without a display can ask too.
    if (CProgramApp::AsksForInformation(argc, argv)) {
        QCoreApplication info(argc, argv);
        return CProgramApp::PrintInformation(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
#ifdef RADIO_APP_ID
    // Wayland and the docks match the windows to the installed desktop entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(RADIO_APP_ID));
#endif
    CProgramApp program;
    if (!program.InitInstance(CProgramApp::ParseCommandLine(QApplication::arguments()))) return 1;
    return QApplication::exec();
}
