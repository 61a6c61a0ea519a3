#include "desktop/services/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_pBrowser(new QTextBrowser(this)) {
    setWindowTitle(title);
    // Addresses outside the page go to whatever the desktop offers; the page's own anchors
    // stay here.
    m_pBrowser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
    resize(760, 600);
}

void CHelpWindow::keyPressEvent(QKeyEvent* event) {
    // The browser passes on what it does not use, Esc among them.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void CHelpWindow::ShowPage(const QUrl& url) {
    QUrl page = url;
    page.setFragment({});
    if (m_pBrowser->source().adjusted(QUrl::RemoveFragment) != page) m_pBrowser->setSource(page);
    // First shown over the window the user works in; after that where the user left it.
    if (!m_bPlaced) {
        if (const QWidget* over = QApplication::activeWindow())
            move(over->geometry().center() - rect().center());
        m_bPlaced = true;
    }
    // Scrolled after showing, when the browser knows its height.
    show();
    raise();
    activateWindow();
    if (url.hasFragment())
        m_pBrowser->scrollToAnchor(url.fragment());
    else
        m_pBrowser->verticalScrollBar()->setValue(0);
    m_pBrowser->setFocus();
}
