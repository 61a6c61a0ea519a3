// Write to Several Radios: built-in virtual radios written in rounds from the window, through
// its buttons and keys, with the workers' reports arriving on the UI thread.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/formats/batch_log.h"
#include "core/image/channel_file.h"
#include "core/link/radio_faults.h"
#include "desktop/channels/program_view.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"
#include "desktop/transfer/write_many_dlg.h"
#include "desktop/transfer/write_pool_runner.h"
#include "tests/desktop/channels/view_test_support.h"
#include "tests/support/fake_services.h"

namespace {

constexpr int kRoundTimeoutMs = 30000;

radio::RadioImage Demo() {
    radio::RadioImage image;
    radio::Status st = radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image);
    return st ? image : radio::RadioImage::Blank();
}

bool Holds(const radio::RadioImage& memory, const radio::RadioImage& image) {
    return std::equal(image.data(), image.data() + 0x1FF3, memory.data());
}

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

struct DlgRig {
    ShellFixture fx{SampleIni("English")};
    radio::RadioImage image = Demo();
    CWriteManyDlg dlg{fx.ctx, [this] { return image; }};

    DlgRig() {
        dlg.SetPortLister([] { return std::vector<radio::PortListing>{}; });
        dlg.show();
    }
    void AddVirtual(const char* faults = "", int baud = 0) {
        QVERIFY(dlg.AddPort(QStringLiteral("virtual:")));
        auto host = dlg.VirtualRadio(dlg.Ports().constLast());
        QVERIFY(host);
        radio::RadioFaults f;
        QVERIFY(radio::ParseFaults(faults, f).ok);
        host->SetFaults(f);
        host->SetBaud(baud);
        host->SetMemory(radio::RadioImage::Blank());  // holding the image proves the write
    }
    bool RoundDone(int round) const { return !dlg.IsRunning() && dlg.Round() == round; }
};

}  // namespace

class WriteManyDlgTest : public QObject {
    Q_OBJECT

