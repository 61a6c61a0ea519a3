// The progress dialog and COM Setup, offscreen.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "core/config/settings_store.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"

Q_DECLARE_METATYPE(std::optional<std::uint32_t>)

namespace {

QAbstractButton* Button(const CProgressDlg& dlg, int id) {
    return qobject_cast<QAbstractButton*>(dlg.GetDlgItem(id));
}

QString PositionText(const CProgressDlg& dlg) {
    return qobject_cast<QLabel*>(dlg.GetDlgItem(CProgressDlg::kIdPosition))->text();
}

// A COM Setup dialog on an in-memory store, a scripted probe and one USB port.
struct ComSetupRig {
    explicit ComSetupRig(std::vector<std::string> missing = {}) : dlg(&store) {
        dlg.SetPortProbe([this, missing](const std::string& name) {
            probed.push_back(name);
            return std::find(missing.begin(), missing.end(), name) == missing.end();
        });
        dlg.SetPortLister([] {
            return std::vector<radio::PortListing>{
                {"/dev/ttyUSB0", "USB Serial", radio::UsbId{0x1a86, 0x7523}, "ch341-uart"}};
        });
        dlg.SetPortTester([this](const std::string& name) {
            tested.push_back(name);
            return report;
        });
        dlg.SetReportViewer([this](const QString& title, const QString& text, bool ok) {
            shown.push_back({title, text, ok});
        });
    }
    struct Shown {
        QString title, text;
        bool ok;
    };
    // Index of the checked choice among ChoiceButtons(), -1 when none is checked.
    int Checked() const {
        const auto buttons = dlg.ChoiceButtons();
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) return int(i);
        }
        return -1;
    }
    radio::MemorySettingsStore store;
    CComSetupDlg dlg;
    std::vector<std::string> probed;
    std::vector<std::string> tested;
    std::vector<Shown> shown;
    radio::DoctorReport report;
};

// A report as the doctor gives it, every check with the given verdict.
radio::DoctorReport Report(const std::string& port, radio::Verdict verdict, const char* text) {
    radio::DoctorReport report;
    report.port = report.device = port;
    for (auto id : {radio::CheckId::Exists, radio::CheckId::Permission, radio::CheckId::Busy,
                    radio::CheckId::Line, radio::CheckId::Radio})
        report.checks.push_back({id, verdict, text, {}});
    return report;
}

}  // namespace

class TransferDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void cancelBeforeOkClosesAndStartsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel button") << "button";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void cancelBeforeOkClosesAndStartsNothing() {
        QFETCH(QString, how);
        CProgressDlg dlg;
        dlg.m_strTitle = CProgressDlg::TitleFor(false, radio::Language::English);
        QSignalSpy started(&dlg, &CProgressDlg::StartTransfer);
        dlg.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Read Data"));

        if (how == "button")
            QTest::mouseClick(Button(dlg, CProgressDlg::kIdCancel), Qt::LeftButton);
        if (how == "escape") QTest::keyClick(&dlg, Qt::Key_Escape);
        if (how == "close") dlg.close();

        QVERIFY(!dlg.IsOpen());
        QCOMPARE(started.count(), 0);
        QVERIFY(dlg.m_bCancel);

        // The next Read or Write opens a fresh window.
        dlg.m_strTitle = CProgressDlg::TitleFor(true, radio::Language::Chinese);
        dlg.Open();
        QVERIFY(dlg.IsOpen());
        QVERIFY(!dlg.m_bCancel);
        QVERIFY(Button(dlg, CProgressDlg::kIdOk)->isEnabled());
        QCOMPARE(dlg.windowTitle(), QStringLiteral("写数据"));
        QCOMPARE(PositionText(dlg), QStringLiteral("Press OK to start"));
    }

    void okStartsOnceAndCancelThenWaitsForTheTransfer() {
        CProgressDlg dlg;
        dlg.m_strTitle = QStringLiteral("Write Data");
        QSignalSpy started(&dlg, &CProgressDlg::StartTransfer);
        QSignalSpy cancelled(&dlg, &CProgressDlg::CancelRequested);
        dlg.Open();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        QTest::keyClick(&dlg, Qt::Key_Return);  // OK is the default button
        QCOMPARE(started.count(), 1);
        QVERIFY(!Button(dlg, CProgressDlg::kIdOk)->isEnabled());
        QVERIFY(dlg.IsStarted());
        QTest::keyClick(&dlg, Qt::Key_Return);
        QCOMPARE(started.count(), 1);

        // The line below the bar says what the transfer does, block by block.
        QCOMPARE(PositionText(dlg), QStringLiteral("Connecting to the radio..."));
        dlg.SetPhase(CProgressDlg::Phase::Writing);
        dlg.SetRange(511);
        dlg.SetPos(68);
        dlg.SetBlock(135, 1022);
        QCOMPARE(PositionText(dlg), QStringLiteral("Writing block 135 of 1022"));
        dlg.SetVerifyPhase();
        dlg.SetBlock(498, 1024);
        QCOMPARE(PositionText(dlg), QStringLiteral("Verifying block 498 of 1024"));
        QCOMPARE(dlg.GetPos(), 0);

        // During the transfer neither Cancel nor the close box closes the window.
        QTest::mouseClick(Button(dlg, CProgressDlg::kIdCancel), Qt::LeftButton);
        dlg.close();
        QVERIFY(dlg.IsOpen());
        QVERIFY(dlg.m_bCancel);
        QCOMPARE(cancelled.count(), 2);

        dlg.Dismiss();  // the transfer ended
        QVERIFY(!dlg.IsOpen());
        QCOMPARE(started.count(), 1);
    }

    void comSetupPreselectsTheStoredChoice_data() {
        QTest::addColumn<std::optional<std::uint32_t>>("stored");
        QTest::addColumn<int>("checked");
        QTest::newRow("nothing stored: COM1") << std::optional<std::uint32_t>() << 0;
        for (std::uint32_t n = 1; n <= 4; ++n) {
            QTest::newRow(qPrintable(QStringLiteral("COM%1").arg(n)))
                << std::optional<std::uint32_t>(n) << int(n) - 1;
        }
        QTest::newRow("0: none") << std::optional<std::uint32_t>(0) << -1;
        QTest::newRow("5: none") << std::optional<std::uint32_t>(5) << -1;
        QTest::newRow("0xFFFFFFFF: none") << std::optional<std::uint32_t>(0xFFFFFFFFu) << -1;
    }
    void comSetupPreselectsTheStoredChoice() {
        QFETCH(std::optional<std::uint32_t>, stored);
        QFETCH(int, checked);
        ComSetupRig rig;
        if (stored) rig.store.SetInt("com", *stored);
        rig.dlg.show();
        QCOMPARE(rig.Checked(), checked);
        QCOMPARE(rig.dlg.m_nPort, checked);
        rig.dlg.hide();
    }

    void comSetupDisablesPortsThatDoNotOpen() {
        ComSetupRig rig({"com3"});
        rig.store.SetInt("com", 3);
        rig.dlg.show();
        QCOMPARE(rig.probed, (std::vector<std::string>{"com1", "com2", "com3", "com4"}));
        QVERIFY(rig.dlg.ClassicButton(0)->isEnabled());
        QVERIFY(!rig.dlg.ClassicButton(2)->isEnabled());
        QVERIFY(rig.dlg.ClassicButton(3)->isEnabled());
        // The stored choice stays checked even though its port is missing now.
        QVERIFY(rig.dlg.ClassicButton(2)->isChecked());
        const auto buttons = rig.dlg.ChoiceButtons();
        QCOMPARE(buttons.size(), std::size_t(6));
        QCOMPARE(buttons[4]->text(),
                 QStringLiteral("/dev/ttyUSB0  \u2014  CH340/CH341 USB serial cable (1a86:7523), "
                                "driver ch341-uart"));
        QCOMPARE(buttons[5]->text(), QStringLiteral("Virtual radio (built-in)"));
        QCOMPARE(rig.dlg.ClassicButton(0)->property("controlId").toInt(), 1007);
        QCOMPARE(rig.dlg.ClassicButton(3)->property("controlId").toInt(), 1010);
    }

    void comSetupOkNamesAndRemembersThePort_data() {
        QTest::addColumn<int>("choice");  // index into ChoiceButtons()
        QTest::addColumn<QString>("portName");
        QTest::addColumn<int>("storedCom");
        QTest::addColumn<QString>("storedPort");
        // Stored before: com = 3, port = "".
        QTest::newRow("COM2") << 1 << "com2" << 2 << "";
        QTest::newRow("COM4") << 3 << "com4" << 4 << "";
        QTest::newRow("USB port") << 4 << "/dev/ttyUSB0" << 3 << "/dev/ttyUSB0";
        QTest::newRow("virtual radio") << 5 << "virtual:" << 3 << "virtual:";
    }
    void comSetupOkNamesAndRemembersThePort() {
        QFETCH(int, choice);
        QFETCH(QString, portName);
        QFETCH(int, storedCom);
        QFETCH(QString, storedPort);
        ComSetupRig rig;
        rig.store.SetInt("com", 3);
        QSignalSpy chosen(&rig.dlg, &CComSetupDlg::PortChosen);
        rig.dlg.show();
        QRadioButton* button = rig.dlg.ChoiceButtons()[std::size_t(choice)];
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        rig.dlg.OnOK();

        QVERIFY(!rig.dlg.isVisible());
        QCOMPARE(rig.dlg.result(), int(QDialog::Accepted));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), portName);
        QCOMPARE(rig.dlg.ChosenPort(), portName);
        QCOMPARE(int(rig.store.GetInt("com").value_or(0)), storedCom);
        QCOMPARE(QString::fromStdString(rig.store.GetText("port").value_or("")), storedPort);

        // Shown again, the dialog offers the same choice.
        rig.dlg.show();
        QCOMPARE(rig.Checked(), choice);
    }

    void comSetupFallsBackWhenTheRememberedPortIsGone() {
        ComSetupRig rig;
        rig.store.SetInt("com", 2);
        rig.store.SetText("port", "/dev/ttyUSB7");  // unplugged since
        rig.dlg.show();
        QCOMPARE(rig.Checked(), 1);
    }

    void comSetupOkWithNothingCheckedKeepsEverything() {
        ComSetupRig rig;
        rig.store.SetInt("com", 9);
        QSignalSpy chosen(&rig.dlg, &CComSetupDlg::PortChosen);
        rig.dlg.show();
        QCOMPARE(rig.Checked(), -1);
        rig.dlg.OnOK();
        QVERIFY(!rig.dlg.isVisible());
        QCOMPARE(chosen.count(), 0);
        QCOMPARE(rig.dlg.ChosenPort(), QString());
        QCOMPARE(rig.store.GetInt("com").value_or(0), 9u);
    }

    void comSetupTestRunsTheDoctorOnTheCheckedPort_data() {
        QTest::addColumn<int>("choice");      // index into ChoiceButtons(), -1: none checked
        QTest::addColumn<QString>("tested");  // the port the doctor got, empty: not run
        QTest::addColumn<bool>("passes");
        QTest::addColumn<QString>("says");
        QTest::addColumn<bool>("ok");
        QTest::newRow("COM2, radio answers")
            << 1 << "com2" << true << "Every check passed." << true;
        QTest::newRow("USB cable, problem")
            << 4 << "/dev/ttyUSB0" << false << "PROBLEM port: broken" << false;
        QTest::newRow("virtual radio") << 5 << "" << true << "virtual radio needs no cable" << true;
        QTest::newRow("nothing checked") << -1 << "" << true << "Choose a port first." << false;
    }
    void comSetupTestRunsTheDoctorOnTheCheckedPort() {
        QFETCH(int, choice);
        QFETCH(QString, tested);
        QFETCH(bool, passes);
        QFETCH(QString, says);
        QFETCH(bool, ok);
        ComSetupRig rig;
        rig.store.SetInt("com", 9);  // none checked at first
        rig.report = Report(tested.toStdString(),
                            passes ? radio::Verdict::Pass : radio::Verdict::Fail, "broken");
        rig.dlg.show();
        if (choice >= 0) {
            QRadioButton* button = rig.dlg.ChoiceButtons()[std::size_t(choice)];
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        }
        QTest::mouseClick(rig.dlg.TestButton(), Qt::LeftButton);

        QCOMPARE(rig.tested.size(), tested.isEmpty() ? std::size_t(0) : std::size_t(1));
        if (!tested.isEmpty()) QCOMPARE(QString::fromStdString(rig.tested[0]), tested);
        QCOMPARE(rig.shown.size(), std::size_t(1));
        QVERIFY2(rig.shown[0].text.contains(says), qPrintable(rig.shown[0].text));
        QCOMPARE(rig.shown[0].ok, ok);
        // Testing neither closes the dialog nor stores a choice.
        QVERIFY(rig.dlg.isVisible());
        QCOMPARE(rig.store.GetInt("com").value_or(0), 9u);
        QVERIFY(!rig.store.GetText("port").has_value());
    }

    void comSetupF1ShowsItsHelp() {
        ComSetupRig rig;
        std::vector<int> contexts;
        rig.dlg.SetHelpHook([&](int context) { contexts.push_back(context); });
        rig.dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.dlg));
        rig.dlg.ClassicButton(1)->setFocus();
        QTest::keyClick(rig.dlg.ClassicButton(1), Qt::Key_F1);
        QCOMPARE(contexts, std::vector<int>{32777});
        QVERIFY(rig.dlg.isVisible());
    }
};

QTEST_MAIN(TransferDialogsTest)
#include "transfer_dialogs_test.moc"
