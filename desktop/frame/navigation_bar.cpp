#include "desktop/frame/navigation_bar.h"

#include <qdrawutil.h>
#include <QAbstractButton>
#include <QCursor>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QTreeWidget>

#include "core/config/app_config.h"
#include "desktop/frame/navigation_tree.h"
#include "desktop/services/app_context.h"
#include "desktop/services/app_pictures.h"
#include "desktop/services/help.h"

namespace {

// Stands over the painted close button so that Tab, Space and a screen reader reach it; the
// mouse still goes to the panel, which draws and tracks the button itself.
class CloseStandIn : public QAbstractButton {
  public:
    explicit CloseStandIn(QWidget* parent) : QAbstractButton(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::TabFocus);
        setAccessibleName(CNavigationBar::tr("Close the navigation panel"));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!hasFocus()) return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
};

}  // namespace

CNavigationBar::CNavigationBar(AppContext& ctx, QWidget* frame, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_pFrame(frame) {
    setWindowTitle(tr("IE Control Bar"));
    setMouseTracking(true);
    // Times New Roman metrics (Liberation Serif where it is not installed), 14-pixel characters.
    m_font = QFont(QStringLiteral("Times New Roman"));
    m_font.setPixelSize(14);
    m_font.setWeight(QFont::Normal);
    m_font.setStyleHint(QFont::Serif);
    setFont(m_font);

    m_pTree = new CNavigationTree(this);
    SetControlId(m_pTree, 1032);
    m_pTree->setFont(m_font);
    m_pTree->setHeaderHidden(true);
    m_pTree->setColumnCount(1);
    m_pTree->setRootIsDecorated(true);  // buttons and lines at the root too
    m_pTree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTree->setAccessibleName(tr("Navigation"));
    // A reader names the panel by the title it shows.
    setAccessibleName(m_ctx.AppCaption().isEmpty() ? tr("Navigation panel") : m_ctx.AppCaption());

    auto* root = new QTreeWidgetItem(m_pTree, {m_ctx.AppCaption()});
    new QTreeWidgetItem(root, {m_ctx.PickText("Channel Information", "信道信息")});
    new QTreeWidgetItem(root, {m_ctx.PickText("Optional Features", "可选功能")});
    // Hidden unless Program.ini asks for it: the dialog changes the radio type and band.
    if (radio::SetupIntValue(m_ctx.Config(), "ShowProductInfo") != 0)
        new QTreeWidgetItem(root, {m_ctx.PickText("Product Information", "类型设置")});
    root->setExpanded(true);
    connect(m_pTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { emit itemChosen(item->text(0)); });
    m_pTree->installEventFilter(this);
    m_pClose = new CloseStandIn(this);
    connect(m_pClose, &QAbstractButton::clicked, this, &CNavigationBar::closeRequested);

    m_pTrackLine = new QRubberBand(QRubberBand::Line, m_pFrame ? m_pFrame : this);
    setFixedWidth(m_nWidth);
}

QTreeWidgetItem* CNavigationBar::rootItem() const { return m_pTree->topLevelItem(0); }

void CNavigationBar::SetBarWidth(int width) {
    m_nWidth = width;
    setFixedWidth(width);
}

bool CNavigationBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pTree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        QTreeWidgetItem* item = m_pTree->currentItem();
        if (item && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
            emit itemChosen(item->text(0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int CNavigationBar::HalfFrameWidth() const { return (m_pFrame ? m_pFrame->width() : width()) / 2; }

void CNavigationBar::UpdateInnerFrame() {
    // The client area inset by 3 left, 6 top, 6 right and 49 bottom, then one more pixel at
    // the left and the top.
    m_rcInner = QRect(QPoint(4, 7), QPoint(width() - 6 - 1, height() - 49 - 1));
}

QRect CNavigationBar::closeButtonRect() const {
    if (m_rcInner.isNull()) return {};
    const int right = m_rcInner.right() + 1;
    return QRect(QPoint(right - 20, m_rcInner.top() + 4),
                 QPoint(right - 4 - 1, m_rcInner.top() + 19 - 1));
}

QRect CNavigationBar::resizeStripRect() const {
    if (m_rcInner.isNull()) return {};
    return QRect(m_rcInner.right() + 1, m_rcInner.top(), 6, m_rcInner.height());
}

void CNavigationBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_pTree->setGeometry(
        QRect(QPoint(5, 8 + kCaptionHeight + 1), QPoint(width() - 8 - 1, height() - 51 - 1)));
}

void CNavigationBar::paintEvent(QPaintEvent*) {
    UpdateInnerFrame();
    QPainter p(this);
    const QColor gray(128, 128, 128);
    p.setPen(gray);
    p.drawRect(m_rcInner.adjusted(0, 0, -1, -1));
    // The border on the panel's right side.
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(width() - 1, 0, width() - 1, height());

    p.setFont(m_font);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect caption(m_rcInner.left() + 5, m_rcInner.top(), m_rcInner.width() - 5 - 24,
                        kCaptionHeight);
    p.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_ctx.AppCaption());
    p.setPen(gray);
    const int lineY = m_rcInner.top() + kCaptionHeight;
    p.drawLine(m_rcInner.left(), lineY, m_rcInner.right(), lineY);

    const QRect button = closeButtonRect();
    if (m_pClose->geometry() != button) m_pClose->setGeometry(button);
    p.drawPixmap(button.topLeft(), CloseButtonPixmap());
    if (m_bPressed || m_bHover) {
        qDrawShadePanel(&p, button, palette(), m_bPressed, 1);
    }
}

QString CNavigationBar::toolTipAt(const QPoint& pos) const {
    return closeButtonRect().contains(pos) ? tr("Close") : QString();
}

bool CNavigationBar::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = toolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this, closeButtonRect());
        }
        return true;
    }
    return QWidget::event(event);
}

void CNavigationBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    if (closeButtonRect().contains(pos)) {
        m_bPressed = true;
        update(closeButtonRect());
    } else if (resizeStripRect().contains(pos)) {
        m_bResizing = true;
        ShowTrackingLine(pos.x());
    }
}

void CNavigationBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_bResizing) ShowTrackingLine(pos.x());
    if (!m_rcInner.isNull()) {
        if (resizeStripRect().contains(pos) || m_bResizing)
            setCursor(Qt::SplitHCursor);
        else
            setCursor(Qt::ArrowCursor);
    }
    UpdateHover(pos);
}

void CNavigationBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    m_bPressed = false;
    m_bHover = false;
    m_nTrackX = -1;
    m_pTrackLine->hide();
    update();
    if (closeButtonRect().contains(pos)) emit closeRequested();
    if (m_bResizing) {
        m_bResizing = false;
        // The tracking line stops at 80 pixels, the width itself only at 11.
        SetBarWidth(std::max(kWidthMin, std::min(pos.x(), HalfFrameWidth())));
    }
}

void CNavigationBar::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();  // the panel is never floated
}

void CNavigationBar::leaveEvent(QEvent* event) {
    if (!m_bPressed) UpdateHover(QPoint(-1, -1));
    QWidget::leaveEvent(event);
}

void CNavigationBar::UpdateHover(const QPoint& pos) {
    const bool hover = closeButtonRect().contains(pos);
    if (hover == m_bHover) return;
    m_bHover = hover;
    update(closeButtonRect());
}

void CNavigationBar::ShowTrackingLine(int x) {
    m_nTrackX = std::clamp(x, kTrackMin, std::max(kTrackMin, HalfFrameWidth()));
    const QWidget* host = m_pTrackLine->parentWidget();
    const QPoint top = host->mapFromGlobal(mapToGlobal(QPoint(m_nTrackX, 0)));
    m_pTrackLine->setGeometry(top.x() - 1, top.y(), 2, height());
    m_pTrackLine->show();
    m_pTrackLine->raise();
}
