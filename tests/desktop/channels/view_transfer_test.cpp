// Read, Write and Com Setup from the channel view against the built-in virtual radio; the
// commands refused while a transfer runs; Print Preview.

#include <QAction>
#include <QElapsedTimer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

#include "core/codec/channel_codec.h"
#include "core/config/messages.h"
#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"
#include "qt/print_job.h"
#include "tests/desktop/channels/view_test_support.h"

Q_DECLARE_METATYPE(radio::LinkOutcome)

namespace {

constexpr int kLineBaud = 9600;  // about 20 ms a block: a transfer lasts long enough to act

radio::RadioImage DemoImage() {
    radio::RadioImage image;
    // A missing demo file leaves the all-0xFF image, which the comparisons then reject.
    if (!radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image)) qWarning("demo.dat missing");
    return image;
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QStringList Decoded(const radio::RadioImage& image, int record, radio::Language lang) {
    QStringList texts;
    for (const std::string& t : radio::DecodeChannelRow(image, record, lang))
        texts << QString::fromStdString(t);
    return texts;
}

void Click(CProgressDlg* dlg, int id) {
    QTest::mouseClick(qobject_cast<QPushButton*>(dlg->GetDlgItem(id)), Qt::LeftButton);
}

// Every cell text of the channel rows.
QStringList AllCells(const CMSFlexGrid& grid) {
    QStringList cells;
    for (int row = 1; row <= 200; ++row)
        for (int col = 1; col <= 9; ++col) cells << grid.GetTextMatrix(row, col);
    return cells;
}

// The channel view of a running program, reading from a paced virtual radio.
struct AppRig {
    ShellFixture fx{SampleIni("English")};
    CProgramApp app{fx.ctx};
    std::shared_ptr<CVirtualRadioHost> host = std::make_shared<CVirtualRadioHost>(DemoImage());
    CProgramView* view = nullptr;

    AppRig() {
        app.InitInstance({fx.ConfigPath(), {}, {}});
        view = app.MainFrame()->ActiveChild()->GetView();
        host->SetBaud(kLineBaud);
        view->SetVirtualRadio(host);
        view->SetPortName(QStringLiteral("virtual:"));
    }
};

}  // namespace

class ViewTransferTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void readThroughOk_data();
    void readThroughOk();
    void readEndingEarlyChangesNothing_data();
    void readEndingEarlyChangesNothing();
    void writeReachesTheRadio();
    void laterCommandOnlyChangesDirection();
    void cancelBeforeOkOpensNothing();
    void portThatCannotOpen();
    void comSetupChoosesThePort();
    void viewStartsWithTheStoredPort_data();
    void viewStartsWithTheStoredPort();
    void storedPortAfterNewAndOpen();
    void destroyingTheViewEndsItsTransfer();
    void commandsRefusedDuringTransfer_data();
    void commandsRefusedDuringTransfer();
    void printWithoutDialogPrintsEveryPage();
    void printPreviewShowsTheJobsPages_data();
    void printPreviewShowsTheJobsPages();
};

void ViewTransferTest::readThroughOk_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("English") << QByteArray("English") << "Read Data";
    QTest::newRow("Chinese") << QByteArray("Chinese") << "读数据";
}

void ViewTransferTest::readThroughOk() {
    QFETCH(QByteArray, language);
    QFETCH(QString, title);
    ViewRig rig(language.constData());
    const radio::RadioImage radioMemory = DemoImage();
    rig.view->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(radioMemory));
    rig.view->SetPortName("virtual:");
    QVERIFY(rig.doc.IsNewImage());
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnRead();
    CProgressDlg* dlg = rig.view->ProgressDlg();
    QVERIFY(dlg->isVisible());
    QCOMPARE(dlg->windowTitle(), title);
    Click(dlg, CProgressDlg::kIdOk);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);

    QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::Done);
    QVERIFY(!rig.doc.IsNewImage());
    QVERIFY(rig.doc.IsModified());
    QVERIFY(!dlg->isVisible());
    QCOMPARE(dlg->GetPos(), 512);
    QVERIFY(rig.fx.messages.shown.isEmpty());
    int channels = 0;
    for (int record = 0; record < 200; ++record) {
        QCOMPARE(rig.Row(record + 1), Decoded(radioMemory, record, rig.fx.ctx.UiLanguage()));
        channels += rig.Grid().GetTextMatrix(record + 1, 1).isEmpty() ? 0 : 1;
    }
    QVERIFY(channels > 10);
    // The image is the radio's, but for the band limits the band step writes.
    radio::RadioImage expected = radioMemory;
    for (std::size_t i = 0x1FF0; i <= 0x1FF2; ++i) expected[i] = rig.doc.image()[i];
    QVERIFY(rig.doc.image() == expected);
}

