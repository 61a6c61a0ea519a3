// The channel view: layout and resizing, in-place editors, keys, scrolling, help, saving and
// the language.

#include <QHash>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include "core/codec/channel_codec.h"
#include "core/config/messages.h"
#include "core/image/channel_file.h"
#include "desktop/channels/cell_edit.h"
#include "desktop/dialogs/language_dlg.h"
#include "desktop/services/help.h"
#include "tests/desktop/channels/view_test_support.h"
#include "tests/support/typing.h"

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

const QStringList kExisting = {"145.00000", "145.50000", "67.0",   "D023N", "Low",
                               "Unlock",    "No",        "Narrow", "AB"};

// Presses a key, or with "t:" types the text, on whatever has the focus then, as a user's
// keyboard does: a key that opens an editor sends the next ones there.
void Keys(const QString& tokens) {
    static const QHash<QString, Qt::Key> names = {
        {"Esc", Qt::Key_Escape},         {"Tab", Qt::Key_Tab},
        {"Backtab", Qt::Key_Backtab},    {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},          {"Left", Qt::Key_Left},
        {"Right", Qt::Key_Right},        {"Home", Qt::Key_Home},
        {"Enter", Qt::Key_Return},       {"F2", Qt::Key_F2},
        {"Backspace", Qt::Key_Backspace}};
    for (const QString& token : tokens.split(' ', Qt::SkipEmptyParts)) {
        if (token == "grid") {  // the focus goes to the grid, as when a message box closes
            QApplication::focusWidget()->parentWidget()->parentWidget()->setFocus();
            continue;
        }
        if (token == "wheel") {  // the cells scroll by, out of sight
            QWidget* w = QApplication::focusWidget();
            while (w && !qobject_cast<CMSFlexGrid*>(w)) w = w->parentWidget();
            auto* grid = qobject_cast<CMSFlexGrid*>(w);
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() + 60);
            continue;
        }
        if (token.startsWith("t:")) {
            for (QChar c : token.mid(2)) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            continue;
        }
        QVERIFY2(names.contains(token), qPrintable(token));
        const Qt::Key key = names.value(token);
        QTest::keyClick(QApplication::focusWidget(), key,
                        key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

QString EditorText(QWidget* editor) {
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) return edit->text();
    return qobject_cast<QComboBox*>(editor)->currentText();
}

}  // namespace

class ProgramViewTest : public QObject {
    Q_OBJECT

  private slots:
    void firstLayout_data();
    void firstLayout();
    void commitCell_data();
    void commitCell();
    void enterMoves_data();
    void enterMoves();
    void entrySelectsTheText_data();
    void entrySelectsTheText();
    void singleCellKeys_data();
    void singleCellKeys();
    void gridFillsTheWindow_data();
    void gridFillsTheWindow();
    void scrollingDropsThePendingEdit();
    void comboChoice_data();
    void comboChoice();
    void comboOpensOnFirstMatch_data();
    void comboOpensOnFirstMatch();
    void nameEditorLimits();
    void editBoxStopsAtItsWidth();
    void helpAtTheFocusedControl_data();
    void helpAtTheFocusedControl();
    void saveTakesThePendingEdit();
    void languageChangeAsksForTheRestart_data();
    void languageChangeAsksForTheRestart();
};

void ProgramViewTest::firstLayout_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<QStringList>("power");
    QTest::addColumn<QString>("noTone");
    QTest::newRow("English") << QByteArray("English")
                             << QStringList{"CH",        "Rx Frequency", "Tx Frequency", "Rx Tone",
                                            "Tx Tone",   "Power",        "Cha Lock",     "Scan Add",
                                            "Bandwidth", "Cha Name"}
                             << QStringList{"High", "Middle", "Low"} << "None";
    QTest::newRow("Chinese") << QByteArray("Chinese")
                             << QStringList{"信道", "接收频率", "发射频率", "接收信令", "发射信令",
                                            "功率", "信道锁定", "扫描添加", "带宽",     "信道名字"}
                             << QStringList{"高", "中", "低"} << "无";
}

