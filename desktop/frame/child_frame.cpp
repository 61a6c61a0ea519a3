#include "desktop/frame/child_frame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/image/radio_image.h"
#include "desktop/channels/program_view.h"
#include "desktop/document/program_doc.h"
#include "desktop/services/app_context.h"
#include "desktop/services/app_pictures.h"

CChildFrame::CChildFrame(AppContext& ctx, CProgramDoc* doc, QWidget* parent)
    : QMdiSubWindow(parent), m_ctx(ctx), m_pDocument(doc) {
    doc->setParent(this);
    auto* body = new QWidget(this);
    m_pView = new CProgramView(ctx, doc, body);
    m_pStatusBar = new QStatusBar(body);
    m_pStatusBar->setSizeGripEnabled(false);
    m_pBand = new QLabel(m_pStatusBar);
    m_pBand->setAccessibleName(tr("Band in force"));
    m_pBand->setToolTip(
        tr("The band the image holds; a write sends it to the radio (Product Information)"));
    m_pStatusBar->addPermanentWidget(m_pBand);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pView, 1);
    layout->addWidget(m_pStatusBar);
    setWidget(body);

    const auto title = [this](const QString& text) {
        setWindowTitle(text + QStringLiteral("[*]"));
    };
    title(doc->GetTitle());
    setWindowModified(doc->IsModified());
    setWindowIcon(TitleIcon());
    connect(doc, &CProgramDoc::titleChanged, this, title);
    connect(doc, &CProgramDoc::modifiedChanged, this, &QWidget::setWindowModified);
    // The band bytes change with the band settings step, Product Information, a read, undo.
    connect(doc, &CProgramDoc::bandTitleChanged, this, &CChildFrame::UpdateBand);
    connect(doc, &CProgramDoc::channelsChanged, this, &CChildFrame::UpdateBand);
    UpdateBand();
    // The system menu's own shortcuts would shadow the program's accelerators (Ctrl+W is
    // Program > Write here).
    if (QMenu* menu = systemMenu()) {
        for (QAction* action : menu->actions()) action->setShortcuts({});
    }
}

void CChildFrame::UpdateBand() {
    const std::optional<radio::BandLimits> band = radio::ReadBandLimits(m_pDocument->image());
    m_pBand->setText(band ? m_ctx.PickText("Band %1-%2 MHz", "频段 %1-%2 MHz")
                                .arg(band->lowerMHz)
                                .arg(band->upperMHz)
                          : m_ctx.PickText("No band set", "未设频段"));
}

void CChildFrame::InitialPlacement() {
    setGeometry(0, 0, 1600, 1200);
    // The subwindow keeps its title bar and borders as contents margins.
    const QMargins m = contentsMargins();
    const QSize frame(m.left() + m.right(), m.top() + m.bottom());
    const QSize fit = m_pView->FormSize() + QSize(0, m_pStatusBar->sizeHint().height()) + frame;
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
