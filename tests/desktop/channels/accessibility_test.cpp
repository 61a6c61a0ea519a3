// The program as a screen reader and the keyboard alone meet it: what each key makes a reader
// say in the grid, the keys of list cells, the names and roles of every control, moving between
// panes and windows, and the end of a transfer heard once.

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QDockWidget>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "core/formats/channel_list.h"
#include "core/image/channel_file.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/announcer.h"
#include "desktop/services/command_ids.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "tests/desktop/channels/view_test_support.h"

// Qt passes accessibility events on only while its platform accessibility is active, which a
// screen reader's bridge switches on; the offscreen platform has no bridge. Its default
// platform accessibility object is switched on here the way a bridge does it.
class QPlatformAccessibility {
  public:
    void setActive(bool active);
};
class QPlatformIntegration {
  public:
    QPlatformAccessibility* accessibility() const;  // the default one, shared by the platforms
};
class QGuiApplicationPrivate {
  public:
    static QPlatformIntegration* platform_integration;
};

namespace {

void SwitchOnAccessibility() {
    if (QGuiApplicationPrivate::platform_integration)
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(true);
}

// What reached assistive technology: the focus events and the alerts, by name.
struct Heard {
    QObject* object;
    QString name;
};
QList<Heard> g_focus;
QStringList g_alerts;

void Listen(QAccessibleEvent* event) {
    if (event->type() != QAccessible::Focus && event->type() != QAccessible::Alert) return;
    QAccessibleInterface* iface = event->accessibleInterface();
    const QString name = iface ? iface->text(QAccessible::Name) : QString();
    if (event->type() == QAccessible::Focus)
        g_focus.append({event->object(), name});
    else
        g_alerts.append(name);
}

QAccessibleInterface* Iface(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

void Press(const QString& token) {
    const QKeyCombination key = QKeySequence::fromString(token)[0];
    QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
}

// The controls a reader must be able to name: lists, tables, trees, spin boxes, icon buttons.
QStringList UnnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        const bool needsName = qobject_cast<QAbstractItemView*>(w) ||
                               qobject_cast<QAbstractSpinBox*>(w) ||
                               (button && button->text().isEmpty());
        if (!needsName || !w->isVisibleTo(window)) continue;
        // A table's headers and corner are parts of its own accessible table, not objects.
        bool insideView = false;
        for (QWidget* up = w->parentWidget(); up && up != window; up = up->parentWidget())
            insideView = insideView || qobject_cast<QAbstractItemView*>(up);
        if (insideView || w->parentWidget()->inherits("QComboBox")) continue;
        QAccessibleInterface* iface = Iface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 %2").arg(w->metaObject()->className(), w->objectName());
    }
    return unnamed;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QAccessible::installUpdateHandler(Listen);
        SwitchOnAccessibility();
        QVERIFY(QAccessible::isActive());
    }
    void init() {
        g_focus.clear();
        g_alerts.clear();
    }
    void oneNamedFocusEventPerKey_data();
    void oneNamedFocusEventPerKey();
    void listCellKeysMoveNotPick_data();
    void listCellKeysMoveNotPick();
    void namesAndRoles();
    void panesAndWindowsByKeyboard();
    void readEndIsHeardOnce();
    void changesSaidInWords();
};

void AccessibilityTest::oneNamedFocusEventPerKey_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("heard");  // one name per key
    QTest::newRow("arrows over edit boxes and lists")
        << 2 << 1 << "Down Right Right Down Left"
        << QStringList{"Rx Frequency, channel 2: 146.53000", "Tx Frequency, channel 2: 146.53000",
                       "Rx Tone, channel 2: 88.5", "Rx Tone, channel 3: None",
                       "Tx Frequency, channel 3: 146.54000"};
    QTest::newRow("the same editor, cell to cell")
        << 3 << 3 << "Up Up Down"
        << QStringList{"Rx Tone, channel 1: None", "Rx Tone, priority channel: None",
                       "Rx Tone, channel 1: None"};
    QTest::newRow("Enter, Tab, Shift+Tab to the next row and back")
        << 1 << 9 << "Return Tab Shift+Backtab"
        << QStringList{"Rx Frequency, channel 1: 146.52000", "Tx Frequency, channel 1: 146.52000",
                       "Rx Frequency, channel 1: 146.52000"};
    QTest::newRow("paging in a list cell")
        << 4 << 5 << "PgUp" << QStringList{"Power, priority channel: High"};
}