void ProgramViewTest::firstLayout() {
    QFETCH(QByteArray, language);
    QFETCH(QStringList, headings);
    QFETCH(QStringList, power);
    QFETCH(QString, noTone);
    ViewRig rig(language.constData());
    QVERIFY(rig.ready);
    CMSFlexGrid& grid = rig.Grid();

    QCOMPARE(grid.GetRows(), 201);
    QCOMPARE(grid.GetCols(), 10);
    QCOMPARE(grid.GetHighLight(), 0);
    QCOMPARE(grid.GetForeColorFixed(), QColor(0, 50, 240));
    QStringList shown;
    for (int col = 0; col < 10; ++col) shown << grid.GetTextMatrix(0, col);
    QCOMPARE(shown, headings);
    QCOMPARE(grid.GetTextMatrix(1, 0), QString("Pr"));
    QCOMPARE(grid.GetTextMatrix(2, 0), QString("  1"));
    QCOMPARE(grid.GetTextMatrix(200, 0), QString("199"));

    double factorSum = 0;
    for (double f : CProgramView::kColumnFactors) factorSum += f;
    const int unit = grid.UnitWidthToFit(factorSum);
    // Every column shows at once: no scrolling sideways to reach the names.
    int columnsWidth = 0;
    for (int col = 0; col < 9; ++col) columnsWidth += grid.columnWidth(col);
    QVERIFY2(columnsWidth <= grid.viewport()->width(),
             qPrintable(QString("%1 > %2").arg(columnsWidth).arg(grid.viewport()->width())));
    for (int col = 0; col < 10; ++col) {
        QCOMPARE(grid.GetColAlignment(col), 4);
        QCOMPARE(grid.GetColWidth(col), int(unit * CProgramView::kColumnFactors[std::size_t(col)]));
    }

    // Editors, their ids and lists; all hidden until a cell is entered.
    const int ids[] = {2127, 2128, 2132, 2133, 1129, 1127, 1134, 1135, 1126};
    for (int col = 1; col <= 9; ++col) {
        QWidget* editor = rig.view->EditorOfColumn(col);
        QCOMPARE(ControlIdOf(editor), ids[col - 1]);
        QVERIFY(editor->isHidden());
        QCOMPARE(editor->parentWidget(), grid.viewport());
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            QStringList items;
            for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
            QStringList expected;
            for (const std::string& item : radio::ColumnItems(col, rig.fx.ctx.UiLanguage()))
                expected << Utf8(item);
            QCOMPARE(items, expected);
        } else {
            QVERIFY(qobject_cast<QLineEdit*>(editor));
            QVERIFY(!qobject_cast<QLineEdit*>(editor)->hasFrame());
        }
    }
    auto* rxTone = qobject_cast<QComboBox*>(rig.view->EditorOfColumn(3));
    QCOMPARE(rxTone->count(), 261);
    QCOMPARE(rxTone->itemText(0), noTone);
    QCOMPARE(rxTone->itemText(260), QString("D754I"));
    auto* powerList = qobject_cast<QComboBox*>(rig.view->EditorOfColumn(5));
    QCOMPARE(powerList->itemText(0), power.at(0));
    QCOMPARE(powerList->count(), 3);
}

