// File > Import Channels beyond the common layout: the mapping step for tables of other
// columns (remembered per header) and the stock lists.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "desktop/app/program_app.h"
#include "desktop/dialogs/column_map_panel.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "tests/support/fake_services.h"

namespace {

const QString kFixtures = QStringLiteral(RADIO_TEST_DATA "/csv/");

// Runs `check` on the import preview once it is shown, then presses Import.
void AnswerPreview(std::function<void(CImportPreviewDlg*)> check) {
    QTimer::singleShot(0, [check] {
        auto* dlg = qobject_cast<CImportPreviewDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        check(dlg);
        dlg->ImportButton()->click();
    });
}

QString Row(const radio::ChannelGrid& grid, int row) {
    QStringList cells;
    for (int col = 1; col <= radio::kChannelColumns; ++col)
        cells << QString::fromStdString(grid.Text(row, col));
    return cells.join(QLatin1Char('|'));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

}  // namespace

class ColumnMapStepTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void mappingStepIsGuessedThenRemembered();
    void stockListsFromTheSubmenu();
};

void ColumnMapStepTest::mappingStepIsGuessedThenRemembered() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();

    // The first file: the guess, and one field the user changes (no tone column).
    fx.files.names = {kFixtures + "kanal_semikolon.csv"};
    AnswerPreview([](CImportPreviewDlg* dlg) {
        CColumnMapPanel* panel = dlg->MapPanel();
        QVERIFY(panel->isVisible());
        QVERIFY(panel->Note()->text().contains("guessed"));
        QCOMPARE(panel->FieldBox(radio::MapField::Rx)->currentText(), QString("2: Frequenz"));
        QCOMPARE(panel->FieldBox(radio::MapField::Offset)->currentText(), QString("3: Ablage"));
        QCOMPARE(panel->FieldBox(radio::MapField::Rx)->accessibleName(), QString("Rx frequency"));
        QCOMPARE(dlg->ChangeTable()->rowCount(), 3);
        QCOMPARE(dlg->ChangeTable()->item(0, 13)->text(), QString("71.9"));  // After: Tx Tone
        panel->FieldBox(radio::MapField::TxTone)->setCurrentIndex(0);        // (none)
        QCOMPARE(dlg->ChangeTable()->item(0, 13)->text(), QString("None"));
        // Without an Rx column nothing can be read, and nothing imported.
        QComboBox* rx = panel->FieldBox(radio::MapField::Rx);
        rx->setCurrentIndex(0);
        QVERIFY(!dlg->ImportButton()->isEnabled());
        QVERIFY(dlg->Summary()->text().contains("Rx frequency"));
        rx->setCurrentIndex(2);
        QVERIFY(dlg->ImportButton()->isEnabled());
    });
    frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();
    QVERIFY(fx.messages.shown.isEmpty());
    QCOMPARE(Row(doc->grid(), 2),
             QString("439.05000|431.45000|None|None|High|Lock|Yes|Wide|DB0ABC"));
    QCOMPARE(Row(doc->grid(), 6),
             QString("145.50000|145.50000|None|None|High|Lock|Yes|Wide|ANRUF"));

    // A second file with the same header gets the map of the first, change and all.
    WriteFile(fx.Path("second.csv"),
              "Kanal;Frequenz;Ablage;Subton;Name\r\n7;433,500;;77,0;SIMPLX\r\n");
    fx.files.names = {fx.Path("second.csv")};
    AnswerPreview([](CImportPreviewDlg* dlg) {
        CColumnMapPanel* panel = dlg->MapPanel();
        QVERIFY(panel->Note()->text().contains("last file with this header"));
        QCOMPARE(panel->FieldBox(radio::MapField::TxTone)->currentText(), QString("(none)"));
        QCOMPARE(panel->FieldBox(radio::MapField::Location)->currentText(), QString("1: Kanal"));
        dlg->MergeButton()->click();
    });
    frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();
    QCOMPARE(Row(doc->grid(), 8),
             QString("433.50000|433.50000|None|None|High|Lock|Yes|Wide|SIMPLX"));
    QCOMPARE(Row(doc->grid(), 2).section('|', 8), QString("DB0ABC"));  // merged: kept
}

void ColumnMapStepTest::stockListsFromTheSubmenu() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();

    auto* import = frame->findChild<QMenu*>("importChannelsMenu");
    QVERIFY(import);
    QCOMPARE(import->actions().value(0), frame->Action(ID_FILE_IMPORT_CHANNELS));
    QCOMPARE(frame->Action(ID_FILE_IMPORT_CHANNELS)->text(), QString("From a &File..."));
    auto* stock = frame->findChild<QMenu*>("stockListMenu");
    QVERIFY(stock);
    emit stock->aboutToShow();
    QStringList names;
    for (QAction* a : stock->actions()) names << a->objectName();
    QCOMPARE(names, QStringList({"stock_calling", "stock_frs-gmrs", "stock_marine-vhf",
                                 "stock_murs", "stock_noaa-weather", "stock_pmr446"}));
    QVERIFY(stock->actions().last()->text().startsWith("pmr446 - PMR446 channels 1-16"));
    QVERIFY(stock->actions().last()->statusTip().contains("ECC Decision (15)05"));

    AnswerPreview([](CImportPreviewDlg* dlg) {
        QVERIFY(!dlg->MapPanel()->isVisible());
        QCOMPARE(dlg->ChangeTable()->rowCount(), 16);
        QCOMPARE(dlg->FindingList()->count(), 0);
    });
    stock->actions().last()->trigger();
    QCOMPARE(Row(doc->grid(), 2),
             QString("446.00625|446.00625|None|None|Low|Lock|Yes|Narrow|PMR1"));
    QCOMPARE(Row(doc->grid(), 17),
             QString("446.19375|446.19375|None|None|Low|Lock|Yes|Narrow|PMR16"));
    // One step to undo, as every import.
    frame->Action(ID_EDIT_UNDO)->trigger();
    QCOMPARE(Row(doc->grid(), 2).section('|', 0, 0), QString());
    QVERIFY(!doc->IsModified());
}

QTEST_MAIN(ColumnMapStepTest)
#include "column_map_step_test.moc"