void ViewTransferTest::readEndingEarlyChangesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("message");  // 0: none
    QTest::addColumn<int>("outcome");
    QTest::newRow("Cancel in the middle") << "cancel" << 0 << int(radio::LinkOutcome::Cancelled);
    QTest::newRow("short reply") << "short-reply:300" << int(radio::kMsgProgramInterrupt)
                                 << int(radio::LinkOutcome::Failed);
    QTest::newRow("no confirmation, Cancel chosen")
        << "no-confirm-from:1" << int(radio::kMsgCommunicationError)
        << int(radio::LinkOutcome::Cancelled);
}

void ViewTransferTest::readEndingEarlyChangesNothing() {
    QFETCH(QString, how);
    QFETCH(int, message);
    QFETCH(int, outcome);
    ViewRig rig;
    auto host = std::make_shared<CVirtualRadioHost>(DemoImage());
    host->SetBaud(kLineBaud);
    if (how != "cancel") {
        radio::RadioFaults faults;
        QVERIFY(radio::ParseFaults(how.toStdString(), faults).ok);
        host->SetFaults(faults);
    }
    rig.view->SetVirtualRadio(host);
    rig.view->SetPortName("virtual:");
    // Something of the user's own in the grid and the image.
    rig.Enter(3, 1);
    rig.Type("146.525");
    rig.PressEnter();
    rig.view->EncodeGridToImage();
    const radio::RadioImage image = rig.doc.image();
    const QStringList cells = AllCells(rig.Grid());
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnRead();
    CProgressDlg* dlg = rig.view->ProgressDlg();
    Click(dlg, CProgressDlg::kIdOk);
    if (how == "cancel") {
        QTRY_VERIFY_WITH_TIMEOUT(dlg->GetPos() >= 20, 30000);
        Click(dlg, CProgressDlg::kIdCancel);
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);

    QCOMPARE(int(finished[0][0].value<radio::LinkOutcome>()), outcome);
    QVERIFY(rig.doc.image() == image);
    QCOMPARE(AllCells(rig.Grid()), cells);
    QVERIFY(rig.doc.IsNewImage());
    QVERIFY(!dlg->isVisible());
    if (message == 0) {
        QVERIFY(rig.fx.messages.shown.isEmpty());
    } else {
        QCOMPARE(rig.fx.messages.shown.size(), 1);
        QVERIFY(rig.fx.messages.shown[0].text.startsWith(Utf8(radio::MessageText(message))));
        QCOMPARE(rig.fx.messages.shown[0].caption, rig.fx.ctx.AppCaption());
        QCOMPARE(rig.fx.messages.shown[0].kind, message == radio::kMsgCommunicationError
                                                    ? MessageService::Kind::RetryCancel
                                                    : MessageService::Kind::Warning);
    }
}