void ProgramViewTest::commitCell_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<bool>("existing");  // row 5 holds kExisting, else it is empty
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byClick");  // leave by clicking (7, 3) instead of Enter
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<int>("message");
    QTest::addColumn<QPoint>("cursor");  // (row, col) afterwards

    const QStringList empty(9, QString());
    QStringList replacedRx = kExisting;
    replacedRx[0] = "146.52500";
    QStringList newTx = kExisting;
    newTx[1] = "147.00000";
    const QPoint next(5, 2), clicked(7, 3), stays(5, 1);

    QTest::newRow("new channel gets defaults") << QByteArray("English") << false << 1 << "146.525"
                                               << false << NewChannel("146.52500") << 0 << next;
    QTest::newRow("new channel, by click") << QByteArray("English") << false << 1 << "146.525"
                                           << true << NewChannel("146.52500") << 0 << clicked;
    QTest::newRow("new channel in Chinese") << QByteArray("Chinese") << false << 1 << "146.525"
                                            << false << NewChannel("146.52500", true) << 0 << next;
    QTest::newRow("over a channel: only Rx")
        << QByteArray("English") << true << 1 << "146.525" << false << replacedRx << 0 << next;
    QTest::newRow("limits are inclusive") << QByteArray("English") << false << 1 << "520" << false
                                          << NewChannel("520.00000") << 0 << next;
    QTest::newRow("step rule broken: the channel keeps every value, cursor stays")
        << QByteArray("English") << true << 1 << "146.521" << false << kExisting
        << int(radio::kMsgStepError) << stays;
    QTest::newRow("a typo, by click: back to the refused cell")
        << QByteArray("English") << true << 1 << "999" << true << kExisting
        << int(radio::kMsgOutOfRange) << stays;
    QTest::newRow("step rule broken in Chinese")
        << QByteArray("Chinese") << true << 1 << "146.521" << false << kExisting
        << int(radio::kMsgStepError) << stays;
    QTest::newRow("refused on an empty row: nothing made")
        << QByteArray("English") << false << 1 << "146.521" << false << empty
        << int(radio::kMsgStepError) << stays;
    QTest::newRow("below the first band") << QByteArray("English") << false << 1 << "135.99999"
                                          << false << empty << int(radio::kMsgOutOfRange) << stays;
    QTest::newRow("Rx deleted: channel deleted")
        << QByteArray("English") << true << 1 << "" << false << empty << 0 << next;
    QTest::newRow("Tx off step: the stored Tx stays")
        << QByteArray("English") << true << 2 << "146.521" << false << kExisting
        << int(radio::kMsgStepError) << QPoint(5, 2);
    QTest::newRow("Tx out of range") << QByteArray("English") << true << 2 << "300" << false
                                     << kExisting << int(radio::kMsgOutOfRange) << QPoint(5, 2);
    QTest::newRow("Tx on an empty row stays empty")
        << QByteArray("English") << false << 2 << "146.525" << false << empty << 0 << QPoint(5, 3);
    QTest::newRow("Tx accepted") << QByteArray("English") << true << 2 << "147" << false << newTx
                                 << 0 << QPoint(5, 3);
}

void ProgramViewTest::commitCell() {
    QFETCH(QByteArray, language);
    QFETCH(bool, existing);
    QFETCH(int, col);
    QFETCH(QString, typed);
    QFETCH(bool, byClick);
    QFETCH(QStringList, row);
    QFETCH(int, message);
    QFETCH(QPoint, cursor);
    ViewRig rig(language.constData());
    if (existing) rig.SetRow(5, kExisting);
    const QStringList before = rig.Row(5);

    rig.Enter(5, col);
    rig.Type(typed);
    if (byClick) {
        const QRect cell = rig.Grid().visualRect(rig.Grid().model()->index(6, 2));
        QTest::mouseClick(rig.Grid().viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        rig.PressEnter();
    }

    QCOMPARE(rig.Row(5), row);
    QTRY_COMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), cursor);
    QCOMPARE(rig.doc.IsModified(), row != before);
    if (message == 0) {
        QVERIFY(rig.fx.messages.shown.isEmpty());
    } else {
        QCOMPARE(rig.fx.messages.shown.size(), 1);
        QCOMPARE(rig.fx.messages.shown[0].caption, QString("Caution"));
        // The message word for word, then what is accepted, in the display language.
        QCOMPARE(rig.fx.messages.shown[0].text,
                 Utf8(radio::MessageText(message)) + "\n" +
                     Utf8(radio::FrequencyRuleText(rig.fx.ctx.UiLanguage())));
        QCOMPARE(rig.fx.messages.shown[0].kind, MessageService::Kind::Warning);
        // Nothing changed, so there is no step to undo.
        QCOMPARE(rig.doc.UndoStack()->count(), 0);
        // The refused cell stays current with its editor open on the refused text, selected so
        // that typing replaces it. Enter tries it again; Esc gives back the stored text.
        auto* editor = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
        QTRY_VERIFY(editor->isVisible() && editor->hasFocus());
        QCOMPARE(editor->text(), typed);
        QCOMPARE(editor->selectedText(), typed);
        rig.PressEnter();
        QCOMPARE(rig.fx.messages.shown.size(), 2);
        QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), cursor);
        QTRY_COMPARE(editor->text(), typed);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        QCOMPARE(rig.Row(5), before);
        rig.PressEnter();
        QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), cursor + QPoint(0, 1));
        QCOMPARE(rig.fx.messages.shown.size(), 2);
    }
}

