#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

class AppContext;
class QAbstractButton;
class QRubberBand;
class QTreeWidget;
class QTreeWidgetItem;

// The navigation panel docked at the left of the main window: a caption with a close button,
// a tree of destinations, and a strip along its right edge that resizes it.
class CNavigationBar : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kInitialWidth = 220;
    static constexpr int kCaptionHeight = 22;
    static constexpr int kTrackMin = 80;  // the tracking line never goes further left
    static constexpr int kWidthMin = 11;  // the width a release may leave

    // `frame` is the main window: half its client width bounds the panel's width.
    CNavigationBar(AppContext& ctx, QWidget* frame, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {m_nWidth, 400}; }
    QSize minimumSizeHint() const override { return {m_nWidth, 8 + kCaptionHeight + 60}; }

    QTreeWidget* tree() const { return m_pTree; }
    // The close button as the keyboard and a reader reach it (the panel paints the visible one).
    QAbstractButton* closeButton() const { return m_pClose; }
    QTreeWidgetItem* rootItem() const;
    int barWidth() const { return m_nWidth; }
    void SetBarWidth(int width);

    // Geometry, valid once the panel has been painted.
    QRect innerFrame() const { return m_rcInner; }
    QRect closeButtonRect() const;
    QRect resizeStripRect() const;
    bool isCloseHovered() const { return m_bHover; }
    bool isClosePressed() const { return m_bPressed; }
    bool isResizing() const { return m_bResizing; }
    int trackingLineX() const { return m_nTrackX; }  // -1 while no line is drawn
    // "Close" over the close button, nothing elsewhere.
    QString toolTipAt(const QPoint& pos) const;

  signals:
    // The text of the tree item the user clicked, or pressed Enter or Space on. Nothing else
    // chooses: not the focus or the window coming back, nor arrows moving the selection.
    void itemChosen(const QString& text);
    // The close button was released on: the main window hides the panel.
    void closeRequested();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // the tree's keys
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    int HalfFrameWidth() const;
    void UpdateInnerFrame();
    void UpdateHover(const QPoint& pos);
    void ShowTrackingLine(int x);

    AppContext& m_ctx;
    QWidget* m_pFrame;
    QTreeWidget* m_pTree;
    QAbstractButton* m_pClose = nullptr;
    QRubberBand* m_pTrackLine;
    QFont m_font;
    QRect m_rcInner;  // empty until the first paint
    int m_nWidth = kInitialWidth;
    int m_nTrackX = -1;
    bool m_bHover = false;
    bool m_bPressed = false;
    bool m_bResizing = false;
};
