#pragma once

#include <QColor>
#include <QLabel>

class AppContext;

// A clickable text that opens an address: blue, red under the pointer, purple once opened.
class CXHyperLink : public QLabel {
    Q_OBJECT
  public:
    static inline const QColor kUnvisited{0, 0, 238};
    static inline const QColor kHover{255, 0, 0};
    static inline const QColor kVisited{85, 26, 139};

    explicit CXHyperLink(AppContext& ctx, QWidget* parent = nullptr);

    // The visible text and the address it opens (the tooltip shows the address).
    void SetLink(const QString& text, const QString& address);
    QString address() const { return m_strAddress; }
    bool isVisited() const { return m_bVisited; }
    bool isHovered() const { return m_bHover; }
    QColor currentColor() const;

    // Opens the address; a failure beeps and leaves the link unvisited.
    bool Follow();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void UpdateColor();
    AppContext& m_ctx;
    QString m_strAddress;
    bool m_bVisited = false;
    bool m_bHover = false;
};
