// The main window and its channel windows as a user meets them: the menus' keys, the unsaved
// mark in the titles, the band in the status bar, Option Features' OK that changes nothing,
// where an import lands, and the Product Information button of the check before writing.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/dialogs/product_info_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "desktop/transfer/write_check_dlg.h"
#include "tests/support/fake_services.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// demo.dat with three option bytes none of the lists holds.
radio::RadioImage OddOptions() {
    radio::RadioImage image;
    if (!radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image)) qWarning("demo.dat missing");
    image[radio::offset::kSquelch] = 12;
    image[radio::offset::kStep] = 9;
    image[radio::offset::kPriScanTime] = 0xFF;
    return image;
}

// The program with `image` opened from a file, its window active.
struct FrameRig {
    ShellFixture fx;
    CProgramApp app{fx.ctx};
    CMainFrame* frame = nullptr;
    CChildFrame* child = nullptr;
    CProgramDoc* doc = nullptr;

    explicit FrameRig(const radio::RadioImage& image, const char* language = "English")
        : fx(SampleIni(language)) {
        QVERIFY(radio::SaveChannelFile(fx.Path("radio.dat").toStdString(), image).ok);
        QVERIFY(app.InitInstance({fx.ConfigPath(), {}, fx.Path("radio.dat")}));
        frame = app.MainFrame();
        child = frame->ActiveChild();
        doc = frame->ActiveDocument();
        QApplication::setActiveWindow(frame);
    }
    CProgramView* View() const { return child->GetView(); }
    CMSFlexGrid& Grid() const { return *View()->Grid(); }
    void Trigger(int id) { frame->Action(id)->trigger(); }
};

// Runs `answer` on the modal dialog that opens next.
template <typename Dialog>
void Answer(std::function<void(Dialog*)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        answer(dlg);
    });
}

// The title as the window system shows it: "[*]" becomes "*" while the window is modified.
QString ShownTitle(QWidget* window) {
    return QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
}

// The letter after a single "&", lower case; none for a text without one.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void everyMenuHasUniqueKeys();
    void unsavedMarkFollowsTheUndoStack();
    void optionsOkWithoutChangeKeepsTheFile();
    void importLandsWhereTheStatusBarSays();
    void bandShowsInTheChannelWindow();
    void checkBeforeWritingOpensProductInformation();
    void helpAndVersionNeedNoDisplay_data();
    void helpAndVersionNeedNoDisplay();
};

void MainFrameTest::everyMenuHasUniqueKeys() {
    FrameRig rig(OddOptions());
    QList<QMenu*> menus;
    for (bool documentMenu : {false, true}) {
        // The Window menu fills itself as it opens.
        emit rig.frame->WindowMenu(documentMenu)->aboutToShow();
        menus += rig.frame->Menus(documentMenu);
    }
    std::unique_ptr<QMenu> context(rig.View()->CreateContextMenu());
    menus << context.get();

    int walked = 0;
    for (bool documentMenu : {false, true}) {
        QSet<QChar> titles;
        for (QMenu* menu : rig.frame->Menus(documentMenu)) {
            const QChar key = Mnemonic(menu->title());
            QVERIFY2(!key.isNull() && !titles.contains(key), qPrintable(menu->title()));
            titles.insert(key);
        }
    }
    for (QMenu* menu : menus) {
        QHash<QChar, QString> taken;
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || action->text().isEmpty()) continue;
            ++walked;
            const QChar key = Mnemonic(action->text());
            if (key.isNull()) continue;  // the About item's configured text has none
            QVERIFY2(!taken.contains(key),
                     qPrintable(QStringLiteral("%1: %2 and %3")
                                    .arg(menu->title(), taken.value(key), action->text())));
            taken.insert(key, action->text());
        }
    }
    QVERIFY(walked > 50);

    // Alt+E, H opens what was Edit's second "C": Channel Information.
    QSignalSpy chosen(rig.frame->Action(ID_EDIT_CHANNEL_INFO), &QAction::triggered);
    QMenu* edit = rig.frame->Menus(true).at(1);
    edit->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(edit));
    QTest::keyClick(edit, Qt::Key_H);
    QCOMPARE(chosen.size(), 1);
}

