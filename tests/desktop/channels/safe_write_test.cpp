// Writing safely from the channel view: the check before a write, verify after it, the backups
// of reads, comparing with another image, and File > Radio Backups.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "core/codec/channel_codec.h"
#include "core/formats/backup_store.h"
#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/compare_panel.h"
#include "desktop/dialogs/backups_dlg.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"
#include "tests/desktop/channels/view_test_support.h"

Q_DECLARE_METATYPE(radio::LinkOutcome)

namespace {

using Kind = MessageService::Kind;

radio::RadioImage Demo() {
    radio::RadioImage image;
    if (!radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image)) qWarning("demo.dat missing");
    return image;
}

// A blank image whose Pri-Scanning Time is one of its list (a blank image's 0xFF is none), so
// the check has nothing to say about the options.
radio::RadioImage QuietBlank() {
    radio::RadioImage image = radio::RadioImage::Blank();
    image[radio::offset::kPriScanTime] = 0x00;
    return image;
}

radio::ChannelTexts Channel(const char* freq) {
    return {freq, freq, "None", "None", "High", "Lock", "Yes", "Wide", ""};
}

// Puts `image` into the rig's document as an opened file would be, and connects the view to a
// virtual radio holding `radioMemory`.
std::shared_ptr<CVirtualRadioHost> Prepare(ViewRig& rig, const radio::RadioImage& image,
                                           const radio::RadioImage& radioMemory) {
    rig.doc.image() = image;
    rig.view->OnInitialUpdate();
    auto host = std::make_shared<CVirtualRadioHost>(radioMemory);
    rig.view->SetVirtualRadio(host);
    rig.view->SetPortName(QStringLiteral("virtual:"));
    return host;
}

void PressOk(ViewRig& rig) {
    QTest::mouseClick(
        qobject_cast<QPushButton*>(rig.view->ProgressDlg()->GetDlgItem(CProgressDlg::kIdOk)),
        Qt::LeftButton);
}

bool CheckShown(ViewRig& rig) {
    return rig.view->WriteCheckDlg() && rig.view->WriteCheckDlg()->isVisible();
}

// Write, answering the check with Write anyway should it ask; waits for the end.
bool WriteThrough(ViewRig& rig, QSignalSpy& finished) {
    rig.view->OnWrite();
    PressOk(rig);
    QTest::qWait(50);
    if (CheckShown(rig)) rig.view->WriteCheckDlg()->WriteAnywayButton()->click();
    return finished.wait(30000) || finished.size() == 1;
}

}  // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void checkBeforeWrite_data();
    void checkBeforeWrite();
    void verifyAfterWrite_data();
    void verifyAfterWrite();
    void verifyChoiceIsRemembered();
    void readLeavesABackup_data();
    void readLeavesABackup();
    void compareMarksCellsAndFollowsEdits();
    void compareWithAFileAndTheLastBackup();
    void readBackupOpensFromRadioBackups();
};

void SafeWriteTest::checkBeforeWrite_data() {
    QTest::addColumn<QString>("frequency");  // channel 1's, in an image of the 136-174 MHz band
    QTest::addColumn<QString>("answer");     // to the check: "" when it must not ask
    QTest::addColumn<QStringList>("severities");
    QTest::addColumn<bool>("written");
    QTest::newRow("nothing found: no question") << "146.52500"
                                                << "" << QStringList() << true;
    QTest::newRow("outside the band, Write anyway")
        << "440.00000"
        << "write" << QStringList({"Warning", "Warning"}) << true;
    QTest::newRow("outside the band, Cancel")
        << "440.00000"
        << "cancel" << QStringList({"Warning", "Warning"}) << false;
    QTest::newRow("outside both bands, Cancel")
        << "180.00000"
        << "cancel" << QStringList({"Error", "Error"}) << false;
}