  private slots:
    // Each radio gets its row's result; a failure shows beside the others' success, and the
    // next round writes the same image again, logged as round 2.
    void RowsShowEachRadioAndRoundsFollowEachOther() {
        DlgRig rig;
        rig.AddVirtual();
        rig.AddVirtual("corrupt-write:40");
        rig.AddVirtual("silent");
        const QString log = rig.fx.Path(QStringLiteral("log.csv"));
        rig.dlg.LogEdit()->setText(log);
        QVERIFY(!rig.dlg.NextRoundButton()->isEnabled());

        QTest::mouseClick(rig.dlg.StartButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(rig.RoundDone(1), kRoundTimeoutMs);
        const struct {
            const char* result;
            bool holds;
        } expected[] = {
            {"Verified (", true},
            {"Verify failed: 1 difference: channel 20, Rx Frequency: wrote 162.47500, the radio "
             "holds 162.47501",
             false},
            {"Write failed: Communication Error,Please check all the connections and the radio "
             "power",
             false},
        };
        for (int row = 0; row < 3; ++row) {
            QVERIFY2(rig.dlg.ResultText(row).startsWith(QLatin1String(expected[row].result)),
                     qPrintable(rig.dlg.ResultText(row)));
            QCOMPARE(Holds(rig.dlg.VirtualRadio(rig.dlg.Ports()[row])->Memory(), rig.image),
                     expected[row].holds);
            QVERIFY(!rig.dlg.ProgressBar(row)->accessibleName().isEmpty());
        }
        QCOMPARE(rig.dlg.ProgressBar(0)->value(), rig.dlg.ProgressBar(0)->maximum());
        QCOMPARE(rig.dlg.Status()->text(),
                 QStringLiteral("Round 1: 1 of 3 radios verified. The results say what went "
                                "wrong."));
        QVERIFY(rig.dlg.NextRoundButton()->isEnabled());
        QVERIFY(rig.dlg.NextRoundButton()->isDefault());

        QTest::mouseClick(rig.dlg.NextRoundButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(rig.RoundDone(2), kRoundTimeoutMs);
        const QStringList lines = ReadLines(log);
        QCOMPARE(lines.size(), 7);  // the header once, then three rows a round
        QCOMPARE(lines[0], QString::fromStdString(radio::BatchLogHeader()));
        QCOMPARE(rig.dlg.LogRows().size(), 6);
        for (int i = 1; i < 7; ++i) {
            QVERIFY(lines[i].startsWith(i <= 3 ? QLatin1String("1,virtual:")
                                               : QLatin1String("2,virtual:")));
            QCOMPARE(lines[i], rig.dlg.LogRows()[i - 1]);
        }
        // Everything is in the log file: closing asks nothing.
        QVERIFY(rig.dlg.close());
        QVERIFY(rig.fx.messages.shown.isEmpty());
    }

    void BackUpFirstKeepsEachRadioUnderItsOwnName() {
        DlgRig rig;
        rig.AddVirtual();
        rig.AddVirtual();
        rig.dlg.BackupBox()->setChecked(true);
        QTest::mouseClick(rig.dlg.StartButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(rig.RoundDone(1), kRoundTimeoutMs);
        for (int row = 0; row < 2; ++row) {
            const QString text = rig.dlg.ResultText(row);
            QVERIFY2(text.startsWith(QLatin1String("Verified")), qPrintable(text));
            const QString path =
                rig.dlg.Table()->item(row, 2)->toolTip().section(QStringLiteral("Backup: "), 1);
            QVERIFY(text.endsWith(QFileInfo(path).fileName()));
            QVERIFY2(
                QFileInfo(path).fileName().startsWith(QStringLiteral("virtual-%1_").arg(row + 1)),
                qPrintable(path));
            radio::RadioImage kept;
            QVERIFY(radio::LoadChannelFile(QFile::encodeName(path).toStdString(), kept).ok);
            QVERIFY(kept == radio::RadioImage::Blank());
        }
    }

    // Closing while radios are written asks first; No keeps them going, Yes cancels them all.
    // Rows in no log file yet are offered for saving.
    void ClosingAsksBeforeCancelling() {
        DlgRig rig;
        rig.AddVirtual("", 9600);  // paced: a write takes half a minute
        rig.AddVirtual("", 9600);
        QTest::mouseClick(rig.dlg.StartButton(), Qt::LeftButton);
        QTRY_VERIFY(rig.dlg.ProgressBar(1)->value() > 2);

        rig.fx.messages.answers = {MessageService::Answer::Cancel};
        QVERIFY(!rig.dlg.close());
        QVERIFY(rig.dlg.isVisible() && rig.dlg.IsRunning());
        QCOMPARE(rig.fx.messages.shown.size(), 1);
        QCOMPARE(rig.fx.messages.shown[0].kind, MessageService::Kind::OkCancel);

        rig.fx.messages.answers = {MessageService::Answer::Ok, MessageService::Answer::Discard};
        QVERIFY(rig.dlg.close());
        QVERIFY(!rig.dlg.IsRunning());
        QCOMPARE(rig.fx.messages.shown.size(), 3);
        QCOMPARE(rig.fx.messages.shown[2].kind, MessageService::Kind::SaveDiscardCancel);
        for (int row = 0; row < 2; ++row)
            QCOMPARE(rig.dlg.ResultText(row), QStringLiteral("Cancelled"));
        QCOMPARE(rig.dlg.LogRows().size(), 2);
        QVERIFY(rig.dlg.LogRows()[0].contains(QLatin1String(",cancelled,")));
    }

    // An image with errors is shown first, once for the batch; Cancel writes no radio (Write
    // anyway goes on, as the view's test below has it).
    void TheCheckComesFirstOnceForTheBatch() {
        DlgRig rig;
        rig.image[5 * 16] = 0x7A;  // channel 5's frequency bytes: no frequency
        rig.AddVirtual();
        QTest::mouseClick(rig.dlg.StartButton(), Qt::LeftButton);
        QTRY_VERIFY(rig.dlg.WriteCheckDlg() && rig.dlg.WriteCheckDlg()->isVisible());
        QTest::mouseClick(rig.dlg.WriteCheckDlg()->CancelButton(), Qt::LeftButton);
        QCOMPARE(rig.dlg.Round(), 0);
        QVERIFY(!rig.dlg.IsRunning() && !rig.dlg.NextRoundButton()->isEnabled());
        QVERIFY(rig.dlg.VirtualRadio(rig.dlg.Ports()[0])->Memory() == radio::RadioImage::Blank());
    }

    // Ports are added by typing and Enter (which must not start anything), removed with Del;
    // a real port only once. Keys go to the combo box, as the focus has it.
    void PortsByKeyboard() {
        DlgRig rig;
        QComboBox* combo = rig.dlg.PortCombo();
        for (const char* typed : {"/dev/pts/77", "/dev/pts/77", "/dev/pts/78"}) {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo, QString::fromLatin1(typed));
            QTest::keyClick(combo, Qt::Key_Return);
            QVERIFY(!rig.dlg.IsRunning());
        }
        QCOMPARE(rig.dlg.Ports(), (QStringList{"/dev/pts/77", "/dev/pts/78"}));
        QVERIFY(rig.dlg.Status()->text().contains(QLatin1String("in the list already")));
        combo->setCurrentIndex(combo->count() - 1);  // the built-in radio, twice
        QTest::keyClick(combo, Qt::Key_Return);
        QTest::keyClick(combo, Qt::Key_Enter);
        QCOMPARE(rig.dlg.Ports(),
                 (QStringList{"/dev/pts/77", "/dev/pts/78", "virtual:1", "virtual:2"}));
        rig.dlg.Table()->setFocus();
        rig.dlg.Table()->selectRow(0);
        QTest::keyClick(rig.dlg.Table(), Qt::Key_Delete);
        QCOMPARE(rig.dlg.Ports().first(), QStringLiteral("/dev/pts/78"));
    }

    // Program > Write to Several Radios opens the window over the document; while it writes,
    // the document cannot be closed under it.
    void TheViewOpensItAndWaitsForIt() {
        ViewRig rig;
        rig.view->OnWriteMany();
        CWriteManyDlg* dlg = rig.view->WriteManyDlg();
        QVERIFY(dlg && dlg->isVisible());
        QVERIFY(dlg->AddPort(QStringLiteral("virtual:")));
        dlg->VirtualRadio(QStringLiteral("virtual:1"))->SetBaud(9600);
        QTest::mouseClick(dlg->StartButton(), Qt::LeftButton);
        if (dlg->WriteCheckDlg()) dlg->WriteCheckDlg()->accept();  // a new document warns
        QTRY_VERIFY(dlg->IsRunning());
        QVERIFY(!rig.view->QueryInterrupt());
        QVERIFY(rig.fx.messages.shown.constLast().text.contains(QLatin1String("several radios")));
        dlg->Runner()->CancelAndWait();
        QVERIFY(rig.view->QueryInterrupt());
    }
};

QTEST_MAIN(WriteManyDlgTest)
#include "write_many_dlg_test.moc"