void ViewTransferTest::writeReachesTheRadio() {
    ViewRig rig;
    auto host = std::make_shared<CVirtualRadioHost>(radio::RadioImage::Blank());
    rig.view->SetVirtualRadio(host);
    rig.view->SetPortName("virtual:");
    // Channel 120 lies in the range 0x0640-0x096F, which must reach the radio too.
    for (int row : {1, 121}) {
        rig.Enter(row, 1);
        rig.Type(row == 1 ? "146.525" : "440.0125");
        rig.PressEnter();
    }
    rig.Enter(121, 9);
    rig.Type("far");
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnWrite();  // takes the name still in its editor
    QCOMPARE(rig.view->ProgressDlg()->windowTitle(), QString("Write Data"));
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdOk);
    // Channel 120 lies outside the band of the document (136-174 MHz), and a new image's
    // Pri-Scanning Time byte (0xFF) is in no list: written only on Write anyway.
    QTRY_VERIFY(rig.view->WriteCheckDlg() && rig.view->WriteCheckDlg()->isVisible());
    QTreeWidget* findings = rig.view->WriteCheckDlg()->List();
    QCOMPARE(findings->topLevelItemCount(), 3);
    QVERIFY(findings->topLevelItem(0)->text(1).startsWith(
        "channel 120, Rx Frequency 440.01250: outside the radio's band"));
    QVERIFY(findings->topLevelItem(2)->text(1).startsWith(
        "option Pri-Scanning Time: 0x1FE8 holds 255 (0xFF)"));
    QTest::mouseClick(rig.view->WriteCheckDlg()->WriteAnywayButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::Done);
    // Verified by default: the radio was read back after the write.
    QCOMPARE(rig.view->ProgressDlg()->GetPos(), 512);
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QCOMPARE(rig.fx.messages.shown[0].text, QString("Verified: the radio holds what was written."));

    const radio::RadioImage memory = host->Memory();
    const radio::Language lang = rig.fx.ctx.UiLanguage();
    QCOMPARE(Decoded(memory, 0, lang), NewChannel("146.52500"));
    QStringList far = NewChannel("440.01250");
    far[8] = "FAR";
    QCOMPARE(Decoded(memory, 120, lang), far);
    QCOMPARE(Decoded(memory, 5, lang), QStringList(9, QString()));
}

void ViewTransferTest::laterCommandOnlyChangesDirection() {
    ViewRig rig;
    auto host = std::make_shared<CVirtualRadioHost>(DemoImage());
    rig.view->SetVirtualRadio(host);
    rig.view->SetPortName("virtual:");
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnRead();
    rig.view->OnWrite();  // the open window keeps its caption but now writes
    QCOMPARE(rig.view->ProgressDlg()->windowTitle(), QString("Read Data"));
    QVERIFY(rig.view->IsWriteMode());
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdOk);
    // A blank image is worth a warning before it clears the radio.
    QTRY_VERIFY(rig.view->WriteCheckDlg() && rig.view->WriteCheckDlg()->isVisible());
    QTest::mouseClick(rig.view->WriteCheckDlg()->WriteAnywayButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    // The blank document went to the radio; the grid did not change.
    QCOMPARE(Decoded(host->Memory(), 0, rig.fx.ctx.UiLanguage()), QStringList(9, QString()));
    QVERIFY(rig.doc.IsNewImage());
    QVERIFY(!rig.doc.IsModified());
}

void ViewTransferTest::cancelBeforeOkOpensNothing() {
    ViewRig rig;
    rig.view->SetPortName("/nonexistent/port");  // any open would report a message
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);
    rig.view->OnRead();
    CProgressDlg* dlg = rig.view->ProgressDlg();
    Click(dlg, CProgressDlg::kIdCancel);
    QVERIFY(!dlg->isVisible());
    QTest::qWait(100);
    QVERIFY(finished.isEmpty());
    QVERIFY(rig.fx.messages.shown.isEmpty());

    // A later Read opens a fresh window.
    rig.view->OnRead();
    QVERIFY(dlg->isVisible());
    QVERIFY(dlg->GetDlgItem(CProgressDlg::kIdOk)->isEnabled());
    QCOMPARE(dlg->GetPos(), 0);
}

void ViewTransferTest::portThatCannotOpen() {
    ViewRig rig;
    rig.view->SetPortName("/nonexistent/port");
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);
    rig.view->OnRead();
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdOk);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::OpenFailed);
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QVERIFY(rig.fx.messages.shown[0].text.startsWith(
        Utf8(radio::MessageText(radio::kMsgCannotOpenPort))));
    QCOMPARE(rig.fx.messages.shown[0].caption, QString("Radio Co"));
    QVERIFY(!rig.view->ProgressDlg()->isVisible());
}