void ProgramViewTest::enterMoves_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::newRow("right") << QPoint(5, 4) << QPoint(5, 5);
    QTest::newRow("first cell") << QPoint(1, 1) << QPoint(1, 2);
    QTest::newRow("end of a row wraps") << QPoint(5, 9) << QPoint(6, 1);
    QTest::newRow("last cell wraps to the first") << QPoint(200, 9) << QPoint(1, 1);
}

void ProgramViewTest::enterMoves() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    ViewRig rig;
    rig.SetRow(from.x(), kExisting);  // untouched editors store nothing on the way
    const QStringList before = rig.Row(from.x());

    // With an editor open (untouched), and with none.
    for (bool editorOpen : {true, false}) {
        rig.Enter(from.x(), from.y());
        if (!editorOpen) rig.view->HideEditors();
        rig.PressEnter();
        QCOMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), to);
        QVERIFY(rig.view->GetCellEditor()->isVisible());  // the new cell's editor is open
    }
    QCOMPARE(rig.Row(from.x()), before);
    QVERIFY(!rig.doc.IsModified());
    QVERIFY(rig.fx.messages.shown.isEmpty());
}

void ProgramViewTest::entrySelectsTheText_data() {
    QTest::addColumn<QString>("how");   // how (5, 1), holding 145.00000, is entered
    QTest::addColumn<QString>("keys");  // then typed
    QTest::addColumn<QString>("text");  // in the editor afterwards
    QTest::newRow("click") << "click"
                           << "t:147"
                           << "147";
    QTest::newRow("Enter from the cell before") << "Enter"
                                                << "t:147"
                                                << "147";
    QTest::newRow("Down from the cell above") << "Down"
                                              << "t:147"
                                              << "147";
    // A click inside the open editor only places the caret: here at the end.
    QTest::newRow("click in the open editor") << "click twice"
                                              << "Backspace"
                                              << "145.0000";
}

void ProgramViewTest::entrySelectsTheText() {
    QFETCH(QString, how);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    ViewRig rig;
    QVERIFY(rig.ready);
    rig.SetRow(5, kExisting);
    CMSFlexGrid& grid = rig.Grid();
    if (how.startsWith("click")) {
        const QRect cell = grid.visualRect(grid.model()->index(4, 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        rig.Enter(4, how == "Down" ? 1 : 9);
        Keys(how);
    }
    QCOMPARE(QPoint(grid.GetRow(), grid.GetCol()), QPoint(5, 1));
    auto* edit = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
    QTRY_VERIFY(edit->isVisible() && edit->hasFocus());
    QCOMPARE(edit->selectedText(), QString("145.00000"));
    if (how == "click twice") {
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 2, edit->height() / 2));
        QVERIFY(!edit->hasSelectedText());
    }
    Keys(keys);
    QCOMPARE(edit->text(), text);
}

