#pragma once

#include <QTreeWidget>

// The navigation panel's tree: a tree widget that also draws the dotted connecting lines
// between items (buttons and lines, lines at the root too), which Qt's styles leave out.
class CNavigationTree : public QTreeWidget {
    Q_OBJECT
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;
};
