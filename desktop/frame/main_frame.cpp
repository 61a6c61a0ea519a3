#include "desktop/frame/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

#include "core/formats/channel_list.h"
#include "core/image/atomic_file.h"
#include "desktop/channels/cell_keys.h"
#include "desktop/channels/import_landing.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/import_preview_dlg.h"
#include "desktop/dialogs/option_features_dlg.h"
#include "desktop/dialogs/product_info_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/mdi_client_wnd.h"
#include "desktop/frame/navigation_bar.h"
#include "desktop/services/announcer.h"
#include "desktop/services/app_context.h"
#include "desktop/services/app_pictures.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/help.h"
#include "desktop/services/message_service.h"

namespace {

// Status-bar prompt and tooltip of a command, separated by a line break.
QString Prompt(int id) {
    switch (id) {
        case ID_FILE_NEW:
            return CMainFrame::tr("Create a new document\nNew");
        case ID_FILE_OPEN:
            return CMainFrame::tr("Open an existing document\nOpen");
        case ID_FILE_CLOSE:
            return CMainFrame::tr("Close the active document\nClose");
        case ID_FILE_SAVE:
            return CMainFrame::tr("Save the active document\nSave");
        case ID_FILE_SAVE_AS:
            return CMainFrame::tr("Save the active document with a new name\nSave As");
        case ID_FILE_IMPORT_CHANNELS:
            return CMainFrame::tr(
                "Import channels from a CSV file or a radioprog dump listing\nImport Channels");
        case ID_FILE_EXPORT_CHANNELS:
            return CMainFrame::tr("Export the channels as a CSV file\nExport Channels");
        case ID_FILE_PRINT_SETUP:
            return CMainFrame::tr("Change the printing options\nPage Setup");
        case ID_FILE_PRINT:
            return CMainFrame::tr("Print the active document\nPrint");
        case ID_FILE_PRINT_DIRECT:
            return CMainFrame::tr("Print the active document without asking\nPrint Direct");
        case ID_FILE_PRINT_PREVIEW:
            return CMainFrame::tr("Display full pages\nPrint Preview");
        case ID_APP_ABOUT:
            return CMainFrame::tr(
                "Display program information, version number and copyright\nAbout");
        case ID_APP_EXIT:
            return CMainFrame::tr("Quit the application; prompts to save documents\nExit");
        case ID_VIEW_TOOLBAR:
            return CMainFrame::tr("Show or hide the toolbar\nToggle ToolBar");
        case ID_VIEW_STATUS_BAR:
            return CMainFrame::tr("Show or hide the status bar\nToggle StatusBar");
        case ID_PROGRAM_WRITE_MANY:
            return CMainFrame::tr(
                "Write this document to several radios at once, in rounds, with a log\n"
                "Write to Several Radios");
        case ID_FILE_RADIO_BACKUPS:
            return CMainFrame::tr("Open one of the images kept from reading radios\nRadio Backups");
        case ID_FILE_COMPARE:
            return CMainFrame::tr("Show the differences to another channel file\nCompare");
        case ID_FILE_COMPARE_BACKUP:
            return CMainFrame::tr(
                "Show the differences to the last backup of this radio\nCompare with Backup");
        case ID_EDIT_UNDO:
            return CMainFrame::tr("Undo the last change\nUndo");
        case ID_EDIT_REDO:
            return CMainFrame::tr("Redo the change undone last\nRedo");
        case ID_EDIT_CUT:
            return CMainFrame::tr("Cut the selected cells and put them on the Clipboard\nCut");
        case ID_EDIT_COPY:
            return CMainFrame::tr("Copy the selected cells to the Clipboard\nCopy");
        case ID_EDIT_PASTE:
            return CMainFrame::tr("Insert the Clipboard's cells at the selection\nPaste");
        case ID_EDIT_CLEAR:
            return CMainFrame::tr("Erase the selected cells\nClear");
        case ID_EDIT_SELECT_ALL:
            return CMainFrame::tr("Select every channel cell\nSelect All");
        case ID_EDIT_INSERT_CHANNEL:
            return CMainFrame::tr(
                "Insert an empty channel; the channels below move down\nInsert Channel");
        case ID_EDIT_DELETE_CHANNEL:
            return CMainFrame::tr(
                "Delete the selected channels; the channels below move up\nDelete Channel");
        case ID_EDIT_MOVE_UP:
            return CMainFrame::tr("Swap the selected channels with the one above\nMove Up");
        case ID_EDIT_MOVE_DOWN:
            return CMainFrame::tr("Swap the selected channels with the one below\nMove Down");
        case ID_EDIT_FILL_DOWN:
            return CMainFrame::tr(
                "Copy the top cell of each selected column into the cells below\nFill Down");
        case ID_EDIT_SORT:
            return CMainFrame::tr(
                "Order the selected channels (or all) by Rx Frequency\nSort by Rx Frequency");
        default:
            return {};
    }
}

// Commands that act on the active channel window; without one they are unavailable.
constexpr int kDocumentCommands[] = {
    ID_FILE_CLOSE,
    ID_FILE_SAVE,
    ID_FILE_SAVE_AS,
    ID_FILE_PRINT,
    ID_FILE_PRINT_PREVIEW,
    ID_PROGRAM_READ,
    ID_PROGRAM_WRITE,
    ID_PROGRAM_WRITE_MANY,
    ID_SETUP_COM,
    ID_SETUP_LANGUAGE,
    ID_EDIT_CHANNEL_INFO,
    ID_EDIT_OPTIONAL_FEATURES,
    ID_FILE_PRINT_DIRECT,
    ID_FILE_IMPORT_CHANNELS,
    ID_FILE_EXPORT_CHANNELS,
    ID_FILE_COMPARE,
    ID_FILE_COMPARE_BACKUP,
    ID_EDIT_CUT,
    ID_EDIT_COPY,
    ID_EDIT_PASTE,
    ID_EDIT_CLEAR,
    ID_EDIT_SELECT_ALL,
    ID_EDIT_INSERT_CHANNEL,
    ID_EDIT_DELETE_CHANNEL,
    ID_EDIT_MOVE_UP,
    ID_EDIT_MOVE_DOWN,
    ID_EDIT_FILL_DOWN,
    ID_EDIT_SORT,
};

// The Edit commands the channel view carries out, with their handlers.
struct ViewEditCommand {
    int id;
    const char* text;  // the menu text; the first key of the command follows it
    void (CProgramView::*handler)();
};
constexpr ViewEditCommand kViewEditCommands[] = {
    {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("CMainFrame", "&Undo"), &CProgramView::OnEditUndo},
    {ID_EDIT_REDO, QT_TRANSLATE_NOOP("CMainFrame", "&Redo"), &CProgramView::OnEditRedo},
    {ID_EDIT_CUT, QT_TRANSLATE_NOOP("CMainFrame", "Cu&t"), &CProgramView::OnEditCut},
    {ID_EDIT_COPY, QT_TRANSLATE_NOOP("CMainFrame", "&Copy"), &CProgramView::OnEditCopy},
    {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("CMainFrame", "&Paste"), &CProgramView::OnEditPaste},
    {ID_EDIT_CLEAR, QT_TRANSLATE_NOOP("CMainFrame", "Cl&ear"), &CProgramView::OnEditClear},
    {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("CMainFrame", "Select &All"),
     &CProgramView::OnEditSelectAll},
    {ID_EDIT_INSERT_CHANNEL, QT_TRANSLATE_NOOP("CMainFrame", "&Insert Channel"),
     &CProgramView::OnEditInsertChannel},
    {ID_EDIT_DELETE_CHANNEL, QT_TRANSLATE_NOOP("CMainFrame", "&Delete Channel"),
     &CProgramView::OnEditDeleteChannel},
    {ID_EDIT_MOVE_UP, QT_TRANSLATE_NOOP("CMainFrame", "&Move Up"), &CProgramView::OnEditMoveUp},
    {ID_EDIT_MOVE_DOWN, QT_TRANSLATE_NOOP("CMainFrame", "Move Do&wn"),
     &CProgramView::OnEditMoveDown},
    {ID_EDIT_FILL_DOWN, QT_TRANSLATE_NOOP("CMainFrame", "&Fill Down"),
     &CProgramView::OnEditFillDown},
    {ID_EDIT_SORT, QT_TRANSLATE_NOOP("CMainFrame", "&Sort by Rx Frequency"),
     &CProgramView::OnEditSort},
};

QString ImportFilter() {
    return CMainFrame::tr(
        "Channel lists (*.csv *.tsv *.txt);;CSV files (*.csv);;radioprog dump listings (*.tsv "
        "*.txt);;All files (*)");
}
QString ExportFilter() {
    return CMainFrame::tr("CSV files (*.csv);;radioprog dump listings, TAB-separated (*.tsv)");
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

void NoDocumentMessage(AppContext& ctx, QWidget* parent) {
    ctx.Messages().Information(parent, ctx.AppCaption(),
                               CMainFrame::tr("There is no channel document open. Create one with "
                                              "File > New or open a channel file first."));
}

}  // namespace

CMainFrame::CMainFrame(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    resize(1000, 600);
}

CMainFrame::~CMainFrame() {
    // Tearing down the client area hides and activates windows; nothing here may answer that.
    qApp->removeEventFilter(this);
    if (m_pMdiClient) m_pMdiClient->disconnect(this);
    if (m_pNavigationBar) m_pNavigationBar->disconnect(this);
    if (m_pUndoGroup) m_pUndoGroup->disconnect(this);
    for (CChildFrame* child : ChildFrames()) {
        child->disconnect(this);
        child->GetDocument()->disconnect(this);
    }
}

QAction* CMainFrame::NewAction(int id, const QString& text, const QString& prompt) {
    auto* action = new QAction(text, this);
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setProperty("commandId", id);
    const QString both = prompt.isNull() ? Prompt(id) : prompt;
    if (!both.isEmpty()) {
        action->setStatusTip(both.section(QLatin1Char('\n'), 0, 0));
        action->setToolTip(both.section(QLatin1Char('\n'), 1, 1));
    }
    addAction(action);  // accelerators work whichever menu is shown
    if (!m_actions.contains(id)) m_actions.insert(id, action);
    return action;
}

bool CMainFrame::Create() {
    m_pMdiClient = new CMDIClientWnd(this);
    setCentralWidget(m_pMdiClient);
    connect(m_pMdiClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (auto* child = qobject_cast<CChildFrame*>(w)) m_pActiveChild = child;
        UpdateCommandStates();
    });

