#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The program's own help window: the bundled help page in a text browser, for a computer where
// no browser opens it. Links within the page stay in it; Esc closes it.
class CHelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CHelpWindow(const QString& title, QWidget* parent = nullptr);

    // Shows the page of `url` at its fragment (a command or control id), and brings the window
    // to the front.
    void ShowPage(const QUrl& url);
    QTextBrowser* Browser() const { return m_pBrowser; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* m_pBrowser;
    bool m_bPlaced = false;
};
