#include "desktop/channels/program_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSplitter>
#include <QTimer>
#include <algorithm>

#include "core/codec/channel_codec.h"
#include "core/codec/edit_rules.h"
#include "core/config/messages.h"
#include "core/formats/backup_store.h"
#include "core/formats/image_check.h"
#include "core/formats/image_diff.h"
#include "core/image/channel_file.h"
#include "desktop/channels/cell_access.h"
#include "desktop/channels/cell_combo.h"
#include "desktop/channels/cell_edit.h"
#include "desktop/channels/cell_keys.h"
#include "desktop/channels/compare_panel.h"
#include "desktop/channels/ms_flex_grid.h"
#include "desktop/dialogs/language_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/printing/print_dialogs.h"
#include "desktop/services/app_context.h"
#include "desktop/services/help.h"
#include "desktop/services/message_service.h"
#include "desktop/transfer/com_setup_dlg.h"
#include "desktop/transfer/progress_dlg.h"
#include "desktop/transfer/transfer_controller.h"
#include "desktop/transfer/write_check_dlg.h"
#include "qt/phrase_text.h"
#include "qt/print_job.h"

namespace {

constexpr int kTwipsPerInch = 1440;
// Blue of the headings and row labels (red 0, green 50, blue 240).
const QColor kFixedTextColor(0, 50, 240);
constexpr int kCentred = 4;  // column alignment: centred horizontally and vertically
// The dropped-down part of an editor list is about this high.
constexpr int kDropDownPixels = 100;

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToStd(const QString& text) { return text.toUtf8().toStdString(); }

// Delivers a copy of a key press to another widget, as if it had been pressed there.
void HandOn(QWidget* to, const QKeyEvent* key) {
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                   ushort(key->count()));
    QApplication::sendEvent(to, &copy);
}

}  // namespace

