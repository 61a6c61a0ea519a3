#include "desktop/app/program_app.h"

#include <QAction>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProcess>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <system_error>

#include "core/config/band_settings.h"
#include "core/config/messages.h"
#include "core/image/atomic_file.h"
#include "core/link/radio_faults.h"
#include "desktop/channels/program_view.h"
#include "desktop/dialogs/about_dlg.h"
#include "desktop/dialogs/backups_dlg.h"
#include "desktop/document/program_doc.h"
#include "desktop/frame/child_frame.h"
#include "desktop/frame/main_frame.h"
#include "desktop/services/app_context.h"
#include "desktop/services/app_pictures.h"
#include "desktop/services/command_ids.h"
#include "desktop/services/file_dialog_service.h"
#include "desktop/services/message_service.h"
#include "desktop/services/qt_settings_store.h"
#include "desktop/transfer/virtual_radio_host.h"
#include "qt/config_text.h"
#include "qt/data_paths.h"
#include "qt/phrase_text.h"

namespace {

// Without a window manager (a bare X server) nothing carries out the maximise request; the
// window then takes the screen's free area itself.
void FillScreenWithoutWindowManager(QWidget* window) {
    QTimer::singleShot(300, window, [window] {
        const QRect avail = window->screen()->availableGeometry();
        if (window->isVisible() && window->frameGeometry().width() < avail.width() - 16)
            window->setGeometry(avail);
    });
}

}  // namespace

CProgramApp::StartOptions CProgramApp::ParseCommandLine(const QStringList& arguments) {
    StartOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--config") && i + 1 < arguments.size()) {
            options.configPath = arguments.at(++i);
        } else if (arg == QLatin1String("--settings") && i + 1 < arguments.size()) {
            options.settingsPath = arguments.at(++i);
        } else if (arg == QLatin1String("--backup-dir") && i + 1 < arguments.size()) {
            options.backupDir = arguments.at(++i);
        } else if (arg == QLatin1String("--virtual-faults") && i + 1 < arguments.size()) {
            options.virtualFaults = arguments.at(++i);
        } else if (!arg.trimmed().isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            options.fileToOpen = arg;
        }
    }
    return options;
}

bool CProgramApp::AsksForInformation(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const QLatin1String arg(argv[i]);
        if (arg == QLatin1String("--")) break;  // what follows are file names
        for (const char* flag : {"--help", "-h", "-?", "--help-all", "--version", "-v"}) {
            if (arg == QLatin1String(flag)) return true;
        }
    }
    return false;
}

