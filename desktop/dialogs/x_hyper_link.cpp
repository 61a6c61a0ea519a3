#include "desktop/dialogs/x_hyper_link.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUrl>

#include "desktop/services/app_context.h"

CXHyperLink::CXHyperLink(AppContext& ctx, QWidget* parent) : QLabel(parent), m_ctx(ctx) {
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    UpdateColor();
}

void CXHyperLink::SetLink(const QString& text, const QString& address) {
    setText(text);
    m_strAddress = address;
    setToolTip(address);
}

QColor CXHyperLink::currentColor() const {
    if (m_bHover) return kHover;
    return m_bVisited ? kVisited : kUnvisited;
}

bool CXHyperLink::Follow() {
    // fromUserInput turns "www.example.org" into an http address and a path into a file URL.
    const QUrl url = QUrl::fromUserInput(m_strAddress);
    const bool opened = !m_strAddress.trimmed().isEmpty() && url.isValid() && m_ctx.OpenUrl(url);
    if (opened) {
        m_bVisited = true;
    } else {
        QApplication::beep();
        m_bVisited = false;
    }
    UpdateColor();
    return opened;
}

void CXHyperLink::enterEvent(QEnterEvent* event) {
    m_bHover = true;
    UpdateColor();
    QLabel::enterEvent(event);
}

void CXHyperLink::leaveEvent(QEvent* event) {
    m_bHover = false;
    UpdateColor();
    QLabel::leaveEvent(event);
}

void CXHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) Follow();
    QLabel::mouseReleaseEvent(event);
}

void CXHyperLink::UpdateColor() {
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, currentColor());
    setPalette(pal);
}