CProgramView::CProgramView(AppContext& ctx, CProgramDoc* doc, QWidget* parent)
    : QScrollArea(parent), m_ctx(ctx), m_pDocument(doc) {
    QFont form(QStringLiteral("Times New Roman"));
    form.setPointSize(9);
    setFont(form);
    setAutoFillBackground(true);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);

    // The form never gets smaller than its template: a smaller window shows scroll bars.
    m_pForm = new QWidget;
    m_pForm->setMinimumSize(FormSize());
    setWidget(m_pForm);

    m_pSplitter = new QSplitter(Qt::Horizontal, m_pForm);
    m_pSplitter->setChildrenCollapsible(false);
    m_grid = doc ? new CMSFlexGrid(doc->grid(), m_pSplitter)
                 : new CMSFlexGrid(m_ctx.UiLanguage(), m_pSplitter);
    m_pSplitter->addWidget(m_grid);
    SetControlId(m_grid, kIdGrid);
    // The template places the grid at (17, 13) with 399 x 205 of the 431 x 231 dialog units.
    const QSize unit = FormSize();
    const int left = 17 * unit.width() / 431;
    const int top = 13 * unit.height() / 231;
    m_gridMargins = QMargins(left, top, unit.width() - left - 399 * unit.width() / 431,
                             unit.height() - top - 205 * unit.height() / 231);
    LayOutGrid();
    connect(m_grid, &CMSFlexGrid::EnterCell, this, &CProgramView::OnGridEnterCell);
    connect(m_grid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnGridMouseDown);
    connect(m_grid, &CMSFlexGrid::LeaveCell, this, &CProgramView::OnGridLeaveCell);
    connect(m_grid, &CMSFlexGrid::Scroll, this, &CProgramView::OnGridScroll);
    if (doc) {
        // An editor left open over a replaced row would store its stale text later.
        connect(doc, &CProgramDoc::channelsChanged, this, [this] {
            HideEditors();
            m_grid->Refresh();
            RefreshCompare();
            // Product Information chosen from the check before writing changes what it found.
            if (m_pWriteCheckDlg && m_pWriteCheckDlg->isVisible())
                m_pWriteCheckDlg->SetFindings(radio::CheckImage(m_pDocument->image()));
        });
    }
    connect(m_grid, &CMSFlexGrid::ContextMenuRequested, this, [this](const QPoint& at) {
        if (m_contextActions.isEmpty()) return;
        std::unique_ptr<QMenu> menu(CreateContextMenu());
        menu->exec(at);
    });
    connect(m_grid, &CMSFlexGrid::Resized, this, [this] {
        if (m_bFirstLayout) return;
        LayOutColumns();
        if (GetCellEditor()->isVisible()) PlaceEditor(GetCellEditor());
    });
    for (QObject* target : {static_cast<QObject*>(this), static_cast<QObject*>(m_pForm),
                            static_cast<QObject*>(m_grid)}) {
        target->installEventFilter(this);
    }

    ComSetupDlg();  // PortName() reads the stored choice through it

    m_pProgressDlg = new CProgressDlg(this);
    // Queued, as the dialog's OK posts its start message: the click finishes first.
    connect(m_pProgressDlg, &CProgressDlg::StartTransfer, this, &CProgramView::OnStartTransfer,
            Qt::QueuedConnection);

    m_pTransfer = new CTransferController(this);
    // The context outlives every view, so the hook may keep it even when the view is gone.
    m_pTransfer->SetMessageHook([self = QPointer<CProgramView>(this),
                                 ctx = &m_ctx](const LinkMessage& message) {
        // The program's own messages in the display language; the detail below stays as the
        // link reported it.
        QString text = radio::TranslatedText(message.text.toStdString());
        if (!message.detail.isEmpty()) text += QStringLiteral("\n\n") + message.detail;
        QWidget* owner = nullptr;
        if (self) {
            owner = self->m_pProgressDlg->IsOpen() ? static_cast<QWidget*>(self->m_pProgressDlg)
                                                   : static_cast<QWidget*>(self.data());
        }
        const MessageService::Kind kind =
            message.retryCancel ? MessageService::Kind::RetryCancel : MessageService::Kind::Warning;
        return ctx->Messages().Show(owner, kind, ctx->AppCaption(), text) ==
               MessageService::Answer::Retry;
    });
    connect(m_pTransfer, &CTransferController::Finished, this, &CProgramView::OnTransferFinished);
    connect(m_pTransfer, &CTransferController::ReadBack, this, &CProgramView::ReportVerify);

    // A save encodes the grid: the edit under way belongs in it.
    if (doc) connect(doc, &CProgramDoc::aboutToSave, this, [this] { CommitCellEdit(); });
    // Changes made outside the grid (the option and product dialogs) reach a comparison too.
    if (doc) connect(doc, &CProgramDoc::modifiedChanged, this, [this] { RefreshCompare(); });
}

CProgramView::~CProgramView() {
    // First of all, while the view is whole: cancels a running transfer and joins its thread.
    delete m_pTransfer;
    m_pTransfer = nullptr;
    delete m_pPreview.data();  // it draws from the print job below
}

CProgramDoc* CProgramView::GetDocument() const { return m_pDocument; }

QSize CProgramView::FormSize() const {
    // Dialog units as Windows measures them: a quarter of the average width of the
    // alphabet's letters across, an eighth of the line height down.
    const QFontMetrics fm(font());
    const int alphabet = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int baseX = (alphabet / 26 + 1) / 2;
    const int baseY = fm.height();
    return {431 * baseX / 4, 231 * baseY / 8};
}

// ---------------------------------------------------------------------------------------------
// Layout and decoding

QString CProgramView::OnInitialUpdate() {
    if (m_bFirstLayout) {
        FirstLayout();
        m_bFirstLayout = false;
    }
    if (!m_pDocument) return {};
    HideEditors();
    const QString title = m_pDocument->DecodeIntoGrid();
    m_grid->Refresh();
    return title;
}

