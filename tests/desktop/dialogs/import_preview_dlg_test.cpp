// File > Import Channels and Export Channels: the preview dialog, and the commands of the main
// window from the file chooser to the document.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/codec/channel_codec.h"
#include "core/formats/channel_list.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "tests/support/fake_services.h"

namespace {

const QString kFixtures = QStringLiteral(RADIO_TEST_DATA "/csv/");

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

radio::ChannelList Read(const QString& fixture) {
    return radio::ReadChannelList(FileBytes(kFixtures + fixture).toStdString());
}

QStringList ListTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

QStringList ColumnTexts(const QTableWidget* table, int col) {
    QStringList texts;
    for (int r = 0; r < table->rowCount(); ++r) texts << table->item(r, col)->text();
    return texts;
}

radio::ChannelGrid GridWithRows(std::initializer_list<std::pair<int, const char*>> rows) {
    radio::ChannelGrid grid;
    for (auto [row, frequency] : rows)
        (void)radio::CommitCellEdit(grid, row, radio::kColRxFreq, frequency,
                                    radio::Language::English);
    return grid;
}

// Runs `check` on the import preview once it is shown, then presses Import or Cancel.
void AnswerPreview(bool import, std::function<void(CImportPreviewDlg*)> check = {}) {
    QTimer::singleShot(0, [import, check] {
        auto* dlg = qobject_cast<CImportPreviewDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        if (check) check(dlg);
        if (import)
            dlg->ImportButton()->click();
        else
            dlg->reject();
    });
}

}  // namespace

class ImportPreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void previewShowsChangesAndFindings();
    void modesFollowTheChoice_data();
    void modesFollowTheChoice();
    void importThroughTheFileMenu_data();
    void importThroughTheFileMenu();
    void importShowsWhereItLanded();
    void refusedFilesChangeNothing_data();
    void refusedFilesChangeNothing();
    void exportWritesTheChosenLayout_data();
    void exportWritesTheChosenLayout();
};

void ImportPreviewTest::previewShowsChangesAndFindings() {
    ShellFixture fx(SampleIni("English"));
    CImportPreviewDlg dlg(fx.ctx);
    radio::ChannelGrid current = GridWithRows({{4, "147.33"}});
    dlg.SetImport(current, Read("thirty_channels.csv"), "thirty_channels.csv");

    // 28 of the 30 channels find a row (one is off the step, one past 199).
    QTableWidget* table = dlg.ChangeTable();
    QCOMPARE(table->columnCount(), 19);
    QCOMPARE(table->rowCount(), 28);
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("Now\nRx Frequency"));
    QCOMPARE(table->horizontalHeaderItem(18)->text(), QString("After\nCha Name"));
    QCOMPARE(ColumnTexts(table, 0).mid(0, 4), QStringList({"Pr", "1", "2", "3"}));

    // Row 3 had a channel: its old texts stand beside the new ones, changed cells marked.
    QCOMPARE(table->item(3, 1)->text(), QString("147.33000"));
    QCOMPARE(table->item(3, 10)->text(), QString("147.33000"));
    QCOMPARE(table->item(3, 11)->text(), QString("147.93000"));
    QCOMPARE(table->item(3, 18)->text(), QString("REPEAT"));
    QVERIFY(table->item(3, 11)->font().bold());
    QVERIFY(!table->item(3, 10)->font().bold());  // the frequency stays

    QStringList expected;
    for (const QByteArray& line : FileBytes(kFixtures + "thirty_channels.findings").split('\n')) {
        if (line.isEmpty()) continue;
        const int colon = line.indexOf(':');
        expected << QStringLiteral("line %1:%2")
                        .arg(QString::fromUtf8(line.left(colon)),
                             QString::fromUtf8(line.mid(colon + 1)));
    }
    QCOMPARE(ListTexts(dlg.FindingList()), expected);
    QVERIFY(dlg.Summary()->text().contains("28 channels read; 28 rows"));
    QVERIFY(dlg.ImportButton()->isEnabled());
}

void ImportPreviewTest::modesFollowTheChoice_data() {
    QTest::addColumn<bool>("merge");
    QTest::addColumn<int>("moveTo");  // -1: not moved
    QTest::addColumn<QStringList>("changedLabels");

    // The document holds Pr and 99; the file lists channels 1 and 2 (old_layout.csv).
    QTest::newRow("replace empties the rest") << false << -1 << QStringList({"Pr", "1", "2", "99"});
    QTest::newRow("merge keeps the rest") << true << -1 << QStringList({"1", "2"});
    QTest::newRow("merge moved to 50") << true << 50 << QStringList({"50", "51"});
    QTest::newRow("replace moved to Pr") << false << 0 << QStringList({"Pr", "1", "99"});
}

