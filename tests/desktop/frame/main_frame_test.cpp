// The main window as a user meets it: unique menu keys, the unsaved mark in the titles, Option
// Features' OK that changes nothing, and where an import lands.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <functional>

#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "tests/support/fake_services.h"

namespace {

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// demo.dat, with Squelch 12, Step 9 and Pri-Scanning Time 0xFF unless `listed`.
radio::RadioImage Demo(bool listed) {
    radio::RadioImage image;
    if (!radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image)) qWarning("demo.dat missing");
    if (!listed) {
        image[radio::offset::kSquelch] = 12;
        image[radio::offset::kStep] = 9;
        image[radio::offset::kPriScanTime] = 0xFF;
    }
    return image;
}

// The program with `image` opened from radio.dat, its window active.
struct FrameRig {
    ShellFixture fx{SampleIni("English")};
    CProgramApp app{fx.ctx};
    CMainFrame* frame = nullptr;
    CChildFrame* child = nullptr;
    CProgramDoc* doc = nullptr;

    explicit FrameRig(const radio::RadioImage& image) {
        QVERIFY(radio::SaveChannelFile(fx.Path("radio.dat").toStdString(), image).ok);
        QVERIFY(app.InitInstance({fx.ConfigPath(), {}, fx.Path("radio.dat")}));
        frame = app.MainFrame();
        child = frame->ActiveChild();
        doc = frame->ActiveDocument();
    }
    CMSFlexGrid& Grid() const { return *child->GetView()->Grid(); }
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

// The letter after a single "&", lower case; null for a text without one.
QChar Mnemonic(const QString& text) {
    const qsizetype at =
        QString(text).replace(QLatin1String("&&"), QLatin1String("__")).indexOf('&');
    return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void everyMenuHasUniqueKeys();
    void unsavedMarkAndOptionsOkWithoutChange();
    void importLandsWhereTheStatusBarSays();
};

void MainFrameTest::everyMenuHasUniqueKeys() {
    FrameRig rig(Demo(true));
    QList<QMenu*> menus;
    for (bool documentMenu : {false, true}) {
        emit rig.frame->WindowMenu(documentMenu)->aboutToShow();  // it fills itself as it opens
        menus += rig.frame->Menus(documentMenu);
        auto* bar = new QMenu(rig.frame);  // the menu bar's own letters
        for (QMenu* menu : rig.frame->Menus(documentMenu)) bar->addAction(menu->title());
        menus << bar;
    }
    std::unique_ptr<QMenu> context(rig.child->GetView()->CreateContextMenu());
    menus << context.get();
    int items = 0;
    for (QMenu* menu : menus) {
        QHash<QChar, QString> taken;
        for (QAction* action : menu->actions()) {
            const QChar key = Mnemonic(action->text());
            items += !action->isSeparator();
            if (key.isNull()) continue;  // the About item's configured text has none
            QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " / " + action->text()));
            taken.insert(key, action->text());
        }
    }
    QVERIFY(items > 60);

    // Alt+E, H: Channel Information, whose C Copy has.
    QSignalSpy chosen(rig.frame->Action(ID_EDIT_CHANNEL_INFO), &QAction::triggered);
    QMenu* edit = rig.frame->Menus(true).at(1);
    edit->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(edit));
    QTest::keyClick(edit, Qt::Key_H);
    QCOMPARE(chosen.size(), 1);
}

void MainFrameTest::unsavedMarkAndOptionsOkWithoutChange() {
    FrameRig rig(Demo(false));
    const QByteArray opened = FileBytes(rig.fx.Path("radio.dat"));
    rig.child->showMaximized();  // lends the main window its title, mark and all
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));

    // OK without a change: no step, no mark, the same bytes saved.
    Answer<COptionFeaturesDlg>([](COptionFeaturesDlg* dlg) {
        QCOMPARE(dlg->List(1116)->currentText(), QString("12 (not in the list)"));
        QCOMPARE(dlg->List(1117)->currentText(), QString("10k"));
        dlg->accept();
    });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));
    QVERIFY(rig.doc->DoFileSave(rig.frame));
    QCOMPARE(FileBytes(rig.fx.Path("radio.dat")), opened);

    // A change shows the mark in both titles until undone or saved.
    Answer<COptionFeaturesDlg>([](COptionFeaturesDlg* dlg) {
        dlg->List(1119)->setCurrentIndex(0);
        dlg->accept();
    });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);
    QVERIFY(rig.child->isWindowModified());
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat*]"));
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(ShownTitle(rig.frame), QString("Radio Title - [radio.dat]"));
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(rig.doc->DoFileSave(rig.frame));
    QVERIFY(!rig.child->isWindowModified() && !rig.frame->isWindowModified());
}

void MainFrameTest::importLandsWhereTheStatusBarSays() {
    FrameRig rig(Demo(true));
    // Channels at locations 1-14; location 3 has a tone the radio lacks.
    QByteArray csv = "Location,Name,Frequency,Tone,rToneFreq\n";
    for (int n = 1; n <= 14; ++n) {
        csv += QByteArray::number(n) + ",IMP" + QByteArray::number(n) + "," +
               QByteArray::number(146.0 + n * 0.025, 'f', 6) + (n == 3 ? ",Tone,69.4\n" : ",,\n");
    }
    QFile file(rig.fx.Path("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size());
    file.close();

    rig.Grid().SetCurrentCell(5, 3);
    const radio::CellRange before = rig.Grid().Selection();
    rig.fx.files.names = {rig.fx.Path("list.csv")};
    Answer<CImportPreviewDlg>([](CImportPreviewDlg* dlg) {
        dlg->MergeButton()->click();
        dlg->MoveBox()->click();
        dlg->StartChannel()->setValue(100);
        QVERIFY(dlg->FindingList()->count() == 1 &&
                dlg->FindingList()->item(0)->text().startsWith(
                    "line 4: channel 102 (file location 3): tone 69.4"));
        dlg->ImportButton()->click();
    });
    rig.Trigger(ID_FILE_IMPORT_CHANNELS);

    QCOMPARE(rig.frame->statusBar()->currentMessage(),
             QString("Imported 14 channels into 100-113"));
    const radio::CellRange landed = radio::CellRange::Spanning(101, 1, 101, 9);
    QVERIFY(rig.Grid().Selection() == landed && rig.Grid().GetRow() == 101);
    const int y = rig.Grid().rowViewportPosition(100);
    QVERIFY(y >= 0 && y < rig.Grid().viewport()->height());
    rig.Trigger(ID_EDIT_UNDO);  // the channels go, the selection comes back
    QCOMPARE(rig.Grid().GetTextMatrix(101, radio::kColName), QString());
    QVERIFY(rig.Grid().Selection() == before && rig.Grid().GetRow() == 5);
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(rig.Grid().Selection() == landed);
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