void CProgramView::FirstLayout() {
    const radio::Language lang = m_ctx.UiLanguage();
    m_toneNames = radio::ColumnItems(radio::kColRxTone, lang);

    m_grid->SetRows(radio::ChannelGrid::kRows);
    m_grid->SetCols(radio::ChannelGrid::kCols);
    m_grid->SetFixedRows(1);
    m_grid->SetFixedCols(1);
    m_grid->SetHighLight(0);
    m_grid->SetForeColorFixed(kFixedTextColor);

    CreateEditors();
    m_grid->SetCellsAnnouncedByEditor(true);

    for (int col = 0; col < radio::ChannelGrid::kCols; ++col)
        m_grid->SetTextMatrix(0, col, Utf8(radio::ChannelGrid::Heading(col, lang)));
    for (int row = 1; row < radio::ChannelGrid::kRows; ++row)
        m_grid->SetTextMatrix(row, 0, QString::fromStdString(radio::ChannelGrid::RowLabel(row)));
    for (int col = 0; col < radio::ChannelGrid::kCols; ++col)
        m_grid->SetColAlignment(col, kCentred);

    LayOutColumns();
}

void CProgramView::LayOutGrid() {
    m_pSplitter->setGeometry(m_pForm->rect().marginsRemoved(m_gridMargins));
}

void CProgramView::LayOutColumns() {
    // Column 0 is as wide as lets all ten columns show at once in the grid; its width is then
    // the unit of every column's width, so a wider grid keeps the columns' proportions.
    double factorSum = 0;
    for (double f : kColumnFactors) factorSum += f;
    // Setting widths may resize the grid again and re-enter here: the unit is taken from the
    // grid's width alone, never read back, so every pass sets the same widths.
    const int unit = m_grid->UnitWidthToFit(factorSum);
    for (int col = 0; col < radio::ChannelGrid::kCols; ++col)
        m_grid->SetColWidth(col, static_cast<int>(unit * kColumnFactors[std::size_t(col)]));
    // An editor opened before the columns had their widths follows its cell.
    if (!m_bFirstLayout)
        if (QWidget* editor = GetCellEditor(); editor->isVisible()) PlaceEditor(editor);
}

