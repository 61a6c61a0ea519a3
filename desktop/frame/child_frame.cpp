#include "desktop/frame/child_frame.h"

#include <QCloseEvent>
#include <QMenu>

#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"
#include "desktop/services/app_pictures.h"

CChildFrame::CChildFrame(AppContext& ctx, CProgramDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_pDocument(doc) {
    doc->setParent(this);
    m_pView = new CProgramView(ctx, doc, this);
    setWidget(m_pView);
    setWindowTitle(doc->GetTitle());
    setWindowIcon(TitleIcon());
    connect(doc, &CProgramDoc::titleChanged, this, &QWidget::setWindowTitle);
    // The system menu's own shortcuts would shadow the program's accelerators (Ctrl+W is
    // Program > Write here).
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) action->setShortcuts({});
    }
}

void CChildFrame::InitialPlacement() {
    setGeometry(0, 0, 1600, 1200);
    // The subwindow keeps its title bar and borders as contents margins.
    const QMargins m = contentsMargins();
    const QSize frame(m.left() + m.right(), m.top() + m.bottom());
    const QSize fit = m_pView->FormSize() + frame;
    resize(size().boundedTo(fit));
}

void CChildFrame::Destroy() {
    // At once, so the window list no longer holds it when the next document is created.
    delete this;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_pView->QueryInterrupt()) hide();
}
