// Editing like a spreadsheet through the real program: the Edit keys, selections by keyboard
// and mouse, the clipboard, row operations and the paste report. Keys go to whatever has the
// focus, as a user's keyboard sends them, so they pass the main window's shortcuts.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include "core/codec/channel_codec.h"
#include "core/image/channel_file.h"
#include "desktop/app/program_app.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/command_ids.h"
#include "tests/desktop/channels/view_test_support.h"
#include "tests/support/fake_services.h"

namespace {

// demo.dat's names of rows 1-8 (row 7, channel 6, is empty).
const QStringList kNames = {"CALL2M", "SMPLX1", "SMPLX2", "SMPLX3", "S20", "APRS", "", "RPT-A"};

struct Rig {
    ShellFixture fx{SampleIni("English")};
    CProgramApp app{fx.ctx};
    CMainFrame* frame = nullptr;
    CProgramDoc* doc = nullptr;
    CProgramView* view = nullptr;
    bool ready = false;

    Rig() {
        QFile::copy(RADIO_RESOURCES "/demo.dat", fx.Path("demo.dat"));
        if (!app.InitInstance({fx.ConfigPath(), {}, fx.Path("demo.dat")})) return;
        frame = app.MainFrame();
        doc = frame->ActiveDocument();
        view = frame->ActiveChild()->GetView();
        QApplication::setActiveWindow(frame);
        ready = QTest::qWaitForWindowActive(frame);
    }
    CMSFlexGrid& Grid() const { return *view->Grid(); }
    QLineEdit* Edit() const { return qobject_cast<QLineEdit*>(view->GetCellEditor()); }
    QString Text(int row, int col) const { return Grid().GetTextMatrix(row, col); }
    QStringList Names(int rows = 8) const {
        QStringList names;
        for (int row = 1; row <= rows; ++row) names << Text(row, radio::kColName);
        return names;
    }
    radio::CellRange Selection() const { return Grid().Selection(); }
    // Makes the cell current, its editor open and focused, as a click on it does.
    void Enter(int row, int col) {
        Grid().SetCurrentCell(row, col);
        QTRY_VERIFY(view->GetCellEditor()->hasFocus());
    }
    void Select(int row1, int col1, int row2, int col2) {
        Enter(row1, col1);
        Grid().SelectCells(row1, col1, row2, col2);
    }
    QPoint CellCentre(int row, int col) const {
        return Grid().visualRect(Grid().model()->index(row - 1, col - 1)).center();
    }
    QPoint LabelCentre(int row) const {
        QHeaderView* labels = Grid().verticalHeader();
        return {labels->width() / 2,
                labels->sectionViewportPosition(row - 1) + labels->sectionSize(row - 1) / 2};
    }
};

// "Ctrl+Z", "Shift+Down", "Del", "t:AB" (typed text): each on the focused widget.
void Keys(const QString& tokens) {
    for (const QString& token : tokens.split(' ', Qt::SkipEmptyParts)) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY2(focus, qPrintable(token));
        if (token == "grid") {  // the focus goes to the grid, as when a message box closes
            while (focus && !qobject_cast<CMSFlexGrid*>(focus)) focus = focus->parentWidget();
            QVERIFY(focus);
            focus->setFocus();
            QTRY_VERIFY(focus->hasFocus());
            continue;
        }
        if (token.startsWith("t:")) {
            QTest::keyClicks(focus, token.mid(2));
            continue;
        }
        const QKeySequence key = QKeySequence::fromString(token);
        QVERIFY2(key.count() == 1, qPrintable(token));
        const QKeyCombination combination = key[0];
        QTest::keyClick(focus, combination.key(), combination.keyboardModifiers());
    }
}

radio::CellRange Range(int row1, int col1, int row2, int col2) {
    return radio::CellRange::Spanning(row1, col1, row2, col2);
}

void SendMouseMove(QWidget* to, const QPoint& at) {
    QMouseEvent move(QEvent::MouseMove, at, to->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(to, &move);
}

}  // namespace

class GridEditingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void undoAndRedoKeys();
    void clipboardAndClearKeys_data();
    void clipboardAndClearKeys();
    void typedEntryKeepsItsKeys_data();
    void typedEntryKeepsItsKeys();
    void selectionByKeys();
    void selectionByMouse();
    void rowOperationKeys_data();
    void rowOperationKeys();
    void altDownMovesFromAListCell();
    void insertAsksBeforePushingAChannelOff_data();
    void insertAsksBeforePushingAChannelOff();
    void gridKeysStayWithOtherControls();
    void editKeysWithoutTheMainWindow();
    void rightClickMenu();
    void pasteFromASpreadsheetReportsOnce();
    void fillSelectedCells_data();
    void fillSelectedCells();
};

void GridEditingTest::undoAndRedoKeys() {
    Rig rig;
    QVERIFY(rig.ready);
    QUndoStack* stack = rig.doc->UndoStack();
    rig.Enter(2, radio::kColName);
    Keys("t:abc Return");
    QCOMPARE(rig.Text(2, 9), "ABC");
    QCOMPARE(stack->count(), 1);

    // The next cell's editor has the focus, untouched: the keys reach the commands.
    Keys("Ctrl+Z");
    QCOMPARE(rig.Text(2, 9), "SMPLX1");
    QVERIFY(!rig.doc->IsModified());
    Keys("Ctrl+Y");
    QCOMPARE(rig.Text(2, 9), "ABC");
    Keys("Ctrl+Z Ctrl+Shift+Z");
    QCOMPARE(rig.Text(2, 9), "ABC");
    QCOMPARE(stack->index(), 1);
    // Undo shows the cell it changed: current, its editor open.
    Keys("Ctrl+Z");
    QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), QPoint(2, 9));
    QVERIFY(rig.view->GetCellEditor()->isVisible());

    // An entry typed but not stored is what Ctrl+Z takes back first, in the editor itself.
    Keys("t:XY");
    Keys("Ctrl+Z");
    QCOMPARE(stack->index(), 0);
    QCOMPARE(rig.Text(2, 9), "SMPLX1");
    QCOMPARE(rig.Edit()->text(), "SMPLX1");
}

void GridEditingTest::clipboardAndClearKeys_data() {
    QTest::addColumn<QRect>("selection");    // x, y: first column and row; then last ones
    QTest::addColumn<QString>("clipboard");  // before the keys; null: left alone
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("copied");     // the clipboard afterwards
    QTest::addColumn<int>("row");            // a row to look at afterwards
    QTest::addColumn<QStringList>("texts");  // its nine texts
    const QStringList demo2 = {"146.58000", "146.58000", "None", "None",  "Low",
                               "Lock",      "Yes",       "Wide", "SMPLX2"};
    const QRect rowsTwoToThree(QPoint(1, 2), QPoint(2, 3));
    QTest::newRow("Ctrl+C copies the cells as TAB-separated text")
        << rowsTwoToThree << QString() << "Ctrl+C"
        << "146.55000\t146.55000\n146.58000\t146.58000\n"
        << 3 << demo2;
    QTest::newRow("Ctrl+C with the focus on the grid under the editor")
        << rowsTwoToThree << QString() << "grid Ctrl+C"
        << "146.55000\t146.55000\n146.58000\t146.58000\n"
        << 3 << demo2;
    QTest::newRow("Ctrl+X copies and clears")
        << QRect(QPoint(1, 3), QPoint(9, 3)) << QString() << "Ctrl+X"
        << "146.58000\t146.58000\tNone\tNone\tLow\tLock\tYes\tWide\tSMPLX2\n"
        << 3 << QStringList(9, QString());
    QTest::newRow("Ctrl+V fills right and down from the current cell")
        << QRect(QPoint(1, 7), QPoint(1, 7)) << "147.00000\t147.60000\r\n"
        << "Ctrl+V"
        << "147.00000\t147.60000\r\n"
        << 7
        << QStringList{"147.00000", "147.60000", "None", "None", "High", "Lock", "Yes", "Wide", ""};
    QTest::newRow("one value fills the selection")
        << QRect(QPoint(5, 2), QPoint(5, 3)) << "middle"
        << "Ctrl+V"
        << "middle" << 3 << QStringList{"146.58000", "146.58000", "None", "None",  "Middle",
                                        "Lock",      "Yes",       "Wide", "SMPLX2"};
    QTest::newRow("Del clears; lists take a new channel's values")
        << QRect(QPoint(4, 3), QPoint(9, 3)) << QString() << "Delete" << QString() << 3
        << QStringList{"146.58000", "146.58000", "None", "None", "High", "Lock", "Yes", "Wide", ""};
}

