#include "cli/write_many_report.h"

#include <ostream>

#include "cli/cli_support.h"
#include "cli/cmd_write_many.h"
#include "core/formats/batch_log.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace radio::cli {
namespace {

// The status line is redrawn at most this often: four radios report about 60 steps a second.
constexpr auto kRedrawEvery = std::chrono::milliseconds(250);

const char* PhaseName(BatchPhase phase) {
    switch (phase) {
        case BatchPhase::Backup:
            return "backup";
        case BatchPhase::Write:
            return "write";
        case BatchPhase::Verify:
            return "verify";
    }
    return "";
}

}  // namespace

TerminalBatchReport::TerminalBatchReport(Context& ctx, const std::vector<std::string>& ports,
                                         std::string logPath, std::string imageSha256)
    : m_ctx(ctx),
      m_logPath(std::move(logPath)),
      m_sha256(std::move(imageSha256)),
      m_statusOnTerminal(isatty(STDERR_FILENO)) {
    for (const std::string& port : ports)
        m_names.push_back(port.rfind("/dev/", 0) == 0 ? port.substr(5) : port);
}

void TerminalBatchReport::StartRound(int round) {
    std::lock_guard lock(m_mutex);
    m_round = round;
    m_states.assign(m_names.size(), "waiting");
    m_lastDraw = {};
}

bool TerminalBatchReport::LogFailed() const {
    std::lock_guard lock(m_mutex);
    return m_logFailed;
}

void TerminalBatchReport::Progress(std::size_t radio, BatchPhase phase, int position, int maximum) {
    if (!m_statusOnTerminal) return;
    std::lock_guard lock(m_mutex);
    const int percent = maximum > 0 ? position * 100 / maximum : 0;
    m_states[radio] = std::string(PhaseName(phase)) + " " + std::to_string(percent) + "%";
    if (std::chrono::steady_clock::now() - m_lastDraw >= kRedrawEvery) DrawStatus();
}

void TerminalBatchReport::Finished(const BatchRadio& radio) {
    std::lock_guard lock(m_mutex);
    ClearStatus();
    m_ctx.out << BatchResultLine(radio) << "\n" << std::flush;
    if (!radio.backupPath.empty()) {
        Error(m_ctx, radio.port + ": the radio as it was is kept in " + radio.backupPath);
    }
    if (!m_logPath.empty() && !m_logFailed) {
        const Status st = AppendBatchLog(m_logPath, {FormatBatchLogRow(m_round, radio, m_sha256)});
        if (!st) {
            Error(m_ctx, st.message + " The results from here on are not in it.");
            m_logFailed = true;
        }
    }
    m_states[radio.index] = "done";
    if (m_statusOnTerminal) DrawStatus();
    m_ctx.err << std::flush;
}

void TerminalBatchReport::ClearStatus() {
    if (!m_statusShown) return;
    m_ctx.err << "\r\033[K" << std::flush;
    m_statusShown = false;
}

void TerminalBatchReport::DrawStatus() {
    std::string line;
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (m_states[i] == "done") continue;
        line += (line.empty() ? "" : "  ") + m_names[i] + " " + m_states[i];
    }
    m_ctx.err << "\r\033[K" << line << std::flush;
    m_statusShown = !line.empty();
    m_lastDraw = std::chrono::steady_clock::now();
}

}  // namespace radio::cli
