#include "cli/cmd_read.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string_view>

#include "cli/cli_support.h"
#include "cli/cmd_backups.h"
#include "core/image/channel_file.h"
#include "qt/qt_serial_port.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDIN_FILENO 0
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace radio::cli {
namespace {

// A signal handler can only reach static storage: the one flag of the process it sets.
volatile std::sig_atomic_t s_interrupted = 0;

extern "C" void OnInterrupt(int) { s_interrupted = 1; }

constexpr int kBarWidth = 40;
constexpr int kLineEvery = 64;  // progress steps between lines when stderr is not a terminal

// Progress, questions and messages of one connection, on the terminal.
class TerminalObserver : public LinkObserver {
  public:
    TerminalObserver(Context& ctx, const char* verb)
        : m_ctx(ctx),
          m_verb(verb),
          m_barOnTerminal(isatty(STDERR_FILENO)),
          m_askOnTerminal(isatty(STDIN_FILENO)) {}

    bool CancelRequested() override { return InterruptGuard::Raised(); }
    void SetProgressRange(int maximum) override { m_max = maximum; }

    void SetProgress(int position) override {
        if (m_barOnTerminal) {
            const int filled = m_max > 0 ? position * kBarWidth / m_max : 0;
            m_ctx.err << "\r" << m_verb << " [" << std::string(filled, '#')
                      << std::string(kBarWidth - filled, '-') << "] " << position << "/" << m_max
                      << std::flush;
            m_barShown = true;
        } else if (position % kLineEvery == 0 || position == m_max) {
            m_ctx.err << m_verb << ": " << position << "/" << m_max << "\n" << std::flush;
        }
    }

    bool AskRetry(int, const std::string& text) override {
        EndBar();
        m_ctx.err << text << "\n";
        if (!m_askOnTerminal) {
            m_ctx.err << "(no terminal to answer Retry or Cancel: cancelled)\n";
            return false;
        }
        for (;;) {
            m_ctx.err << "[R]etry or [C]ancel? " << std::flush;
            std::string answer;
            if (!std::getline(std::cin, answer) || InterruptGuard::Raised()) {
                std::cin.clear();
                m_ctx.err << "\n";
                return false;
            }
            if (answer == "r" || answer == "R" || answer == "retry") return true;
            if (answer == "c" || answer == "C" || answer == "cancel") return false;
        }
    }

    void ShowMessage(int, const std::string& text, const std::string& detail) override {
        EndBar();
        m_ctx.err << text << "\n";
        if (!detail.empty()) m_ctx.err << "  " << detail << "\n";
        m_ctx.err << std::flush;
    }

    void VerifyStarted() override {
        EndBar();
        m_verb = "verify";
    }

    void EndBar() {
        if (m_barShown) m_ctx.err << "\n";
        m_barShown = false;
    }

  private:
    Context& m_ctx;
    const char* m_verb;
    bool m_barOnTerminal;
    bool m_askOnTerminal;
    bool m_barShown = false;
    int m_max = 0;
};

}  // namespace

#ifdef _WIN32
struct InterruptGuard::Saved {
    void (*onInt)(int);
    void (*onTerm)(int);
};

InterruptGuard::InterruptGuard() : m_saved(std::make_unique<Saved>()) {
    s_interrupted = 0;
    m_saved->onInt = std::signal(SIGINT, OnInterrupt);
    m_saved->onTerm = std::signal(SIGTERM, OnInterrupt);
}

InterruptGuard::~InterruptGuard() {
    std::signal(SIGINT, m_saved->onInt);
    std::signal(SIGTERM, m_saved->onTerm);
}
#else
struct InterruptGuard::Saved {
    struct sigaction onInt {};
    struct sigaction onTerm {};
    struct sigaction onHup {};
};

InterruptGuard::InterruptGuard() : m_saved(std::make_unique<Saved>()) {
    s_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a prompt waiting on the terminal gives up
    sigaction(SIGINT, &action, &m_saved->onInt);
    sigaction(SIGTERM, &action, &m_saved->onTerm);
    // A closed terminal sends SIGHUP: end as on Ctrl+C, saving what the command saves.
    sigaction(SIGHUP, &action, &m_saved->onHup);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &m_saved->onInt, nullptr);
    sigaction(SIGTERM, &m_saved->onTerm, nullptr);
    sigaction(SIGHUP, &m_saved->onHup, nullptr);
}
#endif

