// Writes the program's icon as PNG files for the installation's icon theme folders:
// icon_export OUTDIR SIZE... writes OUTDIR/SIZExSIZE.png. Run by the build.
#include <QDir>
#include <QImage>
#include <cstdio>
#include <string>

#include "desktop/services/app_pictures.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_export OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) return 1;
    for (int i = 2; i < argc; ++i) {
        const int size = std::stoi(argv[i]);
        const QString name = QStringLiteral("%1x%1.png").arg(size);
        if (!ProgramIconImage(size).save(out.filePath(name), "PNG")) {
            std::fprintf(stderr, "icon_export: cannot write %s\n", qPrintable(out.filePath(name)));
            return 1;
        }
    }
    return 0;
}
