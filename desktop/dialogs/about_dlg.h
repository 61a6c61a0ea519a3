#pragma once

#include <QDialog>

class AppContext;
class CXHyperLink;
class QLabel;

// "About": the configured title, version and copyright lines, the owner's link, and the
// program's icon.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* iconLabel() const { return m_pIcon; }             // 1004
    QLabel* versionLabel() const { return m_pVersion; }       // 1001
    QLabel* copyrightLabel() const { return m_pCopyrights; }  // 1002
    CXHyperLink* link() const { return m_pLink; }             // 1003
    bool iconFromFile() const { return m_bIconFromFile; }

  private:
    QLabel* m_pIcon;
    QLabel* m_pVersion;
    QLabel* m_pCopyrights;
    CXHyperLink* m_pLink;
    bool m_bIconFromFile = false;
};
