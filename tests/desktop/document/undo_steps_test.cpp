// Every change of a document is one step of its undo stack: done through the program's own
// commands, then undone and redone, the image and the grid come back byte for byte and text
// for text. The modified flag follows the stack's clean state.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/dialogs/product_info_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/command_ids.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "tests/support/fake_services.h"

Q_DECLARE_METATYPE(radio::LinkOutcome)

namespace {

QByteArray Bytes(const radio::RadioImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.data()), int(image.size()));
}

// demo.dat with bytes no text shows set in its first records (byte 13 of each record), so a
// channel that loses its own bytes on the way is seen in the saved image.
radio::RadioImage OddDemo() {
    radio::RadioImage image;
    if (!radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", image)) qWarning("demo.dat missing");
    for (int record = 0; record < 12; ++record)
        image.Record(record)[13] = static_cast<std::uint8_t>(0x40 + record);
    return image;
}

// Everything undo must give back: what a save writes, the document's own image, every row's
// texts and the bytes they were decoded from, and the new-image flag.
struct DocState {
    QByteArray saved;
    QByteArray image;
    std::vector<radio::GridRow> rows;
    bool newImage = false;
};

DocState StateOf(const CProgramDoc& doc) {
    DocState state;
    radio::RadioImage saved = doc.image();
    (void)radio::EncodeGridToImage(doc.grid(), saved);
    state.saved = Bytes(saved);
    state.image = Bytes(doc.image());
    for (int row = 1; row <= radio::kChannelCount; ++row)
        state.rows.push_back(doc.grid().RowState(row));
    state.newImage = doc.IsNewImage();
    return state;
}

void ExpectState(const DocState& actual, const DocState& expected) {
    QCOMPARE(actual.saved, expected.saved);
    QCOMPARE(actual.image, expected.image);
    for (int i = 0; i < radio::kChannelCount; ++i) {
        const auto& a = actual.rows[std::size_t(i)];
        const auto& e = expected.rows[std::size_t(i)];
        QVERIFY2(a.texts == e.texts, qPrintable(QString("texts of row %1").arg(i + 1)));
        QVERIFY2(a.origin == e.origin, qPrintable(QString("origin of row %1").arg(i + 1)));
    }
    QCOMPARE(actual.newImage, expected.newImage);
}

// The program with odd demo.dat open, its window active.
struct EditRig {
    ShellFixture fx{SampleIni("English")};
    CProgramApp app{fx.ctx};
    CMainFrame* frame = nullptr;
    CProgramDoc* doc = nullptr;
    CProgramView* view = nullptr;

    explicit EditRig(const radio::RadioImage& image = OddDemo()) {
        QVERIFY(radio::SaveChannelFile(fx.Path("odd.dat").toStdString(), image).ok);
        QVERIFY(app.InitInstance({fx.ConfigPath(), {}, fx.Path("odd.dat")}));
        frame = app.MainFrame();
        doc = frame->ActiveDocument();
        view = frame->ActiveChild()->GetView();
        QApplication::setActiveWindow(frame);
    }
    CMSFlexGrid& Grid() const { return *view->Grid(); }
    void Select(int row1, int col1, int row2, int col2) {
        Grid().SetCurrentCell(row1, col1);
        Grid().SelectCells(row1, col1, row2, col2);
    }
    void Trigger(int id) { frame->Action(id)->trigger(); }
};

// Closes the dialog that opens next, after `edit` has changed it.
template <typename Dialog>
void AnswerDialog(std::function<void(Dialog*)> edit) {
    QTimer::singleShot(0, [edit] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        edit(dlg);
        dlg->accept();
    });
}

enum Command {
    Commit,
    OptionFeatures,
    ProductInfo,
    Read,
    Paste,
    Cut,
    Clear,
    Insert,
    Delete,
    MoveUp,
    MoveDown,
    FillDown,
    Sort,
    Import,
};

}  // namespace

class UndoStepsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QApplication::setQuitOnLastWindowClosed(false);
        qRegisterMetaType<radio::LinkOutcome>();
    }
    void everyCommandUndoesAndRedoesExactly_data();
    void everyCommandUndoesAndRedoesExactly();
    void failedReadAndUnchangedCommandsPushNothing();
    void modifiedFollowsTheSavedState();
    void savesBetweenStepsGiveBackTheSameBytes();
    void newAndOpenStartAFreshStack();
    void unsavedMarkAndOptionsOkWithoutChange();
};

