// The navigation panel: its resize strip, close button and tree rule.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/command_ids.h"
#include "tests/support/fake_services.h"

namespace {

void Send(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent ev(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}
void Press(QWidget* w, QPoint p) {
    Send(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void Move(QWidget* w, QPoint p, bool held) {
    Send(w, QEvent::MouseMove, p, Qt::NoButton, held ? Qt::LeftButton : Qt::NoButton);
}
void Release(QWidget* w, QPoint p) {
    Send(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
}

// A shown main window of 1000 pixels (half: 500) with one channel window.
struct Frame {
    explicit Frame(const char* company = "Radio Co")
        : fx(SampleIni("English").replace("Company=Radio Co", QByteArray("Company=") + company)),
          frame(fx.ctx) {
        QVERIFY(frame.Create());
        auto* doc = new CProgramDoc(fx.ctx);
        doc->OnNewDocument();
        frame.CreateChildFrame(doc);
        frame.setGeometry(0, 0, 1000, 600);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        bar = frame.NavigationBar();
        bar->repaint();  // the panel knows its inner frame once painted
    }
    ShellFixture fx;
    CMainFrame frame;
    CNavigationBar* bar = nullptr;
};

}  // namespace

class NavigationBarTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void layout();
    void resizeClamps_data();
    void resizeClamps();
    void closeButton_data();
    void closeButton();
    void treeChoosesTheItemUnderThePointer_data();
    void treeChoosesTheItemUnderThePointer();
    void channelInformationShowsTheHiddenWindow();
};

void NavigationBarTest::layout() {
    Frame f;
    QCOMPARE(f.bar->barWidth(), 220);
    const int h = f.bar->height();
    QCOMPARE(f.bar->tree()->geometry(), QRect(QPoint(5, 31), QPoint(220 - 8 - 1, h - 51 - 1)));
    QCOMPARE(f.bar->closeButtonRect(), QRect(QPoint(214 - 20, 7 + 4), QSize(16, 15)));
    QCOMPARE(f.bar->resizeStripRect().left(), 214);
    QCOMPARE(f.bar->toolTipAt(f.bar->closeButtonRect().center()), QString("Close"));
    QCOMPARE(f.bar->toolTipAt(QPoint(40, 15)), QString());
}

void NavigationBarTest::resizeClamps_data() {
    QTest::addColumn<int>("dragTo");
    QTest::addColumn<int>("lineAt");
    QTest::addColumn<int>("width");
    QTest::newRow("within bounds") << 300 << 300 << 300;
    QTest::newRow("past half the window") << 700 << 500 << 500;
    QTest::newRow("left of the line's limit") << 50 << 80 << 50;
    QTest::newRow("left of the smallest width") << 4 << 80 << 11;
}

void NavigationBarTest::resizeClamps() {
    QFETCH(int, dragTo);
    QFETCH(int, lineAt);
    QFETCH(int, width);
    Frame f;
    const QPoint strip = f.bar->resizeStripRect().center();
    Press(f.bar, strip);
    QVERIFY(f.bar->isResizing());
    Move(f.bar, QPoint(dragTo, strip.y()), true);
    QCOMPARE(f.bar->trackingLineX(), lineAt);
    Release(f.bar, QPoint(dragTo, strip.y()));
    QVERIFY(!f.bar->isResizing());
    QCOMPARE(f.bar->trackingLineX(), -1);
    QCOMPARE(f.bar->barWidth(), width);
    QTRY_COMPARE(f.bar->width(), width);
}

void NavigationBarTest::closeButton_data() {
    QTest::addColumn<bool>("pressOnButton");
    QTest::addColumn<bool>("releaseOnButton");
    QTest::addColumn<bool>("hides");
    QTest::newRow("click on the button") << true << true << true;
    QTest::newRow("pressed elsewhere, released on it") << false << true << true;
    QTest::newRow("pressed on it, released elsewhere") << true << false << false;
}

void NavigationBarTest::closeButton() {
    QFETCH(bool, pressOnButton);
    QFETCH(bool, releaseOnButton);
    QFETCH(bool, hides);
    Frame f;
    const QPoint button = f.bar->closeButtonRect().center();
    const QPoint elsewhere(60, 15);
    QAction* controlBar = f.frame.Action(ID_VIEW_CONTROL_BAR);
    f.frame.UpdateCommandStates();
    QVERIFY(controlBar->isChecked());

    Move(f.bar, button, false);
    QVERIFY(f.bar->isCloseHovered());
    Press(f.bar, pressOnButton ? button : elsewhere);
    QCOMPARE(f.bar->isClosePressed(), pressOnButton);
    Release(f.bar, releaseOnButton ? button : elsewhere);
    QVERIFY(!f.bar->isClosePressed() && !f.bar->isCloseHovered());
    QCOMPARE(f.frame.NavigationDock()->isHidden(), hides);
    QCOMPARE(controlBar->isChecked(), !hides);

    // View > Control Bar toggles it back, and the check mark follows.
    controlBar->trigger();
    QCOMPARE(f.frame.NavigationDock()->isHidden(), !hides);
    QCOMPARE(controlBar->isChecked(), hides);
}

void NavigationBarTest::treeChoosesTheItemUnderThePointer_data() {
    QTest::addColumn<QByteArray>("company");
    QTest::addColumn<int>("selected");     // 0 root, 1 and 2 its children
    QTest::addColumn<int>("pointerOver");  // -1: not over any item
    QTest::addColumn<QString>("chosen");   // null: nothing chosen
    QTest::newRow("click on Optional Features")
        << QByteArray("Radio Co") << 2 << 2 << QString("Optional Features");
    QTest::newRow("keyboard, pointer elsewhere") << QByteArray("Radio Co") << 1 << -1 << QString();
    QTest::newRow("keyboard, pointer over another item")
        << QByteArray("Radio Co") << 2 << 1 << QString("Channel Information");
    QTest::newRow("company named like a destination")
        << QByteArray("Channel Information") << 0 << 0 << QString("Channel Information");
}

void NavigationBarTest::treeChoosesTheItemUnderThePointer() {
    QFETCH(QByteArray, company);
    QFETCH(int, selected);
    QFETCH(int, pointerOver);
    QFETCH(QString, chosen);
    Frame f(company.constData());
    QTreeWidget* tree = f.bar->tree();
    QTreeWidgetItem* root = f.bar->rootItem();
    const auto item = [root](int i) { return i == 0 ? root : root->child(i - 1); };
    f.bar->SetCursorSource([&] {
        if (pointerOver < 0)
            return tree->viewport()->mapToGlobal(QPoint(5, tree->viewport()->height() - 3));
        return tree->viewport()->mapToGlobal(tree->visualItemRect(item(pointerOver)).center());
    });
    f.bar->disconnect(&f.frame);  // only which item is chosen matters here, not the dialogs
    QSignalSpy spy(f.bar, &CNavigationBar::itemChosen);

    // Twice in a row: the root is selected again in between, so the second is a change too.
    for (int round = 1; round <= 2; ++round) {
        if (selected == 0) {
            // Choosing the root needs another item current first; that move is not a choice.
            const QSignalBlocker quiet(tree);
            tree->setCurrentItem(root->child(0));
        }
        tree->setCurrentItem(item(selected));
        QTest::qWait(20);
        QCOMPARE(tree->currentItem(), root);
        QCOMPARE(spy.count(), chosen.isNull() ? 0 : round);
        if (!chosen.isNull()) QCOMPARE(spy.last().at(0).toString(), chosen);
    }
}

void NavigationBarTest::channelInformationShowsTheHiddenWindow() {
    Frame f;
    CChildFrame* child = f.frame.ActiveChild();
    child->close();
    QVERIFY(child->isHidden());
    f.frame.OnTreeItemChosen("Channel Information");
    QVERIFY(!child->isHidden());
    // Texts of the other language mean nothing in this one.
    child->close();
    f.frame.OnTreeItemChosen(QString::fromUtf8("信道信息"));
    QVERIFY(child->isHidden());
}

QTEST_MAIN(NavigationBarTest)
#include "navigation_bar_test.moc"