void CProgramView::CreateEditors() {
    QWidget* host = m_grid->viewport();  // cell rectangles are relative to it
    const auto edit = [&](int id) {
        auto* e = new CCellEdit(host);
        SetControlId(e, id);
        return e;
    };
    const auto combo = [&](int id, int col) {
        auto* c = new CCellCombo(host);
        SetControlId(c, id);
        for (const std::string& item : radio::ColumnItems(col, m_ctx.UiLanguage()))
            c->addItem(Utf8(item));
        return c;
    };
    m_editRxFreq = edit(kIdEditRxFreq);
    m_editTxFreq = edit(kIdEditTxFreq);
    m_comboRxTone = combo(kIdComboRxTone, radio::kColRxTone);
    m_comboTxTone = combo(kIdComboTxTone, radio::kColTxTone);
    m_comboPower = combo(kIdComboPower, radio::kColPower);
    m_comboLock = combo(kIdComboLock, radio::kColLock);
    m_editName = edit(kIdEditName);
    m_editName->SetRadioName(true);
    m_editName->SetTypedLimit(static_cast<int>(radio::kChannelNameLength));
    m_comboScanAdd = combo(kIdComboScanAdd, radio::kColScanAdd);
    m_comboBandwidth = combo(kIdComboBandwidth, radio::kColBandwidth);

    const QFontMetrics fm(m_pForm->font());
    for (int col = 1; col < radio::ChannelGrid::kCols; ++col) {
        QWidget* editor = EditorOfColumn(col);
        editor->setFont(m_pForm->font());
        editor->hide();
        editor->installEventFilter(this);
        if (auto* c = qobject_cast<CCellCombo*>(editor)) {
            connect(c, &CCellCombo::ChosenFromList, this, &CProgramView::OnListChosen);
            // A list below the cell, not one laid over it at full length: only then does the
            // style honour the number of visible items.
            c->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
            c->setMaxVisibleItems(std::max(1, kDropDownPixels / (fm.height() + 2)));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Editors

QWidget* CProgramView::EditorOfColumn(int col) const {
    switch (col) {
        case radio::kColTxFreq:
            return m_editTxFreq;
        case radio::kColRxTone:
            return m_comboRxTone;
        case radio::kColTxTone:
            return m_comboTxTone;
        case radio::kColPower:
            return m_comboPower;
        case radio::kColLock:
            return m_comboLock;
        case radio::kColScanAdd:
            return m_comboScanAdd;
        case radio::kColBandwidth:
            return m_comboBandwidth;
        case radio::kColName:
            return m_editName;
        default:
            return m_editRxFreq;
    }
}

QWidget* CProgramView::GetCellEditor() const { return EditorOfColumn(m_grid->GetCol()); }

void CProgramView::HideEditors() {
    if (!m_editRxFreq) return;  // not laid out yet
    bool hadFocus = false;
    for (int col = 1; col < radio::ChannelGrid::kCols; ++col) {
        QWidget* editor = EditorOfColumn(col);
        // During a key's move the focused editor stays up until the next one has the focus:
        // hiding it first would pass the focus (and a reader's speech) through the grid.
        if (m_bMoving && editor->hasFocus()) {
            m_pFocusHolder = editor;
            continue;
        }
        hadFocus = hadFocus || editor->hasFocus();
        editor->hide();
    }
    if (hadFocus) m_grid->setFocus();
}

void CProgramView::OnGridEnterCell() {
    if (!m_bFirstLayout) OpenEditor();
}

void CProgramView::OnGridMouseDown() {
    // A click on the current cell beside its open editor keeps what was typed.
    FocusCurrentCell();
}

void CProgramView::OpenEditor() {
    // A key on a cell scrolled out of sight (after the wheel dropped its edit) brings it back
    // first; the scroll finds no editor to drop.
    m_grid->scrollTo(m_grid->currentIndex());
    QWidget* editor = GetCellEditor();
    const QString text = m_grid->GetText();
    auto* combo = qobject_cast<CCellCombo*>(editor);
    if (combo)
        combo->Open(text);
    else if (IsRefusedCell())
        static_cast<CCellEdit*>(editor)->Reopen(m_refused->text);
    else
        static_cast<CCellEdit*>(editor)->Open(text);
    if (IsRefusedCell()) m_refused.reset();

    NameEditor(editor);
    PlaceEditor(editor);
    const bool kept = editor->hasFocus();  // the same editor moves on to this cell
    editor->show();
    editor->raise();
    editor->setFocus();
    // Only the current column's editor is ever shown; one that kept the focus through a move
    // goes once this one has it.
    for (int col = 1; col < radio::ChannelGrid::kCols; ++col) {
        if (EditorOfColumn(col) != editor) EditorOfColumn(col)->hide();
    }
    m_pFocusHolder = nullptr;
    if (kept && editor->hasFocus()) CCellAccess::AnnounceFocus(editor);
    m_grid->viewport()->repaint();
}

void CProgramView::PlaceEditor(QWidget* editor) {
    // The cell rectangle in pixels, as the grid's screen resolution gives it. A list's own
    // height is the cell's; its dropped-down part is sized by its visible items.
    const int px = m_grid->logicalDpiX();
    const int py = m_grid->logicalDpiY();
    const int height = m_grid->GetCellHeight() * py / kTwipsPerInch;
    const int width = m_grid->GetCellWidth() * px / kTwipsPerInch;
    const int left = m_grid->GetCellLeft() * px / kTwipsPerInch - 3;
    const int top = m_grid->GetCellTop() * py / kTwipsPerInch - 3;
    editor->setGeometry(left, top, width, height);
}

void CProgramView::OnGridLeaveCell() {
    // The grid still has the cell being left as its current cell.
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();
    m_bLeavingCell = true;
    const bool accepted = CommitCellEdit();
    m_bLeavingCell = false;
    // The grid moves on regardless (a click has already chosen the next cell); once it has,
    // go back to the refused cell.
    if (!accepted) QTimer::singleShot(0, this, [this, row, col] { MoveAfterCommit(row, col); });
}

void CProgramView::OnGridScroll() {
    // What was typed into an editor hidden this way is dropped: the cell keeps its text.
    HideEditors();
    m_grid->viewport()->repaint();
}

bool CProgramView::CommitCellEdit() {
    if (!m_editRxFreq || !m_pDocument) return true;
    QWidget* editor = GetCellEditor();
    // An editor kept up through a move has had its entry stored already.
    if (!editor->isVisible() || editor == m_pFocusHolder) return true;
    const int row = m_grid->GetRow();
    const int col = m_grid->GetCol();

    QString text;
    bool changed = false;
    if (auto* combo = qobject_cast<CCellCombo*>(editor)) {
        text = combo->currentText();
        changed = combo->IsChanged();
    } else {
        auto* edit = static_cast<CCellEdit*>(editor);
        text = edit->text();
        changed = edit->IsChanged();
    }
    HideEditors();
    // Moving through a cell stores nothing: re-storing an untouched text could turn a
    // decoded value the lists do not hold into their first item.
    if (!changed) return true;
    m_refused.reset();

    // A refused entry changes nothing, so it makes no step either.
    radio::CommitResult result = radio::CommitResult::Accepted;
    m_pDocument->ApplyChange(
        [&] {
            result = radio::CommitCellEdit(m_pDocument->grid(), row, col, ToStd(text),
                                           m_ctx.UiLanguage());
        },
        [row, col](int) {
            return tr("edit of %1, %2")
                .arg(tr("channel %1")
                         .arg(QString::fromStdString(radio::ChannelGrid::RowLabel(row)).trimmed()),
                     radio::TranslatedText(
                         radio::ChannelGrid::Heading(col, radio::Language::English)));
        },
        radio::CellRange::Cell(row, col));
    m_grid->Refresh();
    if (result != radio::CommitResult::Accepted) {
        RefuseEntry(row, col, text, static_cast<int>(result));
        return false;
    }
    return true;
}

void CProgramView::RefuseEntry(int row, int col, const QString& text, int messageId) {
    // The editor opens again on the refused text, selected, for another try; a commit while
    // the grid leaves the cell comes back to it once the grid has moved on.
    m_refused = RefusedEntry{row, col, text};
    ShowCaution(messageId);
    if (!m_bLeavingCell && m_grid->GetRow() == row && m_grid->GetCol() == col) OpenEditor();
}

bool CProgramView::IsRefusedCell() const {
    return m_refused && m_refused->row == m_grid->GetRow() && m_refused->col == m_grid->GetCol();
}

void CProgramView::ShowCaution(int messageId) {
    // The message stays word for word; the line below it says what is accepted.
    m_ctx.Messages().Warning(this, radio::TranslatedText(radio::MessageText(radio::kMsgCaution)),
                             radio::TranslatedText(radio::MessageText(messageId)) +
                                 QLatin1Char('\n') +
                                 Utf8(radio::FrequencyRuleText(m_ctx.UiLanguage())));
}

void CProgramView::EncodeGridToImage() {
    CommitCellEdit();
    if (m_pDocument) radio::EncodeGridToImage(m_pDocument->grid(), m_pDocument->image());
}

// ---------------------------------------------------------------------------------------------
// Keys

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    // An editor claims the keys of its own editing (Ctrl+C, Del, Ctrl+Z, ...). While the user
    // has not typed into it, they belong to the grid's Edit commands instead, so Alt+Up/Down
    // move the channel in every column (a list cell drops its list with F4 or Space).
    if (event->type() == QEvent::ShortcutOverride && !m_bFirstLayout &&
        watched == GetCellEditor()) {
        const int command = EditCommandOfKey(static_cast<QKeyEvent*>(event));
        if (command != 0 && !EditorChanged()) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress &&
        PreTranslateKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == m_pForm && event->type() == QEvent::Resize) LayOutGrid();
    return QScrollArea::eventFilter(watched, event);
}

bool CProgramView::PreTranslateKey(QObject* watched, QKeyEvent* key) {
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
        m_ctx.ShowHelp(ControlIdOf(QApplication::focusWidget()));
        return true;
    }
    if (m_bFirstLayout) return false;

    QWidget* editor = GetCellEditor();
    // An Edit key the main window's menu did not take (no menu around the view, or its window
    // not the active one) is carried out here, unless the entry typed so far owns it.
    if (const int command = EditCommandOfKey(key); command != 0 && !EditorChanged()) {
        RunEditCommand(command);
        return true;
    }
    if (editor->isVisible() && watched != editor && !editor->hasFocus() && !m_bRedirecting) {
        // The focus went back to the grid under an open editor (a message box closed over it):
        // what is typed belongs in the editor, not lost on the grid. An untouched entry is
        // still replaced by typing, as on entering the cell.
        editor->setFocus();
        if (auto* edit = qobject_cast<CCellEdit*>(editor); edit && !edit->IsChanged())
            edit->selectAll();
        m_bRedirecting = true;
        HandOn(editor, key);
        m_bRedirecting = false;
        return true;
    }
    auto* edit = qobject_cast<CCellEdit*>(editor);
    CellKeyState state;
    state.row = m_grid->GetRow();
    state.col = m_grid->GetCol();
    state.lastRow = m_grid->GetRows() - 1;
    state.lastCol = m_grid->GetCols() - 1;
    state.editorOpen = editor->isVisible();
    state.editBox = edit != nullptr;
    state.editorChanged = EditorChanged();
    state.pageRows = std::max(1, m_grid->viewport()->height() / std::max(1, m_grid->rowHeight(0)));
    if (edit) {
        const bool wholeSelected = !edit->text().isEmpty() && edit->selectedText() == edit->text();
        state.atStart = wholeSelected || (!edit->hasSelectedText() && edit->cursorPosition() == 0);
        state.atEnd = wholeSelected ||
                      (!edit->hasSelectedText() && edit->cursorPosition() == edit->text().size());
    }

    const CellKeyDecision decision =
        DecideCellKey(key->key(), key->modifiers(), key->text(), state);
    switch (decision.action) {
        case CellKeyAction::Pass:
            return false;
        case CellKeyAction::Ignore:
            return true;
        case CellKeyAction::Help:  // handled above, whatever the state
            return true;
        case CellKeyAction::Cancel:
            HideEditors();
            m_grid->viewport()->update();
            return true;
        case CellKeyAction::Open:
            OpenEditor();
            return true;
        case CellKeyAction::OpenAndType:
            OpenEditor();
            // The editor's whole text is selected: the key replaces it.
            HandOn(GetCellEditor(), key);
            return true;
        case CellKeyAction::Commit:
            MoveByKey(state, decision.row, decision.col);
            return true;
        case CellKeyAction::Extend:
            m_grid->ExtendSelection(decision.row, decision.col);
            return true;
        case CellKeyAction::Fill:
            FillSelection();
            return true;
    }
    return false;
}

void CProgramView::MoveAfterCommit(int row, int col) {
    if (m_grid->GetRow() == row && m_grid->GetCol() == col)
        OpenEditor();
    else
        m_grid->SetCurrentCell(row, col);  // LeaveCell finds nothing left to store
}

// ---------------------------------------------------------------------------------------------
// Language

CLanguageDlg& CProgramView::LanguageDialog() {
    if (!m_pDlgLanguage) m_pDlgLanguage = new CLanguageDlg(m_ctx, this);
    return *m_pDlgLanguage;
}

void CProgramView::OnLanguage() {
    CLanguageDlg& dlg = LanguageDialog();
    // The new language shows only after a restart; the application carries it out, or keeps
    // running when it cannot.
    if (dlg.exec() == QDialog::Accepted && dlg.IsChanged()) m_ctx.RequestRestart();
}

// ---------------------------------------------------------------------------------------------
// Printing

QPrinter& CProgramView::Printer() {
    // The shared printer carries the choice of File > Print Setup.
    return m_ctx.Printer();
}

std::unique_ptr<radio::CPrintJob> CProgramView::MakePrintJob() {
    CommitCellEdit();  // the pages show the grid as the user sees it
    return std::make_unique<radio::CPrintJob>(m_pDocument->image(), m_pDocument->grid(),
                                              m_ctx.UiLanguage(),
                                              m_ctx.LanguageText("Copyrights Owner"));
}

void CProgramView::OnFilePrint() {
    if (!m_pDocument) return;
    const std::unique_ptr<radio::CPrintJob> job = MakePrintJob();
    radio::PrintWithPrinter(this, Printer(), *job, true);
}

void CProgramView::OnFilePrintDirect() {
    if (!m_pDocument) return;
    const std::unique_ptr<radio::CPrintJob> job = MakePrintJob();
    if (!radio::PrintWithPrinter(this, Printer(), *job, false)) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("The document could not be printed. Check the "
                                    "printer chosen in File > Print Setup."));
    }
}

