// Transfers on the worker thread against the built-in virtual radio, through the progress
// dialog, with the link's messages answered by the test.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include "core/link/clone_protocol.h"
#include "desktop/transfer/progress_dlg.h"
#ifdef Q_OS_UNIX
#include "core/link/pty_radio_server.h"
#endif
#include "core/config/messages.h"
#include "core/image/channel_file.h"
#include "desktop/transfer/transfer_controller.h"
#include "desktop/transfer/virtual_radio_host.h"

Q_DECLARE_METATYPE(radio::LinkOutcome)
Q_DECLARE_METATYPE(radio::RadioImage)

namespace {

// A different byte at every offset, so a misplaced block shows.
radio::RadioImage Pattern(int seed) {
    radio::RadioImage image;
    for (std::size_t i = 0; i < radio::kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + i / 256 + std::size_t(seed)) & 0xFF);
    }
    return image;
}

constexpr int kRealTimeBaud = 9600;  // about 19 ms a block: slow enough to cancel midway

// The view's side of a transfer: the dialog's OK starts it, the test answers messages.
struct TransferRig {
    explicit TransferRig(const radio::RadioImage& radioMemory = Pattern(1))
        : host(std::make_shared<CVirtualRadioHost>(radioMemory)) {
        controller.SetVirtualRadio(host);
        controller.SetMessageHook([this](const LinkMessage& message) {
            messages.push_back(message);
            onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
            return answerRetry;
        });
        QObject::connect(&dlg, &CProgressDlg::StartTransfer, &controller,
                         [this] { controller.Start(writeMode, port, document, &dlg); });
    }

    // Opens the window and presses OK, as Program > Read / Write and the user do.
    void Run(bool write) {
        writeMode = write;
        dlg.m_strTitle = CProgressDlg::TitleFor(write, radio::Language::English);
        dlg.Open();
        QTest::mouseClick(qobject_cast<QPushButton*>(dlg.GetDlgItem(CProgressDlg::kIdOk)),
                          Qt::LeftButton);
    }

    radio::LinkOutcome WaitOutcome(QSignalSpy& finished, int timeoutMs = 30000) {
        if (finished.isEmpty() && !finished.wait(timeoutMs)) return radio::LinkOutcome::OpenFailed;
        return finished.first().at(0).value<radio::LinkOutcome>();
    }

    std::shared_ptr<CVirtualRadioHost> host;
    CProgressDlg dlg;
    CTransferController controller;
    QString port = QStringLiteral("virtual:");
    bool writeMode = false;
    radio::RadioImage document = Pattern(50);
    std::vector<LinkMessage> messages;
    bool answerRetry = false;
    bool onUiThread = true;
};

}  // namespace

class TransferControllerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        qRegisterMetaType<radio::LinkOutcome>();
        qRegisterMetaType<radio::RadioImage>();
    }

    void readDeliversTheRadioWhole() {
        TransferRig rig;
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        QSignalSpy progress(&rig.controller, &CTransferController::Progress);
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Done);
        QCOMPARE(finished.first().at(1).value<radio::RadioImage>(), Pattern(1));
        QCOMPARE(progress.last().at(0).toInt(), 512);
        QCOMPARE(rig.dlg.GetPos(), 512);
        QCOMPARE(rig.dlg.GetRangeMax(), 512);
        QVERIFY(!rig.dlg.IsOpen());  // the window closes when the transfer ends
        QVERIFY(rig.messages.empty());
        QVERIFY(!rig.controller.IsRunning());
    }

#ifdef Q_OS_UNIX
    void readThroughTheSerialAdapter() {
        // A real serial port object, created and used on the worker thread, over a pty.
        radio::PtyRadioServer server{radio::VirtualRadio(Pattern(4))};
        QVERIFY(server.Start().ok);
        TransferRig rig;
        rig.port = QString::fromStdString(server.devicePath());
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Done);
        QCOMPARE(finished.first().at(1).value<radio::RadioImage>(), Pattern(4));
        QVERIFY(rig.messages.empty());
    }
