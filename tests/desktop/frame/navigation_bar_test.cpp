// The navigation panel: its resize strip, close button, tree rule and items.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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
    explicit Frame(const char* company = "Radio Co", QByteArray ini = SampleIni("English"))
        : fx(ini.replace("Company=Radio Co", QByteArray("Company=") + company)), frame(fx.ctx) {
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
    void treeActsOnlyOnTheUsersChoice_data();
    void treeActsOnlyOnTheUsersChoice();
    void productInformationItem_data();
    void productInformationItem();
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

void NavigationBarTest::treeActsOnlyOnTheUsersChoice_data() {
    QTest::addColumn<QByteArray>("company");
    QTest::addColumn<QString>("how");     // click, key or focus
    QTest::addColumn<int>("item");        // 0 root, 1 and 2 its children
    QTest::addColumn<int>("key");         // for "key"
    QTest::addColumn<QString>("chosen");  // null: nothing chosen
    const QByteArray co("Radio Co");
    QTest::newRow("click on Optional Features") << co << "click" << 2 << 0 << "Optional Features";
    QTest::newRow("click on Channel Information")
        << co << "click" << 1 << 0 << "Channel Information";
    QTest::newRow("Enter on the current item")
        << co << "key" << 2 << int(Qt::Key_Return) << "Optional Features";
    QTest::newRow("Space on the current item")
        << co << "key" << 1 << int(Qt::Key_Space) << "Channel Information";
    QTest::newRow("arrow moves the selection only")
        << co << "key" << 1 << int(Qt::Key_Down) << QString();
    // The window coming back with the pointer resting over an item, after a file dialog.
    QTest::newRow("focus and activation over an item") << co << "focus" << 2 << 0 << QString();
    QTest::newRow("company named like a destination")
        << QByteArray("Channel Information") << "click" << 0 << 0 << "Channel Information";
}

void NavigationBarTest::treeActsOnlyOnTheUsersChoice() {
    QFETCH(QByteArray, company);
    QFETCH(QString, how);
    QFETCH(int, item);
    QFETCH(int, key);
    QFETCH(QString, chosen);
    Frame f(company.constData());
    QTreeWidget* tree = f.bar->tree();
    QTreeWidgetItem* root = f.bar->rootItem();
    QTreeWidgetItem* target = item == 0 ? root : root->child(item - 1);
    f.bar->disconnect(&f.frame);  // only which item is chosen matters here, not the dialogs
    QSignalSpy spy(f.bar, &CNavigationBar::itemChosen);

    // Twice in a row: choosing the same item again counts again.
    for (int round = 1; round <= 2; ++round) {
        const QPoint over = tree->visualItemRect(target).center();
        if (how == "click") {
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, over);
        } else if (how == "key") {
            tree->setCurrentItem(target);
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key(key));
        } else {
            QTest::mouseMove(tree->viewport(), over);
            tree->setCurrentItem(target);
            f.frame.activateWindow();
            tree->setFocus(Qt::ActiveWindowFocusReason);
            f.frame.setFocus();
            tree->setFocus(Qt::MouseFocusReason);
        }
        QTest::qWait(20);
        QCOMPARE(spy.count(), chosen.isNull() ? 0 : round);
        if (!chosen.isNull()) QCOMPARE(spy.last().at(0).toString(), chosen);
    }
}

void NavigationBarTest::productInformationItem_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QByteArray>("flag");  // the ShowProductInfo line; empty: none
    QTest::addColumn<QString>("item");     // null: no third item
    QTest::newRow("hidden by default") << QByteArray("English") << QByteArray() << QString();
    QTest::newRow("0 keeps it hidden") << QByteArray("English") << QByteArray("0") << QString();
    QTest::newRow("1 shows it") << QByteArray("English") << QByteArray("1")
                                << "Product Information";
    QTest::newRow("1 in Chinese") << QByteArray("Chinese") << QByteArray("1")
                                  << QString::fromUtf8("类型设置");
}

void NavigationBarTest::productInformationItem() {
    QFETCH(QByteArray, language);
    QFETCH(QByteArray, flag);
    QFETCH(QString, item);
    QByteArray ini = SampleIni(language.constData());
    if (!flag.isEmpty()) ini.replace("[Setup]\n", "[Setup]\nShowProductInfo=" + flag + "\n");
    Frame f("Radio Co", ini);
    QTreeWidgetItem* root = f.bar->rootItem();
    QCOMPARE(root->childCount(), item.isNull() ? 2 : 3);
    if (item.isNull()) return;
    QTreeWidgetItem* product = root->child(2);
    QCOMPARE(product->text(0), item);

    // A click opens the Product Information dialog over the active document.
    QString opened;
    QTimer::singleShot(0, [&opened] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        opened = dialog->windowTitle();
        dialog->reject();
    });
    QTest::mouseClick(f.bar->tree()->viewport(), Qt::LeftButton, {},
                      f.bar->tree()->visualItemRect(product).center());
    QCOMPARE(opened, QString("Product Information"));
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