void ProgramViewTest::singleCellKeys_data() {
    QTest::addColumn<QPoint>("from");     // row 5 holds kExisting
    QTest::addColumn<QString>("keys");    // see Keys()
    QTest::addColumn<QPoint>("at");       // the current cell afterwards
    QTest::addColumn<QString>("cell");    // the text of `from` afterwards
    QTest::addColumn<QString>("editor");  // the open editor's text; null: no editor open
    QTest::addColumn<int>("cautions");
    const QPoint rx(5, 1), tx(5, 2);
    QTest::newRow("Esc drops the typed text")
        << rx << "t:147 Esc" << rx << "145.00000" << QString() << 0;
    QTest::newRow("Esc, then typing starts a new entry")
        << rx << "t:147 Esc t:146.525 Enter" << tx << "146.52500"
        << "145.50000" << 0;
    QTest::newRow("typing after the cell scrolled away brings it back")
        << rx << "t:147 wheel t:146.5" << rx << "145.00000"
        << "146.5" << 0;
    QTest::newRow("F2 opens the closed editor") << rx << "Esc F2" << rx << "145.00000"
                                                << "145.00000" << 0;
    QTest::newRow("Tab commits and moves right") << rx << "t:147 Tab" << tx << "147.00000"
                                                 << "145.50000" << 0;
    QTest::newRow("Shift+Tab commits and moves left") << tx << "t:147 Backtab" << rx << "147.00000"
                                                      << "145.00000" << 0;
    QTest::newRow("Tab wraps to the next row") << QPoint(5, 9) << "Tab" << QPoint(6, 1) << "AB"
                                               << "" << 0;
    QTest::newRow("Shift+Tab wraps to the row above")
        << rx << "Backtab" << QPoint(4, 9) << "145.00000"
        << "" << 0;
    QTest::newRow("Shift+Tab on the first cell wraps to the last")
        << QPoint(1, 1) << "Backtab" << QPoint(200, 9) << ""
        << "" << 0;
    QTest::newRow("Down commits") << rx << "t:147 Down" << QPoint(6, 1) << "147.00000"
                                  << "" << 0;
    QTest::newRow("Up commits") << tx << "t:147 Up" << QPoint(4, 2) << "147.00000"
                                << "" << 0;
    QTest::newRow("Right at the end of the text") << rx << "t:147 Right" << tx << "147.00000"
                                                  << "145.50000" << 0;
    QTest::newRow("Left inside the text moves the caret") << rx << "t:147 Left" << rx << "145.00000"
                                                          << "147" << 0;
    QTest::newRow("Left at the start of the text") << tx << "t:147 Home Left" << rx << "147.00000"
                                                   << "145.00000" << 0;
    QTest::newRow("Right on an untouched entry moves at once") << rx << "Right" << tx << "145.00000"
                                                               << "145.50000" << 0;
    QTest::newRow("arrows without an open editor")
        << rx << "Esc Down" << QPoint(6, 1) << "145.00000"
        << "" << 0;
    QTest::newRow("arrow at the grid's edge keeps the entry")
        << QPoint(1, 1) << "t:147 Up" << QPoint(1, 1) << ""
        << "147" << 0;
    QTest::newRow("list: arrows move between cells")
        << QPoint(5, 3) << "Down" << QPoint(6, 3) << "67.0"
        << "None" << 0;
    QTest::newRow("list: Esc keeps the cell")
        << QPoint(5, 5) << "t:h Esc" << QPoint(5, 5) << "Low" << QString() << 0;
    QTest::newRow("list: typing picks, Enter stores")
        << QPoint(5, 5) << "t:h Enter" << QPoint(5, 6) << "High"
        << "Unlock" << 0;
    // After the Caution the refused cell is current, its editor open on the refused entry.
    QTest::newRow("refused: the cell stays") << rx << "t:146.521 Tab" << rx << "145.00000"
                                             << "146.521" << 1;
    QTest::newRow("focus on the grid: the open editor takes the keys")
        << rx << "grid t:147 Enter" << tx << "147.00000"
        << "145.50000" << 0;
    QTest::newRow("refused, then typed again")
        << rx << "t:146.521 Down t:146.525 Down" << QPoint(6, 1) << "146.52500"
        << "" << 1;
}

void ProgramViewTest::singleCellKeys() {
    QFETCH(QPoint, from);
    QFETCH(QString, keys);
    QFETCH(QPoint, at);
    QFETCH(QString, cell);
    QFETCH(QString, editor);
    QFETCH(int, cautions);
    ViewRig rig;
    QVERIFY(rig.ready);
    rig.SetRow(5, kExisting);
    QTRY_VERIFY(rig.Enter(from.x(), from.y())->hasFocus());

    Keys(keys);
    QTRY_COMPARE(QPoint(rig.Grid().GetRow(), rig.Grid().GetCol()), at);
    QCOMPARE(rig.Grid().GetTextMatrix(from.x(), from.y()), cell);
    QWidget* open = rig.view->GetCellEditor();
    if (editor.isNull()) {
        QVERIFY(open->isHidden());
    } else {
        QVERIFY(open->isVisible() && open->hasFocus());
        QCOMPARE(EditorText(open), editor);
        QVERIFY(rig.Grid().viewport()->rect().contains(open->geometry().center()));
    }
    QCOMPARE(rig.fx.messages.shown.size(), cautions);
}

