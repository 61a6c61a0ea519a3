// How responsive the desktop program stays during a radio transfer: the main window reads the
// whole image from the built-in virtual radio, paced like a 9600-baud line, while a timer on
// the UI thread ticks every 5 ms. Prints the longest gap between ticks, the 99th percentile
// and the transfer time; the target is no gap over 50 ms.
//
//   ui_responsiveness [--baud N] [--write]
//
// Runs offscreen unless a display is given (QT_QPA_PLATFORM or DISPLAY). Exit status 1 when the
// transfer failed or a gap exceeded the target.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/app/program_app.h"
#include "desktop/channels/program_view.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"

namespace {

constexpr int kTickMs = 5;
constexpr double kTargetMs = 50.0;

struct Options {
    int baud = 9600;
    bool write = false;
};

Options Parse(const QStringList& args) {
    Options o;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--baud") && i + 1 < args.size())
            o.baud = args[++i].toInt();
        else if (args[i] == QLatin1String("--write"))
            o.write = true;
    }
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const Options options = Parse(QApplication::arguments());

    // The sample configuration beside the executable, copied so the run never changes it;
    // settings in a scratch file rather than the user's.
    QTemporaryDir scratch;
    const QString config = scratch.filePath(QStringLiteral("Program.ini"));
    QFile::copy(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Program.ini")),
        config);
    CProgramApp program;
    // Backups of the read go to the scratch folder too.
    if (!program.InitInstance({config,
                               scratch.filePath(QStringLiteral("settings.ini")),
                               {},
                               scratch.filePath(QStringLiteral("backups"))})) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    CProgramView* view = program.MainFrame()->ActiveChild()->GetView();
    auto radio = std::make_shared<CVirtualRadioHost>(CVirtualRadioHost::InitialMemory());
    radio->SetBaud(options.baud);
    view->SetVirtualRadio(radio);
    view->SetPortName(QStringLiteral("virtual:"));

    std::vector<double> gaps;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        gaps.push_back(double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });

    QEventLoop loop;
    radio::LinkOutcome outcome = radio::LinkOutcome::OpenFailed;
    QElapsedTimer transfer;
    qint64 transferMs = 0;
    QObject::connect(view, &CProgramView::TransferFinished, [&](radio::LinkOutcome result) {
        outcome = result;
        transferMs = transfer.elapsed();
        // A few more ticks, so the gap around the final decode and repaint is counted.
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
    });
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);  // a hung transfer ends the run

    // Let the window settle, then press OK as the user does.
    QTimer::singleShot(500, [&] {
        if (options.write) {
            view->OnWrite();
            // The write alone: a verify would end in a message box waiting for the user.
            view->ProgressDlg()->SetVerifyChecked(false);
        } else {
            view->OnRead();
        }
        sinceTick.start();
        ticker.start();
        transfer.start();
        view->ProgressDlg()->OnOK();
        // The new document is blank, which the check before writing warns about.
        QTimer::singleShot(0, [view] {
            if (view->WriteCheckDlg() && view->WriteCheckDlg()->isVisible())
                view->WriteCheckDlg()->accept();
        });
    });
    loop.exec();
    ticker.stop();

    if (gaps.empty() || outcome != radio::LinkOutcome::Done) {
        std::fprintf(stderr, "the transfer did not complete\n");
        return 1;
    }
    std::vector<double> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    const double longest = sorted.back();
    const double p99 = sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)];
    std::printf("%s of the whole image from the virtual radio at %d baud\n",
                options.write ? "write" : "read", options.baud);
    std::printf("transfer time      %.2f s\n", double(transferMs) / 1000.0);
    std::printf("timer ticks        %zu (every %d ms)\n", gaps.size(), kTickMs);
    std::printf("longest gap        %.1f ms\n", longest);
    std::printf("99th percentile    %.1f ms\n", p99);
    std::printf("target             no gap over %.0f ms: %s\n", kTargetMs,
                longest <= kTargetMs ? "met" : "MISSED");
    return longest <= kTargetMs ? 0 : 1;
}