void ImportPreviewTest::modesFollowTheChoice() {
    QFETCH(bool, merge);
    QFETCH(int, moveTo);
    QFETCH(QStringList, changedLabels);
    ShellFixture fx(SampleIni("English"));
    CImportPreviewDlg dlg(fx.ctx);
    dlg.SetImport(GridWithRows({{1, "146.52"}, {100, "147"}}), Read("old_layout.csv"),
                  "old_layout.csv");

    // The controls, as a user sets them; the preview follows each one.
    if (merge) dlg.MergeButton()->click();
    if (moveTo >= 0) {
        QVERIFY(!dlg.StartChannel()->isEnabled());
        dlg.MoveBox()->click();
        QVERIFY(dlg.StartChannel()->isEnabled());
        dlg.StartChannel()->setValue(moveTo);
    }
    QCOMPARE(ColumnTexts(dlg.ChangeTable(), 0), changedLabels);
    QVERIFY(dlg.ImportButton()->isEnabled());
    QCOMPARE(dlg.Options().merge, merge);
    QCOMPARE(dlg.Options().startRow, moveTo + 1);

    // Importing the same file again changes nothing: there is nothing to import.
    dlg.SetImport(radio::ChannelGrid(dlg.Result().grid), Read("old_layout.csv"), "old_layout.csv");
    QCOMPARE(dlg.ChangeTable()->rowCount(), 0);
    QVERIFY(!dlg.ImportButton()->isEnabled());
    QVERIFY(dlg.Summary()->text().contains("changes nothing"));
}

void ImportPreviewTest::importThroughTheFileMenu_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("import");

    QTest::newRow("CSV, Import") << "thirty_channels.csv" << true;
    QTest::newRow("CSV, Cancel") << "thirty_channels.csv" << false;
    QTest::newRow("dump listing, Import") << "dump_zh.tsv" << true;
}

void ImportPreviewTest::importThroughTheFileMenu() {
    QFETCH(QString, fixture);
    QFETCH(bool, import);
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    const radio::ChannelGrid before = doc->grid();
    QSignalSpy changed(doc, &CProgramDoc::channelsChanged);

    fx.files.names = {kFixtures + fixture};
    AnswerPreview(import);
    frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();

    QVERIFY(fx.files.filters.value(0).contains("*.csv"));
    QVERIFY(fx.messages.shown.isEmpty());
    const radio::ChannelList list = Read(fixture);
    const radio::ImportResult expected = radio::ApplyImport(before, list, {});
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row) {
        const auto& want = import ? expected.grid : before;
        QCOMPARE(doc->grid().RowTexts(row), want.RowTexts(row));
    }
    QCOMPARE(doc->IsModified(), import);
    QCOMPARE(changed.size(), import ? 1 : 0);
    // The grid on screen shows the document's texts.
    if (import) QCOMPARE(frame->ActiveChild()->GetView()->Grid()->GetTextMatrix(1, 1), "146.52000");
}