void CProgramView::OnFilePrintPreview() {
    if (!m_pDocument) return;
    delete m_pPreview.data();  // it draws from the job replaced below
    m_pPreviewJob = MakePrintJob();
    m_pPreview = radio::MakePrintPreview(this, Printer(), *m_pPreviewJob);
    // Window-modal: the document cannot be closed under the preview.
    m_pPreview->open();
}

// ---------------------------------------------------------------------------------------------
// Comparing

radio::RadioImage CProgramView::ImageToWrite() {
    if (!m_pDocument) return {};
    radio::RadioImage image = m_pDocument->image();
    radio::EncodeGridToImage(m_pDocument->grid(), image);
    return image;
}

void CProgramView::StartCompare(const radio::RadioImage& other, const QString& otherName) {
    if (!m_pDocument) return;
    CommitCellEdit();  // what the user sees is what is compared
    if (!m_pComparePanel) {
        m_pComparePanel = new CComparePanel(m_ctx.UiLanguage(), m_pSplitter);
        m_pSplitter->addWidget(m_pComparePanel);
        m_pSplitter->setStretchFactor(0, 1);
        connect(m_pComparePanel, &CComparePanel::CellRequested, this, &CProgramView::JumpToCell);
        connect(m_pComparePanel, &CComparePanel::CellSelected, this, &CProgramView::SelectCell);
        connect(m_pComparePanel, &CComparePanel::CloseRequested, this, &CProgramView::EndCompare);
    }
    m_compareImage = other;
    m_strCompareName = otherName;
    RefreshCompare();
    PlaceComparePanel(true);
}

