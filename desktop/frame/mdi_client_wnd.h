#pragma once

#include <QMdiArea>
#include <QPixmap>

// The MDI client area: holds the channel windows and tiles its background picture from the
// top-left corner, never scaled.
class CMDIClientWnd : public QMdiArea {
    Q_OBJECT
  public:
    explicit CMDIClientWnd(QWidget* parent = nullptr);
    const QPixmap& tile() const { return m_tile; }

  private:
    QPixmap m_tile;
};