void AccessibilityTest::oneNamedFocusEventPerKey() {
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, keys);
    QFETCH(QStringList, heard);
    ViewRig rig;
    QVERIFY(rig.ready);
    rig.SetRow(1, NewChannel("146.51000"));
    rig.SetRow(2, NewChannel("146.52000"));
    rig.SetRow(3, NewChannel("146.53000"));
    rig.SetRow(4, NewChannel("146.54000"));
    rig.Grid().SetTextMatrix(3, 3, "88.5");
    rig.Enter(row, col);
    const QStringList tokens = keys.split(' ');
    for (int i = 0; i < tokens.size(); ++i) {
        g_focus.clear();
        Press(tokens[i]);
        QCOMPARE(g_focus.size(), 1);
        QCOMPARE(g_focus[0].name, heard[i]);
        // The object announced is the one the keys now go to, and it is the editor in view.
        QCOMPARE(g_focus[0].object, QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget(), rig.view->GetCellEditor());
        QVERIFY(rig.view->GetCellEditor()->isVisible());
    }
    QVERIFY(!rig.doc.IsModified());  // moving stored nothing
}

void AccessibilityTest::listCellKeysMoveNotPick_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("row");  // the current cell afterwards; 0: one page down
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("dropped");  // the list is dropped down
    QTest::newRow("Home") << "Home" << 5 << 1 << false;
    QTest::newRow("End") << "End" << 5 << 9 << false;
    QTest::newRow("Ctrl+Home") << "Ctrl+Home" << 1 << 1 << false;
    QTest::newRow("Ctrl+End") << "Ctrl+End" << 200 << 9 << false;
    QTest::newRow("Page Up") << "PgUp" << 1 << 3 << false;
    QTest::newRow("Page Down") << "PgDown" << 0 << 3 << false;
    QTest::newRow("F4") << "F4" << 5 << 3 << true;
    QTest::newRow("Space") << "Space" << 5 << 3 << true;
}

void AccessibilityTest::listCellKeysMoveNotPick() {
    QFETCH(QString, key);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, dropped);
    ViewRig rig;
    QVERIFY(rig.ready);
    rig.SetRow(5, NewChannel("146.52000"));
    rig.Grid().SetTextMatrix(5, 3, "88.5");
    auto* combo = qobject_cast<QComboBox*>(rig.Enter(5, 3));
    QVERIFY(combo);
    const int page = rig.Grid().viewport()->height() / rig.Grid().rowHeight(0);
    Press(key);
    QCOMPARE(rig.Grid().GetRow(), row ? row : 5 + page);
    QCOMPARE(rig.Grid().GetCol(), col);
    QCOMPARE(combo->view()->isVisible(), dropped);
    if (dropped) combo->hidePopup();
    QCOMPARE(rig.Grid().GetTextMatrix(5, 3), QString("88.5"));  // no entry was picked
    QVERIFY(!rig.doc.IsModified());
}