void UndoStepsTest::everyCommandUndoesAndRedoesExactly_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("name");  // the Undo button's tooltip afterwards
    QTest::newRow("cell commit") << int(Commit) << "Undo edit of channel 1, Tx Frequency";
    QTest::newRow("Option Features OK")
        << int(OptionFeatures) << "Undo change of Optional Features";
    QTest::newRow("Product Information OK")
        << int(ProductInfo) << "Undo change of Product Information";
    QTest::newRow("read from the radio") << int(Read) << "Undo read from the radio";
    QTest::newRow("paste") << int(Paste) << "Undo paste of 3 channels";
    QTest::newRow("cut") << int(Cut) << "Undo cut of 3 channels";
    QTest::newRow("clear") << int(Clear) << "Undo clear of 2 channels";
    QTest::newRow("insert") << int(Insert) << "Undo insert at channel 2";
    QTest::newRow("delete") << int(Delete) << "Undo delete of 3 rows at channel 2";
    QTest::newRow("move up") << int(MoveUp) << "Undo move of channel 4 up";
    QTest::newRow("move down") << int(MoveDown) << "Undo move of 2 rows down";
    QTest::newRow("fill down") << int(FillDown) << "Undo fill down of 3 channels";
    QTest::newRow("sort") << int(Sort) << "Undo sort of ";  // a name's start
    QTest::newRow("import") << int(Import) << "Undo import of 2 channels";
}

void UndoStepsTest::everyCommandUndoesAndRedoesExactly() {
    QFETCH(int, command);
    QFETCH(QString, name);
    EditRig rig;
    QUndoStack* stack = rig.doc->UndoStack();
    const DocState before = StateOf(*rig.doc);
    QVERIFY(!rig.doc->IsModified());

    switch (Command(command)) {
        case Commit: {
            rig.Select(2, 2, 2, 2);
            auto* edit = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
            QVERIFY(edit && edit->isVisible());
            QTest::keyClicks(edit, "147.125");
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(rig.fx.messages.shown.isEmpty());
            break;
        }
        case OptionFeatures:
            AnswerDialog<COptionFeaturesDlg>([](COptionFeaturesDlg* dlg) {
                QComboBox* squelch = dlg->List(1116);
                squelch->setCurrentIndex((squelch->currentIndex() + 3) % squelch->count());
            });
            rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);
            break;
        case ProductInfo:
            AnswerDialog<CProductInfoDlg>([](CProductInfoDlg* dlg) {
                dlg->TypeCombo()->setCurrentIndex(1 - dlg->TypeCombo()->currentIndex());
            });
            rig.Trigger(ID_PRODUCT_INFO);
            break;
        case Read: {
            radio::RadioImage radioMemory = OddDemo();
            radioMemory.Record(40)[0] = 0x50;  // 439.10050: a channel the document lacks
            radioMemory[0x1FC1] ^= 0x01;       // an option byte
            rig.view->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(radioMemory));
            rig.view->SetPortName("virtual:");
            QSignalSpy finished(rig.view, &CProgramView::TransferFinished);
            rig.Trigger(ID_PROGRAM_READ);
            CProgressDlg* dlg = rig.view->ProgressDlg();
            QTest::mouseClick(qobject_cast<QPushButton*>(dlg->GetDlgItem(CProgressDlg::kIdOk)),
                              Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
            QCOMPARE(finished[0][0].value<radio::LinkOutcome>(), radio::LinkOutcome::Done);
            break;
        }
        case Paste:
            // Over Pr, 1 and 2: a new Tx, a tone of the other language, an empty row's Rx.
            QGuiApplication::clipboard()->setText("146.52000\t145.000\r\n147.5\t\t无\r\n\t\t\r\n");
            rig.Select(1, 1, 1, 1);
            rig.Trigger(ID_EDIT_PASTE);
            break;
        case Cut:
            rig.Select(2, 1, 4, 9);
            rig.Trigger(ID_EDIT_CUT);
            QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), 3);
            break;
        case Clear:
            rig.Select(8, 3, 9, 5);
            rig.Trigger(ID_EDIT_CLEAR);
            break;
        case Insert:
            rig.Select(3, 4, 3, 4);
            rig.Trigger(ID_EDIT_INSERT_CHANNEL);
            break;
        case Delete:
            rig.Select(3, 2, 5, 2);
            rig.Trigger(ID_EDIT_DELETE_CHANNEL);
            break;
        case MoveUp:
            rig.Select(5, 9, 5, 9);
            rig.Trigger(ID_EDIT_MOVE_UP);
            break;
        case MoveDown:
            rig.Select(6, 1, 7, 3);  // channel 5 and the empty 6 move below channel 7
            rig.Trigger(ID_EDIT_MOVE_DOWN);
            break;
        case FillDown:
            rig.Select(2, 5, 6, 8);
            rig.Trigger(ID_EDIT_FILL_DOWN);
            break;
        case Sort:
            rig.Select(10, 1, 10, 1);
            rig.Trigger(ID_EDIT_SORT);
            break;
        case Import: {
            radio::ChannelGrid channels = rig.doc->grid();
            channels.SetText(1, radio::kColName, "NEW");
            channels.SetRowTexts(7, radio::NewChannelTexts("145.00000", radio::Language::English));
            QVERIFY(rig.doc->ReplaceChannels(channels));
            break;
        }
    }

    const DocState after = StateOf(*rig.doc);
    QVERIFY2(after.saved != before.saved || after.rows != before.rows,
             "the command changed nothing");
    QCOMPARE(stack->count(), 1);
    QVERIFY(rig.doc->IsModified());
    QVERIFY2(rig.frame->Action(ID_EDIT_UNDO)->toolTip().startsWith(name),
             qPrintable(rig.frame->Action(ID_EDIT_UNDO)->toolTip()));

    rig.Trigger(ID_EDIT_UNDO);
    ExpectState(StateOf(*rig.doc), before);
    QVERIFY(!rig.doc->IsModified());  // back at the opened file
    QVERIFY(rig.frame->Action(ID_EDIT_REDO)->toolTip().startsWith("Redo" + name.mid(4)));
    // The grid on screen shows the document again.
    for (int row : {1, 2, 5, 41}) {
        QCOMPARE(rig.Grid().GetTextMatrix(row, 1),
                 QString::fromStdString(rig.doc->grid().Text(row, 1)));
    }

    rig.Trigger(ID_EDIT_REDO);
    ExpectState(StateOf(*rig.doc), after);
    QVERIFY(rig.doc->IsModified());
    rig.Trigger(ID_EDIT_UNDO);
    ExpectState(StateOf(*rig.doc), before);
}