void ViewTransferTest::comSetupChoosesThePort() {
    ViewRig rig;
    QCOMPARE(rig.view->PortName(), QString("com1"));
    CComSetupDlg* dlg = rig.view->ComSetupDlg();
    dlg->SetPortProbe([](const std::string&) { return false; });
    dlg->SetPortLister([] { return std::vector<radio::PortListing>{}; });
    QTimer::singleShot(0, dlg, [dlg] {
        dlg->ChoiceButtons().back()->setChecked(true);  // the built-in virtual radio
        dlg->OnOK();
    });
    rig.view->OnComSetup();
    QCOMPARE(rig.view->PortName(), QString("virtual:"));
    QCOMPARE(rig.fx.store->GetText("port").value_or(""), std::string("virtual:"));

    // Another view of the same run follows the new choice: its own COM Setup shows it.
    CProgramDoc otherDoc(rig.fx.ctx);
    otherDoc.OnNewDocument();
    CProgramView other(rig.fx.ctx, &otherDoc);
    QCOMPARE(other.PortName(), QString("virtual:"));
}

void ViewTransferTest::viewStartsWithTheStoredPort_data() {
    QTest::addColumn<int>("com");           // stored "com"; 0: none stored
    QTest::addColumn<QString>("port");      // stored "port"
    QTest::addColumn<QString>("expected");  // the view's port, which COM Setup shows checked
    QTest::newRow("nothing stored") << 0 << ""
                                    << "com1";
    QTest::newRow("COM3") << 3 << ""
                          << "com3";
    QTest::newRow("virtual radio") << 2 << "virtual:"
                                   << "virtual:";
    QTest::newRow("USB port still there") << 2 << "/dev/ttyUSB0"
                                          << "/dev/ttyUSB0";
    QTest::newRow("USB port gone: the classic one") << 2 << "/dev/ttyUSB7"
                                                    << "com2";
    // COM Setup checks nothing then; transfers go to COM1 as they always did.
    QTest::newRow("no valid choice: COM1") << 9 << ""
                                           << "com1";
}

void ViewTransferTest::viewStartsWithTheStoredPort() {
    QFETCH(int, com);
    QFETCH(QString, port);
    QFETCH(QString, expected);
    ViewRig rig;
    if (com != 0) rig.fx.store->SetInt("com", std::uint32_t(com));
    rig.fx.store->SetText("port", port.toStdString());
    CComSetupDlg* dlg = rig.view->ComSetupDlg();
    dlg->SetPortProbe([](const std::string&) { return true; });
    dlg->SetPortLister([] {
        return std::vector<radio::PortListing>{{"/dev/ttyUSB0", "", {}, ""}};
    });
    QCOMPARE(rig.view->PortName(), expected);

    // The dialog shows the same port checked.
    dlg->OnInitDialog();
    QString checked;
    for (QRadioButton* button : dlg->ChoiceButtons()) {
        if (button->isChecked()) checked = dlg->PortNameOf(button);
    }
    QCOMPARE(checked, com == 9 ? QString() : expected);
}

void ViewTransferTest::storedPortAfterNewAndOpen() {
    // What COM Setup stored in an earlier run: after a restart, File > New and File > Open the
    // transfer goes there, as the dialog shows.
    ShellFixture fx(SampleIni("English"));
    fx.store->SetText("port", "virtual:");
    const QString path = fx.Path("saved.dat");
    QVERIFY(radio::SaveChannelFile(QFile::encodeName(path).toStdString(), DemoImage()).ok);
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    fx.messages.answers = {MessageService::Answer::Ok};  // File > New's warning
    frame->Action(ID_FILE_NEW)->trigger();
    QVERIFY(app.OpenDocumentFile(path));

    for (CChildFrame* child : frame->ChildFrames()) {
        CProgramView* view = child->GetView();
        QCOMPARE(view->PortName(), QString("virtual:"));
        view->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(DemoImage()));
        frame->OnWindowChosen(child);
        QSignalSpy finished(view, &CProgramView::TransferFinished);
        frame->Action(ID_PROGRAM_READ)->trigger();
        Click(view->ProgressDlg(), CProgressDlg::kIdOk);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::Done);
    }
    QCOMPARE(fx.messages.shown.size(), 1);  // only the warning: no Communication Error
}

void ViewTransferTest::destroyingTheViewEndsItsTransfer() {
    ViewRig rig;
    auto host = std::make_shared<CVirtualRadioHost>(DemoImage());
    host->SetBaud(kLineBaud);
    rig.view->SetVirtualRadio(host);
    rig.view->SetPortName("virtual:");
    rig.view->OnRead();
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdOk);
    QTRY_VERIFY(rig.view->IsTransferRunning());
    QVERIFY(!host->TryLock().owns_lock());

    QElapsedTimer clock;
    clock.start();
    rig.view.reset();
    QVERIFY(clock.elapsed() < 3000);  // cancelled at the next block, not read to the end
    QVERIFY(host->TryLock().owns_lock());
}