void SafeWriteTest::checkBeforeWrite() {
    QFETCH(QString, frequency);
    QFETCH(QString, answer);
    QFETCH(QStringList, severities);
    QFETCH(bool, written);
    ViewRig rig;
    radio::RadioImage image = QuietBlank();
    radio::EncodeChannelRow(Channel(frequency.toUtf8().constData()), image, 1);
    const radio::RadioImage radioBefore = radio::RadioImage::Blank();
    auto host = Prepare(rig, image, radioBefore);
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnWrite();
    PressOk(rig);
    if (answer.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
        QVERIFY(!CheckShown(rig));
    } else {
        QTRY_VERIFY(CheckShown(rig));
        CWriteCheckDlg* check = rig.view->WriteCheckDlg();
        QStringList shown;
        for (int i = 0; i < check->List()->topLevelItemCount(); ++i)
            shown << check->List()->topLevelItem(i)->text(0);
        QCOMPARE(shown, severities);
        QVERIFY(check->List()->topLevelItem(0)->text(1).startsWith("channel 1, Rx Frequency " +
                                                                   frequency));
        QVERIFY(check->CancelButton()->isDefault());  // Enter never writes by accident
        QVERIFY(rig.view->ProgressDlg()->isVisible());
        QTest::mouseClick(answer == "write" ? check->WriteAnywayButton() : check->CancelButton(),
                          Qt::LeftButton);
        if (written) QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    }
    if (!written) {
        QTest::qWait(200);
        QVERIFY(finished.isEmpty());
        QVERIFY(!rig.view->ProgressDlg()->isVisible());
        QVERIFY(host->Memory() == radioBefore);
        QVERIFY(rig.fx.messages.shown.isEmpty());
        return;
    }
    QCOMPARE(radio::DecodeChannelRow(host->Memory(), 1, radio::Language::English)[0],
             frequency.toStdString());
}

void SafeWriteTest::verifyAfterWrite_data() {
    QTest::addColumn<QString>("faults");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("says");
    QTest::addColumn<int>("outcome");
    QTest::newRow("the radio holds it")
        << "" << int(Kind::Information) << "Verified: the radio holds what was written."
        << int(radio::LinkOutcome::Done);
    // Block 40 starts record 20 of the demo file: 162.475 MHz.
    QTest::newRow("one bit changed")
        << "corrupt-write:40" << int(Kind::Warning)
        << "channel 20, Rx Frequency: wrote 162.47500, the radio holds 162.47501"
        << int(radio::LinkOutcome::Done);
    QTest::newRow("the read-back fails")
        << "short-reply:3" << int(Kind::Warning)
        << "The write is complete; reading it back to verify failed."
        << int(radio::LinkOutcome::Failed);
}

void SafeWriteTest::verifyAfterWrite() {
    QFETCH(QString, faults);
    QFETCH(int, kind);
    QFETCH(QString, says);
    QFETCH(int, outcome);
    ViewRig rig;
    auto host = Prepare(rig, Demo(), radio::RadioImage::Blank());
    radio::RadioFaults f;
    QVERIFY(radio::ParseFaults(faults.toStdString(), f).ok);
    host->SetFaults(f);
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    QVERIFY(WriteThrough(rig, finished));
    QCOMPARE(int(finished[0][0].value<radio::LinkOutcome>()), outcome);
    // The window said when it went on to read the radio back.
    QCOMPARE(rig.view->ProgressDlg()->windowTitle(), QString("Verify Data"));
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QCOMPARE(int(rig.fx.messages.shown[0].kind), kind);
    QVERIFY2(rig.fx.messages.shown[0].text.contains(says),
             qPrintable(rig.fx.messages.shown[0].text));
}

void SafeWriteTest::verifyChoiceIsRemembered() {
    ViewRig rig;
    radio::RadioImage image = QuietBlank();
    radio::EncodeChannelRow(Channel("146.52500"), image, 1);
    Prepare(rig, image, radio::RadioImage::Blank());
    CProgressDlg* dlg = rig.view->ProgressDlg();
    auto* box = qobject_cast<QCheckBox*>(dlg->GetDlgItem(CProgressDlg::kIdVerify));
    QVERIFY(box);

    rig.view->OnRead();
    QVERIFY(box->isHidden());  // reads have nothing to verify
    qobject_cast<QPushButton*>(dlg->GetDlgItem(CProgressDlg::kIdCancel))->click();
    rig.view->OnWrite();
    QVERIFY(!box->isHidden());
    QVERIFY(box->isChecked());  // checked until the user says otherwise
    box->setChecked(false);
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);
    PressOk(rig);
    QVERIFY(!box->isEnabled());  // fixed while the transfer runs
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QCOMPARE(dlg->GetPos(), 511);  // the write only
    QCOMPARE(dlg->windowTitle(), QString("Write Data"));
    QVERIFY(rig.fx.messages.shown.isEmpty());
    QCOMPARE(rig.fx.store->GetInt(CProgramView::kVerifySetting).value_or(9), 0u);

    rig.view->OnWrite();
    QVERIFY(!box->isChecked());
    QVERIFY(box->isEnabled());
}

