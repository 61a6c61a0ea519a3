#pragma once

#include <QList>
#include <QMargins>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QScrollArea>
#include <QSize>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "core/codec/grid_edits.h"
#include "core/image/radio_image.h"
#include "core/link/radio_link.h"

class AppContext;
class CCellCombo;
class CCellEdit;
class CComparePanel;
class CComSetupDlg;
class CLanguageDlg;
class CMSFlexGrid;
class CProgramDoc;
class CProgressDlg;
class CTransferController;
class CVirtualRadioHost;
class CWriteCheckDlg;
class CWriteManyDlg;
class QAction;
class QKeyEvent;
class QMenu;
class QPrinter;
class QSplitter;
struct CellKeyState;

namespace radio {
class CPrintJob;
}

// The view of one channel document inside its child frame: a form holding the channel grid,
// whose cells are edited through nine in-place editors. It also runs the radio transfers of its
// document (Program > Read / Write, Setup > Com Setup) and prints it. The main frame routes the
// document commands to the virtual handlers below.
//
// The grid works directly on the document's ChannelGrid, so the grid on screen, saving and
// printing share one working copy of the channels. Every change the view makes goes through
// the document's undo stack (CProgramDoc::ApplyChange): a cell commit, a paste, a row
// operation, a completed read.
class CProgramView : public QScrollArea {
    Q_OBJECT
  public:
    // Control ids of the grid and its editors; each is also the help context of its control.
    enum ControlId : int {
        kIdGrid = 1000,
        kIdEditRxFreq = 2127,
        kIdEditTxFreq = 2128,
        kIdComboRxTone = 2132,
        kIdComboTxTone = 2133,
        kIdComboPower = 1129,
        kIdComboLock = 1127,
        kIdComboScanAdd = 1134,
        kIdComboBandwidth = 1135,
        kIdEditName = 1126,
    };
    // Column width factors, in units of column 0's width before the layout.
    static constexpr std::array<double, 10> kColumnFactors = {0.43, 1.1, 1.1, 1.0, 1.0,
                                                              0.9,  0.9, 0.9, 0.9, 1.1};