void CProgramView::EndCompare() {
    if (!m_compareImage) return;
    m_compareImage.reset();
    m_grid->SetMarkedCells({});
    PlaceComparePanel(false);
}

void CProgramView::RefreshCompare() {
    if (!m_compareImage || !m_pDocument) return;
    const std::vector<radio::ImageDifference> diffs =
        radio::DiffImages(ImageToWrite(), *m_compareImage, m_ctx.UiLanguage());
    QSet<QPair<int, int>> cells;
    QHash<QPair<int, int>, QString> notes;  // what the other image holds, for a reader
    for (const radio::ImageDifference& d : diffs) {
        if (d.area != radio::DiffArea::Channel) continue;
        cells.insert({d.record + 1, d.column});
        notes.insert({d.record + 1, d.column}, CCellAccess::ChangedFrom(Utf8(d.after)));
    }
    m_grid->SetCellNotes(notes);
    m_grid->SetMarkedCells(cells);
    m_pComparePanel->SetDifferences(diffs, m_strCompareName);
}

void CProgramView::PlaceComparePanel(bool shown) {
    const QSize form = FormSize();
    // The list sits beside the grid in the splitter; the window widens to hold it where the
    // main window has room, and gives the room back when the comparison ends. Where it has
    // none, the list takes what the grid's template leaves, a third of it at least, so its
    // button never scrolls out of sight.
    const int extra = shown ? form.width() * 3 / 5 : 0;
    const int least = form.width() / 3;
    m_pComparePanel->setVisible(shown);
    m_pForm->setMinimumSize(form.width() + (shown ? least : 0), form.height());

    QWidget* ancestor = parentWidget();
    while (ancestor && !qobject_cast<QMdiSubWindow*>(ancestor)) ancestor = ancestor->parentWidget();
    if (auto* window = qobject_cast<QMdiSubWindow*>(ancestor)) {
        int grow = extra - m_nCompareExtraWidth;
        if (QMdiArea* area = window->mdiArea(); area && grow > 0)
            grow =
                std::min(grow, std::max(0, area->viewport()->width() - window->geometry().right()));
        if (!shown) grow = -m_nCompareExtraWidth;
        window->resize(window->width() + grow, window->height());
        m_nCompareExtraWidth += grow;
    }
    if (!shown) return;
    // Once the window has its new size: the grid keeps its template's width if it can.
    QTimer::singleShot(0, this, [this, extra, least] {
        if (!IsComparing()) return;
        const int total = m_pSplitter->width() - m_pSplitter->handleWidth();
        const int grid = FormSize().width() - m_gridMargins.left() - m_gridMargins.right();
        const int panel =
            std::clamp(total - grid, std::min(least, total / 2), std::max(extra, least));
        m_pSplitter->setSizes({total - panel, panel});
    });
}