#endif

    void cancelMidwayKeepsTheImage() {
        TransferRig rig;
        rig.host->SetBaud(kRealTimeBaud);
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        QObject::connect(
            &rig.controller, &CTransferController::Progress, &rig.dlg, [&rig](int position) {
                if (position == 5) {
                    QTest::mouseClick(
                        qobject_cast<QPushButton*>(rig.dlg.GetDlgItem(CProgressDlg::kIdCancel)),
                        Qt::LeftButton);
                }
            });
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Cancelled);
        // Nothing of the partial read: the document's image comes back as it was.
        QCOMPARE(finished.first().at(1).value<radio::RadioImage>(), rig.document);
        QVERIFY(rig.dlg.GetPos() < 512);
        QVERIFY(!rig.dlg.IsOpen());
        QVERIFY(rig.messages.empty());
    }

    void writeReachesTheRadio() {
        const radio::RadioImage before = Pattern(1);
        TransferRig rig(before);
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        rig.Run(true);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Done);
        const radio::RadioImage after = rig.host->Memory();
        for (std::size_t i = 0; i < radio::kImageSize; ++i) {
            // 0x0000..0x1FEF and the band bytes 0x1FF0..0x1FF2 come from the document.
            const bool sent = i <= 0x1FF2;
            QCOMPARE(after[i], sent ? rig.document[i] : before[i]);
        }
        QCOMPARE(rig.dlg.GetPos(), radio::clone::kWriteProgressMax);

        // The same virtual radio serves the next transfer: what was written reads back.
        finished.clear();
        rig.document = Pattern(77);
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Done);
        QCOMPARE(finished.first().at(1).value<radio::RadioImage>(), after);
    }

    void questionsAreAnsweredOnTheUiThread_data() {
        QTest::addColumn<bool>("retry");
        QTest::addColumn<radio::LinkOutcome>("outcome");
        QTest::newRow("Retry") << true << radio::LinkOutcome::Done;
        QTest::newRow("Cancel") << false << radio::LinkOutcome::Cancelled;
    }
    void questionsAreAnsweredOnTheUiThread() {
        QFETCH(bool, retry);
        QFETCH(radio::LinkOutcome, outcome);
        TransferRig rig;
        radio::RadioFaults faults;
        faults.noConfirmBefore = 2;  // the first attempt is not confirmed: Retry/Cancel
        rig.host->SetFaults(faults);
        rig.answerRetry = retry;
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), outcome);
        QCOMPARE(rig.messages.size(), std::size_t(1));
        QCOMPARE(rig.messages[0].id, int(radio::kMsgCommunicationError));
        QVERIFY(rig.messages[0].retryCancel);
        QVERIFY(rig.onUiThread);
    }

    void failureMessageCarriesTheDetail() {
        TransferRig rig;
        radio::RadioFaults faults;
        faults.shortReplyBlock = 10;
        rig.host->SetFaults(faults);
        QSignalSpy finished(&rig.controller, &CTransferController::Finished);
        rig.Run(false);
        QCOMPARE(rig.WaitOutcome(finished), radio::LinkOutcome::Failed);
        QCOMPARE(finished.first().at(1).value<radio::RadioImage>(), rig.document);
        QCOMPARE(rig.messages.size(), std::size_t(1));
        QCOMPARE(rig.messages[0].id, int(radio::kMsgProgramInterrupt));
        QVERIFY(!rig.messages[0].retryCancel);
        QVERIFY(!rig.messages[0].text.isEmpty());
        QVERIFY(rig.onUiThread);
    }

    void secondTransferFindsTheVirtualRadioBusy() {
        TransferRig first;
        first.host->SetBaud(kRealTimeBaud);
        QSignalSpy firstFinished(&first.controller, &CTransferController::Finished);
        first.Run(false);
        QTRY_VERIFY(first.dlg.GetPos() > 0);  // the first one holds the radio now

        CTransferController second;
        second.SetVirtualRadio(first.host);
        std::vector<int> ids;
        second.SetMessageHook([&ids](const LinkMessage& m) {
            ids.push_back(m.id);
            return false;
        });
        QSignalSpy secondFinished(&second, &CTransferController::Finished);
        QVERIFY(second.Start(false, QStringLiteral("virtual:"), Pattern(3)));
        QVERIFY(!second.Start(false, QStringLiteral("virtual:"), Pattern(3)));  // one at a time
        QVERIFY(secondFinished.wait(10000));
        QCOMPARE(secondFinished.first().at(0).value<radio::LinkOutcome>(),
                 radio::LinkOutcome::OpenFailed);
        QCOMPARE(ids, std::vector<int>{radio::kMsgCannotOpenPort});

        first.controller.CancelAndWait();
        QCOMPARE(firstFinished.count(), 1);
        QCOMPARE(firstFinished.first().at(0).value<radio::LinkOutcome>(),
                 radio::LinkOutcome::Cancelled);
    }

    void destroyingTheOwnerEndsTheTransfer() {
        auto host = std::make_shared<CVirtualRadioHost>(Pattern(1));
        host->SetBaud(kRealTimeBaud);
        auto* controller = new CTransferController;
        controller->SetVirtualRadio(host);
        QVERIFY(controller->Start(false, QStringLiteral("virtual:"), Pattern(2)));
        QTest::qWait(100);
        QElapsedTimer timer;
        timer.start();
        delete controller;  // a full read would take about 20 s
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(host->TryLock().owns_lock());  // the worker let go of the radio
    }

    void destroyingTheOwnerWhileAQuestionIsOpen() {
        auto host = std::make_shared<CVirtualRadioHost>(Pattern(1));
        radio::RadioFaults faults;
        faults.noConfirmBefore = 2;
        host->SetFaults(faults);
        auto* controller = new CTransferController;
        controller->SetVirtualRadio(host);
        bool asked = false;
        // The message box is up (a nested event loop) when the view goes away.
        controller->SetMessageHook([&](const LinkMessage&) {
            asked = true;
            QEventLoop box;
            QTimer::singleShot(0, [&controller] {
                delete controller;
                controller = nullptr;
            });
            QTimer::singleShot(200, &box, &QEventLoop::quit);
            box.exec();
            return true;
        });
        QVERIFY(controller->Start(false, QStringLiteral("virtual:"), Pattern(2)));
        QTRY_VERIFY_WITH_TIMEOUT(asked && controller == nullptr, 10000);
        QTest::qWait(300);  // the answer arrives after the owner is gone
        QVERIFY(host->TryLock().owns_lock());
    }

    void virtualRadioStartsFromTheDemoFile_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("demo file found") << true;
        QTest::newRow("no demo file: blank") << false;
    }
    void virtualRadioStartsFromTheDemoFile() {
        QFETCH(bool, present);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("demo.dat"));
        if (present) QVERIFY(radio::SaveChannelFile(path.toStdString(), Pattern(9)).ok);
        const QStringList candidates{dir.filePath(QStringLiteral("missing.dat")), path};
        QCOMPARE(CVirtualRadioHost::InitialMemory(candidates),
                 present ? Pattern(9) : radio::RadioImage::Blank());
    }
};

QTEST_MAIN(TransferControllerTest)
#include "transfer_controller_test.moc"