void GridEditingTest::clipboardAndClearKeys() {
    QFETCH(QRect, selection);
    QFETCH(QString, clipboard);
    QFETCH(QString, keys);
    QFETCH(QString, copied);
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    Rig rig;
    QVERIFY(rig.ready);
    QGuiApplication::clipboard()->setText(clipboard.isNull() ? QString() : clipboard);
    rig.Select(selection.top(), selection.left(), selection.bottom(), selection.right());
    Keys(keys);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied.isNull() ? QString() : copied);
    QStringList after;
    for (int col = 1; col <= 9; ++col) after << rig.Text(row, col);
    QCOMPARE(after, texts);
    // A change is one step; Ctrl+Z gives the demo back.
    const bool changed = !keys.endsWith("Ctrl+C");
    QCOMPARE(rig.doc->UndoStack()->count(), changed ? 1 : 0);
    Keys("Ctrl+Z");
    QCOMPARE(rig.Names(), kNames);
    QCOMPARE(rig.Text(3, radio::kColPower), "Low");
}

void GridEditingTest::typedEntryKeepsItsKeys_data() {
    QTest::addColumn<QString>("keys");    // typed into channel 1's name, then more keys
    QTest::addColumn<QString>("editor");  // the entry afterwards
    QTest::addColumn<QString>("copied");  // the clipboard afterwards
    QTest::newRow("Del deletes a character") << "t:ab Home Delete"
                                             << "B"
                                             << "";
    QTest::newRow("Ctrl+A, Ctrl+C copy the entry") << "t:ab Ctrl+A Ctrl+C"
                                                   << "AB"
                                                   << "AB";
    QTest::newRow("Ctrl+X cuts from the entry") << "t:ab Ctrl+A Ctrl+X"
                                                << ""
                                                << "AB";
    QTest::newRow("Ctrl+V pastes into the entry") << "t:ab Ctrl+V"
                                                  << "ABP1"
                                                  << "p1";
}

void GridEditingTest::typedEntryKeepsItsKeys() {
    QFETCH(QString, keys);
    QFETCH(QString, editor);
    QFETCH(QString, copied);
    Rig rig;
    QVERIFY(rig.ready);
    QGuiApplication::clipboard()->setText("p1");
    if (copied.isEmpty()) QGuiApplication::clipboard()->clear();
    rig.Select(2, 9, 4, 9);
    Keys(keys);
    QCOMPARE(rig.Edit()->text(), editor);
    if (!copied.isEmpty() || keys.contains("Ctrl+C"))
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
    // Nothing reached the grid: the cells and the stack are as they were.
    QCOMPARE(rig.Names(), kNames);
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
}

void GridEditingTest::selectionByKeys() {
    Rig rig;
    QVERIFY(rig.ready);
    rig.Enter(5, 3);
    // Shift+arrows grow the selection; the current cell keeps its untouched editor.
    Keys("Shift+Down Shift+Down Shift+Right");
    QCOMPARE(rig.Selection(), Range(5, 3, 7, 4));
    QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), QPoint(5, 3));
    QVERIFY(rig.view->GetCellEditor()->hasFocus());
    Keys("Shift+Up Shift+Up Shift+Up Shift+Left Shift+Left");
    QCOMPARE(rig.Selection(), Range(4, 2, 5, 3));
    QVERIFY(rig.Grid().IsCellSelected(4, 2));
    // A plain arrow moves the current cell and the selection goes with it.
    Keys("Down");
    QCOMPARE(rig.Selection(), Range(6, 3, 6, 3));
    // Ctrl+A: every channel cell.
    Keys("Ctrl+A");
    QCOMPARE(rig.Selection(), radio::CellRange::All());

    // Once typed into, Shift+arrows select text in the entry, not cells.
    rig.Enter(2, radio::kColName);
    Keys("t:abc Shift+Left Shift+Left");
    QCOMPARE(rig.Selection(), Range(2, 9, 2, 9));
    QCOMPARE(rig.Edit()->selectedText(), "BC");
    Keys("Ctrl+A");
    QCOMPARE(rig.Selection(), Range(2, 9, 2, 9));
    QCOMPARE(rig.Edit()->selectedText(), "ABC");
}

