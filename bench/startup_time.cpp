// Time from starting the desktop program to its first window on screen, in English and in
// Chinese (which loads the translations): each run is a new process, timed until it reports
// its main window exposed. Prints the median of five runs per language; the target is 500 ms.
//
//   startup_time [--runs N]
//
// Runs offscreen unless a display is given (QT_QPA_PLATFORM or DISPLAY). Exit status 1 when a
// run failed or a median exceeded the target.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/app/program_app.h"
#include "desktop/frame/main_frame.h"

namespace {

constexpr qint64 kTargetMs = 500;

// The child: the program in `language` on a copy of the sample configuration; prints "shown"
// once the main window is exposed.
int RunProgram(int argc, char** argv, const QString& language) {
    QApplication qapp(argc, argv);
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("Program.ini"));
    QFile sample(QDir(QCoreApplication::applicationDirPath()).filePath("Program.ini"));
    if (!sample.open(QIODevice::ReadOnly)) return 2;
    QByteArray text = sample.readAll();
    text.replace("Language=English", "Language=" + language.toUtf8());
    QFile copy(config);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(text) != text.size()) return 2;
    copy.close();
    CProgramApp program;
    if (!program.InitInstance({config, scratch.filePath(QStringLiteral("settings.ini")), {}}))
        return 1;
    QWidget* frame = program.MainFrame();
    while (!frame->windowHandle() || !frame->windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::printf("shown\n");
    std::fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && QByteArray(argv[1]) == "--run")
        return RunProgram(argc, argv, QString::fromLocal8Bit(argv[2]));

    int runs = 5;
    if (argc == 3 && QByteArray(argv[1]) == "--runs") runs = std::max(1, std::atoi(argv[2]));
    bool ok = true;
    for (const char* language : {"English", "Chinese"}) {
        std::vector<qint64> times;
        for (int i = 0; i < runs; ++i) {
            QProcess child;
            QElapsedTimer clock;
            clock.start();
            child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--run"), language});
            bool shown = false;
            while (!shown && child.waitForReadyRead(10000))
                shown = child.readAll().contains("shown");
            const qint64 ms = clock.elapsed();
            child.kill();
            child.waitForFinished();
            if (!shown) {
                std::fprintf(stderr, "%s: the program did not show its window\n", language);
                return 1;
            }
            times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        const qint64 median = times[times.size() / 2];
        std::printf("%-8s start to first window: median %lld ms (min %lld, max %lld, %d runs)\n",
                    language, static_cast<long long>(median), static_cast<long long>(times.front()),
                    static_cast<long long>(times.back()), runs);
        ok = ok && median <= kTargetMs;
    }
    return ok ? 0 : 1;
}
