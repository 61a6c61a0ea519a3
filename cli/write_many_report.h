#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

#include "cli/command.h"
#include "core/link/write_pool.h"

namespace radio::cli {

// What the user sees of a batch, on the terminal: one line per radio on stdout as each ends, its
// backup on stderr, its row in the log, and while the radios run, one status line on stderr
// when that is a terminal. Called from the workers' threads; one lock keeps the lines whole.
class TerminalBatchReport : public BatchObserver {
  public:
    TerminalBatchReport(Context& ctx, const std::vector<std::string>& ports, std::string logPath,
                        std::string imageSha256);

    void StartRound(int round);
    void Progress(std::size_t radio, BatchPhase phase, int position, int maximum) override;
    void Finished(const BatchRadio& radio) override;
    // Called between rounds: true when a row could not be added to the log.
    bool LogFailed() const;

  private:
    void ClearStatus();
    void DrawStatus();

    Context& m_ctx;
    std::vector<std::string> m_names;  // the ports as the status line shows them
    std::string m_logPath;
    std::string m_sha256;
    bool m_statusOnTerminal;

    mutable std::mutex m_mutex;
    int m_round = 0;
    std::vector<std::string> m_states;  // per radio: "write 45%", "done"
    bool m_statusShown = false;
    std::chrono::steady_clock::time_point m_lastDraw;
    bool m_logFailed = false;
};

}  // namespace radio::cli