void GridEditingTest::selectionByMouse() {
    Rig rig;
    QVERIFY(rig.ready);
    QWidget* cells = rig.Grid().viewport();
    QWidget* labels = rig.Grid().verticalHeader()->viewport();

    // A drag over cells selects from where it started, which becomes current.
    QTest::mousePress(cells, Qt::LeftButton, {}, rig.CellCentre(3, 2));
    SendMouseMove(cells, rig.CellCentre(5, 3));
    SendMouseMove(cells, rig.CellCentre(6, 4));
    QTest::mouseRelease(cells, Qt::LeftButton, {}, rig.CellCentre(6, 4));
    QCOMPARE(rig.Selection(), Range(3, 2, 6, 4));
    QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), QPoint(3, 2));

    // Shift+click grows it from the current cell.
    QTest::mouseClick(cells, Qt::LeftButton, Qt::ShiftModifier, rig.CellCentre(8, 5));
    QCOMPARE(rig.Selection(), Range(3, 2, 8, 5));
    QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), QPoint(3, 2));

    // A row label selects its channel; a drag over labels several; Shift+click on one more.
    QTest::mouseClick(labels, Qt::LeftButton, {}, rig.LabelCentre(10));
    QCOMPARE(rig.Selection(), Range(10, 1, 10, 9));
    QTest::mousePress(labels, Qt::LeftButton, {}, rig.LabelCentre(11));
    SendMouseMove(labels, rig.LabelCentre(13));
    QTest::mouseRelease(labels, Qt::LeftButton, {}, rig.LabelCentre(13));
    QCOMPARE(rig.Selection(), Range(11, 1, 13, 9));
    QTest::mouseClick(labels, Qt::LeftButton, Qt::ShiftModifier, rig.LabelCentre(9));
    QCOMPARE(rig.Selection(), Range(9, 1, 11, 9));

    // Selected channels go to the Edit commands: Delete Channel removes the three.
    rig.frame->Action(ID_EDIT_DELETE_CHANNEL)->trigger();
    QCOMPARE(rig.Text(8, 9), "RPT-A");
    QCOMPARE(rig.Text(9, 1), "");  // channel 11, empty, moved up to row 9
    QCOMPARE(rig.Text(10, 9), "FIELD1");

    // A plain click collapses the selection onto the cell.
    QTest::mouseClick(cells, Qt::LeftButton, {}, rig.CellCentre(4, 4));
    QCOMPARE(rig.Selection(), Range(4, 4, 4, 4));
}

void GridEditingTest::rowOperationKeys_data() {
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("names");  // rows 1-8 afterwards
    const QRect row3(QPoint(2, 3), QPoint(2, 3));
    QTest::newRow("Ctrl+Insert") << row3 << "Ctrl+Ins"
                                 << QStringList{"CALL2M", "SMPLX1", "",     "SMPLX2",
                                                "SMPLX3", "S20",    "APRS", ""};
    QTest::newRow("Ctrl+Shift++") << row3 << "Ctrl+Shift++"
                                  << QStringList{"CALL2M", "SMPLX1", "",     "SMPLX2",
                                                 "SMPLX3", "S20",    "APRS", ""};
    QTest::newRow("Ctrl+Delete") << row3 << "Ctrl+Del"
                                 << QStringList{"CALL2M", "SMPLX1", "SMPLX3", "S20",
                                                "APRS",   "",       "RPT-A",  "RPT-B"};
    QTest::newRow("Ctrl+-") << row3 << "Ctrl+-"
                            << QStringList{"CALL2M", "SMPLX1", "SMPLX3", "S20",
                                           "APRS",   "",       "RPT-A",  "RPT-B"};
    QTest::newRow("Ctrl+Delete on two rows")
        << QRect(QPoint(4, 3), QPoint(1, 4)) << "Ctrl+Del"
        << QStringList{"CALL2M", "SMPLX1", "S20", "APRS", "", "RPT-A", "RPT-B", "RPT-C"};
    QTest::newRow("Alt+Up") << row3 << "Alt+Up"
                            << QStringList{"CALL2M", "SMPLX2", "SMPLX1", "SMPLX3",
                                           "S20",    "APRS",   "",       "RPT-A"};
    QTest::newRow("Alt+Down twice")
        << row3 << "Alt+Down Alt+Down"
        << QStringList{"CALL2M", "SMPLX1", "SMPLX3", "S20", "SMPLX2", "APRS", "", "RPT-A"};
    QTest::newRow("Ctrl+D") << QRect(QPoint(9, 2), QPoint(9, 4)) << "Ctrl+D"
                            << QStringList{"CALL2M", "SMPLX1", "SMPLX1", "SMPLX1",
                                           "S20",    "APRS",   "",       "RPT-A"};
}