void ProgramViewTest::gridFillsTheWindow_data() {
    QTest::addColumn<double>("wide");  // the view's size in form sizes
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("row");  // the cell being edited; 200 is scrolled into view first
    QTest::newRow("twice the form") << 2.0 << 2.0 << 3;
    QTest::newRow("wide and low") << 2.5 << 1.0 << 3;
    QTest::newRow("taller at the grid's end") << 1.0 << 2.0 << 200;
    QTest::newRow("smaller than the form: scroll bars") << 0.7 << 0.6 << 3;
}

void ProgramViewTest::gridFillsTheWindow() {
    QFETCH(double, wide);
    QFETCH(double, high);
    QFETCH(int, row);
    ViewRig rig;
    CMSFlexGrid& grid = rig.Grid();
    const QSize form = rig.view->FormSize();
    const QSize templateGrid = grid.size();
    const int rowsBefore = grid.viewport()->height() / grid.rowHeight(0);
    rig.Enter(row, 2);
    Keys("t:146.5");  // pending: a resize must neither store nor drop it

    rig.view->resize(int(form.width() * wide), int(form.height() * high));
    QApplication::processEvents();

    if (wide < 1) {
        QCOMPARE(grid.size(), templateGrid);
        QVERIFY(rig.view->horizontalScrollBar()->isVisible());
        QVERIFY(rig.view->verticalScrollBar()->isVisible());
    } else {
        // The grid keeps the form's margins around it.
        const QRect frame = rig.view->viewport()->rect();
        QCOMPARE(grid.geometry().marginsAdded(QMargins(grid.x(), grid.y(), 0, 0)).topLeft(),
                 QPoint(0, 0));
        QCOMPARE(frame.width() - grid.width(), form.width() - templateGrid.width());
        QCOMPARE(frame.height() - grid.height(), form.height() - templateGrid.height());
        // Columns fill its width in their proportions; rows fill its height.
        double factorSum = 0;
        for (double f : CProgramView::kColumnFactors) factorSum += f;
        const int unit = grid.UnitWidthToFit(factorSum);
        int columns = 0;
        for (int col = 0; col < 10; ++col) {
            QCOMPARE(grid.GetColWidth(col), int(unit * CProgramView::kColumnFactors[col]));
            if (col > 0) columns += grid.columnWidth(col - 1);
        }
        // Short of the width by what rounding ten widths to pixels leaves, and 4 spare pixels.
        QVERIFY2(columns <= grid.viewport()->width() && columns > grid.viewport()->width() - 20,
                 qPrintable(QString("%1 of %2").arg(columns).arg(grid.viewport()->width())));
        const int rowsNow = grid.viewport()->height() / grid.rowHeight(0);
        if (high > 1)
            QVERIFY2(rowsNow > rowsBefore * high * 0.9, qPrintable(QString::number(rowsNow)));
    }

    // The edit is still under way, its editor over its cell.
    auto* edit = qobject_cast<QLineEdit*>(rig.view->GetCellEditor());
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QString("146.5"));
    QCOMPARE(edit->x(), grid.columnViewportPosition(1) - 3);
    QCOMPARE(edit->y(), grid.rowViewportPosition(row - 1) - 3);
    QCOMPARE(edit->width(), grid.columnWidth(1));
    rig.PressEnter();
    QCOMPARE(grid.GetTextMatrix(row, 2), QString());  // no Rx Frequency: Tx stays empty
    QVERIFY(rig.fx.messages.shown.isEmpty());
}

void ProgramViewTest::scrollingDropsThePendingEdit() {
    ViewRig rig;
    rig.Enter(3, 1);
    rig.Type("146.525");
    QScrollBar* bar = rig.Grid().verticalScrollBar();
    bar->setValue(bar->value() + 5);
    QVERIFY(rig.view->GetCellEditor()->isHidden());

    rig.Grid().SetCol(2);  // leaving the cell finds nothing to store
    QCOMPARE(rig.Grid().GetTextMatrix(3, 1), QString());
    QVERIFY(!rig.doc.IsModified());
}

