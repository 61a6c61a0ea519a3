#include <QApplication>

#include "desktop/app/program_app.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    CProgramApp program;
    if (!program.InitInstance(CProgramApp::ParseCommandLine(QApplication::arguments()))) return 1;
    return QApplication::exec();
}
