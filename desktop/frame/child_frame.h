#pragma once

#include <QMdiSubWindow>

class AppContext;
class CProgramDoc;
class CProgramView;
class QLabel;
class QStatusBar;

// The window of one channel document. Closing it only hides it: the document stays open and
// Edit > Channel Information (or the navigation tree) shows it again. It is destroyed only by
// File > New after its warning and when the program ends.
//
// Its title carries Qt's "[*]": a "*" shows while the document has unsaved changes. Its status
// bar shows the band the image holds (what a write sends the radio as its limits).
class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Takes ownership of `doc`; the view is created for it.
    CChildFrame(AppContext& ctx, CProgramDoc* doc, QWidget* parent = nullptr);

    CProgramDoc* GetDocument() const { return m_pDocument; }
    CProgramView* GetView() const { return m_pView; }
    QStatusBar* StatusBar() const { return m_pStatusBar; }
    QLabel* BandLabel() const { return m_pBand; }

    // Lays the window over (0, 0) with 1600 x 1200 pixels, then shrinks it (never enlarges)
    // so it just holds the view's form and the status bar.
    void InitialPlacement();
    // Deletes the window with its view and document at once; not to be called from the
    // window's own event handlers.
    void Destroy();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void UpdateBand();

    AppContext& m_ctx;
    CProgramDoc* m_pDocument;
    CProgramView* m_pView;
    QStatusBar* m_pStatusBar;
    QLabel* m_pBand;
};