void MainFrameTest::unsavedMarkFollowsTheUndoStack() {
    FrameRig rig(OddOptions());
    rig.child->showMaximized();
    QVERIFY(rig.child->windowTitle().endsWith("radio.dat[*]"));
    // A maximised channel window lends the main window its title, mark and all.
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));

    rig.doc->ApplyChange(
        [&] {
            (void)radio::CommitCellEdit(rig.doc->grid(), 2, radio::kColName, "MARK",
                                        radio::Language::English);
        },
        [](int) { return QStringLiteral("edit"); });
    QVERIFY(rig.child->isWindowModified());
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat*]"));

    rig.Trigger(ID_EDIT_UNDO);
    QVERIFY(!rig.child->isWindowModified());
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(rig.child->isWindowModified());
    QVERIFY(rig.frame->isWindowModified());

    rig.Trigger(ID_FILE_SAVE);
    QVERIFY(!rig.child->isWindowModified());
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));
}

void MainFrameTest::optionsOkWithoutChangeKeepsTheFile() {
    FrameRig rig(OddOptions());
    const QByteArray opened = FileBytes(rig.fx.Path("radio.dat"));
    Answer<COptionFeaturesDlg>([](COptionFeaturesDlg* dlg) {
        QCOMPARE(dlg->List(1116)->currentText(), QString("12 (not in the list)"));
        QCOMPARE(dlg->List(1117)->currentText(), QString("10k"));
        QCOMPARE(dlg->List(1125)->currentText(), QString("3s"));
        dlg->accept();
    });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);

    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    QVERIFY(!rig.doc->IsModified());
    QVERIFY(!rig.child->isWindowModified());
    QVERIFY(!rig.frame->Action(ID_EDIT_UNDO)->isEnabled());
    QVERIFY(rig.doc->DoFileSave(rig.frame));
    QCOMPARE(FileBytes(rig.fx.Path("radio.dat")), opened);
}