bool InterruptGuard::Raised() { return s_interrupted != 0; }

bool ParseTransferArgs(Context& ctx, const char* command, std::string& port, std::string& file,
                       TransferOptions* options) {
    const std::string name = command;
    const bool read = name == "read";
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& arg = ctx.args[i];
        if (options && read && (arg == "--backup-dir" || arg.rfind("--backup-dir=", 0) == 0)) {
            if (arg.size() > 12) {
                options->backupDir = arg.substr(13);
            } else if (i + 1 < ctx.args.size()) {
                options->backupDir = ctx.args[++i];
            }
            if (!options->backupDir || options->backupDir->empty()) {
                UsageError(ctx, name, "--backup-dir needs a folder (or off)");
                return false;
            }
        } else if (options && read && arg == "--truncate") {
            options->truncate = true;
        } else if (options && !read && arg == "--no-verify") {
            options->verify = false;
        } else if (options && !read && arg == "--force") {
            options->force = true;
        } else if (arg == "--port") {
            if (i + 1 >= ctx.args.size()) {
                UsageError(ctx, name, "--port needs a port name");
                return false;
            }
            port = ctx.args[++i];
        } else if (arg.rfind("--port=", 0) == 0) {
            port = arg.substr(7);
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            UsageError(ctx, name, "unknown option '" + arg + "'");
            return false;
        } else if (file.empty()) {
            file = arg;
        } else {
            UsageError(ctx, name, name + " takes one FILE");
            return false;
        }
    }
    if (port.empty() || file.empty()) {
        UsageError(ctx, name, name + " needs --port PORT and a FILE");
        return false;
    }
    return true;
}

LinkOutcome RunTerminalTransfer(Context& ctx, const std::string& port, bool write,
                                RadioImage& image, RadioImage* readBack, bool* writeCompleted,
                                bool* writeStarted) {
    InterruptGuard interrupts;
    TerminalObserver observer(ctx, write ? "write" : "read");
    SystemClock clock;
    QtSerialPort serial;
    RadioLink link(serial, clock, observer);
    const LinkOutcome outcome = write ? link.Write(port, image, readBack) : link.Read(port, image);
    if (writeCompleted) *writeCompleted = write && link.WriteCompleted();
    if (writeStarted) *writeStarted = write && link.WriteStarted();
    observer.EndBar();
    if (outcome == LinkOutcome::Cancelled) Error(ctx, "cancelled");
    return outcome;
}

int TransferExitStatus(LinkOutcome outcome) {
    return outcome == LinkOutcome::Done ? kExitOk : kExitRefused;
}

int RunRead(Context& ctx) {
    std::string port, file;
    TransferOptions options;
    if (!ParseTransferArgs(ctx, "read", port, file, &options)) return kExitUsage;
    // Said before the radio is read, not after: a longer FILE is cut only when the user agrees.
    if (!MaySaveOver(ctx, file, LongerThanImage(file), options.truncate)) return kExitRefused;
    // The command-line read keeps the raw image: no band step rewrites 0x1FF0..0x1FF2.
    RadioImage image;
    const LinkOutcome outcome = RunTerminalTransfer(ctx, port, false, image);
    if (outcome != LinkOutcome::Done) {
        Error(ctx, file + " left as it was");
        return TransferExitStatus(outcome);
    }
    // The backup first: should FILE fail to save, the read is still kept there.
    BackUpRead(ctx, image, options.backupDir);
    OpenedFile target;
    if (LockForReplace(ctx, file, target) != kExitOk) return kExitRefused;
    if (!MaySaveOver(ctx, file, target.size, options.truncate)) return kExitRefused;
    return SaveImage(ctx, file, image, &target) ? kExitOk : kExitRefused;
}

}  // namespace radio::cli