void GridEditingTest::rowOperationKeys() {
    QFETCH(QRect, selection);
    QFETCH(QString, keys);
    QFETCH(QStringList, names);
    Rig rig;
    QVERIFY(rig.ready);
    rig.Select(selection.top(), selection.left(), selection.bottom(), selection.right());
    Keys(keys);
    QCOMPARE(rig.Names(), names);
    QCOMPARE(rig.doc->UndoStack()->count(), keys.count(' ') + 1);
    // The moved channel stays selected, so a second Alt+Down moves it on.
    if (keys.startsWith("Alt+Down")) QCOMPARE(rig.Selection(), Range(5, 2, 5, 2));
    QVERIFY(rig.fx.messages.shown.isEmpty());
    for (int i = 0; i <= keys.count(' '); ++i) Keys("Ctrl+Z");
    QCOMPARE(rig.Names(), kNames);
}

void GridEditingTest::altDownMovesFromAListCell() {
    Rig rig;
    QVERIFY(rig.ready);
    // Alt+Down moves the channel in a list cell as in any other; F4 is the list's own key.
    rig.Enter(3, radio::kColPower);
    auto* list = qobject_cast<QComboBox*>(rig.view->GetCellEditor());
    QVERIFY(list);
    Keys("Alt+Down");
    QCOMPARE(rig.Text(4, 9), "SMPLX2");
    QVERIFY(!list->view()->isVisible());
    QCOMPARE(rig.doc->UndoStack()->count(), 1);
    rig.Enter(4, radio::kColPower);
    list = qobject_cast<QComboBox*>(rig.view->GetCellEditor());
    QVERIFY(list);
    Keys("F4");
    QTRY_VERIFY(list->view()->isVisible());
    list->hidePopup();
    QCOMPARE(rig.doc->UndoStack()->count(), 1);
}

void GridEditingTest::insertAsksBeforePushingAChannelOff_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("inserted");
    QTest::newRow("OK inserts") << int(MessageService::Answer::Ok) << true;
    QTest::newRow("Cancel keeps channel 199") << int(MessageService::Answer::Cancel) << false;
}

void GridEditingTest::insertAsksBeforePushingAChannelOff() {
    QFETCH(int, answer);
    QFETCH(bool, inserted);
    Rig rig;
    QVERIFY(rig.ready);
    rig.Enter(200, radio::kColRxFreq);
    Keys("t:146.5 Return");
    rig.fx.messages.answers = {MessageService::Answer(answer)};
    rig.Select(3, 1, 3, 1);
    Keys("Ctrl+Ins");
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    QVERIFY(rig.fx.messages.shown[0].text.contains("Channel 199 holds a channel"));
    QCOMPARE(rig.Text(200, 1), inserted ? QString() : QString("146.50000"));
    QCOMPARE(rig.Text(3, 9), inserted ? QString() : QString("SMPLX2"));
}