void MainFrameTest::importLandsWhereTheStatusBarSays() {
    FrameRig rig(OddOptions());
    // Fourteen channels at locations 1-14; location 3 has a tone the radio lacks.
    QByteArray csv =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
        "DtcsPolarity,Mode,TStep,Skip,Comment\n";
    for (int location = 1; location <= 14; ++location) {
        csv += QByteArray::number(location) + ",IMP" + QByteArray::number(location) + "," +
               QByteArray::number(146.0 + location * 0.025, 'f', 6) + ",,0.000000," +
               (location == 3 ? "Tone,69.4" : ",88.5") + ",88.5,023,NN,FM,5.00,,\n";
    }
    QFile file(rig.fx.Path("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(csv);
    file.close();

    rig.Grid().SetCurrentCell(5, 3);
    const radio::CellRange before = rig.Grid().Selection();
    rig.fx.files.names = {rig.fx.Path("list.csv")};
    Answer<CImportPreviewDlg>([](CImportPreviewDlg* dlg) {
        dlg->MergeButton()->click();
        dlg->MoveBox()->click();
        dlg->StartChannel()->setValue(100);
        QStringList findings;
        for (int i = 0; i < dlg->FindingList()->count(); ++i)
            findings << dlg->FindingList()->item(i)->text();
        QVERIFY2(findings.filter("channel 102 (file location 3): ").size() == 1,
                 qPrintable(findings.join('\n')));
        dlg->ImportButton()->click();
    });
    rig.Trigger(ID_FILE_IMPORT_CHANNELS);

    QCOMPARE(rig.frame->statusBar()->currentMessage(),
             QString("Imported 14 channels into 100-113"));
    QCOMPARE(rig.Grid().GetTextMatrix(101, radio::kColName), QString("IMP1"));
    const radio::CellRange landed = radio::CellRange::Spanning(101, 1, 101, 9);
    QCOMPARE(rig.Grid().GetRow(), 101);
    QCOMPARE(rig.Grid().GetCol(), 1);
    QVERIFY(rig.Grid().Selection() == landed);
    const int y = rig.Grid().rowViewportPosition(100);
    QVERIFY2(y >= 0 && y < rig.Grid().viewport()->height(), qPrintable(QString::number(y)));

    // Undo gives back the channels and the place the user was at; redo the import's.
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(rig.Grid().GetTextMatrix(101, radio::kColName), QString());
    QVERIFY(rig.Grid().Selection() == before);
    QCOMPARE(rig.Grid().GetRow(), 5);
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(rig.Grid().Selection() == landed);
}

void MainFrameTest::bandShowsInTheChannelWindow() {
    FrameRig rig(OddOptions());
    QLabel* band = rig.child->BandLabel();
    QCOMPARE(band->text(), QString("Band 136-174 MHz"));
    QVERIFY(!band->accessibleName().isEmpty());

    Answer<CProductInfoDlg>([](CProductInfoDlg* dlg) {
        dlg->BandCombo()->setCurrentIndex(1);
        dlg->accept();
    });
    rig.Trigger(ID_PRODUCT_INFO);
    QCOMPARE(band->text(), QString("Band 400-470 MHz"));
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(band->text(), QString("Band 136-174 MHz"));
}

void MainFrameTest::checkBeforeWritingOpensProductInformation() {
    // A UHF channel in an image whose band is 136-174 MHz; Product Information is not in the
    // navigation tree (the sample configuration does not ask for it).
    radio::RadioImage image = OddOptions();
    image[radio::offset::kSquelch] = 3;
    image[radio::offset::kStep] = 3;
    image[radio::offset::kPriScanTime] = 1;
    radio::EncodeChannelRow(
        {"440.00000", "440.00000", "None", "None", "High", "Lock", "Yes", "Wide", "UHF"}, image,
        120);
    FrameRig rig(image);
    rig.View()->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(radio::RadioImage::Blank()));
    rig.View()->SetPortName("virtual:");

    rig.Trigger(ID_PROGRAM_WRITE);
    qobject_cast<QPushButton*>(rig.View()->ProgressDlg()->GetDlgItem(CProgressDlg::kIdOk))->click();
    QTRY_VERIFY(rig.View()->WriteCheckDlg() && rig.View()->WriteCheckDlg()->isVisible());
    CWriteCheckDlg* check = rig.View()->WriteCheckDlg();
    QCOMPARE(check->List()->topLevelItemCount(), 2);  // its Rx and Tx frequency

    // The band the findings point to is chosen from the check itself; they follow at once.
    Answer<CProductInfoDlg>([](CProductInfoDlg* dlg) {
        dlg->BandCombo()->setCurrentIndex(1);  // 400-470 MHz
        dlg->accept();
    });
    check->ProductInfoButton()->click();
    QCOMPARE(rig.child->BandLabel()->text(), QString("Band 400-470 MHz"));
    // Now the VHF channels lie outside the band, channel 120 no longer.
    QVERIFY(check->isVisible());
    QVERIFY(check->List()->topLevelItemCount() > 2);
    for (int i = 0; i < check->List()->topLevelItemCount(); ++i)
        QVERIFY(!check->List()->topLevelItem(i)->text(1).startsWith("channel 120"));
    check->CancelButton()->click();
}

void MainFrameTest::helpAndVersionNeedNoDisplay_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("says");
    QTest::newRow("--help") << "--help"
                            << "--config <PATH>";
    QTest::newRow("-h") << "-h"
                        << "Usage:";
    QTest::newRow("--version") << "--version"
                               << "Program 1.0.0";
}

void MainFrameTest::helpAndVersionNeedNoDisplay() {
    QFETCH(QString, argument);
    QFETCH(QString, says);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    program.setProcessEnvironment(env);
    program.start(QCoreApplication::applicationDirPath() + "/Program", {argument});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(out.contains(says), qPrintable(out));
    QCOMPARE(program.readAllStandardError(), QByteArray());
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