    CProgramView(AppContext& ctx, CProgramDoc* doc, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* GetDocument() const;

    // First showing of the document: lays out the grid and its editors once, then decodes the
    // image into the grid and runs the band settings step. Returns the main window title that
    // step gives.
    virtual QString OnInitialUpdate();

    // Asked before a command hides or destroys this view or ends the program (File > New,
    // Open, Close, the close box, Exit). While a radio transfer runs the command is refused
    // with a message: the transfer must never outlive its view or document.
    virtual bool QueryInterrupt();

    // The form's size: 431 x 231 dialog units of its font (Times New Roman, 9 points). A larger
    // window stretches the form and its grid; a smaller one shows scroll bars.
    QSize FormSize() const;
    QSize sizeHint() const override { return FormSize(); }

    // --- The grid and its editors.
    CMSFlexGrid* Grid() const { return m_grid; }
    // The editor of column `col` (1..9); any other column gives the Rx Frequency editor.
    QWidget* EditorOfColumn(int col) const;
    // The editor of the grid's current column.
    QWidget* GetCellEditor() const;
    // Stores the text of the current cell's editor if it is shown, as leaving the cell does,
    // and hides it. False only when the entry was rejected: the "Caution" message was shown
    // and the refused cell's editor is open again, so the value can be typed anew.
    bool CommitCellEdit();
    // Hides every editor without storing anything.
    void HideEditors();
    // Gives the keyboard focus to the current cell, its editor open (start-up, F6).
    void FocusCurrentCell();
    // Commits a pending edit, then rebuilds the image's channel records and names.
    void EncodeGridToImage();

    // --- Radio transfers.
    // The port transfers go to: the choice COM Setup stored (see CComSetupDlg::StoredPort),
    // unless SetPortName put another one.
    QString PortName() const;
    void SetPortName(const QString& name) { m_strPortName = name; }
    bool IsWriteMode() const { return m_bWriteMode; }
    CProgressDlg* ProgressDlg() const { return m_pProgressDlg; }
    CComSetupDlg* ComSetupDlg();
    bool IsTransferRunning() const;
    // The radio behind "virtual:"; the process's built-in one unless set.
    void SetVirtualRadio(std::shared_ptr<CVirtualRadioHost> host);

    // --- Writing safely.
    // The image a write would send now: the document's, with the grid encoded into it.
    radio::RadioImage ImageToWrite();
    // The findings of the check before the last write, while they are shown (else null).
    CWriteCheckDlg* WriteCheckDlg() const { return m_pWriteCheckDlg; }
    // The window of Write to Several Radios, once opened (it lives with the view).
    CWriteManyDlg* WriteManyDlg() const { return m_pWriteManyDlg; }
    // The settings-store name of the progress window's verify choice (1 verify, 0 not).
    static constexpr const char* kVerifySetting = "VerifyWrite";

    // --- Comparing with another image: the cells that differ are marked in the grid and the
    // differences listed beside it, in a splitter that never lets the list cover the grid; both
    // follow the user's edits until EndCompare.
    void StartCompare(const radio::RadioImage& other, const QString& otherName);
    void EndCompare();
    bool IsComparing() const { return m_compareImage.has_value(); }
    CComparePanel* ComparePanel() const { return m_pComparePanel; }
    QSplitter* Splitter() const { return m_pSplitter; }

    // --- Printing.
    // The preview opened by the last Print Preview, while it is open.
    QPrintPreviewDialog* PrintPreview() const { return m_pPreview; }

    // --- Editing like a spreadsheet (program_view_edit.cpp).
    // Pastes `text` onto the selection as the clipboard's text would be.
    void PasteText(const QString& text);
    // The commands of the grid's right-click menu (the main window's Edit actions).
    void SetContextActions(const QList<QAction*>& actions) { m_contextActions = actions; }
    // The right-click menu as it would open now; the caller owns it.
    QMenu* CreateContextMenu();
    // Clipboard texts above this size are refused unread: 200 x 9 cells take some 20 KB.
    static constexpr int kMaxPasteChars = 1024 * 1024;

  signals:
    // After every transfer of this view, once the document and grid show its outcome.
    void TransferFinished(radio::LinkOutcome outcome);
    // A line for the status bar that a screen reader should also say once ("Read complete:
    // 200 channels").
    void Announcement(const QString& text);
    // The check before writing asks for the Product Information dialog.
    void ProductInfoRequested();

  public slots:
    virtual void OnRead();               // Program > Read
    virtual void OnWrite();              // Program > Write
    virtual void OnWriteMany();          // Program > Write to Several Radios...
    virtual void OnComSetup();           // Setup > Com Setup
    virtual void OnLanguage();           // Setup > Language: change, then ask for the restart
    virtual void OnFilePrint();          // File > Print
    virtual void OnFilePrintDirect();    // print without the print dialog
    virtual void OnFilePrintPreview();   // File > Print Preview
    virtual void OnFileCompare();        // File > Compare With...
    virtual void OnCompareWithBackup();  // File > Compare with Last Backup
    // Edit menu.
    virtual void OnEditUndo();
    virtual void OnEditRedo();
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditClear();
    virtual void OnEditSelectAll();
    virtual void OnEditInsertChannel();
    virtual void OnEditDeleteChannel();
    virtual void OnEditMoveUp();
    virtual void OnEditMoveDown();
    virtual void OnEditFillDown();
    virtual void OnEditSort();

  protected:
    CLanguageDlg& LanguageDialog();
    // Keys of the view and of all its controls pass here first (see cell_keys.h); also the
    // form's resizing.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FirstLayout();
    void CreateEditors();
    void LayOutGrid();     // the grid fills the form inside its margins
    void LayOutColumns();  // the columns fill the grid in the proportions of kColumnFactors
    void OnGridEnterCell();
    void OnGridMouseDown();
    void OnGridLeaveCell();
    void OnGridScroll();
    void OpenEditor();
    void PlaceEditor(QWidget* editor);  // over the current cell
    void NameEditor(QWidget* editor);   // its accessible name says column, channel and value
    // The keyboard's move to (row, col): the entry stored, the focus handed from editor to
    // editor without passing the grid, so a reader hears one thing per key.
    void MoveByKey(const CellKeyState& state, int row, int col);
    // After a transfer: the status bar line and the reader hear how it ended.
    void AnnounceTransfer(radio::LinkOutcome outcome);
    bool PreTranslateKey(QObject* watched, QKeyEvent* key);
    void MoveAfterCommit(int row, int col);
    void ShowCaution(int messageId);
    // After a refused entry of (row, col): the Caution, then the editor open on the text again.
    void RefuseEntry(int row, int col, const QString& text, int messageId);
    bool IsRefusedCell() const;  // the current cell's editor is to show a refused entry
    // Ctrl+Enter / Alt+Enter: the open editor's entry into every selected cell.
    void FillSelection();
    // An item chosen in the dropped-down list of a column with several of its cells selected.
    void OnListChosen();
    // `text` into the cells of `range` as one step, then the one report of what did not land.
    void FillCells(const radio::CellRange& range, const QString& text);
    // One status-bar line for the cells of empty channels a fill passed over.
    void ShowSkipped(int skipped);
    bool EditorChanged() const;  // the open editor holds an entry not stored yet
    // Commits a pending entry before an Edit command; false when the command must not go on.
    bool PrepareEdit();
    void UndoOrRedo(bool undo);
    void RunEditCommand(int commandId);  // ID_EDIT_UNDO ... ID_EDIT_SORT
    // After a change: makes the top-left cell current (its editor open) and selects `range`.
    void ShowCells(const radio::CellRange& range);
    // One report of the cells a paste (`pasted`) or a fill could not store, and the names it cut.
    void ReportCells(bool pasted, const radio::CellsOutcome& outcome, int rowsCut = 0,
                     int colsCut = 0);
    void ClearSelection(const QString& what);
    void MoveSelection(bool up);
    void OnStartTransfer();
    void StartWrite();
    void OnTransferFinished(radio::LinkOutcome outcome, const radio::RadioImage& image);
    void BackUpRead(const radio::RadioImage& image);
    void ReportVerify(const radio::RadioImage& written, const radio::RadioImage& readBack);
    void RefreshCompare();
    // Makes the cell current and gives its editor the keyboard focus.
    void JumpToCell(int row, int col);
    // Makes the cell current (its editor open over it) without taking the keyboard focus.
    void SelectCell(int row, int col);
    void PlaceComparePanel(bool shown);
    QPrinter& Printer();
    std::unique_ptr<radio::CPrintJob> MakePrintJob();

    AppContext& m_ctx;
    QPointer<CProgramDoc> m_pDocument;
    QWidget* m_pForm = nullptr;
    CMSFlexGrid* m_grid = nullptr;
    QSplitter* m_pSplitter = nullptr;  // the grid, and the comparison's list beside it
    bool m_bFirstLayout = true;
    bool m_bLeavingCell = false;       // a commit raised by the grid's LeaveCell
    bool m_bRedirecting = false;       // a key handed on to the open editor
    bool m_bMoving = false;            // a key moves the current cell: the focused editor stays up
    QPointer<QWidget> m_pFocusHolder;  // that editor, until the next cell's has the focus
    std::optional<bool> m_verified;    // the last write's read-back matched (set by ReportVerify)
    QMargins m_gridMargins;            // the form's margins around the grid
    bool m_bWriteMode = false;
    bool m_bTransferWrite = false;           // direction of the transfer under way
    CComSetupDlg* m_pDlgComSetup = nullptr;  // lives with the view
    CLanguageDlg* m_pDlgLanguage = nullptr;  // created on first use, lives with the view
    CProgressDlg* m_pProgressDlg = nullptr;
    CTransferController* m_pTransfer = nullptr;
    CWriteCheckDlg* m_pWriteCheckDlg = nullptr;  // created on the first write with findings
    CWriteManyDlg* m_pWriteManyDlg = nullptr;    // created on first use
    CComparePanel* m_pComparePanel = nullptr;    // created on the first comparison
    std::optional<radio::RadioImage> m_compareImage;
    QString m_strCompareName;
    int m_nCompareExtraWidth = 0;  // what the window grew by to show the comparison

    CCellEdit* m_editRxFreq = nullptr;
    CCellEdit* m_editTxFreq = nullptr;
    CCellCombo* m_comboRxTone = nullptr;
    CCellCombo* m_comboTxTone = nullptr;
    CCellCombo* m_comboPower = nullptr;
    CCellCombo* m_comboLock = nullptr;
    CCellEdit* m_editName = nullptr;
    CCellCombo* m_comboScanAdd = nullptr;
    CCellCombo* m_comboBandwidth = nullptr;

    QString m_strPortName;  // empty: the stored choice
    std::vector<std::string> m_toneNames;

    std::unique_ptr<radio::CPrintJob> m_pPreviewJob;
    QPointer<QPrintPreviewDialog> m_pPreview;

    QList<QAction*> m_contextActions;

    // An entry the rules refused, shown again in its cell's editor when that opens next.
    struct RefusedEntry {
        int row = 0;
        int col = 0;
        QString text;
    };
    std::optional<RefusedEntry> m_refused;
};