void AccessibilityTest::namesAndRoles() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    auto* doc = new CProgramDoc(fx.ctx);
    doc->OnNewDocument();
    CProgramView* view = frame.CreateChildFrame(doc)->GetView();
    QCoreApplication::processEvents();  // the editor opens once the window is laid out
    view->OnWrite();                    // the progress window as a write opens it
    CProgressDlg* progress = view->ProgressDlg();
    CImportPreviewDlg preview(fx.ctx, &frame);

    struct Expected {
        const char* what;
        QObject* object;
        QAccessible::Role role;
        QString name;
    };
    const Expected table[] = {
        {"grid", view->Grid(), QAccessible::Table, "Channels"},
        {"editor", view->GetCellEditor(), QAccessible::EditableText,
         "Rx Frequency, priority channel: empty"},
        {"tree", frame.NavigationBar()->tree(), QAccessible::Tree, "Navigation"},
        {"dock", frame.NavigationDock(), QAccessible::Window, "Radio Co"},
        {"panel close", frame.NavigationBar()->closeButton(), QAccessible::Button,
         "Close the navigation panel"},
        {"progress bar", progress->GetDlgItem(CProgressDlg::kIdProgress), QAccessible::ProgressBar,
         "Writing"},
        {"progress line", progress->GetDlgItem(CProgressDlg::kIdPosition), QAccessible::StaticText,
         "Press OK to start"},
        {"preview start", preview.findChild<QSpinBox*>(), QAccessible::SpinBox,
         "Channel the file's first channel goes to"},
        {"preview table", preview.findChild<QTableWidget*>(), QAccessible::Table,
         "Channels that change, now and after the import"},
        {"preview findings", preview.findChild<QListWidget*>(), QAccessible::List, "Findings"},
        {"status line", frame.Announcer(), QAccessible::AlertMessage, ""},
    };
    for (const Expected& e : table) {
        QAccessibleInterface* iface = Iface(e.object);
        QVERIFY2(iface, e.what);
        QCOMPARE(iface->role(), e.role);
        QCOMPARE(iface->text(QAccessible::Name), e.name);
    }

    // Row headers are named without their padding.
    QAccessibleInterface* grid = Iface(view->Grid());
    QStringList rowHeaders;
    for (int i = 0; i < grid->childCount() && rowHeaders.size() < 3; ++i) {
        if (grid->child(i)->role() == QAccessible::RowHeader)
            rowHeaders << grid->child(i)->text(QAccessible::Name);
    }
    QCOMPARE(rowHeaders, QStringList({"Pr", "1", "2"}));

    // No unnamed control in any window a reader opens; no menu or toolbar name with a tab.
    for (QWidget* window : std::initializer_list<QWidget*>{&frame, frame.OptionFeaturesDlg(),
                                                           view->ComSetupDlg(), &preview, progress})
        QVERIFY2(UnnamedControls(window).isEmpty(), qPrintable(UnnamedControls(window).join(", ")));
    for (QAction* action : frame.findChildren<QAction*>())
        QVERIFY2(!action->text().contains('\t'), qPrintable(action->text()));
    for (QWidget* button : frame.ToolBar()->findChildren<QToolButton*>()) {
        if (QAccessibleInterface* iface = Iface(button))
            QVERIFY(!iface->text(QAccessible::Name).contains('\t'));
    }
    QCOMPARE(frame.Action(ID_PROGRAM_READ)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QCOMPARE(frame.Action(ID_EDIT_COPY)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
}

void AccessibilityTest::panesAndWindowsByKeyboard() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    frame.show();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QList<CChildFrame*> children;
    for (int i = 0; i < 2; ++i) {
        auto* doc = new CProgramDoc(fx.ctx);
        doc->OnNewDocument();
        children << frame.CreateChildFrame(doc);
    }
    QTreeWidget* tree = frame.NavigationBar()->tree();
    const auto inChild = [](CChildFrame* child) {
        return QApplication::focusWidget() == child->GetView()->GetCellEditor();
    };
    QTRY_VERIFY(inChild(children[1]));  // a new window starts on its current cell
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QCOMPARE(QApplication::focusWidget(), tree);
    QTest::keyClick(tree, Qt::Key_F6, Qt::ShiftModifier);
    QVERIFY(inChild(children[1]));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(frame.ActiveChild(), children[0]);
    QVERIFY(inChild(children[0]));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(frame.ActiveChild(), children[1]);
    QVERIFY(inChild(children[1]));
    // The panel's close button is reached and pressed by the keyboard.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QTest::keyClick(tree, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), frame.NavigationBar()->closeButton());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QVERIFY(frame.NavigationDock()->isHidden());
}