void ImportPreviewTest::importShowsWhereItLanded() {
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CMSFlexGrid& grid = *frame->ActiveChild()->GetView()->Grid();
    // Channels at locations 1-14; location 3 has a tone the radio lacks.
    QByteArray csv = "Location,Name,Frequency,Tone,rToneFreq\n";
    for (int n = 1; n <= 14; ++n) {
        csv += QByteArray::number(n) + ",IMP" + QByteArray::number(n) + "," +
               QByteArray::number(146.0 + n * 0.025, 'f', 6) + (n == 3 ? ",Tone,69.4\n" : ",,\n");
    }
    QFile file(fx.Path("list.csv"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size());
    file.close();

    grid.SetCurrentCell(5, 3);
    fx.files.names = {fx.Path("list.csv")};
    AnswerPreview(true, [](CImportPreviewDlg* dlg) {
        dlg->MergeButton()->click();
        dlg->MoveBox()->click();
        dlg->StartChannel()->setValue(100);
        // A moved channel's finding names the grid's channel, the file's location after it.
        QCOMPARE(ListTexts(dlg->FindingList()),
                 QStringList({"line 4: channel 102 (file location 3): tone 69.4 is not a CTCSS "
                              "tone of the radio: stored None"}));
    });
    frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();

    QCOMPARE(frame->statusBar()->currentMessage(), QString("Imported 14 channels into 100-113"));
    const radio::CellRange landed = radio::CellRange::Spanning(101, 1, 101, 9);
    QVERIFY(grid.Selection() == landed && grid.GetRow() == 101);
    const int y = grid.rowViewportPosition(100);
    QVERIFY(y >= 0 && y < grid.viewport()->height());
    frame->Action(ID_EDIT_UNDO)->trigger();  // the channels go, the selection comes back
    QCOMPARE(grid.GetTextMatrix(101, radio::kColName), QString());
    QVERIFY(grid.Selection() == radio::CellRange::Cell(5, 3) && grid.GetRow() == 5);
    frame->Action(ID_EDIT_REDO)->trigger();
    QVERIFY(grid.Selection() == landed);
}

void ImportPreviewTest::refusedFilesChangeNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");  // null: no such file
    QTest::addColumn<QString>("reason");

    QTest::newRow("not a channel list")
        << "list.csv" << FileBytes(kFixtures + "not_a_csv.txt") << "not a channel list in CSV";
    QTest::newRow("empty") << "empty.csv" << QByteArray("") << "the file is empty";
    QTest::newRow("missing") << "gone.csv" << QByteArray() << "gone.csv";
    QTest::newRow("too large") << "big.csv" << QByteArray(int(radio::kMaxChannelListBytes) + 1, 'x')
                               << "larger than 4 MB";
}

void ImportPreviewTest::refusedFilesChangeNothing() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);
    ShellFixture fx(SampleIni("English"));
    const QString path = fx.Path(file);
    if (!contents.isNull()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    (void)radio::CommitCellEdit(doc->grid(), 1, radio::kColRxFreq, "146.52",
                                radio::Language::English);
    const radio::ChannelGrid before = doc->grid();

    fx.files.names = {path};
    frame->Action(ID_FILE_IMPORT_CHANNELS)->trigger();

    QCOMPARE(fx.messages.shown.size(), 1);
    QCOMPARE(fx.messages.shown[0].kind, MessageService::Kind::Warning);
    QVERIFY2(fx.messages.shown[0].text.contains(reason), qPrintable(fx.messages.shown[0].text));
    QVERIFY(fx.messages.shown[0].text.contains("No channel was imported."));
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row)
        QCOMPARE(doc->grid().RowTexts(row), before.RowTexts(row));
    QVERIFY(!doc->IsModified());
}

void ImportPreviewTest::exportWritesTheChosenLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");  // the file the export ends in
    QTest::addColumn<bool>("listing");

    QTest::newRow("CSV") << "channels.csv"
                         << "channels.csv" << false;
    QTest::newRow("no suffix gets .csv") << "channels"
                                         << "channels.csv" << false;
    QTest::newRow("dump listing") << "channels.tsv"
                                  << "channels.tsv" << true;
}

void ImportPreviewTest::exportWritesTheChosenLayout() {
    QFETCH(QString, name);
    QFETCH(QString, written);
    QFETCH(bool, listing);
    ShellFixture fx(SampleIni("English"));
    CProgramApp app(fx.ctx);
    QVERIFY(app.InitInstance({fx.ConfigPath(), {}, {}}));
    CMainFrame* frame = app.MainFrame();
    CProgramDoc* doc = frame->ActiveDocument();
    QVERIFY(doc->ReplaceChannels(
        radio::ApplyImport(doc->grid(), Read("thirty_channels.csv"), {}).grid));

    fx.files.names = {fx.Path(name)};
    frame->Action(ID_FILE_EXPORT_CHANNELS)->trigger();

    QCOMPARE(fx.files.proposals, QStringList({"TestRadio.csv"}));
    QVERIFY(fx.messages.shown.isEmpty());
    const std::string expected =
        listing ? radio::WriteChannelTsv(doc->grid()) : radio::WriteChannelCsv(doc->grid());
    QCOMPARE(FileBytes(fx.Path(written)).toStdString(), expected);
    // What was exported comes back as it was.
    const radio::ImportResult back =
        radio::ApplyImport(radio::ChannelGrid(), radio::ReadChannelList(expected), {});
    QVERIFY(back.findings.empty());
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row)
        QCOMPARE(back.grid.RowTexts(row), doc->grid().RowTexts(row));
}

QTEST_MAIN(ImportPreviewTest)
#include "import_preview_dlg_test.moc"
