// The main window's keys: moving around by keyboard alone, help on F1, the lock-key indicators,
// and what a reader is told there.

#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "desktop/channels/cell_keys.h"
#include "desktop/channels/program_view.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/mdi_client_wnd.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/announcer.h"
#include "desktop/services/app_context.h"
#include "desktop/services/command_ids.h"

void CMainFrame::OnNextPane() {
    // Two panes: the navigation panel and the active channel window. From the panel (or from
    // anywhere with no panel shown) the focus goes to the channel window's current cell.
    QTreeWidget* tree = m_pNavigationBar ? m_pNavigationBar->tree() : nullptr;
    const bool treeShown = tree && m_pNavigationDock && !m_pNavigationDock->isHidden();
    const bool inPanel = m_pNavigationDock && m_pNavigationDock->isAncestorOf(focusWidget());
    CChildFrame* child = ActiveChild();
    if (treeShown && (!inPanel || !child || child->isHidden())) {
        if (!tree->currentItem() && tree->topLevelItemCount() > 0)
            tree->setCurrentItem(tree->topLevelItem(0));
        tree->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (child && !child->isHidden()) {
        m_pMdiClient->setActiveSubWindow(child);
        child->GetView()->FocusCurrentCell();
    }
}

void CMainFrame::OnNextWindow(bool forward) {
    if (ChildFrames().isEmpty()) return;
    if (forward)
        m_pMdiClient->activateNextSubWindow();
    else
        m_pMdiClient->activatePreviousSubWindow();
    if (auto* child = qobject_cast<CChildFrame*>(m_pMdiClient->activeSubWindow())) {
        m_pActiveChild = child;
        child->GetView()->FocusCurrentCell();
    }
}

void CMainFrame::ConnectAnnouncements(CProgramView* view) {
    connect(view, &CProgramView::Announcement, this, [this](const QString& text) {
        if (m_pAnnouncer) m_pAnnouncer->Announce(text);
    });
}

void CMainFrame::NameExtensionButtons() {
    // The arrows Qt shows when the toolbar or the menu bar is too narrow carry only an icon.
    if (auto* more = m_pToolBar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More toolbar buttons"));
    if (auto* more = menuBar()->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button")))
        more->setAccessibleName(tr("More menus"));
}

void CMainFrame::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        m_ctx.ShowHelp(0);  // nothing in particular has the focus: the help's first page
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched->isWidgetType() &&
        m_untippedButtons.contains(static_cast<QWidget*>(watched))) {
        return true;  // Read and Write: no tooltip
    }
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        // The grid's Edit keys (Ctrl+C, Del, ...) act on a channel window. With the focus in
        // another control of this window (the navigation tree), that control keeps them.
        auto* widget = static_cast<QWidget*>(watched);
        const int command = EditCommandOfKey(static_cast<QKeyEvent*>(event));
        if (command != 0 && command != ID_EDIT_UNDO && command != ID_EDIT_REDO &&
            widget->window() == this && widget == QApplication::focusWidget() &&
            !InChannelWindow(widget)) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* menu = qobject_cast<QMenu*>(watched); menu && key->key() == Qt::Key_F1) {
            QAction* item = menu->activeAction();
            m_ctx.ShowHelp(item ? item->property("commandId").toInt() : 0);
            return true;
        }
        // Each key press reaches exactly one window first; counting it there counts it once.
        if (!m_bSystemKeyLocks && !key->isAutoRepeat() && watched->isWindowType()) {
            KeyLockState s = m_keyLocks;
            if (key->key() == Qt::Key_CapsLock)
                s.caps = !s.caps;
            else if (key->key() == Qt::Key_NumLock)
                s.num = !s.num;
            else if (key->key() == Qt::Key_ScrollLock)
                s.scroll = !s.scroll;
            if (!(s == m_keyLocks)) SetKeyLockState(s);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::InChannelWindow(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (qobject_cast<const CChildFrame*>(widget)) return true;
    }
    return false;
}

void CMainFrame::PollKeyLocks() {
    if (const auto state = QueryKeyLockState()) {
        m_bSystemKeyLocks = true;
        SetKeyLockState(*state);
    }
}

void CMainFrame::SetKeyLockState(const KeyLockState& state) {
    m_keyLocks = state;
    m_indicators.value(ID_INDICATOR_CAPS)->setText(state.caps ? QStringLiteral("CAP") : QString());
    m_indicators.value(ID_INDICATOR_NUM)->setText(state.num ? QStringLiteral("NUM") : QString());
    m_indicators.value(ID_INDICATOR_SCRL)
        ->setText(state.scroll ? QStringLiteral("SCRL") : QString());
}