int CProgramApp::PrintInformation(const QStringList& arguments) {
    // The name it was started by: Program in the build folder, radio-programmer installed.
    if (!arguments.isEmpty())
        QCoreApplication::setApplicationName(QFileInfo(arguments.first()).fileName());
    QCoreApplication::setApplicationVersion(QStringLiteral(RADIO_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CProgramApp",
        "Radio Programmer: reads, edits and writes the memory of a 200-channel handheld radio "
        "through a serial programming cable, and keeps its images in channel files (*.dat)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const auto tr = [](const char* text) {
        return QCoreApplication::translate("CProgramApp", text);
    };
    parser.addOptions({
        {QStringLiteral("config"), tr("Use the configuration file PATH instead of Program.ini."),
         QStringLiteral("PATH")},
        {QStringLiteral("settings"),
         tr("Keep the radio type, band and port choice in the file PATH."), QStringLiteral("PATH")},
        {QStringLiteral("backup-dir"),
         tr("Keep the backups of radio reads in DIR (off: keep none)."), QStringLiteral("DIR")},
        {QStringLiteral("virtual-faults"),
         tr("Make the built-in virtual radio misbehave (see radioprog simulate --fault help)."),
         QStringLiteral("LIST")},
    });
    parser.addPositionalArgument(QStringLiteral("file"), tr("A channel file (.dat) to open."),
                                 QStringLiteral("[file]"));
    // Both print on standard output and end the process with status 0.
    parser.process(arguments);
    parser.showHelp(0);
}

CProgramApp::CProgramApp(QObject* parent)
    : CProgramApp(std::make_unique<AppContext>(), nullptr, parent) {}

CProgramApp::CProgramApp(AppContext& context, QObject* parent)
    : CProgramApp(nullptr, &context, parent) {}

CProgramApp::CProgramApp(std::unique_ptr<AppContext> own, AppContext* given, QObject* parent)
    : QObject(parent), m_pOwnContext(std::move(own)), m_ctx(given ? *given : *m_pOwnContext) {
    m_ctx.SetRestartHandler([this] { return RestartForLanguageChange(); });
    m_starter = [](const QString& program, const QStringList& args) {
        return QProcess::startDetached(program, args);
    };
}

CProgramApp::~CProgramApp() {
    m_pMainFrame.reset();
    m_ctx.SetRestartHandler({});  // a context given by the caller outlives this object
}

bool CProgramApp::InitInstance(const StartOptions& options) {
    m_options = options;
    // 1. Program.ini beside the executable, else the installation's (created empty when
    // missing); changes go to the user's own copy where the one read cannot be written.
    bool loaded = false;
    if (options.configPath.isEmpty()) {
        const radio::ConfigLocation at = radio::LocateProgramConfig();
        m_strConfigPath = QFile::decodeName(QByteArray::fromStdString(at.readPath));
        loaded = m_ctx.LoadConfig(at, true);
    } else {
        m_strConfigPath = options.configPath;
        loaded = m_ctx.LoadConfig(m_strConfigPath, true);
    }
    // 2. The display language, fixed for the whole run.
    if (!loaded) {
        // Deliberately silent: a folder where Program.ini can be neither read nor created
        // starts the program on its defaults (English, no branding texts), as a missing
        // configuration always has.
    }
    // Told once the window is up; each names the file or entry and what happens instead.
    QStringList problems;
    // The texts of every window from here on follow the display language.
    const QString language = QString::fromStdString(m_ctx.AppConfig().languageName);
    if (!m_translators.Install(language, UiTranslators::DefaultFolders()))
        problems << tr("The translation of the language %1 (radio-programmer_%2.qm) is missing "
                       "from the folder translations beside the program; its texts are shown "
                       "in English.")
                        .arg(language, UiTranslators::LocaleOf(language).name());
    if (const radio::Status st =
            radio::CheckConfigFile(QFile::encodeName(m_strConfigPath).toStdString(), "--config");
        !st)
        problems << QString::fromStdString(st.message) + tr(" The program starts on its defaults.");
    if (!options.settingsPath.isEmpty()) {
        const std::string settings = QFile::encodeName(options.settingsPath).toStdString();
        std::error_code ec;
        if (const radio::Status st = radio::CheckConfigFile(settings, "--settings"); !st) {
            problems << QString::fromStdString(st.message) + tr(" The usual settings are used.");
        } else if (std::filesystem::equivalent(
                       settings, QFile::encodeName(m_strConfigPath).toStdString(), ec)) {
            problems << tr("--settings names the configuration file %1; the settings (radio "
                           "type, band, port) need a file of their own. The usual settings are "
                           "used.")
                            .arg(options.settingsPath);
        } else {
            m_ctx.SetSettings(QtSettingsStore::AtFile(options.settingsPath));
        }
    }
    if (!options.backupDir.isEmpty()) m_ctx.SetBackupFolder(options.backupDir);
    // For trying out how the program meets a misbehaving radio; a list that does not parse
    // leaves the built-in radio well.
    radio::RadioFaults faults;
    if (!options.virtualFaults.isEmpty() &&
        radio::ParseFaults(options.virtualFaults.toStdString(), faults).ok)
        CVirtualRadioHost::Shared()->SetFaults(faults);

    // 6. The main window.
    m_pMainFrame = std::make_unique<CMainFrame>(m_ctx);
    if (!m_pMainFrame->Create()) return false;
    ConnectCommands();
    ReportConfigProblems(problems);

    // 7. The command line: a file to open, else a new document.
    if (options.fileToOpen.isEmpty() || !OpenDocumentFile(options.fileToOpen)) CreateNewDocument();

    // 8-9. Maximised, with the program's icon.
    m_pMainFrame->showMaximized();
    FillScreenWithoutWindowManager(m_pMainFrame.get());
    m_pMainFrame->setWindowIcon(TitleIcon());
    // 11-12. The About item's text, and the Language item only where it is wanted.
    m_pMainFrame->SetAboutItemText(m_ctx.LanguageText("About Title"));
    if (radio::ShowLangValue(m_ctx.Config()) == 0) m_pMainFrame->RemoveLanguageItem();
    return true;
}

void CProgramApp::ReportConfigProblems(QStringList problems) {
    QString backupWarning;
    (void)m_ctx.BackupFolder(&backupWarning);
    if (!backupWarning.isEmpty()) problems << backupWarning;
    for (const std::string& band : radio::CheckBandTexts(m_ctx.Config()))
        problems << radio::ConfigText(band);
    if (problems.isEmpty()) return;
    m_ctx.Messages().Warning(m_pMainFrame.get(), m_ctx.AppCaption(),
                             tr("The configuration has entries the program cannot use:\n\n%1")
                                 .arg(problems.join(QStringLiteral("\n\n"))));
}

void CProgramApp::ConnectCommands() {
    CMainFrame* frame = m_pMainFrame.get();
    connect(frame->Action(ID_FILE_NEW), &QAction::triggered, this, &CProgramApp::OnFileNew);
    connect(frame->Action(ID_FILE_OPEN), &QAction::triggered, this, &CProgramApp::OnFileOpen);
    connect(frame->AboutAction(false), &QAction::triggered, this, &CProgramApp::OnAppAbout);
    connect(frame->Action(ID_FILE_PRINT_SETUP), &QAction::triggered, this,
            &CProgramApp::OnFilePrintSetup);
    connect(frame->Action(ID_FILE_RADIO_BACKUPS), &QAction::triggered, this,
            &CProgramApp::OnRadioBackups);
}

void CProgramApp::CreateNewDocument() {
    auto* doc = new CProgramDoc(m_ctx);
    doc->OnNewDocument();
    m_pMainFrame->CreateChildFrame(doc);
}

void CProgramApp::OnFileNew() {
    if (CChildFrame* active = m_pMainFrame->ActiveChild()) {
        if (!active->GetView()->QueryInterrupt()) return;
        if (!m_ctx.Messages().OkCancel(
                m_pMainFrame.get(), m_ctx.AppCaption(),
                radio::TranslatedText(radio::MessageText(radio::kMsgDataCleared))))
            return;
        active->Destroy();  // no question about saving: the warning said so
    }
    CreateNewDocument();
}

void CProgramApp::OnFileOpen() {
    const QString path =
        m_ctx.FileDialogs().GetOpenFileName(m_pMainFrame.get(), QStringLiteral("*.dat"));
    if (!path.isEmpty()) OpenDocumentFile(path);
}

bool CProgramApp::OpenDocumentFile(const QString& path) { return OpenDocument(path, false); }

bool CProgramApp::OpenBackupDocument(const QString& path) { return OpenDocument(path, true); }

void CProgramApp::OnRadioBackups() {
    CBackupsDlg dlg(m_ctx, m_pMainFrame.get());
    if (dlg.exec() == QDialog::Accepted) OpenBackupDocument(dlg.ChosenPath());
}

bool CProgramApp::OpenDocument(const QString& path, bool backup) {
    CChildFrame* previous = m_pMainFrame->ActiveChild();
    if (previous && !previous->GetView()->QueryInterrupt()) return false;
    auto doc = std::make_unique<CProgramDoc>(m_ctx);
    const radio::Status st = backup ? doc->OnOpenBackup(path) : doc->OnOpenDocument(path);
    if (!st) {
        m_ctx.Messages().Warning(m_pMainFrame.get(), m_ctx.AppCaption(),
                                 tr("The channel file could not be opened.\n\n%1")
                                     .arg(QString::fromStdString(st.message)));
        return false;
    }
    const QString note = doc->LongerFileNote();
    // One image on show: the window that was active steps back, hidden, its document open.
    if (previous) previous->close();
    m_pMainFrame->CreateChildFrame(doc.release());
    if (previous && previous->GetDocument()->IsModified()) {
        m_pMainFrame->statusBar()->showMessage(
            tr("\"%1\" has unsaved changes; it stays open in the Window menu.")
                .arg(previous->GetDocument()->GetTitle()));
    }
    if (!note.isEmpty()) {
        // A file given on the command line opens before the window is shown: the warning
        // waits for the window, so it stands over the document it is about.
        auto warn = [this, note] {
            m_ctx.Messages().Warning(m_pMainFrame.get(), m_ctx.AppCaption(), note);
        };
        if (m_pMainFrame->isVisible())
            warn();
        else
            QTimer::singleShot(0, m_pMainFrame.get(), warn);
    }
    return true;
}

void CProgramApp::OnAppAbout() {
    CAboutDlg dlg(m_ctx, m_pMainFrame.get());
    dlg.exec();
}

QPrinter* CProgramApp::Printer() { return &m_ctx.Printer(); }

void CProgramApp::OnFilePrintSetup() {
    QPageSetupDialog dlg(Printer(), m_pMainFrame.get());
    dlg.exec();
}

QStringList CProgramApp::RestartArguments() const {
    QStringList args;
    if (!m_options.configPath.isEmpty()) args << QStringLiteral("--config") << m_options.configPath;
    if (!m_options.settingsPath.isEmpty())
        args << QStringLiteral("--settings") << m_options.settingsPath;
    if (!m_options.backupDir.isEmpty())
        args << QStringLiteral("--backup-dir") << m_options.backupDir;
    return args;
}

bool CProgramApp::RestartForLanguageChange() {
    // The new instance reads the language from the file, so it must be on disk first: one
    // started without it would come up in the old language.
    if (const radio::Status st = m_ctx.Config().Save(); !st) {
        m_ctx.Messages().Warning(m_pMainFrame.get(), m_ctx.AppCaption(),
                                 tr("The language choice could not be stored, so the program keeps "
                                    "running in the current language.\n\n%1")
                                     .arg(QString::fromStdString(st.message)));
        return false;
    }
    if (!m_pMainFrame->close()) return false;
    return m_starter(QCoreApplication::applicationFilePath(), RestartArguments());
}
