#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>

#include "desktop/app/ui_translators.h"

class AppContext;
class CMainFrame;
class QPrinter;

// The desktop program: start-up, the document commands it owns (New, Open, About, Print
// Setup) and the restart after a language change. It holds the context every window of the
// run shares.
class CProgramApp : public QObject {
    Q_OBJECT
  public:
    struct StartOptions {
        QString configPath;       // --config PATH; default: found by radio::LocateProgramConfig
        QString settingsPath;     // --settings PATH; default: the user's settings location
        QString fileToOpen;       // a channel file named on the command line
        QString backupDir{};      // --backup-dir DIR (or off): where reads are backed up
        QString virtualFaults{};  // --virtual-faults LIST: misbehaviour of the built-in radio
    };
    static StartOptions ParseCommandLine(const QStringList& arguments);
    // --help (-h) or --version (-v) among the arguments: they are answered on standard output
    // before any window exists, so they need no display.
    static bool AsksForInformation(int argc, const char* const* argv);
    // Prints the usage or the version for those arguments; returns the exit status (0). Needs
    // a QCoreApplication.
    static int PrintInformation(const QStringList& arguments);

    // Creates and owns the context of the run.
    explicit CProgramApp(QObject* parent = nullptr);
    // Works on a context made by the caller (tests, with their fakes), which must outlive it.
    explicit CProgramApp(AppContext& context, QObject* parent = nullptr);
    ~CProgramApp() override;

    AppContext& Context() const { return m_ctx; }

    // Start-up in order: configuration, language, main window, first document, shown
    // maximised, icon, branding texts. False ends the program.
    bool InitInstance(const StartOptions& options);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    const QString& ConfigPath() const { return m_strConfigPath; }

    // File > New: with a window active, warns first; OK destroys that window.
    void OnFileNew();
    // File > Open: asks for a file, then opens it.
    void OnFileOpen();
    // Opens a channel file in a new window and hides the one that was active; on failure
    // reports why and leaves everything as it was.
    bool OpenDocumentFile(const QString& path);
    // File > Radio Backups: lists the backups of radio reads; the one chosen opens as a new
    // document, the way Open opens a file.
    void OnRadioBackups();
    bool OpenBackupDocument(const QString& path);
    void OnAppAbout();
    void OnFilePrintSetup();
    QPrinter* Printer();

    // After the Language dialog stored a change (the context's restart request comes here):
    // writes Program.ini, closes the main window the usual way (unsaved documents are asked
    // about; Cancel keeps the program running), then starts the program again. False when the
    // program stays; a Program.ini that cannot be written is reported and keeps it too.
    bool RestartForLanguageChange();
    QStringList RestartArguments() const;
    using ProcessStarter = std::function<bool(const QString& program, const QStringList& args)>;
    void SetProcessStarter(ProcessStarter starter) { m_starter = std::move(starter); }

  private:
    CProgramApp(std::unique_ptr<AppContext> own, AppContext* given, QObject* parent);
    bool OpenDocument(const QString& path, bool backup);
    void CreateNewDocument();
    void ConnectCommands();
    // Shows in one warning what the configuration holds that cannot be used (a FIFO as
    // --config, an unusable BackupDir, band texts that are no band, ...); nothing when all is well.
    void ReportConfigProblems(QStringList problems);

    std::unique_ptr<AppContext> m_pOwnContext;  // unless the caller gave one
    AppContext& m_ctx;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    StartOptions m_options;
    QString m_strConfigPath;
    ProcessStarter m_starter;
    UiTranslators m_translators;  // those of the display language, for the whole run
};