void SafeWriteTest::readLeavesABackup_data() {
    QTest::addColumn<QString>("folder");  // relative to the test's folder; "off" switches off
    QTest::addColumn<bool>("saved");
    QTest::newRow("into the backup folder") << "backups" << true;
    QTest::newRow("switched off") << "off" << false;
    QTest::newRow("a folder that cannot be made") << "blocker/backups" << false;
}

void SafeWriteTest::readLeavesABackup() {
    QFETCH(QString, folder);
    QFETCH(bool, saved);
    ViewRig rig;
    QFile blocker(rig.fx.Path("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    rig.fx.ctx.SetBackupFolder(folder == "off" ? folder : rig.fx.Path(folder));
    const radio::RadioImage radioMemory = Demo();
    Prepare(rig, radio::RadioImage::Blank(), radioMemory);
    QSignalSpy finished(rig.view.get(), &CProgramView::TransferFinished);

    rig.view->OnRead();
    PressOk(rig);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    // Whatever happens to the backup, the read is complete.
    QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::Done);
    QCOMPARE(rig.Grid().GetTextMatrix(1, 9), QString("CALL2M"));

    const radio::BackupStore store(QFile::encodeName(rig.fx.Path(folder)).toStdString());
    const auto backups = store.List();
    if (saved) {
        QCOMPARE(backups.size(), std::size_t(1));
        radio::RadioImage backup;
        QVERIFY(radio::LoadChannelFile(backups[0].path, backup).ok);
        QVERIFY(backup == radioMemory);  // the radio's bytes, before the band step
        QVERIFY(rig.fx.messages.shown.isEmpty());
        return;
    }
    QVERIFY(backups.empty());
    if (folder == "off") {
        QVERIFY(rig.fx.messages.shown.isEmpty());
        QVERIFY(!QFileInfo::exists(rig.fx.Path("off")));
        return;
    }
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QCOMPARE(rig.fx.messages.shown[0].kind, Kind::Warning);
    QVERIFY(rig.fx.messages.shown[0].text.startsWith(
        "The radio was read completely, but the backup copy of its memory could not be saved."));
    QVERIFY(rig.fx.messages.shown[0].text.contains(rig.fx.Path("blocker/backups")));
}

void SafeWriteTest::compareMarksCellsAndFollowsEdits() {
    ViewRig rig;
    radio::RadioImage mine = radio::RadioImage::Blank();
    radio::EncodeChannelRow(Channel("146.52500"), mine, 1);
    radio::EncodeChannelRow(Channel("145.50000"), mine, 2);
    Prepare(rig, mine, radio::RadioImage::Blank());
    radio::RadioImage other = rig.view->ImageToWrite();
    radio::ChannelTexts texts = radio::DecodeChannelRow(other, 1, radio::Language::English);
    texts[radio::kColTxTone - 1] = "100.0";
    radio::EncodeChannelRow(texts, other, 1);
    other[radio::offset::kSquelch] = 0x07;

    rig.view->StartCompare(other, "other.dat");
    QVERIFY(rig.view->IsComparing());
    CComparePanel* panel = rig.view->ComparePanel();
    QVERIFY(panel->isVisible());
    QVERIFY(panel->Title()->text().contains("other.dat"));
    QTreeWidget* list = panel->List();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(0), QString("1"));
    QCOMPARE(list->topLevelItem(0)->text(1), QString("Tx Tone"));
    QCOMPARE(list->topLevelItem(0)->text(2), QString("None"));
    QCOMPARE(list->topLevelItem(0)->text(3), QString("100.0"));
    QCOMPARE(list->topLevelItem(1)->text(1), QString("Squelch Level"));
    QVERIFY(rig.Grid().IsCellMarked(2, radio::kColTxTone));
    QVERIFY(!rig.Grid().IsCellMarked(2, radio::kColRxTone));
    QVERIFY(!rig.Grid().IsCellMarked(3, radio::kColTxTone));

    // Activating a channel's line goes to its cell.
    emit list->itemActivated(list->topLevelItem(0), 0);
    QCOMPARE(rig.Grid().GetRow(), 2);
    QCOMPARE(rig.Grid().GetCol(), int(radio::kColTxTone));

    // Making the cell the same ends its difference, at once.
    rig.Enter(2, radio::kColTxTone);
    rig.Pick("100.0");
    rig.PressEnter();
    QTRY_COMPARE(list->topLevelItemCount(), 1);
    QVERIFY(!rig.Grid().IsCellMarked(2, radio::kColTxTone));

    QTest::mouseClick(panel->CloseButton(), Qt::LeftButton);
    QVERIFY(!rig.view->IsComparing());
    QVERIFY(!panel->isVisible());
}