void GridEditingTest::gridKeysStayWithOtherControls() {
    Rig rig;
    QVERIFY(rig.ready);
    rig.Select(2, 9, 3, 9);
    // With the focus in the navigation tree, Del and Ctrl+X are the tree's, not the grid's.
    QTreeWidget* tree = rig.frame->NavigationBar()->findChild<QTreeWidget*>();
    QVERIFY(tree);
    tree->setFocus();
    QTRY_VERIFY(tree->hasFocus());
    Keys("Delete Ctrl+X Ctrl+D");
    QCOMPARE(rig.Names(), kNames);
    QCOMPARE(rig.doc->UndoStack()->count(), 0);
    // Undo and Redo act on the active document wherever the focus is.
    rig.frame->Action(ID_EDIT_CLEAR)->trigger();  // the menu item still clears
    QCOMPARE(rig.Text(2, 9), "");
    tree->setFocus();
    Keys("Ctrl+Z");
    QCOMPARE(rig.Names(), kNames);
}

void GridEditingTest::editKeysWithoutTheMainWindow() {
    // A channel view alone (or in a window that is not the active one): no menu takes the
    // keys, and the view carries them out itself.
    ViewRig rig;
    QVERIFY(rig.ready);
    QTRY_VERIFY(rig.Enter(2, 1)->hasFocus());
    Keys("t:146.525 Return");
    QTRY_VERIFY(rig.Enter(2, 1)->hasFocus());
    Keys("Shift+Right Shift+Right Ctrl+C");
    QCOMPARE(QGuiApplication::clipboard()->text(), "146.52500\t146.52500\tNone\n");
    Keys("Delete");
    QVERIFY(!rig.doc.grid().InUse(2));
    Keys("Ctrl+Z");
    QVERIFY(rig.doc.grid().InUse(2));
    QTRY_VERIFY(rig.Enter(5, 1)->hasFocus());
    Keys("Ctrl+V Ctrl+Ins");
    QCOMPARE(rig.Grid().GetTextMatrix(6, 2), "146.52500");  // pasted at 5, then pushed down
    QCOMPARE(rig.doc.UndoStack()->count(), 3);              // the entry, the paste, the insert
}

void GridEditingTest::rightClickMenu() {
    Rig rig;
    QVERIFY(rig.ready);
    rig.Select(2, 1, 4, 9);
    // A right click inside the selection keeps it; the menu holds the Edit commands.
    QStringList items;
    QTimer::singleShot(0, [&items] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* a : menu->actions())
            items << (a->isSeparator() ? QString("|") : a->text().section('\t', 0, 0));
        menu->close();
    });
    QTest::mouseClick(rig.Grid().viewport(), Qt::RightButton, {}, rig.CellCentre(3, 5));
    QContextMenuEvent context(QContextMenuEvent::Mouse, rig.CellCentre(3, 5),
                              rig.Grid().viewport()->mapToGlobal(rig.CellCentre(3, 5)));
    QApplication::sendEvent(rig.Grid().viewport(), &context);
    QCOMPARE(items, QStringList({"&Undo", "&Redo", "|", "Cu&t", "&Copy", "&Paste", "Cl&ear",
                                 "Select &All", "|", "&Insert Channel", "&Delete Channel",
                                 "&Move Up", "Move Do&wn", "&Fill Down", "&Sort by Rx Frequency"}));
    QCOMPARE(rig.Selection(), Range(2, 1, 4, 9));
    // Outside the selection a right click moves there first.
    QTest::mouseClick(rig.Grid().viewport(), Qt::RightButton, {}, rig.CellCentre(8, 2));
    QCOMPARE(rig.Selection(), Range(8, 2, 8, 2));
}