void ProgramViewTest::comboChoice_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<bool>("existing");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("pick");  // empty: pass through without choosing
    QTest::addColumn<QString>("cell");

    QTest::newRow("tone on an empty row") << QByteArray("English") << false << 3 << "67.0"
                                          << "";
    QTest::newRow("power on an empty row") << QByteArray("English") << false << 5 << "Low"
                                           << "";
    QTest::newRow("tone on a channel") << QByteArray("English") << true << 4 << "D754I"
                                       << "D754I";
    QTest::newRow("first item chosen") << QByteArray("English") << true << 5 << "High"
                                       << "High";
    QTest::newRow("Chinese power") << QByteArray("Chinese") << true << 5 << "中"
                                   << "中";
    // A decoded text no list holds stays when the user passes through.
    QTest::newRow("odd tone passed through") << QByteArray("English") << true << 3 << ""
                                             << "D07N";
}

void ProgramViewTest::comboChoice() {
    QFETCH(QByteArray, language);
    QFETCH(bool, existing);
    QFETCH(int, col);
    QFETCH(QString, pick);
    QFETCH(QString, cell);
    ViewRig rig(language.constData());
    if (existing) {
        QStringList texts = kExisting;
        texts[2] = "D07N";
        rig.SetRow(5, texts);
    }
    rig.Enter(5, col);
    if (!pick.isEmpty()) rig.Pick(pick);
    rig.PressEnter();
    QCOMPARE(rig.Grid().GetTextMatrix(5, col), cell);
    QCOMPARE(rig.Grid().GetCol(), col + 1);
}

void ProgramViewTest::comboOpensOnFirstMatch_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("selected");
    QTest::newRow("empty: first item") << QByteArray("English") << 3 << ""
                                       << "None";
    QTest::newRow("prefix, other case") << QByteArray("English") << 3 << "d023"
                                        << "D023N";
    QTest::newRow("no match: first item") << QByteArray("English") << 4 << "D07N"
                                          << "None";
    QTest::newRow("inverted code") << QByteArray("English") << 4 << "D023I"
                                   << "D023I";
    QTest::newRow("lock") << QByteArray("English") << 6 << "Unlock"
                          << "Unlock";
    QTest::newRow("bandwidth prefix") << QByteArray("English") << 8 << "n"
                                      << "Narrow";
    QTest::newRow("Chinese lock") << QByteArray("Chinese") << 6 << "未锁定"
                                  << "未锁定";
}

void ProgramViewTest::comboOpensOnFirstMatch() {
    QFETCH(QByteArray, language);
    QFETCH(int, col);
    QFETCH(QString, cell);
    QFETCH(QString, selected);
    ViewRig rig(language.constData());
    rig.Grid().SetTextMatrix(8, col, cell);
    auto* combo = qobject_cast<QComboBox*>(rig.Enter(8, col));
    QVERIFY(combo && combo->isVisible());
    QCOMPARE(combo->currentText(), selected);
}

void ProgramViewTest::nameEditorLimits() {
    ViewRig rig;
    // Typed names: upper case, six characters at most.
    rig.SetRow(4, kExisting);
    auto* name = qobject_cast<QLineEdit*>(rig.Enter(4, 9));
    rig.Type("ab-1xyzw");
    QCOMPARE(name->text(), QString("AB-1XY"));
    rig.PressEnter();
    QCOMPARE(rig.Grid().GetTextMatrix(4, 9), QString("AB-1XY"));
    // Characters a radio name cannot hold would end the stored name: they are not taken.
    name = qobject_cast<QLineEdit*>(rig.Enter(4, 9));
    name->selectAll();
    TypeText(name, QString::fromUtf8("a b.é_"));
    QCOMPARE(name->text(), QString("AB_"));

    // A decoded eight-character name is shown whole, cannot grow, and stays whole when the
    // cell is left untouched, down to the image.
    radio::RadioImage& image = rig.doc.image();
    const std::uint8_t record[16] = {0x00, 0x25, 0x65, 0x14, 0x00, 0x25, 0x65, 0x14,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(record), std::end(record), image.Record(9).begin());
    radio::EncodeName("LONGNAME", image.NameBytes(9));
    rig.view->OnInitialUpdate();
    QCOMPARE(rig.Grid().GetTextMatrix(10, 9), QString("LONGNAME"));
    name = qobject_cast<QLineEdit*>(rig.Enter(10, 9));
    QCOMPARE(name->text(), QString("LONGNAME"));
    name->end(false);
    QTest::keyClick(name, Qt::Key_X);
    QCOMPARE(name->text(), QString("LONGNAME"));
    rig.Grid().SetCol(8);
    QCOMPARE(rig.Grid().GetTextMatrix(10, 9), QString("LONGNAME"));
    rig.view->EncodeGridToImage();
    QCOMPARE(radio::DecodeName(image.NameBytes(9)), std::string("LONGNAME"));

    // It can be shortened.
    name = qobject_cast<QLineEdit*>(rig.Enter(10, 9));
    name->end(false);
    QTest::keyClick(name, Qt::Key_Backspace);
    rig.PressEnter();
    QCOMPARE(rig.Grid().GetTextMatrix(10, 9), QString("LONGNAM"));
}