void UndoStepsTest::failedReadAndUnchangedCommandsPushNothing() {
    EditRig rig;
    QUndoStack* stack = rig.doc->UndoStack();
    const DocState before = StateOf(*rig.doc);

    // A read that fails leaves the document and the stack as they were.
    rig.view->SetPortName("/nonexistent/port");
    QSignalSpy finished(rig.view, &CProgramView::TransferFinished);
    rig.Trigger(ID_PROGRAM_READ);
    QTest::mouseClick(
        qobject_cast<QPushButton*>(rig.view->ProgressDlg()->GetDlgItem(CProgressDlg::kIdOk)),
        Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    QVERIFY(finished[0][0].value<radio::LinkOutcome>() != radio::LinkOutcome::Done);

    // A refused entry changes nothing: the Caution, and its editor open for another try.
    const qsizetype messages = rig.fx.messages.shown.size();
    rig.Select(3, 1, 3, 1);
    auto* edit = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
    QVERIFY(edit && edit->isVisible());
    QTest::keyClicks(edit, "146.5201");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(rig.fx.messages.shown.size(), messages + 1);
    QTest::keyClick(edit, Qt::Key_Escape);

    // Commands that change nothing: clearing empty cells, moving Pr up, sorting sorted rows,
    // pasting what the cells hold, a dialog's Cancel.
    rig.Select(7, 1, 7, 9);  // channel 6 is empty
    rig.Trigger(ID_EDIT_CLEAR);
    rig.Select(1, 1, 1, 1);
    rig.Trigger(ID_EDIT_MOVE_UP);
    rig.Select(42, 1, 44, 9);  // channels 41-43, ascending already
    rig.Trigger(ID_EDIT_SORT);
    rig.Select(2, 1, 2, 2);
    rig.Trigger(ID_EDIT_COPY);
    rig.Trigger(ID_EDIT_PASTE);
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);

    QCOMPARE(stack->count(), 0);
    QVERIFY(!rig.doc->IsModified());
    QVERIFY(!rig.frame->Action(ID_EDIT_UNDO)->isEnabled());
    ExpectState(StateOf(*rig.doc), before);
}