void GridEditingTest::pasteFromASpreadsheetReportsOnce() {
    Rig rig;
    QVERIFY(rig.ready);
    // Twenty channels as a spreadsheet copies them: CRLF, quoted cells, lower-case entries;
    // the seventh is off the 2.5/6.25 kHz steps.
    QString text;
    for (int i = 0; i < 20; ++i) {
        const QString rx = i == 6 ? "446.01001" : QString::number(446.00625 + i * 0.0125, 'f', 5);
        text += QString("%1\t%1\tnone\t\"88.5\"\tlow\tlock\tyes\tnarrow\tpmr%2\r\n").arg(rx).arg(i);
    }
    QGuiApplication::clipboard()->setText(text);
    rig.Select(101, 1, 101, 1);  // channel 100 on: empty rows
    Keys("Ctrl+V");

    int landed = 0;
    for (int row = 101; row <= 120; ++row) landed += rig.doc->grid().InUse(row);
    QCOMPARE(landed, 19);
    QCOMPARE(rig.Text(101, 9), "PMR0");
    QCOMPARE(rig.Text(101, 4), "88.5");
    QCOMPARE(rig.Text(120, 8), "Narrow");
    QCOMPARE(rig.fx.messages.shown.size(), 1);
    const QString report = rig.fx.messages.shown[0].text;
    QVERIFY2(report.startsWith("1 pasted cell was not stored:"), qPrintable(report));
    QVERIFY2(report.contains("channel 106, Rx Frequency, \"446.01001\": not on a 2.5 or 6.25 kHz "
                             "step"),
             qPrintable(report));
    QCOMPARE(report.count('\n'), 2);
    QCOMPARE(rig.Selection(), Range(101, 1, 120, 9));

    Keys("Ctrl+Z");
    for (int row = 101; row <= 120; ++row) QVERIFY(!rig.doc->grid().InUse(row));
    QVERIFY(!rig.doc->IsModified());
}

void GridEditingTest::fillSelectedCells_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");       // from the column's cell in row 2
    QTest::addColumn<QStringList>("texts");  // the column in rows 1-8 afterwards; none: as before
    QTest::addColumn<QString>("step");       // the undo step; none: refused with a Caution
    QTest::addColumn<int>("skipped");
    const QString fourDown = "Shift+Down Shift+Down Shift+Down Shift+Down";
    QTest::newRow("a name typed into five cells, Ctrl+Enter")
        << int(radio::kColName) << fourDown + " t:grp Ctrl+Return"
        << QStringList{"CALL2M", "GRP", "GRP", "GRP", "GRP", "GRP", "", "RPT-A"}
        << "fill of 5 cells" << 0;
    QTest::newRow("Alt+Enter; an empty channel is passed over")
        << int(radio::kColName) << fourDown + " Shift+Down t:X Alt+Return"
        << QStringList{"CALL2M", "X", "X", "X", "X", "X", "", "RPT-A"} << "fill of 5 cells" << 1;
    QTest::newRow("an entry chosen in the dropped-down list")
        << int(radio::kColPower) << "Shift+Down Shift+Down F4 End Return"
        << QStringList{"High", "Low", "Low", "Low", "High", "High", "", "High"} << "fill of 3 cells"
        << 0;
    QTest::newRow("a refused frequency: one Caution, nothing changes")
        << int(radio::kColRxFreq) << "Shift+Down Shift+Down t:999 Ctrl+Return" << QStringList{}
        << "" << 0;
}

// Several cells selected, an entry typed or chosen: Ctrl+Enter (or a choice in the list)
// stores it in each of them as one step, which one Ctrl+Z takes back.
void GridEditingTest::fillSelectedCells() {
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(QStringList, texts);
    QFETCH(QString, step);
    QFETCH(int, skipped);
    Rig rig;
    QVERIFY(rig.ready);
    const auto column = [&] {
        QStringList out;
        for (int row = 1; row <= 8; ++row) out << rig.Text(row, col);
        return out;
    };
    const QStringList before = column();
    rig.Enter(2, col);
    Keys(keys);

    QCOMPARE(column(), texts.isEmpty() ? before : texts);
    QCOMPARE(rig.fx.messages.shown.size(), step.isEmpty() ? 1 : 0);
    // The current cell stays, its editor open; empty channels are counted in the status bar.
    QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), QPoint(2, col));
    QVERIFY(rig.view->GetCellEditor()->isVisible());
    const QString status = rig.frame->statusBar()->currentMessage();
    QCOMPARE(status.startsWith(QString::number(skipped) + " cell"), skipped > 0);
    QUndoStack* stack = rig.doc->UndoStack();
    if (step.isEmpty()) {  // the refused entry is in the editor, selected
        QCOMPARE(stack->count(), 0);
        QTRY_COMPARE(rig.Edit()->selectedText(), QString("999"));
        return;
    }
    QCOMPARE(stack->undoText(), step);
    Keys("Ctrl+Z");
    QCOMPARE(column(), before);
    QVERIFY(!rig.doc->IsModified());
}

QTEST_MAIN(GridEditingTest)
#include "grid_editing_test.moc"