void CProgramView::JumpToCell(int row, int col) {
    SelectCell(row, col);
    if (m_bFirstLayout || !m_grid->isVisible()) return;
    QWidget* editor = GetCellEditor();
    if (editor->isVisible())
        editor->setFocus();
    else
        OpenEditor();
}

void CProgramView::SelectCell(int row, int col) {
    if (row < 1 || row >= radio::ChannelGrid::kRows) return;
    if (col < 1 || col >= radio::ChannelGrid::kCols) col = 1;
    // Whoever asked keeps the keyboard focus; the cell's editor still opens over it.
    QWidget* focus = QApplication::focusWidget();
    m_grid->SetCurrentCell(row, col);
    m_grid->scrollTo(m_grid->currentIndex());
    if (focus && focus != QApplication::focusWidget() && !m_grid->isAncestorOf(focus))
        focus->setFocus();
}

void CProgramView::OnFileCompare() {
    if (!m_pDocument) return;
    const QString path = m_ctx.FileDialogs().GetOpenFileName(this, QStringLiteral("*.dat"));
    if (path.isEmpty()) return;
    radio::RadioImage other;
    if (const radio::Status st =
            radio::LoadChannelFile(QFile::encodeName(path).toStdString(), other);
        !st) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("The channel file could not be opened.\n\n%1")
                                     .arg(QString::fromStdString(st.message)));
        return;
    }
    StartCompare(other, QFileInfo(path).fileName());
}