void AccessibilityTest::readEndIsHeardOnce() {
    ShellFixture fx(SampleIni("English"));
    CMainFrame frame(fx.ctx);
    QVERIFY(frame.Create());
    frame.show();
    auto* doc = new CProgramDoc(fx.ctx);
    doc->OnNewDocument();
    CProgramView* view = frame.CreateChildFrame(doc)->GetView();
    radio::RadioImage memory;
    QVERIFY(radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", memory));
    view->SetVirtualRadio(std::make_shared<CVirtualRadioHost>(memory));
    view->SetPortName("virtual:");
    QSignalSpy finished(view, &CProgramView::TransferFinished);
    view->OnRead();
    QCOMPARE(
        Iface(view->ProgressDlg()->GetDlgItem(CProgressDlg::kIdProgress))->text(QAccessible::Name),
        QString("Reading"));
    QTest::mouseClick(
        qobject_cast<QPushButton*>(view->ProgressDlg()->GetDlgItem(CProgressDlg::kIdOk)),
        Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 30000);
    int used = 0;
    for (int row = 1; row <= 200; ++row) used += doc->grid().InUse(row) ? 1 : 0;
    QVERIFY(used > 1);
    const QString expected = QString("Read complete: %1 channels").arg(used);
    QCOMPARE(g_alerts, QStringList{expected});
    QCOMPARE(frame.Announcer()->text(), expected);
    QVERIFY(frame.statusBar()->isAncestorOf(frame.Announcer()));
}

void AccessibilityTest::changesSaidInWords() {
    // The import preview: every changed cell of the "after" side says what it was.
    ViewRig rig;
    rig.SetRow(2, NewChannel("145.00000"));
    QFile csv(RADIO_TEST_DATA "/csv/one_of_each.csv");
    QVERIFY(csv.open(QIODevice::ReadOnly));
    CImportPreviewDlg preview(rig.fx.ctx);
    preview.SetImport(rig.doc.grid(), radio::ReadChannelList(csv.readAll().toStdString()), "x.csv");
    auto* table = Iface(preview.findChild<QTableWidget*>())->tableInterface();
    QVERIFY(table);
    const int group = radio::kChannelColumns;
    int described = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int col = 1; col <= group; ++col) {
            const QString before = table->cellAt(row, col)->text(QAccessible::Name);
            const QString after = table->cellAt(row, group + col)->text(QAccessible::Name);
            const QString said = table->cellAt(row, group + col)->text(QAccessible::Description);
            QCOMPARE(said, before == after
                               ? QString()
                               : "changed from " + (before.isEmpty() ? "empty" : before));
            described += said.isEmpty() ? 0 : 1;
        }
    }
    QVERIFY(described > 3);

    // A comparison: the marked cells of the grid and the editor over one say the other value.
    radio::RadioImage other;
    QVERIFY(radio::LoadChannelFile(RADIO_RESOURCES "/demo.dat", other));
    rig.view->StartCompare(other, "demo.dat");
    auto* grid = Iface(rig.view->Grid())->tableInterface();
    QCOMPARE(grid->cellAt(0, 0)->text(QAccessible::Description), QString("changed from 146.52000"));
    QCOMPARE(grid->cellAt(1, 0)->text(QAccessible::Description), QString("changed from 146.55000"));
    rig.Enter(2, 1);
    QCOMPARE(Iface(rig.view->GetCellEditor())->text(QAccessible::Description),
             QString("changed from 146.55000"));
    rig.view->EndCompare();
    QCOMPARE(grid->cellAt(0, 0)->text(QAccessible::Description), QString());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
