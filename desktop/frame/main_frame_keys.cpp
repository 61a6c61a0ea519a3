// Moving around the main window by keyboard alone, and what a reader is told there.

#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "desktop/channels/program_view.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/frame/mdi_client_wnd.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/announcer.h"

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