void SafeWriteTest::compareWithAFileAndTheLastBackup() {
    ViewRig rig;
    Prepare(rig, Demo(), radio::RadioImage::Blank());
    // No backup yet: said so, nothing compared.
    rig.view->OnCompareWithBackup();
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QVERIFY(rig.fx.messages.shown[0].text.startsWith("There is no backup of a radio"));
    QVERIFY(!rig.view->IsComparing());

    // Three backups: the newest is of another radio type, so the one before it is this radio's.
    using namespace std::chrono;
    local_seconds now = local_days{year{2026} / 5 / 1} + hours{14};
    radio::BackupStore store(QFile::encodeName(rig.fx.Path("backups")).toStdString(),
                             [&now] { return now; });
    radio::RadioImage older = rig.view->ImageToWrite(), mine = older, otherType = older;
    radio::EncodeChannelRow(Channel("147.00000"), older, 160);  // empty in the demo file
    radio::EncodeChannelRow(Channel("148.00000"), mine, 160);
    otherType[radio::offset::kRadioType] = 1;
    QVERIFY(store.Save(older).ok);
    now += hours{1};
    QVERIFY(store.Save(mine).ok);
    now += hours{1};
    QVERIFY(store.Save(otherType).ok);

    rig.view->OnCompareWithBackup();
    QVERIFY(rig.view->IsComparing());
    QVERIFY2(rig.view->ComparePanel()->Title()->text().contains("backup 2026-05-01 15:00:00"),
             qPrintable(rig.view->ComparePanel()->Title()->text()));
    // Channel 160 is in use there: eight cells differ (its name is empty on both sides).
    QCOMPARE(rig.view->ComparePanel()->List()->topLevelItemCount(), 8);

    // File > Compare With...: a file that cannot be read is reported; a good one compared.
    QFile bad(rig.fx.Path("short.dat"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("abc");
    bad.close();
    QVERIFY(radio::SaveChannelFile(QFile::encodeName(rig.fx.Path("older.dat")).toStdString(), older)
                .ok);
    rig.fx.files.names = QStringList{rig.fx.Path("short.dat"), rig.fx.Path("older.dat")};
    rig.view->OnFileCompare();
    QCOMPARE(rig.fx.messages.shown.size(), 2);
    QVERIFY(rig.fx.messages.shown[1].text.contains("holds 3 bytes"));
    QVERIFY(rig.view->ComparePanel()->Title()->text().contains("backup"));  // unchanged
    rig.view->OnFileCompare();
    QVERIFY(rig.view->ComparePanel()->Title()->text().contains("older.dat"));
    QCOMPARE(rig.view->ComparePanel()->List()->topLevelItemCount(), 8);
    QVERIFY(rig.Grid().IsCellMarked(161, radio::kColRxFreq));
}

void SafeWriteTest::readBackupOpensFromRadioBackups() {
    ShellFixture fx{SampleIni("English")};
    CProgramApp app{fx.ctx};
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CProgramView* view = app.MainFrame()->ActiveChild()->GetView();
    const radio::RadioImage radioMemory = Demo();
    view->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(radioMemory));
    view->SetPortName(QStringLiteral("virtual:"));
    QSignalSpy finished(view, &CProgramView::TransferFinished);
    view->OnRead();
    view->ProgressDlg()->OnOK();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);

    QStringList rows;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<CBackupsDlg*>(QApplication::activeModalWidget());
        if (!dlg) return;
        for (int i = 0; i < dlg->List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = dlg->List()->topLevelItem(i);
            rows << item->text(1) + "|" + item->text(2);
        }
        dlg->OpenButton()->click();
    });
    app.MainFrame()->Action(ID_FILE_RADIO_BACKUPS)->trigger();
    QCOMPARE(rows, QStringList({"34|CALL2M, SMPLX1, SMPLX2, SMPLX3"}));

    CProgramDoc* doc = app.MainFrame()->ActiveDocument();
    QVERIFY(doc != view->GetDocument());
    QVERIFY(doc->GetTitle().startsWith("Backup 2"));
    QCOMPARE(radio::DecodeChannelRow(doc->image(), 1, radio::Language::English),
             radio::DecodeChannelRow(radioMemory, 1, radio::Language::English));
    // The backup stays as it was: saving asks for a name of its own.
    QVERIFY(!doc->HasUserFile());
    QVERIFY(!doc->IsModified());
}

QTEST_MAIN(SafeWriteTest)
#include "safe_write_test.moc"