void UndoStepsTest::modifiedFollowsTheSavedState() {
    EditRig rig;
    QUndoStack* stack = rig.doc->UndoStack();
    rig.Select(2, 9, 2, 9);
    rig.Trigger(ID_EDIT_CLEAR);  // step 1: channel 1 loses its name
    rig.Select(3, 1, 3, 1);
    rig.Trigger(ID_EDIT_DELETE_CHANNEL);  // step 2
    QVERIFY(rig.doc->IsModified());

    // Saved after step 2: clean there.
    rig.Trigger(ID_FILE_SAVE);
    QVERIFY(!rig.doc->IsModified());
    QFile file(rig.fx.Path("odd.dat"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QCOMPARE(saved, StateOf(*rig.doc).saved);

    // Undo leaves the saved state, redo comes back to it: the same bytes as the file.
    rig.Trigger(ID_EDIT_UNDO);
    QVERIFY(rig.doc->IsModified());
    QVERIFY(StateOf(*rig.doc).saved != saved);
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(!rig.doc->IsModified());
    QCOMPARE(StateOf(*rig.doc).saved, saved);
    // Nothing differs from the file: closing asks nothing.
    QVERIFY(rig.doc->SaveModified(nullptr));
    QVERIFY(rig.fx.messages.shown.isEmpty());

    // Back past the save to the opened file: different from the file on disk, so modified,
    // and the question comes.
    rig.Trigger(ID_EDIT_UNDO);
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(stack->index(), 0);
    QVERIFY(rig.doc->IsModified());
    rig.fx.messages.answers = {MessageService::Answer::Cancel};
    QVERIFY(!rig.doc->SaveModified(nullptr));
    QCOMPARE(rig.fx.messages.shown.size(), 1);

    // A new step after undoing past the save can never reach the saved state again.
    rig.Select(5, 9, 5, 9);
    rig.Trigger(ID_EDIT_CLEAR);
    QCOMPARE(stack->count(), 1);
    QVERIFY(rig.doc->IsModified());
}

void UndoStepsTest::savesBetweenStepsGiveBackTheSameBytes() {
    EditRig rig;
    const auto save = [&rig] {
        rig.Trigger(ID_FILE_SAVE);
        QFile file(rig.fx.Path("odd.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray opened = save();
    rig.Select(3, 1, 3, 1);
    rig.Trigger(ID_EDIT_INSERT_CHANNEL);
    const QByteArray inserted = save();
    // A channel typed into the opened row, saved: the file now holds its record and name.
    for (const auto& [col, text] : {std::pair{1, "147.5"}, std::pair{9, "xy"}}) {
        rig.Select(3, col, 3, col);
        auto* edit = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    const QByteArray typed = save();
    QVERIFY(typed != inserted);

    // Back to each saved point, saved again: the very bytes saved there.
    rig.Trigger(ID_EDIT_UNDO);
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(save(), inserted);
    rig.Trigger(ID_EDIT_REDO);
    rig.Trigger(ID_EDIT_REDO);
    QCOMPARE(save(), typed);
    for (int i = 0; i < 3; ++i) rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(save(), opened);
}

void UndoStepsTest::newAndOpenStartAFreshStack() {
    EditRig rig;
    rig.Select(2, 9, 2, 9);
    rig.Trigger(ID_EDIT_CLEAR);
    QCOMPARE(rig.doc->UndoStack()->count(), 1);
    QVERIFY(rig.doc->OnOpenDocument(rig.fx.Path("odd.dat")).ok);
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    QVERIFY(!rig.doc->IsModified());
    rig.doc->SetModifiedFlag();  // marked by hand: modified whatever the stack holds
    QVERIFY(rig.doc->IsModified());
    QVERIFY(rig.doc->OnNewDocument());
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    QVERIFY(!rig.doc->IsModified());
}

void UndoStepsTest::unsavedMarkAndOptionsOkWithoutChange() {
    radio::RadioImage image = OddDemo();
    image[radio::offset::kSquelch] = 12;  // none of the three in its list
    image[radio::offset::kStep] = 9;
    image[radio::offset::kPriScanTime] = 0xFF;
    EditRig rig(image);
    const auto bytes = [&] {
        QFile f(rig.fx.Path("odd.dat"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray opened = bytes();
    // A maximised window lends the main window its title; the window system shows "[*]" as "*".
    rig.frame->ActiveChild()->showMaximized();
    const auto shown = [&] {
        return QAccessible::queryAccessibleInterface(rig.frame)->text(QAccessible::Name);
    };
    QCOMPARE(shown(), QString("Radio Title - [odd.dat]"));

    // OK without a change: no step, no mark, the same bytes saved.
    AnswerDialog<COptionFeaturesDlg>([](COptionFeaturesDlg* dlg) {
        QCOMPARE(dlg->List(1116)->currentText(), QString("12 (not in the list)"));
        QCOMPARE(dlg->List(1117)->currentText(), QString("10k"));
    });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    QCOMPARE(shown(), QString("Radio Title - [odd.dat]"));
    QVERIFY(rig.doc->DoFileSave(rig.frame));
    QCOMPARE(bytes(), opened);

    // A change shows the mark in both titles until it is undone or saved.
    AnswerDialog<COptionFeaturesDlg>(
        [](COptionFeaturesDlg* dlg) { dlg->List(1119)->setCurrentIndex(0); });
    rig.Trigger(ID_EDIT_OPTIONAL_FEATURES);
    QVERIFY(rig.frame->ActiveChild()->isWindowModified());
    QCOMPARE(shown(), QString("Radio Title - [odd.dat*]"));
    rig.Trigger(ID_EDIT_UNDO);
    QCOMPARE(shown(), QString("Radio Title - [odd.dat]"));
    rig.Trigger(ID_EDIT_REDO);
    QVERIFY(rig.doc->DoFileSave(rig.frame));
    QVERIFY(!rig.frame->ActiveChild()->isWindowModified() && !rig.frame->isWindowModified());
}

QTEST_MAIN(UndoStepsTest)
#include "undo_steps_test.moc"