void CProgramView::OnCompareWithBackup() {
    if (!m_pDocument) return;
    const QString folder = m_ctx.BackupFolder();
    if (folder.isEmpty()) {
        m_ctx.Messages().Information(this, m_ctx.AppCaption(),
                                     tr("Backups are switched off (BackupDir=off in "
                                        "Program.ini), so there is none to compare "
                                        "with."));
        return;
    }
    // The radio has no serial number to go by: its type and band stand for it.
    const radio::RadioImage mine = ImageToWrite();
    for (const radio::BackupEntry& entry :
         radio::BackupStore(QFile::encodeName(folder).toStdString()).List()) {
        radio::RadioImage image;
        if (!radio::LoadChannelFile(entry.path, image)) continue;
        if (image[radio::offset::kRadioType] != mine[radio::offset::kRadioType] ||
            image[radio::offset::kBandIndex] != mine[radio::offset::kBandIndex])
            continue;
        const QString when = QString::fromStdString(radio::FormatBackupTime(entry.time));
        StartCompare(image, m_ctx.PickText("backup %1", "备份 %1").arg(when));
        return;
    }
    m_ctx.Messages().Information(
        this, m_ctx.AppCaption(),
        tr("There is no backup of a radio of this type and band yet.\n\nEvery "
           "complete Program > Read keeps one, in %1.")
            .arg(QDir::toNativeSeparators(folder)));
}