void ViewTransferTest::commandsRefusedDuringTransfer_data() {
    QTest::addColumn<int>("command");
    QTest::newRow("New") << int(ID_FILE_NEW);
    QTest::newRow("Open") << int(ID_FILE_OPEN);
    QTest::newRow("Close") << int(ID_FILE_CLOSE);
    QTest::newRow("Exit") << int(ID_APP_EXIT);
}

void ViewTransferTest::commandsRefusedDuringTransfer() {
    QFETCH(int, command);
    AppRig rig;
    CMainFrame* frame = rig.app.MainFrame();
    CChildFrame* child = frame->ActiveChild();
    const QString file = rig.fx.Path("other.dat");
    QVERIFY(radio::SaveChannelFile(QFile::encodeName(file).toStdString(), DemoImage()).ok);
    rig.fx.files.names << file;
    rig.fx.messages.defaultAnswer = MessageService::Answer::Ok;  // would confirm New
    QSignalSpy finished(rig.view, &CProgramView::TransferFinished);

    rig.view->OnRead();
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdOk);
    QTRY_VERIFY(rig.view->IsTransferRunning());

    frame->Action(command)->trigger();
    QCOMPARE(frame->ChildFrames(), QList<CChildFrame*>{child});
    QCOMPARE(frame->ActiveChild(), child);
    QVERIFY(!child->isHidden());
    QVERIFY(frame->isVisible());
    QVERIFY(rig.view->IsTransferRunning());
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QVERIFY(rig.fx.messages.shown[0].text.contains("transfer"));

    // Once the transfer has ended the command goes through.
    Click(rig.view->ProgressDlg(), CProgressDlg::kIdCancel);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
    if (command == ID_FILE_CLOSE) {
        frame->Action(command)->trigger();
        QVERIFY(child->isHidden());
    }
}

void ViewTransferTest::printWithoutDialogPrintsEveryPage() {
    AppRig rig;
    QVERIFY(rig.app.OpenDocumentFile(RADIO_RESOURCES "/demo.dat"));
    const QString pdf = rig.fx.Path("direct.pdf");
    rig.app.Printer()->setOutputFileName(pdf);
    rig.app.Printer()->setPrintRange(QPrinter::PageRange);  // left over: must not drop pages
    rig.app.Printer()->setFromTo(2, 2);

    rig.app.MainFrame()->Action(ID_FILE_PRINT_DIRECT)->trigger();
    QVERIFY(rig.fx.messages.shown.isEmpty());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int pages = int(bytes.count("/Type /Page\n")) + int(bytes.count("/Type /Page\r"));
    QCOMPARE(pages, radio::PageCount(rig.app.MainFrame()->ActiveDocument()->grid()));
    QVERIFY(pages > 2);
}

void ViewTransferTest::printPreviewShowsTheJobsPages_data() {
    QTest::addColumn<int>("channels");  // typed in; the last one left in its editor
    QTest::addColumn<int>("pages");
    QTest::newRow("none: the option sheet") << 0 << 1;
    QTest::newRow("seven") << 7 << 2;
    QTest::newRow("eight, one pending") << 8 << 3;
}

void ViewTransferTest::printPreviewShowsTheJobsPages() {
    QFETCH(int, channels);
    QFETCH(int, pages);
    ViewRig rig;
    for (int i = 0; i < channels; ++i) {
        rig.Enter(2 + 3 * i, 1);
        rig.Type("146.525");
        if (i + 1 < channels) rig.PressEnter();
    }
    rig.view->OnFilePrintPreview();
    QPrintPreviewDialog* preview = rig.view->PrintPreview();
    QVERIFY(preview && preview->isVisible());
    auto* pagesWidget = preview->findChild<QPrintPreviewWidget*>();
    QVERIFY(pagesWidget);
    QTRY_COMPARE(pagesWidget->pageCount(), pages);
    QCOMPARE(radio::PageCount(rig.doc.grid()), pages);
    preview->close();
    QTRY_VERIFY(!rig.view->PrintPreview());
}

QTEST_MAIN(ViewTransferTest)
#include "view_transfer_test.moc"
