#include "desktop/frame/navigation_tree.h"

#include <QPainter>

void CNavigationTree::drawBranches(QPainter* painter, const QRect& rect,
                                   const QModelIndex& index) const {
    painter->save();
    QPen pen(palette().color(QPalette::Disabled, QPalette::Text));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);

    // `rect` spans one indentation column per level; the item's own column is the last one.
    const int indent = indentation();
    const int midY = rect.top() + rect.height() / 2;
    const auto columnX = [&](int fromRight) {
        return rect.right() - fromRight * indent - indent / 2;
    };
    const auto hasNextSibling = [](const QModelIndex& i) {
        return i.sibling(i.row() + 1, 0).isValid();
    };

    const int x = columnX(0);
    const bool joinsAbove = index.row() > 0 || index.parent().isValid();
    painter->drawLine(x, joinsAbove ? rect.top() : midY, x,
                      hasNextSibling(index) ? rect.bottom() : midY);
    painter->drawLine(x, midY, rect.right(), midY);
    // Ancestors that have items below them keep their line running past this row.
    int level = 1;
    for (QModelIndex a = index.parent(); a.isValid(); a = a.parent(), ++level) {
        if (hasNextSibling(a))
            painter->drawLine(columnX(level), rect.top(), columnX(level), rect.bottom());
    }
    painter->restore();

    // The expand/collapse button goes over the lines.
    QTreeWidget::drawBranches(painter, rect, index);
}