void ProgramViewTest::editBoxStopsAtItsWidth() {
    ViewRig rig;
    auto* edit = qobject_cast<CCellEdit*>(rig.Enter(2, 1));
    QTest::keyClicks(edit, QString(60, QLatin1Char('8')));
    QVERIFY(edit->text().size() > 5);
    QVERIFY(edit->text().size() < 60);
    QVERIFY(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width());
}

void ProgramViewTest::helpAtTheFocusedControl_data() {
    QTest::addColumn<int>("col");  // 0: the grid itself
    QTest::addColumn<QString>("context");
    QTest::newRow("grid") << 0 << "1000";
    QTest::newRow("Rx Frequency editor") << 1 << "2127";
    QTest::newRow("Rx Tone list") << 3 << "2132";
    QTest::newRow("Bandwidth list") << 8 << "1135";
    QTest::newRow("name editor") << 9 << "1126";
}

void ProgramViewTest::helpAtTheFocusedControl() {
    QFETCH(int, col);
    QFETCH(QString, context);
    ViewRig rig;
    QWidget* target = &rig.Grid();
    if (col == 0) {
        rig.Grid().setFocus();
    } else {
        target = rig.Enter(3, col);
    }
    QTRY_VERIFY(target->hasFocus());
    QTest::keyClick(target, Qt::Key_F1);
    QCOMPARE(rig.fx.openedUrls.size(), 1);
    QCOMPARE(rig.fx.openedUrls[0].fragment(), context);
}

void ProgramViewTest::saveTakesThePendingEdit() {
    ViewRig rig;
    rig.Enter(1, 1);
    rig.Type("146.525");  // no Enter: the save commits it
    const QString path = rig.fx.Path("saved.dat");
    QVERIFY(rig.doc.OnSaveDocument(path).ok);
    radio::RadioImage saved;
    QVERIFY(radio::LoadChannelFile(QFile::encodeName(path).toStdString(), saved).ok);
    QStringList decoded;
    for (const std::string& text : radio::DecodeChannelRow(saved, 0, radio::Language::English))
        decoded << QString::fromStdString(text);
    QCOMPARE(decoded, NewChannel("146.52500"));
}

void ProgramViewTest::languageChangeAsksForTheRestart_data() {
    QTest::addColumn<QByteArray>("running");
    QTest::addColumn<int>("choice");  // 0 English, 1 Chinese
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("requests");
    QTest::newRow("other language, OK") << QByteArray("English") << 1 << true << 1;
    QTest::newRow("Chinese to English, OK") << QByteArray("Chinese") << 0 << true << 1;
    QTest::newRow("same language, OK") << QByteArray("English") << 0 << true << 0;
    QTest::newRow("other language, Cancel") << QByteArray("English") << 1 << false << 0;
}

void ProgramViewTest::languageChangeAsksForTheRestart() {
    QFETCH(QByteArray, running);
    QFETCH(int, choice);
    QFETCH(bool, accept);
    QFETCH(int, requests);
    ViewRig rig(running.constData());
    int asked = 0;
    rig.fx.ctx.SetRestartHandler([&asked] {
        ++asked;
        return false;  // the program stays, as after a cancelled close
    });
    QTimer::singleShot(0, [choice, accept] {
        auto* dlg = qobject_cast<CLanguageDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        dlg->SetSelection(choice);
        accept ? dlg->accept() : dlg->reject();
    });
    rig.view->OnLanguage();
    QCOMPARE(asked, requests);
    QCOMPARE(rig.fx.ctx.Config().dirty(), requests == 1);
}

QTEST_MAIN(ProgramViewTest)
#include "program_view_test.moc"
