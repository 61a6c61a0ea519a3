#pragma once

#include <string>

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include "desktop/frame/key_lock_state.h"

class AppContext;
class CAnnouncer;
class CChildFrame;
class CMDIClientWnd;
class CNavigationBar;
class COptionFeaturesDlg;
class CProductInfoDlg;
class CProgramDoc;
class CProgramView;
class QDockWidget;
class QLabel;
class QMenu;
class QToolBar;
class QUndoGroup;

// The main window: menus, toolbar, status bar, the navigation panel at the left and the MDI
// area with the channel windows.
class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(AppContext& ctx, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds toolbar, status bar, navigation panel and client area; false when any fails.
    bool Create();

    // The action of a command; for About, the one of the document menu.
    QAction* Action(int commandId) const;
    QAction* AboutAction(bool documentMenu) const;
    // The popups of the menu without a document (false) or of the document menu (true).
    const QList<QMenu*>& Menus(bool documentMenu) const;
    // The Window menu of either set: filled with the open documents as it is shown.
    QMenu* WindowMenu(bool documentMenu) const;
    bool IsDocumentMenuShown() const { return m_bDocumentMenu; }

    QToolBar* ToolBar() const { return m_pToolBar; }
    CMDIClientWnd* MdiClient() const { return m_pMdiClient; }
    CNavigationBar* NavigationBar() const { return m_pNavigationBar; }
    QDockWidget* NavigationDock() const { return m_pNavigationDock; }
    COptionFeaturesDlg* OptionFeaturesDlg() const { return m_pOptionFeaturesDlg; }
    CProductInfoDlg* ProductInfoDlg() const { return m_pProductInfoDlg; }
    QLabel* Indicator(int indicatorId) const;
    // The status bar's line that a screen reader is told of (the end of a transfer).
    CAnnouncer* Announcer() const { return m_pAnnouncer; }

    // Start-up: the About item of the document menu, and removing Setup > Language.
    void SetAboutItemText(const QString& text);
    void RemoveLanguageItem();

    // A new window for `doc` (ownership passes to it): placed, decoded, shown and active.
    CChildFrame* CreateChildFrame(CProgramDoc* doc);
    // The window the document commands act on: the last one activated that still exists,
    // also while it is hidden.
    CChildFrame* ActiveChild() const;
    CProgramDoc* ActiveDocument() const;
    QList<CChildFrame*> ChildFrames() const;

    void SetMainTitle(const QString& title);

    // The lock-key state shown by the indicators.
    void SetKeyLockState(const KeyLockState& state);
    KeyLockState keyLockState() const { return m_keyLocks; }

  public slots:
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    // Channels in and out: CSV of radio-programming tools, or radioprog dump's listing.
    void OnFileImportChannels();
    void OnFileExportChannels();
    // File > Import Channels > Stock List: the list at `path`, shown as `name`.
    void OnImportStockList(const QString& path, const QString& name);
    void OnEditChannelInfo();
    void OnEditOptionalFeatures();
    void OnProductInfo();
    void OnViewToolbar();
    void OnViewStatusBar();
    void OnViewControlBar();
    // The navigation tree chose an item with this text.
    void OnTreeItemChosen(const QString& text);
    void UpdateCommandStates();
    // Undo and Redo: enabled and named after the active document's next step.
    void UpdateUndoActions();
    // Shows a document's window, also a hidden one, and makes it the active one.
    void OnWindowChosen(CChildFrame* child);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* NewAction(int id, const QString& text, const QString& prompt = {});
    void CreateMenus();
    void CreateWindowMenus();
    void FillWindowMenu(QMenu* menu);
    void AddBackupAndCompareItems();
    // File > Import Channels as a submenu: From a File and the Stock List submenu.
    void AddImportSubmenu();
    void FillStockMenu();
    // False when no document takes an import now (none open, a transfer that must go on).
    bool ReadyForImport();
    // The preview of an import of `bytes`, with the mapping step for tables of other
    // columns, and the document changed when the user imports.
    void ImportChannelBytes(const std::string& bytes, const QString& name, bool stock);
    bool CreateToolBar();
    bool CreateStatusBar();
    bool CreateNavigationBar();
    void CreateAccelerators();
    void ShowMenuSet(bool documentMenu);
    void PollKeyLocks();
    // F6 / Shift+F6: the focus goes from the navigation panel to the active channel window or
    // back; Ctrl+Tab / Ctrl+Shift+Tab: the next or previous channel window (main_frame_keys.cpp).
    void OnNextPane();
    void OnNextWindow(bool forward);
    // A view's announcements go to the status bar and, once, to a screen reader.
    void ConnectAnnouncements(CProgramView* view);
    void NameExtensionButtons();
    // The view of the active child, for the commands the view handles.
    CProgramView* ActiveView() const;
    // The Edit commands of the grid's right-click menu; null stands for a separator.
    QList<QAction*> GridContextActions() const;
    static bool InChannelWindow(const QWidget* widget);

    AppContext& m_ctx;
    QHash<int, QAction*> m_actions;
    QAction* m_pAbout128 = nullptr;
    QAction* m_pAbout129 = nullptr;
    QList<QMenu*> m_menus128;
    QList<QMenu*> m_menus129;
    QMenu* m_pSetupMenu = nullptr;
    QMenu* m_pImportMenu = nullptr;
    QMenu* m_pStockMenu = nullptr;
    QMenu* m_pWindowMenu128 = nullptr;
    QMenu* m_pWindowMenu129 = nullptr;
    bool m_bDocumentMenu = false;

    CMDIClientWnd* m_pMdiClient = nullptr;
    COptionFeaturesDlg* m_pOptionFeaturesDlg = nullptr;
    CProductInfoDlg* m_pProductInfoDlg = nullptr;
    CNavigationBar* m_pNavigationBar = nullptr;
    QDockWidget* m_pNavigationDock = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QList<QWidget*> m_untippedButtons;  // Read and Write
    QHash<int, QLabel*> m_indicators;
    CAnnouncer* m_pAnnouncer = nullptr;  // the status bar's line a reader is told of
    KeyLockState m_keyLocks;
    bool m_bSystemKeyLocks = false;  // the system reports the lock keys; else follow presses
    QPointer<CChildFrame> m_pActiveChild;
    QUndoGroup* m_pUndoGroup = nullptr;  // the documents' undo stacks, the active one in front
};