    m_pOptionFeaturesDlg = new COptionFeaturesDlg(m_ctx, this);
    m_pProductInfoDlg = new CProductInfoDlg(m_ctx, this);

    CreateMenus();
    CreateWindowMenus();
    if (!CreateToolBar() || !CreateStatusBar() || !CreateNavigationBar()) return false;
    CreateAccelerators();
    NameExtensionButtons();
    setWindowTitle(m_ctx.LanguageText("AppName"));
    UpdateCommandStates();
    return true;
}

void CMainFrame::CreateMenus() {
    NewAction(ID_FILE_NEW, tr("&New"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    NewAction(ID_FILE_OPEN, tr("&Open..."))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    NewAction(ID_FILE_CLOSE, tr("&Close"));
    NewAction(ID_FILE_SAVE, tr("&Save"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    NewAction(ID_FILE_SAVE_AS, tr("Save &As..."));
    NewAction(ID_FILE_IMPORT_CHANNELS, tr("&Import Channels..."));
    NewAction(ID_FILE_EXPORT_CHANNELS, tr("&Export Channels..."));
    NewAction(ID_FILE_PRINT, tr("&Print..."))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    NewAction(ID_FILE_PRINT_PREVIEW, tr("Print Pre&view"));
    // Printing without the print dialog has no menu item; its key reaches it from anywhere
    // in the main window.
    NewAction(ID_FILE_PRINT_DIRECT, tr("Print &Direct"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    NewAction(ID_FILE_PRINT_SETUP, tr("P&rint Setup..."));
    NewAction(ID_APP_EXIT, tr("E&xit"));
    for (const ViewEditCommand& c : kViewEditCommands) {
        const QList<QKeySequence> keys = EditCommandKeys(c.id);
        // The key is the action's shortcut, which menus show beside the text; in the text
        // itself a reader would say it twice.
        NewAction(c.id, tr(c.text))->setShortcuts(keys);
    }
    // "&Copy" has the C of this menu.
    NewAction(ID_EDIT_CHANNEL_INFO, tr("C&hannel Information"));
    NewAction(ID_EDIT_OPTIONAL_FEATURES, tr("&Optional Features"));
    NewAction(ID_PROGRAM_READ, tr("&Read"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    NewAction(ID_PROGRAM_WRITE, tr("&Write"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    NewAction(ID_PROGRAM_WRITE_MANY, tr("Write to &Several Radios..."));
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_CONTROL_BAR}) {
        const QString text = id == ID_VIEW_TOOLBAR      ? tr("&Toolbar")
                             : id == ID_VIEW_STATUS_BAR ? tr("&Status Bar")
                                                        : tr("&Control Bar");
        NewAction(id, text)->setCheckable(true);
    }
    NewAction(ID_SETUP_COM, tr("&Com Setup"));
    NewAction(ID_SETUP_LANGUAGE, tr("&Language"));
    NewAction(ID_PRODUCT_INFO, QString());  // no menu item: reached from the navigation tree
    // Two About items: start-up gives the document menu's one the configured text.
    m_pAbout128 = NewAction(ID_APP_ABOUT, tr("&About Program..."));
    m_pAbout129 = new QAction(tr("&About Program..."), this);
    m_pAbout129->setObjectName(QStringLiteral("ID_%1").arg(ID_APP_ABOUT));
    m_pAbout129->setProperty("commandId", ID_APP_ABOUT);
    m_pAbout129->setStatusTip(m_pAbout128->statusTip());
    m_actions.insert(ID_APP_ABOUT, m_pAbout129);
    connect(m_pAbout129, &QAction::triggered, m_pAbout128, &QAction::trigger);

    const auto menu = [this](const QString& title, std::initializer_list<int> ids,
                             QAction* about = nullptr) {
        auto* m = new QMenu(title, this);
        for (int id : ids) {
            if (id == 0)
                m->addSeparator();
            else
                m->addAction(m_actions.value(id));
        }
        if (about) m->addAction(about);
        return m;
    };
    m_menus128 = {
        menu(tr("&File"), {ID_FILE_NEW, ID_FILE_OPEN, 0, ID_FILE_PRINT_SETUP, 0, ID_APP_EXIT}),
        menu(tr("&View"), {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}),
        menu(tr("&Help"), {}, m_pAbout128),
    };
    m_pSetupMenu = menu(tr("&Setup"), {ID_SETUP_COM, ID_SETUP_LANGUAGE});
    m_menus129 = {
        menu(tr("&File"), {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS,
                           0, ID_FILE_IMPORT_CHANNELS, ID_FILE_EXPORT_CHANNELS, 0, ID_FILE_PRINT,
                           ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0, ID_APP_EXIT}),
        menu(tr("&Edit"),
             {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
              ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL, 0, ID_EDIT_INSERT_CHANNEL, ID_EDIT_DELETE_CHANNEL,
              ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN, ID_EDIT_FILL_DOWN, ID_EDIT_SORT, 0,
              ID_EDIT_CHANNEL_INFO, ID_EDIT_OPTIONAL_FEATURES}),
        menu(tr("&Program"), {ID_PROGRAM_READ, ID_PROGRAM_WRITE, 0, ID_PROGRAM_WRITE_MANY}),
        menu(tr("&View"), {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_CONTROL_BAR}),
        m_pSetupMenu,
        menu(tr("&Help"), {}, m_pAbout129),
    };
    AddBackupAndCompareItems();
    AddImportSubmenu();
    for (QMenu* m : m_menus128 + m_menus129) {
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
    }

    // Commands of the frame and of the active channel window.
    connect(Action(ID_APP_EXIT), &QAction::triggered, this, &QWidget::close);
    connect(Action(ID_FILE_CLOSE), &QAction::triggered, this, &CMainFrame::OnFileClose);
    connect(Action(ID_FILE_SAVE), &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(Action(ID_FILE_SAVE_AS), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(Action(ID_FILE_IMPORT_CHANNELS), &QAction::triggered, this,
            &CMainFrame::OnFileImportChannels);
    connect(Action(ID_FILE_EXPORT_CHANNELS), &QAction::triggered, this,
            &CMainFrame::OnFileExportChannels);
    connect(Action(ID_EDIT_CHANNEL_INFO), &QAction::triggered, this,
            &CMainFrame::OnEditChannelInfo);
    connect(Action(ID_EDIT_OPTIONAL_FEATURES), &QAction::triggered, this,
            &CMainFrame::OnEditOptionalFeatures);
    connect(Action(ID_PRODUCT_INFO), &QAction::triggered, this, &CMainFrame::OnProductInfo);
    connect(Action(ID_VIEW_TOOLBAR), &QAction::triggered, this, &CMainFrame::OnViewToolbar);
    connect(Action(ID_VIEW_STATUS_BAR), &QAction::triggered, this, &CMainFrame::OnViewStatusBar);
    connect(Action(ID_VIEW_CONTROL_BAR), &QAction::triggered, this, &CMainFrame::OnViewControlBar);
    const auto toView = [this](int id, void (CProgramView::*handler)()) {
        connect(Action(id), &QAction::triggered, this, [this, handler] {
            if (CProgramView* view = ActiveView()) (view->*handler)();
        });
    };
    toView(ID_PROGRAM_READ, &CProgramView::OnRead);
    toView(ID_PROGRAM_WRITE, &CProgramView::OnWrite);
    toView(ID_PROGRAM_WRITE_MANY, &CProgramView::OnWriteMany);
    toView(ID_SETUP_COM, &CProgramView::OnComSetup);
    toView(ID_SETUP_LANGUAGE, &CProgramView::OnLanguage);
    toView(ID_FILE_PRINT, &CProgramView::OnFilePrint);
    toView(ID_FILE_PRINT_PREVIEW, &CProgramView::OnFilePrintPreview);
    toView(ID_FILE_PRINT_DIRECT, &CProgramView::OnFilePrintDirect);
    toView(ID_FILE_COMPARE, &CProgramView::OnFileCompare);
    toView(ID_FILE_COMPARE_BACKUP, &CProgramView::OnCompareWithBackup);
    for (const ViewEditCommand& c : kViewEditCommands) toView(c.id, c.handler);

    // Undo and Redo follow the active document's stack and name its next step.
    m_pUndoGroup = new QUndoGroup(this);
    for (auto signal : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
        connect(m_pUndoGroup, signal, this, &CMainFrame::UpdateUndoActions);
    for (auto signal : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
        connect(m_pUndoGroup, signal, this, &CMainFrame::UpdateUndoActions);
    connect(m_pUndoGroup, &QUndoGroup::activeStackChanged, this, &CMainFrame::UpdateUndoActions);
}

void CMainFrame::UpdateUndoActions() {
    QUndoStack* stack = m_pUndoGroup ? m_pUndoGroup->activeStack() : nullptr;
    for (bool undo : {true, false}) {
        QAction* action = Action(undo ? ID_EDIT_UNDO : ID_EDIT_REDO);
        const bool can = stack && (undo ? stack->canUndo() : stack->canRedo());
        const QString step = can ? (undo ? stack->undoText() : stack->redoText()) : QString();
        const QString named = step.isEmpty() ? (undo ? tr("Undo") : tr("Redo"))
                              : undo         ? tr("Undo %1").arg(step)
                                             : tr("Redo %1").arg(step);
        action->setText(QLatin1Char('&') + named);  // the shortcut shows the key
        action->setToolTip(named);                  // "Undo paste of 12 channels"
        action->setEnabled(can);
    }
}

QList<QAction*> CMainFrame::GridContextActions() const {
    QList<QAction*> actions;
    for (int id : std::initializer_list<int>{
             ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR,
             ID_EDIT_SELECT_ALL, 0, ID_EDIT_INSERT_CHANNEL, ID_EDIT_DELETE_CHANNEL, ID_EDIT_MOVE_UP,
             ID_EDIT_MOVE_DOWN, ID_EDIT_FILL_DOWN, ID_EDIT_SORT})
        actions.append(id ? Action(id) : nullptr);
    return actions;
}

// File > Radio Backups in both File menus, after Open; the two comparisons in the document's
// File menu, after Save As.
void CMainFrame::AddBackupAndCompareItems() {
    NewAction(ID_FILE_RADIO_BACKUPS, tr("Radio &Backups..."));
    NewAction(ID_FILE_COMPARE, tr("Co&mpare With..."));
    NewAction(ID_FILE_COMPARE_BACKUP, tr("Compare with &Last Backup"));
    const auto insertAfter = [](QMenu* menu, QAction* anchor,
                                std::initializer_list<QAction*> items) {
        const QList<QAction*> actions = menu->actions();
        const qsizetype at = actions.indexOf(anchor);
        QAction* before = at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
        for (QAction* item : items) menu->insertAction(before, item);
    };
    for (QMenu* file : {m_menus128.front(), m_menus129.front()})
        insertAfter(file, Action(ID_FILE_OPEN), {Action(ID_FILE_RADIO_BACKUPS)});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    // Comparing follows the other ways in and out of a file: Import and Export Channels.
    insertAfter(m_menus129.front(), Action(ID_FILE_EXPORT_CHANNELS),
                {separator, Action(ID_FILE_COMPARE), Action(ID_FILE_COMPARE_BACKUP)});
}

void CMainFrame::CreateWindowMenus() {
    // One per menu set, before Help; both list the same documents.
    for (auto [menus, slot] :
         {std::pair{&m_menus128, &m_pWindowMenu128}, std::pair{&m_menus129, &m_pWindowMenu129}}) {
        auto* menu = new QMenu(tr("&Window"), this);
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowMenu(menu); });
        menus->insert(menus->size() - 1, menu);
        *slot = menu;
    }
}

void CMainFrame::FillWindowMenu(QMenu* menu) {
    menu->clear();
    const QList<CChildFrame*> children = ChildFrames();
    if (children.isEmpty()) menu->addAction(tr("No documents open"))->setEnabled(false);
    int number = 0;
    for (CChildFrame* child : children) {
        // "*" marks unsaved changes, as the close question will; hidden windows are listed too,
        // since their documents are still open.
        const CProgramDoc* doc = child->GetDocument();
        QString text = QStringLiteral("&%1 %2").arg(++number).arg(doc->GetTitle());
        if (doc->IsModified()) text += QStringLiteral(" *");
        if (child->isHidden()) text += tr("  (hidden)");
        QAction* item = menu->addAction(text);
        item->setCheckable(true);
        item->setChecked(child == ActiveChild());
        connect(item, &QAction::triggered, this,
                [this, window = QPointer<CChildFrame>(child)] { OnWindowChosen(window); });
    }
}

void CMainFrame::OnWindowChosen(CChildFrame* child) {
    if (!child) return;
    child->show();
    m_pMdiClient->setActiveSubWindow(child);
    m_pActiveChild = child;
    child->GetView()->setFocus();
    UpdateCommandStates();
}

QMenu* CMainFrame::WindowMenu(bool documentMenu) const {
    return documentMenu ? m_pWindowMenu129 : m_pWindowMenu128;
}

bool CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(tr("Standard"), this);
    m_pToolBar->setObjectName(QStringLiteral("128"));
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const auto button = [this](int id, QAction* action = nullptr) {
        action = action ? action : Action(id);
        action->setIcon(CommandIcon(id));
        m_pToolBar->addAction(action);
    };
    button(ID_FILE_NEW);
    button(ID_FILE_OPEN);
    button(ID_FILE_SAVE);
    m_pToolBar->addSeparator();
    button(ID_EDIT_UNDO);
    button(ID_EDIT_REDO);
    m_pToolBar->addSeparator();
    button(ID_PROGRAM_READ);
    button(ID_PROGRAM_WRITE);
    m_pToolBar->addSeparator();
    button(ID_FILE_PRINT);
    m_pToolBar->addSeparator();
    button(ID_APP_ABOUT, m_pAbout128);
    // Read and Write have no prompt: their buttons show no tooltip at all.
    for (int id : {ID_PROGRAM_READ, ID_PROGRAM_WRITE}) {
        if (QWidget* w = m_pToolBar->widgetForAction(Action(id))) m_untippedButtons.append(w);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    return true;
}

bool CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->addWidget(new QLabel(tr("Ready"), bar), 1);
    m_pAnnouncer = new CAnnouncer(bar);
    bar->addPermanentWidget(m_pAnnouncer);
    const QFontMetrics fm(bar->font());
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto* label = new QLabel(bar);
        label->setObjectName(QString::number(id));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("SCRL")) + 12);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(label);
        m_indicators.insert(id, label);
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::PollKeyLocks);
    timer->start(250);
    // Lock keys, where the system cannot tell their state; also the Read and Write tooltips.
    qApp->installEventFilter(this);
    PollKeyLocks();
    return true;
}

bool CMainFrame::CreateNavigationBar() {
    m_pNavigationDock = new QDockWidget(this);
    m_pNavigationDock->setObjectName(QStringLiteral("100"));
    // Named by the title the panel shows, which is what a reader says for it.
    m_pNavigationDock->setWindowTitle(
        m_ctx.AppCaption().isEmpty() ? CNavigationBar::tr("Navigation panel") : m_ctx.AppCaption());
    m_pNavigationDock->setTitleBarWidget(
        new QWidget(m_pNavigationDock));  // the panel draws its own
    m_pNavigationDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_pNavigationDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    m_pNavigationBar = new CNavigationBar(m_ctx, this, m_pNavigationDock);
    m_pNavigationDock->setWidget(m_pNavigationBar);
    addDockWidget(Qt::LeftDockWidgetArea, m_pNavigationDock);
    connect(m_pNavigationBar, &CNavigationBar::itemChosen, this, &CMainFrame::OnTreeItemChosen);
    connect(m_pNavigationBar, &CNavigationBar::closeRequested, this, [this] {
        m_pNavigationDock->hide();
        UpdateCommandStates();
    });
    return true;
}

void CMainFrame::CreateAccelerators() {
    const auto key = [this](const QKeySequence& seq, auto&& fn) {
        auto* shortcut = new QShortcut(seq, this);
        connect(shortcut, &QShortcut::activated, this, fn);
    };
    // F6 goes between the panes, Ctrl+Tab between the channel windows.
    key(QKeySequence(Qt::Key_F6), [this] { OnNextPane(); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F6), [this] { OnNextPane(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { OnNextWindow(true); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), [this] { OnNextWindow(false); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Backtab), [this] { OnNextWindow(false); });
}

QAction* CMainFrame::Action(int commandId) const { return m_actions.value(commandId); }

QAction* CMainFrame::AboutAction(bool documentMenu) const {
    return documentMenu ? m_pAbout129 : m_pAbout128;
}

const QList<QMenu*>& CMainFrame::Menus(bool documentMenu) const {
    return documentMenu ? m_menus129 : m_menus128;
}

QLabel* CMainFrame::Indicator(int indicatorId) const { return m_indicators.value(indicatorId); }

void CMainFrame::SetAboutItemText(const QString& text) { m_pAbout129->setText(text); }

void CMainFrame::RemoveLanguageItem() { m_pSetupMenu->removeAction(Action(ID_SETUP_LANGUAGE)); }

void CMainFrame::ShowMenuSet(bool documentMenu) {
    if (documentMenu == m_bDocumentMenu && !menuBar()->actions().isEmpty()) return;
    m_bDocumentMenu = documentMenu;
    menuBar()->clear();
    for (QMenu* m : Menus(documentMenu)) menuBar()->addMenu(m);
}

CChildFrame* CMainFrame::CreateChildFrame(CProgramDoc* doc) {
    auto* child = new CChildFrame(m_ctx, doc);
    m_pMdiClient->addSubWindow(child);
    connect(child, &QObject::destroyed, this, [this] {
        // The area still lists the window while it is being destroyed.
        QTimer::singleShot(0, this, &CMainFrame::UpdateCommandStates);
    });
    connect(doc, &CProgramDoc::bandTitleChanged, this, &CMainFrame::SetMainTitle);
    connect(doc, &CProgramDoc::modifiedChanged, this, &CMainFrame::UpdateCommandStates);
    m_pUndoGroup->addStack(doc->UndoStack());
    child->GetView()->SetContextActions(GridContextActions());
    // For the document whose write is being checked, whichever window is in front.
    connect(child->GetView(), &CProgramView::ProductInfoRequested, this,
            [this, window = QPointer<CChildFrame>(child)] {
                OnWindowChosen(window);
                if (window) OnProductInfo();
            });
    child->show();
    child->InitialPlacement();
    child->GetView()->OnInitialUpdate();
    m_pMdiClient->setActiveSubWindow(child);
    m_pActiveChild = child;
    ConnectAnnouncements(child->GetView());
    // A reader hears the current cell at once; once the window is laid out, so the editor
    // opens over its cell.
    QTimer::singleShot(0, child->GetView(), &CProgramView::FocusCurrentCell);
    UpdateCommandStates();
    return child;
}

CChildFrame* CMainFrame::ActiveChild() const { return m_pActiveChild.data(); }

CProgramDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* child = ActiveChild();
    return child ? child->GetDocument() : nullptr;
}

CProgramView* CMainFrame::ActiveView() const {
    CChildFrame* child = ActiveChild();
    return child ? child->GetView() : nullptr;
}

QList<CChildFrame*> CMainFrame::ChildFrames() const {
    QList<CChildFrame*> frames;
    if (!m_pMdiClient) return frames;
    for (QMdiSubWindow* w : m_pMdiClient->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(w)) frames.append(child);
    }
    return frames;
}

void CMainFrame::SetMainTitle(const QString& title) { setWindowTitle(title); }

void CMainFrame::OnFileClose() {
    if (CChildFrame* child = ActiveChild()) child->close();  // hides it, if its view agrees
}

void CMainFrame::OnFileSave() {
    if (CProgramDoc* doc = ActiveDocument()) doc->DoFileSave(this);
}

void CMainFrame::OnFileSaveAs() {
    if (CProgramDoc* doc = ActiveDocument()) doc->DoSave(this, true);
}

void CMainFrame::OnFileImportChannels() {
    if (!ReadyForImport()) return;
    const QString path = m_ctx.FileDialogs().GetOpenFileName(this, ImportFilter());
    if (path.isEmpty()) return;
    const QString name = QFileInfo(path).fileName();
    const auto refuse = [&](const QString& why) {
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 why + tr("\n\nNo channel was imported."));
    };

    std::string bytes;
    if (radio::Status st =
            radio::ReadFilePrefix(LocalPath(path), radio::kMaxChannelListBytes + 1, bytes);
        !st)
        return refuse(
            tr("The file could not be read.\n\n%1").arg(QString::fromStdString(st.message)));
    if (bytes.size() > radio::kMaxChannelListBytes)
        return refuse(tr("%1 is larger than %2 MB, far more than a channel list.")
                          .arg(name)
                          .arg(radio::kMaxChannelListBytes / (1024 * 1024)));
    ImportChannelBytes(bytes, name, false);
}

void CMainFrame::OnFileExportChannels() {
    CProgramDoc* doc = ActiveDocument();
    if (!doc) return NoDocumentMessage(m_ctx, this);
    if (CProgramView* view = ActiveView()) view->CommitCellEdit();
    const QString proposal =
        QFileInfo(doc->GetPathName()).completeBaseName() + QStringLiteral(".csv");
    QString path = m_ctx.FileDialogs().GetSaveFileName(this, proposal, ExportFilter());
    if (path.isEmpty()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty()) path += QStringLiteral(".csv");
    const bool listing = suffix == QLatin1String("tsv") || suffix == QLatin1String("txt");
    const std::string text =
        listing ? radio::WriteChannelTsv(doc->grid()) : radio::WriteChannelCsv(doc->grid());
    if (radio::Status st = radio::WriteFileAtomically(LocalPath(path), text); !st)
        m_ctx.Messages().Warning(this, m_ctx.AppCaption(),
                                 tr("The channels could not be exported.\n\n%1")
                                     .arg(QString::fromStdString(st.message)));
}

void CMainFrame::OnEditChannelInfo() {
    if (CChildFrame* child = ActiveChild()) {
        child->showNormal();
        m_pMdiClient->setActiveSubWindow(child);
    }
}

void CMainFrame::OnEditOptionalFeatures() {
    CProgramDoc* doc = ActiveDocument();
    if (!doc) return NoDocumentMessage(m_ctx, this);
    // The dialog works on a copy; its OK becomes one step of the document's undo stack.
    radio::RadioImage edited = doc->image();
    if (m_pOptionFeaturesDlg->DoModal(edited) != QDialog::Accepted) return;
    doc->ApplyChange([doc, &edited] { doc->image() = edited; },
                     [](int) { return tr("change of Optional Features"); },
                     radio::CellRange::Cell(doc->grid().Row(), doc->grid().Col()));
}

void CMainFrame::OnProductInfo() {
    CProgramDoc* doc = ActiveDocument();
    if (!doc) return NoDocumentMessage(m_ctx, this);
    // The type and band stored in the settings are the program's, not the document's: undoing
    // gives back the image's bytes only.
    radio::RadioImage edited = doc->image();
    if (m_pProductInfoDlg->DoModal(edited) != QDialog::Accepted) return;
    SetMainTitle(m_pProductInfoDlg->ResultTitle());
    doc->ApplyChange([doc, &edited] { doc->image() = edited; },
                     [](int) { return tr("change of Product Information"); },
                     radio::CellRange::Cell(doc->grid().Row(), doc->grid().Col()));
}

void CMainFrame::OnViewToolbar() {
    m_pToolBar->setVisible(m_pToolBar->isHidden());
    UpdateCommandStates();
}

void CMainFrame::OnViewStatusBar() {
    statusBar()->setVisible(statusBar()->isHidden());
    UpdateCommandStates();
}

void CMainFrame::OnViewControlBar() {
    m_pNavigationDock->setVisible(m_pNavigationDock->isHidden());
    UpdateCommandStates();
}

void CMainFrame::OnTreeItemChosen(const QString& text) {
    if (text == m_ctx.PickText("Channel Information", "信道信息"))
        OnEditChannelInfo();
    else if (text == m_ctx.PickText("Optional Features", "可选功能"))
        OnEditOptionalFeatures();
    else if (text == m_ctx.PickText("Product Information", "类型设置"))
        OnProductInfo();
}

void CMainFrame::UpdateCommandStates() {
    const bool active = ActiveChild() != nullptr;
    for (int id : kDocumentCommands) Action(id)->setEnabled(active);
    // A maximised channel window puts its title, "[*]" included, into this one's; until then
    // the flag waits silently for the placeholder.
    const bool modified = active && ActiveDocument()->IsModified();
    if (windowTitle().contains(QLatin1String("[*]")))
        setWindowModified(modified);
    else
        setAttribute(Qt::WA_WindowModified, modified);
    if (m_pUndoGroup) {
        CProgramDoc* doc = ActiveDocument();
        m_pUndoGroup->setActiveStack(doc ? doc->UndoStack() : nullptr);
        UpdateUndoActions();
    }
    Action(ID_VIEW_TOOLBAR)->setChecked(m_pToolBar && !m_pToolBar->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    Action(ID_VIEW_CONTROL_BAR)->setChecked(m_pNavigationDock && !m_pNavigationDock->isHidden());
    ShowMenuSet(!ChildFrames().isEmpty());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    for (CChildFrame* child : ChildFrames()) {
        if (!child->GetView()->QueryInterrupt()) {
            event->ignore();
            return;
        }
    }
    // Every document with unsaved changes is asked about, hidden ones too: its window comes
    // to the front first, so the question names what the user can see.
    for (CChildFrame* child : ChildFrames()) {
        if (child->GetDocument()->IsModified()) OnWindowChosen(child);
        if (!child->GetDocument()->SaveModified(this)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
